#pragma once
// "Skriv över filen?" (TOverWrite): a file chosen to save into exists; write it anew, or add to
// its end.

#include <memory>

#include "app/gui/choice_dialog.h"

namespace Ui {
class TOverWrite;
}

namespace stavbas::gui {

class TOverWrite : public ChoiceDialog {
  Q_OBJECT

 public:
  explicit TOverWrite(QWidget* parent = nullptr);
  ~TOverWrite() override;
  // The file the question is about, with its folder.
  void SetFile(const QString& path);

 protected:
  void RetranslateUi() override;

 private:
  std::unique_ptr<::Ui::TOverWrite> ui_;
};

}  // namespace stavbas::gui
