// stavbas-cli: the program's runs without a window, for scripts and tests.

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include "app/database_session.h"
#include "cli/cli_host.h"
#include "database/cp1252.h"
#include "database/data_file_check.h"
#include "database/databas.h"
#include "database/file_listing.h"
#include "database/info_preparation.h"

namespace {

constexpr const char* kUsage =
    "Usage: stavbas-cli [--database BASE] [--check]\n"
    "Opens the database and lists its files in database order.\n"
    "  --check          checks the data files in step and writes the report to standard\n"
    "                   error and to BASE.LOG beside the data; exit status 1 on faults.\n"
    "  --database BASE  path whose last part is the base name (at most 8 characters);\n"
    "                   relative paths start in the current folder. Default: the sample\n"
    "                   database STAVBAS beside the program.\n";

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

}  // namespace

int main(int argc, char** argv) {
  std::string base;
  bool check = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    }
    if (arg == "--check") {
      check = true;
    } else if (arg == "--database" && i + 1 < argc) {
      base = stavbas::LimitBaseName(stavbas::Utf8ToCp1252(argv[++i]));
    } else {
      std::cerr << "stavbas-cli: unknown argument " << arg << "\n" << kUsage;
      return 2;
    }
  }
  const std::string program = ProgramFile();
  if (base.empty()) base = stavbas::FolderOf(program) + "STAVBAS";

  stavbas::cli::CliHost host;
  stavbas::Ui ui(host);
  stavbas::TDatabas db(ui);
  db.SetProgramFile(program);
  stavbas::InfoPreparation info(ui);
  stavbas::DatabaseSession session(ui, db);
  session.baseName = base;
  bool locked = false;
  session.prepareInformationFile = [&](const std::string& name) {
    locked = info.Prepare(name) == stavbas::InfoPreparation::Result::kLocked;
  };
  if (!session.OpenCurrent() || locked) return 2;
  if (check) return stavbas::CheckDataFiles(db, true) ? 0 : 1;
  for (int slot = 1; slot <= db.count(); ++slot) {
    const stavbas::TDatafil& f = db.DataFile(slot);
    std::cout << slot << '\t' << stavbas::Cp1252ToUtf8(f.FileName()) << '\t' << KindName(f.kind())
              << '\t' << (f.complete ? "complete" : "incomplete") << '\t'
              << stavbas::Cp1252ToUtf8(f.title) << (slot == db.MainWordFile() ? "\tmain" : "")
              << '\n';
  }
  return 0;
}
