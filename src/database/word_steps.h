#pragma once
// The word steps of the file kinds, inline: each kind's NextWord takes its step through a
// virtual call, and the walks take it here without one. Also the passing of several words at
// once, for a walk whose files fall behind.

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// One word step of f, as its NextWord takes it, inline for the kinds that have one.
inline bool NextWordInline(TKombifil& f) {
  switch (f.wordStep()) {
    case WordStep::kRunic:
      return RunicWordStep(f.words());
    case WordStep::kReadings:
      return ReadingsWordStep(f.words());
    case WordStep::kReadingsAndBrackets:
      return NormalisedWordStep(f.words());
    case WordStep::kVirtual:
      break;
  }
  return f.NextWord();
}

// Moves w.next past up to `count` words that end at a blank, and stops before a word that
// holds the line's end or, with `brackets`, a square bracket: the words it passes would leave
// no state behind but where the next one begins. Returns how many it passed.
inline int PassWords(WordState& w, int count, bool brackets) {
  int passed = 0;
#if defined(__SSE2__)
  // A line is followed by kSplitPadding readable bytes, and the look goes no further than the
  // block that holds the line's end.
  for (const char* p = w.next;; p += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    auto where = [&](char c) {
      return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(c))));
    };
    unsigned blanks = where(' ');
    const unsigned stops = where('\0') | (brackets ? where('[') | where(']') : 0u);
    if (stops) blanks &= (1u << std::countr_zero(stops)) - 1;
    for (; blanks != 0; blanks &= blanks - 1) {
      w.next = p + std::countr_zero(blanks) + 1;
      if (++passed == count) return passed;
    }
    if (stops) return passed;
  }
#else
  for (const char* p = w.next; *p != '\0' && !(brackets && (*p == '[' || *p == ']')); ++p) {
    if (*p != ' ') continue;
    w.next = p + 1;
    if (++passed == count) break;
  }
  return passed;
#endif
}

// Whether f's words can be passed by their blanks (PassWords): each token between blanks is a
// word, as in the normalised text and the word files; runic divider tokens are no words.
inline bool WordsPassByBlanks(const TKombifil& f) {
  return f.wordStep() == WordStep::kReadings || f.wordStep() == WordStep::kReadingsAndBrackets;
}

// Takes n >= 1 word steps of f as its NextWord takes them, and returns what the last one
// returned. Where f's words can be passed by their blanks, the words before the last are
// passed so where nothing in them changes the state the steps leave.
inline bool StepWords(TKombifil& f, int n) {
  if (n > 1 && WordsPassByBlanks(f))
    n -= PassWords(f.words(), n - 1, f.wordStep() == WordStep::kReadingsAndBrackets);
  bool found = false;
  for (; n > 0; --n) found = NextWordInline(f);
  return found;
}

// Steps f word by word from where its walk stands, as its NextWord does, and calls
// `atWord(words)` after each step that found a word, until it returns false.
template <typename AtWord>
void ForEachWord(TKombifil& f, AtWord&& atWord) {
  WordState& w = f.words();
  switch (f.wordStep()) {
    case WordStep::kRunic:
      while (RunicWordStep(w))
        if (!atWord(w)) return;
      return;
    case WordStep::kReadings:
      while (ReadingsWordStep(w))
        if (!atWord(w)) return;
      return;
    case WordStep::kReadingsAndBrackets:
      while (NormalisedWordStep(w))
        if (!atWord(w)) return;
      return;
    case WordStep::kVirtual:
      while (f.NextWord())
        if (!atWord(w)) return;
      return;
  }
}

}  // namespace stavbas
