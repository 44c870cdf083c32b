#include "export/export_run.h"

#include <algorithm>
#include <filesystem>

#include "base/atomic_file.h"
#include "base/char_tables.h"
#include "base/cp1252.h"
#include "base/ui.h"
#include "conditions/conditions.h"
#include "database/databas.h"
#include "database/regions.h"
#include "export/csv_writer.h"
#include "export/export_file.h"
#include "export/export_text.h"
#include "export/gmap_writer.h"
#include "export/gpx_writer.h"
#include "export/kml_writer.h"
#include "export/selection_file.h"
#include "export/shp_writer.h"
#include "output/display_run.h"
#include "output/format_choice.h"
#include "output/format_code.h"
#include "output/visit.h"

namespace stavbas {
namespace {

// Runs a function when the scope ends, however it ends.
template <typename F>
class OnExit {
 public:
  explicit OnExit(F f) : f_(std::move(f)) {}
  ~OnExit() { f_(); }
  OnExit(const OnExit&) = delete;
  OnExit& operator=(const OnExit&) = delete;

 private:
  F f_;
};

// The text files' designators whose items get their title and a line end of their own.
constexpr const char* kTextFiles[] = {"RUN ", "ENG ", "NFS ", "FVN "};

// "RUN " becomes "RUN" + `with` + " ", and likewise for the other text files.
std::string Rewritten(std::string code, std::string_view with) {
  for (const char* file : kTextFiles) {
    const std::string from = file;
    const std::string to = from.substr(0, 3) + std::string(with) + " ";
    for (std::size_t at = code.find(from); at != std::string::npos;
         at = code.find(from, at + to.size()))
      code.replace(at, from.size(), to);
  }
  return code;
}

// Pausing is off and the format code is remembered while a command runs; the returned object
// puts both back when it goes, however the command ends.
[[nodiscard]] auto SuspendForExport(bool& pauseMenu, DisplayRun& run, FormatCode& format) {
  const bool menu = pauseMenu, setting = run.pauseSetting;
  std::string code = format.code();
  pauseMenu = false;
  run.pauseSetting = false;
  return OnExit([&pauseMenu, &run, &format, menu, setting, code] {
    pauseMenu = menu;
    run.pauseSetting = setting;
    if (format.code() != code || !format.format()) format.Validate(code);
  });
}

bool HasFormatDialog(ExportKind kind) {
  return kind != ExportKind::Gpx;
}

// The dialog's elements the export commands do not offer.
bool OfferedByExports(const std::string& choice) {
  for (const char* utf8 : {"Standardformat", "Blankrad", "Ingen ny rad", "Tabbtecken", "Signum",
                           "Information om plats mm (Stavbas.inf)"})
    if (choice == Utf8ToCp1252(utf8)) return false;
  return true;
}

}  // namespace

ExportRun::ExportRun(OutputContext& ctx, FormatCode& format, DisplayRun& run,
                     ExportSettingsRef settings, const LinkSettings& links,
                     const ProvinceSelection& provinces, bool& pauseMenu)
    : ctx_(ctx),
      format_(format),
      run_(run),
      settings_(settings),
      links_(links),
      provinces_(provinces),
      pauseMenu_(pauseMenu) {}

bool ExportRun::HasSelection() const {
  const std::string& all = ctx_.ui.S(Str::AllaLandskap);
  return !ctx_.conditions.wordSearchCode().empty() || !ctx_.conditions.inscriptionCode().empty() ||
         ShownProvinceText(provinces_, all) != all;
}

std::string ExportRun::InfoDesignator() const {
  const int slot = ctx_.db.InfoSlot();
  return slot ? ctx_.db.DataFile(slot).Extension() : std::string();
}

ExportFormatDialog ExportRun::FormatDialog(ExportKind kind) const {
  Ui& ui = ctx_.ui;
  ExportFormatDialog d;
  d.note = ui.S(Str::AlltidSignumOchKoordinater);
  d.standardFormat = StandardFormat(kind);
  for (std::string& choice : FormatChoiceModel(ctx_.db, LayoutKind::kText).Choices())
    if (OfferedByExports(choice)) d.offered.push_back(std::move(choice));
  switch (kind) {
    case ExportKind::Kml:
      d.caption = ui.S(Str::FormatvalKml);
      d.fixedPart = ">.$ INF;X+ INF;Y+ ";
      break;
    case ExportKind::Gmap:
      d.caption = ui.S(Str::FormatvalGmap);
      d.fixedPart = ">.$ INF;X+ INF;Y+ ";
      break;
    case ExportKind::Csv:
      // The standard format with one blank: trailing blanks are not kept, so that the format
      // does not grow by a blank with every export.
      d.caption = ui.S(Str::FormatvalCsv);
      d.fixedPart = std::string(Trim(settings_.csv.standardFormat)) + " ";
      break;
    case ExportKind::Shp:
      d.caption = ui.S(Str::FormatvalShape);
      d.fixedPart = ">.$, INF;X+ INF;Y+ ";
      break;
    case ExportKind::Gpx:
      break;
  }
  return d;
}

std::optional<std::string> ExportRun::FormatCodeFor(ExportKind kind,
                                                    const std::vector<std::string>& entries) const {
  if (!HasFormatDialog(kind)) return std::nullopt;
  const ExportFormatDialog d = FormatDialog(kind);
  FormatChoiceModel model(ctx_.db, LayoutKind::kText);
  model.exportVariant = true;
  model.headings = true;
  std::string code = d.fixedPart;
  for (const std::string& entry : entries) {
    const auto at = std::find(d.offered.begin(), d.offered.end(), entry);
    if (at == d.offered.end()) return std::nullopt;
    code += model.Appended(static_cast<std::size_t>(at - d.offered.begin()), entry);
  }
  return code;
}

std::string ExportRun::WithDefaultExtension(const std::string& name, const std::string& extension) {
  // "DIR/" would become the hidden file "DIR/.KML": a name without a file name stays as it is
  // (and is refused).
  if (LacksFileName(name)) return name;
  return std::filesystem::path(name).extension().empty() ? name + extension : name;
}

bool ExportRun::RefuseFolder(const std::string& name, const std::string& path) {
  if (!NamesAFolder(name) && !NamesAFolder(path)) return false;
  Ui& ui = ctx_.ui;
  ui.ShowMessage(ui.S(Str::FilnamnInteMapp) + name, MsgKind::Error);
  return true;
}

std::optional<ExportPlan> ExportRun::Prepare(ExportKind kind, bool currentInscription) {
  Ui& ui = ctx_.ui;
  ExportPlan plan;
  plan.kind = kind;
  plan.selection = !currentInscription && HasSelection();
  if (!plan.selection) {
    if (kind == ExportKind::Csv || kind == ExportKind::Shp) return std::nullopt;
    if (ctx_.lastShownSignum.empty()) {
      ui.ShowMessage(ui.S(kind == ExportKind::Gpx ? Str::IngenAktuellInskriftGpx
                                                  : Str::IngenAktuellInskriftKarta),
                     MsgKind::Information);
      return std::nullopt;
    }
    plan.signum = std::string(Trim(ctx_.lastShownSignum));
    const int info = ctx_.db.InfoSlot();
    if (!info) return std::nullopt;
    std::string origin, present;
    if (ctx_.db.FindGivenInscription(SlotBit(info), plan.signum)) {
      origin = ctx_.db.File(info).InfoField('X');
      present = ctx_.db.File(info).InfoField('Y');
    }
    // An inscription with a present place only is exported at that place.
    if (origin.empty() && present.empty()) {
      ui.ShowMessage(ui.S(Str::IngaKoordinater), MsgKind::Information);
      return std::nullopt;
    }
    plan.askPlace = !origin.empty() && !present.empty();
    plan.presentOnly = origin.empty();
  } else {
    plan.askCoordinates = kind != ExportKind::Csv;
  }
  if (HasFormatDialog(kind)) plan.formatDialog = FormatDialog(kind);
  static const struct {
    Str filter;
    const char* extension;
  } kFiles[] = {{Str::FilterKml, ".KML"},
                {Str::FilterGmap, ".HTML"},
                {Str::FilterGpx, ".GPX"},
                {Str::FilterCsv, ".CSV"},
                {Str::FilterShape, ".SHP"}};
  plan.saveFilter = ui.S(kFiles[static_cast<int>(kind)].filter);
  plan.extension = kFiles[static_cast<int>(kind)].extension;
  return plan;
}

void ExportRun::CollectText(ExportText& text, const ExportPlan& plan, bool restrict) {
  Conditions& conditions = ctx_.conditions;
  const std::string userCode = conditions.inscriptionCode();
  const OnExit restore([&] {
    if (conditions.inscriptionCode() != userCode) conditions.ParseInscriptionCode(userCode);
  });
  const CapturedRun captured(ctx_, text);
  const std::string info = restrict ? InfoDesignator() : std::string();
  if (!info.empty()) {
    // Only inscriptions with a place of origin, whatever separates its two values; the user's
    // code stays one group, so that an "or" in it cannot let others through.
    const std::string origin = info + ";X:#X";
    const std::string code = userCode.empty() ? origin : "{" + userCode + "} & " + origin;
    if (!conditions.ParseInscriptionCode(code)) conditions.ParseInscriptionCode(userCode);
  }
  if (plan.selection)
    run_.AllRun();
  else
    run_.SignumRun(plan.signum);
}

std::string& ExportRun::StandardFormat(ExportKind kind) {
  switch (kind) {
    case ExportKind::Kml:
      return settings_.kml.standardFormat;
    case ExportKind::Gmap:
      return settings_.gmap.standardFormat;
    case ExportKind::Gpx:
      return settings_.gpx.standardFormat;
    case ExportKind::Csv:
      return settings_.csv.standardFormat;
    case ExportKind::Shp:
      break;
  }
  return settings_.shp.standardFormat;
}

bool ExportRun::MayReplace(const std::string& path, ExistingFile existing) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return true;
  if (existing == ExistingFile::Ask) {
    Ui& ui = ctx_.ui;
    const std::string name = std::filesystem::path(path).filename().string();
    return ui.host().ShowBox(MsgKind::Confirmation, ui.S(Str::VillDuSkrivaOverFilen) + name + "?");
  }
  return existing == ExistingFile::Replace;
}

