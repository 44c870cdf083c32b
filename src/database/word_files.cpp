#include "database/word_files.h"

#include <algorithm>
#include <array>

#include "database/info_file.h"
#include "database/word_split.h"
#include "database/word_steps.h"

namespace stavbas {

void StepAlternative(WordState& w) {
  const char* wordEnd = w.word.data() + w.word.size();
  const char* start = std::min(w.alt.data() + w.alt.size() + 1, wordEnd);
  const char* slash = std::find(start, wordEnd, '/');
  w.alt = std::string_view(start, static_cast<std::size_t>(slash - start));
  w.more = slash != wordEnd;
}

// --- runic text ---

TRuntextFil::TRuntextFil(Ui& ui) : TDatafil(ui, kRuntext) {
  normalised_ = false;
  infoFile_ = false;
  wordStep_ = WordStep::kRunic;
}

bool TRuntextFil::IsSkipWord(std::string_view word) const {
  return IsDividerToken(word);
}

bool TRuntextFil::NextTokenIn(WordState& w) const {
  return SplitWord<kReadingsAndBrackets>(w);
}

bool TRuntextFil::NextWordIn(WordState& w) const {
  return RunicWordStep(w);
}

void TRuntextFil::NextAlternative() {
  StepAlternative(words());
}

std::string TRuntextFil::WordText() const {
  return WithBrackets(std::string(Word()));
}

// --- word files ---

TSokFil::TSokFil(Ui& ui, int kind) : TDatafil(ui, kind) {
  normalised_ = false;
  infoFile_ = false;
  wordStep_ = WordStep::kReadings;
}

bool TSokFil::NextWordIn(WordState& w) const {
  return ReadingsWordStep(w);
}

void TSokFil::NextAlternative() {
  StepAlternative(words());
}

// --- normalised text ---

TNormtextFil::TNormtextFil(Ui& ui) : TDatafil(ui, kNormtext) {
  infoFile_ = false;
  wordStep_ = WordStep::kReadingsAndBrackets;
}

bool TNormtextFil::NextWordIn(WordState& w) const {
  return NormalisedWordStep(w);
}

void TNormtextFil::NextAlternative() {
  StepAlternative(words());
}

std::string TNormtextFil::WordText() const {
  if (Word().empty()) return " ";
  std::string w(Word());
  if (w[0] == '"')
    w.erase(0, 1);
  else if (w[0] == '[') {
    if (w.size() > 1) w[1] = static_cast<char>(LowerCase()[static_cast<unsigned char>(w[1])]);
  } else {
    w[0] = static_cast<char>(LowerCase()[static_cast<unsigned char>(w[0])]);
  }
  std::erase(w, '"');
  const bool keepDots = w.size() > 2 && w.ends_with("..");
  if (!w.empty() && std::string_view("!,.:;?").find(w.back()) != std::string_view::npos &&
      !keepDots)
    w.pop_back();
  return WithBrackets(std::move(w));
}

std::string_view TNormtextFil::SearchText(std::string& scratch) const {
  const std::string_view word = Word();
  if (word.find('"') == std::string_view::npos) return word;
  scratch.assign(word);
  std::erase(scratch, '"');
  return scratch;
}

// --- whole texts ---

THeltextFil::THeltextFil(Ui& ui) : TDatafil(ui, kHeltext) {
  wordFile_ = false;
  normalised_ = false;
  infoFile_ = false;
}

void THeltextFil::FirstWord() {
  RefuseWords();
  TKombifil::FirstWord();
}

std::unique_ptr<TDatafil> MakeDataFile(Ui& ui, int kind) {
  switch (kind) {
    case kRuntext:
      return std::make_unique<TRuntextFil>(ui);
    case kRunsok:
    case kNormsok:
      return std::make_unique<TSokFil>(ui, kind);
    case kNormtext:
      return std::make_unique<TNormtextFil>(ui);
    case kInfotext:
    case kInfotext2:
      return std::make_unique<TInfoFil>(ui, kind);
    default:
      return std::make_unique<THeltextFil>(ui);
  }
}

}  // namespace stavbas
