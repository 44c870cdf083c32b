// The data-file check: what it reports when files disagree, its log and its end.

#include <gtest/gtest.h>

#include "database/data_file_check.h"
#include "mini_db.h"

namespace stavbas {
namespace {

using test::MiniDb;
using Strings = std::vector<std::string>;

bool Contains(const Strings& lines, const std::string& text) {
  return std::find(lines.begin(), lines.end(), text) != lines.end();
}

// The lines the check wrote, from "Kontrollerar datafilerna:" on.
Strings CheckLines(const MiniDb& m) {
  Strings lines = m.host.Lines();
  auto it = std::find(lines.begin(), lines.end(), "Kontrollerar datafilerna:");
  return Strings(it, lines.end());
}

struct Checked {
  bool passed;
  Strings lines;
};

Checked RunCheck(const std::string& run, const std::string& nfs, bool withLog = false) {
  MiniDb m;
  m.Write("STAVBAS.RUN", "!/R Runtext\n" + run);
  m.Write("STAVBAS.NFS", nfs);
  EXPECT_TRUE(m.Open());
  m.host.Clear();
  const bool passed = CheckDataFiles(m.db, withLog);
  return {passed, CheckLines(m)};
}

TEST(DataFileCheck, FilesInStepPass) {
  MiniDb m;
  m.Write("STAVBAS.RUN", "!/R Runtext\nU 12 V a : b\nU 13 V §A c\nDR 1 V d\n");
  m.Write("STAVBAS.NFS", "U 12 V a b\nU 13 V §A c\nDR 1 V d\n");
  m.Write("STAVBAS.FVN", "!/O\nU 13 V §A c\n");
  m.Write("STAVBAS.ENG", "U 12 V Words do not count here.\nU 13 V x\nDR 1 V y\n");
  ASSERT_TRUE(m.Open());
  m.host.Clear();
  EXPECT_TRUE(CheckDataFiles(m.db, false));
  EXPECT_EQ(CheckLines(m), (Strings{"Kontrollerar datafilerna:", "STAVBAS.ENG  (heltext)",
                                    "STAVBAS.NFS  (normtext)", "STAVBAS.RUN Runtext (runtext)",
                                    "STAVBAS.FVN  (normtext)", "  Uppland", "  Danmark"}));
  EXPECT_EQ(m.host.BoxTexts(),
            Strings{"Inga fel hittade vid kontroll av datafilerna\nVälj vid behov Rensa/Rensa "
                    "textfönster eller Redigera/Radera allt för att tömma textfönstret."});
  EXPECT_FALSE(m.ui.errorsNoted);
}

// Files that disagree on an inscription cannot both be right: the check fails and logs it.
TEST(DataFileCheck, SignumsThatDifferBetweenFilesAreFaults) {
  MiniDb m;
  m.Write("STAVBAS.RUN", "U 13 V a\n");
  m.Write("STAVBAS.NFS", "U 12 V a\n");
  ASSERT_TRUE(m.Open());
  m.host.Clear();
  EXPECT_FALSE(CheckDataFiles(m.db, true));
  EXPECT_TRUE(
      Contains(CheckLines(m), ": Olika signum i STAVBAS.NFS (U 12 V ) & STAVBAS.RUN (U 13 V )"));
  EXPECT_TRUE(m.ui.errorsNoted);
  EXPECT_NE(m.dir.ReadBytes("STAVBAS.LOG").find(": Olika signum i STAVBAS.NFS (U 12 V )"),
            std::string::npos);
}

TEST(DataFileCheck, ACompleteFileThatEndsEarlyOrIsEmptyFails) {
  for (const char* run : {"U 1 V a\n", "", "U 1 V a"}) {
    MiniDb m;
    m.Write("STAVBAS.NFS", "U 1 V a\nU 2 V b\nU 3 V c\n");
    m.Write("STAVBAS.RUN", run);
    ASSERT_TRUE(m.Open());
    m.host.Clear();
    EXPECT_FALSE(CheckDataFiles(m.db, false)) << run;
    const Strings lines = CheckLines(m);
    EXPECT_TRUE(Contains(lines, ": Olika signum i STAVBAS.NFS (U 2 V ) & STAVBAS.RUN ()"));
    // Said once, at the first inscription it lacks.
    EXPECT_EQ(std::count(lines.begin(), lines.end(),
                         std::string(*run ? "STAVBAS.RUN: Filen slut före U 2 V "
                                          : "STAVBAS.RUN: Filen slut före U 1 V ")),
              1)
        << run;
  }
  // The main word file itself empty: the others do not end with it.
  MiniDb m;
  m.Write("STAVBAS.NFS", "");
  m.Write("STAVBAS.RUN", "U 1 V a\n");
  ASSERT_TRUE(m.Open());
  m.host.Clear();
  EXPECT_FALSE(CheckDataFiles(m.db, false));
  const Strings lines = CheckLines(m);
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& l) {
    return l.starts_with("STAVBAS.RUN: Filen inte slut efter ");
  }));
}