bool ExportRun::Write(const ExportPlan& plan, const ExportText& text, const std::string& path,
                      bool originPlace, const std::vector<std::string>& entries) {
  Ui& ui = ctx_.ui;
  const std::string separator = links_.mellanKoord.empty() ? ";" : links_.mellanKoord;
  std::string error;
  bool ok = true;
  try {
    switch (plan.kind) {
      case ExportKind::Kml:
        ok = SkapaKMLfil(text, {settings_.kml, separator, originPlace}, path, error);
        break;
      case ExportKind::Gmap: {
        std::string footer;
        if (plan.selection)
          footer = SelectionFooter(
              {ui.S(Str::Urval), ui.S(Str::AllaLandskap), ui.S(Str::OrdsokningskodRubrik),
               ui.S(Str::InskriftsvillkorskodRubrik), ui.S(Str::Inskrifter)},
              provinces_.text, ctx_.conditions.wordSearchCode(), ctx_.conditions.inscriptionCode(),
              ctx_.inscriptionCount);
        else
          footer = ui.S(Str::Urval) + " " + plan.signum;
        ok = SkapaGMAPfil(text, {settings_.gmap, separator, originPlace, footer}, path, error);
        break;
      }
      case ExportKind::Gpx:
        ok = SkapaPunktGPXfil(text, {settings_.gpx, separator, originPlace}, path, error);
        break;
      case ExportKind::Csv:
        ok = SkapaCSV2fil(text,
                          {settings_.csv.delimiter,
                           {separator, originPlace, run_.keepRt90, ColumnNames(entries)}},
                          path, error);
        break;
      case ExportKind::Shp: {
        long records = 0;
        ok = SkapaSHP2fil(
            text,
            {{separator, originPlace, run_.keepRt90, ColumnNames(entries)}, settings_.shpWgs84},
            path, records, error);
        break;
      }
    }
  } catch (const CoordinateError& e) {
    // The signum alone: the tables' signum line goes on with the coordinate column.
    ui.ShowMessage(ui.S(Str::FelaktigaKoordinater) + std::string(Trim(SignumOfLine(e.signum))) +
                       ": " + e.what(),
                   MsgKind::Error);
    return false;
  }
  if (!ok) ui.ShowMessage(error, MsgKind::Error);
  return ok;
}

