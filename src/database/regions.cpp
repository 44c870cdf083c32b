#include "database/regions.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>

#include <emmintrin.h>

#include "base/char_tables.h"

namespace stavbas {
namespace {

// Codes and names in Windows-1252.
constexpr std::array<Region, kRegionCount> kRegions = {{
    {"\xD6l", "\xD6land", 1, 2, true},
    {"\xD6g", "\xD6sterg\xF6tland", 3, 5, true},
    {"S\xF6",
     "S\xF6"
     "dermanland",
     6, 10, true},
    {"Sm", "Sm\xE5land", 11, 12, true},
    {"Vg", "V\xE4sterg\xF6tland", 13, 15, true},
    {"U", "Uppland", 16, 28, true},
    {"Vs", "V\xE4stmanland", 29, 29, false},
    {"N\xE4", "N\xE4rke", 30, 30, false},
    {"Vr", "V\xE4rmland", 31, 31, false},
    {"Gs", "G\xE4strikland", 32, 32, false},
    {"Hs", "H\xE4lsingland", 33, 33, false},
    {"M", "Medelpad", 34, 34, false},
    {"\xC5n", "\xC5ngermanland", 35, 35, false},
    {"D", "Dalarna", 36, 36, false},
    {"Hr", "H\xE4rjedalen", 37, 37, false},
    {"J", "J\xE4mtland", 38, 38, false},
    {"Lp", "Lappland", 39, 39, false},
    {"Ds", "Dalsland", 40, 40, false},
    {"Bo", "Bohusl\xE4n", 41, 41, false},
    {"G", "Gotland", 42, 44, true},
    {"SE", "Sverige \xF6vrigt", 45, 45, false},
    {"DR", "Danmark", 46, 46, false},
    {"N", "Norge", 47, 47, false},
    {"FR",
     "F\xE4r\xF6"
     "arna",
     48, 48, false},
    {"GR", "Gr\xF6nland", 49, 49, false},
    {"IS", "Island", 50, 50, false},
    {"FI", "Finland", 51, 51, false},
    {"Sh", "Shetland", 52, 52, false},
    {"Or", "Orkney", 53, 53, false},
    {"Sc", "Skottland", 54, 54, false},
    {"E", "England", 55, 55, false},
    {"IM", "Isle of Man", 56, 56, false},
    {"IR", "Irland", 57, 57, false},
    {"F", "Frankrike", 58, 58, false},
    {"NL", "Nederl\xE4nderna", 59, 59, false},
    {"DE", "Tyskland", 60, 60, false},
    {"PL", "Polen", 61, 61, false},
    {"LV", "Lettland", 62, 62, false},
    {"RU", "Ryssland", 63, 63, false},
    {"UA", "Ukraina", 64, 64, false},
    {"By", "Bysans", 65, 65, false},
    {"IT", "Italien", 66, 66, false},
    {"X",
     "\xD6vriga omr\xE5"
     "den",
     67, 67, false},
    {"", "*** fel ***", 68, 68, false},
}};

// Two-letter codes with their second letter folded, and their regions.
struct Pair {
  const char* code;
  int region;
};
constexpr std::array<Pair, 34> kPairs = {{
    {"BO", 19}, {"BY", 41}, {"DE", 36}, {"DR", 22},    {"DS", 18},   {"FI", 27},   {"FR", 24},
    {"GR", 25}, {"GS", 10}, {"HR", 15}, {"HS", 11},    {"IM", 32},   {"IR", 33},   {"IS", 26},
    {"IT", 42}, {"LP", 17}, {"LV", 38}, {"NL", 35},    {"N\xC4", 8}, {"OR", 29},   {"PL", 37},
    {"RU", 39}, {"SC", 30}, {"SE", 21}, {"SH", 28},    {"SM", 4},    {"S\xD6", 3}, {"UA", 40},
    {"VG", 5},  {"VR", 9},  {"VS", 7},  {"\xC5N", 13}, {"\xD6G", 2}, {"\xD6L", 1},
}};

bool IsCodeLetter(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || c == 0xC4 || c == 0xC5 || c == 0xD6;  // A-Z Ä Å Ö
}

}  // namespace

const Region& RegionInfo(int region) {
  if (region < 1 || region > kRegionCount) region = kFaultyRegion;
  return kRegions[region - 1];
}

int RegionOf(std::string_view s, bool* otherAreasSeen) {
  if (s.size() >= 2 && s[1] == ' ') {
    switch (s[0]) {
      case 'D':
        return 14;
      case 'E':
        return 31;
      case 'F':
        return 34;
      case 'G':
        return 20;
      case 'J':
        return 16;
      case 'M':
        return 12;
      case 'N':
        return 23;
      case 'U':
        return 6;
      default:
        break;
    }
    if (!IsCodeLetter(static_cast<unsigned char>(s[0]))) return kFaultyRegion;
    if (otherAreasSeen) *otherAreasSeen = true;
    return kOtherAreas;
  }
  if (s.size() >= 3 && s[2] == ' ') {
    const unsigned char first = static_cast<unsigned char>(s[0]);
    const unsigned char second = LetterFold()[static_cast<unsigned char>(s[1])];
    if (!IsCodeLetter(first) || !IsCodeLetter(second)) return kFaultyRegion;
    if (otherAreasSeen) *otherAreasSeen = true;
    // Every signum line asks, so the pairs are looked up in a table of all two-byte codes.
    static const std::array<std::uint8_t, 65536> kPairRegions = [] {
      std::array<std::uint8_t, 65536> t{};  // 0: no region of its own
      for (const Pair& p : kPairs)
        t[static_cast<unsigned char>(p.code[0]) << 8 | static_cast<unsigned char>(p.code[1])] =
            static_cast<std::uint8_t>(p.region);
      return t;
    }();
    const std::uint8_t region = kPairRegions[first << 8 | second];
    return region != 0 ? region : kOtherAreas;
  }
  return kFaultyRegion;
}

namespace {

// Reads an optionally signed decimal integer after leading blanks, up to the first character
// that does not fit; false when there is no digit.
bool LeadingInteger(std::string_view s, long long& value) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  const size_t digitsStart = i;
  long long v = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
    const long long next = v * 10 + (s[i] - '0');
    if (next > std::numeric_limits<int>::max()) break;  // the digits that still fit
    v = next;
    ++i;
  }
  if (i == digitsStart) return false;
  value = negative ? -v : v;
  return true;
}

}  // namespace

