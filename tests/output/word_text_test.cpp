// The words of a record line as the text format writes them: blanks, runic dividers, name
// marks, hits and page marks, and how the pieces fall into styles.

#include <gtest/gtest.h>

#include <random>

#include "base/cp1252.h"
#include "output/word_text.h"

namespace stavbas {
namespace {

using Codes = std::vector<std::uint8_t>;

class WordTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TextStyle style;
    layout.plain = out.StyleId(style);
    style.bold = true;
    layout.word = out.StyleId(style);
    style.color = kRed;
    layout.hit = out.StyleId(style);
  }

  // The staging buffer as its stretches of one style: "p{...}" plain, "w{...}" words,
  // "h{...}" hits.
  std::string Pieces() const {
    std::string s;
    std::size_t start = 0;
    for (const StagingBuffer::Span& span : out.spans()) {
      s += span.style == layout.plain ? 'p' : span.style == layout.word ? 'w' : 'h';
      s += "{" + Cp1252ToUtf8(out.text().substr(start, span.end - start)) + "}";
      start = span.end;
    }
    return s;
  }

  // Writes `line` (UTF-8 here, Windows-1252 in the buffer) with the hit codes (index 0 unused) and
  // returns the pieces; `shown` gets whether anything counted as written.
  std::string Write(std::string_view line, const Codes& codes = {}) {
    out.Clear();
    int lastSpecial = 0;
    for (std::size_t k = 1; k < codes.size(); ++k)
      if (codes[k] == 2 || (codes[k] == 1 && layout.hit != layout.word))
        lastSpecial = static_cast<int>(k);
    shown = WriteWordText(out, Utf8ToCp1252(line), layout, codes, lastSpecial);
    return Pieces();
  }

  StagingBuffer out;
  WordTextLayout layout;
  bool shown = false;
};

TEST_F(WordTextTest, BlanksBetweenWordsStayAsTheyAreButALastBlankGoes) {
  EXPECT_EQ(Write("sten þisi ok"), "w{sten þisi ok}");
  EXPECT_EQ(Write("sten þisi "), "w{sten þisi}");
  // Two blanks hold an empty word, which is written, also at the end.
  EXPECT_EQ(Write("sten  þisi  "), "w{sten  þisi }");
  EXPECT_EQ(Write("  sten"), "w{  sten}");
  // A line of one blank holds one empty word: nothing to see, but something was written.
  EXPECT_EQ(Write(" "), "");
  EXPECT_TRUE(shown);
  EXPECT_EQ(Write(""), "");
  EXPECT_FALSE(shown);
}

TEST_F(WordTextTest, RunicDividersAreNotCountedAndLeadingOnesAreWrittenTogether) {
  layout.runic = true;
  // Word 2 is "þisi": the divider between is no word. Dividers are never hits.
  EXPECT_EQ(Write("sten : þisi + ok", {0, 0, 1, 0}), "w{sten :}h{ þisi}w{ + ok}");
  EXPECT_EQ(Write("sten : þisi + ok", {0, 1, 1, 1}), "h{sten}w{ :}h{ þisi}w{ +}h{ ok}");
  // Dividers before the first word lose their blanks; the first word keeps its blank.
  EXPECT_EQ(Write(": + sten : ok"), "w{:+ sten : ok}");
  EXPECT_EQ(Write("(: [× sten", {0, 1}), "w{(:[×}h{ sten}");
  EXPECT_EQ(Write(": +"), "w{:+}");
  EXPECT_TRUE(shown);
  // A bracket before a word makes no divider; text that is not runic has no dividers.
  EXPECT_EQ(Write("[sten : ok", {0, 0, 1}), "w{[sten :}h{ ok}");
  layout.runic = false;
  EXPECT_EQ(Write(": sten", {0, 0, 1}), "w{:}h{ sten}");
}

