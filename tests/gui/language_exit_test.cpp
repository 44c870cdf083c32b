// The language switch, help, and leaving the program through the exit dialog.

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/gui/gui_host.h"
#include "app/gui/help_viewer.h"
#include "app/gui/text_edit_window.h"
#include "app/help_map.h"
#include "app/settings_file.h"
#include "app/stavbas_app.h"
#include "gui_fixture.h"

namespace stavbas::gui::test {

namespace {

// Answers the exit dialog: the text choice, the settings choice by its button's name, and "Ja"
// or "Nej". `textShown` tells whether the text group was offered.
void AnswerExit(bool saveText, const char* settingsChoice, bool yes, bool* textShown = nullptr) {
  OnNextModal("stavbas::gui::TAvslutaStavbas", [=](QWidget* d) {
    if (textShown) *textShown = d->findChild<QGroupBox*>("textGroup")->isVisible();
    d->findChild<QRadioButton*>(saveText ? "spara" : "sparaInte")->setChecked(true);
    d->findChild<QRadioButton*>(settingsChoice)->setChecked(true);
    d->findChild<QPushButton*>(yes ? "ja" : "nej")->click();
  });
}

}  // namespace

class LanguageExitTest : public QObject {
  Q_OBJECT

 private slots:
  void switchingLanguageKeepsTextTicksStatesAndClipboard() {
    Program p;
    QVERIFY(p.Start());
    TForm1& w = p.window();
    auto* edit = w.findChild<QPlainTextEdit*>("RichEdit1");
    w.output().Append({{"Röd text\r\n", {"Arial", 12, true, false, kRed}}, {"svart", {}}});
    const QString html = edit->document()->toHtml();
    QApplication::clipboard()->setText("the user's own");
    p.action("actionKommentera")->setChecked(true);
    p.action("actionPauser")->setChecked(false);
    p.action("actionFortsatt")->setEnabled(true);
    p.action("actionTabbMellanKoordinater")->trigger();
    const QFont font = edit->font();

    p.action("actionEngelska")->trigger();
    QCOMPARE(w.language(), Language::English);
    QVERIFY(p.action("actionEngelska")->isChecked());
    QVERIFY(!p.action("actionSvenska")->isChecked());
    QCOMPARE(w.windowTitle(), QString("Stavbas for Windows"));
    QCOMPARE(p.action("actionAlla")->text(), QString("A&ll"));
    QCOMPARE(w.findChild<QLabel*>("statusPanel3")->text(), QString("All provinces"));
    QCOMPARE(edit->document()->toHtml(), html);
    QCOMPARE(QApplication::clipboard()->text(), QString("the user's own"));
    QVERIFY(p.action("actionKommentera")->isChecked());
    QVERIFY(!p.action("actionPauser")->isChecked());
    QVERIFY(!p.action("actionTabbMellanKoordinater")->isChecked());
    QVERIFY(p.action("actionFortsatt")->isEnabled());
    QCOMPARE(edit->font(), font);

    p.action("actionSvenska")->trigger();
    QCOMPARE(w.windowTitle(), QString("Stavbas för Windows"));
    QCOMPARE(p.action("actionAlla")->text(), QString("A&lla"));
    QCOMPARE(w.findChild<QLabel*>("statusPanel3")->text(), QString("Alla landskap"));
    QCOMPARE(edit->document()->toHtml(), html);
  }

  void aMissingModuleLeavesTheLanguageAsItIs() {
    Program p([](const QString& folder) { QFile::remove(folder + "/stavbas.en"); });
    QVERIFY(p.Start());
    p.action("actionEngelska")->trigger();
    QCOMPARE(p.window().language(), Language::Swedish);
    QVERIFY(p.action("actionSvenska")->isChecked());
    QCOMPARE(p.action("actionAlla")->text(), QString("A&lla"));
  }

  void anEnglishUserStartsInEnglishWithTheirTicks() {
    Program p([](const QString& folder) {
      QFile ini(folder + "/stavbas.ini");
      QVERIFY(ini.open(QIODevice::WriteOnly));
      ini.write("[Localisation]\r\nLanguage=ENGLISH\r\n[Const]\r\nPaus=0\r\nComment=1\r\n");
    });
    QVERIFY(p.Start());
    QCOMPARE(p.window().language(), Language::English);
    QVERIFY(!p.action("actionPauser")->isChecked());
    QVERIFY(p.action("actionKommentera")->isChecked());
    QCOMPARE(p.action("actionSignum")->statusTip(), QString("Choose a single inscription"));
  }

