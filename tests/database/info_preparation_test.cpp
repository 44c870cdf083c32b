// Writing the information file from its spreadsheet, and the value lists of the columns.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>
#include <utime.h>

#include <filesystem>

#include "base/cp1252.h"
#include "base/ui.h"
#include "database/info_preparation.h"
#include "spreadsheet/xls_test_support.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace stavbas {
namespace {

using test::RecordingHost;
using test::TempDir;
using Strings = std::vector<std::string>;

std::string F(char code, const std::string& utf8) {
  const char mark = static_cast<char>(code & 0x1F);
  return mark + Utf8ToCp1252(utf8) + mark;
}

void SetAge(const std::string& path, int secondsAgo) {
  const std::time_t t = std::time(nullptr) - secondsAgo;
  const utimbuf times{t, t};
  ASSERT_EQ(utime(path.c_str(), &times), 0);
}

class InfoPreparationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(test::XlsFixture("info97.xls"), dir / "STAVBAS.XLS");
    prep.exitConfirmation = [this] { ++exits; };
  }
  std::string Expected() const {
    std::string out;
    for (const char* h :
         {"!/F I",
          "!/I PPlats;SSocken;THärad;KKommun;QPlacering;XKoordinater;UUrspr. plats?;YNuv. koord.;",
          "!/I NSockenkod/Fornlämningsnr.;BRuntyper;CKorsform;DPeriod/Datering;GStilgruppering;"
          "RRistare;",
          "!/I IMaterialtyp;AMaterial;LFöremål;EAlternativt signum;OÖvrigt;FReferens;HBildlänk",
          "!/I VHöjd;WAntal;ZBeräknat;", "!/R Information om plats m.m."})
      out += Utf8ToCp1252(h) + "\r\n";
    out += "U 9001 " + F('P', "Åkerby kyrka") + F('S', "Älvsjö") + F('X', "6614523;1627548") +
           F('Y', "6614523") + F('D', "V 1000–1050") + F('O', "Müllers anteckning") +
           F('V', "1.5") + F('W', "3") + F('Z', "6") + "\r\n";
    out += "U 9002 " + F('P', "Östra Näs") + F('S', "Ödeby") + F('X', "(59.348915;18.047319)") +
           F('O', "Pris 5 €") + F('V', "-42") + F('W', "0.1") + F('Z', "#DIV/0!") + "\r\n";
    out += Utf8ToCp1252("Sö 9003 ") + F('P', "Ängsö") + F('S', "Ärla") + F('X', "6583052") +
           F('O', "?mega och ?") + F('V', "123456789012") + F('W', "1E+20") + F('Z', "Ängsöx") +
           "\r\n";
    out += Utf8ToCp1252("Öl 9004 ") + F('P', "Byn") + F('V', "3.14159265358979") + F('W', "1") +
           F('Z', "#N/A") + "\r\n";
    return out;
  }
  TempDir dir;
  RecordingHost host;
  Ui ui{host};
  InfoPreparation prep{ui};
  int exits = 0;
};

TEST_F(InfoPreparationTest, AMissingInformationFileIsWrittenFromTheSpreadsheet) {
  EXPECT_EQ(prep.Prepare(dir / "STAVBAS"), InfoPreparation::Result::kRewritten);
  EXPECT_EQ(host.BoxTexts(), Strings{"Hittar inte \"STAVBAS.INF\nAnvänder STAVBAS.XLS"});
  EXPECT_EQ(dir.ReadBytes("STAVBAS.INF"), Expected());
  // Rows end at the first empty signum cell; later rows are left out of the lists too.
  EXPECT_EQ(prep.valueLists()[0],
            (Strings{"U 9001 ", "U 9002 ", Utf8ToCp1252("Sö 9003 "), Utf8ToCp1252("Öl 9004 ")}));
  Strings places;
  for (const auto& p : prep.valueLists()[1]) places.push_back(Cp1252ToUtf8(p));
  EXPECT_EQ(places, (Strings{"Byn", "Åkerby kyrka", "Ängsö", "Östra Näs"}));
  EXPECT_EQ(prep.valueLists()[8], (Strings{"0.1", "1", "1E+20", "3"}));
  EXPECT_TRUE(prep.valueLists()[10].empty());  // a fourth unknown title gets no code
}

