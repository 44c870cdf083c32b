// Finding inscriptions by signum and walking the files in step.

#include <gtest/gtest.h>

#include "mini_db.h"

namespace stavbas {
namespace {

using test::MiniDb;
using Strings = std::vector<std::string>;

constexpr const char* kRun =
    "!/R Runtext\n"
    "Sö 12 V a\n"
    "Sö 499 V b\n"
    "U 34 V c\n"
    "U 99 V d\n"
    "U 100 V e\n"
    "U 340 V f\n"
    "U 341 †M g\n"
    "U 1100 V h\n"
    "U 3400 V i\n"
    "DR 3 V j\n";

void WriteStandard(MiniDb& m) {
  m.Write("STAVBAS.RUN", kRun);
  std::string nfs = kRun;
  nfs.replace(0, 12, "!/R Norm\n");
  m.Write("STAVBAS.NFS", nfs);
  m.Write("STAVBAS.FVN", "!/O\nU 99 V dd\nU 341 †M gg\n");
}

TEST(Lookup, ExactSignumsInEveryFile) {
  MiniDb m;
  WriteStandard(m);
  ASSERT_TRUE(m.Open());
  ASSERT_EQ(m.db.count(), 3);
  ASSERT_TRUE(m.Find("U 341"));
  EXPECT_EQ(m.Line(1), "U 341 †M g");
  EXPECT_EQ(m.Line(2), "U 341 †M g");
  EXPECT_EQ(m.Line(3), "U 341 †M gg");
  EXPECT_EQ(Cp1252ToUtf8(m.db.currentSignum()), "U 341 †M ");
  EXPECT_EQ(m.db.SignumText(false, false), "U 341 ");
  EXPECT_EQ(Cp1252ToUtf8(m.db.SignumPart(11)), "†M");
  EXPECT_EQ(m.db.SignumPart(9), "U");

  ASSERT_TRUE(m.Find("U 100 anything after"));
  EXPECT_EQ(m.Line(1), "U 100 V e");
  EXPECT_EQ(m.db.File(3).status, kNotInIncomplete);
  EXPECT_EQ(m.Line(3), "");

  // The second code letter is folded and lines are compared without regard to case.
  ASSERT_TRUE(m.Find("SÖ 12"));
  EXPECT_EQ(m.Line(1), "Sö 12 V a");
  ASSERT_TRUE(m.Find("Sö 499"));
  EXPECT_EQ(m.Line(2), "Sö 499 V b");
  EXPECT_TRUE(m.host.boxes.empty());
}

TEST(Lookup, FaultyAndMissingSignums) {
  MiniDb m;
  WriteStandard(m);
  ASSERT_TRUE(m.Open());
  EXPECT_FALSE(m.Find("U344"));
  EXPECT_FALSE(m.db.ok());
  EXPECT_FALSE(m.Find("u 344"));
  EXPECT_FALSE(m.Find("U 35"));
  EXPECT_EQ(m.host.BoxTexts(),
            (Strings{"Felaktigt signum: U344", "Felaktigt signum: U344", "Felaktigt signum: u 344",
                     "Hittar inte signum U 35  (STAVBAS.NFS)"}));
  // Walking an input list asks instead; Yes raises the abort request.
  m.host.answers = {true};
  m.db.SetSignum("U344", true);
  EXPECT_EQ(m.host.BoxTexts().back(), "Felaktigt signum: U344. Avbryt?");
  EXPECT_TRUE(m.ui.abortRequest);
}

TEST(Lookup, PrefixPatternsWalkTheRegion) {
  MiniDb m;
  WriteStandard(m);
  ASSERT_TRUE(m.Open());
  const SlotSet run = SlotBit(1);
  m.db.SetSignum("U 34*");
  EXPECT_FALSE(m.db.exactKey());
  Strings found;
  for (bool keep = true; m.db.FindInscription(run, keep); keep = false) found.push_back(m.Line(1));
  EXPECT_EQ(found, (Strings{"U 34 V c", "U 340 V f", "U 341 †M g", "U 3400 V i"}));
  EXPECT_TRUE(m.host.boxes.empty());  // the end of a pattern is no fault

  m.db.SetSignum("U *");
  found.clear();
  for (bool keep = true; m.db.FindInscription(run, keep); keep = false) found.push_back(m.Line(1));
  EXPECT_EQ(found.size(), 7u);
  EXPECT_EQ(found.back(), "U 3400 V i");
}

TEST(Lookup, RepeatedAndNeighbouringLookupsStayInTheirGroup) {
  MiniDb m;
  WriteStandard(m);
  ASSERT_TRUE(m.Open());
  for (const char* s : {"U 99", "U 100", "U 34", "U 100", "U 99", "U 341", "U 340", "U 3400",
                        "U 1100", "DR 3", "Sö 12"}) {
    ASSERT_TRUE(m.Find(s)) << s;
    EXPECT_EQ(m.db.SignumText(false, false), Utf8ToCp1252(s) + " ") << s;
  }
}

TEST(Lookup, ALookupReadsOnlyTheLinesOfItsGroup) {
  // Forty groups of inscriptions; each lookup may read its own group's lines only.
  std::string run;
  for (int h = 0; h < 11; ++h)
    for (int i = 1; i <= 20; ++i) run += "U " + std::to_string(h * 100 + i) + " V a b c\n";
  MiniDb first;
  first.Write("STAVBAS.RUN", run);
  ASSERT_TRUE(first.Open());  // computes and writes the index
  first.db.Close();

  MiniDb m;
  m.Write("STAVBAS.RUN", run);
  std::filesystem::copy_file(first.dir / "STAVBAS.$AD", m.dir / "STAVBAS.$AD");
  ASSERT_TRUE(m.Open());  // loads the index: no line offsets known yet
  TDatafil& f = m.db.DataFile(1);
  for (const char* s : {"U 1015", "U 1003", "U 502", "U 518", "U 920", "U 1001"}) {
    const std::uint64_t before = f.linesRead;
    ASSERT_TRUE(m.Find(s)) << s;
    EXPECT_LE(f.linesRead - before, 20u) << s;
  }
  // Lines before a group are passed over without being read, and only once.
  const std::uint64_t skipped = f.linesSkipped;
  ASSERT_TRUE(m.Find("U 1020"));
  ASSERT_TRUE(m.Find("U 510"));
  EXPECT_EQ(f.linesSkipped, skipped);
}

TEST(Lookup, GivenSignumLeavesTheUsersKeyAlone) {
  MiniDb m;
  WriteStandard(m);
  ASSERT_TRUE(m.Open());
  m.db.SetSignum("U 34*");
  ASSERT_TRUE(m.db.FindGivenInscription(m.db.AllDataSlots(), "DR 3 V j"));
  EXPECT_EQ(m.Line(1), "DR 3 V j");
  EXPECT_EQ(m.db.lookupKey(), "U 34");
  EXPECT_FALSE(m.db.exactKey());
  EXPECT_EQ(m.db.givenSignum(), "U 34*");
  ASSERT_TRUE(m.db.FindGivenInscription(SlotBit(1), "U 99"));
  EXPECT_EQ(m.Line(1), "U 99 V d");
}

TEST(Lookup, WalkingARegionKeepsTheIncompleteFileInStep) {
  MiniDb m;
  WriteStandard(m);
  ASSERT_TRUE(m.Open());
  const SlotSet all = m.db.AllDataSlots();
  ASSERT_TRUE(m.db.PositionAtRegion(6, all));
  EXPECT_EQ(m.Line(1), "U 34 V c");
  EXPECT_EQ(m.db.givenSignum(), "U *");
  Strings walked;
  while (m.db.WithinRegion(6)) {
    ASSERT_TRUE(m.db.ReadNextInscription(all));
    walked.push_back(m.Line(1) + "|" + m.Line(3) + "|" + std::to_string(m.db.File(3).status));
  }
  EXPECT_EQ(walked, (Strings{"U 99 V d|U 99 V dd|0", "U 100 V e||-3", "U 340 V f||-3",
                             "U 341 †M g|U 341 †M gg|0", "U 1100 V h||-1", "U 3400 V i||-2",
                             "DR 3 V j||-2"}));
  EXPECT_TRUE(m.ui.endOfData);
  EXPECT_EQ(m.db.readSet(), all);
}

TEST(Lookup, PositioningFindsTheIncompleteFilesLineOfTheFirstInscription) {
  MiniDb m;
  m.Write("STAVBAS.RUN", "U 1 V a\nU 2 V b\nU 3 V c\n");
  m.Write("STAVBAS.FVN", "!/O\nU 1 V aa\nU 3 V cc\n");
  ASSERT_TRUE(m.Open());
  ASSERT_TRUE(m.db.PositionAtRegion(6, m.db.AllDataSlots()));
  EXPECT_EQ(m.Line(2), "U 1 V aa");
  ASSERT_TRUE(m.db.ReadNextInscription(m.db.AllDataSlots()));
  EXPECT_EQ(m.Line(2), "");
  ASSERT_TRUE(m.db.ReadNextInscription(m.db.AllDataSlots()));
  EXPECT_EQ(m.Line(2), "U 3 V cc");
  // A region without records: the lines are empty.
  ASSERT_TRUE(m.db.PositionAtRegion(22, m.db.AllDataSlots()));
  EXPECT_EQ(m.Line(1), "");
}

TEST(Lookup, PositioningOnTheOtherAreasFindsEveryCode) {
  MiniDb m;
  m.Write("STAVBAS.RUN", "U 1 V a\nAb 1 V b\nX 2 V c\nZz 3 V d\n");
  ASSERT_TRUE(m.Open());
  ASSERT_TRUE(m.db.PositionAtRegion(kOtherAreas, m.db.AllDataSlots()));
  EXPECT_EQ(m.Line(1), "Ab 1 V b");
  ASSERT_TRUE(m.db.PositionAtRegion(6, m.db.AllDataSlots()));
  EXPECT_EQ(m.Line(1), "U 1 V a");
}

TEST(Lookup, InputListSignums) {
  MiniDb m;
  WriteStandard(m);
  m.Write("list", "! urval\nU 99 V\n  U 340 V extra\nU344\n");
  ASSERT_TRUE(m.Open());
  TInputList& list = m.db.InputList();
  ASSERT_EQ(list.SetFile(m.dir / "list"), ENOENT);  // ".TXT" is added to a bare name
  m.Write("list.TXT", "! urval\nU 99 V\n  U 340 V extra\nU344\n");
  ASSERT_EQ(list.SetFile(m.dir / "list"), 0);
  Strings signums;
  while (list.ReadListLine()) {
    if (!m.db.NextListedSignum()) {
      signums.push_back("-");
      continue;
    }
    if (m.db.ok() && m.db.FindInscription(m.db.AllDataSlots() | SlotBit(0), true))
      signums.push_back(m.Line(1));
  }
  EXPECT_EQ(signums, (Strings{"-", "U 99 V d", "U 340 V f"}));
  EXPECT_EQ(m.host.BoxTexts().back(), "Felaktigt signum: U344. Avbryt?");
  EXPECT_EQ(m.db.File(0).LineView(), "");
}

}  // namespace
}  // namespace stavbas
