// The walks that pass word positions by the word search's first look, and the flat evaluation
// of simple patterns, against the evaluation of every position by the pattern's elements.

#include <gtest/gtest.h>

#include <random>

#include "base/cp1252.h"
#include "conditions/match_elements.h"
#include "database/word_steps.h"
#include "output/output_fixture.h"
#include "output/streaming_document.h"

namespace stavbas {
namespace {

class WordLookTest : public ::testing::Test, public test::OutputFixture {
 protected:
  // Inscriptions of random words: readings, brackets and other ignorable marks, dividers and
  // page marks (alternative ones too), in the runic and the normalised text; the third file
  // lacks some inscriptions (and may be a word file). Long lines have many words without the
  // searched letters and few marks, so that the walks pass runs of words at once, across
  // sixteen-byte blocks.
  void RandomDatabase(std::mt19937& rng, bool longLines = false, bool wordFile = false) {
    const std::string letters = Utf8ToCp1252(longLines ? "sstaainnSTæbdkruulo" : "sstaainnSTæ");
    const std::string marks = "[]().";
    const std::vector<std::string> dividers = {
        " ·", " :", " +", " ×", " ::", " :+", " ÷", "  ", " (:", " [+"};
    auto one = [&](const std::string& from) { return from[rng() % from.size()]; };
    auto word = [&] {
      std::string w;
      for (int n = 1 + rng() % 7; n > 0; --n)
        w += rng() % (longLines ? 40 : 6) ? one(letters) : one(marks);
      if (rng() % (longLines ? 20 : 6) == 0) w += "/" + std::string(1, one(letters)) + one(letters);
      return w;
    };
    auto line = [&](bool runic) {
      std::string text;
      for (int n = longLines ? 10 + rng() % 40 : 1 + rng() % 9; n > 0; --n) {
        const unsigned kind = rng() % (longLines ? 40 : 12);
        if (kind == 0)
          text += Utf8ToCp1252(rng() % 2 ? " §A" : " §P");
        else if (kind == 1 && runic)
          text += Utf8ToCp1252(dividers[rng() % (longLines ? dividers.size() : 2)]);
        else if (kind == 2 && !runic)
          text += " \"" + word();
        else
          text += " " + word();
        if (longLines && runic && rng() % 2) text += Utf8ToCp1252(dividers[rng() % 3]);
      }
      return text;
    };
    std::string run, nfs, fvn;
    for (int i = 1; i <= 40; ++i) {
      const std::string signum = "U " + std::to_string(i) + " V";
      run += signum + line(true) + "\n";
      nfs += signum + line(false) + "\n";
      if (i % 3) fvn += signum + line(false) + "\n";
    }
    Database(Cp1252ToUtf8(run), Cp1252ToUtf8(nfs), Cp1252ToUtf8(fvn));
    if (wordFile) {  // the third file as a word file: readings, no brackets kept
      dir.WriteText("STAVBAS.FVN", "!/O\n!/F NF\n" + Cp1252ToUtf8(fvn));
      MakeApp();
    }
  }

  // Switches the passing of words between the widest blocks the processor takes and blocks of
  // sixteen bytes, and says whether it was wide: runs either way pass the same words.
  static bool WideBlocks(bool on) {
    const bool was = WordBlockWidth() > 16;
    LimitWordBlockWidth(on ? 64 : 16);
    return was;
  }

  // An all run with a walk switched on and again with it off (`turn(false)` switches it off
  // and returns the setting before): the texts and the word positions each walked.
  struct BothWays {
    std::string with, without;
    long walkedWith = 0, walkedWithout = 0;
  };
  template <typename Turn>
  BothWays RunBothWays(Turn turn) {
    BothWays b;
    long start = app->output.wordPositions;
    b.with = AllRun();
    b.walkedWith = app->output.wordPositions - start;
    const bool before = turn(false);
    start = app->output.wordPositions;
    b.without = AllRun();
    b.walkedWithout = app->output.wordPositions - start;
    turn(before);
    return b;
  }

