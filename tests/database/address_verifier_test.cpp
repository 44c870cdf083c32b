// Loaded group addresses told against a file's lines: exactly the addresses the computing pass
// gives fit, and any other is found out, by the line where its group begins or at the end.

#include <gtest/gtest.h>

#include "database/address_verifier.h"
#include "mini_db.h"

namespace stavbas {
namespace {

using Verdict = AddressVerifier::Verdict;

// Signums whose groups turn where a look at their first bytes could be taken in: numbers
// around the hundreds and across a change of their count of digits, leading zeros, a number
// of 0, a folded second letter, numbers too long for the look, regions not split, a line too
// short for it.
constexpr const char* kLines =
    "!/R Runtext\n"
    "Öl 5 V abc\nÖl 99 V abc\nÖl 100 V abc\nÖl 150 V abc\n"
    "Sö 1 V abc\nSÖ 2 V abc\nSö 05 V abc\nSö 300 V abc\nSö 399 V abc\n"
    "Sö 2000 V abc\nSö 20000 V abc\n"
    "U 5 V abc\nU 9 V abc\nU 10 V abc\nU 99 V abc\nU 100 V abc\nU 199 V abc\n"
    "U 1099 V abc\nU 1100 V abc\nU 1199 V abc\nU 1200 V abc\nU 99999 V abc\n"
    "U 0 V abc\nU 00 V abc\n"
    "Vs 1 V abc\nVs 9999999 V abc\nVs 123456789012 V abc\n"
    "G 1 V abc\nG 7 V abc\nG 0 V abc\nG 12345678 V abc\nG 99999999 V abc\n"
    "DR 5 V abc\nDR 6 V abc\nDR 7 V\nAb 1 V abc\nX 3 V abc\n";

struct Fed {
  std::vector<Verdict> verdicts;  // after each line, as the reading would leave it
  bool finished = false;
};

Fed Feed(const std::vector<std::string>& lines, const AddressVerifier::Addresses& loaded) {
  AddressVerifier v(loaded);
  Fed fed;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (v.Line(lines[i]) == Verdict::kFitsIfLast && i + 1 < lines.size()) v.NotLast();
    fed.verdicts.push_back(v.verdict());
  }
  fed.finished = v.Finish();
  return fed;
}

TEST(AddressVerifier, OnlyTheComputedAddressesFit) {
  test::MiniDb m;
  m.Write("STAVBAS.RUN", kLines);
  ASSERT_TRUE(m.Open());
  const AddressVerifier::Addresses computed = m.db.DataFile(1).address();
  std::vector<std::string> lines;
  const std::string bytes = m.dir.ReadBytes("STAVBAS.RUN");
  for (std::size_t at = 0, end; (end = bytes.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(bytes.substr(at, end - at));
  const auto last = static_cast<std::int32_t>(lines.size());

  const Fed good = Feed(lines, computed);
  EXPECT_TRUE(good.finished);
  for (std::size_t i = 0; i < good.verdicts.size(); ++i)
    EXPECT_EQ(good.verdicts[i], Verdict::kFits) << lines[i];

  // One group's address one line off, or the line on which several groups begin.
  for (int g = 1; g <= kGroupCount; ++g) {
    for (const bool whole : {false, true}) {
      for (const int delta : {-1, 1}) {
        AddressVerifier::Addresses loaded = computed;
        for (int h = g; h <= kGroupCount; ++h)
          if (h == g || (whole && computed[h] == computed[g])) loaded[h] += delta;
        if (loaded[g] < 0) continue;
        const Fed fed = Feed(lines, loaded);
        EXPECT_FALSE(fed.finished) << g << " " << delta << " " << whole;
        // Within the file, by the line where the group begins or is said to begin.
        const std::int32_t by = std::max(loaded[g], computed[g]);
        if (by < last) {
          EXPECT_NE(fed.verdicts[static_cast<std::size_t>(by - 1)], Verdict::kFits)
              << g << " " << delta << " " << lines[static_cast<std::size_t>(by - 1)];
        }
      }
    }
  }
}

// Lines out of order leave only the whole file to tell; a NUL byte in a signum's code is taken
// as the computing pass takes it.
TEST(AddressVerifier, LinesOutOfOrderAndNulBytes) {
  test::MiniDb m;
  m.dir.WriteBytes("STAVBAS.RUN",
                   std::string("U 5 V a\r\nU\0 7 V a\r\nU 500 V a\r\nU 6 V a\r\n", 38));
  m.db.checkAtOpening = [] { return true; };  // the index is written all the same
  ASSERT_TRUE(m.Open());
  const AddressVerifier::Addresses computed = m.db.DataFile(1).address();
  const std::vector<std::string> lines = {"U 5 V a", std::string("U\0 7 V a", 8), "U 500 V a",
                                          "U 6 V a"};
  const Fed fed = Feed(lines, computed);
  EXPECT_EQ(fed.verdicts.back(), Verdict::kUndecided);
  EXPECT_TRUE(fed.finished);
}

}  // namespace
}  // namespace stavbas
