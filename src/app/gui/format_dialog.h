#pragma once
// "Formatval" (TFormatval): the choices, the chosen list and its arrows, "Rubriker för Info?",
// and "OK", which the format dialog's model turns into a format code. The format commands open
// it for their layout; the export commands open their variant with a fixed part.

#include <memory>
#include <optional>

#include "app/format_dialog_model.h"
#include "app/gui/stavbas_dialog.h"

class QListWidget;

namespace Ui {
class TFormatval;
}

namespace stavbas::gui {

class TFormatval : public StavbasDialog {
  Q_OBJECT

 public:
  TFormatval(FormatDialogModel& model, QWidget* parent = nullptr);
  ~TFormatval() override;

  // Shows the model as the command opened it.
  void Sync();
  // What "OK" of the export variant chose.
  const std::optional<FormatDialogModel::ExportChoice>& exportChoice() const { return choice_; }

  // The text a choice shows: the fixed choices in the language in force, the information
  // columns' headings as the file gives them.
  static QString ChoiceText(const std::string& cp1252);

 protected:
  void Retranslate() override;

 private:
  void Ok();
  void SyncChosen(int currentRow);
  QList<std::size_t> Selected(const QListWidget* list) const;

  std::unique_ptr<::Ui::TFormatval> ui_;
  FormatDialogModel& model_;
  std::optional<FormatDialogModel::ExportChoice> choice_;
};

}  // namespace stavbas::gui
