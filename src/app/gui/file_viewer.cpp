#include "app/gui/file_viewer.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>

#include "app/gui/find_dialog.h"
#include "app/gui/text_convert.h"
#include "app/gui/white_paper.h"
#include "ui_file_viewer.h"

namespace stavbas::gui {

TVisaFiler::TVisaFiler(QWidget* parent)
    : QMainWindow(parent), ui_(std::make_unique<::Ui::TVisaFiler>()) {
  ui_->setupUi(this);
  setWindowFlag(Qt::Window);
  // Texts are read on white paper whatever the theme, like the main window's text.
  UseWhitePaper(ui_->RichEdit1);
  ui_->actionKopiera->setEnabled(false);
  connect(ui_->RichEdit1, &QPlainTextEdit::copyAvailable, ui_->actionKopiera, &QAction::setEnabled);
  connect(ui_->actionKopiera, &QAction::triggered, ui_->RichEdit1, &QPlainTextEdit::copy);
  connect(ui_->actionOppna, &QAction::triggered, this, &TVisaFiler::openRequested);
  connect(ui_->actionStang, &QAction::triggered, this, &QWidget::close);
  connect(ui_->actionSok, &QAction::triggered, this, [this] {
    if (!find_) {
      find_ = new FindDialog(this);
      connect(find_, &FindDialog::findNext, this, [this] {
        if (!FindNextIn(ui_->RichEdit1, *find_) && notFound) notFound(find_->text());
      });
      connect(find_, &FindDialog::helpRequested, this, &TVisaFiler::helpRequested);
    }
    find_->show();
    find_->raise();
    find_->activateWindow();
  });
}

TVisaFiler::~TVisaFiler() = default;

void TVisaFiler::ShowText(const std::string& cp1252, const QString& name) {
  name_ = name;
  ui_->RichEdit1->setPlainText(Q(cp1252));
  setWindowTitle(name.isEmpty()
                     ? QCoreApplication::translate("TVisaFiler", "VisaFiler")
                     : QCoreApplication::translate("TVisaFiler", "VisaFiler") + " – " + name);
  show();
  raise();
  activateWindow();
}

QString TVisaFiler::text() const {
  return ui_->RichEdit1->toPlainText();
}

void TVisaFiler::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  if (event->key() == Qt::Key_F1) {
    emit helpRequested(property("helpContext").toInt());
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void TVisaFiler::closeEvent(QCloseEvent* event) {
  if (find_) find_->close();
  QMainWindow::closeEvent(event);
}

void TVisaFiler::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) {
    ui_->retranslateUi(this);
    if (!name_.isEmpty())
      setWindowTitle(QCoreApplication::translate("TVisaFiler", "VisaFiler") + " – " + name_);
  }
  QMainWindow::changeEvent(event);
}

}  // namespace stavbas::gui
