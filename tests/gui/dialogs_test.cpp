// The dialogs that build the codes, on the offscreen platform: the province choice, the input
// and select boxes of "Sök i text" and "Urval", and the format dialog.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "app/gui/gui_host.h"
#include "app/gui/text_convert.h"
#include "app/stavbas_app.h"
#include "conditions/province_set.h"
#include "gui_fixture.h"

namespace stavbas::gui::test {

class DialogsTest : public QObject {
  Q_OBJECT

 private:
  static QString Panel(Program& p, int i) {
    return p.window().findChild<QLabel*>(QStringLiteral("statusPanel%1").arg(i))->text();
  }
  template <typename T>
  static T* Child(QWidget* w, const char* name) {
    T* child = w->findChild<T*>(name);
    if (!child) qWarning("no %s", name);
    return child;
  }

 private slots:
  void theProvinceDialogFollowsTheBoxesAndMakesThemTheSelection() {
    Program p;
    QVERIFY(p.Start());
    bool checked = false;
    OnNextModal("stavbas::gui::TGetCounty", [&](QWidget* d) {
      // It opens with every box checked and "Välj alla".
      QVERIFY(Child<QRadioButton>(d, "valjAlla")->isChecked());
      QCOMPARE(Child<QCheckBox>(d, "province1")->text(), QString("Öland (Öl)"));
      QVERIFY(!Child<QCheckBox>(d, "province43")->isEnabled());
      Child<QCheckBox>(d, "province6")->click();
      QVERIFY(Child<QRadioButton>(d, "valfritt")->isChecked());
      Child<QRadioButton>(d, "ingetVal")->click();
      QVERIFY(!Child<QCheckBox>(d, "province1")->isChecked());
      QVERIFY2(!Child<QPushButton>(d, "ok")->isEnabled(), "no province: no OK");
      Child<QRadioButton>(d, "helaSverige")->click();
      QVERIFY(Child<QCheckBox>(d, "province21")->isChecked());
      QVERIFY(!Child<QCheckBox>(d, "province22")->isChecked());
      // Great Britain by hand: its radio button follows.
      Child<QRadioButton>(d, "ingetVal")->click();
      for (int n = 28; n <= 32; ++n)
        Child<QCheckBox>(d, qPrintable(QString("province%1").arg(n)))->click();
      QVERIFY(Child<QRadioButton>(d, "storbritannien")->isChecked());
      Child<QRadioButton>(d, "helaSverige")->click();
      checked = true;
      Child<QPushButton>(d, "ok")->click();
    });
    QVERIFY(!p.action("actionSkapaUrvalsfil")->isEnabled());
    p.action("actionLandskap")->trigger();
    QVERIFY(checked);
    const QString sweden = Q(BuildProvinceText(ProvinceSet::Sweden()));
    QCOMPARE(Panel(p, 3), sweden);
    QCOMPARE(p.window().findChild<QLabel*>("Landskapsurval")->text(), sweden);
    QVERIFY2(p.action("actionSkapaUrvalsfil")->isEnabled(), "a selection exists");
    QVERIFY(p.action("actionSkapaCsv")->isEnabled());
    // "Avbryt" leaves the selection; the boxes keep what the user did for the next "OK".
    AnswerNextDialog(
        "stavbas::gui::TGetCounty", [](QWidget* d) { Child<QCheckBox>(d, "province1")->click(); },
        false);
    p.action("actionLandskap")->trigger();
    QCOMPARE(Panel(p, 3), sweden);
    AnswerNextDialog("stavbas::gui::TGetCounty",
                     [](QWidget* d) { QVERIFY(!Child<QCheckBox>(d, "province1")->isChecked()); });
    p.action("actionLandskap")->trigger();
    QVERIFY(Panel(p, 3).startsWith("Ög"));
    // Clearing the conditions gives every province and takes the commands away again.
    p.action("actionRensaVillkor")->trigger();
    QCOMPARE(Panel(p, 3), QString("Alla landskap"));
    QVERIFY(!p.action("actionSkapaUrvalsfil")->isEnabled());
    AnswerNextDialog("stavbas::gui::TGetCounty", [](QWidget* d) {
      QVERIFY(Child<QRadioButton>(d, "valjAlla")->isChecked());
      QVERIFY(Child<QCheckBox>(d, "province1")->isChecked());
    });
    p.action("actionLandskap")->trigger();
    QCOMPARE(Panel(p, 3), QString("Alla landskap"));
  }

