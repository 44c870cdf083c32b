// Splitting records into words, readings and brackets, by file kind.

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "database/info_file.h"
#include "database/word_files.h"
#include "database/word_steps.h"
#include "mini_db.h"

namespace stavbas {
namespace {

using test::RecordingHost;
using test::SetLine;

std::vector<std::string> Words(TKombifil& f, bool wordText = false) {
  std::vector<std::string> out;
  f.FirstWord();
  while (f.NextWord()) out.push_back(Cp1252ToUtf8(wordText ? f.WordText() : std::string(f.Word())));
  return out;
}

using Strings = std::vector<std::string>;

TEST(Words, RunicDividersAreSkipped) {
  RecordingHost host;
  Ui ui(host);
  TRuntextFil run(ui);
  SetLine(run, "U 1 V sten : þisi · ok");
  EXPECT_EQ(Words(run), (Strings{"sten", "þisi", "ok"}));
  SetLine(run, "U 1 V (: a [· b ÷ ×c ¤ d");
  EXPECT_EQ(Words(run), (Strings{"a", "b", "d"}));
  // A trailing divider leaves no word behind it.
  SetLine(run, "U 1 V a :");
  EXPECT_EQ(Words(run), (Strings{"a"}));
}

TEST(Words, EmptyWordsAndTheLastWord) {
  RecordingHost host;
  Ui ui(host);
  for (int kind : {kRuntext, kNormtext, kRunsok}) {
    std::unique_ptr<TDatafil> f = kind == kRuntext ? std::unique_ptr<TDatafil>(new TRuntextFil(ui))
                                  : kind == kNormtext
                                      ? std::unique_ptr<TDatafil>(new TNormtextFil(ui))
                                      : std::make_unique<TSokFil>(ui, kind);
    SetLine(*f, "U 1 V a  b");
    f->FirstWord();
    ASSERT_TRUE(f->NextWord());
    EXPECT_EQ(f->Word(), "a");
    ASSERT_TRUE(f->NextWord());  // two blanks give an empty word, never skipped
    EXPECT_EQ(f->Word(), "");
    ASSERT_TRUE(f->NextWord());
    EXPECT_EQ(f->Word(), "b");
    EXPECT_FALSE(f->NextWord());
    EXPECT_FALSE(f->NextWord());  // and stays at the end
  }
  TRuntextFil run(ui);
  SetLine(run, "U 1 V a ");
  EXPECT_EQ(Words(run), (Strings{"a"}));
  SetLine(run, "U 1 V");  // no text after the signum
  EXPECT_EQ(Words(run), Strings{});
}

TEST(Words, ReadingsAreSteppedInTheirWord) {
  RecordingHost host;
  Ui ui(host);
  TSokFil f(ui, kRunsok);
  SetLine(f, "U 1 V x a/b/c y");
  f.FirstWord();
  ASSERT_TRUE(f.NextWord());
  ASSERT_TRUE(f.NextWord());
  EXPECT_EQ(f.Word(), "a/b/c");
  EXPECT_EQ(f.Alternative(), "a");
  EXPECT_TRUE(f.MoreAlternatives());
  f.NextAlternative();
  EXPECT_EQ(f.Alternative(), "b");
  EXPECT_TRUE(f.MoreAlternatives());
  f.NextAlternative();
  EXPECT_EQ(f.Alternative(), "c");
  EXPECT_FALSE(f.MoreAlternatives());
  ASSERT_TRUE(f.NextWord());
  EXPECT_EQ(f.Alternative(), "y");
  EXPECT_FALSE(f.MoreAlternatives());
  // Empty readings at either end of a word.
  SetLine(f, "U 1 V /b/");
  f.FirstWord();
  ASSERT_TRUE(f.NextWord());
  EXPECT_EQ(f.Alternative(), "");
  f.NextAlternative();
  EXPECT_EQ(f.Alternative(), "b");
  f.NextAlternative();
  EXPECT_EQ(f.Alternative(), "");
  EXPECT_FALSE(f.MoreAlternatives());
}

TEST(Words, BracketsAreCarriedFromWordToWord) {
  RecordingHost host;
  Ui ui(host);
  TRuntextFil run(ui);
  SetLine(run, "U 1 V [kuml : þisi] ok");
  run.FirstWord();
  ASSERT_TRUE(run.NextWord());
  EXPECT_TRUE(run.words().inBracket);
  EXPECT_FALSE(run.words().openedInBracket);
  EXPECT_EQ(Cp1252ToUtf8(run.WordText()), "[kuml]");
  ASSERT_TRUE(run.NextWord());
  EXPECT_TRUE(run.words().openedInBracket);
  EXPECT_FALSE(run.words().inBracket);
  EXPECT_EQ(Cp1252ToUtf8(run.WordText()), "[þisi]");
  ASSERT_TRUE(run.NextWord());
  EXPECT_EQ(run.WordText(), "ok");
  // Three words in one bracket; the middle one gets both.
  SetLine(run, "U 1 V [a b c]");
  EXPECT_EQ(Words(run, true), (Strings{"[a]", "[b]", "[c]"}));
  // The last bracket of the first reading decides; brackets of later readings do not count.
  SetLine(run, "U 1 V [a/b] c x]y[z/] d x[y]z/[ e");
  std::vector<std::pair<bool, bool>> states;  // opened in bracket, in bracket after the word
  run.FirstWord();
  while (run.NextWord()) states.emplace_back(run.words().openedInBracket, run.words().inBracket);
  EXPECT_EQ(
      states,
      (std::vector<std::pair<bool, bool>>{
          {false, true}, {true, true}, {true, true}, {true, true}, {true, false}, {false, false}}));
  // Divider tokens carry brackets too, and a word file of kind 1 has none.
  SetLine(run, "U 1 V a [: b");
  EXPECT_EQ(Words(run, true), (Strings{"a", "[b]"}));
  TSokFil sok(ui, kRunsok);
  SetLine(sok, "U 1 V [a b");
  sok.FirstWord();
  ASSERT_TRUE(sok.NextWord());
  ASSERT_TRUE(sok.NextWord());
  EXPECT_FALSE(sok.words().openedInBracket);
}

// The split looks at a line in blocks of bytes and passes over lone dividers without
// splitting them; words, readings and brackets that cross a block's edge, marks right after
// a word's end, dividers with and without brackets and a line filling the whole buffer must
// come out as a byte-by-byte reading of the line gives them.
TEST(Words, LongWordsAndLinesSplitAsByteByByte) {
  struct Token {
    std::string word, alt;
    bool more, opened, inBracket;
    bool operator==(const Token&) const = default;
  };
  // Every token of the line after its signum, read byte by byte.
  auto expected = [](const std::string& text, bool brackets) {
    std::vector<Token> out;
    bool in = false;
    std::size_t at = text.find(' ', text.find(' ', text.find(' ') + 1) + 1) + 1;
    for (;;) {
      const std::size_t end = std::min(text.find(' ', at), text.size());
      const std::string word = text.substr(at, end - at);
      if (word.empty() && end == text.size()) break;
      const std::size_t slash = word.find('/');
      const std::string alt = word.substr(0, slash);
      const bool opened = in;
      const std::size_t bracket = alt.find_last_of("[]");
      if (brackets && bracket != std::string::npos) in = alt[bracket] == '[';
      out.push_back({word, alt, slash != std::string::npos, brackets && opened, brackets && in});
      if (end == text.size()) break;
      at = end + 1;
    }
    return out;
  };
  RecordingHost host;
  Ui ui(host);
  TNormtextFil norm(ui);     // readings and brackets, no tokens skipped
  TSokFil sok(ui, kRunsok);  // readings only
  TRuntextFil run(ui);       // readings and brackets, divider tokens skipped
  std::mt19937 random(7);
  const std::string letters = "abc[]/þ";
  for (int round = 0; round < 400; ++round) {
    std::string text = "U 1 V";
    const std::size_t length =
        round == 0 ? kLineCapacity : std::uniform_int_distribution<std::size_t>(6, 300)(random);
    while (text.size() < length) {
      text += ' ';
      if (std::uniform_int_distribution<int>(0, 3)(random) == 0) {  // a divider token
        static const char* const kDividerTokens[] = {":", "\xB7", "+", "[:", ":]", ":/a", "(:"};
        text += kDividerTokens[random() % 7];
        continue;
      }
      const int wordLength = std::uniform_int_distribution<int>(0, 40)(random);
      for (int i = 0; i < wordLength && text.size() < length; ++i) {
        const bool mark = std::uniform_int_distribution<int>(0, 9)(random) == 0;
        text += mark ? letters[3 + random() % 4] : letters[random() % 3];
      }
    }
    text.resize(length);
    for (TKombifil* f : std::initializer_list<TKombifil*>{&norm, &sok, &run}) {
      // Marks left in the buffer after the line's end must not count.
      std::memset(f->Buffer(), '/', kLineCapacity + 1);
      std::memcpy(f->Buffer(), text.c_str(), text.size() + 1);
      f->BufferLength() = text.size();
      f->TakeBuffer();
      std::vector<Token> got;
      f->FirstWord();
      while (f->NextWord()) {
        const WordState& w = f->words();
        got.push_back(
            {std::string(w.word), std::string(w.alt), w.more, w.openedInBracket, w.inBracket});
      }
      std::vector<Token> want = expected(text, f != &sok);
      if (f == &run) std::erase_if(want, [](const Token& t) { return IsDividerToken(t.word); });
      ASSERT_EQ(got, want) << "round " << round << ": " << text;
    }
  }
}

// Passing words by their blanks counts the words and stops where the steps one by one would:
// every byte at the start of a token, alone and before others, in every place of a block of
// sixteen, thirty-two and sixty-four bytes, so that a block holds several tokens that begin
// with it.
TEST(Words, PassingByBlanksTakesTheWordsTheStepsTake) {
  RecordingHost host;
  Ui ui(host);
  TRuntextFil run(ui);
  TNormtextFil norm(ui);
  TSokFil sok(ui, kRunsok);
  const int widest = WordBlockWidth();
  for (const int width : {16, 32, 64}) {
    LimitWordBlockWidth(width);
    for (int c = 1; c < 256; ++c) {
      if (c == ' ') continue;
      const std::string b(1, static_cast<char>(c));
      for (std::size_t pad = 0; pad < 66; ++pad) {
        const std::string line = "U 1 V " + std::string(pad, 'p') + " " + b + " a " + b + "b " + b +
                                 " " + b + b + " c " + b + " d e " + b;
        for (TKombifil* f : std::initializer_list<TKombifil*>{&run, &norm, &sok}) {
          std::memcpy(f->Buffer(), line.c_str(), line.size() + 1);
          f->BufferLength() = line.size();
          f->TakeBuffer();
          std::vector<std::string> words;
          f->FirstWord();
          while (f->NextWord()) words.emplace_back(f->Word());
          SCOPED_TRACE("byte " + std::to_string(c) + ", after " + std::to_string(pad) + ", kind " +
                       std::to_string(f->kind()) + ", blocks of " +
                       std::to_string(WordBlockWidth()));
          f->FirstWord();
          ASSERT_EQ(StepToEnd(*f), static_cast<int>(words.size()));
          for (std::size_t n = 1; n <= words.size(); ++n) {
            f->FirstWord();
            ASSERT_TRUE(StepWords(*f, static_cast<int>(n)));
            ASSERT_EQ(f->Word(), words[n - 1]) << "word " << n;
          }
        }
      }
    }
  }
  LimitWordBlockWidth(widest);
}

TEST(Words, NormalisedWordTextAndProperNames) {
  RecordingHost host;
  Ui ui(host);
  TNormtextFil nfs(ui);
  SetLine(nfs, "U 1 V \"Sven, Sven, stæin.. Þórr. [\"Asa ok] a");
  nfs.FirstWord();
  ASSERT_TRUE(nfs.NextWord());
  EXPECT_EQ(nfs.WordText(), "Sven");
  EXPECT_TRUE(nfs.IsProperName());
  EXPECT_EQ(nfs.SearchText(), "Sven,");
  ASSERT_TRUE(nfs.NextWord());
  EXPECT_EQ(nfs.WordText(), "sven");
  EXPECT_FALSE(nfs.IsProperName());
  ASSERT_TRUE(nfs.NextWord());
  EXPECT_EQ(Cp1252ToUtf8(nfs.WordText()), "stæin..");  // two dots are kept
  ASSERT_TRUE(nfs.NextWord());
  EXPECT_EQ(Cp1252ToUtf8(nfs.WordText()), "þórr");
  ASSERT_TRUE(nfs.NextWord());
  EXPECT_EQ(nfs.WordText(), "[Asa]");  // the quote keeps the capital
  EXPECT_TRUE(nfs.IsProperName());
  ASSERT_TRUE(nfs.NextWord());
  EXPECT_EQ(nfs.WordText(), "[ok]");
  ASSERT_TRUE(nfs.NextWord());
  EXPECT_EQ(nfs.WordText(), "a");
  SetLine(nfs, "U 1 V a  b");
  nfs.FirstWord();
  nfs.NextWord();
  nfs.NextWord();
  EXPECT_EQ(nfs.WordText(), " ");  // an empty word shows as one blank
}

TEST(Words, ProperNameLooksAtTheCurrentReading) {
  RecordingHost host;
  Ui ui(host);
  TNormtextFil nfs(ui);
  SetLine(nfs, "U 1 V guð/\"Guð");
  nfs.FirstWord();
  nfs.NextWord();
  EXPECT_FALSE(nfs.IsProperName());
  nfs.NextAlternative();
  EXPECT_TRUE(nfs.IsProperName());
  // Without a quote in its first two characters the stored flag answers.
  SetLine(nfs, "U 1 V Guð");
  nfs.FirstWord();
  nfs.NextWord();
  EXPECT_FALSE(nfs.IsProperName());
  nfs.properName = true;
  EXPECT_TRUE(nfs.IsProperName());
}

TEST(Words, MarkedLineKeepsTheWordAndPageMarks) {
  RecordingHost host;
  Ui ui(host);
  TRuntextFil run(ui);
  SetLine(run, "U 1 V §A a : [b c] §B d");
  run.FirstWord();
  run.NextWord();
  run.NextWord();
  run.NextWord();  // b
  EXPECT_EQ(Cp1252ToUtf8(run.MarkedLine()), "§A  [b]  §B  ");
}

TEST(Words, KindsWithoutWordsRefuseAndInfoOperationsFault) {
  RecordingHost host;
  Ui ui(host);
  THeltextFil eng(ui);
  SetLine(eng, "U 1 V This stone");
  eng.FirstWord();
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(Cp1252ToUtf8(host.boxes[0].text), " är inte en ordfil");
  EXPECT_TRUE(eng.NextWord());  // split all the same
  EXPECT_EQ(eng.Word(), "This");
  eng.NextAlternative();
  eng.InfoField('A');
  ASSERT_EQ(host.boxes.size(), 3u);
  EXPECT_EQ(host.boxes[1].kind, MsgKind::Error);
  EXPECT_EQ(Cp1252ToUtf8(host.boxes[1].text), "Felaktigt indata, eller fel i programmet ");
}

TEST(InfoFields, ControlCharacterAndMarkedFields) {
  RecordingHost host;
  Ui ui(host);
  TInfoFil inf(ui, kInfotext);
  inf.ReadInfoHeaders({"PPlats;SSocken;", "XKoordinater"});
  EXPECT_EQ(inf.codeLetters(), "PSX");
  SetLine(inf,
          "U 1 V \x10 Uppsala \x10\x13"
          "Bälinge\x13\x18"
          "6614523;1602345\x18");
  EXPECT_EQ(inf.InfoField('P'), "Uppsala");
  EXPECT_EQ(Cp1252ToUtf8(inf.InfoField('S')), "Bälinge");
  EXPECT_EQ(inf.InfoField('x'), "6614523;1602345");
  EXPECT_EQ(inf.InfoField('Q'), "");
  EXPECT_TRUE(inf.HasInfoCode('S'));
  EXPECT_FALSE(inf.HasInfoCode('Q'));
  EXPECT_EQ(inf.InfoHeader('Q'), "(Q)");
  EXPECT_EQ(inf.InfoHeader('X'), "Koordinater");
  EXPECT_TRUE(host.boxes.empty());
  inf.InfoHeader('1');
  EXPECT_EQ(host.BoxTexts().back(), "Felaktigt indata, eller fel i programmet Infokod 1");
  // A field without its closing mark is reported and read as empty.
  SetLine(inf, "U 1 V \x10Uppsala");
  EXPECT_EQ(inf.InfoField('P'), "");
  EXPECT_EQ(host.BoxTexts().back(), "Felaktig infokod Uppsala");
  inf.FirstInfoCode();
  std::string order;
  while (inf.MoreInfoCodes()) order += inf.NextInfoCode();
  EXPECT_EQ(order, "PSX");

  TInfoFil inf2(ui, kInfotext2);
  inf2.ReadInfoHeaders({"PPlats;SSocken"});
  SetLine(inf2, "U 1 V \xBEPUppsala \xBESBälinge");
  EXPECT_EQ(inf2.InfoField('P'), "PUppsala");
  EXPECT_EQ(Cp1252ToUtf8(inf2.InfoField('S')), "SBälinge");
}

TEST(InfoFields, FaultyAndRepeatedHeaderEntries) {
  RecordingHost host;
  Ui ui(host);
  TInfoFil inf(ui, kInfotext);
  inf.ReadInfoHeaders({"PPlats;1Fel;pPlats igen;SSocken"});
  EXPECT_EQ(inf.codeLetters(), "PS");
  EXPECT_EQ(host.BoxTexts(), (Strings{"Felaktig infokod 1Fel;pPlats igen;SSocken",
                                      "Felaktig infokod, Kod P upprepad! pPlats igen ignoreras."}));
  inf.ReadInfoHeaders({});
  EXPECT_EQ(inf.codeLetters(), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
}

}  // namespace
}  // namespace stavbas
