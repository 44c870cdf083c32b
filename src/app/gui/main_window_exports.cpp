// The main window's commands that write files from a run or reach outside the program: the
// exports of "Spara" with their dialogs, the selection file, the map command, the
// bibliography, the web links and the error report.

#include <QAction>
#include <QFileInfo>
#include <filesystem>

#include "app/format_dialog_model.h"
#include "app/gui/coordinate_dialog.h"
#include "app/gui/file_dialogs.h"
#include "app/gui/format_dialog.h"
#include "app/gui/gui_host.h"
#include "app/gui/main_window.h"
#include "app/gui/map_kind_dialog.h"
#include "app/gui/overwrite_dialog.h"
#include "app/gui/place_dialog.h"
#include "app/gui/text_convert.h"
#include "app/kept_run_state.h"
#include "app/stavbas_app.h"
#include "base/file_listing.h"
#include "ui_main_window.h"

namespace stavbas::gui {

namespace {

bool Exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

}  // namespace

void TForm1::ConnectExportCommands() {
  auto& u = *ui_;
  auto button = [this](const char* name) { return findChild<QAction*>(name); };
  On(u.actionSkapaUrvalsfil, [this] { SelectionFile(); });
  On(u.actionSkapaGoogleEarth, [this] { Export(ExportKind::Kml); });
  On(u.actionSkapaGoogleMaps, [this] { Export(ExportKind::Gmap); });
  On(u.actionSkapaGpx, [this] { Export(ExportKind::Gpx); });
  On(u.actionSkapaCsv, [this] { Export(ExportKind::Csv); });
  On(u.actionSkapaShape, [this] { Export(ExportKind::Shp); });
  for (QAction* map : {u.actionVisaPaKarta, button("buttonKarta")})
    On(map, [this] { MapCommand(running_); });
  On(u.actionRunKarta, [this] { MapCommand(true); });
  for (QAction* bibliography :
       {u.actionInskriftsbibliografi, u.actionRunBibliografi, button("buttonLitteratur")})
    On(bibliography, [this] { app_->addresses.OpenBibliography(); });
  On(button("buttonFelrapport"), [this] { ErrorReport(); });
}

void TForm1::RunNested(const std::function<void()>& run) {
  if (running_)
    run();
  else
    Run(run);
}

std::string TForm1::AskExportFile(const std::string& filter, const std::string& extension) {
  const std::optional<FileChoice> file =
      AskSaveFile(this, Q(app_->ui.S(Str::AngeFilAttSparaTill)), filter, lastFolder_);
  if (!file) return {};
  lastFolder_ = QFileInfo(file->name).absolutePath();
  const std::string name = ExportRun::WithDefaultExtension(W(file->name), extension);
  // The name with its extension may name a file the dialog did not see.
  if (Exists(name) && !app_->ui.host().ShowBox(MsgKind::Confirmation,
                                               app_->ui.S(Str::VillDuSkrivaOverFilen) +
                                                   NameOf(name) + app_->ui.S(Str::Fragetecken)))
    return {};
  return name;
}

void TForm1::Export(ExportKind kind) {
  HideEntryRow();
  const KeptRunState kept(*app_);
  std::optional<ExportPlan> plan = app_->exports.Prepare(kind);
  if (!plan) return;
  ExportAnswers answers;
  if (plan->askPlace) answers.originPlace = Dialog(placeDialog_)->Ask();
  ExportPlanned(std::move(*plan), std::move(answers));
}

void TForm1::ExportPlanned(ExportPlan plan, ExportAnswers answers) {
  if (plan.formatDialog) {
    formatModel_->OpenForExport(*plan.formatDialog);
    TFormatval* dialog = Dialog(formatDialog_, *formatModel_);
    dialog->Sync();
    if (dialog->exec() != QDialog::Accepted || !dialog->exportChoice()) return;
    answers.formatCode = dialog->exportChoice()->code;
    answers.chosenEntries = dialog->exportChoice()->entries;
  }
  const std::string name = AskExportFile(plan.saveFilter, plan.extension);
  if (name.empty()) return;
  answers.fileName = name;
  answers.existing = ExistingFile::Replace;  // asked above
  if (plan.askCoordinates) answers.originPlace = Dialog(coordinateDialog_)->Ask();
  RunNested([&] { app_->exports.Run(plan, answers); });
}

void TForm1::SelectionFile() {
  HideEntryRow();
  if (!app_->exports.SelectionFileAllowed()) return;
  const std::optional<FileChoice> file = AskSaveFile(this, Q(app_->ui.S(Str::AngeFilAttSparaTill)),
                                                     app_->ui.S(Str::FilterUrvalsfil), lastFolder_);
  if (!file) return;
  lastFolder_ = QFileInfo(file->name).absolutePath();
  const std::string name = ExportRun::WithDefaultExtension(W(file->name), ".TXT");
  host_->SetStatusPanel(0, app_->ui.S(Str::VidKlickaPaSpara) + NameOf(name));
  ExistingFile existing = ExistingFile::Replace;
  if (Exists(name)) {
    TOverWrite* question = Dialog(overwriteDialog_);
    question->SetFile(Q(name));
    const std::optional<bool> replace = question->Ask();
    existing = !replace   ? ExistingFile::Keep
               : *replace ? ExistingFile::Replace
                          : ExistingFile::Append;
  }
  if (existing != ExistingFile::Keep) {
    const KeptRunState kept(*app_);
    RunNested([&] { app_->exports.SelectionFile(name, existing); });
  }
  host_->SetStatusPanel(0, "");
}

void TForm1::MapCommand(bool fromRunMenu) {
  const KeptRunState kept(*app_);
  if (fromRunMenu) app_->run.abortFlag = false;
  // The current inscription, whatever the selection: its place question first, then the kind
  // of map, then the export of that kind.
  std::optional<ExportPlan> plan = app_->exports.Prepare(ExportKind::Kml, true);
  if (!plan) return;
  ExportAnswers answers;
  if (plan->askPlace) answers.originPlace = Dialog(placeDialog_)->Ask();
  const std::optional<bool> googleMaps = Dialog(mapKindDialog_)->Ask();
  if (!googleMaps) return;
  if (*googleMaps) plan = app_->exports.Prepare(ExportKind::Gmap, true);
  if (plan) ExportPlanned(std::move(*plan), std::move(answers));
}

void TForm1::ErrorReport() {
  const KeptRunState kept(*app_);
  RunNested([this] { app_->addresses.OpenErrorReport(); });
}

}  // namespace stavbas::gui
