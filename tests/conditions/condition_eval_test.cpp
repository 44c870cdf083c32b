// Evaluating conditions: which texts each atom tests and how patterns match them.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "conditions/condition_fixture.h"
#include "conditions/match_memo.h"

namespace stavbas {
namespace {

using Strings = std::vector<std::string>;

class ConditionEvalTest : public ::testing::Test, public test::ConditionFixture {};

TEST_F(ConditionEvalTest, BracketsAreIgnorableUnlessExactOrAdjacent) {
  Record("s[t]in", "Stæin");
  EXPECT_TRUE(Holds("RUN%:stin"));
  EXPECT_FALSE(Holds("RUN%:s@tin"));
  EXPECT_FALSE(Holds("RUN%:=stin"));
  EXPECT_TRUE(Holds("RUN%:=s[t]in"));
  EXPECT_TRUE(Holds("RUN%:s\\[t"));
}

TEST_F(ConditionEvalTest, FoldingAndClasses) {
  Record("x", "Stæin");
  EXPECT_FALSE(Holds("NFS%:stain"));
  EXPECT_TRUE(Holds("NFS%:st#Vin"));
  EXPECT_TRUE(Holds("NFS%:STÆIN"));
  EXPECT_TRUE(Holds("NFS%:stäin"));  // ä and æ fold together
  EXPECT_FALSE(Holds("NFS%:st#Kin"));
  EXPECT_TRUE(Holds("NFS%:#K#K#V#V#K"));
  EXPECT_FALSE(Holds("NFS%:=stæin"));  // exact: the capital S differs
  EXPECT_TRUE(Holds("NFS%:=Stæin"));
}

TEST_F(ConditionEvalTest, WordBoundaries) {
  Record("stenar sten", "stenar");
  EXPECT_TRUE(Holds("RUN%:_sten_"));
  EXPECT_FALSE(Holds("NFS%:_sten_"));
  EXPECT_TRUE(Holds("NFS%:_sten"));
  EXPECT_FALSE(Holds("NFS%:tenar_x"));
  EXPECT_TRUE(Holds("NFS%:nar_"));
  Record("a kub/kuþ b", "x");
  EXPECT_TRUE(Holds("RUN%:_kuþ_"));  // through the second reading
  EXPECT_TRUE(Holds("RUN%:_kub_"));
  EXPECT_TRUE(Holds("RUN%:a_kub"));
}

TEST_F(ConditionEvalTest, JoiningAndNegation) {
  Record("a", "b");
  EXPECT_TRUE(Holds("RUN%:a & NFS%:x + NFS%:b"));  // a and (x or b)
  EXPECT_FALSE(Holds("{RUN%:x & NFS%:x} + NFS%:x"));
  EXPECT_TRUE(Holds("{RUN%:a & NFS%:b} + NFS%:x"));
  EXPECT_FALSE(Holds("RUN%:x & NFS%:b + NFS%:b"));
  EXPECT_FALSE(Holds("-RUN%:a"));
  EXPECT_TRUE(Holds("--RUN%:a"));
  EXPECT_TRUE(Holds("-RUN%:x & NFS%:b"));
}

TEST_F(ConditionEvalTest, SignumAndItsParts) {
  Record("a", "a", "", "U 344 M ");
  EXPECT_TRUE(Holds("$:U_3"));
  EXPECT_TRUE(Holds("$:_U_344_"));
  EXPECT_TRUE(Holds("$:u_344"));  // folded
  EXPECT_TRUE(Holds("$1:=U"));
  EXPECT_TRUE(Holds("$2:_344"));
  // A part's text ends at the blank after it: a final "_" looks into the next part, which lies
  // beyond the end of the text.
  EXPECT_FALSE(Holds("$2:_344_"));
  EXPECT_TRUE(Holds("$3:M"));
  EXPECT_FALSE(Holds("$3:U"));
  Record("a", "a", "", "U 3445 V ");
  EXPECT_FALSE(Holds("$:_U_344_"));
  EXPECT_TRUE(Holds("$:_U_3445_"));
}

TEST_F(ConditionEvalTest, InformationFields) {
  Record("a", "a",
         "\x10Uppsala\x10\x13Vaksala\x13\x18"
         "6614523;1602345\x18");
  EXPECT_TRUE(Holds("INF:vaksala"));
  EXPECT_TRUE(Holds("INF;*:uppsala"));
  EXPECT_TRUE(Holds("INF;S:vaksala"));
  EXPECT_FALSE(Holds("INF;P:vaksala"));
  EXPECT_TRUE(Holds("INF;x:6614523\\;"));
  EXPECT_FALSE(Holds("INF;Q:a"));
  EXPECT_TRUE(Holds("INF;Q:a/"));  // an empty alternative matches every text, also an empty one
  EXPECT_TRUE(Holds("INF%:uppsala*vaksala"));
}

TEST_F(ConditionEvalTest, WordSearchPositions) {
  Record("sten : ar ok stenar", "sten ar ok stenar");
  EXPECT_EQ(WordHits(""), (Strings{"sten", "ar", "ok", "stenar"}));
  EXPECT_EQ(WordHits("RUN:sten_ar"), Strings{"sten"});
  EXPECT_EQ(WordHits("RUN:n_a"), (Strings{"sten"}));  // across the divider token
  EXPECT_EQ(WordHits("RUN:sten"), (Strings{"sten", "stenar"}));
  EXPECT_EQ(WordHits("RUN:sten_"), (Strings{"sten"}));
  EXPECT_EQ(WordHits("RUN:_ar"), (Strings{"ar"}));
  EXPECT_EQ(WordHits("NFS:ok & RUN%:stenar"), (Strings{"ok"}));
  EXPECT_EQ(WordHits("-NFS:s"), (Strings{"ar", "ok"}));
}

TEST_F(ConditionEvalTest, ReadingsAndProperNames) {
  Record("a kuþ/kub c", "\"Asa guð/\"Guð [\"Sven]");
  EXPECT_EQ(WordHits("RUN:_kub_"), Strings{"kuþ/kub"});
  EXPECT_EQ(WordHits("NFS:\""), (Strings{"\"Asa", "guð/\"Guð", "[\"Sven]"}));
  // The first reading of guð/"Guð is no proper name, so the negation passes there.
  EXPECT_EQ(WordHits("-NFS:\""), Strings{"guð/\"Guð+"});
  EXPECT_EQ(WordHits("NFS:guð"), (Strings{"guð/\"Guð+"}));
  EXPECT_EQ(WordHits("NFS:=Guð"), (Strings{"guð/\"Guð"}));
}

TEST_F(ConditionEvalTest, ManyStarsStayFast) {
  // Backtracking over every way to place the stars would never end; failures are remembered.
  Record(std::string(2000, 'a'), "a");
  EXPECT_FALSE(Holds("RUN%:a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b"));
  EXPECT_TRUE(Holds("RUN%:a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a"));
  EXPECT_FALSE(Holds("RUN%:{a/aa}*{a/aa}*{a/aa}*{a/aa}*{a/aa}*{a/aa}*{a/aa}*b"));
}

// The plain patterns (letters only) against a straightforward search: fold the text, drop the
// ignorable characters and look for the folded pattern; with "=" look for it as it stands.
TEST_F(ConditionEvalTest, PlainPatternsAgreeWithAStraightforwardSearch) {
  const std::string alphabet = Utf8ToCp1252("aAbBsStTnNæÆäÄöÖøØåÅéÉ:[]().,· ");
  const std::string letters = Utf8ToCp1252("abstnæäöøåéASTÆÖØ");
  std::mt19937 rng(7);
  auto pick = [&](const std::string& from, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += from[rng() % from.size()];
    return out;
  };
  int matches = 0;
  for (int round = 0; round < 150; ++round) {
    std::string text = pick(alphabet, 1 + rng() % 40);
    while (!text.empty() && (text.front() == ' ' || text.back() == ' ')) text.erase(0, 1);
    if (text.empty()) text = "a";
    Record(Cp1252ToUtf8(text), Cp1252ToUtf8(text));
    for (int k = 0; k < 12; ++k) {
      const std::string pattern = pick(letters, 1 + rng() % 3);
      const bool exact = k % 3 == 0;
      for (const char* file : {"RUN", "NFS"}) {
        const ByteTable& t = std::string(file) == "RUN" ? RunicCompare() : NormalisedCompare();
        bool expected;
        if (exact) {
          expected = text.find(pattern) != std::string::npos;
        } else {
          std::string folded, wanted;
          for (char c : text)
            if (t[(unsigned char)c] != 0) folded += static_cast<char>(t[(unsigned char)c]);
          for (char c : pattern) wanted += static_cast<char>(t[(unsigned char)c]);
          expected = folded.find(wanted) != std::string::npos;
        }
        const std::string code =
            std::string(file) + "%:" + (exact ? "=" : "") + Cp1252ToUtf8(pattern);
        EXPECT_EQ(Holds(code), expected) << code << " on " << Cp1252ToUtf8(text);
        matches += expected;
      }
    }
  }
  EXPECT_GT(matches, 100);  // the texts and patterns do meet
}

}  // namespace
}  // namespace stavbas