TEST(DataFileCheck, SignumFaults) {
  const Checked c =
      RunCheck("U 12 V a\nU 12 V b\n U 14 V c\nU  15 V d\nU 16\nU 17 e\nSö 5 V f\nu 20 V g\n",
               "U 12 V a\nU 12 V b\n U 14 V c\nU  15 V d\nU 16\nU 17 e\nSö 5 V f\nu 20 V g\n");
  EXPECT_FALSE(c.passed);
  for (const char* line :
       {"U 12  upprepat", "Signum börjar med blank:  U 14 ", "Signum saknar nummer: U  15 ",
        "Signum saknar nummer: U 16", "Signum saknar typ: U 17 e", "Signum i fel ordning! Sö 5 V ",
        "Felaktigt signum u 20 V ", "Datafilerna felaktiga!!!"})
    EXPECT_TRUE(Contains(c.lines, line)) << line;
}

// Signums of 15, 16 and 17 bytes, which are looked at in different ways: the same faults.
TEST(DataFileCheck, SignumFaultsAroundSixteenBytes) {
  const std::string lines =
      "U 12345678901 e\nU 123456789012 e\nU 1234567890123 e\nU  23456789012 V a\n"
      "U  234567890123 V a\nU  2345678901234 V a\n";
  const Checked c = RunCheck(lines, lines);
  EXPECT_FALSE(c.passed);
  for (const char* line :
       {"Signum saknar typ: U 12345678901 e", "Signum saknar typ: U 123456789012 e",
        "Signum saknar typ: U 1234567890123 e", "Signum saknar nummer: U  23456789012 ",
        "Signum saknar nummer: U  234567890123 ", "Signum saknar nummer: U  2345678901234 "})
    EXPECT_TRUE(Contains(c.lines, line)) << line;
  for (const std::string signum : {" U 345678901 ", " U 3456789012 ", " U 34567890123 "}) {
    const Checked b = RunCheck(signum + "V a\n", signum + "V a\n");
    EXPECT_TRUE(Contains(b.lines, "Signum börjar med blank: " + signum)) << signum;
  }
}

TEST(DataFileCheck, TheFirstInscriptionIsCheckedToo) {
  const Checked c = RunCheck("U 1 V a b\nU 2 V c\n", "U 1 V a\nU 2 V c\n");
  EXPECT_FALSE(c.passed);
  EXPECT_TRUE(Contains(c.lines, "U 1 V : Olika ordantal: NFS:1+0 RUN:2+0 "));
}

TEST(DataFileCheck, WordsAndPageMarks) {
  const Checked c =
      RunCheck("U 1 V a : b c\nU 2 V §A a\nU 3 V §A a\nU 4 V a §B\nU 5 V a  b\nU 6 V " +
                   std::string(300, 'x') + "\n",
               "U 1 V a b\nU 2 V §B a\nU 3 V x a\nU 4 V a b\nU 5 V a  b\nU 6 V y\n");
  EXPECT_FALSE(c.passed);
  const Strings expected[] = {
      {"U 1 V : Olika ordantal: NFS:2+0 RUN:3+0 "},
      {"U 2 V : Olika sidmarkeringar:", " STAVBAS.NFS: §B", " STAVBAS.RUN: §A"},
      {"U 3 V : Sidmarkeringar stämmer ej:", " STAVBAS.RUN: §A", " STAVBAS.NFS: x"},
      {"U 4 V : Sidmarkeringar stämmer ej:", " STAVBAS.RUN: §B", " STAVBAS.NFS: b"},
      {"U 5 V : Olika ordantal: NFS:3+0 RUN:3+0 "},  // an empty word is a fault of its own
      {"U 6 V : STAVBAS.RUN har för långt ord:", " " + std::string(300, 'x')},
  };
  for (const Strings& e : expected) {
    auto it = std::search(c.lines.begin(), c.lines.end(), e.begin(), e.end());
    EXPECT_NE(it, c.lines.end()) << e[0];
  }
}