TEST_F(InfoPreparationTest, AnOlderInformationFileIsRewrittenANewerOneKept) {
  dir.WriteBytes("STAVBAS.INF", "old\r\n");
  SetAge(dir / "STAVBAS.INF", 3600);
  EXPECT_EQ(prep.Prepare(dir / "STAVBAS"), InfoPreparation::Result::kRewritten);
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_EQ(host.messageLines, Strings{"Anv\xE4nder STAVBAS.XLS"});
  EXPECT_EQ(dir.ReadBytes("STAVBAS.INF"), Expected());

  dir.WriteBytes("STAVBAS.INF", "newer\r\n");
  SetAge(dir / "STAVBAS.XLS", 3600);
  host.Clear();
  EXPECT_EQ(prep.Prepare(dir / "STAVBAS"), InfoPreparation::Result::kUpToDate);
  EXPECT_EQ(dir.ReadBytes("STAVBAS.INF"), "newer\r\n");
  EXPECT_TRUE(host.messageLines.empty());
  EXPECT_EQ(prep.valueLists()[0].size(), 4u);  // the lists are built all the same
}

TEST_F(InfoPreparationTest, ALockedSpreadsheetEndsTheProgram) {
  dir.WriteBytes("STAVBAS.INF", "old\r\n");
  SetAge(dir / "STAVBAS.INF", 3600);
  for (const char* lock : {".~lock.STAVBAS.XLS#", "~$STAVBAS.XLS", "~$AVBAS.XLS"}) {
    dir.WriteBytes(lock, "x");
    host.Clear();
    EXPECT_EQ(prep.Prepare(dir / "STAVBAS"), InfoPreparation::Result::kLocked) << lock;
    EXPECT_EQ(host.BoxTexts(), Strings{"Gick inte att öppna filen  STAVBAS.XLS - kan användas av "
                                       "annat program. Avslutar programmet."});
    std::filesystem::remove(dir / lock);
  }
  EXPECT_EQ(exits, 3);
  EXPECT_EQ(dir.ReadBytes("STAVBAS.INF"), "old\r\n");
}

TEST_F(InfoPreparationTest, AnUnreadableSpreadsheetLeavesTheInformationFileAlone) {
  dir.WriteBytes("STAVBAS.INF", "old\r\n");
  SetAge(dir / "STAVBAS.INF", 3600);
  const std::string good = dir.ReadBytes("STAVBAS.XLS");
  dir.WriteBytes("STAVBAS.XLS", good.substr(0, good.size() / 2));
  EXPECT_EQ(prep.Prepare(dir / "STAVBAS"), InfoPreparation::Result::kFailed);
  EXPECT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(dir.ReadBytes("STAVBAS.INF"), "old\r\n");
  dir.WriteBytes("STAVBAS.XLS", "not a workbook at all");
  host.Clear();
  EXPECT_EQ(prep.Prepare(dir / "STAVBAS"), InfoPreparation::Result::kFailed);
  EXPECT_EQ(host.BoxTexts(), Strings{"File is not a Excel Workbook"});
  EXPECT_EQ(dir.ReadBytes("STAVBAS.INF"), "old\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir / ".STAVBAS.INF.new"));
}

TEST_F(InfoPreparationTest, WithoutASpreadsheetNothingHappens) {
  std::filesystem::remove(dir / "STAVBAS.XLS");
  EXPECT_EQ(prep.Prepare(dir / "STAVBAS"), InfoPreparation::Result::kNoSpreadsheet);
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_FALSE(std::filesystem::exists(dir / "STAVBAS.INF"));
}

TEST(InfoPreparationCells, LineBreaksAndControlCharactersInCellsStayInTheirField) {
  TempDir dir;
  using namespace test;
  std::string rows = Record(0x0204, CellHead(0, 0) + Text97("SIGNUM")) +
                     Record(0x0204, CellHead(0, 1) + Text97("PLATS")) +
                     Record(0x0204, CellHead(0, 2) + Text97("MATERIALTYP")) +
                     Record(0x0204, CellHead(1, 0) + Text97("U 1 V ")) +
                     Record(0x0204, CellHead(1, 1) + Text97("two\r\nlines")) +
                     Record(0x0204, CellHead(1, 2) + Text97("tab\there"));
  WriteCompoundFile(dir / "STAVBAS.XLS", {{"Workbook", Workbook(0x0600, "", {rows})}});
  RecordingHost host;
  Ui ui(host);
  InfoPreparation prep(ui);
  ASSERT_EQ(prep.Prepare(dir / "STAVBAS"), InfoPreparation::Result::kRewritten);
  const std::string inf = dir.ReadBytes("STAVBAS.INF");
  EXPECT_NE(inf.find("U 1 V \x10two  lines\x10\ttab here\t\r\n"), std::string::npos);
}

}  // namespace
}  // namespace stavbas

