#pragma once
// The word steps of the file kinds, inline: each kind's NextWord takes its step through a
// virtual call, and the walks take it here without one. Also the passing of several words at
// once, for a walk whose files fall behind.

#include <array>
#include <bit>
#include <cstdint>
#include <limits>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#include <immintrin.h>
#endif

#include "base/bit_count.h"
#include "base/char_tables.h"
#include "database/kombifil.h"
#include "database/word_files.h"
#include "database/word_split.h"

namespace stavbas {

// Runic text: divider tokens are passed over.
inline bool RunicWordStep(WordState& w) {
  for (;;) {
    // A divider alone between blanks, every other token of most runic text, is passed over
    // without a split: it has no reading and no bracket, and the split of the token after it
    // sets the bracket state as it would have after the divider's own split.
    while (kDividers[static_cast<unsigned char>(w.next[0])] && w.next[1] == ' ') w.next += 2;
    if (!SplitWord<SplitMode::kReadingsAndBrackets>(w)) return false;
    if (!IsDividerToken(w.word)) return true;
  }
}

// Word files: readings only.
inline bool ReadingsWordStep(WordState& w) {
  return SplitWord<SplitMode::kReadings>(w);
}

// Normalised text: readings and brackets.
inline bool NormalisedWordStep(WordState& w) {
  return SplitWord<SplitMode::kReadingsAndBrackets>(w);
}

// A file kind's word step, chosen when the code is compiled.
template <WordStep kind>
[[gnu::always_inline]] inline bool StepInline(WordState& w) {
  static_assert(kind != WordStep::kVirtual);
  if constexpr (kind == WordStep::kRunic) return RunicWordStep(w);
  if constexpr (kind == WordStep::kReadings) return ReadingsWordStep(w);
  if constexpr (kind == WordStep::kReadingsAndBrackets) return NormalisedWordStep(w);
}

// Calls `inlined` with a kind whose word step is inline, as a constant
// (std::integral_constant) that chooses code when it is compiled, and `otherwise()` for the
// kind whose step is a virtual call.
template <typename Inlined, typename Otherwise>
[[gnu::always_inline]] inline decltype(auto) WithWordStep(WordStep kind, Inlined&& inlined,
                                                          Otherwise&& otherwise) {
  using enum WordStep;
  switch (kind) {
    case kRunic:
      return inlined(std::integral_constant<WordStep, kRunic>{});
    case kReadings:
      return inlined(std::integral_constant<WordStep, kReadings>{});
    case kReadingsAndBrackets:
      return inlined(std::integral_constant<WordStep, kReadingsAndBrackets>{});
    case kVirtual:
      break;
  }
  return otherwise();
}

// One word step of f, as its NextWord takes it, inline for the kinds that have one.
inline bool NextWordInline(TKombifil& f) {
  return WithWordStep(
      f.wordStep(), [&](auto kind) { return StepInline<decltype(kind)::value>(f.words()); },
      [&] { return f.NextWord(); });
}

// Whether f's inline word step has found the end of its line: another step there finds no
// word and leaves the same state.
inline bool StepsEnded(const TKombifil& f) {
  const WordState& w = f.words();
  return f.wordStep() != WordStep::kVirtual && w.word.empty() && w.word.data() == w.next &&
         *w.next == '\0';
}

// Whether f's words can be passed by their blanks (PassTokens): the kinds whose word step is
// inline. A runic divider token is passed as the step passes it, without counting.
inline bool WordsPassByBlanks(const TKombifil& f) {
  return f.wordStep() != WordStep::kVirtual;
}

// The runic dividers, found among bytes as a few compares find them: ¤ ¦ ´ ¶ differ from ¤
// only in two bits, · × ÷ from ÷ in two others (as does 0x97, which is no divider), and + from
// * in one. The sixteen-byte DividerBits compares so, a block of bytes at a time.
constexpr bool DividerByCompares(unsigned c) {
  return (c & 0xED) == 0xA4 || ((c | 0x60) == 0xF7 && c != 0x97) || (c | 1) == 0x2B || c == 0x27 ||
         c == 0x3A || c == 0x60;
}
constexpr bool ComparesFindTheDividers() {
  for (unsigned c = 0; c < 256; ++c)
    if (DividerByCompares(c) != kDividers[c]) return false;
  return true;
}
static_assert(ComparesFindTheDividers());

// The runic dividers as two tables of sixteen bits each: a byte is a divider where the entries
// of its low and of its high four bits share a bit. Each high half that begins a divider has a
// bit of its own, set in the entries of the low halves that end one with it.
struct DividerNibbleTables {
  std::array<std::uint8_t, 16> low{};
  std::array<std::uint8_t, 16> high{};
  bool fits = true;  // at most eight high halves begin a divider
};
constexpr DividerNibbleTables MakeDividerNibbles() {
  DividerNibbleTables t;
  int bits = 0;
  for (unsigned h = 0; h < 16; ++h) {
    bool any = false;
    for (unsigned l = 0; l < 16; ++l) any = any || kDividers[h << 4 | l];
    if (!any) continue;
    if (bits == 8) {
      t.fits = false;
      return t;
    }
    const auto bit = static_cast<std::uint8_t>(1u << bits++);
    t.high[h] = bit;
    for (unsigned l = 0; l < 16; ++l)
      if (kDividers[h << 4 | l]) t.low[l] = static_cast<std::uint8_t>(t.low[l] | bit);
  }
  return t;
}
inline constexpr DividerNibbleTables kDividerNibbles = MakeDividerNibbles();
constexpr bool NibblesFindTheDividers() {
  for (unsigned c = 0; c < 256; ++c)
    if (((kDividerNibbles.low[c & 15] & kDividerNibbles.high[c >> 4]) != 0) != kDividers[c])
      return false;
  return kDividerNibbles.fits;
}
static_assert(NibblesFindTheDividers());

#if defined(__SSE2__)
// Blocks of sixteen bytes, for every x86-64 processor.
namespace blocks16 {
using Block = __m128i;
using Mask = unsigned;
constexpr int kBlock = 16;
static_assert(kSplitPadding >= kBlock - 1);
#define STAVBAS_BLOCK_CODE gnu::always_inline
[[STAVBAS_BLOCK_CODE]] inline Block LoadBlock(const char* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
[[STAVBAS_BLOCK_CODE]] inline Block Same(Block v, char c) {
  return _mm_cmpeq_epi8(v, _mm_set1_epi8(c));
}
[[STAVBAS_BLOCK_CODE]] inline Block Or(Block a, Block b) {
  return _mm_or_si128(a, b);
}
[[STAVBAS_BLOCK_CODE]] inline unsigned MaskOf(Block v) {
  return static_cast<unsigned>(_mm_movemask_epi8(v));
}
// A bit for each runic divider among the block's bytes, found by compares (DividerByCompares).
[[STAVBAS_BLOCK_CODE]] inline unsigned DividerBits(Block v) {
  auto with = [](Block a, char c) { return _mm_or_si128(a, _mm_set1_epi8(c)); };
  const Block marks = Or(Same(_mm_and_si128(v, _mm_set1_epi8('\xED')), '\xA4'),
                         _mm_andnot_si128(Same(v, '\x97'), Same(with(v, '\x60'), '\xF7')));
  const Block ascii =
      Or(Or(Same(with(v, '\x01'), '\x2B'), Same(v, '\x27')), Or(Same(v, '\x3A'), Same(v, '\x60')));
  return MaskOf(Or(marks, ascii));
}
[[STAVBAS_BLOCK_CODE]] inline int CountBits(unsigned mask) {
  return BitCount16(mask);
}
#include "database/word_blocks.inc"
#undef STAVBAS_BLOCK_CODE
}  // namespace blocks16

#if defined(__GNUC__)
#define STAVBAS_WIDE_WORD_BLOCKS 1
// Blocks of thirty-two bytes, each function compiled for processors with AVX2 and POPCNT:
// nothing here is called unless WordBlockWidth() says the processor has them. A line's
// padding (kSplitPadding) keeps the wider load of the block that holds its end in its buffer.
namespace blocks32 {
using Block = __m256i;
using Mask = unsigned;
constexpr int kBlock = 32;
static_assert(kSplitPadding >= kBlock - 1);
#define STAVBAS_BLOCK_CODE gnu::always_inline, gnu::target("avx2,popcnt")
[[STAVBAS_BLOCK_CODE]] inline Block LoadBlock(const char* p) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}
[[STAVBAS_BLOCK_CODE]] inline Block Same(Block v, char c) {
  return _mm256_cmpeq_epi8(v, _mm256_set1_epi8(c));
}
[[STAVBAS_BLOCK_CODE]] inline Block Or(Block a, Block b) {
  return _mm256_or_si256(a, b);
}
[[STAVBAS_BLOCK_CODE]] inline unsigned MaskOf(Block v) {
  return static_cast<unsigned>(_mm256_movemask_epi8(v));
}
// A bit for each runic divider among the block's bytes, found by two table lookups of sixteen
// entries each (kDividerNibbles): fewer operations than the compares, and fewer constants to keep.
[[STAVBAS_BLOCK_CODE]] inline unsigned DividerBits(Block v) {
  const Block lowTable = _mm256_broadcastsi128_si256(
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(kDividerNibbles.low.data())));
  const Block highTable = _mm256_broadcastsi128_si256(
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(kDividerNibbles.high.data())));
  const Block nibble = _mm256_set1_epi8(0x0F);
  const Block low = _mm256_shuffle_epi8(lowTable, _mm256_and_si256(v, nibble));
  const Block high =
      _mm256_shuffle_epi8(highTable, _mm256_and_si256(_mm256_srli_epi16(v, 4), nibble));
  const Block none = _mm256_cmpeq_epi8(_mm256_and_si256(low, high), _mm256_setzero_si256());
  return ~MaskOf(none);
}
[[STAVBAS_BLOCK_CODE]] inline int CountBits(unsigned mask) {
  return __builtin_popcount(mask);
}
#include "database/word_blocks.inc"
#undef STAVBAS_BLOCK_CODE
}  // namespace blocks32

