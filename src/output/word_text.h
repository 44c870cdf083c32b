#pragma once
// Writing the words of a record line as the text format shows them: the words in their style,
// hits in theirs, page marks as the format asks, runic dividers kept beside the words. Words
// that are written the same way one after the other go into the staging buffer as one piece of
// the line, so a line costs a few appends, not one per word.

#include <cstdint>
#include <string_view>
#include <vector>

#include "output/output_window.h"

namespace stavbas {

struct WordTextLayout {
  bool runic = false;          // divider tokens are written but not counted as words
  bool dropQuotes = false;     // the name marks '"' are left out of the words (normalised text)
  bool pageMarks = true;       // page marks are written; otherwise only what goes before them
  bool breakAtMarks = false;   // a page mark after the line's first one starts with markBreak
  std::string_view markBreak;  // "\r\n" or " "
  std::uint32_t plain = 0;     // page marks and what goes before them
  std::uint32_t word = 0;      // words and dividers
  std::uint32_t hit = 0;       // the words whose hit code is 1
};

// The blank written before word `number` (from 1) of a line: after the first word, or before
// the first when a divider opened the line (`dividerFirst`, which that uses up).
inline std::string_view BlankBefore(int number, bool& dividerFirst) {
  if (number > 1) return " ";
  if (number == 1 && dividerFirst) {
    dividerFirst = false;
    return " ";
  }
  return "";
}

// The words of `line` (the record's text after its signum, as the word split sees it: words
// between blanks, the last one left out when empty) appended to `out`. `codes` are the hit
// codes by word number (from 1; 0 ordinary, 1 hit, 2 page mark; 0 past its end); no word
// numbered above `lastSpecial` has code 2, nor code 1 unless hits look like words. Returns
// whether a word, divider or page mark was written (an empty one counts).
bool WriteWordText(StagingBuffer& out, std::string_view line, const WordTextLayout& layout,
                   const std::vector<std::uint8_t>& codes, int lastSpecial);

// Keeps the writing to blocks of at most `widest` bytes (64 or less), where the processor has
// wider ways; for tests.
void LimitWordTextWidth(int widest);

}  // namespace stavbas
