#include "database/check_words.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

#include "base/bit_count.h"
#include "base/char_tables.h"
#include "base/processor.h"
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

// What a stretch of up to 64 bytes of a line holds, a bit for each byte: its blanks, its page
// marks and, in runic text where the bytes are classed, its divider bytes and the bytes that
// make a token to be looked at whole (brackets and page marks). `size` is the number of bytes
// before the first NUL (64 when there is none); no bit is set from there on.
struct Stretch {
  std::uint64_t blanks = 0, marks = 0, dividers = 0, whole = 0;
  std::size_t size = 64;
};

// Clears the bits from the NUL of the bytes at `at` on (`nul` has a bit for each NUL there).
void EndAtNul(Stretch& b, std::size_t at, std::uint64_t nul) {
  b.size = at + static_cast<std::size_t>(std::countr_zero(nul));
  const std::uint64_t keep = (std::uint64_t{1} << b.size) - 1;
  b.blanks &= keep;
  b.marks &= keep;
  b.dividers &= keep;
  b.whole &= keep;
}

// The blanks and page marks of 64 bytes from p, sixteen bytes at a time; nothing after the
// sixteen that hold the NUL is read.
Stretch PlainStretch(const char* p) {
  Stretch b;
#if defined(__SSE2__)
  const __m128i blank = _mm_set1_epi8(' ');
  const __m128i mark = _mm_set1_epi8(kPageMark);
  for (std::size_t i = 0; i < 64; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const auto bits = [&v](__m128i c) {
      return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, c)));
    };
    b.blanks |= std::uint64_t{bits(blank)} << i;
    b.marks |= std::uint64_t{bits(mark)} << i;
    if (const unsigned nul = bits(_mm_setzero_si128())) {
      EndAtNul(b, i, nul);
      return b;
    }
  }
#else
  for (std::size_t i = 0; i < 64; ++i) {
    if (p[i] == '\0') {
      b.size = i;
      return b;
    }
    b.blanks |= std::uint64_t{p[i] == ' '} << i;
    b.marks |= std::uint64_t{p[i] == kPageMark} << i;
  }
#endif
  return b;
}

// Notes a page mark; false when no more are kept.
bool NoteMark(WordSummary& s, int word, std::string_view text) {
  if (s.marks == WordSummary::kMaxMarks) return s.plain = false;
  s.markAt[static_cast<std::size_t>(s.marks)] = word;
  s.markText[static_cast<std::size_t>(s.marks++)] = text;
  return true;
}

// How the words of a line are summed up: `Classed` tells whether `scan` classes runic bytes
// (so that divider tokens are counted from bits, and only tokens to be looked at whole one by
// one), `count` counts bits.
template <bool kClassed, class Scan, class Count>
[[gnu::always_inline]] inline bool Summarise(const TKombifil& file, std::size_t maxLength,
                                             WordSummary& s, Scan scan, Count count) {
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
    const Stretch b = scan(text + at, runic);
    n = b.size;
    const std::uint64_t blanks = b.blanks;
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
    if (runic && kClassed) {
      // Tokens that begin with a divider byte are dividers; those that begin with a bracket
      // or a page mark are looked at whole, in their order.
      const std::uint64_t whole = starts & b.whole;
      int before = dividers + count(starts & b.dividers);
      for (std::uint64_t m = whole; m; m &= m - 1) {
        const std::size_t bit = static_cast<std::size_t>(std::countr_zero(m));
        const std::uint64_t below = (std::uint64_t{1} << bit) - 1;
        const std::string_view token = tokenAt(at + bit);
        if (IsDividerToken(token)) {
          ++before;
          continue;
        }
        // The dividers before it: those counted, less those after it in the stretch.
        const int k = tokens + count(starts & below);
        const int d = before - count(starts & b.dividers & ~below);
        if (token[0] == kPageMark && !NoteMark(s, k - d, token)) return true;
      }
      dividers = before;
    } else if (runic) {
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
      for (std::uint64_t m = starts & b.marks; m; m &= m - 1) {
        const int bit = std::countr_zero(m);
        const int word = tokens + count(starts & ((std::uint64_t{1} << bit) - 1));
        if (!NoteMark(s, word, tokenAt(at + static_cast<std::size_t>(bit)))) return true;
      }
    }
    tokens += count(starts);
  }
  if (static_cast<std::int64_t>(size) - lastBlank - 1 > static_cast<std::int64_t>(maxLength))
    s.plain = false;
  s.count = tokens - dividers;
  return true;
}

