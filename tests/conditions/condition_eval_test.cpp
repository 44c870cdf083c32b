// Evaluating conditions: which texts each atom tests and how patterns match them.

#include <gtest/gtest.h>

#include <random>

#include "conditions/condition_fixture.h"

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
