#include "database/check_words.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "database/word_files.h"

namespace stavbas {

bool WordSummary::SameWordsAs(const WordSummary& o) const {
  if (count != o.count || marks != o.marks) return false;
  for (std::size_t i = 0; i < static_cast<std::size_t>(marks); ++i)
    if (markAt[i] != o.markAt[i] || markText[i] != o.markText[i]) return false;
  return true;
}

namespace {

constexpr char kPageMark = '\xA7';

// What the first byte of a runic token tells: a divider token, or nothing before the whole
// token is seen (opening brackets before a divider still make a divider token), or a page
// mark.
enum : std::uint8_t { kDividerByte = 1, kWholeToken = 2, kMarkByte = 4 };

const std::array<std::uint8_t, 256>& RunicClasses() {
  static const std::array<std::uint8_t, 256> table = [] {
    std::array<std::uint8_t, 256> t{};
    for (std::size_t c = 0; c < 256; ++c)
      if (kDividers[c]) t[c] = kDividerByte;
    t['('] = t['['] = kWholeToken;
    t[static_cast<unsigned char>(kPageMark)] |= kMarkByte;
    return t;
  }();
  return table;
}

// One bit each for the blanks and the page-mark bytes among the bytes from p, up to 64 of them
// and up to the first NUL; returns how many bytes that is (64 when no NUL is among them). Reads
// sixteen bytes at a time and nothing after the sixteen that hold the NUL.
std::size_t ByteBits(const char* p, std::uint64_t& blanks, std::uint64_t& marks) {
  blanks = marks = 0;
#if defined(__SSE2__)
  const __m128i blank = _mm_set1_epi8(' ');
  const __m128i mark = _mm_set1_epi8(kPageMark);
  const __m128i nul = _mm_setzero_si128();
  for (std::size_t i = 0; i < 64; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const auto bits = [&v](__m128i c) {
      return std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, c)))};
    };
    blanks |= bits(blank) << i;
    marks |= bits(mark) << i;
    if (const std::uint64_t end = bits(nul)) {
      const std::size_t n = i + static_cast<std::size_t>(std::countr_zero(end));
      blanks &= (std::uint64_t{1} << n) - 1;
      marks &= (std::uint64_t{1} << n) - 1;
      return n;
    }
  }
#else
  for (std::size_t i = 0; i < 64; ++i) {
    if (p[i] == '\0') return i;
    blanks |= std::uint64_t{p[i] == ' '} << i;
    marks |= std::uint64_t{p[i] == kPageMark} << i;
  }
#endif
  return 64;
}

// The number of bits set; std::popcount is a library call where the processor's own count is
// not enabled at build time.
int BitCount(std::uint64_t x) {
  x -= (x >> 1) & 0x5555555555555555u;
  x = (x & 0x3333333333333333u) + ((x >> 2) & 0x3333333333333333u);
  x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
  return static_cast<int>((x * 0x0101010101010101u) >> 56);
}

// Notes a page mark; false when no more are kept.
bool NoteMark(WordSummary& s, int word, std::string_view text) {
  if (s.marks == WordSummary::kMaxMarks) return s.plain = false;
  s.markAt[static_cast<std::size_t>(s.marks)] = word;
  s.markText[static_cast<std::size_t>(s.marks++)] = text;
  return true;
}

}  // namespace

bool SummariseWords(const TKombifil& file, std::size_t maxLength, WordSummary& s) {
  bool runic = false;
  switch (file.kind()) {
    case kRuntext:
      runic = true;
      break;
    case kRunsok:
    case kNormtext:
    case kNormsok:
      break;
    default:
      return false;
  }
  if (file.status != kFound) return false;
  s.count = 0;
  s.plain = true;
  s.marks = 0;
  // The words run from the cursor to the line's first NUL, each up to the next blank; the
  // text after the last blank is a word only when it is not empty. At least kSplitPadding
  // readable bytes follow the NUL of a line.
  const char* const text = file.Cursor();
  const auto tokenAt = [text](std::size_t pos) {
    std::size_t end = pos;
    while (text[end] != ' ' && text[end] != '\0') ++end;
    return std::string_view(text + pos, end - pos);
  };
  const std::array<std::uint8_t, 256>& classes = RunicClasses();

  // Sixty-four bytes at a time: a bit for each blank, and from them a bit for each byte that
  // begins a token (the first byte, and each byte after a blank).
  std::uint64_t carry = 1;
  std::int64_t lastBlank = -1;  // the position of the last blank so far
  int tokens = 0;               // tokens before the current stretch
  int dividers = 0;             // divider tokens among them (runic text)
  std::size_t size = 0;         // the length of the text
  for (std::size_t at = 0, n = 64; n == 64; at += 64) {
    std::uint64_t blanks, marks;
    n = ByteBits(text + at, blanks, marks);
    size = at + n;
    const std::uint64_t valid = n == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << n) - 1;
    const std::uint64_t starts = ((blanks << 1) | carry) & valid;
    carry = blanks >> 63;
    // A token that begins on a blank is empty; one whose blanks lie far apart is too long.
    bool faulty = (starts & blanks) != 0;
    if (blanks) {
      const auto first = static_cast<std::int64_t>(at) + std::countr_zero(blanks);
      faulty |= first - lastBlank - 1 > static_cast<std::int64_t>(maxLength);
      lastBlank = static_cast<std::int64_t>(at) + 63 - std::countl_zero(blanks);
    }
    if (faulty) {
      s.plain = false;
      return true;
    }
    if (runic) {
      // Each token's first byte tells whether it is a divider, but for the rare token that
      // begins with a bracket or a page mark.
      int k = tokens;
      for (std::uint64_t m = starts; m; m &= m - 1, ++k) {
        const std::size_t pos = at + static_cast<std::size_t>(std::countr_zero(m));
        const std::uint8_t c = classes[static_cast<unsigned char>(text[pos])];
        if (c <= kDividerByte) {
          dividers += c;
          continue;
        }
        const std::string_view token = tokenAt(pos);
        const bool divider = c & kWholeToken ? IsDividerToken(token) : (c & kDividerByte) != 0;
        if (divider)
          ++dividers;
        else if (token[0] == kPageMark && !NoteMark(s, k - dividers, token))
          return true;
      }
    } else {
      for (std::uint64_t m = starts & marks; m; m &= m - 1) {
        const int bit = std::countr_zero(m);
        const int word = tokens + BitCount(starts & ((std::uint64_t{1} << bit) - 1));
        if (!NoteMark(s, word, tokenAt(at + static_cast<std::size_t>(bit)))) return true;
      }
    }
    tokens += BitCount(starts);
  }
  if (static_cast<std::int64_t>(size) - lastBlank - 1 > static_cast<std::int64_t>(maxLength))
    s.plain = false;
  s.count = tokens - dividers;
  return true;
}

}  // namespace stavbas