// Blocks of sixty-four bytes, for processors with AVX-512 for bytes; compares give their
// masks at once. The padding keeps the load of the block that holds a line's end in its buffer.
namespace blocks64 {
using Block = __m512i;
using Mask = std::uint64_t;
constexpr int kBlock = 64;
static_assert(kSplitPadding >= kBlock - 1);
#define STAVBAS_BLOCK_CODE gnu::always_inline, gnu::target("avx512f,avx512bw,popcnt")
[[STAVBAS_BLOCK_CODE]] inline Block LoadBlock(const char* p) {
  return _mm512_loadu_si512(p);
}
[[STAVBAS_BLOCK_CODE]] inline Mask Same(Block v, char c) {
  return _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8(c));
}
[[STAVBAS_BLOCK_CODE]] inline Mask Or(Mask a, Mask b) {
  return a | b;
}
[[STAVBAS_BLOCK_CODE]] inline Mask MaskOf(Mask m) {
  return m;
}
// The divider nibble tables, as in blocks of thirty-two bytes, once for each sixteen bytes.
inline constexpr std::array<std::uint8_t, 64> kLowNibbles = FourTimes(kDividerNibbles.low);
inline constexpr std::array<std::uint8_t, 64> kHighNibbles = FourTimes(kDividerNibbles.high);
[[STAVBAS_BLOCK_CODE]] inline Mask DividerBits(Block v) {
  const Block lowTable = _mm512_loadu_si512(kLowNibbles.data());
  const Block highTable = _mm512_loadu_si512(kHighNibbles.data());
  const Block nibble = _mm512_set1_epi8(0x0F);
  const Block low = _mm512_shuffle_epi8(lowTable, _mm512_and_si512(v, nibble));
  const Block high =
      _mm512_shuffle_epi8(highTable, _mm512_and_si512(_mm512_srli_epi16(v, 4), nibble));
  return _mm512_test_epi8_mask(low, high);
}
[[STAVBAS_BLOCK_CODE]] inline int CountBits(Mask mask) {
  return __builtin_popcountll(mask);
}
#include "database/word_blocks.inc"
#undef STAVBAS_BLOCK_CODE
}  // namespace blocks64
#endif
#endif

