// The main window on the offscreen platform: start-up, the command table, runs with pauses,
// the entry row and the editing commands.

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include "app/gui/gui_host.h"
#include "app/gui/text_edit_window.h"
#include "app/stavbas_app.h"
#include "gui_fixture.h"

namespace stavbas::gui::test {

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  static QString Panel(Program& p, int i) {
    return p.window().findChild<QLabel*>(QStringLiteral("statusPanel%1").arg(i))->text();
  }
  static int Count(const QString& text, const QString& what) { return text.count(what); }

 private slots:
  void startsOnTheSampleWithTheMenusOfTheWindow() {
    Program p;
    QVERIFY(p.Start());
    TForm1& w = p.window();
    QCOMPARE(w.windowTitle(), QString("Stavbas för Windows"));
    QCOMPARE(p.outputText(), QString());  // nothing went wrong, so the progress lines are gone
    QCOMPARE(Panel(p, 3), QString("Alla landskap"));
    QCOMPARE(w.findChild<QLabel*>("Landskapsurval")->text(), QString("Alla landskap"));
    QStringList titles;
    for (QAction* a : w.menuBar()->actions())
      if (a->menu() && a->isVisible()) titles << a->text();
    QCOMPARE(titles, (QStringList{"&Inskrift", "&Redigera", "Sök i &text", "&Urval", "&Format",
                                  "&Spara", "I&nställningar", "&Diverse", "R&ensa", "&Hjälp"}));
    QVERIFY(!p.action("actionFortsatt")->isEnabled());
    QVERIFY(!p.action("actionSkapaUrvalsfil")->isEnabled());
    QVERIFY(p.action("actionPauser")->isChecked());
    QVERIFY(p.action("actionTabbMellanKoordinater")->isChecked());
    QVERIFY(p.action("actionSvenska")->isChecked());
    QCOMPARE(p.action("actionSok")->shortcut(), QKeySequence("Ctrl+B"));
    QCOMPARE(p.action("actionFilinformation")->shortcut(), QKeySequence(Qt::Key_F3));
    QCOMPARE(p.action("actionFortsatt")->statusTip(),
             QString("Fortsätt efter \"avbryt\" från aktuell inskrift"));
    QVERIFY2(!p.action("actionNasta")->isVisible(), "the run menu is hidden while idle");
    QVERIFY(!p.action("buttonPaus")->isVisible());
    // Every menu entry can be reached by a key: each caption carries an access key.
    for (QMenu* menu : w.menuBar()->findChildren<QMenu*>())
      for (QAction* a : menu->actions())
        if (!a->isSeparator() && !a->text().isEmpty() && !a->menu() &&
            menu->objectName() != "menuInskrift" && !menu->objectName().contains("Villkor"))
          QVERIFY2(a->text().contains('&'), qPrintable(a->text()));
  }

