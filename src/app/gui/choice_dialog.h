#pragma once
// The small dialogs that ask for one of two choices (the place to show, the coordinates to use,
// the kind of map, overwriting or adding to a file). Each keeps the choice it was left with.

#include <optional>

#include "app/gui/stavbas_dialog.h"

class QRadioButton;

namespace stavbas::gui {

class ChoiceDialog : public StavbasDialog {
  Q_OBJECT

 public:
  // Shows the dialog: true for the first choice, false for the second, nothing when it was
  // closed without "OK".
  std::optional<bool> Ask();
  void Choose(bool first);

 protected:
  explicit ChoiceDialog(QWidget* parent) : StavbasDialog(parent) {}
  // Connects "OK"; called once the subclass's widgets (named "first", "second", "ok" and, where
  // there is one, "avbryt") are set up.
  void Wire();
  // Qt's retranslation of the subclass's widgets; the choice stays.
  virtual void RetranslateUi() = 0;
  void Retranslate() override;

 private:
  QRadioButton* Radio(const char* name) const;
};

}  // namespace stavbas::gui
