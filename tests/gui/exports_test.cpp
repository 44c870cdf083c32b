// The commands of "Spara" that export, and those that reach outside the program, driven
// through their dialogs on the offscreen platform. The desktop's opening of files and
// addresses is recorded instead of carried out.

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/gui/gui_host.h"
#include "app/gui/help_viewer.h"
#include "app/gui/output_text_edit.h"
#include "app/gui/text_convert.h"
#include "app/stavbas_app.h"
#include "base/cp1252.h"
#include "conditions/province_set.h"
#include "gui_fixture.h"

namespace stavbas::gui::test {

class ExportCommandsTest : public QObject {
  Q_OBJECT

 private:
  static QString Read(const QString& path, bool cp1252 = false) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = f.readAll();
    return cp1252 ? Q(bytes.toStdString()) : QString::fromUtf8(bytes);
  }
  static void Select(Program& p, const char* provinces) {
    StavbasApp& app = p.window().app();
    app.settings.provinces.Assign(*ParseProvinceText(Utf8ToCp1252(provinces)));
    app.builder.UpdateExportCommands();
  }
  static void ShowSignum(Program& p, const QString& signum) {
    p.action("actionSignum")->trigger();
    auto* combo = p.window().findChild<QComboBox*>("entryCombo");
    combo->setEditText(signum);
    QTest::keyClick(combo, Qt::Key_Return);
  }

 private slots:
  void init() { OpenedUrls::Instance().urls.clear(); }

  void aCsvExportWritesItsFileAfterItsDialogsAndLeavesTheWindowAlone() {
    Program p;
    QVERIFY(p.Start());
    ShowSignum(p, "Öl 14");
    const QString before = p.outputText();
    Select(p, "U");
    QVERIFY(p.action("actionSkapaCsv")->isEnabled());
    bool asked = false;
    AnswerNextDialog("stavbas::gui::TFormatval", [&](QWidget* d) {
      asked = true;
      QCOMPARE(d->windowTitle(), QString("Formatval - för CSV-fil"));
      QVERIFY(!d->findChild<QWidget*>("rubriker")->isEnabled());
      QVERIFY(d->findChild<QRadioButton*>("medRubriker")->isChecked());
      QCOMPARE(d->findChild<QLabel*>("fastDel")->text(), QString(">.$, INF;X+ INF;Y+ "));
      QCOMPARE(d->findChild<QLabel*>("Label2")->text(),
               QString("Oavsett om något väljs erhålls alltid Signum + koordinater"));
      auto* choices = d->findChild<QListWidget*>("Vallista");
      QCOMPARE(choices->item(0)->text(), QString("Runtext (Runtext.run)"));
      choices->findItems("Material", Qt::MatchExactly).front()->setSelected(true);
      d->findChild<QToolButton*>("valjUt")->click();
      AnswerNextFileDialog(p.folder() + "/uppland");
    });
    p.action("actionSkapaCsv")->trigger();
    QVERIFY(asked);
    const QString csv = Read(p.folder() + "/uppland.CSV", true);
    QVERIFY2(csv.contains("Material"), qPrintable(csv));
    QVERIFY(csv.contains("U 344"));
    QVERIFY(csv.contains("Grå granit"));
    QVERIFY(!csv.contains("Öl 14"));
    QCOMPARE(p.outputText(), before);
    QCOMPARE(OpenedUrls::Instance().urls.size(), 1);
    QVERIFY(OpenedUrls::Instance().urls[0].toLocalFile().endsWith("/uppland.CSV"));
    // The dialog's choice is the export's standard format now.
    QVERIFY(p.window().app().settings.csv.standardFormat.find("INF;A+") != std::string::npos);
  }

