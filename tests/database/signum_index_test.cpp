// The finer signum index: its key order, and lookups through it that find what reading the
// whole group finds, in rising groups, groups out of order and files that lack inscriptions.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "database/signum_index.h"
#include "mini_db.h"

namespace stavbas {
namespace {

using test::MiniDb;

TEST(SignumIndex, KeysAreUpperCasedAndOrderedByNumber) {
  EXPECT_EQ(SignumIndex::KeyOf(Utf8ToCp1252("sö 12 V a")), Utf8ToCp1252("SÖ 12 "));
  EXPECT_EQ(SignumIndex::KeyOf("U 12"), std::nullopt) << "no second blank";
  EXPECT_EQ(SignumIndex::KeyOf("U " + std::string(60, '1') + " V"), std::nullopt) << "too long";
  EXPECT_TRUE(SignumIndex::KeyLess("U 9 ", "U 10 "));
  EXPECT_FALSE(SignumIndex::KeyLess("U 10 ", "U 9 "));
  EXPECT_TRUE(SignumIndex::KeyLess("U 10 ", "U 10A "));
  EXPECT_TRUE(SignumIndex::KeyLess("U 10A ", "U 11 "));
  EXPECT_TRUE(SignumIndex::KeyLess("U 1 ", "U 01 ")) << "equal values still differ";
  EXPECT_FALSE(SignumIndex::KeyLess("U 10 ", "U 10 "));
  EXPECT_TRUE(SignumIndex::KeyLess("DR 1 ", "U 1 "));
}

TEST(SignumIndex, RisingStretchesAndTheLinesThatBreakThem) {
  SignumIndex index;
  const char* lines[] = {"! header", "U 1 a", "U 2 b", "U 3 c", "U 3 d", "U 4 e", "U5", "U 6 f"};
  for (int i = 0; i < 8; ++i) index.Add(i + 1, 100u * static_cast<unsigned>(i), lines[i], i == 1);
  EXPECT_TRUE(index.Rising(2, 4));
  EXPECT_FALSE(index.Rising(2, 5)) << "a repeated key";
  EXPECT_TRUE(index.Rising(5, 6)) << "the fall onto a stretch's first line does not count";
  EXPECT_FALSE(index.Rising(6, 8)) << "a line without a key";
  EXPECT_FALSE(index.Rising(7, 8));
  EXPECT_TRUE(index.Rising(8, 8));
  EXPECT_EQ(index.KeyAt(2), "U 1 ");
  EXPECT_EQ(index.KeyAt(3), std::nullopt);
}

// Keys are compared as they stand in the line and folded only where they differ: lines long
// enough for the 16-byte compare and short lines must break the same stretches, whatever the
// case of their letters, and as the upper-cased keys' order says.
TEST(SignumIndex, LongAndShortLinesBreakTheSameStretches) {
  std::mt19937 rng(11);
  const std::string letters = Utf8ToCp1252("uUsSöÖ");
  std::vector<std::string> keys;
  for (int i = 0; i < 400; ++i) {
    std::string key(1, letters[rng() % letters.size()]);
    if (rng() % 3 == 0) key += letters[rng() % letters.size()];
    key += " " + std::to_string(rng() % 30);
    if (rng() % 4 == 0) key += static_cast<char>("aAbB"[rng() % 4]);
    keys.push_back(rng() % 50 ? key + " " : key);  // now and then a line without a key
  }
  SignumIndex shortLines, longLines;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const auto line = static_cast<std::int32_t>(i + 1);
    shortLines.Add(line, i, keys[i] + "V", false);
    longLines.Add(line, i, keys[i] + "V" + std::string(60, 'x'), false);
  }
  for (std::int32_t from = 1; from <= 400; from += 7)
    for (std::int32_t to = from; to <= 400; ++to) {
      bool rising = true;
      for (std::int32_t l = from; l <= to && rising; ++l) {
        const auto key = SignumIndex::KeyOf(keys[static_cast<std::size_t>(l - 1)] + "V");
        const auto before =
            l > from ? SignumIndex::KeyOf(keys[static_cast<std::size_t>(l - 2)] + "V") : key;
        rising = key && (l == from || (before && SignumIndex::KeyLess(*before, *key)));
      }
      ASSERT_EQ(shortLines.Rising(from, to), rising) << from << " to " << to;
      ASSERT_EQ(longLines.Rising(from, to), rising) << from << " to " << to;
    }
}

// A file: Sö out of order, U 5000 to U 5299 rising in the region's last group, Sm with a
// repeated signum, and Vs rising. The incomplete FVN has every third U inscription.
struct Files {
  std::string run = "!/R Runtext\n", fvn = "!/O\n";
  std::vector<std::string> signums;
  Files() {
    std::vector<int> so(60);
    for (int i = 0; i < 60; ++i) so[static_cast<std::size_t>(i)] = i + 1;
    std::shuffle(so.begin(), so.end(), std::mt19937(7));
    for (int n : so) Add("Sö " + std::to_string(n), "V");
    Add("Sm 5", "V"), Add("Sm 5", "M"), Add("Sm 6", "V");
    for (int n = 5000; n < 5300; ++n) {
      Add("U " + std::to_string(n), n % 7 ? "V" : "M");
      if (n % 3 == 0) fvn += "U " + std::to_string(n) + " V ord\n";
    }
    for (int n = 1; n <= 40; ++n) Add("Vs " + std::to_string(n), "V");
  }
  void Add(const std::string& signum, const char* dating) {
    run += signum + " " + dating + " text " + std::to_string(signums.size()) + "\n";
    signums.push_back(signum);
  }
  // Writes the files into a database, with the index that `indexed` computed.
  void WriteInto(const MiniDb& m, const MiniDb* indexed = nullptr) const {
    m.Write("STAVBAS.RUN", run);
    m.Write("STAVBAS.FVN", fvn);
    if (indexed) std::filesystem::copy_file(indexed->dir / "STAVBAS.$AD", m.dir / "STAVBAS.$AD");
  }
  // The first line that a key begins, as reading the file would find it.
  std::string FirstLineOf(const std::string& signum) const {
    const std::string key = SystemUpperCase(Utf8ToCp1252(signum)) + " ";
    std::size_t from = 0;
    while (from < run.size()) {
      const std::size_t end = run.find('\n', from);
      const std::string line = run.substr(from, end - from);
      if (StartsWithNoCase(Utf8ToCp1252(line), key)) return line;
      from = end + 1;
    }
    return "";
  }
};

void ExpectLookupsAsReadingFinds(MiniDb& m, const Files& files) {
  TDatafil& run = m.db.DataFile(m.db.SlotOfExtension("RUN"));
  std::vector<std::string> wanted = files.signums;
  for (const char* s : {"U 5300", "U 4999", "U 5100A", "Sö 61", "Vs 41", "U 5000"})
    wanted.push_back(s);
  std::shuffle(wanted.begin(), wanted.end(), std::mt19937(11));
  for (const std::string& s : wanted) {
    const std::string line = files.FirstLineOf(s);
    const std::uint64_t read = run.linesRead;
    const bool found = m.Find(s);
    EXPECT_EQ(found, !line.empty()) << s;
    if (found && s.rfind("Sm", 0) != 0) {
      EXPECT_EQ(m.Line(1), line) << s;
    }
    if (s[0] == 'U') {
      EXPECT_LE(run.linesRead - read, 2u * SignumIndex::kSpacing) << s << ": the whole group read";
    }
    if (!found) {
      // Left where reading the whole group leaves it: after the next group's first line.
      const std::string key = Utf8ToCp1252(s) + " ";
      EXPECT_EQ(run.lineCounter, run.address()[GroupOf(key) + 1] + 1) << s;
    }
  }
}

TEST(SignumIndex, LookupsFindWhatReadingTheGroupFinds) {
  const Files files;
  MiniDb computed;
  files.WriteInto(computed);
  ASSERT_TRUE(computed.Open());
  ExpectLookupsAsReadingFinds(computed, files);
  // The incomplete file is looked up by the signum as read, its three parts.
  ASSERT_TRUE(computed.Find("U 5002"));
  EXPECT_EQ(computed.Line(2), "");
  ASSERT_TRUE(computed.Find("U 5004"));
  EXPECT_EQ(computed.Line(2), "U 5004 V ord");
  computed.db.Close();

  MiniDb loaded;
  files.WriteInto(loaded, &computed);
  ASSERT_TRUE(loaded.Open());
  ExpectLookupsAsReadingFinds(loaded, files);
  EXPECT_TRUE(loaded.host.boxes.size() == computed.host.boxes.size());
}

TEST(SignumIndex, AFileReadInOrderFirstIsIndexedWhenALookupNeedsIt) {
  // Reading in order needs no index, so the first lookup fills it; the lines it keeps are
  // then reached by their offsets, not by passing the lines before them.
  const Files files;
  MiniDb computed;
  files.WriteInto(computed);
  ASSERT_TRUE(computed.Open());
  computed.db.Close();
  MiniDb loaded;
  files.WriteInto(loaded, &computed);
  ASSERT_TRUE(loaded.Open());
  TDatabas& db = loaded.db;
  const SlotSet runOnly = SlotBit(db.SlotOfExtension("RUN"));
  ASSERT_TRUE(db.PositionAtStart(runOnly));
  for (std::size_t i = 0; i < 20; ++i) {
    ASSERT_TRUE(db.ReadNextInscription(runOnly));
    ASSERT_EQ(loaded.Line(1).rfind(files.signums[i] + " ", 0), 0u) << i;
  }
  // Sö is out of order: a signum later in it is read on from where the file stands, which
  // the index's own pass must leave as it found it.
  TDatafil& run = db.DataFile(db.SlotOfExtension("RUN"));
  std::uint64_t read = run.linesRead;
  ASSERT_TRUE(loaded.Find(files.signums[40]));
  EXPECT_EQ(loaded.Line(1), files.FirstLineOf(files.signums[40]));
  EXPECT_EQ(run.linesRead - read, 21u);  // the 21 lines from the 21st to the 41st signum
  const std::uint64_t skipped = run.linesSkipped;
  for (const char* s : {"U 5290", "U 5001", "U 5150"}) {
    read = run.linesRead;
    ASSERT_TRUE(loaded.Find(s));
    EXPECT_EQ(loaded.Line(1), files.FirstLineOf(s));
    EXPECT_LE(run.linesRead - read, 2u * SignumIndex::kSpacing) << s << ": the whole group read";
  }
  EXPECT_EQ(run.linesSkipped, skipped) << "kept lines reached by passing the lines before them";
  ExpectLookupsAsReadingFinds(loaded, files);
}

}  // namespace
}  // namespace stavbas
