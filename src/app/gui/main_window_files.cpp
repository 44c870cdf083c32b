// The main window's commands that show inscriptions and files and that save and print the
// output window: the information display, the file viewer with the file information, the
// literature list and any file of the database, "Spara", "Spara som..." and "Skriv ut".

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <filesystem>

#include "app/file_information.h"
#include "app/gui/file_dialogs.h"
#include "app/gui/file_viewer.h"
#include "app/gui/gui_host.h"
#include "app/gui/main_window.h"
#include "app/gui/overwrite_dialog.h"
#include "app/gui/text_convert.h"
#include "app/gui/text_edit_window.h"
#include "app/stavbas_app.h"
#include "app/text_saving.h"
#include "base/file_listing.h"
#include "base/whole_file.h"
#include "ui_main_window.h"

namespace stavbas::gui {

namespace {

constexpr qreal kMarginInches = 0.75;

}  // namespace

void TForm1::ConnectFileCommands() {
  auto& u = *ui_;
  auto button = [this](const char* name) { return findChild<QAction*>(name); };
  for (QAction* a : {u.actionInskriftsinformation, u.actionRunInskriftsinfo, button("buttonInfo")})
    On(a, [this] { Information(InformationKind::kInformation); });
  for (QAction* a : {u.actionEngelskOversattning, u.actionRunEngelsk, button("buttonEngelsk")})
    On(a, [this] { Information(InformationKind::kEnglish); });
  On(u.actionFilinformation, [this] { FileInformation(); });
  for (QAction* a : {u.actionLitteraturlista, u.actionRunLitteraturlista})
    On(a, [this] { ShowFile(app_->db.LiteratureList()); });
  On(u.actionVisaFil, [this] { ViewFile(); });
  for (QAction* a : {u.actionSpara, button("buttonSpara")}) On(a, [this] { SaveText(); });
  On(u.actionSparaSom, [this] { SaveTextAs(); });
  for (QAction* a : {u.actionSkrivUt, button("buttonSkrivUt")}) On(a, [this] { Print(); });
}

// ---- information ----

void TForm1::Information(InformationKind kind) {
  RunNested([this, kind] { ShowInformation(*app_, kind); });
  // What was shown is at the end of the window, also in a pause.
  QScrollBar* bar = ui_->RichEdit1->verticalScrollBar();
  bar->setValue(bar->maximum());
}

// ---- the file viewer ----

TVisaFiler* TForm1::fileViewer() const {
  return viewer_;
}

TVisaFiler* TForm1::Viewer() {
  if (!viewer_) {
    viewer_ = new TVisaFiler(this);
    connect(viewer_, &TVisaFiler::openRequested, this, [this] { Command([this] { ViewFile(); }); });
    connect(viewer_, &TVisaFiler::helpRequested, this, &TForm1::ShowHelp);
    viewer_->notFound = [this](const QString& text) {
      app_->ui.ShowMessage(app_->ui.S(Str::HittarInte) + "\"" + W(text) + "\"",
                           MsgKind::Information);
    };
  }
  return viewer_;
}

void TForm1::FileInformation() {
  Viewer()->ShowText(FileInformationText(app_->db, app_->ui),
                     ui_->actionFilinformation->text().remove('&'));
}

void TForm1::ShowFile(const std::string& path) {
  Ui& ui = app_->ui;
  std::error_code ec;
  if (path.empty() || !std::filesystem::is_regular_file(path, ec)) {
    ui.ShowMessage(ui.S(Str::Filen) + path + ui.S(Str::FinnsInte), MsgKind::Information);
    return;
  }
  std::string text;
  if (const int err = ReadWholeFile(path, text)) {
    ui.ShowMessage(ui.S(Str::Filen) + path + ui.S(Str::KanInteLasas) + std::strerror(err),
                   MsgKind::Error);
    return;
  }
  Viewer()->ShowText(text, Q(NameOf(path)));
}

void TForm1::ViewFile() {
  const std::string base =
      app_->db.BaseName().empty() ? app_->session.baseName : app_->db.BaseName();
  const std::string filter = app_->ui.S(Str::Datafiler) + "|" + NameOf(base) + ".*";
  const QString folder =
      app_->db.DataDirectory().empty() ? lastFolder_ : Q(app_->db.DataDirectory());
  const std::optional<QString> file =
      AskOpenFile(viewer_ && viewer_->isVisible() ? static_cast<QWidget*>(viewer_) : this,
                  Q(app_->ui.S(Str::AngeFilAttOppna)), filter, folder);
  if (file) ShowFile(W(*file));
}

// ---- saving ----

bool TForm1::SaveText() {
  // A name remembered from the settings is not written without asking: the save dialog shows
  // it when it names no file yet, the overwrite question when it does.
  if (saving_->MustChoose()) return SaveTextAs();
  if (saving_->MustConfirm() && !AskOverwrite()) return false;
  return WriteText();
}

bool TForm1::SaveTextAs() {
  // Once old text was dropped from the window, only text files are offered.
  const bool textOnly = saving_->TextOnly();
  const std::string filter = app_->ui.S(textOnly ? Str::FilterUrvalsfil : Str::FilterSparaText);
  const QString start = saving_->file().empty() ? lastFolder_ : Q(saving_->DialogName());
  const std::optional<FileChoice> file =
      AskSaveFile(this, Q(app_->ui.S(Str::AngeFilAttSparaTill)), filter, start, true);
  if (!file) return false;
  lastFolder_ = QFileInfo(file->name).absolutePath();
  const std::string name = TextSaving::WithExtension(W(file->name), textOnly || file->filter == 1);
  const bool exists = saving_->Choose(name);
  const QString hint = Q(saving_->Hint());
  host_->SetStatusPanel(0, W(hint));
  if (QAction* save = findChild<QAction*>("buttonSpara")) save->setStatusTip(hint);
  if (exists && !AskOverwrite()) {
    host_->SetStatusPanel(0, "");  // nothing will be written there
    return false;
  }
  return WriteText();
}

bool TForm1::AskOverwrite() {
  TOverWrite* question = Dialog(overwriteDialog_);
  question->SetFile(Q(saving_->file()));
  const std::optional<bool> replace = question->Ask();
  return saving_->Answer(!replace   ? OverwriteChoice::kCancel
                         : *replace ? OverwriteChoice::kReplace
                                    : OverwriteChoice::kAppend);
}

bool TForm1::WriteText() {
  host_->SetBusyCursor(true);
  const bool saved = saving_->Write();
  host_->SetBusyCursor(false);
  if (saved) ui_->actionSparaSom->setEnabled(true);
  return saved;
}

// ---- printing ----

void TForm1::Print() {
  if (output_->Length() <= 2) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName("Stavbas");  // also the name the dialog proposes for a PDF file
  QPrintDialog dialog(&printer, this);
  const bool selection = ui_->RichEdit1->textCursor().hasSelection();
  dialog.setOption(QAbstractPrintDialog::PrintSelection, selection);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  if (dialog.exec() != QDialog::Accepted) return;
  PrintOutput(printer, selection && dialog.printRange() == QAbstractPrintDialog::Selection);
}

void TForm1::PrintOutput(QPrinter& printer, bool selection) {
  host_->SetBusyCursor(true);
  printer.setDocName("Stavbas");
  printer.setPageMargins(QMarginsF(kMarginInches, kMarginInches, kMarginInches, kMarginInches),
                         QPageLayout::Inch);
  // A copy laid out as pages of the printer's printable area, in the screen's measures: the
  // page margins are the whole margin.
  QTextDocument copy;
  copy.setDefaultFont(ui_->RichEdit1->document()->defaultFont());
  QTextCursor(&copy).insertFragment(selection ? ui_->RichEdit1->textCursor().selection()
                                              : QTextDocumentFragment(ui_->RichEdit1->document()));
  copy.setDocumentMargin(0);
  const qreal scale = qreal(logicalDpiX()) / printer.logicalDpiX();
  copy.setPageSize(QSizeF(printer.width() * scale, printer.height() * scale));
  copy.print(&printer);
  host_->SetBusyCursor(false);
}

}  // namespace stavbas::gui
