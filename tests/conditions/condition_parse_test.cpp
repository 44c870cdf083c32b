// Parsing condition codes: the grammar, the designators, and every error and warning.

#include <gtest/gtest.h>

#include <random>

#include "conditions/condition_fixture.h"

namespace stavbas {
namespace {

using Strings = std::vector<std::string>;

class ConditionParseTest : public ::testing::Test, public test::ConditionFixture {
 protected:
  void SetUp() override { Record("a b c", "a b c"); }
  // Parses as a word search code; returns the error code (0 when accepted) and the boxes.
  std::uint16_t Error(const std::string& code) {
    m.host.Clear();
    conditions.ParseWordSearchCode(Utf8ToCp1252(code));
    return conditions.lastParse().errorCode;
  }
  Strings Boxes() const { return m.host.BoxTexts(); }
};

TEST_F(ConditionParseTest, EmptyCodesAcceptEverything) {
  EXPECT_EQ(Error(""), 0);
  EXPECT_FALSE(conditions.IsWordSearchActive());
  EXPECT_EQ(Error("   "), 0);
  EXPECT_FALSE(conditions.IsWordSearchActive());
  EXPECT_EQ(Error("RUN:a"), 0);
  EXPECT_TRUE(conditions.IsWordSearchActive());
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ConditionParseTest, DesignatorErrors) {
  const std::pair<const char*, int> cases[] = {
      {"runx:abc", 4201}, {":abc", 4200},    {"xyz:abc", 4202}, {"RUN abc", 4235},
      {"RUN :abc", 4236}, {"INF;1:x", 4161}, {"RUN;A:x", 4203}, {"RUN:", 4232},
      {"ENG:\"", 4202},   {"INF:\"", 0},     {"RUN:\"", 4239}};
  for (auto [code, error] : cases) EXPECT_EQ(Error(code), error) << code;
  EXPECT_EQ(Error("run:abc"), 0);
  EXPECT_EQ(Error("INF;a:x"), 0);
  EXPECT_EQ(Error("RUN abc"), 4235);
  EXPECT_EQ(Boxes(), Strings{"Fel med villkor: RUN abc, Inget kolon mellan filbeteckning och "
                             "söksträng"});
}

TEST_F(ConditionParseTest, BracesEscapesAndReservedCharacters) {
  const std::pair<const char*, int> cases[] = {
      {"RUN:a{b", 4220},  {"RUN:a}b", 4221}, {"RUN:ab\\", 4222},  {"RUN:ab#", 4223},
      {"RUN:#Q", 4224},   {"RUN:a:b", 4231}, {"RUN:{a+b}", 4231}, {"{RUN:a", 4220},
      {"RUN:a & ", 4232}, {"-", 4232},       {"{}", 4232},        {"RUN:a\\:b", 0},
      {"RUN:{a/b}c", 0},  {"{RUN:a}", 0},    {"RUN:\\{", 0},      {"RUN:#k#v#X", 0}};
  for (auto [code, error] : cases) EXPECT_EQ(Error(code), error) << code;
  Error("RUN:a:b");
  EXPECT_EQ(Boxes(), Strings{"Fel med villkor: a:b, Otillåtet tecken i söksträng,  Skriv \\ "
                             "före :"});
  Error("RUN:{a+b}");
  EXPECT_EQ(Boxes(), Strings{"Fel med villkor: a+b, Otillåtet tecken i söksträng,  Skriv \\ "
                             "före +"});
  Error("RUN:a & ");
  EXPECT_EQ(Boxes(), Strings{"Fel med villkor: , Tom sträng i villkor"});
}

TEST_F(ConditionParseTest, OneBoxPerFailureAndTheTreeBecomesEmpty) {
  EXPECT_EQ(Error("RUN:a & {NFS:b + xyz:c}"), 4202);
  EXPECT_EQ(Boxes(), Strings{"Fel med villkor: xyz:c, Felaktig fil angiven"});
  EXPECT_FALSE(conditions.IsWordSearchActive());
  EXPECT_EQ(conditions.lastParse().files.all, 0);
  EXPECT_EQ(conditions.wordSearchCode(), "RUN:a & {NFS:b + xyz:c}");  // the string stays
}

TEST_F(ConditionParseTest, Warnings) {
  const std::pair<const char*, Strings> cases[] = {
      {"RUN:=", {"Fel med villkor: =, Ensamt =", "Fel med villkor: =, Tom sträng i villkor"}},
      {"RUN:a**b", {"Fel med villkor: a**b, Dubbla *"}},
      {"RUN:a@*b", {"Fel med villkor: a@*b, @* är oklart"}},
      {"RUN:a*@b", {"Fel med villkor: a*@b, *@ är oklart"}},
      {"RUN:a@@b", {"Fel med villkor: a@@b, Dubbla @"}},
      {"RUN:=a@@b", {"Fel med villkor: =a@@b, @ behövs ej efter ="}},
      {"RUN%:_", {"Fel med villkor: _, Ensamt _"}},
      {"RUN:ab*", {"Fel med villkor: ab*, * sist är meningslöst"}},
      {"RUN:ab@", {"Fel med villkor: ab@, @ sist är meningslöst"}},
      {"RUN:{a@}b", {"Fel med villkor: a@, @ sist i delsträng går ej"}},
      {"RUN:@ab", {"Fel med villkor: @ab, @ först är oklart"}},
      {"RUN:ab=", {"Fel med villkor: ab=, = utan tecken efter "}},
      {"RUN:a=b", {"Fel med villkor: a=b, = bör stå först "}},
      {"RUN:={=a}", {"Fel med villkor: =a, Dubbla ="}},
      {"RUN:a b", {"Fel med villkor: a b, blanktecken måste ersättas med _"}},
      {"RUN:a/", {"Fel med villkor: , Tom sträng i villkor"}},
  };
  for (const auto& [code, boxes] : cases) {
    EXPECT_EQ(Error(code), 0) << code;
    EXPECT_EQ(Boxes(), boxes) << code;
  }
  // A NUL in a pattern.
  m.host.Clear();
  conditions.ParseWordSearchCode(std::string("RUN:a\0b", 7));
  EXPECT_EQ(Boxes(), Strings{"Felaktigt indata, eller fel i programmet Tecken får inte vara "
                             "NULL (tomt)"});
  EXPECT_EQ(m.host.boxes[0].kind, MsgKind::Warning);
}

// A warning is shown once per code, at its first cause, however often the code repeats it:
// 250 stars gave 250 boxes before.
TEST_F(ConditionParseTest, EachWarningIsShownOncePerCode) {
  const std::string stars = "RUN:a" + std::string(240, '*') + "b";
  EXPECT_EQ(Error(stars), 0);
  EXPECT_EQ(Boxes(), Strings{"Fel med villkor: " + stars.substr(4) + ", Dubbla *"});
  EXPECT_EQ(Error("RUN:a**b/c**d@@e/f@@g"), 0);
  EXPECT_EQ(Boxes(),
            (Strings{"Fel med villkor: a**b, Dubbla *", "Fel med villkor: c**d@@e, Dubbla @"}));
  m.host.Clear();
  conditions.ParseWordSearchCode("RUN:a" + std::string(100, '\0') + "b");
  EXPECT_EQ(m.host.boxes.size(), 1u);
  // The next code is a new code: its warnings are shown again.
  EXPECT_EQ(Error("RUN:a**b"), 0);
  EXPECT_EQ(Boxes(), Strings{"Fel med villkor: a**b, Dubbla *"});
}

TEST_F(ConditionParseTest, WordAtomsAreRefusedInTheInscriptionCondition) {
  m.host.Clear();
  EXPECT_FALSE(conditions.ParseInscriptionCode("RUN:a"));
  EXPECT_EQ(Boxes(), Strings{"Fel med villkor: RUN:a, Felaktig fil för urval "});
  EXPECT_TRUE(Holds("RUN:zzz"));  // refused: everything passes
  m.host.Clear();
  EXPECT_TRUE(conditions.ParseInscriptionCode("RUN%:a"));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ConditionParseTest, AnErrorShownForTheWordSearchIsNotShownAgainForTheInscriptionCode) {
  Error("xyz:a");
  EXPECT_EQ(Boxes().size(), 1u);
  m.host.Clear();
  EXPECT_FALSE(conditions.ParseInscriptionCode("abc:a"));
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(conditions.lastParse().errorCode, 4202);
}

TEST_F(ConditionParseTest, StoredCodesThatAreRefusedAreCleared) {
  std::string word = "RUN:a", inscription = "RUN:b";
  conditions.ParseStoredCodes(word, inscription);
  EXPECT_EQ(word, "RUN:a");
  EXPECT_EQ(inscription, "");  // a word atom has no place in the inscription condition
  EXPECT_TRUE(conditions.IsWordSearchActive());
  word = "xyz:a";
  inscription = "INF;P:a";
  conditions.ParseStoredCodes(word, inscription);
  EXPECT_EQ(word, "");
  EXPECT_EQ(conditions.wordSearchCode(), "");
  EXPECT_FALSE(conditions.IsWordSearchActive());
  EXPECT_EQ(inscription, "INF;P:a");
}

TEST_F(ConditionParseTest, FilesReferredTo) {
  Error("RUN:a & NFS%:b + INF;P:c & $:U");
  const int run = m.db.SlotOfExtension("RUN"), nfs = m.db.SlotOfExtension("NFS"),
            inf = m.db.SlotOfExtension("INF");
  EXPECT_EQ(conditions.lastParse().files.words, SlotBit(run));
  EXPECT_EQ(conditions.lastParse().files.all, SlotBit(run) | SlotBit(nfs) | SlotBit(inf));
  EXPECT_EQ(m.db.MainWordFile(), run);
}

TEST_F(ConditionParseTest, HostileCodesGiveAMessageAndNoCrash) {
  // Longer than 255 characters: the rest is cut off.
  EXPECT_EQ(Error("RUN:" + std::string(300, 'a')), 0);
  // Deep nesting, long alternative chains, high and control bytes.
  EXPECT_EQ(Error(std::string(120, '{') + "RUN:a" + std::string(120, '}')), 0);
  EXPECT_EQ(Error("RUN:" + std::string(120, '{') + "a" + std::string(120, '}')), 0);
  std::string alternatives = "RUN:a";
  for (int i = 0; i < 120; ++i) alternatives += "/b";
  EXPECT_EQ(Error(alternatives), 0);
  std::string nots(200, '-');
  EXPECT_EQ(Error(nots + "RUN:a"), 0);
  EXPECT_EQ(Error("RUN:\xFF\x80\x01\x7F"), 0);
  EXPECT_NE(Error(std::string(254, '{') + "x"), 0);
  EXPECT_NE(Error("\\\\\\"), 0);
}

TEST_F(ConditionParseTest, RandomCodesNeverCrash) {
  // Codes made of the language's own characters and a few others, parsed and evaluated.
  const std::string alphabet = "RUNFSINF$123:;%*@=_{}\\/&+-# abc\"\xA7\xB7\xFF\x01";
  std::mt19937 rng(11);
  for (int round = 0; round < 3000; ++round) {
    std::string code;
    const int length = 1 + static_cast<int>(rng() % 40);
    for (int i = 0; i < length; ++i) code += alphabet[rng() % alphabet.size()];
    m.host.Clear();
    conditions.ParseWordSearchCode(code);
    conditions.ParseInscriptionCode(code);
    WordHits("");  // walks the record with whatever tree the parse left
    conditions.InscriptionPasses();
  }
}

}  // namespace
}  // namespace stavbas
