#include "app/gui/input_box.h"

#include "ui_input_box.h"

namespace stavbas::gui {

TMyInputBox::TMyInputBox(QWidget* parent)
    : ConditionEntryDialog(parent), ui_(std::make_unique<::Ui::TMyInputBox>()) {
  ui_->setupUi(this);
  Wire();
}

TMyInputBox::~TMyInputBox() = default;

QLineEdit* TMyInputBox::Field() const {
  return ui_->Edit1;
}

void TMyInputBox::Retranslate() {
  const QString prompt = ui_->Label1->text();
  ui_->retranslateUi(this);
  ui_->Label1->setText(prompt);
}

}  // namespace stavbas::gui
