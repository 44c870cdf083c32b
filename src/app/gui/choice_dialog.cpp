#include "app/gui/choice_dialog.h"

#include <QPushButton>
#include <QRadioButton>

namespace stavbas::gui {

QRadioButton* ChoiceDialog::Radio(const char* name) const {
  return findChild<QRadioButton*>(name);
}

void ChoiceDialog::Wire() {
  connect(findChild<QPushButton*>("ok"), &QPushButton::clicked, this, &QDialog::accept);
  if (auto* avbryt = findChild<QPushButton*>("avbryt"))
    connect(avbryt, &QPushButton::clicked, this, &QDialog::reject);
}

void ChoiceDialog::Choose(bool first) {
  Radio(first ? "first" : "second")->setChecked(true);
}

void ChoiceDialog::Retranslate() {
  const bool first = Radio("first")->isChecked();
  RetranslateUi();
  Choose(first);
}

std::optional<bool> ChoiceDialog::Ask() {
  adjustSize();
  if (exec() != QDialog::Accepted) return std::nullopt;
  return Radio("first")->isChecked();
}

}  // namespace stavbas::gui