namespace stavbas {
namespace {

TEST(SampleSpreadsheet, ConvertsToTheSampleInformationFile) {
  test::TempDir dir;
  const std::filesystem::path data = std::filesystem::path(STAVBAS_SOURCE_DIR) / "data";
  std::filesystem::copy_file(data / "STAVBAS.XLS", dir / "STAVBAS.XLS");
  test::RecordingHost host;
  Ui ui(host);
  InfoPreparation prep(ui);
  ASSERT_EQ(prep.Prepare(dir / "STAVBAS"), InfoPreparation::Result::kRewritten);
  test::TempDir original;
  std::filesystem::copy_file(data / "STAVBAS.INF", original / "STAVBAS.INF");
  EXPECT_EQ(dir.ReadBytes("STAVBAS.INF"), original.ReadBytes("STAVBAS.INF"));
}

}  // namespace
}  // namespace stavbas

namespace stavbas {
namespace {

TEST(InfoPreparationCells, LongSheetsKeepEveryRow) {
  test::TempDir dir;
  using namespace test;
  std::string rows = Record(0x0204, CellHead(0, 0) + Text97("SIGNUM")) +
                     Record(0x0204, CellHead(0, 1) + Text97("PLATS"));
  for (int r = 1; r <= 15000; ++r)
    rows += Record(0x0204, CellHead(r, 0) + Text97("U " + std::to_string(r) + " V ")) +
            Record(0x0204, CellHead(r, 1) + Text97("p"));
  WriteCompoundFile(dir / "STAVBAS.XLS", {{"Workbook", Workbook(0x0600, "", {rows})}});
  RecordingHost host;
  Ui ui(host);
  InfoPreparation prep(ui);
  ASSERT_EQ(prep.Prepare(dir / "STAVBAS"), InfoPreparation::Result::kRewritten);
  EXPECT_EQ(prep.valueLists()[0].size(), 15000u);
  EXPECT_NE(dir.ReadBytes("STAVBAS.INF").find("U 15000 V \x10p\x10\r\n"), std::string::npos);
}

}  // namespace
}  // namespace stavbas

