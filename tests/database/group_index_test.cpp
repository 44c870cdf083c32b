// The group-address index: computed addresses, the index file's exact bytes, and when it is
// trusted or rebuilt.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <ctime>
#include <filesystem>

#include "base/file_listing.h"
#include "mini_db.h"

namespace stavbas {
namespace {

using test::MiniDb;
using Strings = std::vector<std::string>;

constexpr const char* kRun = "!/R Runtext\nÖl 5 V a\nU 12 V b\nU 150 V c\nU 1100 V d\nDR 3 V e\n";

bool Contains(const Strings& lines, const std::string& text) {
  return std::find(lines.begin(), lines.end(), text) != lines.end();
}

std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  t.tm_isdst = -1;
  return std::mktime(&t);
}

void SetTime(const std::string& path, std::time_t t) {
  const utimbuf times{t, t};
  ASSERT_EQ(utime(path.c_str(), &times), 0);
}

std::uint32_t Le32(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

TEST(GroupIndex, DosStampOfALocalTime) {
  EXPECT_EQ(DosDateTime(LocalTime(2024, 3, 15, 13, 45, 36)), 0x586F6DB2u);
  EXPECT_EQ(DosDateTime(LocalTime(1980, 1, 1, 0, 0, 1)), 0x00210000u);
}

TEST(GroupIndex, ComputedAddressesAndTheFileByteForByte) {
  MiniDb m;
  m.Write("STAVBAS.RUN", kRun);
  m.Write("STAVBAS.ENG", "Öl 5 V A\nU 12 V B\nU 150 V C\nU 1100 V D\nDR 3 V E\n");
  SetTime(m.dir / "STAVBAS.RUN", LocalTime(2024, 3, 15, 13, 45, 36));
  ASSERT_TRUE(m.Open());
  const std::string bytes = m.dir.ReadBytes("STAVBAS.$AD");
  ASSERT_EQ(bytes.size(), 2u + 2 * 284);
  EXPECT_EQ(bytes.substr(0, 2), std::string("\x1C\x01", 2));  // 284, little-endian

  // Database order: RUN and ENG both complete, in listing order (ENG sorts first).
  std::string eng = bytes.substr(2, 284), run = bytes.substr(2 + 284, 284);
  EXPECT_EQ(eng.substr(0, 4), std::string("ENG\0", 4));
  EXPECT_EQ(run.substr(0, 4), std::string("RUN\0", 4));
  EXPECT_EQ(Le32(run, 4), 0x586F6DB2u);
  EXPECT_EQ(Le32(run, 8), std::filesystem::file_size(m.dir / "STAVBAS.RUN"));
  std::vector<std::uint32_t> expected(69);
  expected[1] = 2;                                 // Öl 5
  for (int g = 2; g <= 16; ++g) expected[g] = 3;   // empty groups take the next one's line
  expected[17] = 4;                                // U 150
  for (int g = 18; g <= 27; ++g) expected[g] = 5;  // U 1100 is in group 27
  for (int g = 28; g <= 68; ++g) expected[g] = 6;  // DR 3, then the last line
  for (int g = 1; g <= 68; ++g) EXPECT_EQ(Le32(run, 12 + 4 * (g - 1)), expected[g]) << g;
  // The ENG file has no header line, so every address is one less.
  for (int g = 1; g <= 68; ++g) EXPECT_EQ(Le32(eng, 12 + 4 * (g - 1)), expected[g] - 1) << g;

  const Strings lines = m.host.Lines();
  EXPECT_TRUE(Contains(lines, "Beräknar gruppadresser"));
  EXPECT_TRUE(Contains(lines, "  Öland"));
  EXPECT_TRUE(Contains(lines, "  Danmark"));
  EXPECT_TRUE(Contains(lines, "Skriver STAVBAS.$AD"));
  EXPECT_FALSE(m.ui.errorsNoted);
}

TEST(GroupIndex, LoadedAgainWhileTheFilesAreUnchanged) {
  MiniDb first;
  first.Write("STAVBAS.RUN", kRun);
  ASSERT_TRUE(first.Open());
  const auto computed = first.db.DataFile(1).address();
  first.db.Close();

  test::RecordingHost host;
  Ui ui(host);
  TDatabas db(ui);
  ASSERT_TRUE(db.Open(first.dir / "STAVBAS"));
  EXPECT_EQ(db.DataFile(1).address(), computed);
  EXPECT_FALSE(Contains(host.Lines(), "Beräknar gruppadresser"));
  EXPECT_TRUE(Contains(host.Lines(), "STAVBAS.$AD"));
}

TEST(GroupIndex, RebuiltWhenADataFileChanges) {
  MiniDb m;
  m.Write("STAVBAS.RUN", kRun);
  ASSERT_TRUE(m.Open());
  const std::string run = m.dir / "STAVBAS.RUN";

  // Same size, other date.
  SetTime(run, LocalTime(2020, 1, 1, 12, 0, 0));
  m.host.Clear();
  ASSERT_TRUE(m.Open());
  EXPECT_TRUE(Contains(m.host.Lines(), "STAVBAS.RUN ändrad"));
  EXPECT_TRUE(Contains(m.host.Lines(), "Beräknar gruppadresser"));
  EXPECT_EQ(Le32(m.dir.ReadBytes("STAVBAS.$AD"), 2 + 4), FileDateTime(run));

  // Other size: a new inscription in a new group moves the addresses.
  m.Write("STAVBAS.RUN", std::string(kRun) + "N 4 V f\n");
  SetTime(run, LocalTime(2020, 1, 1, 12, 0, 0));
  m.host.Clear();
  ASSERT_TRUE(m.Open());
  EXPECT_TRUE(Contains(m.host.Lines(), "STAVBAS.RUN ändrad"));
  EXPECT_EQ(m.db.DataFile(1).address()[47], 7);
  EXPECT_TRUE(m.Find("N 4"));
}

TEST(GroupIndex, ForeignTruncatedAndIncompleteIndexFiles) {
  MiniDb m;
  m.Write("STAVBAS.RUN", kRun);
  ASSERT_TRUE(m.Open());
  const std::string good = m.dir.ReadBytes("STAVBAS.$AD");

  m.dir.WriteBytes("STAVBAS.$AD", std::string("\x1D\x01", 2) + good.substr(2));
  m.host.Clear();
  ASSERT_TRUE(m.Open());
  EXPECT_TRUE(Contains(m.host.Lines(), "Fel version av STAVBAS.$AD"));
  EXPECT_EQ(m.dir.ReadBytes("STAVBAS.$AD"), good);

  m.dir.WriteBytes("STAVBAS.$AD", good.substr(0, 100));
  m.host.Clear();
  ASSERT_TRUE(m.Open());
  EXPECT_TRUE(Contains(m.host.BoxTexts(), "FEL 100 (STAVBAS.$AD): Oväntat filslut"));
  EXPECT_EQ(m.dir.ReadBytes("STAVBAS.$AD"), good);

  m.dir.WriteBytes("STAVBAS.$AD", "");
  m.host.Clear();
  ASSERT_TRUE(m.Open());
  EXPECT_EQ(m.dir.ReadBytes("STAVBAS.$AD"), good);

  // A data file the index does not know, and a record for a file that is gone.
  m.Write("STAVBAS.NFS", "Öl 5 V a\nU 12 V b\nU 150 V c\nU 1100 V d\nDR 3 V e\n");
  m.host.Clear();
  ASSERT_TRUE(m.Open());
  EXPECT_TRUE(Contains(m.host.Lines(), "STAVBAS.$AD ofullständig"));
  std::filesystem::remove(m.dir / "STAVBAS.NFS");
  m.host.Clear();
  ASSERT_TRUE(m.Open());
  EXPECT_FALSE(Contains(m.host.Lines(), "Beräknar gruppadresser"));
}

TEST(GroupIndex, FaultsInTheFilesAreReportedAndNotCached) {
  MiniDb m;
  m.Write("STAVBAS.RUN", "U 150 V a\nU 12 V b\n! late comment\nu 7 V c\nDR 1 V\n");
  ASSERT_TRUE(m.Open());
  const Strings lines = m.host.Lines();
  // Once for the lower group, once for the comment line after it.
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Signum i fel ordning! U 12 V "), 2);
  EXPECT_TRUE(Contains(lines, "Signum i fel ordning! DR 1 V "));
  EXPECT_TRUE(Contains(lines, "Felaktigt signum u 7 V "));
  EXPECT_TRUE(Contains(lines, "  *** fel ***"));
  EXPECT_TRUE(Contains(m.host.BoxTexts(), "Fel på datafilerna"));
  EXPECT_TRUE(m.ui.errorsNoted);
  EXPECT_FALSE(std::filesystem::exists(m.dir / "STAVBAS.$AD"));
  // The addresses are filled all the same and the database is usable.
  EXPECT_TRUE(m.Find("U 12"));
}

TEST(GroupIndex, AFailedCheckLeavesTheIndexUnwritten) {
  MiniDb m;
  m.Write("STAVBAS.RUN", kRun);
  int checks = 0;
  m.db.checkAtOpening = [&checks] {
    ++checks;
    return false;
  };
  ASSERT_TRUE(m.Open());
  EXPECT_EQ(checks, 1);
  EXPECT_FALSE(std::filesystem::exists(m.dir / "STAVBAS.$AD"));
  m.db.checkAtOpening = [&checks] {
    ++checks;
    return true;
  };
  ASSERT_TRUE(m.Open());
  EXPECT_EQ(checks, 2);
  EXPECT_TRUE(std::filesystem::exists(m.dir / "STAVBAS.$AD"));
  ASSERT_TRUE(m.Open());
  EXPECT_EQ(checks, 2);  // a loaded index needs no check
}

}  // namespace
}  // namespace stavbas