  void theCurrentInscriptionWithTwoPlacesAsksWhichOneToExport() {
    Program p;
    QVERIFY(p.Start());
    ShowSignum(p, "U 344");
    AnswerNextDialog("stavbas::gui::TKoordVal", [&](QWidget* d) {
      QVERIFY(d->findChild<QRadioButton*>("first")->isChecked());
      d->findChild<QRadioButton*>("second")->click();  // "Nuvarande plats"
      AnswerNextDialog("stavbas::gui::TFormatval", [&](QWidget* f) {
        // The standard format's elements are chosen already.
        QCOMPARE(f->findChild<QListWidget*>("Valdlista")->count(), 10);
        AnswerNextFileDialog(p.folder() + "/u344.kml");
      });
    });
    p.action("actionSkapaGoogleEarth")->trigger();
    const QString kml = Read(p.folder() + "/u344.kml");
    QVERIFY2(kml.contains("<name>U 344 V</name>"), qPrintable(kml));
    QVERIFY(!p.window().app().exports.originPlace);
    QCOMPARE(OpenedUrls::Instance().urls.size(), 1);
    // A file of the name exists: the command asks before writing over it.
    QString question;
    AnswerNextDialog("stavbas::gui::TKoordVal", [&](QWidget*) {
      AnswerNextDialog("stavbas::gui::TFormatval", [&](QWidget*) {
        AnswerNextFileDialog(p.folder() + "/u344.kml");
        AnswerNextBox(false, &question);
      });
    });
    p.action("actionSkapaGoogleEarth")->trigger();
    QCOMPARE(question, QString("Vill Du skriva över filen u344.kml?"));
    QCOMPARE(OpenedUrls::Instance().urls.size(), 1);
  }

  void theSelectionFileAddsToAFileWhenTheUserSaysSo() {
    Program p;
    QVERIFY(p.Start());
    {
      QFile f(p.folder() + "/urval.txt");
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write("Sm 16 V\r\n");
    }
    Select(p, "Öl");
    QString saved;
    AnswerNextFileDialog(p.folder() + "/urval.txt");
    AnswerNextDialog("stavbas::gui::TOverWrite", [&](QWidget* d) {
      QCOMPARE(d->findChild<QLabel*>("fileName")->text(), p.folder() + "/urval.txt");
      d->findChild<QRadioButton*>("second")->click();  // "Lägg till i slutet på filen"
      AnswerNextBox(true, &saved);
    });
    p.action("actionSkapaUrvalsfil")->trigger();
    QVERIFY2(saved.endsWith("är sparad, filen används sedan med funktionen \"Läs urvalsfil\""),
             qPrintable(saved));
    const QString list = Read(p.folder() + "/urval.txt", true);
    QVERIFY2(list.startsWith("Sm 16 V\r\nÖl 14 V"), qPrintable(list));
    QCOMPARE(list.count("Öl "), 4);
    QCOMPARE(p.outputText(), QString());
  }

  void theMapCommandInAPauseLeavesTheRunWhereItWas() {
    Program p;
    QVERIFY(p.Start());
    Select(p, "Öl");
    TForm1& w = p.window();
    bool exported = false;
    WhenPaused(w, [&] {
      AnswerNextDialog("stavbas::gui::TKartVal", [&](QWidget*) {
        AnswerNextDialog("stavbas::gui::TFormatval",
                         [&](QWidget*) { AnswerNextFileDialog(p.folder() + "/karta"); });
      });
      p.action("actionRunKarta")->trigger();
      exported = QFile::exists(p.folder() + "/karta.HTML");
      QVERIFY(w.host().waiting());
      QVERIFY(p.action("actionNasta")->isVisible());
      QVERIFY(p.action("actionNasta")->isEnabled());
      QVERIFY(!w.findChild<QMenu*>("menuInskrift")->menuAction()->isVisible());
      p.action("actionResten")->trigger();
    });
    p.action("actionAlla")->trigger();
    QVERIFY(exported);
    const QString out = p.outputText();
    QVERIFY2(out.endsWith("4 inskrifter"), qPrintable(out));
    QCOMPARE(out.count("Öl 14 V"), 1);
    QCOMPARE(OpenedUrls::Instance().urls.size(), 1);
    QVERIFY(OpenedUrls::Instance().urls[0].toLocalFile().endsWith("karta.HTML"));
  }

  void theBibliographyAndTheErrorReportOpenTheirAddresses() {
    Program p;
    QVERIFY(p.Start());
    QString message;
    AnswerNextBox(true, &message);
    p.action("actionInskriftsbibliografi")->trigger();
    QCOMPARE(message, QString("Ingen aktuell inskrift finns att visa bibliografidata för"));
    ShowSignum(p, "Öl 14");
    const QString before = p.outputText();
    p.action("actionInskriftsbibliografi")->trigger();
    p.action("buttonFelrapport")->trigger();
    const QList<QUrl>& urls = OpenedUrls::Instance().urls;
    QCOMPARE(urls.size(), 2);
    QVERIFY2(urls[0].toString(QUrl::FullyEncoded).endsWith("%C3%96l%2014%20V"),
             qPrintable(urls[0].toString(QUrl::FullyEncoded)));
    QCOMPARE(urls[1].scheme(), QString("mailto"));
    QVERIFY(urls[1].toString().contains("Öl 14"));
    QCOMPARE(p.outputText(), before);
  }

