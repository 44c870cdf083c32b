// A catalogue of bad input driven through stavbas-cli: damaged and hostile data files, index
// files, spreadsheets, codes, selection files, settings files, arguments and folders. Each
// case names the message the user gets and the exit status. None may crash or hang (each runs
// under a time limit), leave a temporary file or a part of a file behind, or change a file the
// program does not own.
//
// Messages from the program's string table are compared whole. For wrong arguments only the
// exit status and the option named in the message are asserted, not the wording of the usage.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <tuple>

#include "base/cp1252.h"
#include "robustness/cli_run.h"
#include "spreadsheet/xls_test_support.h"
#include "support/same_size_replacement.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace stavbas {
namespace {

namespace fs = std::filesystem;
using test::CliRun;
using test::TempDir;

constexpr int kAnyStatus = -1;

// The files a run may write or replace; every other file must stay byte for byte.
const std::set<std::string> kOwnedByTheProgram = {"STAVBAS.$AD", "STAVBAS.LOG", "STAVBAS.INF",
                                                  "out.rtf"};

struct Case {
  std::string name;
  std::function<void(TempDir&)> setup;
  // Arguments; "{dir}" stands for the case's folder. Without "--database" the database of the
  // folder is added.
  std::vector<std::string> args;
  int status;
  // Lines standard error must hold (UTF-8). A leading "~" asks only that some line contains
  // the rest (for the command-line program's own wording, which may change).
  std::vector<std::string> messages;
  bool unprivileged = false;  // the folder is then read-only for the program
  std::function<void(TempDir&, const CliRun&)> more = nullptr;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

// ---- files ----

void CopyDataTo(const fs::path& folder) {
  for (const char* ext : {"RUN", "NFS", "FVN", "ENG", "INF", "LIT"})
    fs::copy_file(fs::path(STAVBAS_SOURCE_DIR) / "data" / (std::string("STAVBAS.") + ext),
                  folder / (std::string("STAVBAS.") + ext));
}

void CopyData(TempDir& dir) {
  CopyDataTo(dir.path());
}

std::string Garbage(std::size_t size, unsigned seed) {
  std::mt19937 rng(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(rng());
  return bytes;
}

// Every data file with its line ends replaced.
void ConvertLineEnds(TempDir& dir, const std::string& end) {
  for (const char* ext : {"RUN", "NFS", "FVN", "ENG", "INF"}) {
    const std::string name = std::string("STAVBAS.") + ext;
    std::string text = dir.ReadBytes(name), out;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
        out += end;
        ++i;
      } else {
        out += text[i];
      }
    }
    dir.WriteBytes(name, out);
  }
}

std::function<void(TempDir&)> Replace(const std::string& name, std::string bytes) {
  return [name, bytes](TempDir& dir) {
    CopyData(dir);
    dir.WriteBytes(name, bytes);
  };
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

// A workbook whose first cell row holds the given titles and whose rows the given texts.
void WriteWorkbook(const fs::path& folder, const std::vector<std::vector<std::string>>& rows) {
  using namespace test;
  std::string records;
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (std::size_t c = 0; c < rows[r].size(); ++c)
      records +=
          Record(0x0204, CellHead(static_cast<int>(r), static_cast<int>(c)) + Text97(rows[r][c]));
  WriteCompoundFile((folder / "STAVBAS.XLS").string(),
                    {{"Workbook", Workbook(0x0600, "", {records})}});
}

void WriteWorkbook(TempDir& dir, const std::vector<std::vector<std::string>>& rows) {
  WriteWorkbook(dir.path(), rows);
}

void MakeOlder(const std::string& path) {
  const fs::file_time_type t = fs::last_write_time(path) - std::chrono::hours(1);
  fs::last_write_time(path, t);
}

// A large database of two files, for the case where it vanishes under a run.
void WriteLargeDatabase(TempDir& dir) {
  std::string run, nfs;
  for (int n = 1; n <= 40000; ++n) {
    const std::string signum = "U " + std::to_string(n) + " V ";
    run += signum + "kuþ · hialbi · ant · hans\r\n";
    nfs += signum + "Guð hialpi and hans.\r\n";
  }
  dir.WriteBytes("STAVBAS.RUN", Utf8ToCp1252(run));
  dir.WriteBytes("STAVBAS.NFS", Utf8ToCp1252(nfs));
}

// The sample database with one information field of an inscription given another value (the
// field is added when the inscription has none), and an empty folder "out" for the exports.
std::function<void(TempDir&)> InfoField(const std::string& signum, char letter,
                                        const std::string& utf8) {
  return [=](TempDir& dir) {
    CopyData(dir);
    fs::create_directory(dir.path() / "out");
    std::string inf = dir.ReadBytes("STAVBAS.INF");
    const std::size_t line = inf.find("\n" + Utf8ToCp1252(signum) + " ") + 1;
    const std::size_t end = inf.find("\r\n", line);
    const char mark = static_cast<char>(letter - 64);
    const std::size_t open = inf.find(mark, line);
    const std::string value = std::string(1, mark) + Utf8ToCp1252(utf8) + mark;
    if (open < end)
      inf.replace(open, inf.find(mark, open + 1) + 1 - open, value);
    else
      inf.insert(end, value);
    dir.WriteBytes("STAVBAS.INF", inf);
  };
}

// The names in the folder "out" of the case.
std::vector<std::string> Exported(TempDir& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir.path() / "out"))
    names.push_back(e.path().filename());
  return names;
}

