// What the text and attestation formats write, and the counts line.

#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "output/output_fixture.h"

namespace stavbas {
namespace {

class TextOutputTest : public ::testing::Test, public test::OutputFixture {
 protected:
  void SetUp() override {
    Database("U 1 V sten : þisi ok\nU 2 V §A a : b §B c\nU 3 V stenar\n",
             "U 1 V \"Sten þessi, ok\nU 2 V §A a b §B c\nU 3 V stenar\n", "U 2 V §A aa bb §B cc\n",
             "U 1 V \x10Sigtuna\x10\x13Vaksala\x13\nU 2 V\nU 3 V\n");
  }
  std::string Run(const std::string& request, const std::string& format,
                  const std::string& search = "", bool all = false) {
    window.Clear();
    EXPECT_TRUE(app->conditions.ParseWordSearchCode(Utf8ToCp1252(search)));
    EXPECT_TRUE(app->format.Validate(Utf8ToCp1252(format)));
    if (all)
      app->run.AllRun();
    else
      app->run.SignumRun(Utf8ToCp1252(request));
    return Text();
  }
};

TEST_F(TextOutputTest, TheDefaultFormatWithItsStyles) {
  EXPECT_EQ(Run("U 1", ">.$ RUN NFS FVN"), "\nU 1 V \nsten : þisi ok\nSten þessi, ok\n");
  EXPECT_TRUE(StyleOf("sten :").bold);
  EXPECT_FALSE(StyleOf("sten :").italic);
  EXPECT_TRUE(StyleOf("Sten ").italic);
  EXPECT_EQ(StyleOf("Sten ").color, kBlack);
  EXPECT_FALSE(StyleOf("U 1 V").bold);
  EXPECT_EQ(StyleOf("U 1 V").font, "Arial");
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(TextOutputTest, HitsAreRedOnlyWithAWordSearch) {
  Run("U 1", ">.$ RUN", "RUN:þisi");
  EXPECT_EQ(StyleOf("þisi").color, kRed);
  EXPECT_EQ(StyleOf("sten").color, kBlack);
  // One blank for every other word, and the blank before a word after the first.
  EXPECT_EQ(Run("U 1", ">$ RUN_,NFS-", "NFS:_ok"), "U 1 V \n   ok ok\n");
  EXPECT_EQ(Run("U 1", ">$ RUN-", "RUN:s"), "U 1 V \nsten þisi\n");
}

TEST_F(TextOutputTest, PageMarksBreakLinesOnlyWithAFullStopAndNoComma) {
  EXPECT_EQ(Run("U 2", ".RUN"), "\n§A a : b\n§B c\n");
  EXPECT_EQ(Run("U 2", "RUN"), "§A a : b §B c\n");
  EXPECT_EQ(Run("U 2", ".RUN,"), "\n§A a : b §B c\n");  // a comma keeps the marks in the line
  // Hidden marks still break the line; the first word after a hidden mark keeps its blank.
  EXPECT_EQ(Run("U 2", ".RUN§ NFS"), "\n a : b\n c\n§A a b\n§B c\n");
  EXPECT_EQ(Run("U 2", ".RUN\\ FVN"), "\n§A a : b §B c\n§A aa bb\n§B cc\n");
}

TEST_F(TextOutputTest, TheFilterMarkDropsInscriptionsWithoutHits) {
  app->settings.provinces.Assign(ProvinceSet::All());
  EXPECT_EQ(Run("", "$>", "RUN:stenar", true), "U 3 V \n1 ord (belägg) i 1 inskrift");
  // An exact signum is shown whatever its hits, also where the mark stands first.
  EXPECT_EQ(Run("U 1", "$>", "RUN:stenar"), "U 1 V \n");
  EXPECT_EQ(Run("U 1", ">$", "RUN:stenar"), "U 1 V \n");
  EXPECT_EQ(Run("", ">.$", "RUN:stenar", true), "\nU 3 V \n1 ord (belägg) i 1 inskrift");
}

TEST_F(TextOutputTest, InformationColumns) {
  EXPECT_EQ(Run("U 1", "$ INF;P"), "U 1 V \nSigtuna ");
  EXPECT_EQ(Run("U 1", ".$ INF;P"), "\nU 1 V \nSigtuna \n");
  EXPECT_EQ(Run("U 1", "$ INF+"), "U 1 V \nPlats: Sigtuna \nSocken: Vaksala \n");
  EXPECT_EQ(Run("U 1", "$, INF\\ $3"), "U 1 V Sigtuna Vaksala \nV \n");
  EXPECT_EQ(Run("U 1", "$, INF\\"), "U 1 V Sigtuna \nVaksala \n");  // a final backslash is ignored
  EXPECT_EQ(Run("U 1", "$,\\t,INF;S"), "U 1 V \tVaksala ");
  EXPECT_EQ(Run("U 1", "$2 $3 RUN= NFS=-"), "1 \nV \nU 1 V sten : þisi ok\n\"Sten þessi, ok\n");
}

TEST_F(TextOutputTest, AttestationLines) {
  // The words start in columns 11, 21 and 31; one exact signum without a search gives no
  // counts line.
  EXPECT_EQ(Run("U 2", "ß$ RUN NFS FVN"),
            "U 2 V §A  a         a         aa\n"
            "U 2 V §A  b         b         bb\n"
            "U 2 V §B  c         c         cc\n");
  EXPECT_EQ(StyleOf("§A  a").font, "Courier New");
}

TEST_F(TextOutputTest, AttestationColumnsCommasNumbersAndCounts) {
  EXPECT_EQ(Run("U 2", "ß$#, RUN, NFS", "RUN:b"), "U 2 V §A #2 b b\n1 ord (belägg)");
  EXPECT_EQ(Run("U 1", "ß$§# RUN_. NFS=", "RUN:ok"),
            "U 1 V #3    ok                ok\n1 ord (belägg)");
  app->settings.provinces.Assign(ProvinceSet::All());
  EXPECT_EQ(Run("", "ß$-,RUN", "RUN:sten", true),
            "U 1 sten\nU 3 stenar\n2 ord (belägg) i 2 inskrifter");
}

TEST_F(TextOutputTest, SplitAttestationGivesALinePerMatchingReading) {
  test::TempDir d;
  Database("U 1 V a kub/kuþ b\n", "U 1 V a Kub/Kuþ b\n");
  EXPECT_EQ(Run("U 1", "ß$ RUN", "RUN:ku"), "U 1 V     kub/kuþ\n1 ord (belägg)");
  EXPECT_EQ(Run("U 1", "ß/$ RUN", "RUN:ku"), "U 1 V     kub\nU 1 V     kuþ\n2 ord (belägg)");
  // Found in the last reading: no further reading remains, so one line for the word.
  EXPECT_EQ(Run("U 1", "ß/$ RUN", "RUN:kuþ"), "U 1 V     kub/kuþ\n1 ord (belägg)");
  EXPECT_EQ(Run("U 1", "ß/$/ RUN", "RUN:ku"), "U 1 V /   kub\nU 1 V /   kuþ\n2 ord (belägg)");
}

TEST_F(TextOutputTest, ManyWordsAreMarkedBeyondWord255) {
  std::string words;
  for (int i = 1; i <= 300; ++i) words += (i == 290 ? "mål" : "x" + std::to_string(i)) + " ";
  words.pop_back();
  Database("U 1 V " + words + "\n", "U 1 V " + words + "\n");
  Run("U 1", "$ RUN", "RUN:mål");
  EXPECT_EQ(StyleOf("mål").color, kRed);
  EXPECT_EQ(StyleOf("x34 ").color, kBlack);  // word 290 - 256: the old 8-bit number
}

}  // namespace
}  // namespace stavbas
