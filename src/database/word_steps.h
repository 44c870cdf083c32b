#pragma once
// The word steps of the file kinds, inline: each kind's NextWord takes its step through a
// virtual call, and a walk of one file takes it here without one.

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
