#pragma once
// The words of one file's current line as the data-file check counts them, found in one pass
// over the line's blanks instead of word by word: how many there are, whether one of them is
// empty or too long, and where the page marks stand. The check compares these summaries of an
// inscription's word files and walks the words one by one, to word its reports, only when
// they show something to report.

#include <array>
#include <cstddef>
#include <string_view>

namespace stavbas {

class TKombifil;

struct WordSummary {
  static constexpr int kMaxMarks = 8;
  int count = 0;  // words
  // False when a word is empty or longer than the limit, or there are more page marks than
  // are kept; the count and the marks then tell nothing.
  bool plain = true;
  int marks = 0;
  // The word number (from 0) and the text of each page mark; only the first `marks` are set.
  std::array<int, kMaxMarks> markAt;
  std::array<std::string_view, kMaxMarks> markText;

  // The same words at the same places, and the same page marks.
  bool SameWordsAs(const WordSummary& o) const;
};

// Sums up the words of the file's current line (which it must have found), as its kind splits
// them: runic text passes over its divider tokens, the other word files count every token
// between blanks. False for a kind whose words this does not know.
bool SummariseWords(const TKombifil& file, std::size_t maxWordLength, WordSummary& out);
// The same without the processor's byte shuffle and bit count, which SummariseWords uses where
// it has them: both must give the same summary.
bool SummariseWordsPortable(const TKombifil& file, std::size_t maxWordLength, WordSummary& out);
// For tests: the widest blocks SummariseWords looks at from now on, 64 (where the processor
// has AVX-512 for bytes), 32 (AVX2) or 16 (the portable way).
void LimitSummaryWidth(int widest);

}  // namespace stavbas