TEST_F(WordTextTest, NameMarksAreLeftOutOfNormalisedWordsButNotOutOfPageMarks) {
  layout.dropQuotes = true;
  EXPECT_EQ(Write("\"Sten ræisþi \"\"Ulf\""), "w{Sten ræisþi Ulf}");
  EXPECT_EQ(Write("\"Sten ok \"Ulf", {0, 0, 0, 1}), "w{Sten ok}h{ Ulf}");
  EXPECT_EQ(Write("\"", {0, 1}), "");
  EXPECT_TRUE(shown);
  layout.breakAtMarks = true;
  layout.markBreak = "\r\n";
  EXPECT_EQ(Write("\"a §\"B b", {0, 0, 2, 0}), "w{a}p{ §\"B}w{ b}");
  layout.dropQuotes = false;
  EXPECT_EQ(Write("\"Sten"), "w{\"Sten}");
}

TEST_F(WordTextTest, PageMarksBreakTheLineOrStandInlineAndMayBeHidden) {
  layout.runic = true;
  layout.breakAtMarks = true;
  layout.markBreak = "\r\n";
  const Codes marks{0, 2, 1, 1, 2, 1};
  EXPECT_EQ(Write("§A a : b §B c", marks), "p{§A}h{ a}w{ :}h{ b}p{\r\n§B}h{ c}");
  layout.markBreak = " ";
  EXPECT_EQ(Write("§A a : b §B c", marks), "p{§A}h{ a}w{ :}h{ b}p{ §B}h{ c}");
  // Without line breaks a mark takes the blank a word would.
  layout.breakAtMarks = false;
  EXPECT_EQ(Write("§A a §B c", {0, 2, 0, 2, 0}), "p{§A}w{ a}p{ §B}w{ c}");
  // Hidden marks leave what goes before them; the first word after one keeps its blank.
  layout.breakAtMarks = true;
  layout.markBreak = "\r\n";
  layout.pageMarks = false;
  EXPECT_EQ(Write("§A a §B c", {0, 2, 0, 2, 0}), "w{ a}p{\r\n}w{ c}");
  EXPECT_EQ(Write("§A", {0, 2}), "");
  EXPECT_FALSE(shown);
  // A mark the main file does not have (code 0) is left out with its blank; a word that only
  // contains "§", or that is a hit, is written.
  layout.pageMarks = true;
  EXPECT_EQ(Write("a §X b §Y a§b"), "w{a b a§b}");
  EXPECT_EQ(Write("§X", {}), "");
  EXPECT_FALSE(shown);
  EXPECT_EQ(Write("a §X b", {0, 0, 1}), "w{a}h{ §X}w{ b}");
}

TEST_F(WordTextTest, HitsAfterManyWordsAndHitsThatLookLikeWords) {
  std::string line;
  Codes codes(302, 0);
  for (int k = 1; k <= 300; ++k) line += (k > 1 ? " w" : "w") + std::to_string(k);
  codes[300] = 1;
  codes[299] = 2;
  const std::string pieces = Write(line, codes);
  EXPECT_TRUE(pieces.ends_with("w297 w298}p{ w299}h{ w300}")) << pieces;
  // With no word search the hits take the words' style and the whole line is one piece.
  layout.hit = layout.word;
  EXPECT_EQ(Write("a b c", {0, 1, 1, 1}), "w{a b c}");
  // Codes beyond the last word, or for words past the codes, change nothing.
  EXPECT_EQ(Write("a b c", {0, 1, 1, 1, 1, 1, 2}), "w{a b c}");
}

