#include "database/kombifil.h"

#include <bit>
#include <filesystem>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/ui.h"

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

// Takes a split word into the state: it runs from w.next to `end`, which holds the blank or
// NUL after it; `slash` is its first "/" (or null) and `bracket` the last bracket before that.
bool FinishSplit(WordState& w, bool brackets, const char* end, const char* slash,
                 const char* bracket) {
  const char* const start = w.next;
  // The reading is set from the lengths, not copied from the word just stored: reading back
  // a view written a moment before stalls the processor on every word.
  w.word = std::string_view(start, static_cast<std::size_t>(end - start));
  w.more = slash != nullptr;
  w.alt = std::string_view(start, static_cast<std::size_t>((slash ? slash : end) - start));
  if (brackets) {
    w.openedInBracket = w.inBracket;
    if (bracket) w.inBracket = *bracket == '[';
  }
  if (*end == ' ') {
    w.next = end + 1;
    return true;
  }
  w.next = end;
  return end != start;
}

}  // namespace

#if defined(__SSE2__)

bool TKombifil::SplitToken(WordState& w, SplitMode mode) {
  // Sixteen bytes at a time: a mask each for the bytes that end the word (blank, NUL), the "/"
  // between readings and the square brackets. Most words end within their first sixteen
  // bytes, so a word costs one round and no branch on each of its bytes. A line is followed
  // by at least kSplitPadding readable bytes, so no load goes past its buffer.
  const char* const start = w.next;
  const __m128i blank = _mm_set1_epi8(' ');
  const __m128i nul = _mm_setzero_si128();
  const __m128i slashes = _mm_set1_epi8('/');
  const __m128i opening = _mm_set1_epi8('[');
  const __m128i closing = _mm_set1_epi8(']');
  const char* slash = nullptr;    // the first "/"
  const char* bracket = nullptr;  // the last bracket before it
  const char* p = start;
  for (;; p += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const auto ends = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, blank), _mm_cmpeq_epi8(v, nul))));
    // The bytes of the word within these sixteen.
    const unsigned inWord = ends ? (1u << std::countr_zero(ends)) - 1 : 0xFFFFu;
    if (mode != kPlain && !slash) {
      unsigned brackets = 0;
      const unsigned s =
          static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, slashes))) & inWord;
      if (mode == kReadingsAndBrackets)
        brackets = static_cast<unsigned>(_mm_movemask_epi8(
                       _mm_or_si128(_mm_cmpeq_epi8(v, opening), _mm_cmpeq_epi8(v, closing)))) &
                   inWord;
      if (s) {
        slash = p + std::countr_zero(s);
        brackets &= (1u << std::countr_zero(s)) - 1;
      }
      if (brackets) bracket = p + (31 - std::countl_zero(brackets));
    }
    if (ends) {
      p += std::countr_zero(ends);
      break;
    }
  }
  return FinishSplit(w, mode == kReadingsAndBrackets, p, slash, bracket);
}

#else

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
      if (!slash && mode != kPlain) slash = p;
    } else if (!slash) {
      bracket = p;
    }
  }
  return FinishSplit(w, mode == kReadingsAndBrackets, p, slash, bracket);
}

#endif

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