// The blocks words pass in: 64 bytes where the processor has AVX-512 for bytes, 32 where it
// has AVX2, else 16, unless limited (as tests do, to try every way). Set before the first walk.
extern int wordBlockWidth;
inline int WordBlockWidth() {
  return wordBlockWidth;
}
void LimitWordBlockWidth(int widest);

#if defined(STAVBAS_WIDE_WORD_BLOCKS)
// PassTokens over blocks of thirty-two bytes, a call of its own for processors with AVX2.
template <WordStep kind, bool looking, typename Events>
__attribute__((target("avx2,popcnt"), noinline)) int PassTokensWide(WordState& w, int count,
                                                                    Events& events) {
  return blocks32::PassTokens<kind, looking>(w, count, events);
}
// And over blocks of sixty-four, for processors with AVX-512 for bytes.
template <WordStep kind, bool looking, typename Events>
__attribute__((target("avx512f,avx512bw,popcnt"), noinline)) int PassTokens64(WordState& w,
                                                                              int count,
                                                                              Events& events) {
  return blocks64::PassTokens<kind, looking>(w, count, events);
}
#endif

// PassTokens (word_blocks.inc) over the widest blocks the processor takes; without SSE2 no
// word passes so.
template <WordStep kind, bool looking, typename Events>
[[gnu::always_inline]] inline int PassTokens(WordState& w, int count, Events&& events) {
#if defined(STAVBAS_WIDE_WORD_BLOCKS)
  if (WordBlockWidth() == 64) return PassTokens64<kind, looking>(w, count, events);
  if (WordBlockWidth() == 32) return PassTokensWide<kind, looking>(w, count, events);
#endif
#if defined(__SSE2__)
  return blocks16::PassTokens<kind, looking>(w, count, events);
#else
  (void)w, (void)count, (void)events;
  return 0;
#endif
}