  void everyHelpContextOpensAPageInBothLanguages() {
    Program p;
    QVERIFY(p.Start());
    TForm1& w = p.window();
    HelpMap map;
    QVERIFY(map.Load(p.folder().toStdString() + "/help/contexts.map"));
    QSet<int> contexts;
    for (QAction* a : w.findChildren<QAction*>())
      if (a->property("helpContext").toInt() > 0) contexts << a->property("helpContext").toInt();
    QVERIFY(contexts.size() >= 15);
    for (const char* lang : {"sv", "en"})
      for (int c : contexts) {
        QVERIFY2(map.pages().count(c), qPrintable(QString("context %1 has no page").arg(c)));
        const QString page =
            p.folder() + "/help/" + lang + "/" + QString::fromStdString(map.PageFor(c));
        QVERIFY2(QFile::exists(page), qPrintable(page));
      }
    // F1 on the entry row opens the page of its purpose.
    p.action("actionTextsokningskod")->trigger();
    p.action("actionStavbashjalp")->trigger();
    QVERIFY(w.helpViewer() && w.helpViewer()->isVisible());
    QVERIFY(w.helpViewer()->page().toString().endsWith(QString::fromStdString(map.PageFor(40))));
  }

  void theExitDialogWritesTheSettingsOnlyWhenAsked() {
    Program p;
    QVERIFY(p.Start());
    TForm1& w = p.window();
    const QString ini = p.folder() + "/stavbas.ini";
    bool textShown = true;
    AnswerExit(false, "sparaAllt", false, &textShown);
    w.close();
    QVERIFY(w.isVisible());  // "Nej": the program goes on
    QVERIFY(!textShown);     // an empty window offers no text to save
    QVERIFY(!QFile::exists(ini));

    QVERIFY(w.app().conditions.ParseWordSearchCode("RUN:stain"));
    p.action("actionPauser")->setChecked(false);
    AnswerExit(false, "sparaAllt", true);
    w.close();
    QVERIFY(!w.isVisible());
    const Settings saved = ReadSettings(ini.toStdString());
    QCOMPARE(QString::fromStdString(saved.codes.parameterCode), QString("RUN:stain"));
    QVERIFY(!saved.consts.paus);
  }

  void aSaveThatFailsKeepsTheProgramOpen() {
    Program p;
    QVERIFY(p.Start());
    TForm1& w = p.window();
    w.output().Append({{"Text that must not be lost\r\n", {}}});
    w.app().settings.saveFile = {(p.folder() + "/no/such/folder/out.rtf").toStdString(), true};
    bool textShown = false;
    QString error;
    AnswerExit(true, "sparaInstallningar", true, &textShown);
    AnswerNextBox(true, &error);
    w.close();
    QVERIFY(textShown);
    QVERIFY(error.startsWith("Texten kunde inte sparas"));
    QVERIFY(w.isVisible());
    QVERIFY2(!QFile::exists(p.folder() + "/stavbas.ini"), "no settings when the user stays");
  }

  void closingDuringAPausedRunRecordsTheInterruptionBeforeSaving() {
    Program p;
    QVERIFY(p.Start());
    TForm1& w = p.window();
    WhenPaused(w, [&] {
      WhenPaused(w, [&] {
        AnswerExit(false, "sparaAllt", true);
        w.close();
      });
      p.action("actionNasta")->trigger();
    });
    p.action("actionAlla")->trigger();
    QVERIFY(!w.isVisible());
    const Settings saved = ReadSettings((p.folder() + "/stavbas.ini").toStdString());
    QVERIFY(saved.interruption.present);
    QCOMPARE(saved.interruption.runKind, 2);
    QVERIFY(!saved.interruption.signatureType.empty());
    QVERIFY(p.outputText().contains(" (avbrott vid "));
  }

  void closingAndStayingDoesNotStopLaterRuns() {
    Program p;
    QVERIFY(p.Start());
    TForm1& w = p.window();
    // Close during a paused run, answer "Nej": the run has ended, the program goes on.
    WhenPaused(w, [&] {
      AnswerExit(false, "behallStartvarde", false);
      w.close();
    });
    p.action("actionAlla")->trigger();
    QVERIFY(w.isVisible());
    QVERIFY(w.findChild<QMenu*>("menuInskrift")->menuAction()->isVisible());
    // Closing while idle and staying sets no run flag either.
    AnswerExit(false, "behallStartvarde", false);
    w.close();
    // A whole run without pauses shows every inscription, not just the first.
    p.action("actionRensaTextfonster")->trigger();
    p.action("actionPauser")->setChecked(false);
    p.action("actionAlla")->trigger();
    const QString out = p.outputText();
    QVERIFY2(out.count("\n\n") > 20 || out.split('\n').size() > 60, qPrintable(out.left(300)));
    QVERIFY(!out.contains("avbrott"));
  }
};

}  // namespace stavbas::gui::test

std::unique_ptr<QObject> MakeLanguageExitTest() {
  return std::make_unique<stavbas::gui::test::LanguageExitTest>();
}

#include "language_exit_test.moc"
