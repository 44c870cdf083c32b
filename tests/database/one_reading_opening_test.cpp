// An opening that computes the addresses checks the files in the same reading of them: what it
// shows, what it writes and the addresses it leaves are those of the computation followed by a
// check of its own.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "base/cp1252.h"
#include "database/data_file_check.h"
#include "database/databas.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

namespace stavbas {
namespace {

using Files = std::map<std::string, std::string>;

// Lines and boxes in the order they came.
class EventHost : public test::RecordingHost {
 public:
  bool ShowBox(MsgKind kind, const std::string& text) override {
    events.push_back("box: " + text);
    return RecordingHost::ShowBox(kind, text);
  }
  void AppendLine(const std::string& text) override {
    events.push_back(text);
    RecordingHost::AppendLine(text);
  }
  std::vector<std::string> events;
};

// What an opening leaves: its events, the index file, every file's addresses and what a walk
// through the database and a lookup of every signum then read.
struct Opened {
  bool usable = false;
  std::vector<std::string> events;
  bool errorsNoted = false;
  std::string index;
  std::vector<TDatafil::Addresses> addresses;
  std::vector<std::string> reading;
  // Whether each file's signum index keeps lines after the lookups: the one reading leaves the
  // index to the first lookup.
  std::vector<bool> indexed;
  std::uint64_t linesRead = 0;  // by the opening, in every file