// ---- the catalogue ----

std::vector<Case> Catalogue() {
  std::vector<Case> cases;
  auto add = [&cases](Case c) { cases.push_back(std::move(c)); };
  const std::vector<std::string> check = {"--check"};
  const std::vector<std::string> u344 = {"--signum", "U 344", "--format", "$"};
  const std::string failed = "information: Fel på datafilerna";

  // Each data file empty, and each full of binary garbage. An empty main word file (NFS; an
  // empty FVN loses its "!/O" and leads) ends the walk at once, and the other files are then
  // not at their end.
  const std::pair<const char*, const char*> empty[] = {
      {"RUN", "STAVBAS.RUN: Filen slut före Öl 14 V "},
      {"NFS", "~STAVBAS.RUN: Filen inte slut efter Öl 14 V sikualti"},
      {"FVN", "~STAVBAS.NFS: Filen inte slut efter Öl 14 V \"Sigvaldi"},
      {"ENG", "STAVBAS.ENG: Filen slut före Öl 14 V "},
      {"INF", "STAVBAS.INF: Filen slut före Öl 14 V "}};
  unsigned seed = 0;
  for (const auto& [ext, message] : empty) {
    const std::string file = std::string("STAVBAS.") + ext;
    add({std::string("Empty") + ext, Replace(file, ""), check, 1, {failed, message}});
    add({std::string("Garbage") + ext, Replace(file, Garbage(4096, ++seed)), check, 1, {failed}});
  }
  add({"GarbageRunShownAnyway", Replace("STAVBAS.RUN", Garbage(4096, 6)), u344, 0, {}});

  // Line ends and lines.
  const std::string okCheck =
      "information: Inga fel hittade vid kontroll av datafilerna\nVälj vid behov Rensa/Rensa "
      "textfönster eller Redigera/Radera allt för att tömma textfönstret.";
  auto shows344 = [](TempDir&, const CliRun& r) { EXPECT_EQ(r.out, "U 344 V \n"); };
  add({"LfLineEnds",
       [](TempDir& d) {
         CopyData(d);
         ConvertLineEnds(d, "\n");
       },
       u344,
       0,
       {},
       false,
       shows344});
  add({"CrLineEnds",
       [](TempDir& d) {
         CopyData(d);
         ConvertLineEnds(d, "\r");
       },
       u344,
       0,
       {},
       false,
       shows344});
  add({"CrLineEndsCheck",
       [](TempDir& d) {
         CopyData(d);
         ConvertLineEnds(d, "\r");
       },
       check,
       0,
       {okCheck}});
  add({"MixedLineEnds",
       [](TempDir& d) {
         CopyData(d);
         std::string run = d.ReadBytes("STAVBAS.RUN"), out;
         for (std::size_t i = 0; i < run.size(); ++i)
           if (!(run[i] == '\n' && i % 3 == 0)) out += run[i];  // some lone CRs
         d.WriteBytes("STAVBAS.RUN", out);
       },
       check,
       0,
       {okCheck}});
  add({"TenMegabyteLine",
       [](TempDir& d) {
         CopyData(d);
         std::string run = d.ReadBytes("STAVBAS.RUN");
         const std::size_t at = run.find("U 344 V ") + 8;
         run.insert(at, std::string(10 << 20, 'x'));
         d.WriteBytes("STAVBAS.RUN", run);
       },
       check,
       1,
       {failed, "U 344 V : STAVBAS.RUN har för lång rad"}});
  add({"TenMegabyteLineShown",
       [](TempDir& d) {
         CopyData(d);
         std::string run = d.ReadBytes("STAVBAS.RUN");
         run.insert(run.find("U 344 V ") + 8, std::string(10 << 20, 'x'));
         d.WriteBytes("STAVBAS.RUN", run);
       },
       u344,
       0,
       {},
       false,
       shows344});
  add({"NulBytesInASignum",
       [](TempDir& d) {
         CopyData(d);
         std::string nfs = d.ReadBytes("STAVBAS.NFS");
         nfs[nfs.find("U 344 V ") + 3] = '\0';
         d.WriteBytes("STAVBAS.NFS", nfs);
       },
       check,
       1,
       {failed, "~För kort rad: U 3"}});
  add({"NulBytesInAText",
       [](TempDir& d) {
         CopyData(d);
         std::string run = d.ReadBytes("STAVBAS.RUN");
         run.insert(run.find("U 344 V ") + 10, std::string(50, '\0'));
         d.WriteBytes("STAVBAS.RUN", run);
       },
       u344,
       0,
       {},
       false,
       shows344});
  add({"CtrlZEndsAFile",
       Replace("STAVBAS.ENG", "\x1A" + Garbage(1000, 7)),
       check,
       1,
       {failed, "STAVBAS.ENG: Filen slut före Öl 14 V "}});
  add({"HeaderOnly",
       Replace("STAVBAS.RUN", "!/R Runtext\r\n!/F RT\r\n!/Q nonsens\r\n"),
       check,
       1,
       {failed, "Obegriplig parameter: !/Q nonsens"}});
  add({"RecordsOutOfOrder",
       [](TempDir& d) {
         CopyData(d);
         std::string run = d.ReadBytes("STAVBAS.RUN");
         const std::size_t a = run.find("U 344 V ");
         const std::string line = run.substr(a, run.find("\r\n", a) + 2 - a);
         run.erase(a, line.size());
         run.insert(run.find(Utf8ToCp1252("Öl 14 V")), line);
         d.WriteBytes("STAVBAS.RUN", run);
       },
       check,
       1,
       {failed, "Signum i fel ordning! Öl 14 V "}});

  // Files that are no regular files, and too many files.
  add({"DataFileLinkedToDevZero",
       [](TempDir& d) {
         CopyData(d);
         fs::remove(d.path() / "STAVBAS.ENG");
         fs::create_symlink("/dev/zero", d.path() / "STAVBAS.ENG");
       },
       u344,
       0,
       {"STAVBAS.ENG är inte en vanlig fil och ignoreras."},
       false,
       shows344});
  add({"DataFileIsAPipe",
       [](TempDir& d) {
         CopyData(d);
         fs::remove(d.path() / "STAVBAS.FVN");
         mkfifo((d / "STAVBAS.FVN").c_str(), 0644);
       },
       u344,
       0,
       {"STAVBAS.FVN är inte en vanlig fil och ignoreras."},
       false,
       shows344});
  add({"DataFileIsAFolder",
       [](TempDir& d) {
         CopyData(d);
         fs::create_directory(d.path() / "STAVBAS.TXX");
       },
       u344,
       0,
       {"STAVBAS.TXX är inte en vanlig fil och ignoreras."},
       false,
       shows344});
  add({"SixteenDataFiles",
       [](TempDir& d) {
         CopyData(d);
         for (int i = 0; i < 11; ++i) d.WriteBytes("STAVBAS.X" + std::to_string(10 + i), "!/O\r\n");
       },
       u344,
       0,
       {"För många filer! STAVBAS.X20 ignoreras."},
       false,
       shows344});
  add({"NoDatabaseAtAll", [](TempDir&) {}, u344, 2, {"~information: Ingen fullständig ordfil: "}});
  add({"OnlyAnInformationFile",
       [](TempDir& d) {
         CopyData(d);
         for (const char* ext : {"RUN", "NFS", "FVN", "ENG"})
           fs::remove(d.path() / (std::string("STAVBAS.") + ext));
       },
       u344,
       2,
       {"~information: Ingen fullständig ordfil: "}});

  // The group-address file.
  add({"IndexOfGarbage",
       Replace("STAVBAS.$AD", Garbage(3000, 8)),
       u344,
       0,
       {"Fel version av STAVBAS.$AD"},
       false,
       shows344});
  add({"IndexCutShort",
       [](TempDir& d) {
         CopyData(d);
         d.WriteBytes("STAVBAS.$AD", std::string("\x1C\x01", 2) + "RUN");
       },
       u344,
       0,
       {"information: FEL 100 (STAVBAS.$AD): Oväntat filslut"},
       false,
       shows344});
  add({"IndexIsAPipe",
       [](TempDir& d) {
         CopyData(d);
         mkfifo((d / "STAVBAS.$AD").c_str(), 0644);
       },
       u344,
       0,
       {"STAVBAS.$AD är inte en vanlig fil och ignoreras.",
        "information: FEL 22 (STAVBAS.$AD): Inte en vanlig fil"},
       false,
       shows344});

  // The information spreadsheet.
  add({"SpreadsheetOfGarbage",
       [](TempDir& d) {
         CopyData(d);
         MakeOlder(d / "STAVBAS.INF");
         d.WriteBytes("STAVBAS.XLS", Garbage(5000, 9));
       },
       u344,
       0,
       {"Använder STAVBAS.XLS", "information: File is not a Excel Workbook"},
       false,
       [](TempDir& d, const CliRun& r) {
         EXPECT_EQ(r.out, "U 344 V \n");
         test::TempDir original;
         CopyData(original);
         EXPECT_EQ(d.ReadBytes("STAVBAS.INF"), original.ReadBytes("STAVBAS.INF"));
       }});
  add({"EmptySpreadsheet",
       [](TempDir& d) {
         CopyData(d);
         MakeOlder(d / "STAVBAS.INF");
         d.WriteBytes("STAVBAS.XLS", "");
       },
       u344,
       0,
       {"information: File is not a Excel Workbook"},
       false,
       shows344});
  add({"SpreadsheetInUse",
       [](TempDir& d) {
         CopyData(d);
         MakeOlder(d / "STAVBAS.INF");
         WriteWorkbook(d, {{"SIGNUM", "PLATS"}, {"U 344 V ", "Orkesta"}});
         d.WriteBytes(".~lock.STAVBAS.XLS#", "someone");
       },
       u344,
       2,
       {"information: Gick inte att öppna filen  STAVBAS.XLS - kan användas av annat program. "
        "Avslutar programmet."}});
  add({"ReadOnlySpreadsheetIsNoLock",
       [](TempDir& d) {
         CopyData(d);
         WriteWorkbook(d, {{"SIGNUM", "PLATS"}, {"U 344 V ", "Orkesta"}});
         MakeOlder(d / "STAVBAS.XLS");
         fs::permissions(d / "STAVBAS.XLS", fs::perms::owner_read | fs::perms::others_read);
       },
       u344,
       0,
       {},
       true,
       [](TempDir&, const CliRun& r) {
         EXPECT_EQ(r.err.find("annat program"), std::string::npos) << r.err;
         EXPECT_EQ(r.out, "U 344 V \n");
       }});
  add({"SpreadsheetWithHugeCells",
       [](TempDir& d) {
         CopyData(d);
         MakeOlder(d / "STAVBAS.INF");
         const std::string huge(6000, 'h');
         WriteWorkbook(
             d, {{"SIGNUM", "PLATS", "SOCKEN"}, {"U 344 V ", huge, huge}, {"U 345 V ", "p", huge}});
       },
       u344,
       0,
       {"information: Rader längre än 2099 tecken kortades: 2 (första: U 344 V)"},
       false,
       [](TempDir& d, const CliRun&) {
         std::string inf = d.ReadBytes("STAVBAS.INF");
         std::size_t longest = 0;
         for (std::size_t at = 0, end; (end = inf.find("\r\n", at)) != std::string::npos;
              at = end + 2)
           longest = std::max(longest, end - at);
         EXPECT_EQ(longest, 2099u);
       }});

  // Codes.
  const std::string all = "--all";
  add({"TenThousandNestedBrackets",
       CopyData,
       {all, "--condition", std::string(10000, '{') + "INF:a" + std::string(10000, '}')},
       2,
       {"information: Fel med villkor: " + std::string(255, '{') + ", För många {"}});
  add({"HundredThousandStars",
       CopyData,
       {all, "--format", "$", "--search", "RUN:a" + std::string(100000, '*') + "b"},
       0,
       {"information: Fel med villkor: a" + std::string(250, '*') + ", Dubbla *",
        "information: Fel med villkor: a" + std::string(250, '*') + ", * sist är meningslöst"},
       false,
       [](TempDir&, const CliRun& r) {
         EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n') < 200, true);
       }});
  add({"AlternativesThatBacktrack",
       CopyData,
       {all, "--format", "$", "--condition", "INF;H:" + Repeat("{#X/#X}", 34) + "Q"},
       1,
       {},
       false,
       [](TempDir&, const CliRun& r) { EXPECT_EQ(r.out, "0 inskrifter\n"); }});
  add({"DividersComparedExactly",
       CopyData,
       {all, "--format", "$", "--condition", "RUN%:" + Repeat("·", 200) + "x"},
       1,
       {}});
  add({"DotsInAWordSearch",
       CopyData,
       {all, "--format", "\xC3\x9F$ NFS", "--search", "NFS:gu" + std::string(240, '.')},
       1,
       {},
       false,
       [](TempDir&, const CliRun& r) { EXPECT_EQ(r.out, "0 ord (belägg) i 0 inskrifter\n"); }});
  add({"InvalidUtf8InACode",
       CopyData,
       {all, "--format", "$", "--condition", "INF;P:\xFF\xFE\xC3"},
       1,
       {}});
  add({"InvalidUtf8InASignum",
       CopyData,
       {"--signum",
        "U \xFF\xC3"
        "344"},
       1,
       {"information: Hittar inte signum U ÿÃ344  (STAVBAS.NFS)"}});
  add({"WordAtomInTheCondition",
       CopyData,
       {all, "--condition", "RUN:a"},
       2,
       {"information: Fel med villkor: RUN:a, Felaktig fil för urval "}});
  add({"UnknownFileInACode",
       CopyData,
       {all, "--search", "XYZ:a"},
       2,
       {"information: Fel med villkor: XYZ:a, Felaktig fil angiven"}});
  add({"FormatCodeOfGarbage",
       CopyData,
       {all, "--format", "RUN _"},
       2,
       {"information: Fel med formatkod: _ (efter RUN ), Fel plats för formattecken "}});
  add({"VeryLongSignum",
       CopyData,
       {"--signum", "U " + std::string(10000, '3')},
       1,
       {"~information: Hittar inte signum U 333"}});
  add({"FaultySignum", CopyData, {"--signum", "U344"}, 1, {"information: Felaktigt signum: U344"}});

  // Selection files.
  add({"SelectionOfAHundredThousandLines",
       [](TempDir& d) {
         CopyData(d);
         std::string list;
         for (int i = 0; i < 100000; ++i) list += i % 2 ? "U 344\r\n" : "DR 66\n";
         d.WriteBytes("list.txt", list);
       },
       {"--list", "{dir}/list.txt", "--format", "$"},
       0,
       {},
       false,
       [](TempDir&, const CliRun& r) { EXPECT_TRUE(r.out.ends_with("\n100000 inskrifter\n")); }});
  add({"SelectionOfGarbage",
       Replace("list.txt", Garbage(20000, 10)),
       {"--list", "{dir}/list.txt", "--format", "$"},
       1,
       {}});
  add({"SelectionFileMissing",
       CopyData,
       {"--list", "{dir}/none.txt"},
       1,
       {"~information: Filen {dir}/none.txt finns inte."}});
  add({"SelectionFileIsAPipe",
       [](TempDir& d) {
         CopyData(d);
         mkfifo((d / "list.txt").c_str(), 0644);
       },
       {"--list", "{dir}/list.txt"},
       1,
       {"~information: Filen {dir}/list.txt finns inte."}});

  // Settings files.
  // A settings file named on the command line that is not there is a mistyped name.
  add({"SettingsFileMissing",
       CopyData,
       {"--settings", "{dir}/none.ini", "--signum", "U 344"},
       2,
       {"~--settings"}});
  add({"SettingsFileOfGarbage",
       Replace("stavbas.ini", Garbage(8000, 11)),
       {"--settings", "{dir}/stavbas.ini", "--signum", "U 344", "--format", "$"},
       0,
       {},
       false,
       shows344});
  add({"SettingsWithHostileValues",
       Replace("stavbas.ini", "[Parameters]\r\nParameterCode=RUN:" + std::string(5000, '*') +
                                  "\r\nSelectionCode={{{{\r\nFormatCode=RUN _\r\n[Font]\r\n"
                                  "Size=99999999999999\r\n[CancelSettings]\r\nOrdinal=\x01\r\n"
                                  "InputFilePos=-5\r\n"),
       {"--settings", "{dir}/stavbas.ini", "--signum", "U 344"},
       0,
       {"information: Fel med villkor: {{{{, För många {"}});

  // Folders and files the user may not write.
  add({"ReadOnlyDatabaseFolder",
       CopyData,
       u344,
       0,
       {"information: FEL 13 (STAVBAS.$AD): Åtkomst nekad"},
       true,
       shows344});
  add({"ReadOnlyFolderCheck",
       CopyData,
       check,
       0,
       {"information: FEL 13 (STAVBAS.$AD): Åtkomst nekad",
        "information: FEL 13 (STAVBAS.LOG): Åtkomst nekad"},
       true});
  add({"RichTextIntoAMissingFolder",
       CopyData,
       {"--signum", "U 344", "--rtf", "{dir}/missing/out.rtf"},
       2,
       {"~{dir}/missing/out.rtf"}});
  add({"RichTextOverAFolder",
       [](TempDir& d) {
         CopyData(d);
         fs::create_directory(d.path() / "out.rtf");
       },
       {"--signum", "U 344", "--rtf", "{dir}/out.rtf"},
       2,
       {"~{dir}/out.rtf"}});
  add({"RichTextIntoAReadOnlyFolder",
       [](TempDir& d) {
         CopyData(d);
         d.WriteBytes("out.rtf", "the old text");
       },
       {"--signum", "U 344", "--rtf", "{dir}/out.rtf"},
       2,
       {"~{dir}/out.rtf"},
       true,
       [](TempDir& d, const CliRun&) { EXPECT_EQ(d.ReadBytes("out.rtf"), "the old text"); }});

  // A database that vanishes under a run: the files are cut to nothing and removed as the run
  // begins. The run ends early, as it can.
  add({"DatabaseVanishesWhileOpen",
       WriteLargeDatabase,
       {all, "--format", "$"},
       kAnyStatus,
       {},
       false,
       [](TempDir&, const CliRun& r) { EXPECT_FALSE(r.out.ends_with("\n40000 inskrifter\n")); }});

  // Wrong arguments: the status and the option named.
  add({"UnknownOption", CopyData, {"--bogus"}, 2, {"~--bogus"}});
  add({"MissingValue", CopyData, {all, "--format"}, 2, {"~--format"}});
  add({"WrongLanguage", CopyData, {all, "--language", "xx"}, 2, {"~--language"}});
  add({"TwoRuns", CopyData, {"--all", "--check"}, 2, {"~--check"}});
  add({"UnknownProvince", CopyData, {all, "--provinces", "Qq"}, 2, {"~Qq"}});

  // Links in the database folder "db" in the place of a file the program writes on its own,
  // to a file of the user's in the folder beside it ("home"): a symbolic link, a hard link, and
  // a symbolic link to no file yet. The program leaves the link and that file as they are, says
  // so, and goes on as in a folder it may not write. (The harness compares every file, the one
  // a link leads to as well.)
  const std::string usersFile = "# the user's own shell settings\nexport PATH=$HOME/bin:$PATH\n";
  enum class Link { kSymbolic, kHard, kToNoFile };
  auto linked = [usersFile](const std::string& name, Link kind,
                            std::function<void(const fs::path& db)> more = nullptr) {
    return [=](TempDir& d) {
      const fs::path db = d.path() / "db";
      fs::create_directories(db);
      fs::create_directories(d.path() / "home");
      CopyDataTo(db);
      if (more) more(db);
      std::string bytes = usersFile;
      if (name == "STAVBAS.INF") {  // the information file the database then opens
        bytes = d.ReadBytes("db/STAVBAS.INF");
        bytes.replace(bytes.find("Stensta", bytes.find("U 344 V ")), 7, "Linked place");
      }
      fs::remove(db / name);
      if (kind == Link::kToNoFile) {
        fs::create_symlink("../home/autostart.desktop", db / name);
        return;
      }
      d.WriteBytes("home/.profile", bytes);
      MakeOlder(d / "home/.profile");
      if (kind == Link::kHard)
        fs::create_hard_link(d.path() / "home/.profile", db / name);
      else
        fs::create_symlink("../home/.profile", db / name);
    };
  };
  // The link is still in its place, and a link to no file made no file.
  auto linkStays = [](const std::string& name, Link kind) {
    return [=](TempDir& d, const CliRun&) {
      const fs::path link = d.path() / "db" / name;
      if (kind == Link::kHard)
        EXPECT_EQ(fs::hard_link_count(link), 2u);
      else
        EXPECT_TRUE(fs::is_symlink(link));
      EXPECT_FALSE(fs::exists(d.path() / "home/autostart.desktop"));
    };
  };
  const std::pair<Link, std::string> kinds[] = {
      {Link::kSymbolic, "Symbolic"}, {Link::kHard, "Hard"}, {Link::kToNoFile, "ToNoFile"}};
  const std::vector<std::string> inDb = {"--database", "{dir}/db/STAVBAS"};
  const auto with = [&inDb](std::vector<std::string> args) {
    args.insert(args.begin(), inDb.begin(), inDb.end());
    return args;
  };
  for (const auto& k : kinds) {
    const Link kind = k.first;  // a plain name, so that the cases' lambdas can take it
    const std::string& kindName = k.second;
    add({"IndexLinked" + kindName,
         linked("STAVBAS.$AD", kind),
         with(u344),
         0,
         {"information: STAVBAS.$AD är en länk och skrivs därför inte över"},
         false,
         [=](TempDir& d, const CliRun& r) {
           EXPECT_EQ(r.out, "U 344 V \n");
           linkStays("STAVBAS.$AD", kind)(d, r);
         }});
    add({"CheckLogLinked" + kindName,
         linked("STAVBAS.LOG", kind),
         with(check),
         0,
         {"information: STAVBAS.LOG är en länk och skrivs därför inte över", okCheck},
         false,
         linkStays("STAVBAS.LOG", kind)});
    // Beside a newer spreadsheet the information file is not converted; the database opens the
    // file the link leads to, as after a failed write.
    add({"InformationFileLinked" + kindName,
         linked("STAVBAS.INF", kind,
                [](const fs::path& db) {
                  WriteWorkbook(db, {{"SIGNUM", "PLATS"}, {"U 344 V ", "From the sheet"}});
                }),
         // Without an information file the format cannot name one of its fields.
         with({"--signum", "U 344", "--format", kind == Link::kToNoFile ? "$" : "$ INF;P"}),
         0,
         {"information: STAVBAS.INF är en länk och skrivs därför inte över"},
         false,
         [=](TempDir& d, const CliRun& r) {
           EXPECT_EQ(r.out.find("From the sheet"), std::string::npos) << r.out;
           if (kind != Link::kToNoFile) {
             EXPECT_NE(r.out.find("Linked place"), std::string::npos);
           }
           EXPECT_TRUE(r.out.starts_with("U 344 V ")) << r.out;
           linkStays("STAVBAS.INF", kind)(d, r);
         }});
  }

  // Addresses from a settings file that the program would not hand to the desktop: printed
  // nowhere, refused with a message naming them. A "%" without two hex digits in a long
  // error-report address (cut to the environment's size) is one character, not a fault.
  const std::string refused =
      "\": bara webbadresser (http, https), e-post med enbart ämne och text samt programmets "
      "egna filer (det som programmet har sparat eller exporterat, hjälpsidorna) öppnas.";
  auto printsNothing = [](TempDir&, const CliRun& r) { EXPECT_EQ(r.out, ""); };
  auto addressOf = [](const std::string& option) {
    return std::vector<std::string>{
        "--settings", "{dir}/stavbas.ini", "--signum", "U 344", "--format", "$", option};
  };
  add({"ErrorMailWithALonePercent",
       Replace("stavbas.ini", "[Const]\r\nErrorMail=%zz" + std::string(300000, 'a') + "\r\n"),
       addressOf("--mail-url"),
       2,
       {"~warning: Öppnar inte \"mailto:%zzaaaa"},
       false,
       printsNothing});
  add({"ErrorMailWithAttachmentAndCopy",
       Replace("stavbas.ini",
               "[Const]\r\nErrorMail=fel@x.org?attach=/etc/passwd&cc=spy@evil.example\r\n"),
       addressOf("--mail-url"),
       2,
       {"~warning: Öppnar inte \"mailto:fel@x.org?attach=/etc/passwd&cc=spy@evil.example?subject="},
       false,
       printsNothing});
  add({"BibliographyPrefixOfScript",
       Replace("stavbas.ini", "[Links]\r\nSvenskRunbibFind=javascript:alert(1)//\r\n"),
       addressOf("--bib-url"),
       2,
       {"warning: Öppnar inte \"javascript:alert(1)//U%20344%20V" + refused},
       false,
       printsNothing});
  add({"BibliographyPrefixOfALocalFile",
       Replace("stavbas.ini", "[Links]\r\nSvenskRunbibFind=file:///etc/passwd#\r\n"),
       addressOf("--bib-url"),
       2,
       {"warning: Öppnar inte \"file:///etc/passwd#U%20344%20V" + refused},
       false,
       printsNothing});
  add({"BibliographyPrefixWithAUserName",
       Replace("stavbas.ini",
               "[Links]\r\nSvenskRunbibFind=https://runbibl.example.org@evil.example/\r\n"),
       addressOf("--bib-url"),
       2,
       {"warning: Öppnar inte \"https://runbibl.example.org@evil.example/U%20344%20V" + refused},
       false,
       printsNothing});

  // Exports of hostile coordinates, names and information values: every export refuses a
  // coordinate it cannot read or that lies off the globe in the same words, and writes nothing.
  for (const char* kind : {"kml", "gmap", "gpx", "csv", "shp"}) {
    for (auto [name, value, shown] : {std::tuple{"OffTheGlobe", "(95;17)", "95\t17"},
                                      {"TwoSigns", "(+-1;2)", "+-1\t2"},
                                      {"Exponent", "(1e2;2)", "1e2\t2"},
                                      {"NotANumber", "(59;nan)", "59\tnan"},
                                      {"Unclosed", "(59;17", "Koordinater: (59\t17 "}}) {
      add({std::string("ExportCoordinates") + name + "_" + kind,
           InfoField("U 344 V", 'X', value),
           {"--provinces", "U", "--origin", "--export", kind, "{dir}/out/x"},
           2,
           {std::string("error: Felaktiga koordinater för U 344 V: ") + shown},
           false,
           [](TempDir& d, const CliRun&) { EXPECT_TRUE(Exported(d).empty()); }});
    }
  }
  // A formula in an information value stays text in the CSV file.
  add({"ExportCsvFormulaStaysText",
       InfoField("U 344 V", 'A', "=HYPERLINK(\"http://example.org\";\"x\")"),
       {"--provinces", "U", "--export", "csv", "{dir}/out/t.csv", "--columns", "Material"},
       0,
       {},
       false,
       [](TempDir& d, const CliRun&) {
         const std::string csv = d.ReadBytes("out/t.csv");
         EXPECT_NE(csv.find(";\"'=HYPERLINK(\"\"http://example.org\"\";\"\"x\"\")\";"),
                   std::string::npos)
             << csv;
       }});
  // Markup in an information value stays text in the Google Earth balloons.
  add({"ExportKmlMarkupStaysText",
       InfoField("U 344 V", 'A', "<img src=x onerror=alert(1)>]]>"),
       {"--provinces", "U", "--export", "kml", "{dir}/out/k.kml", "--columns", "Material"},
       0,
       {},
       false,
       [](TempDir& d, const CliRun&) {
         const std::string kml = d.ReadBytes("out/k.kml");
         EXPECT_NE(kml.find("Material: &lt;img src=x onerror=alert(1)&gt;]]&gt; <br/>"),
                   std::string::npos);
         EXPECT_EQ(kml.find("<img"), std::string::npos);
       }});
  // A name that ends in a folder would give a hidden file named by the extension.
  for (const char* kind : {"kml", "gmap", "gpx", "csv", "shp", "list"}) {
    add({std::string("ExportIntoAFolderName_") + kind,
         [](TempDir& d) {
           CopyData(d);
           fs::create_directory(d.path() / "out");
         },
         {"--provinces", "U", "--export", kind, "{dir}/out/"},
         2,
         {"error: Ange ett filnamn, inte en mapp: {dir}/out/"},
         false,
         [](TempDir& d, const CliRun&) { EXPECT_TRUE(Exported(d).empty()); }});
  }

  // A NUL byte in a record's text, and a data file replaced under an index that fits its size
  // and time stamp but not its lines.
  auto nulInPlaceName = [](TempDir& d) {
    CopyData(d);
    std::string inf = d.ReadBytes("STAVBAS.INF");
    inf[inf.find(Utf8ToCp1252("Stensta gård"), inf.find("U 344 V ")) + 7] = '\0';
    d.WriteBytes("STAVBAS.INF", inf);
  };
  add({"NulByteInAPlaceName",
       nulInPlaceName,
       check,
       1,
       {failed, "U 344 V : STAVBAS.INF har NUL-tecken i raden (visas som ?)"}});
  add({"NulByteInAPlaceNameShown",
       nulInPlaceName,
       {"--signum", "U 344", "--format", "$ INF;P INF;X INF;A"},
       0,
       {},
       false,
       [](TempDir&, const CliRun& r) {
         EXPECT_EQ(r.out, "U 344 V \nStensta?gård \n6611789\t1653966 \nGrå granit \n") << r.out;
       }});
  for (const int shift : {-1, 2}) {
    add({"ReplacedRunFileOfTheSameSizeAndStamp" + std::string(shift < 0 ? "Up" : "Down"),
         [shift](TempDir& d) {
           CopyData(d);
           // The index is written for the files as they are, then the runic text replaced.
           const CliRun opened = test::RunCli({"--database", d / "STAVBAS", "--files"});
           ASSERT_EQ(opened.status, 0) << opened.err;
           ASSERT_TRUE(fs::exists(d.path() / "STAVBAS.$AD"));
           test::ReplaceShifted(d, "STAVBAS.RUN", shift);
         },
         {all, "--format", "$ RUN"},
         0,
         {"STAVBAS.RUN ändrad"},
         false,
         [](TempDir&, const CliRun& r) { EXPECT_TRUE(r.out.ends_with("\n84 inskrifter\n")); }});
  }
  return cases;
}

