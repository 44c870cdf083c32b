// stavbas-cli: the program's display runs and the data-file check without a window, for
// scripts and tests.

#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "app/settings_file.h"
#include "app/stavbas_app.h"
#include "base/cp1252.h"
#include "base/file_listing.h"
#include "cli/cli_host.h"
#include "database/data_file_check.h"
#include "output/memory_document.h"
#include "output/text_save.h"

namespace {

constexpr const char* kUsage =
    R"(Usage: stavbas-cli [options] (--signum TEXT | --all | --from SIGNUM | --list FILE)
       stavbas-cli [--database BASE] --check
       stavbas-cli [--database BASE] --files

Runs the display over the database without a window and writes what the run wrote into the
output window to standard output (UTF-8, LF line ends), the counts line included. Messages and
the opening's progress and fault lines go to standard error; questions are answered No.

Runs (one of them):
  --signum TEXT       one signum ("U 344") or a pattern ending in "*" ("U 34*")
  --all               every inscription of the selected provinces
  --from SIGNUM       every inscription of the selected provinces from this signum on
  --list FILE         the signums listed in a selection file, one per line
  --check             check the data files in step; the report also goes to BASE.LOG
  --files             list the database's files in database order

Options:
  --database BASE     path whose last part is the base name (at most 8 characters; the folder
                      may be long); relative paths start in the current folder. Default: the
                      sample database STAVBAS beside the program.
  --search CODE       word search code, e.g. "RUN:stain"
  --condition CODE    inscription condition code, e.g. "INF;P:Uppsala"
  --format CODE       format code, e.g. ">.$ RUN NFS FVN" or "ß$ RUN NFS FVN"
  --provinces TEXT    province selection, e.g. "Öl..U,M" (default: all provinces)
  --settings FILE     read the settings file first; options given here override it
  --rtf FILE          also save the output as rich text
  --language sv|en    the language of messages (default sv)
  --help              this text

Options that are not given take the settings' defaults: format ">.$ RUN NFS FVN", all
provinces, no codes.

Exit status: 0 success; 1 nothing was found (or the check found faults); 2 a refused code, an
unusable database or wrong arguments.
)";

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

int Usage(const std::string& problem) {
  std::cerr << "stavbas-cli: " << problem << "\n\n" << kUsage;
  return 2;
}

// Windows-1252 text with CR LF as UTF-8 with LF.
std::string ForTerminal(const std::string& text) {
  std::string out = stavbas::Cp1252ToUtf8(text);
  std::erase(out, '\r');
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  using stavbas::Utf8ToCp1252;
  std::string base, settingsFile, rtfFile, runKind, runArg, language = "sv";
  std::optional<std::string> search, condition, format, provinces;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= argc) return false;
      into = argv[++i];
      return true;
    };
    auto optional = [&](std::optional<std::string>& into) {
      std::string v;
      if (!value(v)) return false;
      into = Utf8ToCp1252(v);
      return true;
    };
    bool ok = true;
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    } else if (arg == "--database") {
      ok = value(base);
    } else if (arg == "--settings") {
      ok = value(settingsFile);
    } else if (arg == "--rtf") {
      ok = value(rtfFile);
    } else if (arg == "--language") {
      ok = value(language) && (language == "sv" || language == "en");
    } else if (arg == "--search") {
      ok = optional(search);
    } else if (arg == "--condition") {
      ok = optional(condition);
    } else if (arg == "--format") {
      ok = optional(format);
    } else if (arg == "--provinces") {
      ok = optional(provinces);
    } else if (arg == "--signum" || arg == "--from" || arg == "--list") {
      ok = runKind.empty() && value(runArg);
      runKind = arg;
    } else if (arg == "--all" || arg == "--check" || arg == "--files") {
      ok = runKind.empty();
      runKind = arg;
    } else {
      return Usage("unknown argument " + arg);
    }
    if (!ok) return Usage("wrong or missing value for " + arg);
  }
  if (runKind.empty()) return Usage("say what to run");

  const std::string program = ProgramFile();
  stavbas::Settings settings;
  if (!settingsFile.empty()) settings = stavbas::ReadSettings(settingsFile);
  settings.consts.paus = false;  // no pauses without a window
  if (!base.empty())
    settings.dataFileName = stavbas::LimitBaseName(Utf8ToCp1252(base));
  else if (settingsFile.empty())
    settings.dataFileName = Utf8ToCp1252(stavbas::FolderOf(program)) + "STAVBAS";
  if (search) settings.codes.parameterCode = *search;
  if (condition) settings.codes.selectionCode = *condition;
  if (format) settings.codes.formatCode = *format;
  if (provinces) {
    const auto set = stavbas::ParseProvinceText(*provinces);
    if (!set) return Usage("unknown province in " + stavbas::Cp1252ToUtf8(*provinces));
    settings.provinces.Assign(*set);
  }

  stavbas::cli::CliHost host;
  stavbas::MemoryDocument window;
  stavbas::StavbasApp app(host, window, settings, program);
  if (language == "en") app.ui.SetStrings(stavbas::StringTable::English());
  if (!app.Open()) return 2;

  if (runKind == "--check") return stavbas::CheckDataFiles(app.db, true) ? 0 : 1;
  if (runKind == "--files") {
    for (int slot = 1; slot <= app.db.count(); ++slot) {
      const stavbas::TDatafil& f = app.db.DataFile(slot);
      std::cout << slot << '\t' << stavbas::Cp1252ToUtf8(f.FileName()) << '\t' << KindName(f.kind())
                << '\t' << (f.complete ? "complete" : "incomplete") << '\t'
                << stavbas::Cp1252ToUtf8(f.title) << (slot == app.db.MainWordFile() ? "\tmain" : "")
                << '\n';
    }
    return 0;
  }
  // A code the user gave that was refused is an error; a stored one was already repaired.
  if ((search && app.conditions.wordSearchCode() != *search) ||
      (condition && app.conditions.inscriptionCode() != *condition) ||
      (format && app.format.code() != *format) || !app.format.format())
    return 2;

  window.Clear();
  if (runKind == "--signum")
    app.run.SignumRun(Utf8ToCp1252(runArg));
  else if (runKind == "--from")
    app.run.AllFromRun(Utf8ToCp1252(runArg));
  else if (runKind == "--list")
    app.run.FileRun(runArg);
  else
    app.run.AllRun();

  std::cout << ForTerminal(window.Text());
  if (!window.Text().empty() && !window.Text().ends_with("\r\n")) std::cout << '\n';
  if (!rtfFile.empty()) {
    std::string error;
    if (!stavbas::SaveRtf(rtfFile, window.Runs(), error)) {
      std::cerr << "stavbas-cli: " << error << '\n';
      return 2;
    }
  }
  return app.output.shownInscriptions > 0 ? 0 : 1;
}
