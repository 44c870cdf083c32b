// The province dialog's boxes, radio buttons and "OK".

#include <gtest/gtest.h>

#include "conditions/province_dialog.h"

namespace stavbas {
namespace {

ProvinceSet CheckedBoxes(const ProvinceDialog& d) {
  ProvinceSet s;
  for (int n = 0; n <= 48; ++n)
    if (d.Checked(n)) s.Include(n);
  return s;
}

TEST(ProvinceDialog, StartsWithEveryBoxCheckedAndTheOtherAreasBoxDisabled) {
  ProvinceDialog d;
  EXPECT_EQ(CheckedBoxes(d), ProvinceSet::All());
  EXPECT_EQ(d.radio(), ProvinceRadio::ValjAlla);
  EXPECT_TRUE(d.okEnabled());
  EXPECT_FALSE(d.otherAreasEnabled());
  d.ClickBox(43, false);
  EXPECT_TRUE(d.Checked(43)) << "a disabled box cannot be clicked";
  d.EnableOtherAreas();
  d.ClickBox(43, false);
  EXPECT_FALSE(d.Checked(43));
  d.ClickBox(0, true);
  d.ClickBox(44, true);
  EXPECT_FALSE(d.Checked(0) || d.Checked(44));
}

TEST(ProvinceDialog, RadioButtonsSetTheirGroups) {
  ProvinceDialog d;
  d.ChooseRadio(ProvinceRadio::HelaSverige);
  EXPECT_EQ(CheckedBoxes(d), ProvinceSet::Sweden());
  EXPECT_EQ(d.radio(), ProvinceRadio::HelaSverige);
  d.ChooseRadio(ProvinceRadio::Storbritannien);
  EXPECT_EQ(CheckedBoxes(d), ProvinceSet::GreatBritain());
  d.ChooseRadio(ProvinceRadio::Valfritt);
  EXPECT_EQ(CheckedBoxes(d), ProvinceSet::GreatBritain()) << "Valfritt changes no box";
  EXPECT_EQ(d.radio(), ProvinceRadio::Valfritt);
  d.ChooseRadio(ProvinceRadio::IngetVal);
  EXPECT_TRUE(CheckedBoxes(d).IsEmpty());
  EXPECT_FALSE(d.okEnabled());
  d.ChooseRadio(ProvinceRadio::ValjAlla);
  EXPECT_EQ(CheckedBoxes(d), ProvinceSet::All());
  EXPECT_TRUE(d.okEnabled());
}

TEST(ProvinceDialog, RadioButtonsFollowTheBoxesTheUserClicks) {
  ProvinceDialog d;
  d.EnableOtherAreas();
  // Unchecking everything outside Sweden by hand gives "Hela Sverige".
  for (int n = 22; n <= 43; ++n) {
    EXPECT_NE(d.radio(), ProvinceRadio::HelaSverige);
    d.ClickBox(n, false);
  }
  EXPECT_EQ(d.radio(), ProvinceRadio::HelaSverige);
  d.ClickBox(3, false);
  EXPECT_EQ(d.radio(), ProvinceRadio::Valfritt);
  // Clearing every box disables "OK"; one box enables it again.
  for (int n = 1; n <= 21; ++n) d.ClickBox(n, false);
  EXPECT_EQ(d.radio(), ProvinceRadio::IngetVal);
  EXPECT_FALSE(d.okEnabled());
  for (int n = 28; n <= 32; ++n) d.ClickBox(n, true);
  EXPECT_EQ(d.radio(), ProvinceRadio::Storbritannien);
  EXPECT_TRUE(d.okEnabled());
  // All 43 by hand gives "Välj alla".
  for (int n = 1; n <= 43; ++n) d.ClickBox(n, true);
  EXPECT_EQ(d.radio(), ProvinceRadio::ValjAlla);
}

TEST(ProvinceDialog, OkMakesTheBoxesTheSelection) {
  ProvinceDialog d;
  ProvinceSelection selection;
  d.ChooseRadio(ProvinceRadio::IngetVal);
  d.ClickBox(1, true);
  d.ClickBox(2, true);
  const auto result = d.Ok(selection, false, false);
  ASSERT_TRUE(result);
  EXPECT_EQ(selection.set, ProvinceSet::Range(1, 2));
  EXPECT_EQ(selection.text, "\xD6l,\xD6g");
  EXPECT_FALSE(result->allProvinces);
  EXPECT_TRUE(result->exportCommandsEnabled);

  d.ChooseRadio(ProvinceRadio::ValjAlla);
  const auto all = d.Ok(selection, false, false);
  ASSERT_TRUE(all);
  EXPECT_TRUE(all->allProvinces);
  EXPECT_EQ(selection.text, "");
  EXPECT_FALSE(all->exportCommandsEnabled) << "nothing narrows the export";
  EXPECT_TRUE(d.Ok(selection, true, false)->exportCommandsEnabled);
  EXPECT_TRUE(d.Ok(selection, false, true)->exportCommandsEnabled);
}

TEST(ProvinceDialog, OkDoesNothingWhileDisabled) {
  ProvinceDialog d;
  ProvinceSelection selection;
  selection.Assign(ProvinceSet::Range(6, 6));
  d.ChooseRadio(ProvinceRadio::IngetVal);
  EXPECT_FALSE(d.Ok(selection, false, false));
  EXPECT_EQ(selection.set, ProvinceSet::Range(6, 6));
  EXPECT_EQ(selection.text, "U");
}

TEST(ProvinceDialog, CancelKeepsTheSelectionButTheNextOkUsesTheBoxes) {
  ProvinceDialog d;
  ProvinceSelection selection;
  d.ChooseRadio(ProvinceRadio::HelaSverige);
  // "Avbryt": the selection in force is untouched.
  EXPECT_TRUE(selection.set.IsFull());
  EXPECT_EQ(d.radio(), ProvinceRadio::HelaSverige);
  ASSERT_TRUE(d.Ok(selection, false, false));
  EXPECT_EQ(selection.set, ProvinceSet::Sweden());
  EXPECT_EQ(selection.text, "\xD6l..SE");
}

TEST(ProvinceDialog, ALoadedSelectionShowsInTheBoxes) {
  ProvinceDialog sweden(ProvinceSet::Sweden());
  EXPECT_EQ(CheckedBoxes(sweden), ProvinceSet::Sweden());
  EXPECT_EQ(sweden.radio(), ProvinceRadio::HelaSverige);
  ProvinceSelection selection;
  ASSERT_TRUE(sweden.Ok(selection, false, false));
  EXPECT_EQ(selection.set, ProvinceSet::Sweden()) << "OK without changes keeps what was loaded";

  ProvinceDialog none{ProvinceSet()};
  EXPECT_EQ(none.radio(), ProvinceRadio::IngetVal);
  EXPECT_FALSE(none.okEnabled());
  ProvinceDialog some(ProvinceSet::Range(6, 7));
  EXPECT_EQ(some.radio(), ProvinceRadio::Valfritt);
  EXPECT_TRUE(some.okEnabled());
}

}  // namespace
}  // namespace stavbas
