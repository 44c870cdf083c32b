// Building codes from the menus and removing them.

#include <gtest/gtest.h>

#include "base/commands.h"
#include "conditions/code_building.h"
#include "conditions/condition_fixture.h"

namespace stavbas {
namespace {

using Strings = std::vector<std::string>;

TEST(CodeBuilding, BlanksAndStars) {
  EXPECT_EQ(BytUtBlank("sten *ar"), "sten_*ar");
  EXPECT_EQ(BytUtBlank("a &INF;S:x"), "a&INF;S:x");
  EXPECT_EQ(BytUtBlank("a +b c"), "a+b_c");
  EXPECT_EQ(BytUtBlank(" &a "), "_&a_");
  EXPECT_EQ(BytUtAsterisk("a*b*"),
            "a\xB7"
            "b\xB7");
}

class CodeBuilderTest : public ::testing::Test, public test::ConditionFixture {
 protected:
  void SetUp() override {
    Record("sten : ar", "sten ar", "\x10Sigtuna\x10");
    builder.codeFieldShows = [this](CodeKind k) { return k == fieldShows; };
    builder.setCodeField = [this](const std::string& text) { field = text; };
  }
  ProvinceSelection provinces;
  CodeBuilder builder{m.ui, conditions, provinces};
  CodeKind fieldShows = CodeKind::kInscription;
  std::string field = "untouched";
};

TEST_F(CodeBuilderTest, NewAndFurtherWordSearches) {
  EXPECT_TRUE(builder.FixaVillkorsstrang("RUN:", "sten *ar", true));
  EXPECT_EQ(Cp1252ToUtf8(conditions.wordSearchCode()), "RUN:sten_·ar");
  EXPECT_EQ(Cp1252ToUtf8(m.host.panels[1]), "RUN:sten_·ar");
  EXPECT_EQ(field, "untouched");  // the entry row shows the other code
  EXPECT_TRUE(builder.FixaVillkorsstrang("NFS:", "a &INF;S:x", false));
  EXPECT_EQ(Cp1252ToUtf8(conditions.wordSearchCode()), "RUN:sten_·ar & NFS:a&INF;S:x");
  EXPECT_TRUE(builder.FixaVillkorsstrang("-NFS:", "\"", true));
  EXPECT_EQ(conditions.wordSearchCode(), "-NFS:\"");
}

TEST_F(CodeBuilderTest, InscriptionConditionsAndTheSignumPart) {
  EXPECT_TRUE(builder.FixaUrvalsstrang("INF;P:", "Sigtuna", true));
  EXPECT_EQ(field, "INF;P:Sigtuna");
  EXPECT_TRUE(builder.FixaUrvalsstrang("-INF;P:", "Sigtuna", false));
  EXPECT_EQ(conditions.inscriptionCode(), "INF;P:Sigtuna & -INF;P:Sigtuna");
  EXPECT_TRUE(builder.FixaUrvalsstrang("$3:", "x", true, true));
  EXPECT_EQ(conditions.inscriptionCode(), "$3:X");
  EXPECT_TRUE(builder.FixaUrvalsstrang("$3:", "m", true, true));
  EXPECT_EQ(conditions.inscriptionCode(), "$3:m");
}

TEST_F(CodeBuilderTest, ARefusedCodeLeavesThePreviousOneInForce) {
  ASSERT_TRUE(builder.FixaUrvalsstrang("RUN%:", "sten", true));
  m.host.Clear();
  EXPECT_FALSE(builder.FixaUrvalsstrang("RUN%:", "a:b", false));
  EXPECT_EQ(m.host.BoxTexts(),
            (Strings{"Fel med villkor: a:b, Otillåtet tecken i söksträng,  Skriv \\ före :",
                     "Felaktig inskriftsvillkorskod RUN%:sten & RUN%:a:b"}));
  EXPECT_EQ(conditions.inscriptionCode(), "RUN%:sten");
  EXPECT_EQ(m.host.panels[2], "RUN%:sten");
  EXPECT_TRUE(Holds("RUN%:sten"));
  EXPECT_FALSE(conditions.ParseInscriptionCode("RUN:x"));  // a word atom is refused here too
}

TEST_F(CodeBuilderTest, ACodeLongerThanTheParserTakesIsRefusedWhole) {
  // Cut at 255 characters, the joined code would still parse: into a different condition.
  const std::string longText(240, 'a');
  ASSERT_TRUE(builder.FixaUrvalsstrang("RUN%:", "sten", true));
  m.host.Clear();
  fieldShows = CodeKind::kInscription;
  field = "untouched";
  EXPECT_FALSE(builder.FixaUrvalsstrang("RUN%:", longText, false));
  ASSERT_EQ(m.host.BoxTexts().size(), 1u);
  EXPECT_EQ(m.host.BoxTexts()[0].rfind("Koden blir längre än 255 tecken", 0), 0u);
  EXPECT_EQ(conditions.inscriptionCode(), "RUN%:sten");
  EXPECT_EQ(field, "untouched");
  EXPECT_EQ(m.host.panels[2], "RUN%:sten");
  // Exactly 255 characters are taken.
  const std::string fits(255 - std::string("RUN%:sten & RUN%:").size(), 'a');
  EXPECT_TRUE(builder.FixaUrvalsstrang("RUN%:", fits, false));
  EXPECT_EQ(conditions.inscriptionCode().size(), 255u);
}

TEST_F(CodeBuilderTest, RemovingCodesAndTheExportCommands) {
  builder.EnableExportCommands();
  ASSERT_TRUE(builder.FixaVillkorsstrang("RUN:", "a", true));
  ASSERT_TRUE(builder.FixaUrvalsstrang("INF;P:", "x", true));
  builder.RemoveWordSearch();
  EXPECT_EQ(conditions.wordSearchCode(), "");
  EXPECT_TRUE(m.host.commands[std::string(command::kSkapaCsvFil)]);
  fieldShows = CodeKind::kInscription;
  builder.RemoveInscriptionCondition();
  EXPECT_EQ(field, "");
  EXPECT_EQ(m.host.panels[2], "");
  EXPECT_FALSE(m.host.commands[std::string(command::kSkapaCsvFil)]);
  EXPECT_FALSE(m.host.commands[std::string(command::kSkapaShapeFil)]);

  provinces.Assign(ProvinceSet::Sweden());
  ProvinceDialog dialog(provinces.set);
  ASSERT_TRUE(builder.FixaVillkorsstrang("RUN:", "a", true));
  builder.ClearAll(&dialog);
  EXPECT_TRUE(provinces.set.IsFull());
  EXPECT_EQ(dialog.radio(), ProvinceRadio::ValjAlla);
  EXPECT_EQ(m.host.panels[3], "Alla landskap");
  EXPECT_FALSE(conditions.IsWordSearchActive());
  EXPECT_FALSE(m.host.commands[std::string(command::kSkapaUrvalsfil)]);
}

}  // namespace
}  // namespace stavbas