namespace stavbas {
namespace {

// A workbook of one title row and rows of the given cells (column 0 the signum).
void WriteSheet(const std::string& path, const std::vector<std::vector<std::string>>& rows) {
  using namespace test;
  const char* titles[] = {"SIGNUM", "PLATS", "SOCKEN", "MATERIALTYP"};
  std::string records;
  for (int c = 0; c < 4; ++c) records += Record(0x0204, CellHead(0, c) + Text97(titles[c]));
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (std::size_t c = 0; c < rows[r].size(); ++c)
      records += Record(
          0x0204, CellHead(static_cast<int>(r + 1), static_cast<int>(c)) + Text97(rows[r][c]));
  WriteCompoundFile(path, {{"Workbook", Workbook(0x0600, "", {records})}});
}

// Lines longer than the database reads back are cut at a field's end, and the user is told.
TEST(InfoPreparationCells, LinesTooLongToReadBackAreCutWithAMessage) {
  TempDir dir;
  const std::string big(5000, 'x');
  WriteSheet(dir / "STAVBAS.XLS", {{"U 1 V ", "short", big, "stone"},
                                   {"U 2 V ", "p", "s", "m"},
                                   {"U 3 V ", std::string(2090, 'y'), "s", "m"}});
  RecordingHost host;
  Ui ui(host);
  InfoPreparation prep(ui);
  ASSERT_EQ(prep.Prepare(dir / "STAVBAS"), InfoPreparation::Result::kRewritten);
  EXPECT_EQ(host.BoxTexts().back(), "Rader längre än 2099 tecken kortades: 2 (första: U 1 V)");
  const std::string inf = dir.ReadBytes("STAVBAS.INF");
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = inf.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(inf.substr(at, end - at));
  ASSERT_EQ(lines.size(), 8u);
  const std::string& first = lines[5];
  EXPECT_EQ(first.size(), 2099u);
  EXPECT_TRUE(first.starts_with("U 1 V \x10short\x10\x13xxx")) << first.substr(0, 20);
  EXPECT_TRUE(first.ends_with("x\x13"));  // the cut field keeps its closing mark
  EXPECT_EQ(lines[6], "U 2 V \x10p\x10\x13s\x13\x09m\x09");
  EXPECT_EQ(lines[7], "U 3 V \x10" + std::string(2090, 'y') + "\x10");
  // The value lists hold what the lines can hold.
  EXPECT_EQ(prep.valueLists()[2].back().size(), 2099u);
}

// A locked spreadsheet is one another program holds a lock on; the lock is looked for only when
// the spreadsheet is to be converted.
TEST_F(InfoPreparationTest, OnlyALockOnASpreadsheetToConvertEndsTheProgram) {
  dir.WriteBytes("STAVBAS.INF", "old\r\n");
  const int fd = ::open((dir / "STAVBAS.XLS").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);
  EXPECT_EQ(prep.Prepare(dir / "STAVBAS"), InfoPreparation::Result::kUpToDate);
  EXPECT_TRUE(host.boxes.empty());
  SetAge(dir / "STAVBAS.INF", 3600);
  EXPECT_EQ(prep.Prepare(dir / "STAVBAS"), InfoPreparation::Result::kLocked);
  EXPECT_EQ(exits, 1);
  ::close(fd);
  EXPECT_EQ(dir.ReadBytes("STAVBAS.INF"), "old\r\n");
}

// Read-only files and folders are no locks: what can be done is done, the rest is reported in
// words, and the program goes on with the information file it has.
TEST_F(InfoPreparationTest, ReadOnlySpreadsheetsAndFoldersAreNotInUse) {
  namespace fs = std::filesystem;
  dir.WriteBytes("STAVBAS.INF", "old\r\n");
  test::OpenToEveryone(dir.path());
  const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  fs::permissions(dir / "STAVBAS.XLS", readOnly);
  const std::string base = dir / "STAVBAS";
  auto prepare = [&] {
    return test::RunUnprivileged([&] {
      RecordingHost h;
      Ui u(h);
      InfoPreparation p(u);
      const auto result = p.Prepare(base);
      std::string out = std::to_string(static_cast<int>(result));
      for (const std::string& box : h.BoxTexts()) out += "|" + box;
      return out;
    });
  };
  const std::string upToDate = std::to_string(static_cast<int>(InfoPreparation::Result::kUpToDate));
  const std::string failed = std::to_string(static_cast<int>(InfoPreparation::Result::kFailed));
  const std::string rewritten =
      std::to_string(static_cast<int>(InfoPreparation::Result::kRewritten));

  EXPECT_EQ(prepare().output, upToDate);  // newer information file: read for the lists only
  SetAge(dir / "STAVBAS.INF", 3600);
  EXPECT_EQ(prepare().output, rewritten);  // a read-only spreadsheet is converted
  EXPECT_NE(dir.ReadBytes("STAVBAS.INF"), "old\r\n");

  dir.WriteBytes("STAVBAS.INF", "old\r\n");
  SetAge(dir / "STAVBAS.INF", 3600);
  fs::permissions(dir.path(),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_EQ(prepare().output, failed + "|FEL 13 (STAVBAS.INF): Åtkomst nekad");
  fs::permissions(dir.path(), fs::perms::all);
  EXPECT_EQ(dir.ReadBytes("STAVBAS.INF"), "old\r\n");

  fs::permissions(dir / "STAVBAS.XLS", fs::perms::none);
  EXPECT_EQ(prepare().output, failed + "|FEL 13 (STAVBAS.XLS): Åtkomst nekad");
  EXPECT_EQ(dir.ReadBytes("STAVBAS.INF"), "old\r\n");
}

}  // namespace
}  // namespace stavbas
