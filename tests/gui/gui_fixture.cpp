#include "gui_fixture.h"

#include <QAction>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "app/gui/gui_host.h"

namespace stavbas::gui::test {

namespace fs = std::filesystem;

QString BinaryDir() {
  return QStringLiteral(STAVBAS_BINARY_DIR);
}

QString SourceDir() {
  return QStringLiteral(STAVBAS_SOURCE_DIR);
}

Program::Program(const std::function<void(const QString&)>& prepare) {
  const fs::path from = BinaryDir().toStdString();
  const fs::path to = dir_.path().toStdString();
  for (const auto& entry : fs::directory_iterator(from)) {
    const std::string name = entry.path().filename().string();
    const bool wanted =
        name.starts_with("STAVBAS.") || name.starts_with("stavbas.") || name == "help";
    if (!wanted) continue;
    fs::copy(entry.path(), to / name, fs::copy_options::recursive);
    // Keep the stamps, so the index of the sample database stays valid.
    if (entry.is_regular_file()) fs::last_write_time(to / name, entry.last_write_time());
  }
  if (prepare) prepare(dir_.path());
  ProgramPaths paths;
  paths.programFolder = to;
  paths.workFolder = to;
  window_ = std::make_unique<TForm1>(paths);
}

Program::~Program() = default;

bool Program::Start() {
  window_->show();
  return window_->StartUp();
}

QAction* Program::action(const char* name) const {
  return window_->findChild<QAction*>(name);
}

QString Program::outputText() const {
  return window_->findChild<QPlainTextEdit*>("RichEdit1")->toPlainText();
}

void OnNextModal(const char* className, const std::function<void(QWidget*)>& act) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, className, act] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->inherits(className) || !modal->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    act(modal);
  });
  timer->start();
}

void AnswerNextBox(bool yes, QString* text) {
  OnNextModal("QMessageBox", [yes, text](QWidget* w) {
    auto* box = static_cast<QMessageBox*>(w);
    if (text) *text = box->text();
    for (QAbstractButton* b : box->buttons()) {
      const auto role = box->buttonRole(b);
      const bool accepting = role == QMessageBox::AcceptRole || role == QMessageBox::YesRole;
      if (accepting == yes || box->buttons().size() == 1) {
        b->click();
        return;
      }
    }
  });
}

OpenedUrls& OpenedUrls::Instance() {
  static OpenedUrls recorder;
  return recorder;
}

void OpenedUrls::Install() {
  for (const char* scheme : {"file", "http", "https", "mailto"})
    QDesktopServices::setUrlHandler(scheme, this, "open");
}

void AnswerNextFileDialog(const QString& path, int filter) {
  OnNextModal("QFileDialog", [path, filter](QWidget* w) {
    auto* dialog = static_cast<QFileDialog*>(w);
    if (filter >= 0) dialog->selectNameFilter(dialog->nameFilters().value(filter));
    // Typed into the name field (selectFile leaves a field that has the focus alone).
    if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit"))
      name->setText(path);
    else
      dialog->selectFile(path);
    static_cast<QDialog*>(dialog)->accept();  // as the dialog's own button does
  });
}

void AnswerNextDialog(const char* className, const std::function<void(QWidget*)>& act, bool ok) {
  OnNextModal(className, [act, ok](QWidget* w) {
    if (act) act(w);
    auto* button = w->findChild<QPushButton*>(ok ? "ok" : "avbryt");
    if (button && button->isVisible())
      button->click();
    else
      static_cast<QDialog*>(w)->reject();
  });
}

void WhenPaused(TForm1& window, const std::function<void()>& act) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, &window, act] {
    if (!window.host().waiting()) return;
    timer->stop();
    timer->deleteLater();
    act();
  });
  timer->start();
}

}  // namespace stavbas::gui::test