// Steps w's words up to the next page mark, passing words by their blanks where nothing in
// them leaves state behind, and takes the mark as the current word. Returns whether a mark was
// found; `words` grows by the words taken before it (at the line's end, by all of them).
template <WordStep kind>
inline bool StepToPageMark(WordState& w, int& words) {
  for (;;) {
    words += PassTokens<kind, true>(w, std::numeric_limits<int>::max(),
                                    [](const char*, unsigned, unsigned) { return 0u; });
    if (!StepInline<kind>(w)) return false;
    if (IsPageMark(w.word)) return true;
    ++words;
  }
}

// Passes up to `count` words of f by their blanks (PassTokens); returns how many.
inline int PassWords(TKombifil& f, int count) {
  return WithWordStep(
      f.wordStep(),
      [&](auto kind) {
        return PassTokens<decltype(kind)::value, false>(
            f.words(), count, [](const char*, unsigned, unsigned) { return 0u; });
      },
      [] { return 0; });
}

// Takes n >= 1 word steps of f as its NextWord takes them, and returns what the last one
// returned. Where f's words can be passed by their blanks, the words before the last are
// passed so, as far as nothing in them changes the state the steps leave.
inline bool StepWords(TKombifil& f, int n) {
  if (n > 1) n -= PassWords(f, n - 1);
  bool found = false;
  for (; n > 0; --n) {
    found = NextWordInline(f);
    // An inline step finds no word only at the line's end, and another there leaves the same
    // state: a file shorter than the others is not stepped again and again.
    if (!found && WordsPassByBlanks(f)) break;
  }
  return found;
}

// Takes f's word steps to the end of its line, as its NextWord takes them, passing words by
// their blanks where it can; returns how many found a word.
inline int StepToEnd(TKombifil& f) {
  int found = 0;
  for (;;) {
    found += PassWords(f, std::numeric_limits<int>::max());
    if (!NextWordInline(f)) return found;
    ++found;
  }
}

// Steps f word by word from where its walk stands, as its NextWord does, and calls
// `atWord(words)` after each step that found a word, until it returns false.
template <typename AtWord>
void ForEachWord(TKombifil& f, AtWord&& atWord) {
  WordState& w = f.words();
  WithWordStep(
      f.wordStep(),
      [&](auto kind) {
        while (StepInline<decltype(kind)::value>(w))
          if (!atWord(w)) return;
      },
      [&] {
        while (f.NextWord())
          if (!atWord(w)) return;
      });
}

}  // namespace stavbas
