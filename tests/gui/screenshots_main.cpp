// Drives the main window through a word search and an all run in both languages and saves
// screenshots of the screen for a person to look at (tools/screenshots.sh runs it under Xvfb).

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include "app/gui/file_viewer.h"
#include "app/gui/gui_host.h"
#include "app/stavbas_app.h"
#include "base/cp1252.h"
#include "conditions/province_set.h"
#include "gui_fixture.h"

using namespace stavbas;
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

// Shoots the next dialog of the class once `prepare` has set it up, then closes it (or, with
// `then`, leaves it to that).
void ShotDialog(const char* className, const QString& name,
                const std::function<void(QWidget*)>& prepare = {},
                const std::function<void(QWidget*)>& then = {}) {
  OnNextModal(className, [=](QWidget* d) {
    if (prepare) prepare(d);
    Shot(name);
    if (then)
      then(d);
    else
      static_cast<QDialog*>(d)->reject();
  });
}

// The dialogs of the conditions, formats, exports, saving and printing, and the file viewer.
void Dialogs(Program& p, const QString& lang) {
  TForm1& w = p.window();
  ShotDialog("stavbas::gui::TGetCounty", lang + "-10-province-dialog");
  p.action("actionLandskap")->trigger();
  ShotDialog("stavbas::gui::TMySelectBox", lang + "-11-select-box", [](QWidget* d) {
    auto* combo = d->findChild<QComboBox*>("ComboBox1");
    combo->setEditText("");
    QTest::keyClicks(combo->lineEdit(), "gård");
  });
  p.action("actionNyttPlats")->trigger();
  ShotDialog("stavbas::gui::TMyInputBox", lang + "-12-input-box",
             [](QWidget* d) { d->findChild<QLineEdit*>("Edit1")->setText("stain *ʀ"); });
  p.action("actionNyRuntext")->trigger();
  ShotDialog("stavbas::gui::TMyInputBox", lang + "-13-input-box-signum");
  p.action("actionFlerSignumdel3")->trigger();
  ShotDialog("stavbas::gui::TFormatval", lang + "-14-format-dialog", [](QWidget* d) {
    auto* choices = d->findChild<QListWidget*>("Vallista");
    choices->item(4)->setSelected(true);
    choices->item(5)->setSelected(true);
    choices->item(12)->setSelected(true);
    d->findChild<QAbstractButton*>("valjUt")->click();
  });
  p.action("actionTextformat")->trigger();
  // An export of a selection: its variant of the format dialog.
  StavbasApp& app = w.app();
  app.settings.provinces.Assign(*ParseProvinceText("U"));
  app.builder.UpdateExportCommands();
  ShotDialog("stavbas::gui::TFormatval", lang + "-15-format-dialog-kml");
  p.action("actionSkapaGoogleEarth")->trigger();
  app.builder.ClearAll(nullptr);
  // The map command on an inscription with two places.
  Enter(p, "actionSignum", "U 344");
  ShotDialog("stavbas::gui::TKoordVal", lang + "-16-place-dialog", {}, [lang](QWidget* d) {
    ShotDialog("stavbas::gui::TKartVal", lang + "-17-map-kind");
    static_cast<QDialog*>(d)->accept();
  });
  p.action("actionVisaPaKarta")->trigger();
  // Saving into a file that exists.
  const QString existing = p.folder() + "/utskrift.rtf";
  QFile(existing).open(QIODevice::WriteOnly);
  ShotDialog("QFileDialog", lang + "-18-save-dialog", {}, [existing, lang](QWidget* d) {
    ShotDialog("stavbas::gui::TOverWrite", lang + "-19-overwrite");
    d->findChild<QLineEdit*>("fileNameEdit")->setText(existing);  // as typed
    static_cast<QDialog*>(d)->accept();
  });
  p.action("actionSpara")->trigger();
  // The file viewer and the print dialog.
  p.action("actionFilinformation")->trigger();
  w.fileViewer()->move(120, 120);
  Shot(lang + "-20-file-viewer");
  w.fileViewer()->close();
  ShotDialog("QPrintDialog", lang + "-22-print-dialog");
  p.action("actionSkrivUt")->trigger();
  // The information of an inscription during a pause.
  WhenPaused(w, [&] {
    p.action("actionRunInskriftsinfo")->trigger();
    Shot(lang + "-21-information-in-pause");
    p.action("actionAvbryt")->trigger();
  });
  p.action("actionAlla")->trigger();
  p.action("actionRensaTextfonster")->trigger();
  // A web link of a settings file that the program will not hand to the desktop.
  ShotDialog("QMessageBox", lang + "-23-refused-address");
  app.addresses.OpenWebLink("file:///etc/passwd");
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
  Dialogs(p, "sv");
  p.action("actionEngelska")->trigger();
  p.action("actionPauser")->setChecked(true);
  p.window().show();
  Session(p, "en");
  Dialogs(p, "en");
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
