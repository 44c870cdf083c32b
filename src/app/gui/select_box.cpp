#include "app/gui/select_box.h"

#include <QCompleter>
#include <QLineEdit>

#include "app/gui/text_convert.h"
#include "ui_select_box.h"

namespace stavbas::gui {

TMySelectBox::TMySelectBox(QWidget* parent)
    : ConditionEntryDialog(parent), ui_(std::make_unique<::Ui::TMySelectBox>()) {
  ui_->setupUi(this);
  // Only what is chosen from the list counts as picked; any typing makes the text typed.
  connect(ui_->ComboBox1, &QComboBox::textActivated, this, [this] { picked_ = true; });
  // Typing offers the values that hold what was typed, wherever it stands in them.
  ui_->ComboBox1->completer()->setFilterMode(Qt::MatchContains);
  ui_->ComboBox1->completer()->setCompletionMode(QCompleter::PopupCompletion);
  connect(ui_->ComboBox1->lineEdit(), &QLineEdit::textEdited, this, [this] { picked_ = false; });
  Wire();
}

TMySelectBox::~TMySelectBox() = default;

QLineEdit* TMySelectBox::Field() const {
  return ui_->ComboBox1->lineEdit();
}

void TMySelectBox::ShowStandardButtons() {
  ConditionEntryDialog::ShowStandardButtons();
  ui_->aeKnapp->hide();
  ui_->oeKnapp->hide();
}

void TMySelectBox::SetValues(const std::vector<std::string>& values) {
  const QString text = ui_->ComboBox1->currentText();
  QStringList items;
  items.reserve(static_cast<qsizetype>(values.size()));
  for (const std::string& v : values) items << Q(v);
  ui_->ComboBox1->setUpdatesEnabled(false);
  ui_->ComboBox1->clear();
  ui_->ComboBox1->addItems(items);
  ui_->ComboBox1->setEditText(text);
  ui_->ComboBox1->setUpdatesEnabled(true);
}

void TMySelectBox::Retranslate() {
  const QString prompt = ui_->Label1->text();
  ui_->retranslateUi(this);
  ui_->Label1->setText(prompt);
}

}  // namespace stavbas::gui