int NumberOf(std::string_view s) {
  const size_t codeLength = (s.size() >= 2 && s[1] == ' ') ? 2 : 3;
  if (s.size() <= codeLength) return 0;
  // Nearly every signum has a plain number of a few digits ending in a blank.
  {
    size_t i = codeLength;
    int v = 0;
    while (i < s.size() && i < codeLength + 9 && s[i] >= '0' && s[i] <= '9')
      v = v * 10 + (s[i++] - '0');
    if (i > codeLength && i < s.size() && (s[i] < '0' || s[i] > '9')) return v;
  }
  long long v = 0;
  if (!LeadingInteger(s.substr(codeLength), v) || v < 0) return 0;
  return static_cast<int>(v);
}

int GroupOf(std::string_view s) {
  const int r = RegionOf(s);
  const Region& info = RegionInfo(r);
  if (!info.splitByHundreds) return info.firstGroup;
  const int n = NumberOf(s);
  if (n > 0 && info.firstGroup + n / 100 < info.lastGroup) return info.firstGroup + n / 100;
  return info.lastGroup;
}

namespace {

// How many of the eight bytes of `w` (the first in its lowest byte) are digits before the first
// that is not. A byte is a digit when its high half is 3 and stays 3 with 6 added to its low
// half; a carry out of a byte that is no digit changes only the bytes after it.
int LeadingDigits(std::uint64_t w) {
  constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0u, kThrees = 0x3030303030303030u;
  const std::uint64_t other =
      ((w & kHigh) ^ kThrees) | (((w + 0x0606060606060606u) & kHigh) ^ kThrees);
  return other ? std::countr_zero(other) / 8 : 8;
}

// The value of the first `count` (1 to 7) bytes of `w`, which are digits: they are moved to the
// top, under zeros, and combined in pairs, fours and eights.
int DigitsValue(std::uint64_t w, int count) {
  std::uint64_t v = (w & 0x0F0F0F0F0F0F0F0Fu) << (8 * (8 - count));
  v = v * 10 + (v >> 8);
  v = ((v & 0x000000FF000000FFu) * 0x000F424000000064u +
       ((v >> 16) & 0x000000FF000000FFu) * 0x0000271000000001u) >>
      32;
  return static_cast<int>(v);
}

}  // namespace

int GroupFinder::GroupOf(std::string_view s) {
  if (s.size() < 16) {
    lastKnown_ = false;
    return Read(s);
  }
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.data()));
  const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(last_.data()));
  const __m128i d = _mm_sub_epi8(v, _mm_set1_epi8('0'));
  const auto same = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, w)));
  const auto digits = static_cast<unsigned>(
      _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(d, _mm_set1_epi8(9)), d)));
  const std::uint32_t lastDigits = lastDigits_;
  _mm_storeu_si128(reinterpret_cast<__m128i*>(last_.data()), v);
  lastDigits_ = digits;
  if (lastKnown_) {
    // The number begins after the code's blank, at 2 or 3.
    const unsigned i = s[1] == ' ' ? 2 : s[2] == ' ' ? 3 : 0;
    if (i != 0 && s[i] != '0') {
      const auto run = static_cast<unsigned>(std::countr_one(digits >> i));
      // Its digits and the byte after them are digits and no digit in both signums, and all
      // bytes before its last two digits (the code and its first digit at least) are equal:
      // the same region and the same hundreds of a number above 0.
      const std::uint32_t shape = ((2u << run) - 1) << i;
      const std::uint32_t equal = (1u << (run >= 3 ? i + run - 2 : i + 1)) - 1;
      if (run >= 1 && run <= 7 && ((digits ^ lastDigits) & shape) == 0 && (same & equal) == equal)
        return lastGroup_;
    }
  }
  lastKnown_ = true;
  return lastGroup_ = Read(s);
}

