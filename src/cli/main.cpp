// stavbas-cli: the program's display runs, exports and data-file check without a window, for
// scripts and tests. A run's text goes to standard output as the run writes it.

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/settings_file.h"
#include "app/stavbas_app.h"
#include "base/char_tables.h"
#include "base/cp1252.h"
#include "base/file_listing.h"
#include "cli/cli_host.h"
#include "cli/options.h"
#include "cli/rtf_stream.h"
#include "database/data_file_check.h"
#include "output/streaming_document.h"

namespace stavbas::cli {
namespace {

std::string ProgramFile() {
  std::error_code ec;
  const auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : p.string();
}

const char* KindName(int kind) {
  static const char* const kNames[] = {"runtext",  "runsök",   "normtext", "normsök",
                                       "infotext", "infotext", "heltext"};
  return kind >= 0 && kind <= 6 ? kNames[kind] : "?";
}

// A run's text on its way to standard output: gathered as it comes, converted to UTF-8 with
// "\r\n" as "\n" in large blocks (so the conversion runs over long texts, not over each
// inscription), and written. What is left is written when it goes out of scope.
class StandardOutput {
 public:
  ~StandardOutput() { Flush(); }
  void Add(std::string_view text) {
    const std::size_t last = text.find_last_not_of('\r');
    if (last == std::string_view::npos) return;  // nothing that reaches the output
    lineEnded = text[last] == '\n';
    if (text.size() >= kBlock / 4) {  // a block of its own: converted where it lies
      Flush();
      Write(text);
      return;
    }
    pending_.append(text);
    if (pending_.size() >= kBlock) Flush();
  }
  void Flush() {
    Write(pending_);
    pending_.clear();
  }
  bool lineEnded = true;  // the text written so far ends with a line end

 private:
  // Converts and writes the text a piece of kPiece bytes at a time: every byte is a character
  // of its own, and every "\r" is left out, so the text may be cut anywhere.
  void Write(std::string_view text) {
    if (text.empty()) return;
    // Pages of memory are costly to take on: the room is taken once, and its pages only as
    // they are written.
    if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(Utf8Room(kPiece));
    for (std::size_t from = 0; from < text.size(); from += kPiece) {
      char* const end = WriteCp1252AsUtf8WithoutCr(buffer_.get(), text.substr(from, kPiece));
      std::cout.write(buffer_.get(), end - buffer_.get());
    }
  }

