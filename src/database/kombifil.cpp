#include "database/kombifil.h"

#include <algorithm>
#include <filesystem>

#include "base/ui.h"
#include "database/regions.h"
#include "database/word_split.h"

namespace stavbas {
namespace {
// The empty line, with room for the split to look past its end.
const char kEmpty[1 + kSplitPadding] = {};
}  // namespace

TKombifil::TKombifil(Ui& ui, int kind) : ui_(ui), kind_(kind), line_(kEmpty), cursor_(kEmpty) {
  words_.next = kEmpty;
}

TKombifil::~TKombifil() = default;

void TKombifil::Close() {
  file_.Close();
  ClearLine();
}

int TKombifil::OpenFile(const std::string& path) {
  path_ = path;
  lineCounter = 1;
  return file_.Open(path);
}

std::string TKombifil::FileName() const {
  return std::filesystem::path(path_).filename().string();
}

void TKombifil::TakeBuffer() {
  status = kFound;
  line_ = buffer_.data();
  heldNul_ = false;
  // The reading looks for NUL bytes as it copies: a line known to hold none is not searched.
  if (file_.LineMayHoldNul()) [[unlikely]]
    return TakeLineWithNul();
  textLength_ = lineLength_;
  cursor_ = line_ + SignumOfPaddedLine(line_).size();  // the buffer is padded for the scan
}

void TKombifil::TakeLineWithNul() {
  char* const line = buffer_.data();
  textLength_ = std::strlen(line);
  cursor_ = line_ + SignumOfPaddedLine(line_).size();
  // A NUL in the signum ends the line, as the lookups and the check see it (the check names
  // such a line). One in the text would cut off the words or fields after it without a word:
  // it is shown instead.
  if (textLength_ >= lineLength_) return;
  if (std::count(line_, cursor_, ' ') < 3) return;
  std::replace(line + textLength_, line + lineLength_, '\0', kNulStandIn);
  textLength_ = lineLength_;
  heldNul_ = true;
}

void TKombifil::ClearLine() {
  line_ = kEmpty;
  cursor_ = kEmpty;
  textLength_ = 0;
  heldNul_ = false;
}

void TKombifil::Fault() const {
  ui_.ShowProgramFault();
}

void TKombifil::RefuseWords() const {
  ui_.ShowMessage(FileName() + ui_.S(Str::ArInteEnOrdfil), MsgKind::Information);
}

// --- words ---

void TKombifil::FirstWord() {
  words_ = WordState{};
  words_.next = cursor_;
}

bool TKombifil::NextWordIn(WordState& w) const {
  return SplitWord<kPlain>(w);
}

bool TKombifil::IsSkipWord(std::string_view) const {
  return false;
}

void TKombifil::NextAlternative() {
  Fault();
}

std::string TKombifil::WordText() const {
  return std::string(words_.word);
}

std::string_view TKombifil::SearchText(std::string&) const {
  return words_.word;
}

std::string TKombifil::WithBrackets(std::string text) const {
  if (words_.inBracket) text += ']';
  if (words_.openedInBracket) text.insert(text.begin(), '[');
  return text;
}

std::string TKombifil::MarkedLine() const {
  const char* current = words_.word.data();
  std::string out;
  WordState copy;
  copy.next = cursor_;
  while (NextWordIn(copy)) {
    const char* b = copy.word.data();
    const char* e = b + copy.word.size();
    if (current >= b && (current < e || (current == b && e == b)))
      out += WordText();
    else if (IsPageMark(copy.word))
      out += copy.word;
    out += ' ';
  }
  return out;
}

bool TKombifil::IsProperName() const {
  const std::string_view a = words_.alt;
  const bool quoteFirst = !a.empty() && a[0] == '"';
  const bool quoteSecond = a.size() > 1 && a[1] == '"';
  if (!quoteFirst && !quoteSecond) return properName;
  const std::size_t i = (!a.empty() && a[0] == '[') ? 1 : 0;
  if (i >= a.size()) return false;
  const auto c = static_cast<unsigned char>(a[i]);
  return c == '"' || LowerCase()[c] != c;
}

// --- information fields: only information files have them ---

std::string TKombifil::InfoField(char) const {
  Fault();
  return {};
}
bool TKombifil::HasInfoCode(char) const {
  Fault();
  return false;
}
std::string TKombifil::InfoHeader(char) const {
  Fault();
  return {};
}
void TKombifil::FirstInfoCode() {
  Fault();
}
bool TKombifil::MoreInfoCodes() const {
  Fault();
  return false;
}
std::string TKombifil::NextInfoField(bool) {
  Fault();
  return {};
}
std::string_view TKombifil::FindInfoField(char) const {
  Fault();
  return {};
}

}  // namespace stavbas
