#pragma once
// What the window tests share: a main window started on a private copy of the sample database,
// and helpers that act on the modal dialogs and the pauses that the program waits in.

#include <QApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
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

// What the program hands to the desktop to open (files, web addresses, mail): recorded by the
// tests instead of starting the user's programs.
class OpenedUrls : public QObject {
  Q_OBJECT

 public:
  static OpenedUrls& Instance();
  // Takes over the desktop's opening of every kind of address.
  void Install();
  QList<QUrl> urls;

 public slots:
  void open(const QUrl& url) { urls << url; }
};

// Chooses a name in the next file dialog and confirms it; `filter` picks a file type by its
// number.
void AnswerNextFileDialog(const QString& path, int filter = -1);
// Answers the next dialog of the class: `act` sets it up, then "OK" is clicked (or, when `ok`
// is false, it is closed with "Avbryt").
void AnswerNextDialog(const char* className, const std::function<void(QWidget*)>& act = {},
                      bool ok = true);

// The folder with the built programs and the repository's sources.
QString BinaryDir();
QString SourceDir();

}  // namespace stavbas::gui::test
