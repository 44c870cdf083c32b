// The format dialog's choices and the codes it builds.

#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "output/format_choice.h"
#include "output/output_fixture.h"

namespace stavbas {
namespace {

class FormatChoiceTest : public ::testing::Test, public test::OutputFixture {
 protected:
  void SetUp() override { Sample(); }
};

TEST_F(FormatChoiceTest, ChoicesAndTheCodesTheyBuild) {
  FormatChoiceModel text(app->db, LayoutKind::kText);
  const auto choices = text.Choices();
  ASSERT_EQ(choices.size(), 10u + 21u);  // the fixed choices and the sample's 21 headings
  EXPECT_EQ(choices[1], "Blankrad");
  EXPECT_EQ(choices[10], "Plats");
  EXPECT_EQ(Cp1252ToUtf8(choices[30]), "Bildlänk");
  EXPECT_EQ(text.BuildCode({4, 5, 1, 10, 2, 3, 9}, choices), ">.$ RUN .INF;P ,\\tENG ");
  text.headings = true;
  EXPECT_EQ(text.BuildCode({0, 8, 13}, choices), ">.$ RUN NFS FVN INF+ INF;K+ ");
  EXPECT_TRUE(AcceptBuiltFormatCode(app->format, app->ui, text.BuildCode({0, 8, 13}, choices)));

  FormatChoiceModel split(app->db, LayoutKind::kSplitAttestation);
  EXPECT_EQ(Cp1252ToUtf8(split.Choices()[2]), "Minimalt mellanrum");
  EXPECT_EQ(Cp1252ToUtf8(split.BuildCode({4, 6, 1}, split.Choices())), "ß/$ NFS .");

  FormatChoiceModel exports(app->db, LayoutKind::kText);
  exports.exportVariant = true;
  EXPECT_EQ(exports.Appended(3, "Engelsk"), "ENG ");
  EXPECT_EQ(exports.Appended(5, "Socken"), "INF;S ");
  EXPECT_EQ(exports.Appended(6, "ingen sådan rubrik"), "INF;  ");
}

TEST_F(FormatChoiceTest, ARefusedCodeKeepsThePreviousOne) {
  ASSERT_TRUE(app->format.Validate("$ RUN"));
  host.Clear();
  EXPECT_FALSE(AcceptBuiltFormatCode(app->format, app->ui, "\xDF$ >"));
  EXPECT_EQ(host.BoxTexts().back(), "Felaktig formatkod ß$ >");
  EXPECT_EQ(app->format.code(), "$ RUN");
  EXPECT_NE(app->format.format(), nullptr);
}

}  // namespace
}  // namespace stavbas