ExportResult ExportRun::Run(const ExportPlan& plan, const ExportAnswers& answers) {
  Ui& ui = ctx_.ui;
  ExportResult result;
  const auto restore = SuspendForExport(pauseMenu_, run_, format_);
  if (plan.kind == ExportKind::Csv || plan.kind == ExportKind::Shp || plan.kind == ExportKind::Gmap)
    run_.keepRt90 = true;

  // The dialog's code becomes the export's standard format; the run uses it with its text
  // items titled on lines of their own (and for the maps followed by an empty line).
  std::string code = settings_.gpx.standardFormat;
  if (plan.kind != ExportKind::Gpx) {
    if (!answers.formatCode) return result;
    StandardFormat(plan.kind) = *answers.formatCode;
    const bool map = plan.kind == ExportKind::Kml || plan.kind == ExportKind::Gmap;
    code = Rewritten(*answers.formatCode, map ? "\xA3,." : "\xA3");
    // A longer code would be cut and lose its last items.
    if (RefuseLongFormatCode(ui, code)) return result;
  }
  if (!format_.Validate(code) || !answers.fileName) return result;
  const std::string path = WithDefaultExtension(*answers.fileName, plan.extension);
  if (RefuseFolder(*answers.fileName, path)) {
    result.outcome = ExportResult::Outcome::Failed;
    return result;
  }
  if (answers.originPlace && (plan.askPlace || plan.askCoordinates))
    originPlace = *answers.originPlace;
  if (plan.kind == ExportKind::Shp && !MayReplace(path, answers.existing)) return result;

  ExportText text;
  const bool restrict = plan.selection && plan.kind != ExportKind::Csv;
  CollectText(text, plan, restrict);
  result.inscriptions = text.inscriptions();
  if (!text.ok()) {
    ui.ShowMessage(SaveErrorText(path, "no room for the export text in the temporary folder"),
                   MsgKind::Error);
    result.outcome = ExportResult::Outcome::Failed;
    return result;
  }
  if (text.empty() && (plan.kind == ExportKind::Csv || plan.kind == ExportKind::Shp)) {
    ui.ShowMessage(ui.S(plan.kind == ExportKind::Csv ? Str::IngenAktuellInskriftCsv
                                                     : Str::IngenAktuellInskriftShape),
                   MsgKind::Information);
    return result;
  }
  if (!Write(plan, text, path, plan.presentOnly ? false : originPlace, answers.chosenEntries)) {
    result.outcome = ExportResult::Outcome::Failed;
    return result;
  }
  result.outcome = ExportResult::Outcome::Written;
  result.path = path;
  ui.opening.NoteWritten(path);
  if (plan.kind == ExportKind::Gpx)
    ui.ShowMessage(ui.S(Str::Filen) + path + ui.S(Str::ArSparadGps), MsgKind::Information);
  else
    ui.OpenWithDesktop(path);
  return result;
}