namespace stavbas {
namespace {

// An index whose size and time stamps fit but whose addresses cannot be the file's (a damaged
// or crafted index, or a file edited in place) is not trusted: it is computed again.
TEST(GroupIndex, AddressesPastAFilesEndOrOutOfOrderAreRebuilt) {
  test::MiniDb m;
  m.EnableCheckAtOpening();
  m.Write("STAVBAS.RUN", kRun);
  ASSERT_TRUE(m.Open());
  const std::string good = m.dir.ReadBytes("STAVBAS.$AD");
  const std::size_t group68 = 2 + 12 + 4 * 67;
  auto withGroup68 = [&](std::uint32_t address) {
    std::string crafted = good;
    for (int i = 0; i < 4; ++i) crafted[group68 + i] = static_cast<char>(address >> (8 * i));
    return crafted;
  };
  // Beyond the file's bytes: the record alone tells, at the opening.
  for (const std::uint32_t bad : {100000u, 0xFFFFFFFFu}) {
    m.dir.WriteBytes("STAVBAS.$AD", withGroup68(bad));
    m.host.Clear();
    ASSERT_TRUE(m.Open());
    EXPECT_TRUE(Contains(m.host.Lines(), "STAVBAS.RUN ändrad")) << bad;
    EXPECT_TRUE(Contains(m.host.Lines(), "Beräknar gruppadresser")) << bad;
    EXPECT_EQ(m.dir.ReadBytes("STAVBAS.$AD"), good);
  }

  // One line beyond the file's six: the pass over the file tells, when it is first read. Its
  // addresses are computed then, every lookup finds its inscription, and the index is marked
  // stale, so that the next opening computes and checks the files again.
  m.dir.WriteBytes("STAVBAS.$AD", withGroup68(7));
  m.host.Clear();
  ASSERT_TRUE(m.Open());
  EXPECT_FALSE(Contains(m.host.Lines(), "STAVBAS.RUN ändrad"));
  EXPECT_TRUE(m.Find("DR 3"));
  EXPECT_TRUE(Contains(m.host.Lines(), "STAVBAS.RUN ändrad"));
  EXPECT_TRUE(Contains(m.host.Lines(), "Beräknar gruppadresser"));
  EXPECT_EQ(m.db.DataFile(1).address()[kGroupCount], 6);
  for (const char* s : {"Öl 5", "U 12", "U 150", "U 1100", "DR 3"}) EXPECT_TRUE(m.Find(s)) << s;
  const std::string stale = m.dir.ReadBytes("STAVBAS.$AD");
  ASSERT_EQ(stale.size(), good.size());
  EXPECT_EQ(Le32(stale, 2 + 4), 0u);
  EXPECT_EQ(Le32(stale, 2 + 8), 0xFFFFFFFFu);
  m.host.Clear();
  ASSERT_TRUE(m.Open());
  EXPECT_TRUE(Contains(m.host.Lines(), "STAVBAS.RUN ändrad"));
  EXPECT_TRUE(Contains(m.host.Lines(), "Beräknar gruppadresser"));
  EXPECT_EQ(m.dir.ReadBytes("STAVBAS.$AD"), good);

  std::string crafted = good;
  crafted[2 + 12] = 9;  // group 1 after group 2
  m.dir.WriteBytes("STAVBAS.$AD", crafted);
  m.host.Clear();
  ASSERT_TRUE(m.Open());
  EXPECT_TRUE(Contains(m.host.Lines(), "STAVBAS.RUN ändrad"));
  // A trusted index is taken as it is, and lookups still find every inscription.
  m.host.Clear();
  ASSERT_TRUE(m.Open());
  EXPECT_FALSE(Contains(m.host.Lines(), "Beräknar gruppadresser"));
  for (const char* s : {"Öl 5", "U 12", "U 150", "U 1100", "DR 3"}) EXPECT_TRUE(m.Find(s)) << s;
}

// A complete file read in order is not passed before its first read: its reading counts the
// lines and notes where each group begins, and its loaded addresses are checked at its end.
TEST(GroupIndex, AFileReadInOrderIsCheckedWhenItsEndIsReached) {
  test::MiniDb m;
  m.Write("STAVBAS.RUN", kRun);
  ASSERT_TRUE(m.Open());
  const std::string good = m.dir.ReadBytes("STAVBAS.$AD");
  const TDatafil::Addresses computed = m.db.DataFile(1).address();
  const SlotSet run = SlotBit(1);
  // Every inscription in order, and the line last read as the walk holds it after the end.
  auto readInOrder = [&] {
    Strings seen;
    m.ui.endOfData = false;
    EXPECT_TRUE(m.db.PositionAtStart(run));
    while (!m.ui.endOfData && m.db.ReadNextInscription(run) && !m.db.currentSignum().empty())
      seen.push_back(m.Line(1));
    return seen;
  };
  const Strings all = {"Öl 5 V a", "U 12 V b", "U 150 V c", "U 1100 V d", "DR 3 V e"};

  m.host.Clear();
  ASSERT_TRUE(m.Open());
  TDatafil& f = m.db.DataFile(1);
  EXPECT_EQ(readInOrder(), all);
  EXPECT_FALSE(Contains(m.host.Lines(), "STAVBAS.RUN ändrad"));
  EXPECT_FALSE(f.passPending);
  // The groups' first lines were noted on the way: a seek to one reads no line to get there.
  const std::uint64_t skipped = f.linesSkipped;
  for (int g = 1; g <= kGroupCount; ++g) ASSERT_EQ(f.SeekLine(computed[g]), 0) << g;
  EXPECT_EQ(f.linesSkipped, skipped);
  for (const char* s : {"DR 3", "Öl 5", "U 1100", "U 12"}) EXPECT_TRUE(m.Find(s)) << s;
  EXPECT_EQ(m.dir.ReadBytes("STAVBAS.$AD"), good);

  // The last group one line beyond the file's six: found when the reading reaches the end,
  // with the line just read kept; the addresses are computed then and the index marked stale.
  std::string crafted = good;
  crafted[2 + 12 + 4 * 67] = 7;
  m.dir.WriteBytes("STAVBAS.$AD", crafted);
  m.host.Clear();
  ASSERT_TRUE(m.Open());
  ASSERT_TRUE(m.db.PositionAtStart(run));
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(m.db.ReadNextInscription(run));
  EXPECT_FALSE(Contains(m.host.Lines(), "STAVBAS.RUN ändrad"));
  ASSERT_TRUE(m.db.ReadNextInscription(run));
  EXPECT_TRUE(Contains(m.host.Lines(), "STAVBAS.RUN ändrad"));
  EXPECT_TRUE(Contains(m.host.Lines(), "Beräknar gruppadresser"));
  EXPECT_EQ(m.Line(1), "DR 3 V e");
  EXPECT_EQ(m.db.DataFile(1).address(), computed);
  EXPECT_EQ(Le32(m.dir.ReadBytes("STAVBAS.$AD"), 2 + 8), 0xFFFFFFFFu);
  for (const char* s : {"Öl 5", "U 12", "U 150", "U 1100", "DR 3"}) EXPECT_TRUE(m.Find(s)) << s;
}

// A file replaced by one of the same size and time stamp whose groups begin on other lines,
// while its line count and its last group's line stay plausible: the index fits its key but
// not the file. Lookups and pattern searches find every inscription all the same, and the
// index is marked stale.
TEST(GroupIndex, AReplacedFileThatKeepsItsSizeAndStampIsFoundOut) {
  test::MiniDb m;
  m.Write("STAVBAS.RUN", kRun);
  ASSERT_TRUE(m.Open());
  const std::string good = m.dir.ReadBytes("STAVBAS.$AD");
  struct stat before {};
  ASSERT_EQ(stat((m.dir / "STAVBAS.RUN").c_str(), &before), 0);
  // Two records of Öland more, Uppland's later, the same bytes and lines.
  m.Write("STAVBAS.RUN", "!/R Runtext\nÖl 5 V a\nÖl 6 V f\nÖl 7 V g\nU 12 V b\nDR 3 V eeee\n");
  ASSERT_EQ(m.dir.ReadBytes("STAVBAS.RUN").size(), static_cast<std::size_t>(before.st_size));
  SetTime(m.dir / "STAVBAS.RUN", before.st_mtime);

  const Strings wanted = {"Öl 5 V a", "Öl 6 V f", "Öl 7 V g"};
  for (const bool exact : {true, false}) {
    SCOPED_TRACE(exact);
    m.dir.WriteBytes("STAVBAS.$AD", good);
    m.host.Clear();
    ASSERT_TRUE(m.Open());
    EXPECT_FALSE(Contains(m.host.Lines(), "STAVBAS.RUN ändrad"));  // the key fits
    if (exact) {
      for (const char* s : {"U 12", "Öl 7", "DR 3", "Öl 5"}) EXPECT_TRUE(m.Find(s)) << s;
    } else {
      // The pattern's first inscription, then the next ones without keeping.
      Strings found;
      m.db.SetSignum("\xD6l *");
      for (bool keep = true; m.db.FindInscription(SlotBit(1), keep); keep = false)
        found.push_back(m.Line(1));
      EXPECT_EQ(found, wanted);
    }
    EXPECT_TRUE(Contains(m.host.Lines(), "STAVBAS.RUN ändrad"));
    EXPECT_EQ(Le32(m.dir.ReadBytes("STAVBAS.$AD"), 2 + 8), 0xFFFFFFFFu);
    EXPECT_EQ(m.db.DataFile(1).address()[16], 5);
  }
}

// The check walks to the end of the main word file and stops there, whatever the addresses in
// memory say.
TEST(GroupIndex, TheCheckEndsAtTheEndOfTheFiles) {
  test::MiniDb m;
  m.Write("STAVBAS.RUN", kRun);
  m.Write("STAVBAS.NFS", kRun);
  ASSERT_TRUE(m.Open());
  for (int slot = 1; slot <= 2; ++slot) {
    TDatafil::Addresses a = m.db.DataFile(slot).address();
    a[kGroupCount] = 1000000;
    m.db.DataFile(slot).SetAddresses(a, {});
  }
  m.host.Clear();
  EXPECT_TRUE(CheckDataFiles(m.db, true));
  EXPECT_LT(m.dir.ReadBytes("STAVBAS.LOG").size(), 1000u);
}

}  // namespace
}  // namespace stavbas