TEST(DataFileCheck, LinesThatAreEmptyTooLongOrCutShort) {
  MiniDb m;
  m.Write("STAVBAS.RUN", "U 1 V a\nU 2 V b\nU 3 V " + std::string(2100, 'c') + "\n");
  m.dir.WriteBytes("STAVBAS.NFS", std::string("U 1 V a\r\nU 2\0 V b\r\nU 3 V c\r\n", 25));
  m.Write("STAVBAS.ENG", "U 1 V a\n\nU 3 V c\n");
  ASSERT_TRUE(m.Open());
  m.host.Clear();
  EXPECT_FALSE(CheckDataFiles(m.db, false));
  const Strings lines = CheckLines(m);
  EXPECT_TRUE(Contains(lines, "STAVBAS.ENG har tom rad efter U 1 "));
  EXPECT_TRUE(Contains(lines, "U 3 V : STAVBAS.RUN har för lång rad"));
  // The NFS file leads here (it sorts before RUN); its signum holds a NUL byte.
  EXPECT_TRUE(Contains(lines, "För kort rad: U 2"));
}

// A NUL byte after a line's signum cuts off nothing: the words and fields after it are read,
// the byte is shown as "?", and the check names the line, in every kind of file. One in the
// signum ends the line as before.
TEST(DataFileCheck, NulBytesInALinesTextAreNamedAndTheLineIsReadWhole) {
  using namespace std::string_literals;
  MiniDb m;
  m.dir.WriteBytes("STAVBAS.RUN", "U 1 V a : b\0c : d\r\nU 2 V e\r\n"s);
  m.dir.WriteBytes("STAVBAS.NFS", "U 1 V a b\0c d\r\nU 2 V e\r\n"s);
  m.dir.WriteBytes("STAVBAS.ENG", "U 1 V In \0memory\0\0 of\r\nU 2\0 V e\r\n"s);
  m.dir.WriteBytes("STAVBAS.INF",
                   "!/I PPlats;SSocken\r\nU 1 V \x10Sten\0by\x10\x13Hagby\x13\r\n"
                   "U 2 V \x10Hus\x10\r\n"s);
  ASSERT_TRUE(m.Open());
  m.host.Clear();
  EXPECT_FALSE(CheckDataFiles(m.db, false));
  const Strings lines = CheckLines(m);
  for (const char* name : {"ENG", "INF", "NFS", "RUN"})
    EXPECT_TRUE(
        Contains(lines, "U 1 V : STAVBAS."s + name + " har NUL-tecken i raden (visas som ?)"))
        << name;
  // The check finds nothing else in U 1: the words agree.
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.starts_with("U 1 V"); }),
            4);
  EXPECT_FALSE(Contains(lines, "U 2 V : STAVBAS.ENG har NUL-tecken i raden (visas som ?)"));
  EXPECT_TRUE(Contains(lines, ": Olika signum i STAVBAS.ENG (U 2) & STAVBAS.INF (U 2 V )"));

  ASSERT_TRUE(m.Find("U 1"));
  const TDatafil& run = m.db.DataFile(m.db.SlotOfExtension("RUN"));
  EXPECT_EQ(std::string(run.LineView()), "U 1 V a : b?c : d");
  EXPECT_TRUE(run.HeldNul());
  EXPECT_EQ(m.Line(m.db.SlotOfExtension("ENG")), "U 1 V In ?memory?? of");
  TKombifil& inf = m.db.File(m.db.InfoSlot());
  EXPECT_EQ(inf.InfoField('P'), "Sten?by");
  EXPECT_EQ(inf.InfoField('S'), "Hagby");
  TKombifil& nfs = m.db.File(m.db.SlotOfExtension("NFS"));
  Strings words;
  for (nfs.FirstWord(); nfs.NextWord();) words.emplace_back(nfs.Word());
  EXPECT_EQ(words, (Strings{"a", "b?c", "d"}));
  m.db.SetSignum("U 2");
  ASSERT_TRUE(m.db.FindInscription(SlotBit(m.db.SlotOfExtension("RUN")), true));
  EXPECT_FALSE(run.HeldNul());
  EXPECT_FALSE(m.Find("U 2"));  // the line of the English text has "U 2" for its signum
}

