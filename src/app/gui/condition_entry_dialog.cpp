#include "app/gui/condition_entry_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "app/gui/text_convert.h"

namespace stavbas::gui {

namespace {

// The character buttons and what each inserts (Windows-1252): the ǫ button inserts ô, which
// stands for it in the texts.
constexpr struct {
  const char* name;
  char inserts;
} kCharacters[] = {{"punktKnapp", '\xB7'}, {"kryssKnapp", '\xD7'},  {"thornKnapp", '\xFE'},
                   {"edhKnapp", '\xF0'},   {"aeKnapp", '\xE6'},     {"oeKnapp", '\xF8'},
                   {"oeLigKnapp", '\x9C'}, {"ogonekKnapp", '\xF4'}, {"korsKnapp", '\x86'}};

}  // namespace

QAbstractButton* ConditionEntryDialog::Button(const char* name) const {
  return findChild<QAbstractButton*>(name);
}

void ConditionEntryDialog::Wire() {
  for (const auto& c : kCharacters) {
    const char inserts = c.inserts;
    Button(c.name)->setToolTip(Q(std::string(1, inserts)));
    connect(Button(c.name), &QAbstractButton::clicked, this, [this, inserts] { Insert(inserts); });
  }
  connect(Button("ok"), &QAbstractButton::clicked, this, [this] {
    ShowStandardButtons();
    accept();
  });
  connect(Button("avbryt"), &QAbstractButton::clicked, this, &QDialog::reject);
  connect(this, &QDialog::rejected, this, [this] {
    findChild<QCheckBox*>("sokDirekt")->setChecked(false);
    ShowStandardButtons();
  });
  ShowStandardButtons();
}

void ConditionEntryDialog::ShowStandardButtons() {
  for (const auto& c : kCharacters) Button(c.name)->setVisible(c.inserts != '\x86');
}

void ConditionEntryDialog::Prepare(const QString& prompt, int helpContext, bool signumPart) {
  findChild<QLabel*>("Label1")->setText(prompt);
  setProperty("helpContext", helpContext);
  if (signumPart)
    for (const auto& c : kCharacters) Button(c.name)->setVisible(c.inserts == '\x86');
}

void ConditionEntryDialog::Insert(char cp1252) {
  QLineEdit* field = Field();
  field->insert(Q(std::string(1, cp1252)));  // at the caret, in place of a selection
  Edited();
  field->setFocus();
}

void ConditionEntryDialog::showEvent(QShowEvent* event) {
  StavbasDialog::showEvent(event);
  findChild<QRadioButton*>("medRadio")->setChecked(true);
  Field()->setFocus();
  Field()->selectAll();
}

EntryAnswer ConditionEntryDialog::Answer() const {
  EntryAnswer a;
  a.text = W(Field()->text());
  a.exclude = findChild<QRadioButton*>("utanRadio")->isChecked();
  a.picked = Picked();
  a.searchDirectly = findChild<QCheckBox*>("sokDirekt")->isChecked();
  return a;
}

}  // namespace stavbas::gui
