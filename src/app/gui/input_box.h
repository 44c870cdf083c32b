#pragma once
// "Ange vad som söks" with a field to type in (TMyInputBox).

#include <memory>

#include "app/gui/condition_entry_dialog.h"

namespace Ui {
class TMyInputBox;
}

namespace stavbas::gui {

class TMyInputBox : public ConditionEntryDialog {
  Q_OBJECT

 public:
  explicit TMyInputBox(QWidget* parent = nullptr);
  ~TMyInputBox() override;

 protected:
  QLineEdit* Field() const override;
  void Retranslate() override;

 private:
  std::unique_ptr<::Ui::TMyInputBox> ui_;
};

}  // namespace stavbas::gui
