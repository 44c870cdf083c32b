#include "database/kombifil.h"

#include <filesystem>

#include "base/ui.h"

namespace stavbas {
namespace {
const char kEmpty[] = "";
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
  int blanks = 0;
  const char* p = line_;
  while (*p && blanks < 3)
    if (*p++ == ' ') ++blanks;
  cursor_ = p;
}

void TKombifil::ClearLine() {
  line_ = kEmpty;
  cursor_ = kEmpty;
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

namespace {

// The bytes a word split stops at: the blank or the NUL that ends a word, the "/" between
// readings and the square brackets.
enum TokenClass : std::uint8_t { kOrdinary = 0, kWordEnd, kSlash, kBracket };

constexpr std::array<std::uint8_t, 256> MakeTokenClasses() {
  std::array<std::uint8_t, 256> t{};
  t[0] = t[' '] = kWordEnd;
  t['/'] = kSlash;
  t['['] = t[']'] = kBracket;
  return t;
}
constexpr std::array<std::uint8_t, 256> kTokenClasses = MakeTokenClasses();

}  // namespace

bool TKombifil::SplitToken(WordState& w, SplitMode mode) {
  const char* const start = w.next;
  const char* p = start;
  const char* slash = nullptr;    // the first "/"
  const char* bracket = nullptr;  // the last bracket before it
  for (;; ++p) {
    const std::uint8_t k = kTokenClasses[static_cast<unsigned char>(*p)];
    if (k == kOrdinary) continue;
    if (k == kWordEnd) break;
    if (k == kSlash) {
      if (!slash) slash = p;
    } else if (!slash) {
      bracket = p;
    }
  }
  w.word = std::string_view(start, static_cast<std::size_t>(p - start));
  w.more = mode != kPlain && slash;
  w.alt = w.more ? std::string_view(start, static_cast<std::size_t>(slash - start)) : w.word;
  if (mode == kReadingsAndBrackets) {
    w.openedInBracket = w.inBracket;
    if (bracket) w.inBracket = *bracket == '[';
  }
  if (*p == ' ') {
    w.next = p + 1;
    return true;
  }
  w.next = p;
  return p != start;
}

bool TKombifil::NextWordIn(WordState& w) const {
  return SplitToken(w, kPlain);
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
    else if (!copy.word.empty() && copy.word[0] == '\xA7')
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
