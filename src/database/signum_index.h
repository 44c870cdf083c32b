#pragma once
// A finer index of a data file, kept in memory beside the group addresses: the upper-cased
// signum key (the text up to its second blank) of every 32nd line and of each group's first
// line, with the line's byte offset, and the lines where the keys stop rising. Where the keys
// of a group rise from line to line, a lookup finds its line by a binary search over the kept
// keys and reads at most one stretch of lines, however large the group.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/char_tables.h"

namespace stavbas {

class SignumIndex {
 public:
  static constexpr std::int32_t kSpacing = 32;
  // A key longer than this is not kept; its line is looked up by reading its group.
  static constexpr std::size_t kMaxKey = 48;

  // The upper-cased key of a text: up to and with its second blank; nothing when it has no
  // second blank within its first bytes.
  static std::optional<std::string> KeyOf(std::string_view text);
  // The order the keys of a well-ordered group follow: numbers by their value, the rest by
  // byte.
  static bool KeyLess(std::string_view a, std::string_view b);

  void Clear();
  // Takes the file's lines in order, each with its number and byte offset; `keep` keeps its
  // key whatever its number.
  void Add(std::int32_t line, std::uint64_t offset, std::string_view text, bool keep = false);
  // Keeps the key of the line added last.
  void KeepLast();

  // Whether the keys of lines `from` to `to` all rise, so that each occurs once at most.
  bool Rising(std::int32_t from, std::int32_t to) const;
  // The kept key of a line.
  std::optional<std::string_view> KeyAt(std::int32_t line) const;
  // Where a key lies among lines `from` to `to` (rising): the kept line at or before it (or
  // `from`) and the last line before the next kept one (or `to`).
  struct Stretch {
    std::int32_t first, last;
  };
  Stretch StretchOf(std::string_view key, std::int32_t from, std::int32_t to) const;
  // Every kept line, and once (for the file's checkpoints) their byte offsets.
  const std::vector<std::int32_t>& lines() const { return lines_; }
  std::vector<std::uint64_t> TakeOffsets() { return std::exchange(offsets_, {}); }

 private:
  std::string_view KeyNo(std::size_t i) const;
  // The length of a text's key (up to and with its second blank); 0 when it has none.
  static std::size_t KeyLength(std::string_view text);
  // Writes the upper-cased key of a text into `key` (kMaxKey bytes); its length or 0.
  static std::size_t UpperKey(std::string_view text, char* key);

  std::vector<std::int32_t> lines_;  // kept lines, ascending
  std::vector<std::uint64_t> offsets_;
  std::vector<std::uint32_t> keyEnds_;  // the end of each kept key in keys_
  std::string keys_;
  // Lines whose key is not above the line before's, ascending; a line without a key counts
  // twice (as 2 * line + 1), so that it stops a stretch that begins on it.
  std::vector<std::int64_t> breaks_;
  bool tooManyBreaks_ = false;  // the file is not in that order: only its groups are used
  const unsigned char* upper_ = SystemUpper().data();
  std::array<char, kMaxKey> last_{};  // the key of the line added last, as it stands
  std::size_t lastLength_ = 0;        // its length; 0 when it has none
  std::uint64_t lastDigits_ = 0;      // a bit for each digit among its first kMaxKey bytes
  bool lastDigitsKnown_ = false;      // whether lastDigits_ holds them
  std::int32_t lastLine_ = 0;
  std::uint64_t lastOffset_ = 0;
};

}  // namespace stavbas
