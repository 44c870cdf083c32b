// The data-file check's summary of a line's words against the word walk it stands in for.

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "database/check_words.h"
#include "database/word_files.h"
#include "mini_db.h"

namespace stavbas {
namespace {

using test::MiniDb;
using test::RecordingHost;

constexpr std::size_t kLimit = 254;

// Puts raw Windows-1252 bytes (NUL bytes allowed) into a file object as its current line.
void SetRawLine(TKombifil& f, const std::string& bytes) {
  std::memcpy(f.Buffer(), bytes.data(), bytes.size());
  f.Buffer()[bytes.size()] = '\0';
  f.BufferLength() = bytes.size();
  f.TakeBuffer();
}

// What the word walk shows of the line: the words, and whether one is empty or too long.
struct Walked {
  std::vector<std::string> words;
  bool plain = true;
};

Walked Walk(TKombifil& f) {
  Walked w;
  f.FirstWord();
  while (f.NextWord()) {
    w.words.emplace_back(f.Word());
    if (f.Word().empty() || f.Word().size() > kLimit) w.plain = false;
  }
  return w;
}

// Random lines of runic and normalised text: words, readings, brackets, dividers (alone and
// behind brackets), page marks, empty words, trailing blanks, NUL bytes, over-long words and
// lines longer than sixteen bytes in every alignment.
std::string RandomLine(std::mt19937& rng) {
  static const char* const kTokens[] = {"a",
                                        "stain",
                                        "kuml/kumbl",
                                        "[a]ft",
                                        "ft]ir",
                                        "\xA7"
                                        "A",
                                        "\xA7"
                                        "B2",
                                        ":",
                                        "\xB7",
                                        "+",
                                        "(:",
                                        "[\xB7",
                                        "((",
                                        "[",
                                        "\"Ulf,",
                                        "x:y",
                                        "\xD7"
                                        "c",
                                        "",
                                        "\xF7",
                                        "sun/",
                                        "/"};
  std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(kTokens)) - 1);
  std::uniform_int_distribution<int> count(0, 40);
  std::string line = "U 1 V ";
  const int n = count(rng);
  for (int i = 0; i < n; ++i) {
    if (i > 0) line += ' ';
    const int r = static_cast<int>(rng() % 100);
    if (r == 0)
      line += std::string(kLimit + rng() % 2, 'w');  // at the limit or one past it
    else
      line += kTokens[pick(rng)];
  }
  const int tail = static_cast<int>(rng() % 20);
  if (tail == 0) line += ' ';
  if (tail == 1) line += std::string("\0 b", 3);  // a NUL ends the words
  return line;
}

// The summary where the processor classes the bytes, and the portable one, agree.
void ExpectSameSummary(const WordSummary& a, const WordSummary& b) {
  EXPECT_EQ(a.plain, b.plain);
  if (!a.plain || !b.plain) return;
  EXPECT_EQ(a.count, b.count);
  EXPECT_TRUE(a.SameWordsAs(b));
}

// The summary at each width the processor takes (a narrower one stands in otherwise), against
// the portable one and the word walk.
class SummaryWidth : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override { LimitSummaryWidth(GetParam()); }
  void TearDown() override { LimitSummaryWidth(64); }
};
INSTANTIATE_TEST_SUITE_P(CheckWords, SummaryWidth, ::testing::Values(64, 32));

TEST_P(SummaryWidth, TheSummaryAgreesWithTheWordWalkOfEveryWordFileKind) {
  RecordingHost host;
  Ui ui(host);
  std::vector<std::unique_ptr<TDatafil>> files;
  files.push_back(std::make_unique<TRuntextFil>(ui));
  files.push_back(std::make_unique<TNormtextFil>(ui));
  files.push_back(std::make_unique<TSokFil>(ui, kRunsok));
  files.push_back(std::make_unique<TSokFil>(ui, kNormsok));
  std::mt19937 rng(7);
  int plainLines = 0, markedLines = 0;
  for (int i = 0; i < 4000; ++i) {
    const std::string line = RandomLine(rng);
    for (auto& f : files) {
      SetRawLine(*f, line);
      WordSummary s, portable;
      ASSERT_TRUE(SummariseWords(*f, kLimit, s));
      ASSERT_TRUE(SummariseWordsPortable(*f, kLimit, portable));
      const Walked w = Walk(*f);
      SCOPED_TRACE("kind " + std::to_string(f->kind()) + ": " + line);
      ExpectSameSummary(s, portable);
      // A plain summary stands for the walk, so the walk must find nothing either; a line
      // the walk finds nothing in is plain unless it has more page marks than are kept.
      if (!w.plain) {
        EXPECT_FALSE(s.plain);
        continue;
      }
      if (!s.plain) {
        EXPECT_GT(std::count_if(w.words.begin(), w.words.end(),
                                [](const std::string& x) { return x[0] == '\xA7'; }),
                  WordSummary::kMaxMarks);
        continue;
      }
      ++plainLines;
      EXPECT_EQ(s.count, static_cast<int>(w.words.size()));
      std::vector<std::pair<int, std::string>> marks, walkedMarks;
      for (int m = 0; m < s.marks; ++m) marks.emplace_back(s.markAt[m], s.markText[m]);
      for (std::size_t k = 0; k < w.words.size(); ++k)
        if (w.words[k][0] == '\xA7') walkedMarks.emplace_back(static_cast<int>(k), w.words[k]);
      EXPECT_EQ(marks, walkedMarks);
      if (!marks.empty()) ++markedLines;
    }
  }
  // The lines exercised both outcomes and page marks.
  EXPECT_GT(plainLines, 1000);
  EXPECT_GT(markedLines, 200);
}

