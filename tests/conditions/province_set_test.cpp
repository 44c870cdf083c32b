// Province numbers of signums, the selection set and its text form.

#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "conditions/province_set.h"

namespace stavbas {
namespace {

std::string TextOf(const ProvinceSet& set) {
  return Cp1252ToUtf8(BuildProvinceText(set));
}

ProvinceSet Of(std::initializer_list<int> numbers) {
  ProvinceSet s;
  for (int n : numbers) s.Include(n);
  return s;
}

TEST(ProvinceOf, SignumsFallInTheirProvinceOrInNone) {
  bool other = false;
  EXPECT_EQ(ProvinceOf("U 344 ", &other), 6);
  EXPECT_EQ(ProvinceOf(Utf8ToCp1252("Sö 101 "), &other), 3);
  EXPECT_EQ(ProvinceOf("DR 42 ", &other), 22);
  // The first letter of a code is not folded.
  EXPECT_EQ(ProvinceOf(Utf8ToCp1252("sö 101 ")), 44);
  EXPECT_EQ(ProvinceOf("123 "), 44);
  EXPECT_EQ(ProvinceOf(""), 44);
}

TEST(ProvinceOf, UnlistedLetterCodesAreOtherAreasAndEnableTheirBox) {
  bool other = false;
  EXPECT_EQ(ProvinceOf("U 1 ", &other), 6);
  EXPECT_FALSE(other);
  EXPECT_EQ(ProvinceOf("Q 1 ", &other), 43);
  EXPECT_TRUE(other);
  other = false;
  EXPECT_EQ(ProvinceOf("Zz 1 ", &other), 43);
  EXPECT_TRUE(other);
  EXPECT_EQ(ProvinceOf("123 ", &other), 44);
  EXPECT_TRUE(other) << "nothing clears the flag";
}

TEST(ProvinceSet, MembershipStaysWithinFortyEightBits) {
  ProvinceSet s;
  s.Include(47);
  s.Include(48);
  s.Include(-1);
  s.Include(100);
  EXPECT_TRUE(s.Contains(47));
  EXPECT_FALSE(s.Contains(48));
  EXPECT_FALSE(s.Contains(-1));
  EXPECT_FALSE(s.Contains(100));
  EXPECT_FALSE(IsProvinceSelected(ProvinceSet::All(), 44));
  EXPECT_TRUE(IsProvinceSelected(ProvinceSet::All(), 43));
  s.Exclude(47);
  EXPECT_FALSE(s.Contains(47));
}

TEST(ProvinceSet, GroupsOfTheDialog) {
  const ProvinceSet sweden = ProvinceSet::Sweden();
  EXPECT_TRUE(sweden.Contains(1) && sweden.Contains(21));
  EXPECT_FALSE(sweden.Contains(22) || sweden.Contains(0));
  EXPECT_EQ(TextOf(ProvinceSet::GreatBritain()), "Sh..IM");
  EXPECT_TRUE(ProvinceSet::All().IsFull());
  EXPECT_FALSE(Of({1, 2, 3}).IsFull());
  EXPECT_TRUE(ProvinceSet().IsEmpty());
  EXPECT_TRUE(Of({0, 44, 47}).IsEmpty()) << "only 1 to 43 are provinces";
}

TEST(BuildProvinceText, RunsOfThreeOrMoreAreShortened) {
  EXPECT_EQ(TextOf(Of({1, 2, 3, 4, 5, 6, 12})), "Öl..U,M");
  EXPECT_EQ(TextOf(Of({1, 2, 20})), "Öl,Ög,G");
  EXPECT_EQ(TextOf(Of({1, 2})), "Öl,Ög");
  EXPECT_EQ(TextOf(Of({6})), "U");
  EXPECT_EQ(TextOf(Of({3, 5, 7})), "Sö,Vg,Vs");
  // A run that ends at the last province is closed too.
  EXPECT_EQ(TextOf(Of({42, 43})), "IT,X");
  EXPECT_EQ(TextOf(Of({1, 41, 42, 43})), "Öl,By..X");
  ProvinceSet allButX = ProvinceSet::All();
  allButX.Exclude(43);
  EXPECT_EQ(TextOf(allButX), "Öl..IT");
  ProvinceSet allButFirst = ProvinceSet::All();
  allButFirst.Exclude(1);
  EXPECT_EQ(TextOf(allButFirst), "Ög..X");
}

TEST(BuildProvinceText, FullAndEmptySetsGiveNoText) {
  EXPECT_EQ(TextOf(ProvinceSet::All()), "");
  EXPECT_EQ(TextOf(ProvinceSet()), "");
  ProvinceSelection selection;
  EXPECT_EQ(ShownProvinceText(selection, "Alla landskap"), "Alla landskap");
  selection.Assign(Of({6, 12}));
  EXPECT_EQ(selection.text, "U,M");
  EXPECT_EQ(ShownProvinceText(selection, "Alla landskap"), "U,M");
}

}  // namespace
}  // namespace stavbas