  // The run's text, each styled run marked with its style.
  std::string AllRun() {
    window.Clear();
    app->run.AllRun();
    std::string out;
    for (const StyledRun& r : window.Runs())
      out += "<" + std::to_string(r.style.color) + (r.style.bold ? "b" : "") +
             (r.style.italic ? "i" : "") + std::to_string(r.style.size) + ">" +
             Cp1252ToUtf8(r.text);
    return out;
  }
};

TEST_F(WordLookTest, LooksAndFlatPatternsNeverChangeARun) {
  std::mt19937 rng(41);
  const std::vector<std::string> pieces = {"s", "s", "t", "a",   "n",   "S",  "#K", "#V",
                                           ".", "*", "=", "sta", "ain", "st", "un", "ku"};
  const std::vector<std::string> formats = {">.$ RUN", "$ RUN NFS FVN", "ß$ RUN", "ß/$ NFS FVN",
                                            ">.$ NFS"};
  int runs = 0;
  int hitRuns = 0;
  int endedEarly = 0;
  for (int database = 0; database < 7; ++database) {
    RandomDatabase(rng, database >= 4, database == 6);
    for (int k = 0; k < 40; ++k) {
      std::string pattern = rng() % 4 == 0 ? "_" : "";
      for (int n = 1 + rng() % 3; n > 0; --n) pattern += pieces[rng() % pieces.size()];
      if (rng() % 4 == 0) pattern += "_";
      const char* file = rng() % 3 == 0 ? "FVN:" : rng() % 2 ? "RUN:" : "NFS:";
      std::string code = file + pattern;
      if (rng() % 5 == 0) code += " & FVN:a";  // two files walked, the look at neither alone
      if (!app->conditions.ParseWordSearchCode(code)) continue;
      const std::string format = Utf8ToCp1252(formats[rng() % formats.size()]);
      ASSERT_TRUE(app->format.Validate(format));
      // The walk with the look numbers no position more; it numbers fewer where it ends
      // once the searched file has ended, with no position left that can hold.
      const BothWays b = RunBothWays(CompiledPattern::SetQuickLooksForTesting);
      ASSERT_EQ(b.with, b.without)
          << code << " in format " << format << " (database " << database << ")";
      ASSERT_LE(b.walkedWith, b.walkedWithout) << code << " in format " << format;
      endedEarly += b.walkedWith < b.walkedWithout;
      const BothWays blocks = RunBothWays(WideBlocks);
      ASSERT_EQ(blocks.with, blocks.without) << code << " in format " << format;
      ASSERT_EQ(blocks.walkedWith, blocks.walkedWithout) << code << " in format " << format;
      ++runs;
      hitRuns += b.with.find("<" + std::to_string(kRed)) != std::string::npos;
    }
  }
  EXPECT_GT(runs, 210);
  EXPECT_GT(hitRuns, 60);  // the codes do find words
  EXPECT_GT(endedEarly, 20);
}

// The main file's page marks where the main file is not the searched one: its words fall
// behind the searched file's, and the walk knows where its marks stand. A hit right after a
// mark, marks side by side, and a mark after the searched line has ended.
TEST_F(WordLookTest, PageMarksOfAMainFileBehindTheSearchedOne) {
  Database(
      "U 1 V saantsæ TsaT sætsn ] tt sSnt nnssaT\n"
      "U 2 V sSa tt sSa tt sSa\n"
      "U 3 V tt sSa\n"
      "U 4 V sSa tt tt tt sSa\n",
      "U 1 V §A nSin[n a taaan [n \"t\n"
      "U 2 V a §A §P b c d\n"
      "U 3 V a b c §P d\n"
      "U 4 V §A b §P d e\n");
  ASSERT_TRUE(app->conditions.ParseWordSearchCode("RUN:s#Ka"));
  for (const char* format : {">.$ NFS", "$ RUN NFS", "ß/$ NFS"}) {
    ASSERT_TRUE(app->format.Validate(Utf8ToCp1252(format)));
    const BothWays b = RunBothWays(CompiledPattern::SetQuickLooksForTesting);
    EXPECT_EQ(b.with, b.without) << format;
  }
  ASSERT_TRUE(app->format.Validate(Utf8ToCp1252(">.$ NFS")));
  AllRun();
  // U 1: its last word; U 2: its first, and its fifth word after the two marks; U 3: its
  // second word; U 4: its fifth word, after a mark that the look would have passed.
  EXPECT_NE(Text().find("5 ord (belägg) i 4 inskrifter"), std::string::npos) << Text();
}

// Without a word search, the text formats' walk steps only the main file for its page marks
// and counts the other files' words: the run is the same as where every position is evaluated.
TEST_F(WordLookTest, TheWalkWithoutASearchChangesNoRun) {
  std::mt19937 rng(7);
  const std::vector<std::string> formats = {">.$ RUN", "$ RUN NFS FVN", ">$ NFS FVN", "$ FVN RUN",
                                            "$ RUN NFS"};
  int runs = 0;
  for (int database = 0; database < 7; ++database) {
    RandomDatabase(rng, database >= 4, database == 6);
    ASSERT_TRUE(app->conditions.ParseWordSearchCode(""));
    for (const std::string& format : formats) {
      ASSERT_TRUE(app->format.Validate(Utf8ToCp1252(format)));
      const BothWays b = RunBothWays(Visit::SetEveryPositionWalkForTesting);
      ASSERT_EQ(b.with, b.without) << format << " (database " << database << ")";
      ASSERT_EQ(b.walkedWith, b.walkedWithout) << format << " (database " << database << ")";
      const BothWays blocks = RunBothWays(WideBlocks);
      ASSERT_EQ(blocks.with, blocks.without) << format << " (database " << database << ")";
      ASSERT_EQ(blocks.walkedWith, blocks.walkedWithout) << format;
      ++runs;
    }
  }
  EXPECT_EQ(runs, 35);
}

// A window that hands its text on without styles is written with hits in the words' style,
// so that the word text passes the words after a line's last page mark together: its text is
// still the text of a window that shows the hits.
TEST_F(WordLookTest, AWindowWithoutStylesGetsTheSameText) {
  std::mt19937 rng(23);
  const std::vector<std::string> codes = {"RUN:s",  "NFS:_sa", "RUN:#Ka",      "FVN:a*n",
                                          "NFS:n_", "RUN:st",  "RUN:a & NFS:s"};
  const std::vector<std::string> formats = {">.$ RUN NFS FVN", ">.$ RUN",     "$ RUN NFS FVN",
                                            "ß$ RUN",          "ß/$ NFS FVN", ">$ NFS FVN"};
  int hitRuns = 0;
  for (int database = 0; database < 5; ++database) {
    RandomDatabase(rng, database >= 3, database == 4);
    std::string handedOn;
    StreamingDocument plain(
        [&handedOn](std::string_view text, const std::vector<StyledPiece>&) { handedOn += text; },
        false);
    StavbasApp other(host, plain, settings, "");
    other.db.checkAtOpening = nullptr;
    ASSERT_TRUE(other.Open());
    for (const std::string& code : codes) {
      ASSERT_TRUE(app->conditions.ParseWordSearchCode(code));
      ASSERT_TRUE(other.conditions.ParseWordSearchCode(code));
      for (const std::string& format : formats) {
        ASSERT_TRUE(app->format.Validate(Utf8ToCp1252(format)));
        ASSERT_TRUE(other.format.Validate(Utf8ToCp1252(format)));
        window.Clear();
        app->run.AllRun();
        handedOn.clear();
        plain.Clear();
        other.run.AllRun();
        plain.HandOnAll();
        ASSERT_EQ(handedOn, window.Text()) << code << " in format " << format;
        hitRuns += window.Text().find(Utf8ToCp1252("belägg")) != std::string::npos;
      }
    }
  }
  EXPECT_GT(hitRuns, 100);  // the codes do find words
}

}  // namespace
}  // namespace stavbas
