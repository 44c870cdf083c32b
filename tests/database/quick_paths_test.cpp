// The opening's quick paths against the plain ones they stand in for: the group of a line found
// with its region kept from the line before, the signum index's keys compared from bit masks of
// their first bytes, and the signum kept for a message about a later line.

#include <gtest/gtest.h>

#include <random>

#include "database/signum_index.h"
#include "mini_db.h"

namespace stavbas {
namespace {

using test::MiniDb;
using Strings = std::vector<std::string>;

TEST(QuickPaths, TheGroupFinderFindsWhatGroupOfFinds) {
  std::vector<std::string> codes;
  for (int r = 1; r <= kRegionCount; ++r) codes.emplace_back(RegionInfo(r).code);
  for (const char* odd : {"u", "\xD8l", "S\xF8", "ABC", "X1", "1", "Q", "Qx"})
    codes.emplace_back(odd);
  const std::vector<std::string> numbers = {"0",
                                            "7",
                                            "99",
                                            "100",
                                            "150",
                                            "499",
                                            "1234",
                                            "00012",
                                            "1234567",
                                            "12345678",
                                            "999999999",
                                            "1234567890",
                                            "99999999999",
                                            "-5",
                                            "+5",
                                            " 12",
                                            "12a",
                                            "",
                                            "x",
                                            std::string("1\0"
                                                        "2",
                                                        3)};
  const std::vector<std::string> tails = {" V a", " ", "", "a V", "/1 V"};
  std::vector<std::string> signums;
  for (const std::string& c : codes)
    for (const std::string& n : numbers)
      for (const std::string& t : tails) signums.push_back(c + " " + n + t);
  signums.push_back("");
  signums.push_back("U");
  signums.push_back(" U 1 V");
  // In runs of one code, as in a file, and with the code changing at every line.
  std::mt19937 rng(3);
  for (int pass = 0; pass < 2; ++pass) {
    GroupFinder finder;
    for (const std::string& s : signums) ASSERT_EQ(finder.GroupOf(s), GroupOf(s)) << s;
    std::shuffle(signums.begin(), signums.end(), rng);
  }
}

// Whole lines, as a file holds them, in rising runs of one code: numbers that cross a
// hundred, that gain a digit, that begin with 0 or are 0, that grow too long to read at once,
// with the code changing now and then. Each line's group is the one GroupOf finds.
TEST(QuickPaths, TheGroupFinderKeepsAGroupOnlyWhileItsHundredsStay) {
  const std::vector<std::string> codes = {"U", "\xD6g", "S\xF6", "G", "Q", "u"};
  const std::vector<int> starts = {0, 1, 95, 190, 990, 1090, 9990, 1234590, 9999990, 99999990};
  std::vector<std::string> lines;
  for (const std::string& c : codes)
    for (const int start : starts)
      for (const char* zero : {"", "0"})
        for (int n = start; n < start + 15; ++n) {
          const std::string tail = n % 3 ? " V text of the line" : "a $ x";
          lines.push_back(c + " " + zero + std::to_string(n) + tail);
        }
  lines.push_back("U 12 V");  // short lines between long ones
  lines.push_back("U 120 V text of the line");
  lines.push_back("U 1a0 V text of the line");
  lines.push_back("U 1 0 V text of the line");
  std::mt19937 rng(7);
  for (int pass = 0; pass < 2; ++pass) {
    GroupFinder finder;
    for (const std::string& s : lines) ASSERT_EQ(finder.GroupOf(s), GroupOf(s)) << s;
    std::shuffle(lines.begin(), lines.end(), rng);
  }
}

// Keys that end within a line's first 16 bytes, within its first 48 and beyond, in lines of
// every length, one after another in every order: the stretches they break are those that the
// keys' own order says.
TEST(QuickPaths, KeysOfEveryLengthBreakTheSameStretches) {
  std::mt19937 rng(5);
  const std::string letters = Utf8ToCp1252("uUsSöÖ");
  std::vector<std::string> lines;
  for (int i = 0; i < 600; ++i) {
    std::string key(1, letters[rng() % letters.size()]);
    if (rng() % 3 == 0) key += letters[rng() % letters.size()];
    const int digits = rng() % 4 == 0 ? 1 + static_cast<int>(rng() % 50) : 1;
    key += " ";
    for (int d = 0; d < digits; ++d)
      key += static_cast<char>('0' + (d == 0 ? 1 + rng() % 3 : rng() % 10));
    if (rng() % 4 == 0) key += static_cast<char>("aAbB"[rng() % 4]);
    if (rng() % 40) key += " ";  // now and then a line without a key
    lines.push_back(key + "V" + std::string(rng() % 70, 'x'));
  }
  SignumIndex index;
  for (std::size_t i = 0; i < lines.size(); ++i)
    index.Add(static_cast<std::int32_t>(i + 1), i, lines[i], false);
  const auto n = static_cast<std::int32_t>(lines.size());
  for (std::int32_t from = 1; from <= n; from += 5) {
    bool rising = true;
    for (std::int32_t to = from; to <= n; ++to) {
      const auto key = SignumIndex::KeyOf(lines[static_cast<std::size_t>(to - 1)]);
      const auto before =
          SignumIndex::KeyOf(lines[static_cast<std::size_t>(to - 2 + (to == from))]);
      rising = rising && key && (to == from || (before && SignumIndex::KeyLess(*before, *key)));
      ASSERT_EQ(index.Rising(from, to), rising) << from << " to " << to;
    }
  }
}

// A line that is no record line is reported with the signum of the record line before it,
// whether that signum lies within the line's first bytes or runs on past them.
TEST(QuickPaths, ALineOutOfPlaceIsNamedByTheSignumBeforeIt) {
  const std::string longType(40, 'V');
  MiniDb m;
  m.Write("STAVBAS.RUN", "U 12 V " + std::string(60, 'a') + "\n! comment\nU 13 " + longType +
                             " text\n! comment\nU 14 V b\n! comment\n");
  ASSERT_TRUE(m.Open());
  const Strings lines = m.host.Lines();
  for (const std::string& s : Strings{"U 12 V ", "U 13 " + longType + " ", "U 14 V "})
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Signum i fel ordning! " + s), 1) << s;
}

}  // namespace
}  // namespace stavbas
