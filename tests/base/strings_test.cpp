// The English string table: its translations, and the messages composed from them.

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "base/cp1252.h"
#include "base/strings.h"
#include "base/ui.h"
#include "support/recording_host.h"

namespace stavbas {
namespace {

using test::RecordingHost;

struct EnglishEntry {
  std::string_view name;
  std::string_view utf8;
};

// Read by name here, so that a misspelt name shows up as a failure naming it.
constexpr EnglishEntry kEnglish[] = {
#define STAVBAS_STR(name, text) {#name, text},
#include "base/strings_en.inc"
#undef STAVBAS_STR
};

const EnglishEntry* Translation(Str id) {
  for (const EnglishEntry& e : kEnglish)
    if (e.name == StringTable::NameOf(id)) return &e;
  return nullptr;
}

std::size_t LeadingBlanks(std::string_view s) {
  const std::size_t n = s.find_first_not_of(' ');
  return n == std::string_view::npos ? s.size() : n;
}

std::size_t TrailingBlanks(std::string_view s) {
  const std::size_t n = s.find_last_not_of(' ');
  return n == std::string_view::npos ? s.size() : s.size() - 1 - n;
}

std::string_view WithoutEdgeBlanks(std::string_view s) {
  s.remove_prefix(LeadingBlanks(s));
  s.remove_suffix(TrailingBlanks(s));
  return s;
}

bool IsMark(char c) {
  return std::string_view(".:!?,-").find(c) != std::string_view::npos;
}

TEST(EnglishStrings, EveryTranslationNamesOneSwedishTextOnceAndIsNotEmpty) {
  std::set<std::string_view> seen;
  for (const EnglishEntry& e : kEnglish) {
    SCOPED_TRACE(std::string(e.name));
    const std::optional<Str> id = StringTable::FindName(e.name);
    ASSERT_TRUE(id.has_value()) << "no Swedish text of that name";
    EXPECT_TRUE(seen.insert(e.name).second) << "translated twice";
    EXPECT_FALSE(e.utf8.empty());
    EXPECT_FALSE(StringTable::English()[*id].empty());
  }
}

TEST(EnglishStrings, TableTakesEveryTranslationAndKeepsSwedishWhereThereIsNone) {
  const StringTable& en = StringTable::English();
  const StringTable& sv = StringTable::Swedish();
  EXPECT_EQ(&StringTable::ForLanguage(true), &en);
  EXPECT_EQ(&StringTable::ForLanguage(false), &sv);
  unsigned differing = 0;
  for (unsigned i = 0; i < static_cast<unsigned>(Str::Count); ++i) {
    const auto id = static_cast<Str>(i);
    SCOPED_TRACE(std::string(StringTable::NameOf(id)));
    if (const EnglishEntry* e = Translation(id)) {
      // Every character must survive the code page.
      EXPECT_EQ(Cp1252ToUtf8(en[id]), e->utf8);
    } else {
      EXPECT_EQ(en[id], sv[id]);
    }
    if (en[id] != sv[id]) ++differing;
  }
  const unsigned count = static_cast<unsigned>(Str::Count);
  // Most texts are translated; the few that are not are names that stand in either language.
  EXPECT_GT(differing * 4, count * 3) << differing << " of " << count << " texts translated";
}

// Pieces are joined as they stand, so a lost or added blank, or a colon or full stop that
// the joined message expects, shows up in every message built from the piece.
TEST(EnglishStrings, PiecesKeepTheirBlanksAndClosingMarks) {
  const StringTable& sv = StringTable::Swedish();
  for (const EnglishEntry& e : kEnglish) {
    SCOPED_TRACE(std::string(e.name));
    const std::optional<Str> id = StringTable::FindName(e.name);
    ASSERT_TRUE(id.has_value());
    const std::string swedish = Cp1252ToUtf8(sv[*id]);
    EXPECT_EQ(LeadingBlanks(e.utf8), LeadingBlanks(swedish));
    EXPECT_EQ(TrailingBlanks(e.utf8), TrailingBlanks(swedish));
    const std::string_view sCore = WithoutEdgeBlanks(swedish);
    const std::string_view eCore = WithoutEdgeBlanks(e.utf8);
    ASSERT_FALSE(eCore.empty());
    if (IsMark(sCore.front())) {
      EXPECT_EQ(eCore.front(), sCore.front());
    }
    if (IsMark(sCore.back())) {
      EXPECT_EQ(eCore.back(), sCore.back());
    }
  }
}

TEST(EnglishStrings, ComposedMessagesReadAsEnglish) {
  RecordingHost host;
  Ui ui(host);
  ui.SetStrings(StringTable::English());
  EXPECT_EQ(ui.MessageOf(4101), "Faulty signum");
  EXPECT_EQ(ui.MessageOf(4220), "Too many {");
  EXPECT_EQ(ui.MessageOf(4222), "\\ without a character after ");
  EXPECT_EQ(ui.MessageOf(4224), "Invalid code in search pattern, must be #V,#K or #X");
  EXPECT_EQ(ui.MessageOf(4242), "blank  missing.");
  EXPECT_EQ(ui.MessageOf(4261), "* at the end is meaningless");
  EXPECT_EQ(ui.MessageOf(4263), "@ at the end is not possible in a substring");
  EXPECT_EQ(ui.MessageOf(4264), "@ at the start is unclear");
  EXPECT_EQ(ui.MessageOf(4482), "@ is not needed after =");
  EXPECT_EQ(ui.MessageOf(4483), "blank must be replaced by _");
  EXPECT_EQ(ui.MessageOf(4486), "= should come at the start ");
  EXPECT_EQ(ui.MessageOf(5000), "An unknown error has occurred, error code: 5000");
  ui.ShowErrorNumber(3, MsgKind::Error);
  ui.CheckIOResult(2, "STAVBAS.$AD");
  EXPECT_EQ(host.BoxTexts(),
            (std::vector<std::string>{"Error no. 3 has occurred. ",
                                      "ERROR 2 (STAVBAS.$AD): No such file or folder"}));
  EXPECT_EQ(ui.S(Str::KindNormtext), "normalised text");
  EXPECT_EQ(ui.S(Str::AllaLandskap), "All provinces");
}

// The pause button is told apart by its caption, in either language.
TEST(EnglishStrings, PauseButtonCaptionsDiffer) {
  for (const StringTable* table : {&StringTable::Swedish(), &StringTable::English()}) {
    EXPECT_NE((*table)[Str::Paus], (*table)[Str::FortsattKnapp]);
    EXPECT_NE((*table)[Str::Paus], (*table)[Str::AvbrytKnapp]);
  }
}

}  // namespace
}  // namespace stavbas