  void theInputBoxInsertsCharactersAtTheCaretAndBuildsTheCode() {
    Program p;
    QVERIFY(p.Start());
    AnswerNextDialog("stavbas::gui::TMyInputBox", [](QWidget* d) {
      QCOMPARE(Child<QLabel>(d, "Label1")->text(), QString("Ange vad som söks i Stavbas.RUN"));
      QVERIFY(!Child<QToolButton>(d, "korsKnapp")->isVisible());
      QVERIFY(Child<QToolButton>(d, "thornKnapp")->isVisible());
      auto* field = Child<QLineEdit>(d, "Edit1");
      QTest::keyClicks(field, "sten ar");
      field->setCursorPosition(4);
      Child<QToolButton>(d, "punktKnapp")->click();
      Child<QToolButton>(d, "ogonekKnapp")->click();  // inserts ô
      QCOMPARE(field->text(), QString("sten·ô ar"));
      // The dialog's own focus, not the application's: under a loaded offscreen display the
      // dialog may not be the active window yet.
      QCOMPARE(d->focusWidget(), static_cast<QWidget*>(field));
      QCOMPARE(field->cursorPosition(), 6);
    });
    p.action("actionNyRuntext")->trigger();
    QCOMPARE(Q(p.window().app().conditions.wordSearchCode()), QString("RUN:sten·ô_ar"));
    QCOMPARE(Panel(p, 1), QString("RUN:sten·ô_ar"));
    // The signum entry shows † alone; "Avbryt" builds nothing and brings the letters back.
    AnswerNextDialog(
        "stavbas::gui::TMyInputBox",
        [](QWidget* d) {
          QCOMPARE(Child<QLabel>(d, "Label1")->text(),
                   QString("Vad söks i tredje delen av signum (M,U,$,†)?"));
          QVERIFY(Child<QToolButton>(d, "korsKnapp")->isVisible());
          QVERIFY(!Child<QToolButton>(d, "thornKnapp")->isVisible());
          QCOMPARE(Child<QLineEdit>(d, "Edit1")->selectedText(), QString("sten·ô ar"));
          Child<QCheckBox>(d, "sokDirekt")->setChecked(true);
        },
        false);
    p.action("actionNyttSignumdel3")->trigger();
    QVERIFY(p.window().app().conditions.inscriptionCode().empty());
    AnswerNextDialog("stavbas::gui::TMyInputBox", [](QWidget* d) {
      QVERIFY(!Child<QCheckBox>(d, "sokDirekt")->isChecked());
      QVERIFY(!Child<QToolButton>(d, "korsKnapp")->isVisible());
      auto* field = Child<QLineEdit>(d, "Edit1");
      field->clear();
      QTest::keyClicks(field, "V");
      Child<QRadioButton>(d, "utanRadio")->click();
    });
    p.action("actionNyttNfs")->trigger();
    QCOMPARE(Q(p.window().app().conditions.inscriptionCode()), QString("-NFS%:V"));
  }

