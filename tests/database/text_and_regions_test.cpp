// Character tables, code page conversion, signum regions, groups and numbers.

#include <gtest/gtest.h>

#include "base/char_tables.h"
#include "base/cp1252.h"
#include "database/regions.h"

namespace stavbas {
namespace {

unsigned char B(const char* utf8) {
  return static_cast<unsigned char>(Utf8ToCp1252(utf8)[0]);
}

TEST(Cp1252, EveryDefinedByteSurvivesTheRoundTripThroughUtf8) {
  for (int b = 1; b < 256; ++b) {
    const std::string s(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(s)), s) << "byte " << b;
  }
  EXPECT_EQ(Cp1252ToUtf8("\x80\x86\xA7\xDF"), "€†§ß");
  EXPECT_EQ(Utf8ToCp1252("Œ"), "\x8C");
  EXPECT_EQ(Utf8ToCp1252("ą"), "?");          // not in the code page
  EXPECT_EQ(Utf8ToCp1252("\xE4t"), "\xE4t");  // Latin-1 bytes pass through unchanged
}

TEST(CharTables, FoldingAndLowerCase) {
  EXPECT_EQ(FoldUpper(Utf8ToCp1252("sö ä æ Æ å ø Ø œ Œ é")), Utf8ToCp1252("SÖ Ä Ä Ä Å Ö Ö Ö Ö é"));
  EXPECT_EQ(LowerCase()[B("Ö")], B("ö"));
  EXPECT_EQ(LowerCase()[B("Œ")], B("œ"));
  EXPECT_EQ(LowerCase()[B("Ü")], B("Ü"));  // not in the table
  EXPECT_EQ(SystemUpperCase(Utf8ToCp1252("ü þ ÿ ß")), Utf8ToCp1252("Ü Þ Ÿ ß"));
}

TEST(CharTables, NormalisedAndRunicComparison) {
  const ByteTable& n = NormalisedCompare();
  for (char c : std::string("!\"(),.:;<>?[]{}")) EXPECT_EQ(n[(unsigned char)c], 0) << c;
  EXPECT_EQ(n[B("Ö")], B("ø"));
  EXPECT_EQ(n[B("Ä")], B("æ"));
  EXPECT_EQ(n[B("É")], 'e');
  EXPECT_EQ(n['\''], '\'');  // an apostrophe counts in normalised text
  EXPECT_EQ(n[0], 0);

  const ByteTable& r = RunicCompare();
  for (const char* c : {"'", "*", "+", ":", "`", "¤", "¦", "´", "¶", "·", "×", "÷",
                        "(", ")", "<", "=", ">", "[", "]", "^", "{", "|", "}"})
    EXPECT_EQ(r[B(c)], 0) << c;
  EXPECT_EQ(r[0], 26);
  EXPECT_EQ(r[B("ø")], B("ö"));
  EXPECT_EQ(r[B("ã")], 'a');
  EXPECT_EQ(r['.'], '.');  // a full stop is a rune-text character, not a divider
}

TEST(Regions, EveryCodeOfTheTableFindsItsRegion) {
  for (int r = 1; r <= kAreaCount; ++r) {
    const std::string s = std::string(RegionInfo(r).code) + " 1 V ";
    EXPECT_EQ(RegionOf(s), r) << RegionInfo(r).name;
  }
  EXPECT_EQ(RegionInfo(kFaultyRegion).firstGroup, 68);
  for (int r = 1; r < kRegionCount; ++r)
    EXPECT_EQ(RegionInfo(r).lastGroup + 1, RegionInfo(r + 1).firstGroup) << r;
}

TEST(Regions, CodesAndTheOtherAreasBox) {
  bool seen = false;
  EXPECT_EQ(RegionOf(Utf8ToCp1252("SÖ 12 "), &seen), 3);
  EXPECT_TRUE(seen);  // any two-letter code enables the box, whatever region it gives
  seen = false;
  EXPECT_EQ(RegionOf("U 12 ", &seen), 6);
  EXPECT_FALSE(seen);
  EXPECT_EQ(RegionOf("Ab 3 ", &seen), 43);
  EXPECT_TRUE(seen);
  seen = false;
  EXPECT_EQ(RegionOf("K 5 ", &seen), 43);
  EXPECT_TRUE(seen);
  EXPECT_EQ(RegionOf("ab 3 "), 44);
  EXPECT_EQ(RegionOf("3 1 "), 44);
  EXPECT_EQ(RegionOf("u 344 "), 44);
  EXPECT_EQ(RegionOf("U344"), 44);
  EXPECT_EQ(RegionOf(Utf8ToCp1252("Nä 5 ")), 8);
  EXPECT_EQ(RegionOf(Utf8ToCp1252("Öl 5 ")), 1);
  EXPECT_EQ(RegionOf(Utf8ToCp1252("Øl 5 ")), 44);  // the first letter is not folded
  EXPECT_EQ(RegionOf(Utf8ToCp1252("Sø 5 ")), 3);   // the second is
}

TEST(Regions, GroupsOfSplitRegions) {
  EXPECT_EQ(GroupOf(Utf8ToCp1252("Sö 12 ")), 6);
  EXPECT_EQ(GroupOf(Utf8ToCp1252("Sö 499 ")), 10);
  EXPECT_EQ(GroupOf(Utf8ToCp1252("Sö 1200 ")), 10);
  EXPECT_EQ(GroupOf("G 250 "), 44);
  EXPECT_EQ(GroupOf("G 99 "), 42);
  EXPECT_EQ(GroupOf("U 344 "), 19);
  EXPECT_EQ(GroupOf("U 1344 "), 28);
  EXPECT_EQ(GroupOf("U 1199 "), 27);
  EXPECT_EQ(GroupOf(Utf8ToCp1252("Öl 0 ")), 2);
  EXPECT_EQ(GroupOf("Vs 900 "), 29);
  EXPECT_EQ(GroupOf("X 1 "), 67);
  EXPECT_EQ(GroupOf("u 1 "), 68);
  EXPECT_EQ(RegionRange("U 34").first, 16);
  EXPECT_EQ(RegionRange("U 34").last, 28);
}

TEST(Regions, NumberOfASignum) {
  EXPECT_EQ(NumberOf("U 344 V text"), 344);
  EXPECT_EQ(NumberOf("U 729A V "), 729);
  EXPECT_EQ(NumberOf(Utf8ToCp1252("Sö 12")), 12);
  EXPECT_EQ(NumberOf("U -5 V "), 0);
  EXPECT_EQ(NumberOf("U x V "), 0);
  EXPECT_EQ(NumberOf("U "), 0);
  EXPECT_EQ(NumberOf("DR 99999999999 V "), 999999999);  // the digits that fit
}

TEST(Regions, SignumOfALine) {
  EXPECT_EQ(SignumOfLine("U 344 V kuml"), "U 344 V ");
  EXPECT_EQ(SignumOfLine("U 344"), "U 344");
  EXPECT_EQ(UpToBlank("U 344 V kuml", 2), "U 344 ");
  EXPECT_EQ(UpToBlank("U 344", 3), "U 344  ");
}

}  // namespace
}  // namespace stavbas