  bool operator==(const Opened& o) const {
    return std::tie(usable, events, errorsNoted, index, addresses, reading) ==
           std::tie(o.usable, o.events, o.errorsNoted, o.index, o.addresses, o.reading);
  }
};

Opened OpenIn(const test::TempDir& dir, bool oneReading, const std::vector<std::string>& keys) {
  std::filesystem::remove(dir / "STAVBAS.$AD");
  EventHost host;
  Ui ui(host);
  TDatabas db(ui);
  if (!oneReading) db.checkAtOpening = [&db] { return CheckDataFiles(db, false); };
  Opened o;
  o.usable = db.Open(dir / "STAVBAS");
  o.events = host.events;
  o.errorsNoted = ui.errorsNoted;
  if (std::filesystem::exists(dir / "STAVBAS.$AD")) o.index = dir.ReadBytes("STAVBAS.$AD");
  for (int slot = 1; slot <= db.count(); ++slot) {
    o.addresses.push_back(db.DataFile(slot).address());
    o.linesRead += db.DataFile(slot).linesRead;
  }
  if (!o.usable) return o;
  if (db.PositionAtStart(db.AllDataSlots())) {
    for (int n = 0; n < 100000 && db.ReadNextInscription(db.AllDataSlots()); ++n) {
      for (int slot = 1; slot <= db.count(); ++slot)
        o.reading.push_back(std::string(db.File(slot).LineView()));
      if (!db.WithinRegion(kOtherAreas) || db.DataFile(db.MainWordFile()).file().AtEnd()) break;
    }
  }
  for (const std::string& key : keys) {
    db.SetSignum(key);
    o.reading.push_back(key + (db.FindInscription(db.AllDataSlots(), false) ? " found" : " not"));
    for (int slot = 1; slot <= db.count(); ++slot)
      o.reading.push_back(std::string(db.File(slot).LineView()));
  }
  for (int slot = 1; slot <= db.count(); ++slot)
    o.indexed.push_back(!db.DataFile(slot).signums().lines().empty());
  return o;
}

// Writes the files, opens the database both ways and compares.
void ExpectSameBothWays(const Files& files, const std::vector<std::string>& keys,
                        const std::string& what) {
  test::TempDir dir;
  for (const auto& [name, text] : files) dir.WriteBytes(name, Utf8ToCp1252(text));
  const Opened apart = OpenIn(dir, false, keys);
  const Opened together = OpenIn(dir, true, keys);
  const auto differ = std::mismatch(together.events.begin(), together.events.end(),
                                    apart.events.begin(), apart.events.end());
  EXPECT_TRUE(differ.first == together.events.end() && differ.second == apart.events.end())
      << what << ": event " << differ.first - together.events.begin() << " is \""
      << (differ.first == together.events.end() ? "(none)" : *differ.first) << "\", not \""
      << (differ.second == apart.events.end() ? "(none)" : *differ.second) << "\"";
  EXPECT_EQ(together.index, apart.index) << what;
  EXPECT_EQ(together.addresses, apart.addresses) << what;
  EXPECT_EQ(together.reading, apart.reading) << what;
  EXPECT_EQ(together.usable, apart.usable) << what;
  EXPECT_EQ(together.errorsNoted, apart.errorsNoted) << what;
  if (what == "large 0") {  // every line once instead of twice, but the file that is not complete
    EXPECT_LT(together.linesRead, apart.linesRead * 6 / 10);
    // The lookups, which reach every file here, filled the signum indexes it left to them.
    EXPECT_EQ(together.indexed, std::vector<bool>(together.indexed.size(), true));
  }
}

// A database of many inscriptions in several regions, its lines long enough that the files run
// over several read buffers; `fault` puts a fault into one of its files.
Files Large(int fault) {
  const char* const regions[] = {"Öl", "U", "Sö", "DR", "N"};
  std::string run = "!/R Runtext\r\n", nfs, fvn = "!/O\r\n", eng, inf = "!/F I\r\n";
  int n = 0;
  for (const char* region : regions) {
    for (int i = 1; i <= 700; ++i, ++n) {
      const std::string s = std::string(region) + " " + std::to_string(i) + " V ";
      std::string words;
      for (int w = 0; w < 8 + n % 13; ++w)
        words += (w ? " " : "") + std::string("stain") + std::to_string(w);
      run += s + words + "\r\n";
      nfs += s + (fault == 1 && n == 1500 ? std::string("a\0b ", 4) : "") + words + "\r\n";
      if (n % 7 == 0) fvn += s + words + "\r\n";
      eng += s + "A translation of the inscription that runs on for a while.\r\n";
      inf += s + "Plats " + std::to_string(n) + "\tSocken\r\n";
      if (fault == 2 && n == 2000) run += "! a comment among the inscriptions\r\n";
      if (fault == 3 && n == 2500) eng += "U 9999 V out of order\r\n";
      if (fault == 4 && n == 3000) nfs += "1 Q V not a province\r\n";
    }
  }
  if (fault == 5) eng.resize(eng.size() / 2);          // ends early, within a line
  if (fault == 6) inf.insert(inf.size() / 3, "\x1a");  // a Ctrl-Z ends the file early
  return {{"STAVBAS.RUN", run},
          {"STAVBAS.NFS", nfs},
          {"STAVBAS.FVN", fvn},
          {"STAVBAS.ENG", eng},
          {"STAVBAS.INF", inf}};
}

TEST(OneReadingOpening, ShowsWritesAndLeavesWhatTwoReadingsWould) {
  const std::vector<std::string> keys = {"Öl 1 V", "U 350 V", "DR 700 V", "N 1 V", "U 99999 V"};
  for (int fault = 0; fault <= 6; ++fault)
    ExpectSameBothWays(Large(fault), keys, "large " + std::to_string(fault));

  const std::vector<std::string> small = {"U 1 V", "U 2 V", "U 3 V", "Sö 1 V"};
  ExpectSameBothWays({{"STAVBAS.RUN", "U 1 V a\r\nU 3 V c\r\nU 2 V b\r\n"},
                      {"STAVBAS.NFS", "U 1 V a\r\nU 2 V b\r\nU 3 V c\r\n"}},
                     small, "out of order");
  ExpectSameBothWays({{"STAVBAS.RUN", "U 1 V a\r\n1 Q V b\r\nU 2 V c\r\n"},
                      {"STAVBAS.NFS", "U 1 V a\nU 2 V b\rU 3 V c"}},
                     small, "a faulty signum, line ends of every kind");
  // The check ends after the main word file's last group, which begins before its last line
  // where the file ends with faulty signums; the one reading cannot know that before the end.
  for (const char* faulty :
       {"U 1 V a\r\nU 2 V b\r\n1 Q V c\r\n2 Q V d\r\n", "1 Q V a\r\nU 1 V b\r\nU 2 V c\r\n",
        "U 1 V a\r\n1 Q V b\r\nU 2 V c\r\n2 Q V d\r\n"})
    ExpectSameBothWays({{"STAVBAS.RUN", faulty}, {"STAVBAS.NFS", faulty}}, small, faulty);
  ExpectSameBothWays({{"STAVBAS.ENG", "U 1 V a\r\n"}, {"STAVBAS.INF", "!/F I\r\nU 1 V x\r\n"}},
                     small, "no word file");
  ExpectSameBothWays({{"STAVBAS.RUN", "!/R Runtext\r\n"}, {"STAVBAS.NFS", ""}}, small,
                     "no inscriptions");
  ExpectSameBothWays({{"STAVBAS.RUN", "U 1 V a b\r\n\r\nU 2 V c\r\n! the end\r\n"},
                      {"STAVBAS.NFS", "U 1 V a\r\nU 2 V c\r\nU 3 V d\r\n"},
                      {"STAVBAS.FVN", "!/O\r\nSö 1 V x\r\nU 2 V c\r\n"}},
                     small, "an empty line, a comment at the end, files that disagree");
}

// A file that is not complete is read in order by the one reading, where the check's walk
// would look its lines up; whatever its order, the check must find what the lookups find.
TEST(OneReadingOpening, AFileThatIsNotCompleteReadsAsByLookups) {
  std::string run, nfs;
  for (const char* region : {"Öl", "U", "Sö"})
    for (int i = 1; i <= 120; ++i) {
      const std::string line =
          std::string(region) + " " + std::to_string(i) + " V w" + std::to_string(i) + " x\r\n";
      run += line;
      nfs += line;
    }
  const std::vector<std::string> keys = {"Öl 1 V", "U 50 V", "Sö 120 V", "U 121 V"};
  const std::vector<std::pair<std::string, std::string>> fvns = {
      {"in order", "!/O\r\nÖl 3 V w3 x\r\nU 7 V w7 x\r\nU 101 V w101 x\r\nSö 2 V w2 x\r\n"},
      {"from the first inscription to the last", "!/O\r\nÖl 1 V w1 x\r\nSö 120 V w120 x\r\n"},
      {"a stray line first", "!/O\r\nU 999 V q\r\nÖl 3 V w3 x\r\nU 7 V w7 x\r\n"},
      {"a stray line first, no other", "!/O\r\nN 1 V q\r\n"},
      {"two lines swapped", "!/O\r\nÖl 3 V w3 x\r\nU 9 V w9 x\r\nU 7 V w7 x\r\nSö 1 V w1 x\r\n"},
      {"a region out of order", "!/O\r\nU 7 V w7 x\r\nÖl 3 V w3 x\r\nSö 5 V w5 x\r\n"},
      {"an inscription twice", "!/O\r\nÖl 3 V w3 x\r\nU 7 V w7 x\r\nU 7 V w7 x\r\nU 8 V w8 x\r\n"},
      {"a line after the last inscription", "!/O\r\nSö 119 V w119 x\r\nSö 121 V w x\r\n"},
      {"lines only in a later group", "!/O\r\nU 110 V w110 x\r\n"},
      {"a faulty signum", "!/O\r\nÖl 3 V w3 x\r\n1 Q V q\r\nU 7 V w7 x\r\n"},
      {"a comment among the lines", "!/O\r\nÖl 3 V w3 x\r\n! note\r\nU 7 V w7 x\r\n"},
      {"no lines", "!/O\r\n"},
      {"a line without its end", "!/O\r\nÖl 3 V w3 x\r\nU 7 V w7"},
  };
  for (const auto& [what, fvn] : fvns)
    ExpectSameBothWays({{"STAVBAS.RUN", run}, {"STAVBAS.NFS", nfs}, {"STAVBAS.FVN", fvn}}, keys,
                       what);
}

TEST(OneReadingOpening, TheSampleDatabaseOpensAsWithTwoReadings) {
  test::TempDir dir;
  dir.CopySampleDatabase();
  const Opened apart = OpenIn(dir, false, {"U 344 V", "Sö 1 V"});
  const Opened together = OpenIn(dir, true, {"U 344 V", "Sö 1 V"});
  EXPECT_EQ(together, apart);
  EXPECT_FALSE(together.index.empty());
}

}  // namespace
}  // namespace stavbas