  void aHostileWebLinkOfTheSettingsFileIsRefusedWithItsAddress() {
    Program p([](const QString& folder) {
      QFile ini(folder + "/stavbas.ini");
      QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
      ini.write("[Weblinks]\r\nLosen=file:///etc/passwd\r\nRunor=https://example.org/runor\r\n");
    });
    QVERIFY(p.Start());
    const QList<QAction*> links = p.window().findChild<QMenu*>("menuWebblankar")->actions();
    QCOMPARE(links.size(), 2);
    QString message;
    AnswerNextBox(true, &message);
    links[0]->trigger();
    QVERIFY2(message.startsWith("Öppnar inte \"file:///etc/passwd\": bara webbadresser"),
             qPrintable(message));
    QVERIFY(OpenedUrls::Instance().urls.isEmpty());
    links[1]->trigger();
    QCOMPARE(OpenedUrls::Instance().urls, QList<QUrl>{QUrl("https://example.org/runor")});
  }

  void linksInTheOutputWindowAndInHelpPagesPassTheSameRule() {
    Program p;
    QVERIFY(p.Start());
    TForm1& w = p.window();
    auto* edit = w.findChild<OutputTextEdit*>("RichEdit1");
    QString message;
    AnswerNextBox(true, &message);
    emit edit->linkActivated("mailto:a@x.org?attach=/etc/passwd");
    QVERIFY2(message.startsWith("Öppnar inte \"mailto:a@x.org?attach=/etc/passwd\""),
             qPrintable(message));
    emit edit->linkActivated("http://www.runor.example");
    QCOMPARE(OpenedUrls::Instance().urls, QList<QUrl>{QUrl("http://www.runor.example")});

    p.action("actionStavbashjalp")->trigger();
    HelpViewer* help = w.helpViewer();
    QVERIFY(help && help->isVisible());
    const QUrl contents = help->page();
    for (const char* hostile : {"file:///etc/passwd", "javascript:alert(1)", "../../STAVBAS.INF",
                                "smb://evil.example/share"}) {
      message.clear();
      AnswerNextBox(true, &message);
      help->Follow(QUrl(hostile));
      QVERIFY2(message.startsWith("Öppnar inte \""), hostile);
      QCOMPARE(help->page(), contents);
    }
    help->Follow(QUrl("sokning.html#x"));
    QVERIFY2(help->page().toString().endsWith("/help/sv/sokning.html#x"),
             qPrintable(help->page().toString()));
    help->Follow(QUrl("https://example.org/hjalp"));
    QCOMPARE(OpenedUrls::Instance().urls.size(), 2);
    QCOMPARE(OpenedUrls::Instance().urls[1], QUrl("https://example.org/hjalp"));
  }

  void theDesktopIsGivenOnlyAddressesInTheCheckedForm() {
    for (const char* refused :
         {"javascript:alert(1)", "file:///etc/passwd", "https://x.org/a b", "HTTPS://x.org/",
          "https://user@x.org/", "mailto:a@x.org?cc=b@y.org", "relative.html", "www.x.org"})
      QVERIFY2(!DesktopUrl(refused), refused);
    for (const char* allowed :
         {"https://x.org/a%20b?q=1&r=%C3%B6#f", "http://a_b.example.org:8080/", "http://[::1]/",
          "mailto:a@x.org?subject=Fel%20i%20U%201&body=a%0D%0A", "mailto:?subject=s"}) {
      const std::optional<QUrl> url = DesktopUrl(allowed);
      QVERIFY2(url && url->isValid(), allowed);
    }
    QCOMPARE(DesktopUrl("https://x.org/p")->host(), QString("x.org"));
    QTemporaryDir dir;
    const QString page = dir.filePath("karta.html"), script = dir.filePath("karta.kml");
    for (const QString& name : {page, script}) {
      QFile f(name);
      QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QFile(script).setPermissions(QFile(script).permissions() | QFileDevice::ExeOwner);
    QCOMPARE(DesktopUrl(page.toStdString()), std::optional(QUrl::fromLocalFile(page)));
    QVERIFY(!DesktopUrl(script.toStdString()));
  }
};

}  // namespace stavbas::gui::test

std::unique_ptr<QObject> MakeExportCommandsTest() {
  return std::make_unique<stavbas::gui::test::ExportCommandsTest>();
}

#include "exports_test.moc"