  static constexpr std::size_t kBlock = 1 << 15;
  static constexpr std::size_t kPiece = 1 << 17;
  std::string pending_;             // Windows-1252 text not yet converted
  std::unique_ptr<char[]> buffer_;  // room for the UTF-8 form of a piece
};

// Exit statuses; of several parts of a command the worst counts.
constexpr int kDone = 0, kNothing = 1, kError = 2;

// The settings for the command: the settings file's when one is given, then the options.
// Nothing after an error in an option's value.
std::optional<Settings> SettingsOf(const Options& o, const std::string& program, int& status) {
  Settings settings;
  if (o.settingsFile) settings = ReadSettings(*o.settingsFile);
  settings.consts.paus = false;  // no pauses without a window
  if (o.database)
    settings.dataFileName = LimitBaseName(Utf8ToCp1252(*o.database));
  else if (!o.settingsFile)
    settings.dataFileName = Utf8ToCp1252(FolderOf(program)) + "STAVBAS";
  if (o.language) settings.language = *o.language == "en" ? Language::English : Language::Swedish;
  if (o.search) settings.codes.parameterCode = Utf8ToCp1252(*o.search);
  if (o.condition) settings.codes.selectionCode = Utf8ToCp1252(*o.condition);
  if (o.format) settings.codes.formatCode = Utf8ToCp1252(*o.format);
  if (o.provinces) {
    const auto set = ParseProvinceText(Utf8ToCp1252(*o.provinces));
    if (!set) {
      status = UsageError("--provinces: unknown province in \"" + *o.provinces + "\"");
      return std::nullopt;
    }
    settings.provinces.Assign(*set);
  }
  return settings;
}

// The offered entry a --columns item names: the entry itself, or the name of its column
// ("Runtext" for "Runtext (Runtext.run)"), in either case.
std::optional<std::string> EntryNamed(const std::vector<std::string>& offered,
                                      const std::string& item) {
  for (const std::string& entry : offered)
    if (entry == item) return entry;
  for (const std::string& entry : offered) {
    const std::size_t open = entry.find(" (");
    if (EqualsNoCase(entry, item) || EqualsNoCase(entry.substr(0, open), item)) return entry;
  }
  return std::nullopt;
}

int Export(StavbasApp& app, const Options& o) {
  ExportRun& exports = app.exports;
  const std::string& kind = *o.exportKind;
  const std::string file = Utf8ToCp1252(o.exportFile);
  if ((kind == "csv" || kind == "shp" || kind == "list") && !exports.HasSelection())
    return UsageError("--export " + kind +
                      ": needs a selection (--search, --condition or --provinces)");
  if (!exports.HasSelection() && o.run.empty())
    return UsageError("--export " + kind +
                      ": give a selection (--search, --condition or --provinces) or a run whose "
                      "last inscription is exported (--signum)");
  if (kind == "list") {
    const ExportResult r = exports.SelectionFile(file, ExistingFile::Replace);
    if (r.outcome == ExportResult::Outcome::Failed) return kError;
    return r.outcome == ExportResult::Outcome::Written && r.inscriptions > 0 ? kDone : kNothing;
  }
  const ExportKind exportKind = kind == "kml"    ? ExportKind::Kml
                                : kind == "gmap" ? ExportKind::Gmap
                                : kind == "gpx"  ? ExportKind::Gpx
                                : kind == "csv"  ? ExportKind::Csv
                                                 : ExportKind::Shp;
  const std::optional<ExportPlan> plan = exports.Prepare(exportKind);
  if (!plan) return kNothing;
  // The choice of place holds for the commands that ask for it and, as last set, for CSV.
  if (o.originPlace) exports.originPlace = *o.originPlace;
  ExportAnswers answers;
  answers.fileName = file;
  answers.originPlace = o.originPlace;
  answers.existing = ExistingFile::Replace;
  if (plan->formatDialog) {
    answers.formatCode = plan->formatDialog->standardFormat;
    if (o.columns) {
      for (const std::string& item : *o.columns) {
        const auto entry = EntryNamed(plan->formatDialog->offered, Utf8ToCp1252(item));
        if (!entry) {
          std::string known;
          for (const std::string& e : plan->formatDialog->offered)
            known += (known.empty() ? "" : ", ") + Cp1252ToUtf8(e);
          return UsageError("--columns: no element \"" + item + "\"; the elements are " + known);
        }
        answers.chosenEntries.push_back(*entry);
      }
      answers.formatCode = exports.FormatCodeFor(exportKind, answers.chosenEntries);
    }
  }
  const ExportResult r = exports.Run(*plan, answers);
  if (r.outcome == ExportResult::Outcome::Failed) return kError;
  return r.outcome == ExportResult::Outcome::Written && r.inscriptions > 0 ? kDone : kNothing;
}

int Addresses(StavbasApp& app, const Options& o) {
  int status = kDone;
  // An address is printed as the window program would hand it to the desktop; one it would
  // refuse is refused here too, with its message, since the user would paste it.
  auto print = [&](const std::optional<std::string>& address) {
    if (!address) {
      status = std::max(status, kNothing);
    } else if (const std::optional<std::string> checked = app.ui.OpeningTarget(*address)) {
      std::cout << *checked << '\n';
    } else {
      status = kError;
    }
  };
  if (o.mapUrl) print(app.addresses.Map(o.originPlace.value_or(app.exports.originPlace)));
  if (o.bibUrl) print(app.addresses.Bibliography());
  if (o.mailUrl) print(app.addresses.ErrorReport());
  return status;
}

int Run(const Options& o) {
  const std::string program = ProgramFile();
  int status = kDone;
  std::optional<Settings> settings = SettingsOf(o, program, status);
  if (!settings) return status;

  // The run's text goes out as the run writes it: to standard output unless an export or an
  // address is asked for, and to the rich-text file.
  std::optional<RtfStream> rtf;
  if (o.rtfFile) rtf.emplace();
  StandardOutput out;
  StreamingDocument window(
      [&](std::string_view text, const std::vector<StyledPiece>& pieces) {
        if (rtf) rtf->Add(RunsOf(pieces));
        if (!o.QuietRun()) out.Add(text);
      },
      rtf.has_value());
  CliHost host;
  StavbasApp app(host, window, *settings, program);
  if (app.settings.language == Language::English) app.ui.SetStrings(StringTable::English());
  if (!app.Open()) return kError;
  window.HandOnFinished();
  out.Flush();  // what opening wrote comes before any listing

  if (o.run == "--check") return CheckDataFiles(app.db, true) ? kDone : kNothing;
  if (o.run == "--files") {
    for (int slot = 1; slot <= app.db.count(); ++slot) {
      const TDatafil& f = app.db.DataFile(slot);
      std::cout << slot << '\t' << Cp1252ToUtf8(f.FileName()) << '\t' << KindName(f.kind()) << '\t'
                << (f.complete ? "complete" : "incomplete") << '\t' << Cp1252ToUtf8(f.title)
                << (slot == app.db.MainWordFile() ? "\tmain" : "") << '\n';
    }
    return kDone;
  }
  // A code the user gave that was refused is an error; a stored one was already repaired.
  if ((o.search && app.conditions.wordSearchCode() != Utf8ToCp1252(*o.search)) ||
      (o.condition && app.conditions.inscriptionCode() != Utf8ToCp1252(*o.condition)) ||
      (o.format && app.format.code() != Utf8ToCp1252(*o.format)) || !app.format.format())
    return kError;

  window.Clear();
  if (!o.run.empty()) {
    const std::string value = Utf8ToCp1252(o.runValue);
    if (o.run == "--signum")
      app.run.SignumRun(value);
    else if (o.run == "--from")
      app.run.AllFromRun(value);
    else if (o.run == "--list")
      app.run.FileRun(o.runValue);
    else
      app.run.AllRun();
    window.HandOnAll();
    if (!o.QuietRun() && !out.lineEnded) out.Add("\n");
    out.Flush();
    status = app.output.shownInscriptions > 0 ? kDone : kNothing;
  }
  if (o.exportKind) status = std::max(status, Export(app, o));
  if (o.mapUrl || o.bibUrl || o.mailUrl) status = std::max(status, Addresses(app, o));

  window.HandOnFinished();
  out.Flush();
  std::cout.flush();
  if (!std::cout) {
    std::cerr << "stavbas-cli: standard output could not be written\n";
    return kError;
  }
  if (rtf) {
    std::string error;
    if (!rtf->Save(*o.rtfFile, error)) {
      std::cerr << "stavbas-cli: " << Cp1252ToUtf8(error) << '\n';
      return kError;
    }
  }
  return status;
}

}  // namespace
}  // namespace stavbas::cli

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  int status = 0;
  const std::optional<stavbas::cli::Options> options =
      stavbas::cli::ParseOptions(argc, argv, status);
  if (!options) return status;
  return stavbas::cli::Run(*options);
}
