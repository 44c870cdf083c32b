// The information display during a pause, the file viewer, saving the output window as RTF or
// text, and printing it (to a PDF file, read back by poppler's pdfinfo and pdftotext).

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#include "app/gui/file_viewer.h"
#include "app/gui/gui_host.h"
#include "app/gui/text_convert.h"
#include "app/stavbas_app.h"
#include "base/cp1252.h"
#include "conditions/province_set.h"
#include "gui_fixture.h"

namespace stavbas::gui::test {

class InformationSaveTest : public QObject {
  Q_OBJECT

 private:
  static QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  static void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  // The output of a program run on a file: UTF-8 (poppler's tools), or Latin-1 (unrtf).
  static QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) return "FAILED";
    const QByteArray out = process.readAllStandardOutput();
    return program == "unrtf" ? QString::fromLatin1(out) : QString::fromUtf8(out);
  }
  // The text unrtf reads from an RTF file, without its header lines.
  static QString Unrtf(const QString& path) {
    const QString out = Run("unrtf", {"--text", path});
    return out.mid(out.indexOf("-----------------\n") + 18);
  }
  // The lines that hold text, without the blanks round them.
  static QStringList Lines(const QString& text) {
    QStringList lines;
    for (const QString& line : text.split('\n'))
      if (!line.trimmed().isEmpty()) lines << line.trimmed();
    return lines;
  }
  static void ShowSignum(Program& p, const QString& signum) {
    p.action("actionSignum")->trigger();
    auto* combo = p.window().findChild<QComboBox*>("entryCombo");
    combo->setEditText(signum);
    QTest::keyClick(combo, Qt::Key_Return);
  }
  static QString Panel0(Program& p) {
    return p.window().findChild<QLabel*>("statusPanel0")->text();
  }
  static void PrintTo(const QString& pdf, bool selection = false) {
    OnNextModal("QPrintDialog", [pdf, selection](QWidget* w) {
      auto* dialog = static_cast<QPrintDialog*>(w);
      dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
      dialog->printer()->setOutputFileName(pdf);
      if (selection) dialog->printer()->setPrintRange(QPrinter::Selection);
      dialog->done(QDialog::Accepted);
    });
  }

 private slots:
  void informationDuringAPauseLeavesTheRunWhereItWas() {
    Program p;
    QVERIFY(p.Start());
    TForm1& w = p.window();
    QString message;
    AnswerNextBox(true, &message);
    p.action("actionInskriftsinformation")->trigger();
    QCOMPARE(message, QString("Ingen aktuell inskrift finns att visa information för"));
    w.app().settings.provinces.Assign(*ParseProvinceText(Utf8ToCp1252("Öl")));
    QString paused;
    WhenPaused(w, [&] {
      p.action("actionRunInskriftsinfo")->trigger();
      p.action("actionRunEngelsk")->trigger();
      paused = p.outputText();
      QVERIFY(w.host().waiting());
      QVERIFY(p.action("actionNasta")->isVisible() && p.action("actionNasta")->isEnabled());
      QVERIFY(p.action("buttonInfo")->isEnabled());
      QVERIFY(!p.action("buttonSignum")->isEnabled());
      p.action("actionNasta")->trigger();
      WhenPaused(w, [&] { p.action("actionResten")->trigger(); });
    });
    p.action("actionAlla")->trigger();
    QVERIFY2(paused.contains("Plats: Vid vägen mellan Ulvsta och Hammarby"), qPrintable(paused));
    QVERIFY(!paused.contains("Öl 58"));
    const QString out = p.outputText();
    QVERIFY2(out.endsWith("4 inskrifter"), qPrintable(out));
    QCOMPARE(out.count("Öl 14 V"), 3);
    QCOMPARE(out.count("Öl 58 $"), 1);
    QVERIFY(w.findChild<QMenu*>("menuInskrift")->menuAction()->isVisible());
  }

  void theViewerShowsFileInformationTheLiteratureListAndFiles() {
    Program p;
    QVERIFY(p.Start());
    TForm1& w = p.window();
    p.action("actionFilinformation")->trigger();
    TVisaFiler* viewer = w.fileViewer();
    QVERIFY(viewer && viewer->isVisible());
    QVERIFY2(viewer->text().contains(p.folder() + "/STAVBAS.RUN"), qPrintable(viewer->text()));
    QVERIFY(viewer->text().contains("(Runtext), Storlek (byte): "));
    p.action("actionLitteraturlista")->trigger();
    QVERIFY(viewer->text().startsWith("Litteraturförteckning"));
    QCOMPARE(viewer->size(), QSize(696, 458));
    AnswerNextFileDialog(p.folder() + "/STAVBAS.NFS");
    p.action("actionVisaFil")->trigger();
    QVERIFY(viewer->text().contains("Öl 14 V"));
    QVERIFY(viewer->windowTitle().endsWith("STAVBAS.NFS"));
    QString message;
    AnswerNextFileDialog(p.folder() + "/borta.txt");
    AnswerNextBox(true, &message);
    p.action("actionVisaFil")->trigger();
    QCOMPARE(message, "Filen " + p.folder() + "/borta.txt finns inte.");
    // Finding in the viewer.
    viewer->findChild<QAction*>("actionSok")->trigger();
    auto* find = viewer->findChild<QLineEdit*>("findText");
    QVERIFY(find && find->isVisible());
    find->setText("Sö 119");
    viewer->findChild<QPushButton*>("findNext")->click();
    QCOMPARE(viewer->findChild<QPlainTextEdit*>()->textCursor().selectedText(), QString("Sö 119"));
    find->setText("zzz");
    AnswerNextBox(true, &message);
    viewer->findChild<QPushButton*>("findNext")->click();
    QCOMPARE(message, QString("Hittar inte \"zzz\""));
    QTest::keyClick(viewer->findChild<QPlainTextEdit*>(), Qt::Key_Escape);
    QVERIFY(!viewer->isVisible());
    // Without the literature list.
    QFile::remove(p.folder() + "/STAVBAS.LIT");
    AnswerNextBox(true, &message);
    p.action("actionLitteraturlista")->trigger();
    QVERIFY2(message.startsWith("Filen ") && message.endsWith(" finns inte."), qPrintable(message));
  }

  void savingAsRichTextWritesAnewOrAfterTheEarlierContent() {
    Program p;
    QVERIFY(p.Start());
    ShowSignum(p, "U 344");
    const QString first = p.outputText();
    QVERIFY(!p.action("actionSparaSom")->isEnabled());
    AnswerNextFileDialog(p.folder() + "/ut");
    p.action("actionSpara")->trigger();
    const QString file = p.folder() + "/ut.RTF";
    QVERIFY(QFile::exists(file));
    QCOMPARE(Lines(Unrtf(file)), Lines(first));
    QVERIFY(p.action("actionSparaSom")->isEnabled());
    QCOMPARE(p.action("buttonSpara")->statusTip(),
             QString("Vid klicka på \"Spara\" så skrivs till filen ut.RTF"));
    QCOMPARE(Panel0(p), QString());
    // Added to its end: the file's earlier text, then the window's.
    p.action("actionRensaTextfonster")->trigger();
    ShowSignum(p, "Öl 14");
    const QString second = p.outputText();
    AnswerNextFileDialog(file);
    AnswerNextDialog("stavbas::gui::TOverWrite",
                     [&](QWidget* d) { d->findChild<QRadioButton*>("second")->click(); });
    p.action("actionSparaSom")->trigger();
    QCOMPARE(Lines(Unrtf(file)), Lines(first) + Lines(second));
    // "Spara" again, after a selection file was written elsewhere: the window's text replaces
    // only what it added before, and nothing of the selection file's comes along.
    ShowSignum(p, "Sö 119");
    p.window().app().settings.provinces.Assign(*ParseProvinceText("U"));
    p.window().app().builder.UpdateExportCommands();
    AnswerNextFileDialog(p.folder() + "/urval");
    AnswerNextBox();
    p.action("actionSkapaUrvalsfil")->trigger();
    QVERIFY(QFile::exists(p.folder() + "/urval.TXT"));
    p.action("actionSpara")->trigger();
    QCOMPARE(Lines(Unrtf(file)), Lines(first) + Lines(p.outputText()));
  }

  void savingAsTextPutsCommentLinesInFrontOfAnOverwrittenFile() {
    Program p;
    QVERIFY(p.Start());
    p.action("actionKommentera")->setChecked(true);
    ShowSignum(p, "U 344");
    AnswerNextFileDialog(p.folder() + "/ut", 1);  // "Textfiler"
    p.action("actionSpara")->trigger();
    const QString file = p.folder() + "/ut.TXT";
    QByteArray text = Bytes(file);
    QCOMPARE(Q(text.toStdString()), QString(p.outputText()).replace("\n", "\r\n"));
    p.action("actionSpara")->trigger();
    text = Bytes(file);
    QVERIFY2(text.startsWith("! Formatkod: >.$ RUN NFS FVN\r\n\r\nU 344 V"), text.constData());
  }

  void aRememberedFileIsNotReplacedWithoutAsking() {
    Program p([](const QString& folder) {
      Write(folder + "/forra.txt", "förra sessionens arbete");
      Write(folder + "/stavbas.ini",
            ("[FileSettings]\r\nSaveFile=" + folder + "/forra.txt\r\n").toUtf8());
    });
    QVERIFY(p.Start());
    ShowSignum(p, "U 344");
    bool asked = false;
    AnswerNextDialog(
        "stavbas::gui::TOverWrite",
        [&](QWidget* d) {
          asked = true;
          QCOMPARE(d->findChild<QLabel*>("fileName")->text(), p.folder() + "/forra.txt");
        },
        false);
    p.action("actionSpara")->trigger();
    QVERIFY(asked);
    QCOMPARE(Bytes(p.folder() + "/forra.txt"), QByteArray("förra sessionens arbete"));
    // Now nothing is chosen: "Spara" asks for a file (cancelled here).
    OnNextModal("QFileDialog", [](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
    p.action("actionSpara")->trigger();
    QCOMPARE(Bytes(p.folder() + "/forra.txt"), QByteArray("förra sessionens arbete"));
  }

  // A settings file may name a save file that does not exist yet: "Spara" shows the save
  // dialog with that name first, and writes nothing until the user confirms it.
  void aRememberedNameOfNoFileIsChosenInTheDialogFirst() {
    Program p([](const QString& folder) {
      Write(folder + "/stavbas.ini",
            ("[FileSettings]\r\nSaveFile=" + folder + "/ny.txt\r\n").toUtf8());
    });
    QVERIFY(p.Start());
    ShowSignum(p, "U 344");
    const QString file = p.folder() + "/ny.txt";
    QString offered;
    OnNextModal("QFileDialog", [&](QWidget* d) {
      offered = static_cast<QFileDialog*>(d)->selectedFiles().value(0);
      static_cast<QDialog*>(d)->reject();
    });
    p.action("actionSpara")->trigger();
    QCOMPARE(offered, file);
    QVERIFY(!QFile::exists(file));
    // Confirmed in the dialog, the name is this session's: written, then written at once.
    AnswerNextFileDialog(file);
    p.action("actionSpara")->trigger();
    QCOMPARE(Q(Bytes(file).toStdString()), QString(p.outputText()).replace("\n", "\r\n"));
    ShowSignum(p, "Sö 119");
    p.action("actionSpara")->trigger();
    QCOMPARE(Q(Bytes(file).toStdString()), QString(p.outputText()).replace("\n", "\r\n"));
  }

  void printingGoesToAPdfWithThreeQuarterInchMargins() {
    Program p;
    QVERIFY(p.Start());
    ShowSignum(p, "U 344");
    const QString one = p.folder() + "/one.pdf";
    PrintTo(one);
    p.action("actionSkrivUt")->trigger();
    const QString info = Run("pdfinfo", {one});
    QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(info));
    QVERIFY(info.contains(QRegularExpression("Title:\\s+Stavbas")));
    QVERIFY(Run("pdftotext", {"-layout", one, "-"}).contains("U 344 V"));
    // The first word starts 0.75 inch (54 points) from the page's left edge, and below the top
    // margin on the second line (the first is the format's empty line).
    const QString boxes = Run("pdftotext", {"-bbox", one, "-"});
    const auto word =
        QRegularExpression("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"").match(boxes);
    QVERIFY2(word.hasMatch(), qPrintable(boxes));
    QVERIFY2(qAbs(word.captured(1).toDouble() - 54) < 1.5, qPrintable(word.captured(0)));
    QVERIFY2(word.captured(2).toDouble() >= 54 + 9 && word.captured(2).toDouble() < 54 + 16,
             qPrintable(word.captured(0)));
    // Every inscription: several pages, the last with the counts line.
    p.action("actionPauser")->setChecked(false);
    p.action("actionAlla")->trigger();
    const QString all = p.folder() + "/all.pdf";
    PrintTo(all);
    p.action("actionSkrivUt")->trigger();
    const int pages =
        QRegularExpression("Pages:\\s+(\\d+)").match(Run("pdfinfo", {all})).captured(1).toInt();
    QVERIFY2(pages > 2, qPrintable(QString::number(pages)));
    const QString last =
        Run("pdftotext", {"-f", QString::number(pages), "-l", QString::number(pages), all, "-"});
    QVERIFY2(last.contains("inskrifter"), qPrintable(last));
    // The selection alone.
    auto* edit = p.window().findChild<QPlainTextEdit*>("RichEdit1");
    QTextCursor c = edit->textCursor();
    c.setPosition(0);
    c.setPosition(30, QTextCursor::KeepAnchor);
    edit->setTextCursor(c);
    const QString part = p.folder() + "/part.pdf";
    PrintTo(part, true);
    p.action("actionSkrivUt")->trigger();
    const QString partText = Run("pdftotext", {part, "-"}).simplified();
    QCOMPARE(partText,
             QString(c.selectedText()).replace(QChar::ParagraphSeparator, ' ').simplified());
  }
};

}  // namespace stavbas::gui::test

std::unique_ptr<QObject> MakeInformationSaveTest() {
  return std::make_unique<stavbas::gui::test::InformationSaveTest>();
}

#include "files_test.moc"
