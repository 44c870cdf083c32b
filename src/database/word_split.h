#pragma once
// The word split, inline so that each file kind's word step compiles its own: a word runs to
// the next blank or the end of the line; with readings its first reading ends before its
// first "/"; with brackets the last "[" or "]" of that reading decides whether a bracket is
// open after it.

#include <array>
#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "database/kombifil.h"

namespace stavbas {

// Takes a split word into the state: it runs from w.next to `end`, which holds the blank or
// NUL after it; `slash` is its first "/" (or null) and `bracket` the last bracket before that.
inline bool FinishSplit(WordState& w, bool brackets, const char* end, const char* slash,
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

#if defined(__SSE2__)

template <SplitMode mode>
inline bool SplitWord(WordState& w) {
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
    if constexpr (mode != SplitMode::kPlain) {
      if (!slash) {
        unsigned brackets = 0;
        const unsigned s =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, slashes))) & inWord;
        if (mode == SplitMode::kReadingsAndBrackets)
          brackets = static_cast<unsigned>(_mm_movemask_epi8(
                         _mm_or_si128(_mm_cmpeq_epi8(v, opening), _mm_cmpeq_epi8(v, closing)))) &
                     inWord;
        if (s) {
          slash = p + std::countr_zero(s);
          brackets &= (1u << std::countr_zero(s)) - 1;
        }
        if (brackets) bracket = p + (31 - std::countl_zero(brackets));
      }
    }
    if (ends) {
      p += std::countr_zero(ends);
      break;
    }
  }
  return FinishSplit(w, mode == SplitMode::kReadingsAndBrackets, p, slash, bracket);
}

#else

namespace split_detail {

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
inline constexpr std::array<std::uint8_t, 256> kTokenClasses = MakeTokenClasses();

}  // namespace split_detail

template <SplitMode mode>
inline bool SplitWord(WordState& w) {
  const char* const start = w.next;
  const char* p = start;
  const char* slash = nullptr;    // the first "/"
  const char* bracket = nullptr;  // the last bracket before it
  for (;; ++p) {
    using namespace split_detail;
    const std::uint8_t k = kTokenClasses[static_cast<unsigned char>(*p)];
    if (k == kOrdinary) continue;
    if (k == kWordEnd) break;
    if (k == kSlash) {
      if (!slash && mode != SplitMode::kPlain) slash = p;
    } else if (!slash) {
      bracket = p;
    }
  }
  return FinishSplit(w, mode == SplitMode::kReadingsAndBrackets, p, slash, bracket);
}

#endif

}  // namespace stavbas
