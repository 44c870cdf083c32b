// Drives the main window through a word search and an all run in both languages and saves
// screenshots of the screen for a person to look at (tools/screenshots.sh runs it under Xvfb).

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include "app/gui/gui_host.h"
#include "gui_fixture.h"

using namespace stavbas::gui;
using namespace stavbas::gui::test;

namespace {

QString outFolder;

void Shot(const QString& name) {
  QTest::qWait(300);
  QApplication::primaryScreen()->grabWindow(0).save(outFolder + "/" + name + ".png");
}

void Enter(Program& p, const char* command, const QString& text) {
  p.action(command)->trigger();
  auto* combo = p.window().findChild<QComboBox*>("entryCombo");
  combo->setEditText(text);
  QTest::keyClick(combo, Qt::Key_Return);
}

void Session(Program& p, const QString& lang) {
  TForm1& w = p.window();
  // A word search shown in attestation format, paused after the first inscription.
  Enter(p, "actionTextsokningskod", "RUN:stain");
  Enter(p, "actionFormatkod", "ß$ RUN NFS");
  WhenPaused(w, [&] {
    Shot(lang + "-1-word-search-paused");
    p.action("actionResten")->trigger();
  });
  p.action("actionAlla")->trigger();
  Shot(lang + "-2-word-search-done");
  // All inscriptions in the default text format.
  p.action("actionRensaTextfonster")->trigger();
  p.action("actionTagBortSokvillkor")->trigger();
  Enter(p, "actionFormatkod", ">.$ RUN NFS FVN");
  WhenPaused(w, [&] {
    WhenPaused(w, [&] {
      Shot(lang + "-3-all-run-paused");
      p.action("actionResten")->trigger();
    });
    p.action("actionNasta")->trigger();
  });
  p.action("actionAlla")->trigger();
  Shot(lang + "-4-all-run-done");
  // A menu open, and the entry row.
  QMenu* menu = w.findChild<QMenu*>("menuDiverse");
  menu->popup(w.mapToGlobal(QPoint(300, 30)));
  Shot(lang + "-5-menu");
  menu->close();
  p.action("actionSignum")->trigger();
  Shot(lang + "-6-entry-row");
  QTest::keyClick(w.findChild<QComboBox*>("entryCombo"), Qt::Key_Escape);
  OnNextModal("stavbas::gui::TAvslutaStavbas", [&](QWidget* d) {
    Shot(lang + "-7-exit-dialog");
    d->close();
  });
  w.close();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QStandardPaths::setTestModeEnabled(true);
  outFolder = argc > 1 ? argv[1] : "screenshots";
  QDir().mkpath(outFolder);
  Program p;
  p.window().resize(900, 640);
  p.window().move(40, 40);
  p.Start();
  Session(p, "sv");
  p.action("actionEngelska")->trigger();
  p.action("actionPauser")->setChecked(true);
  p.window().show();
  Session(p, "en");
  // Under a dark desktop theme the text window keeps black and red text on white.
  QPalette dark;
  for (auto [role, color] : {std::pair{QPalette::Window, QColor(45, 45, 48)},
                             {QPalette::WindowText, QColor(230, 230, 230)},
                             {QPalette::Base, QColor(30, 30, 30)},
                             {QPalette::Text, QColor(230, 230, 230)},
                             {QPalette::Button, QColor(55, 55, 58)},
                             {QPalette::ButtonText, QColor(230, 230, 230)}})
    dark.setColor(role, color);
  QApplication::setPalette(dark);
  p.window().show();
  p.action("actionPauser")->setChecked(false);
  p.action("actionAlla")->trigger();
  Shot("en-8-dark-theme");
  return 0;
}