class BadInputCatalogue : public ::testing::TestWithParam<Case> {};

// Every file of the folder and its subfolders, by its path there. A symbolic link is kept as
// its name, " -> " and where it points, with the bytes of the regular file it leads to, wherever
// that lies: a file outside the folder must not change through a link either.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> files;
  const auto read = [](const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  for (const auto& e : fs::recursive_directory_iterator(folder)) {
    std::error_code ec;
    const std::string name = e.path().lexically_relative(folder).string();
    if (e.is_symlink(ec)) {
      files[name + " -> " + fs::read_symlink(e.path(), ec).string()] =
          fs::is_regular_file(e.path(), ec) ? read(e.path()) : "";
    } else if (e.is_regular_file(ec)) {
      files[name] = read(e.path());
    }
  }
  return files;
}

// The name of a snapshot's entry, without its folder; a link's entry keeps its whole text.
std::string FileName(const std::string& entry) {
  if (entry.find(" -> ") != std::string::npos) return entry;
  return fs::path(entry).filename().string();
}

std::string Expand(std::string text, const std::string& dir) {
  for (std::size_t at; (at = text.find("{dir}")) != std::string::npos;) text.replace(at, 5, dir);
  return text;
}

TEST_P(BadInputCatalogue, ClearMessageNoCrashNoHangNoPartialFile) {
  const Case& c = GetParam();
  TempDir dir;
  c.setup(dir);
  const std::string folder = dir.path().string();
  std::vector<std::string> args;
  bool database = false;
  for (const std::string& a : c.args) {
    args.push_back(Expand(a, folder));
    database = database || a == "--database";
  }
  if (!database) args.insert(args.begin(), {"--database", folder + "/STAVBAS"});
  const auto before = Snapshot(dir.path());

  test::CliOptions options;
  options.folder = folder;
  options.unprivileged = c.unprivileged;
  if (c.unprivileged) {
    test::OpenToEveryone(folder);
    fs::permissions(dir.path(),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
  }
  if (c.name == "DatabaseVanishesWhileOpen") {
    options.meddleWhen = "Skriver STAVBAS.$AD";  // the index is written: the run begins
    options.meddle = [](const std::string& f) {
      for (const char* name : {"STAVBAS.RUN", "STAVBAS.NFS"}) {
        ::truncate((f + "/" + name).c_str(), 0);
        ::unlink((f + "/" + name).c_str());
      }
    };
  }
  const CliRun r = test::RunCli(args, options);
  fs::permissions(dir.path(), fs::perms::all);

  ASSERT_TRUE(r.finished) << "no end within the time limit";
  ASSERT_FALSE(r.signalled) << r.err;
  if (c.status != kAnyStatus) {
    EXPECT_EQ(r.status, c.status) << r.err;
  }
  // Standard error as lines.
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; at < r.err.size(); at = end + 1) {
    end = r.err.find('\n', at);
    if (end == std::string::npos) end = r.err.size();
    lines.push_back(r.err.substr(at, end - at));
  }
  for (const std::string& wanted : c.messages) {
    const std::string m = Expand(wanted, folder);
    const bool part = m.starts_with("~");
    const bool found = std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
      return part ? line.find(m.substr(1)) != std::string::npos : line == m;
    });
    // A message of several lines.
    const bool whole = !part && r.err.find(m + "\n") != std::string::npos;
    EXPECT_TRUE(found || whole) << "missing: " << m << "\nstandard error:\n"
                                << r.err.substr(0, 4000);
  }

  // Nothing partial, nothing temporary, nothing of the user's changed.
  const auto after = Snapshot(dir.path());
  for (const auto& [name, bytes] : before) {
    if (kOwnedByTheProgram.count(FileName(name))) continue;
    if (!after.count(name) && c.name == "DatabaseVanishesWhileOpen") continue;
    ASSERT_TRUE(after.count(name)) << name << " is gone";
    EXPECT_TRUE(after.at(name) == bytes) << name << " was changed";
  }
  for (const auto& [name, bytes] : after) {
    // The folder "out" holds the files a case names for its exports.
    EXPECT_TRUE(before.count(name) || kOwnedByTheProgram.count(FileName(name)) ||
                name.starts_with("out/"))
        << "new file " << name;
    EXPECT_TRUE(before.count(name) || !FileName(name).starts_with("."))
        << "temporary file " << name;
    // An index the program wrote (a linked one stays as it was).
    if (FileName(name) == "STAVBAS.$AD" && !(before.count(name) && before.at(name) == bytes)) {
      EXPECT_EQ((bytes.size() - 2) % 284, 0u) << "a cut index";
    }
  }
  if (c.more) c.more(dir, r);
}

INSTANTIATE_TEST_SUITE_P(Cases, BadInputCatalogue, ::testing::ValuesIn(Catalogue()),
                         [](const auto& info) { return info.param.name; });

TEST(BadInputCatalogue, HoldsAtLeastFiftyCases) {
  EXPECT_GE(Catalogue().size(), 50u);
}

}  // namespace
}  // namespace stavbas