#if defined(__SSE2__) && (defined(__GNUC__) || defined(__clang__))
#define STAVBAS_CLASSED_SCAN 1

// The runic byte classes looked up by nibbles: a byte is in a class when the tables of both
// its nibbles give the class's bit. Eight rectangles of nibble values make up the dividers,
// the two brackets and the page mark.
constexpr std::uint8_t kDividerBits = 0x1F, kWholeBits = 0xE0;
struct NibbleTables {
  alignas(16) std::array<std::uint8_t, 16> low{}, high{};
};
constexpr NibbleTables MakeNibbleTables() {
  struct Rect {
    unsigned highs, lows;  // a bit for each nibble value
  };
  constexpr Rect kRects[8] = {
      {1u << 0x2, 1u << 0x7 | 1u << 0xA | 1u << 0xB},  // ' * +
      {1u << 0x3, 1u << 0xA},                          // :
      {1u << 0x6, 1u << 0x0},                          // `
      {1u << 0xA | 1u << 0xB, 1u << 0x4 | 1u << 0x6},  // the four of A4 A6 B4 B6
      {1u << 0xB | 1u << 0xD | 1u << 0xF, 1u << 0x7},  // B7 D7 F7
      {1u << 0x2, 1u << 0x8},                          // (
      {1u << 0x5, 1u << 0xB},                          // [
      {1u << 0xA, 1u << 0x7},                          // the page mark A7
  };
  NibbleTables t;
  for (unsigned bit = 0; bit < 8; ++bit)
    for (unsigned v = 0; v < 16; ++v) {
      if ((kRects[bit].highs >> v) & 1) t.high[v] |= static_cast<std::uint8_t>(1u << bit);
      if ((kRects[bit].lows >> v) & 1) t.low[v] |= static_cast<std::uint8_t>(1u << bit);
    }
  return t;
}
constexpr NibbleTables kNibbles = MakeNibbleTables();
constexpr bool NibblesMatchTheDividers() {
  for (unsigned c = 0; c < 256; ++c) {
    const unsigned k = kNibbles.low[c & 15] & kNibbles.high[c >> 4];
    if (((k & kDividerBits) != 0) != kDividers[c] ||
        ((k & kWholeBits) != 0) != (c == '(' || c == '[' || c == 0xA7))
      return false;
  }
  return true;
}
static_assert(NibblesMatchTheDividers());

// A bit for each of the 32 bytes of a compare's result that holds.
__attribute__((target("avx2"), always_inline)) inline std::uint64_t Bits(__m256i x) {
  return std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(x))};
}

// A bit for each of the 32 classes `k` that shares a bit with `mask`.
__attribute__((target("avx2"), always_inline)) inline std::uint64_t InClass(__m256i k,
                                                                            std::uint8_t mask) {
  const __m256i none = _mm256_cmpeq_epi8(
      _mm256_and_si256(k, _mm256_set1_epi8(static_cast<char>(mask))), _mm256_setzero_si256());
  return ~Bits(none) & 0xFFFFFFFFu;
}

// The blanks and page marks of 64 bytes from p, or in runic text its blanks and classed
// bytes, thirty-two bytes at a time (AVX2); nothing after the thirty-two that hold the NUL is
// read. The runic classes are looked up by nibbles, in both halves of the register at once.
__attribute__((target("avx2,popcnt"), always_inline)) inline Stretch WideStretch(const char* p,
                                                                                 bool runic) {
  Stretch b;
  const __m256i blank = _mm256_set1_epi8(' ');
  const __m256i zero = _mm256_setzero_si256();
  if (!runic) {
    const __m256i mark = _mm256_set1_epi8(kPageMark);
    for (std::size_t i = 0; i < 64; i += 32) {
      const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i));
      b.blanks |= Bits(_mm256_cmpeq_epi8(v, blank)) << i;
      b.marks |= Bits(_mm256_cmpeq_epi8(v, mark)) << i;
      if (const auto nul = static_cast<unsigned>(Bits(_mm256_cmpeq_epi8(v, zero)))) {
        EndAtNul(b, i, nul);
        return b;
      }
    }
    return b;
  }
  const __m256i nibble = _mm256_set1_epi8(0x0F);
  const __m256i low = _mm256_broadcastsi128_si256(
      _mm_load_si128(reinterpret_cast<const __m128i*>(kNibbles.low.data())));
  const __m256i high = _mm256_broadcastsi128_si256(
      _mm_load_si128(reinterpret_cast<const __m128i*>(kNibbles.high.data())));
  for (std::size_t i = 0; i < 64; i += 32) {
    const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i));
    const __m256i k = _mm256_and_si256(
        _mm256_shuffle_epi8(low, _mm256_and_si256(v, nibble)),
        _mm256_shuffle_epi8(high, _mm256_and_si256(_mm256_srli_epi16(v, 4), nibble)));
    b.blanks |= Bits(_mm256_cmpeq_epi8(v, blank)) << i;
    b.dividers |= InClass(k, kDividerBits) << i;
    b.whole |= InClass(k, kWholeBits) << i;
    if (const auto nul = static_cast<unsigned>(Bits(_mm256_cmpeq_epi8(v, zero)))) {
      EndAtNul(b, i, nul);
      return b;
    }
  }
  return b;
}

