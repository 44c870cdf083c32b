#include "app/gui/stavbas_dialog.h"

#include <QEvent>
#include <QKeyEvent>

namespace stavbas::gui {

StavbasDialog::StavbasDialog(QWidget* parent) : QDialog(parent) {
  setWindowModality(Qt::WindowModal);
}

int StavbasDialog::HelpContext() const {
  for (const QWidget* w = focusWidget(); w && w != this; w = w->parentWidget())
    if (const QVariant c = w->property("helpContext"); c.isValid()) return c.toInt();
  return property("helpContext").toInt();
}

void StavbasDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    emit helpRequested(HelpContext());
    return;
  }
  QDialog::keyPressEvent(event);
}

void StavbasDialog::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) Retranslate();
  QDialog::changeEvent(event);
}

}  // namespace stavbas::gui