int GroupFinder::Read(std::string_view s) {
  std::uint32_t code;
  std::size_t i;  // where the number begins
  if (s.size() >= 2 && s[1] == ' ') {
    code = static_cast<unsigned char>(s[0]) | std::uint32_t{' '} << 8;
    i = 2;
  } else if (s.size() >= 3 && s[2] == ' ') {
    code = static_cast<unsigned char>(s[0]) | static_cast<std::uint32_t>(s[1] & 0xFF) << 8 |
           std::uint32_t{' '} << 16;
    i = 3;
  } else {
    return stavbas::GroupOf(s);
  }
  if (code != code_) {
    code_ = code;
    region_ = &RegionInfo(RegionOf(s));
  }
  if (!region_->splitByHundreds) return region_->firstGroup;
  // A number of up to nine digits that is not followed by another digit reads as it stands;
  // one of up to seven digits is read eight bytes at a time.
  const std::size_t from = i;
  int n = -1;
  if constexpr (std::endian::native == std::endian::little) {
    if (s.size() >= from + 8) {
      std::uint64_t w;
      std::memcpy(&w, s.data() + from, 8);
      const int digits = LeadingDigits(w);
      if (digits == 0) return stavbas::GroupOf(s);
      if (digits < 8) n = DigitsValue(w, digits);
    }
  }
  if (n < 0) {
    n = 0;
    while (i < s.size() && i < from + 9 && s[i] >= '0' && s[i] <= '9') n = n * 10 + (s[i++] - '0');
    if (i == from || (i < s.size() && s[i] >= '0' && s[i] <= '9')) return stavbas::GroupOf(s);
  }
  if (n > 0 && region_->firstGroup + n / 100 < region_->lastGroup)
    return region_->firstGroup + n / 100;
  return region_->lastGroup;
}

GroupRange RegionRange(std::string_view s) {
  const Region& info = RegionInfo(RegionOf(s));
  return {info.firstGroup, info.lastGroup};
}

int RegionOfCode(std::string_view code) {
  std::string s(Trim(code));
  s += ' ';
  return RegionOf(s);
}

namespace {

// Bit i set where p[i] == c, for the sixteen bytes from p.
unsigned ByteMask(const char* p, char c) {
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(c))));
}

// Length of the text up to and including the blank that makes `needed` of the blanks marked in
// `blanks` (bits of the sixteen bytes from `at`), or 0 when there are too few; counts them down.
size_t ThirdBlank(unsigned blanks, int& needed, size_t at) {
  for (; blanks; blanks &= blanks - 1)
    if (--needed == 0) return at + static_cast<size_t>(std::countr_zero(blanks)) + 1;
  return 0;
}

}  // namespace

std::string_view SignumOfLine(std::string_view line) {
  // Signum lines are scanned by every opening and lookup: sixteen bytes at a time.
  int needed = 3;
  size_t i = 0;
  for (; i + 16 <= line.size(); i += 16)
    if (const size_t end = ThirdBlank(ByteMask(line.data() + i, ' '), needed, i))
      return line.substr(0, end);
  for (; i < line.size(); ++i)
    if (line[i] == ' ' && --needed == 0) return line.substr(0, i + 1);
  return line;
}

std::string_view SignumOfPaddedLine(const char* line) {
  int needed = 3;
  for (size_t i = 0;; i += 16) {
    unsigned blanks = ByteMask(line + i, ' ');
    const unsigned nul = ByteMask(line + i, '\0');
    if (nul) blanks &= (nul & -nul) - 1;  // only the blanks before the NUL
    if (const size_t end = ThirdBlank(blanks, needed, i)) return {line, end};
    if (nul) return {line, i + static_cast<size_t>(std::countr_zero(nul))};
  }
}

std::string UpToBlank(std::string_view text, int n) {
  int blanks = 0;
  for (size_t i = 0; i < text.size(); ++i)
    if (text[i] == ' ' && ++blanks == n) return std::string(text.substr(0, i + 1));
  std::string out(text);
  out.append(static_cast<size_t>(n - blanks), ' ');
  return out;
}

}  // namespace stavbas
