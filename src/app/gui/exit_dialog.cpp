#include "app/gui/exit_dialog.h"

#include <QEvent>

#include "ui_exit_dialog.h"

namespace stavbas::gui {

TAvslutaStavbas::TAvslutaStavbas(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<::Ui::TAvslutaStavbas>()) {
  ui_->setupUi(this);
}

TAvslutaStavbas::~TAvslutaStavbas() = default;

void TAvslutaStavbas::Open(const ExitChoices& choices) {
  opened_ = choices;
  ui_->textGroup->setVisible(choices.textGroupShown);
  (choices.saveText ? ui_->spara : ui_->sparaInte)->setChecked(true);
  switch (choices.settings) {
    case SaveChoice::Settings:
      ui_->sparaInstallningar->setChecked(true);
      break;
    case SaveChoice::All:
      ui_->sparaAllt->setChecked(true);
      break;
    case SaveChoice::Keep:
      ui_->behallStartvarde->setChecked(true);
      break;
  }
  ui_->nej->setVisible(choices.mayStay);
  ui_->nej->setEnabled(choices.mayStay);
  ui_->ja->setFocus();
  adjustSize();
}

ExitChoices TAvslutaStavbas::Choices() const {
  ExitChoices c = opened_;
  c.saveText = ui_->spara->isChecked();
  c.settings = ui_->sparaAllt->isChecked()            ? SaveChoice::All
               : ui_->sparaInstallningar->isChecked() ? SaveChoice::Settings
                                                      : SaveChoice::Keep;
  return c;
}

void TAvslutaStavbas::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) ui_->retranslateUi(this);
  QDialog::changeEvent(event);
}

}  // namespace stavbas::gui