bool ExportRun::SelectionFileAllowed() {
  if (HasSelection()) return true;
  Ui& ui = ctx_.ui;
  ui.ShowMessage(ui.S(Str::KanInteSkapaUrvalsfil) + ui.S(Str::VillkorEllerUrvalMasteAnges),
                 MsgKind::Information);
  return false;
}

ExportResult ExportRun::SelectionFile(std::optional<std::string> fileName, ExistingFile existing) {
  Ui& ui = ctx_.ui;
  ExportResult result;
  if (!SelectionFileAllowed() || !fileName) return result;
  const std::string path = WithDefaultExtension(*fileName, ".TXT");
  if (RefuseFolder(*fileName, path)) {
    result.outcome = ExportResult::Outcome::Failed;
    return result;
  }
  std::error_code ec;
  bool append = false;
  if (std::filesystem::exists(path, ec)) {
    if (existing == ExistingFile::Append)
      append = true;
    else if (!MayReplace(path, existing))
      return result;
  }
  const auto restore = SuspendForExport(pauseMenu_, run_, format_);
  if (!format_.Validate(">$ ")) return result;
  ExportText text;
  ExportPlan plan;
  CollectText(text, plan, false);
  result.inscriptions = text.inscriptions();
  std::string error;
  if (!text.ok() || !WriteSelectionFile(text, path, append, error)) {
    ui.ShowMessage(error.empty() ? SaveErrorText(path, "no room for the export text") : error,
                   MsgKind::Error);
    result.outcome = ExportResult::Outcome::Failed;
    return result;
  }
  ui.ShowMessage(ui.S(Str::Filen) + path + ui.S(Str::ArSparadUrvalsfil), MsgKind::Information);
  result.outcome = ExportResult::Outcome::Written;
  result.path = path;
  return result;
}

}  // namespace stavbas
