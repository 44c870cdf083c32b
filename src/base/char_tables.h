#pragma once
// Byte tables over Windows-1252 that fold letters and mark ignorable characters.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace stavbas {

using ByteTable = std::array<unsigned char, 256>;

// A table of sixteen entries four times over, for a byte shuffle over 64 bytes: each sixteen
// bytes of the register look up in their own copy.
constexpr std::array<std::uint8_t, 64> FourTimes(const std::array<std::uint8_t, 16>& table) {
  std::array<std::uint8_t, 64> four{};
  for (std::size_t i = 0; i < four.size(); ++i) four[i] = table[i % 16];
  return four;
}

// Letter folding of signum code letters, also used to upper-case whole strings:
// a-z to A-Z; ä æ Æ to Ä; å to Å; ö ø Ø œ Œ to Ö.
const ByteTable& LetterFold();
// The lower-case table: A-Z and the upper-case Nordic and accented letters to lower case.
const ByteTable& LowerCase();
// The platform's upper-case rule for Windows-1252 text (every Latin-1 letter).
const ByteTable& SystemUpper();
// Comparison table of the normalised kinds (2 to 6); 0 marks an ignorable character.
const ByteTable& NormalisedCompare();
// Comparison table of the runic kinds (0 and 1); 0 marks an ignorable character.
const ByteTable& RunicCompare();

std::string MapBytes(std::string_view s, const ByteTable& table);
inline std::string FoldUpper(std::string_view s) {
  return MapBytes(s, LetterFold());
}
inline std::string SystemUpperCase(std::string_view s) {
  return MapBytes(s, SystemUpper());
}
// True when `text` upper-cased by the platform rule begins with `prefix` upper-cased the same way.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
bool EqualsNoCase(std::string_view a, std::string_view b);

// Trims blanks and control characters (everything up to and including the space) at both ends.
std::string_view Trim(std::string_view s);

}  // namespace stavbas
