#include "app/gui/find_dialog.h"

#include <QEvent>
#include <QPlainTextEdit>

#include "ui_find_dialog.h"

namespace stavbas::gui {

FindDialog::FindDialog(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<::Ui::FindDialog>()) {
  ui_->setupUi(this);
  connect(ui_->findNext, &QPushButton::clicked, this, &FindDialog::findNext);
  connect(ui_->help, &QPushButton::clicked, this,
          [this] { emit helpRequested(property("helpContext").toInt()); });
  connect(ui_->findText, &QLineEdit::textChanged, this,
          [this](const QString& t) { ui_->findNext->setEnabled(!t.isEmpty()); });
  ui_->findNext->setEnabled(false);
}

FindDialog::~FindDialog() = default;

QString FindDialog::text() const {
  return ui_->findText->text();
}

QTextDocument::FindFlags FindDialog::flags() const {
  QTextDocument::FindFlags f;
  if (ui_->matchCase->isChecked()) f |= QTextDocument::FindCaseSensitively;
  if (ui_->wholeWord->isChecked()) f |= QTextDocument::FindWholeWords;
  return f;
}

void FindDialog::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) ui_->retranslateUi(this);
  QDialog::changeEvent(event);
}

bool FindNextIn(QPlainTextEdit* edit, const FindDialog& dialog) {
  const QTextCursor current = edit->textCursor();
  const int from = current.hasSelection() ? current.selectionEnd() : 0;
  const QTextCursor hit = edit->document()->find(dialog.text(), from, dialog.flags());
  if (hit.isNull()) return false;
  edit->setTextCursor(hit);
  return true;
}

}  // namespace stavbas::gui