namespace stavbas {
namespace {

// Patterns that backtrack: alternatives with a shared rest, runs of ignorable characters
// compared exactly, long runs of dots in a word. Each evaluation stays within a few steps per
// element and text position (without the memo these took minutes to forever).
class BacktrackingTest : public ::testing::Test, public test::ConditionFixture {
 protected:
  // Steps of the evaluations `run` makes.
  template <typename Run>
  std::uint64_t Steps(Run&& run) {
    const std::uint64_t before = MatchMemo::StepsForTesting();
    run();
    return MatchMemo::StepsForTesting() - before;
  }
};

TEST_F(BacktrackingTest, AlternativesWithASharedRest) {
  std::string groups;
  for (int i = 0; i < 34; ++i) groups += "{#X/#X}";
  const std::string field(60, 'k');
  Record("a", "a", "\x08" + field + "\x08");  // field H
  const std::string code = "INF;H:" + groups + "Q";
  ASSERT_LT(code.size(), 255u);
  bool found = true;
  const std::uint64_t steps = Steps([&] { found = Holds(code); });
  EXPECT_FALSE(found);
  EXPECT_LT(steps, 64u * code.size() * field.size()) << steps;
  Record("a", "a", "\x08" + field + "q\x08");
  EXPECT_TRUE(Holds(code));
}

TEST_F(BacktrackingTest, RunsOfIgnorableCharactersComparedExactly) {
  std::string dividers;
  for (int i = 0; i < 1000; ++i) dividers += "·";  // 1000 middle dots, ignorable in runic text
  std::string pattern;
  for (int i = 0; i < 120; ++i) pattern += "·";
  Record("a" + dividers + "b", "a");
  bool found = true;
  const std::uint64_t steps = Steps([&] { found = Holds("RUN%:" + pattern + "x"); });
  EXPECT_FALSE(found);
  EXPECT_LT(steps, 64u * 122 * 1003) << steps;
  EXPECT_TRUE(Holds("RUN%:a" + pattern + "b"));
  EXPECT_TRUE(Holds("RUN%:" + pattern + "b"));
}

TEST_F(BacktrackingTest, AWordSearchOverARunOfDots) {
  const std::string dots(1500, '.');
  Record("x gu" + dots + " y", "x gu" + dots + " y");
  std::vector<std::string> hits;
  const std::uint64_t steps =
      Steps([&] { hits = WordHits("NFS:gu" + std::string(240, '.') + "a"); });
  EXPECT_TRUE(hits.empty());
  EXPECT_LT(steps, 64u * 248 * 1510) << steps;
  EXPECT_EQ(WordHits("NFS:gu" + std::string(240, '.') + "_y").size(), 1u);
}

// The memo only saves work: with it from the first step, and without it, every random code
// gives the same result on random texts (words with readings, dividers, page marks).
TEST_F(BacktrackingTest, TheMemoNeverChangesAResult) {
  // Ignorable characters compared exactly ([ ] · in runic text) or folded, words and readings.
  const std::string codeChars = "aabb[]\xB7\xB7.(_*@=/{}#KVX\\";
  const std::string textChars = "aabb:.[]\xB7\xB7 /\xA7";
  std::mt19937 rng(17);
  auto pick = [&](const std::string& from, std::size_t n) {
    std::string out;
    for (std::size_t i = 0; i < n; ++i) out += from[rng() % from.size()];
    return out;
  };
  int passing = 0;
  for (int round = 0; round < 150; ++round) {
    std::string text = pick(textChars, 1 + rng() % 24);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    while (!text.empty() && text.front() == ' ') text.erase(0, 1);
    if (text.empty()) text = "a";
    Record(Cp1252ToUtf8(text), Cp1252ToUtf8(text));
    for (int k = 0; k < 20; ++k) {
      const std::string pattern = pick(codeChars, 1 + rng() % 14);
      for (const char* file : {"RUN%:", "NFS%:", "NFS:", "RUN:", "$:"}) {
        const std::string code = Cp1252ToUtf8(file + pattern);
        const bool words = std::string(file).find('%') == std::string::npos && file[0] != '$';
        std::vector<std::string> results;
        const std::size_t normal = MatchMemo::SetBudgetForTesting(0);
        for (const std::size_t budget : {std::size_t{0}, SIZE_MAX, std::size_t{3}}) {
          MatchMemo::SetBudgetForTesting(budget);
          std::string r;
          if (words) {
            for (const std::string& hit : WordHits(code)) r += hit + "|";
          } else {
            r = Holds(code) ? "yes" : "no";
          }
          results.push_back(r);
        }
        MatchMemo::SetBudgetForTesting(normal);
        EXPECT_EQ(results[0], results[1]) << code << " on " << Cp1252ToUtf8(text);
        EXPECT_EQ(results[2], results[1]) << code << " on " << Cp1252ToUtf8(text);
        passing += results[1] == "yes" || (words && !results[1].empty());
      }
    }
  }
  EXPECT_GT(passing, 300);  // the codes and texts do meet
}

// The quick looks at a word (a first element sure to fail, sixteen bytes compared at once)
// only save work: every random word search finds the same words with them and without. The
// words are long enough to cross sixteen-byte edges, often begin with marks that are passed
// over, and the line's rest after each word holds the letters searched for.
TEST_F(BacktrackingTest, QuickLooksNeverChangeAHit) {
  const std::vector<std::string> pieces = {"s", "s", "t", "n", "a", "S", "#K", "#V", ".", "*"};
  const std::string marks = Utf8ToCp1252("[(.:·");
  const std::string letters = Utf8ToCp1252("sstnaaSNnæ");
  std::mt19937 rng(23);
  auto one = [&](const std::string& from) { return from[rng() % from.size()]; };
  int hits = 0;
  for (int round = 0; round < 200; ++round) {
    std::string text;
    for (int w = 1 + rng() % 6; w > 0; --w) {
      if (!text.empty()) text += rng() % 3 ? " " : Utf8ToCp1252(" · ");
      if (rng() % 3 == 0) text += one(marks);
      for (int n = 1 + rng() % 24; n > 0; --n) text += rng() % 8 ? one(letters) : one(marks);
      if (rng() % 5 == 0) text += "/" + std::string(1, one(letters));
    }
    Record(Cp1252ToUtf8(text), Cp1252ToUtf8(text));
    for (int k = 0; k < 16; ++k) {
      std::string pattern = rng() % 3 == 0 ? "_" : "";
      if (rng() % 4 == 0) pattern += "=";
      for (int n = 1 + rng() % 4; n > 0; --n) pattern += pieces[rng() % pieces.size()];
      if (rng() % 4 == 0) pattern += "_";
      for (const char* file : {"RUN:", "NFS:"}) {
        const std::string code = Cp1252ToUtf8(file + pattern);
        std::string with, without;
        for (const std::string& hit : WordHits(code)) with += hit + "|";
        const bool before = CompiledPattern::SetQuickLooksForTesting(false);
        for (const std::string& hit : WordHits(code)) without += hit + "|";
        CompiledPattern::SetQuickLooksForTesting(before);
        EXPECT_EQ(with, without) << code << " on " << Cp1252ToUtf8(text);
        hits += !with.empty();
      }
    }
  }
  EXPECT_GT(hits, 1000);  // the codes and texts do meet
}

}  // namespace
}  // namespace stavbas