// Every byte at the start of a runic token, alone, before a word, behind a bracket and after
// a page mark, in every place of a 64-byte stretch: dividers are told from words as the walk
// tells them.
TEST_P(SummaryWidth, EveryByteBeginsATokenAsTheWalkHasIt) {
  RecordingHost host;
  Ui ui(host);
  TRuntextFil f(ui);
  for (int c = 1; c < 256; ++c) {
    if (c == ' ') continue;
    const std::string b(1, static_cast<char>(c));
    for (std::size_t pad = 0; pad < 70; pad += 13) {
      const std::string mark = "\xA7";
      const std::string line = "U 1 V " + std::string(pad, 'p') + " " + b + " w " + b + "x " +
                               mark + "1 (" + b + " [" + b + "y z " + mark + b;
      SetRawLine(f, line);
      WordSummary s, portable;
      ASSERT_TRUE(SummariseWords(f, kLimit, s));
      ASSERT_TRUE(SummariseWordsPortable(f, kLimit, portable));
      const Walked w = Walk(f);
      SCOPED_TRACE("byte " + std::to_string(c) + ", after " + std::to_string(pad));
      ExpectSameSummary(s, portable);
      if (!w.plain) {
        EXPECT_FALSE(s.plain);
        continue;
      }
      ASSERT_TRUE(s.plain);
      EXPECT_EQ(s.count, static_cast<int>(w.words.size()));
      int marks = 0;
      for (std::size_t k = 0; k < w.words.size(); ++k) {
        if (w.words[k][0] != '\xA7') continue;
        ASSERT_LT(marks, s.marks);
        EXPECT_EQ(s.markAt[static_cast<std::size_t>(marks)], static_cast<int>(k));
        EXPECT_EQ(s.markText[static_cast<std::size_t>(marks++)], w.words[k]);
      }
      EXPECT_EQ(marks, s.marks);
    }
  }
}

TEST(CheckWords, KindsWithoutWordsAreLeftToTheWalk) {
  RecordingHost host;
  Ui ui(host);
  for (int kind : {kInfotext, kInfotext2, kHeltext}) {
    std::unique_ptr<TDatafil> f = MakeDataFile(ui, kind);
    SetRawLine(*f, "U 1 V a b");
    WordSummary s;
    EXPECT_FALSE(SummariseWords(*f, kLimit, s)) << kind;
  }
}

TEST(CheckWords, SummariesDifferOnCountsMarksAndTheirPlaces) {
  RecordingHost host;
  Ui ui(host);
  TNormtextFil a(ui), b(ui);
  auto same = [&](const std::string& x, const std::string& y) {
    SetRawLine(a, x);
    SetRawLine(b, y);
    WordSummary sa, sb;
    EXPECT_TRUE(SummariseWords(a, kLimit, sa) && SummariseWords(b, kLimit, sb));
    return sa.SameWordsAs(sb);
  };
  EXPECT_TRUE(
      same("U 1 V a \xA7"
           "A b",
           "U 1 V x \xA7"
           "A y"));
  EXPECT_FALSE(same("U 1 V a b", "U 1 V a b c"));
  EXPECT_FALSE(
      same("U 1 V a \xA7"
           "A b",
           "U 1 V a \xA7"
           "B b"));
  EXPECT_FALSE(
      same("U 1 V a \xA7"
           "A b",
           "U 1 V \xA7"
           "A a b"));
  EXPECT_FALSE(
      same("U 1 V a \xA7"
           "A b",
           "U 1 V a c b"));
}

// More page marks than a summary keeps, in step and out of step in the last one: the check
// passes the first and words the fault of the second as the walk finds it.
TEST(CheckWords, TheCheckWalksTheWordsWhereASummaryCannotTell) {
  std::string marks, other;
  for (int i = 0; i < WordSummary::kMaxMarks + 2; ++i) {
    marks += " w §" + std::to_string(i);
    other += " w §" + std::to_string(i == WordSummary::kMaxMarks + 1 ? 99 : i);
  }
  std::string many;  // more words than an inscription may have, in both files
  for (int i = 0; i < 255; ++i) many += " w";
  MiniDb m;
  m.Write("STAVBAS.RUN", "U 1 V" + marks + "\nU 2 V" + other + "\nU 3 V" + many + "\n");
  m.Write("STAVBAS.NFS", "U 1 V" + marks + "\nU 2 V" + marks + "\nU 3 V" + many + "\n");
  ASSERT_TRUE(m.Open());
  m.host.Clear();
  EXPECT_FALSE(CheckDataFiles(m.db, false));
  const std::vector<std::string> lines = m.host.Lines();
  const std::vector<std::string> faults = {"U 2 V : Olika sidmarkeringar:", " STAVBAS.NFS: §9",
                                           " STAVBAS.RUN: §99", "U 3 V : För många ord: 255"};
  auto it = std::search(lines.begin(), lines.end(), faults.begin(), faults.end() - 1);
  EXPECT_NE(it, lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), faults.back()), lines.end());
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.rfind("U 1 V", 0) == 0; }),
            0);
}

}  // namespace
}  // namespace stavbas