TEST(DataFileCheck, LinesAfterTheLastGroupAndTheLog) {
  MiniDb m;
  // The NFS file leads; it ends with a faulty signum, so its group addresses end there.
  m.Write("STAVBAS.NFS", "U 1 V a\nu 2 V b\n");
  m.Write("STAVBAS.RUN", "U 1 V a\nu 2 V b\nU 3 V c\n");
  ASSERT_TRUE(m.Open());
  m.host.Clear();
  EXPECT_FALSE(CheckDataFiles(m.db, true));
  const Strings lines = CheckLines(m);
  EXPECT_TRUE(Contains(lines, "STAVBAS.RUN: Filen inte slut efter u 2 V b"));
  EXPECT_EQ(lines.back(), "Fellista på STAVBAS.LOG");
  EXPECT_EQ(m.host.BoxTexts().back(), "Fel på datafilerna");
  // The log holds the same lines as the window.
  std::string expected;
  for (const std::string& l : lines) expected += Utf8ToCp1252(l) + "\r\n";
  EXPECT_EQ(m.dir.ReadBytes("STAVBAS.LOG"), expected);
}

class AbortingHost : public test::RecordingHost {
 public:
  explicit AbortingHost(Ui*& ui) : ui_(ui) {}
  void ProcessEvents() override {
    if (++calls == 2) ui_->abortRequest = true;
  }
  int calls = 0;

 private:
  Ui*& ui_;
};

TEST(DataFileCheck, AbortStopsTheCheckAndThePendingRequestSurvives) {
  test::TempDir dir;
  std::string run;
  for (int i = 1; i <= 600; ++i) run += "U " + std::to_string(i) + " V a\n";
  dir.WriteText("STAVBAS.RUN", run);
  Ui* uiPtr = nullptr;
  AbortingHost host(uiPtr);
  Ui ui(host);
  uiPtr = &ui;
  TDatabas db(ui);
  db.checkAtOpening = nullptr;
  ASSERT_TRUE(db.Open(dir / "STAVBAS"));
  host.Clear();
  EXPECT_FALSE(CheckDataFiles(db, false));
  EXPECT_TRUE(Contains(host.Lines(), "Kontrollen avbruten"));
  EXPECT_EQ(host.BoxTexts(), Strings{"Kontrollen avbruten Fortsätt på egen risk"});
  EXPECT_TRUE(ui.errorsNoted);
  EXPECT_FALSE(ui.abortRequest);  // the check's own request is consumed

  ui.abortRequest = true;  // a display run's request waits through a check
  host.calls = 10;
  EXPECT_TRUE(CheckDataFiles(db, false));
  EXPECT_TRUE(ui.abortRequest);
}

TEST(DataFileCheck, AtOpeningAFailedCheckKeepsTheIndexFromBeingWritten) {
  MiniDb m;
  m.EnableCheckAtOpening();
  m.Write("STAVBAS.RUN", "U 1 V a b\n");
  m.Write("STAVBAS.NFS", "U 1 V a\n");
  ASSERT_TRUE(m.Open());
  EXPECT_FALSE(std::filesystem::exists(m.dir / "STAVBAS.$AD"));
  EXPECT_TRUE(m.ui.errorsNoted);
  m.Write("STAVBAS.NFS", "U 1 V a c\n");
  ASSERT_TRUE(m.Open());
  EXPECT_TRUE(std::filesystem::exists(m.dir / "STAVBAS.$AD"));
}

}  // namespace
}  // namespace stavbas