TEST_F(WordTextTest, LongLinesOfWordsAroundEveryHit) {
  // Words of up to eighteen letters, so that sixteen bytes hold no blank, one or several; an
  // empty word (two blanks), a word with a "§" inside it, which is no page mark, and one that
  // begins with "§" where the main file has no page mark, which is counted but not written.
  std::vector<std::string> words;
  for (int k = 1; k <= 60; ++k)
    words.push_back(
        std::string(static_cast<std::size_t>(1 + (k * 7) % 18), static_cast<char>('a' + k % 26)));
  words[19].clear();
  words[33] = "x§y";
  words[40] = "§Q";
  // The third word's length moves the later words across the sixteen-byte steps of a run
  // that begins with the second.
  for (std::size_t shift = 0; shift < 16; ++shift)
    for (std::size_t hit = 1; hit <= words.size(); ++hit) {
      words[2] = std::string(shift + 1, 'c');
      std::string line;
      for (std::size_t k = 0; k < words.size(); ++k) line += (k > 0 ? " " : "") + words[k];
      Codes codes(words.size() + 2, 0);
      codes[hit] = 1;
      std::string expected;
      char style = 0;
      for (std::size_t k = 1; k <= words.size(); ++k) {
        if (k == 41 && hit != k) continue;
        const char s = k == hit ? 'h' : 'w';
        if (s != style) expected += std::string(style ? "}" : "") + s + "{";
        expected += (k > 1 ? " " : "") + words[k - 1];
        style = s;
      }
      ASSERT_EQ(Write(line, codes), expected + "}") << "hit on word " << hit << ", shift " << shift;
    }
}

// Name marks at every place of lines around the 64-byte steps of the wide copy, with the
// processor's widest way and the narrowest: the same words either way.
TEST_F(WordTextTest, NameMarksLeaveLongLinesAtEveryWidth) {
  layout.dropQuotes = true;
  for (const int width : {64, 16}) {
    LimitWordTextWidth(width);
    for (const std::size_t length : {1, 63, 64, 65, 127, 128, 130, 200}) {
      std::string line;  // words of six letters; no blank at the end, which would go
      for (std::size_t k = 0; k < length; ++k)
        line += k % 7 == 6 && k + 1 < length ? ' ' : static_cast<char>('a' + k % 26);
      for (std::size_t at = 0; at < length; at += 3) {
        std::string marked = line;
        marked[at] = '"';
        if (at + 64 < length) marked[at + 64] = '"';  // one in the next step, at the same place
        std::string expected = marked;
        std::erase(expected, '"');
        ASSERT_EQ(Write(marked), expected.empty() ? "" : "w{" + expected + "}")
            << "width " << width << ", length " << length << ", mark at " << at;
      }
    }
  }
  LimitWordTextWidth(64);
}

// Random lines of words, runic dividers, brackets, page marks and empty words, written with
// random hits and marks through the widest way and the narrowest: the same pieces.
TEST_F(WordTextTest, EveryWidthWritesTheSamePieces) {
  std::mt19937 rng(5);
  const std::vector<std::string> tokens = {"sten", "a",  "þisi", ":", "+",   "×", "(:",    "[×",
                                           "(a",   "[b", "§A",   "§", "a§b", "",  "\"Ulf", "ok]"};
  for (int round = 0; round < 3000; ++round) {
    std::string line;
    const int count = 1 + static_cast<int>(rng() % 60);
    for (int k = 0; k < count; ++k) line += (k > 0 ? " " : "") + tokens[rng() % tokens.size()];
    if (rng() % 4 == 0) line += " ";
    Codes codes(static_cast<std::size_t>(count) + 2, 0);
    for (std::uint8_t& code : codes) code = rng() % 6 == 0 ? 1 + rng() % 2 : 0;
    layout.runic = rng() % 2 == 0;
    layout.dropQuotes = !layout.runic;
    layout.breakAtMarks = rng() % 2 == 0;
    layout.markBreak = "\r\n";
    if (rng() % 3 == 0) layout.hit = layout.word;
    std::string pieces[2];
    bool shownEach[2] = {};
    for (int w = 0; w < 2; ++w) {
      LimitWordTextWidth(w == 0 ? 64 : 16);
      pieces[w] = Write(line, codes);
      shownEach[w] = shown;
    }
    LimitWordTextWidth(64);
    ASSERT_EQ(pieces[0], pieces[1]) << line << (layout.runic ? " (runic)" : "");
    ASSERT_EQ(shownEach[0], shownEach[1]) << line;
    SetUp();  // the hits' own style again
  }
}

}  // namespace
}  // namespace stavbas
