#pragma once
// The word steps of the file kinds, inline: each kind's NextWord takes its step through a
// virtual call, and the walks take it here without one. Also the passing of several words at
// once, for a walk whose files fall behind.

#include <bit>
#include <limits>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/bit_count.h"
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
// * in one. DividerBits16 compares so, sixteen bytes at a time.
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

#if defined(__SSE2__)
// A bit for each runic divider among the sixteen bytes of v.
inline unsigned DividerBits16(__m128i v) {
  const auto is = [](__m128i x, int c) {
    return _mm_cmpeq_epi8(x, _mm_set1_epi8(static_cast<char>(c)));
  };
  const __m128i marks =
      _mm_or_si128(is(_mm_and_si128(v, _mm_set1_epi8(static_cast<char>(0xED))), 0xA4),
                   _mm_andnot_si128(is(v, 0x97), is(_mm_or_si128(v, _mm_set1_epi8(0x60)), 0xF7)));
  const __m128i ascii =
      _mm_or_si128(_mm_or_si128(is(_mm_or_si128(v, _mm_set1_epi8(1)), 0x2B), is(v, 0x27)),
                   _mm_or_si128(is(v, 0x3A), is(v, 0x60)));
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(marks, ascii)));
}
#endif

// Moves w.next past up to `count` words of a file of the given kind, as that many word steps
// would, sixteen bytes at a time. It stops before a token that holds a byte that would leave
// state behind: a square bracket where the kind keeps bracket state, a "(" in runic text (a
// divider may stand after it). With `looking` it also stops before a word with further
// readings or a page mark, which a walk must evaluate. `events(p, starts, within)` names
// further bytes to stop at among the sixteen at p, of which `starts` marks those that begin a
// token; only bytes in the mask `within`, before the line's end, may be named, and the line's
// padding is readable after them. The line's last token passes too where nothing stops before
// its end. The tokens passed leave nothing behind but where the next one begins, so the next
// step leaves the state the steps would have. Returns the words passed.
template <WordStep kind, bool looking, typename Events>
[[gnu::always_inline]] inline int PassTokens(WordState& w, int count, Events&& events) {
  static_assert(kind != WordStep::kVirtual);
  int passed = 0;
#if defined(__SSE2__)
  const char* pending = w.next;  // the token being read, passed once a blank ends it
  unsigned carry = 1;            // the block's first byte begins a token
  // Whether the token from `start` counts as a word: a runic divider token does not.
  auto isWord = [](const char* start) {
    return kind != WordStep::kRunic || !kDividers[static_cast<unsigned char>(*start)];
  };
  // A line is followed by kSplitPadding readable bytes, and the look goes no further than the
  // block that holds the line's end.
  for (const char* p = w.next;; p += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    auto equal = [&v](char c) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(c)); };
    const auto blanks = static_cast<unsigned>(_mm_movemask_epi8(equal(' ')));
    __m128i stopBytes = equal('\0');
    if constexpr (kind != WordStep::kReadings)
      stopBytes = _mm_or_si128(stopBytes, _mm_or_si128(equal('['), equal(']')));
    if constexpr (kind == WordStep::kRunic) stopBytes = _mm_or_si128(stopBytes, equal('('));
    if constexpr (looking)
      stopBytes = _mm_or_si128(stopBytes, _mm_or_si128(equal('/'), equal('\xA7')));
    auto stops = static_cast<unsigned>(_mm_movemask_epi8(stopBytes));
    // Bytes past the line's end are no events: only those before its first stop count.
    const unsigned before = stops ? (1u << std::countr_zero(stops)) - 1 : 0xFFFFu;
    stops |= events(p, (blanks << 1) | carry, before);
    carry = blanks >> 15;
    unsigned ends = stops ? blanks & ((1u << std::countr_zero(stops)) - 1) : blanks;
    if constexpr (kind != WordStep::kRunic) {
      // Every token is a word: the blanks count at once while the count allows.
      const int n = BitCount16(ends);
      if (n != 0 && passed + n < count) {
        passed += n;
        pending = p + (32 - std::countl_zero(ends));
        ends = 0;
      }
    }
    if constexpr (kind == WordStep::kRunic) {
      // The tokens that end here are the one being read and one after each blank but the
      // last. Where the count cannot be reached among them, the dividers among their first
      // bytes tell at once how many are words.
      const int ended = BitCount16(ends);
      if (ended > 1 && passed + ended < count) {
        const unsigned last = 0x80000000u >> std::countl_zero(ends);
        passed += isWord(pending) + BitCount16(((ends ^ last) << 1) & ~DividerBits16(v));
        pending = p + (32 - std::countl_zero(ends));
        ends = 0;
      }
    }
    for (; ends != 0; ends &= ends - 1) {
      const char* const after = p + std::countr_zero(ends) + 1;
      const bool word = isWord(pending);
      pending = after;
      if (word && ++passed == count) {
        w.next = after;
        return passed;
      }
    }
    if (stops) {
      // Where the token being read is the line's last and nothing stops before its end, it
      // passes too: the step after it finds the end, and leaves the state it would have left.
      const unsigned first = stops & (0u - stops);
      const char* const end = p + std::countr_zero(stops);
      if ((static_cast<unsigned>(_mm_movemask_epi8(equal('\0'))) & first) && pending < end) {
        passed += isWord(pending);
        pending = end;
      }
      w.next = pending;
      return passed;
    }
  }
#else
  (void)w, (void)count, (void)events;
  return passed;
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
