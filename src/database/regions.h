#pragma once
// Signums, regions and signum groups.
//
// A signum is the start of a record line: region code, number and type part, each followed
// by one blank ("U 344 $ "). The 44 regions (43 areas and one for faulty signums) are split into
// 68 groups; seven regions have one group per hundred of the signum number.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace stavbas {

constexpr int kRegionCount = 44;  // region 44 stands for a faulty signum
constexpr int kAreaCount = 43;    // the real provinces and countries
constexpr int kGroupCount = 68;   // group 68 is the faulty signums' group
constexpr int kFaultyRegion = 44;
constexpr int kFaultyGroup = 68;
constexpr int kOtherAreas = 43;  // "Övriga områden", code X

struct Region {
  const char* code;  // Windows-1252, empty for the faulty region
  const char* name;  // Windows-1252
  int firstGroup;
  int lastGroup;
  bool splitByHundreds;
};

// Region 1 to 44.
const Region& RegionInfo(int region);

// Region 1 to 44 of a signum text. When `otherAreasSeen` is given it is set to true for a code
// that could name one of the other areas (a one-letter code of region 43, or any two-letter
// code with a letter in both places); it is never cleared here.
int RegionOf(std::string_view signum, bool* otherAreasSeen = nullptr);
// The number part, 0 when it does not read as a non-negative integer.
int NumberOf(std::string_view signum);
// Group 1 to 68.
int GroupOf(std::string_view signum);
// GroupOf for the lines of a file, which mostly share their region code with the line before:
// a code's region is looked up once for each change of code, and a plain number is read in
// place. A line of at least 16 bytes whose code and hundreds are those of the line before (the
// same bytes up to them, a number of as many digits) has that line's group without a reading.
class GroupFinder {
 public:
  int GroupOf(std::string_view signum);

 private:
  int Read(std::string_view signum);

  // The bytes of the last code with the blank after it (never 0), and its region.
  std::uint32_t code_ = 0;
  const Region* region_ = nullptr;
  // The first 16 bytes of the last signum, a bit for each digit among them, and its group;
  // `lastKnown_` is false when that signum was shorter.
  std::array<char, 16> last_{};
  std::uint32_t lastDigits_ = 0;
  int lastGroup_ = 0;
  bool lastKnown_ = false;
};
struct GroupRange {
  int first;
  int last;
};
// First and last group of the signum's region (68 and 68 for a faulty one).
GroupRange RegionRange(std::string_view signum);

// The region code folded as signums are compared (second letter folded), or the region for
// a code typed by the user ("Sö", "SÖ", "sö" is not a code: the first letter must be a capital).
int RegionOfCode(std::string_view code);

// A line that holds an inscription: not empty and not beginning with ! " % or an apostrophe.
inline bool IsRecordLine(std::string_view line) {
  if (line.empty()) return false;
  switch (line[0]) {
    case '!':
    case '"':
    case '%':
    case '\'':
      return false;
    default:
      return true;
  }
}

// The signum part of a line: its text up to and including the third blank, or the whole text
// when it has fewer blanks.
std::string_view SignumOfLine(std::string_view line);
// The same for a line that ends at its first NUL, followed by at least 15 readable bytes.
std::string_view SignumOfPaddedLine(const char* line);
// The text up to and including the n-th blank, padded with blanks to n blanks when shorter.
std::string UpToBlank(std::string_view text, int n);

}  // namespace stavbas