  void everyCommandOfTheCoreHasItsPlaceInTheWindow() {
    Program p;
    QFile header(SourceDir() + "/src/base/commands.h");
    QVERIFY(header.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(header.readAll());
    const QRegularExpression name(R"re(std::string_view\s+k\w+\s*=\s*"(\w+)")re");
    int names = 0;
    for (auto it = name.globalMatch(text); it.hasNext();) {
      const QString command = it.next().captured(1);
      ++names;
      const auto found = p.window().host().commands.find(command.toStdString());
      QVERIFY2(found != p.window().host().commands.end(), qPrintable("no target: " + command));
      QVERIFY2(found->second.action || found->second.apply, qPrintable(command));
    }
    QVERIFY(names >= 20);
  }

  void aSignumRunShowsOneInscriptionAndRemembersIt() {
    Program p;
    QVERIFY(p.Start());
    TForm1& w = p.window();
    auto* combo = w.findChild<QComboBox*>("entryCombo");
    const QStringList signums = {"U 344", "Öl 14", "U 12", "Sö 119", "Ög 136", "U 344", "Vg 4"};
    for (const QString& s : signums) {
      p.action("actionSignum")->trigger();
      QVERIFY(combo->isVisible());
      combo->setEditText(s);
      QTest::keyClick(combo, Qt::Key_Return);
      QVERIFY(!combo->isVisible());
    }
    const QString out = p.outputText();
    QVERIFY(out.contains("U 344"));
    QVERIFY2(!out.contains("inskrift"), "one exact signum in text format: no counts line");
    QStringList recent;
    QMenu* menu = w.findChild<QMenu*>("menuInskrift");
    bool below = false;
    for (QAction* a : menu->actions()) {
      if (a->isSeparator())
        below = true;
      else if (below)
        recent << a->text();
    }
    // Six distinct signums: the oldest went; the repeated one added nothing.
    QCOMPARE(recent, (QStringList{"Öl 14", "U 12", "Sö 119", "Ög 136", "Vg 4"}));
  }

  void anAllRunPausesAndGoesOnWithNastaAndResten() {
    Program p;
    QVERIFY(p.Start());
    TForm1& w = p.window();
    QStringList seen;
    WhenPaused(w, [&] {
      seen << QString::number(Count(p.outputText(), "\n"));
      QVERIFY(p.action("actionNasta")->isVisible());
      QVERIFY(p.action("actionNasta")->isEnabled());
      QVERIFY(!w.findChild<QMenu*>("menuInskrift")->menuAction()->isVisible());
      QVERIFY2(!w.host().busyCursor(), "the arrow while the run waits");
      QVERIFY(p.action("actionRunInskriftsinfo")->shortcut() == QKeySequence(Qt::Key_F2));
      QVERIFY(p.action("actionInskriftsinformation")->shortcut().isEmpty());
      p.action("actionNasta")->trigger();
      WhenPaused(w, [&] {
        seen << p.outputText();
        p.action("actionResten")->trigger();
      });
    });
    p.action("actionAlla")->trigger();
    QCOMPARE(seen.size(), 2);
    const QString all = p.outputText();
    QVERIFY(all.size() > seen[1].size());
    QVERIFY(QRegularExpression("\\d+ inskrifter").match(all).hasMatch());
    QVERIFY(w.findChild<QMenu*>("menuInskrift")->menuAction()->isVisible());
    QVERIFY(!p.action("actionNasta")->isVisible());
    QVERIFY(!w.host().busyCursor());
    QCOMPARE(p.action("actionInskriftsinformation")->shortcut(), QKeySequence(Qt::Key_F2));
    QVERIFY2(p.action("actionPauser")->isChecked(), "Resten turns pauses off for one run only");
  }

  void avbrytRecordsWhereTheRunStoppedAndFortsattGoesOnThere() {
    Program p;
    QVERIFY(p.Start());
    TForm1& w = p.window();
    QString stoppedAt;
    WhenPaused(w, [&] {
      WhenPaused(w, [&] { p.action("actionAvbryt")->trigger(); });
      p.action("actionNasta")->trigger();
    });
    p.action("actionAlla")->trigger();
    const QRegularExpression stop(R"( \(avbrott vid (.+)\))");
    const auto m = stop.match(p.outputText());
    QVERIFY2(m.hasMatch(), qPrintable(p.outputText()));
    stoppedAt = m.captured(1);
    QVERIFY(p.action("actionFortsatt")->isEnabled());
    QVERIFY(w.findChild<QMenu*>("menuInskrift")->menuAction()->isVisible());

    const int before = p.outputText().size();
    QString firstShown;
    WhenPaused(w, [&] {
      firstShown = p.outputText().mid(before);
      p.action("actionResten")->trigger();
    });
    p.action("actionFortsatt")->trigger();
    QVERIFY2(firstShown.contains(stoppedAt.trimmed()), qPrintable(firstShown));
    QVERIFY2(!p.action("actionFortsatt")->isEnabled(), "the run went to its end");
  }

  void aRefusedCodeInTheEntryRowIsRestored() {
    Program p;
    QVERIFY(p.Start());
    TForm1& w = p.window();
    auto* combo = w.findChild<QComboBox*>("entryCombo");
    p.action("actionTextsokningskod")->trigger();
    QVERIFY(combo->isVisible());
    QCOMPARE(combo->statusTip(), QString("Ange ordsökningskod"));
    combo->setEditText("RUN:stain");
    QTest::keyClick(combo, Qt::Key_Return);
    QVERIFY(!combo->isVisible());
    QCOMPARE(Panel(p, 1), QString("RUN:stain"));
    QVERIFY(p.action("actionSkapaUrvalsfil")->isEnabled());

    p.action("actionTextsokningskod")->trigger();
    combo->setEditText("RUN:sta{in");
    QString message;
    AnswerNextBox(true, &message);
    QTest::keyClick(combo, Qt::Key_Return);
    QVERIFY(!message.isEmpty());
    QVERIFY2(combo->isVisible(), "the row stays open on the restored code");
    QCOMPARE(combo->currentText(), QString("RUN:stain"));
    QCOMPARE(Panel(p, 1), QString("RUN:stain"));
    QCOMPARE(QString::fromStdString(w.app().conditions.wordSearchCode()), QString("RUN:stain"));
    QTest::keyClick(combo, Qt::Key_Escape);
    QVERIFY(!combo->isVisible());
  }

  void editingFindingAndClearing() {
    Program p;
    QVERIFY(p.Start());
    TForm1& w = p.window();
    auto* edit = w.findChild<QPlainTextEdit*>("RichEdit1");
    w.output().maxLength = 70000;
    p.action("actionPauser")->setChecked(false);
    p.action("actionAlla")->trigger();
    QVERIFY(!p.outputText().isEmpty());
    w.findChild<QMenu*>("menuRedigera")->aboutToShow();
    QVERIFY(!p.action("actionKlippUt")->isEnabled());
    QVERIFY(p.action("actionMarkeraAllt")->isEnabled());
    p.action("actionMarkeraAllt")->trigger();
    QVERIFY(p.action("actionKopiera")->isEnabled());
    QTextCursor c = edit->textCursor();
    c.setPosition(0);
    c.setPosition(5, QTextCursor::KeepAnchor);
    edit->setTextCursor(c);
    const QString cut = c.selectedText();
    p.action("actionKlippUt")->trigger();
    QVERIFY(!p.outputText().startsWith(cut));
    QVERIFY(edit->isReadOnly());
    // Find: forward from the end of the selection; a miss says so.
    c.setPosition(0);
    edit->setTextCursor(c);
    p.action("actionSok")->trigger();
    auto* find = w.findChild<QDialog*>("FindDialog");
    QVERIFY(find && find->isVisible());
    find->findChild<QLineEdit*>("findText")->setText("stain");
    find->findChild<QPushButton*>("findNext")->click();
    const int first = edit->textCursor().selectionStart();
    QCOMPARE(edit->textCursor().selectedText(), QString("stain"));
    find->findChild<QPushButton*>("findNext")->click();
    QVERIFY(edit->textCursor().selectionStart() > first);
    find->findChild<QLineEdit*>("findText")->setText("finns inte här");
    QString message;
    AnswerNextBox(true, &message);
    find->findChild<QPushButton*>("findNext")->click();
    QCOMPARE(message, QString("Hittar inte \"finns inte här\""));
    find->close();

    p.action("actionRensaTextfonster")->trigger();
    QCOMPARE(p.outputText(), QString());
    QCOMPARE(w.output().maxLength, std::size_t{2000000});  // clearing restores the maximum
    w.findChild<QMenu*>("menuRedigera")->aboutToShow();
    QVERIFY(!p.action("actionSok")->isEnabled());
  }

  void theOutputFollowsARunUntilTheUserScrollsAway() {
    Program p;
    QVERIFY(p.Start());
    TForm1& w = p.window();
    w.resize(500, 300);
    p.action("actionPauser")->setChecked(false);
    p.action("actionAlla")->trigger();
    auto* bar = w.findChild<QPlainTextEdit*>("RichEdit1")->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), bar->maximum());
  }

  void withoutADatabaseTheProgramStaysUsable() {
    Program p([](const QString& folder) {
      for (const QString& f : QDir(folder).entryList({"STAVBAS.*"}))
        QFile::remove(folder + "/" + f);
    });
    QString opening;
    AnswerNextBox(true, &opening);  // the database is unusable
    OnNextModal("QInputDialog", [](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
    QVERIFY(p.Start());
    QVERIFY(opening.startsWith("Ingen fullständig ordfil"));
    QString message;
    AnswerNextBox(true, &message);
    p.action("actionAlla")->trigger();
    QVERIFY(message.startsWith("Ingen fullständig ordfil"));
    QVERIFY(p.window().findChild<QMenu*>("menuInskrift")->menuAction()->isVisible());
  }

  void theFontFromTheMenuAlsoChangesLaterOutputButFromTheContextMenuOnlyTheSelection() {
    Program p;
    QVERIFY(p.Start());
    TForm1& w = p.window();
    w.output().Append({{"U 344 V stain\r\n", {}}});
    auto* edit = w.findChild<QPlainTextEdit*>("RichEdit1");
    auto choose = [&](const QString& family, QAction* command) {
      QTextCursor c(edit->document());
      c.setPosition(0);
      c.setPosition(5, QTextCursor::KeepAnchor);
      edit->setTextCursor(c);
      OnNextModal("QFontDialog", [family](QWidget* d) {
        auto* dialog = static_cast<QFontDialog*>(d);
        dialog->setCurrentFont(QFont(family, 14));
        dialog->accept();
      });
      command->trigger();
      return edit->textCursor().charFormat().fontFamilies().toStringList().value(0);
    };
    const QStringList families = QFontDatabase::families();
    QVERIFY(families.size() >= 2);
    const QString first = families.first(), last = families.last();
    QCOMPARE(choose(first, w.findChild<QAction*>("contextTeckensnitt")), first);
    QCOMPARE(QString::fromStdString(w.app().output.fontName), QString("Arial"));
    QCOMPARE(choose(last, p.action("actionTeckensnitt")), last);
    QCOMPARE(QString::fromStdString(w.app().output.fontName), last);
  }

  void webAddressesBecomeLinks() {
    Program p;
    QVERIFY(p.Start());
    TForm1& w = p.window();
    w.output().Append({{"Se https://example.org/sten och www.runor.se.\r\n", {}}});
    auto* edit = w.findChild<QPlainTextEdit*>("RichEdit1");
    QStringList hrefs;
    for (QTextBlock b = edit->document()->begin(); b.isValid(); b = b.next())
      for (auto it = b.begin(); !it.atEnd(); ++it)
        if (it.fragment().charFormat().isAnchor()) hrefs << it.fragment().charFormat().anchorHref();
    QCOMPARE(hrefs, (QStringList{"https://example.org/sten", "http://www.runor.se"}));
  }

  void theOutputStaysBlackOnWhiteUnderADarkTheme() {
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Window, QColor(40, 40, 40));
    const QPalette old = QApplication::palette();
    QApplication::setPalette(dark);
    Program p;
    QVERIFY(p.Start());
    auto* edit = p.window().findChild<QPlainTextEdit*>("RichEdit1");
    QCOMPARE(edit->palette().color(QPalette::Base), QColor(Qt::white));
    p.window().output().Append({{"svart", {}}});
    QTextCursor c(edit->document());
    c.movePosition(QTextCursor::End);
    QCOMPARE(c.charFormat().foreground().color(), QColor(Qt::black));
    QApplication::setPalette(old);
  }
};

}  // namespace stavbas::gui::test

std::unique_ptr<QObject> MakeMainWindowTest() {
  return std::make_unique<stavbas::gui::test::MainWindowTest>();
}

#include "main_window_test.moc"