  void theSelectBoxOffersTheFieldsValuesAndSearchesAPickedOneAsItStands() {
    Program p;
    QVERIFY(p.Start());
    p.action("actionPauser")->setChecked(false);
    QString picked;
    AnswerNextDialog("stavbas::gui::TMySelectBox", [&](QWidget* d) {
      QCOMPARE(Child<QLabel>(d, "Label1")->text(), QString("Vad söks i Material?"));
      QVERIFY(!Child<QToolButton>(d, "aeKnapp")->isVisible());
      auto* combo = Child<QComboBox>(d, "ComboBox1");
      QVERIFY(combo->count() >= 5);
      QCOMPARE(combo->itemText(0), QString("Brons"));
      const int index = combo->findText("Röd granit");
      QVERIFY(index >= 0);
      combo->setCurrentIndex(index);
      emit combo->textActivated(combo->currentText());
      picked = combo->currentText();
      Child<QCheckBox>(d, "sokDirekt")->setChecked(true);
    });
    p.action("actionFlerMaterial")->trigger();
    QCOMPARE(picked, QString("Röd granit"));
    QCOMPARE(Q(p.window().app().conditions.inscriptionCode()), QString("INF;A:Röd_granit"));
    // "Sök direkt": the run followed at once.
    QVERIFY2(p.outputText().contains("Sö 175 V"), qPrintable(p.outputText()));
    QVERIFY(p.outputText().contains("inskrifter"));
    QVERIFY(!p.outputText().contains("Ög 8 V"));
  }

  void theFormatDialogBuildsTheCodeAndOpensItsEntryRow() {
    Program p;
    QVERIFY(p.Start());
    AnswerNextDialog("stavbas::gui::TFormatval", [](QWidget* d) {
      QCOMPARE(d->windowTitle(), QString("Formatval - Beläggformat"));
      auto* choices = Child<QListWidget>(d, "Vallista");
      QCOMPARE(choices->item(1)->text(), QString("Extra mellanrum"));
      QVERIFY(!Child<QLabel>(d, "fastDel")->isVisible());
      choices->item(5)->setSelected(true);
      choices->item(4)->setSelected(true);
      Child<QToolButton>(d, "valjUt")->click();
      auto* chosen = Child<QListWidget>(d, "Valdlista");
      QCOMPARE(chosen->count(), 2);
      QCOMPARE(chosen->item(0)->text(), QString("Signum"));
      chosen->setCurrentRow(1);
      Child<QToolButton>(d, "uppKnapp")->click();
      QCOMPARE(chosen->item(0)->text(), QString("Runtext (Runtext.run)"));
      Child<QRadioButton>(d, "medRubriker")->click();
    });
    p.action("actionBelaggformat")->trigger();
    QCOMPARE(Q(p.window().app().format.code()), QString("ßRUN $ "));
    auto* combo = p.window().findChild<QComboBox*>("entryCombo");
    QVERIFY(combo->isVisible());
    QCOMPARE(combo->currentText(), QString("ßRUN $ "));
    // A code too long for a format code keeps the dialog open and the previous code in force.
    QString message;
    AnswerNextDialog("stavbas::gui::TFormatval", [&](QWidget* d) {
      auto* chosen = Child<QListWidget>(d, "Valdlista");
      chosen->selectAll();
      Child<QToolButton>(d, "valjBort")->click();
      QCOMPARE(chosen->count(), 0);
      auto* choices = Child<QListWidget>(d, "Vallista");
      choices->clearSelection();
      choices->item(0)->setSelected(true);  // "Standardformat", 14 characters each time
      for (int i = 0; i < 20; ++i) emit choices->itemDoubleClicked(choices->item(0));
      QCOMPARE(chosen->count(), 20);
      OnNextModal("QMessageBox", [&message, d](QWidget* box) {
        message = static_cast<QMessageBox*>(box)->text();
        static_cast<QMessageBox*>(box)->accept();
        QTimer::singleShot(0, d, [d] {
          QVERIFY2(d->isVisible(), "the dialog stays for a change");
          static_cast<QDialog*>(d)->reject();
        });
      });
    });
    p.action("actionTextformat")->trigger();
    QVERIFY2(message.startsWith("Koden blir längre än 255 tecken"), qPrintable(message));
    QCOMPARE(Q(p.window().app().format.code()), QString("ßRUN $ "));
  }
};

}  // namespace stavbas::gui::test

std::unique_ptr<QObject> MakeDialogsTest() {
  return std::make_unique<stavbas::gui::test::DialogsTest>();
}

#include "dialogs_test.moc"