__attribute__((target("avx2,popcnt"))) bool SummariseClassed(const TKombifil& file,
                                                             std::size_t maxLength,
                                                             WordSummary& s) {
  return Summarise<true>(file, maxLength, s, WideStretch,
                         [](std::uint64_t x) { return __builtin_popcountll(x); });
}

// The nibble tables four times over, for a register of sixty-four bytes.
alignas(64) constexpr std::array<std::uint8_t, 64> kWideLowNibbles = FourTimes(kNibbles.low);
alignas(64) constexpr std::array<std::uint8_t, 64> kWideHighNibbles = FourTimes(kNibbles.high);

// WideStretch in one register of sixty-four bytes, where the processor has AVX-512 for bytes:
// its compares give the bits at once. The 63 bytes after a line's NUL are readable.
__attribute__((target("avx512f,avx512bw,popcnt"), always_inline)) inline Stretch Stretch64(
    const char* p, bool runic) {
  Stretch b;
  const __m512i v = _mm512_loadu_si512(p);
  b.blanks = _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8(' '));
  if (runic) {
    const __m512i nibble = _mm512_set1_epi8(0x0F);
    const __m512i k = _mm512_and_si512(
        _mm512_shuffle_epi8(_mm512_load_si512(kWideLowNibbles.data()), _mm512_and_si512(v, nibble)),
        _mm512_shuffle_epi8(_mm512_load_si512(kWideHighNibbles.data()),
                            _mm512_and_si512(_mm512_srli_epi16(v, 4), nibble)));
    b.dividers = _mm512_test_epi8_mask(k, _mm512_set1_epi8(static_cast<char>(kDividerBits)));
    b.whole = _mm512_test_epi8_mask(k, _mm512_set1_epi8(static_cast<char>(kWholeBits)));
  } else {
    b.marks = _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8(kPageMark));
  }
  if (const std::uint64_t nul = _mm512_testn_epi8_mask(v, v)) EndAtNul(b, 0, nul);
  return b;
}
static_assert(kSplitPadding >= 63);

__attribute__((target("avx512f,avx512bw,popcnt"))) bool SummariseClassed64(const TKombifil& file,
                                                                           std::size_t maxLength,
                                                                           WordSummary& s) {
  return Summarise<true>(file, maxLength, s, Stretch64,
                         [](std::uint64_t x) { return __builtin_popcountll(x); });
}
#endif

int summaryWidth = WidestBlocks(64);  // 16: the portable way

}  // namespace

bool SummariseWordsPortable(const TKombifil& file, std::size_t maxLength, WordSummary& s) {
  return Summarise<false>(
      file, maxLength, s, [](const char* p, bool) { return PlainStretch(p); }, BitCount);
}

bool SummariseWords(const TKombifil& file, std::size_t maxLength, WordSummary& s) {
#if defined(STAVBAS_CLASSED_SCAN)
  // The processor's wide byte shuffle and bit count, where it has them.
  if (summaryWidth == 64) return SummariseClassed64(file, maxLength, s);
  if (summaryWidth == 32) return SummariseClassed(file, maxLength, s);
#endif
  return SummariseWordsPortable(file, maxLength, s);
}

void LimitSummaryWidth(int widest) {
  summaryWidth = WidestBlocks(widest);
}

}  // namespace stavbas
