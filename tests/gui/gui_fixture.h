#pragma once
// What the window tests share: a main window started on a private copy of the sample database,
// and helpers that act on the modal dialogs and the pauses that the program waits in.

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/gui/main_window.h"

class QAction;
class QMessageBox;

namespace stavbas::gui::test {

class Program {
 public:
  // Copies the built program folder's database, language modules and help into a fresh folder
  // and starts the main window on it. `prepare` may change the folder first.
  explicit Program(const std::function<void(const QString& folder)>& prepare = {});
  ~Program();

  TForm1& window() { return *window_; }
  QString folder() const { return dir_.path(); }
  QAction* action(const char* name) const;
  QString outputText() const;
  bool Start();

 private:
  QTemporaryDir dir_;
  std::unique_ptr<TForm1> window_;
};

// Runs `act` once, as soon as a widget of the type is the active modal widget; the texts of
// every message box met are collected in `messages`.
void OnNextModal(const char* className, const std::function<void(QWidget*)>& act);
// Answers the next message box with its button of the role (accept for OK or Yes).
void AnswerNextBox(bool yes = true, QString* text = nullptr);
// Runs `act` once the program waits in a pause of a run.
void WhenPaused(TForm1& window, const std::function<void()>& act);

// The folder with the built programs and the repository's sources.
QString BinaryDir();
QString SourceDir();

}  // namespace stavbas::gui::test
