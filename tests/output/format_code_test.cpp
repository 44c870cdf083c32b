// Format codes: kinds, items, format characters, errors and the default codes.

#include <gtest/gtest.h>

#include <random>

#include "base/cp1252.h"
#include "output/output_fixture.h"

namespace stavbas {
namespace {

using Strings = std::vector<std::string>;

class FormatCodeTest : public ::testing::Test, public test::OutputFixture {
 protected:
  void SetUp() override {
    Database("U 1 V a\n", "U 1 V a\n", "U 1 V a\n", "U 1 V \x10p\x10\n");
    dir.WriteText("STAVBAS.ENG", "U 1 V A\n");
    MakeApp();
  }
  FormatCode& format() { return app->format; }
  bool Validate(const std::string& utf8) {
    host.Clear();
    return format().Validate(Utf8ToCp1252(utf8));
  }
  std::vector<ItemKind> Kinds() const {
    std::vector<ItemKind> kinds;
    for (const FormatItem& i : app->format.format()->items()) kinds.push_back(i.kind);
    return kinds;
  }
  const FormatItem& Item(int i) { return format().format()->items()[i]; }
};

TEST_F(FormatCodeTest, KindsAndTheDefaultCodes) {
  EXPECT_EQ(format().DefaultCode(LayoutKind::kText), ">.$ RUN NFS FVN");
  EXPECT_EQ(Cp1252ToUtf8(format().DefaultCode(LayoutKind::kAttestation)), "ß$ RUN NFS FVN");
  EXPECT_EQ(Cp1252ToUtf8(format().DefaultCode(LayoutKind::kSplitAttestation)), "ß/$ RUN NFS FVN");
  ASSERT_TRUE(Validate(" ß / $ RUN"));
  EXPECT_EQ(format().format()->kind(), LayoutKind::kSplitAttestation);
  ASSERT_TRUE(Validate("ß $ RUN"));
  EXPECT_EQ(format().format()->kind(), LayoutKind::kAttestation);
  // "ß" alone: the default of its kind, and a failure.
  EXPECT_FALSE(Validate("ß"));
  EXPECT_EQ(Cp1252ToUtf8(format().code()), "ß$ RUN NFS FVN");
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(FormatCodeTest, ItemsAndTheirLineEnds) {
  ASSERT_TRUE(Validate(">.$ RUN NFS FVN"));
  EXPECT_EQ(Kinds(), (std::vector<ItemKind>{kItemFilterMark, kItemBlankLine, kItemSignum,
                                            kItemWordText, kItemWordText, kItemWordText}));
  EXPECT_FALSE(Item(0).lineEnd);
  EXPECT_TRUE(Item(2).lineEnd);
  EXPECT_EQ(format().format()->files.words, app->db.wordSet() & format().format()->files.words);
  ASSERT_TRUE(Validate("$ RUN> ENG INF;p INF;* INF NFS% $2 \\t FVN,"));
  EXPECT_EQ(Kinds(),
            (std::vector<ItemKind>{kItemSignum, kItemWordText, kItemFilterMark, kItemPlainRecord,
                                   kItemInfoColumn, kItemAllInfoColumns, kItemAllInfoColumns,
                                   kItemPlainRecord, kItemSignumPart2, kItemTab, kItemWordText}));
  EXPECT_FALSE(Item(1).lineEnd);  // handed to the filter mark
  EXPECT_TRUE(Item(2).lineEnd && Item(2).followsItems);
  EXPECT_EQ(Item(4).infoColumn, 'P');
  EXPECT_FALSE(Item(8).lineEnd);  // before the tab
  EXPECT_TRUE(Item(10).lineEnd);  // the last item ends its line in text format
  ASSERT_TRUE(Validate("ß$ RUN. NFS"));
  EXPECT_FALSE(Item(3).lineEnd);  // the last item never pads in attestation formats
}

TEST_F(FormatCodeTest, FormatCharacters) {
  ASSERT_TRUE(Validate("RUN_§\\ $-= NFS- FVN= ENG%£+ INF;P= INF+ $"));
  EXPECT_EQ(Item(0).kind, kItemHitsWithGaps);
  EXPECT_FALSE(Item(0).pageMarks);
  EXPECT_FALSE(Item(0).lineBreaks);
  EXPECT_FALSE(Item(1).signumFull);
  EXPECT_TRUE(Item(1).signumGiven);
  EXPECT_EQ(Item(2).kind, kItemHitsOnly);
  EXPECT_EQ(Item(3).kind, kItemRawRecord);
  EXPECT_TRUE(Item(4).title && Item(4).headings);
  EXPECT_EQ(Item(5).kind, kItemRawRecord);
  EXPECT_TRUE(Item(6).headings);
  ASSERT_TRUE(Validate("ß$#/-=§ RUN= NFS_ ENG= INF;D="));
  EXPECT_TRUE(Item(0).number && Item(0).alternative && !Item(0).signumFull && !Item(0).pageMarks);
  EXPECT_EQ(Item(1).kind, kItemAttestationWord);
  EXPECT_EQ(Item(2).kind, kItemHitsWithGaps);
  EXPECT_EQ(Item(3).kind, kItemRawRecord);
  EXPECT_EQ(Item(4).kind, kItemRawRecord);
  EXPECT_TRUE(Validate("RUN\\"));  // a backslash at the very end is ignored
  EXPECT_TRUE(Item(0).lineBreaks);
}

TEST_F(FormatCodeTest, RefusedCodesAndTheirMessages) {
  const std::pair<const char*, const char*> cases[] = {
      {"$RUN", "Fel med formatkod: RUN, blanktecken  saknas."},
      {"$ RUNX", "Fel med formatkod: RUNX, För lång filbeteckning före kolon"},
      {"$ XYZ", "Fel med formatkod: XYZ, Felaktig fil angiven"},
      {"$ RUN;P", "Fel med formatkod: RUN;P, Inte en infofil"},
      {"INF;1", "Fel med formatkod: INF;1, Felaktig infokod"},
      {"RUN _", "Fel med formatkod: _ (efter RUN ), Fel plats för formattecken "},
      {"RUN§=", "Fel med formatkod: = (efter RUN§), Felaktigt formattecken"},
      {"RUN\\x", "Fel med formatkod: x (efter RUN\\), Felaktigt formattecken"},
      {"ß$ >RUN",
       "Fel med formatkod: >, I beläggformat får inte tecken för textformat (>) "
       "förekomma"},
      {"INF+=", "Fel med formatkod: = (efter INF+), Felaktigt formattecken"},
      {"ß$ RUN-", "Fel med formatkod: - (efter $ RUN), Felaktigt formattecken"},
      {",,", "Fel med formatkod: ,,, Inget format angivet"},
  };
  for (const auto& [code, message] : cases) {
    EXPECT_FALSE(Validate(code)) << code;
    EXPECT_EQ(host.BoxTexts(), Strings{message}) << code;
    EXPECT_EQ(format().format(), nullptr);
    EXPECT_EQ(format().code(), "");
  }
  EXPECT_TRUE(Validate(">>,,"));  // filter marks are items too
  EXPECT_TRUE(Validate("run"));   // designators without regard to case
  EXPECT_TRUE(Validate("$,RUN"));
}

TEST_F(FormatCodeTest, EntryRowAndRepair) {
  ASSERT_TRUE(Validate("$ RUN"));
  host.Clear();
  EXPECT_FALSE(format().SetFromEntry("$ XYZ"));
  EXPECT_EQ(format().code(), "$ RUN");
  ASSERT_NE(format().format(), nullptr);
  EXPECT_FALSE(format().SetFromEntry("   "));
  EXPECT_EQ(format().code(), "$ RUN");
  EXPECT_TRUE(format().ValidateOrRepair(Utf8ToCp1252("ß$ XYZ")));
  EXPECT_EQ(Cp1252ToUtf8(format().code()), "ß$ RUN NFS FVN");
}

TEST_F(FormatCodeTest, RandomCodesNeverCrash) {
  const std::string alphabet = "$RUNFSVIE;%*123=+-_\\t.,> \xDF/\xA3\xA7#?abc";
  std::mt19937 rng(5);
  for (int round = 0; round < 3000; ++round) {
    std::string code;
    const int length = static_cast<int>(rng() % 30);
    for (int i = 0; i < length; ++i) code += alphabet[rng() % alphabet.size()];
    host.Clear();
    if (!format().Validate(code)) continue;
    window.Clear();
    app->run.SignumRun("U 1");  // and write with whatever was accepted
  }
}

}  // namespace
}  // namespace stavbas
