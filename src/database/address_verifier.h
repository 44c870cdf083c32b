#pragma once
// Whether group addresses loaded from the index file are a data file's. The index keys each
// file by its size and time stamp only, so a file replaced by another of the same size within
// the same stamp keeps an index that no longer fits it. The lines, taken in order from the
// file's first, give the addresses the computing pass would give; they are compared with the
// loaded ones as far as the lines tell, so that a walk that reads the file in order learns of
// a difference before it relies on an address beyond the lines it has read.

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "database/regions.h"

namespace stavbas {

class AddressVerifier {
 public:
  // A file's addresses: the line on which each group 1 to 68 begins.
  using Addresses = std::array<std::int32_t, kGroupCount + 1>;

  enum class Verdict {
    kFits,        // the lines so far agree with the addresses
    kFitsIfLast,  // they agree if this line is the file's last (the groups after it begin there)
    kDiffers,     // the addresses are not the file's
    kUndecided,   // the lines are out of order: only all of them tell (Finish)
  };

  // `loaded` must outlive the verifier.
  explicit AddressVerifier(const Addresses& loaded) : loaded_(loaded) {}

  // The next line, as it stands (at least its signum's bytes; a NUL byte is taken as the
  // computing pass takes it).
  Verdict Line(std::string_view line) {
    // Nearly every line is a record of the group of the line before it, well before the line
    // on which the next group begins.
    if (lines_ + 1 < quickBefore_ && SameGroupAsLast(line)) {
      ++lines_;
      return Verdict::kFits;
    }
    return Take(line);
  }
  // The verdict so far: kFits, kDiffers or kUndecided.
  Verdict verdict() const { return verdict_; }
  // The line taken last, which had to be the file's last, was not.
  void NotLast() {
    if (verdict_ == Verdict::kFits) verdict_ = Verdict::kDiffers;
  }
  // Lines were passed without being shown here: only a pass over all of them tells.
  void Lost() {
    if (verdict_ == Verdict::kFits) verdict_ = Verdict::kUndecided;
  }
  // The number the next line takes.
  std::int32_t NextLine() const { return lines_ + 1; }
  // After the file's last line: whether the addresses are exactly those the lines give (the
  // lines out of order too).
  bool Finish();

 private:
  // Line for every line the quick look does not settle.
  Verdict Take(std::string_view line);
  // Notes what makes a line's group that of the record line just taken (Take), for the quick
  // look.
  void KeepGroupShape(std::string_view line);

  // Whether a line's group is that of the last record line taken, by a look at its first
  // bytes: a signum's group follows from its code and, in a region split by hundreds, the
  // digits of its number but the last two and the count of digits. The same bytes there, and
  // a number of as many digits (its first not a 0), give the same group. A NUL byte after
  // those bytes does not change it (it ends the number as another byte would).
  bool SameGroupAsLast(std::string_view line) const {
    const char* p = line.data();
    const std::size_t size = line.size();
    if (size < 8) return false;
    std::uint64_t head;
    std::memcpy(&head, p, 8);
    if (((head ^ shapeBytes_) & shapeMask_) != 0) return false;
    const std::size_t from = digitsFrom_, end = digitsEnd_;
    if (end == 0) return true;  // a region not split: its code alone
    // One or two digits, the number's first not a 0, and no digit after them.
    if (size < end || p[nonZeroAt_] == '0' || !IsDigit(p[from])) return false;
    if (end - from == 2 && !IsDigit(p[from + 1])) return false;
    return end == size || !IsDigit(p[end]);
  }
  static bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

  const Addresses& loaded_;
  Addresses computed_{};
  GroupFinder groups_;
  std::int32_t lines_ = 0;
  int prevGroup_ = 0;
  bool anyRecord_ = false;
  bool inOrder_ = true;
  bool lastExpected_ = false;  // the loaded addresses let the last line be the file's last
  Verdict verdict_ = Verdict::kFits;
  // While the lines fit and are in order and the last one's group has a shape: the line on
  // which the loaded addresses begin the next group, before which a line may be taken by the
  // quick look (0 for none).
  std::int32_t quickBefore_ = 0;
  // The shape: the first bytes that must be equal (up to eight); in a region split by
  // hundreds, the bytes from digitsFrom_ to digitsEnd_ that must be digits, with no digit
  // after them, the number's first (at nonZeroAt_) not a 0 (digitsEnd_ 0 elsewhere).
  std::uint64_t shapeBytes_ = 0;
  std::uint64_t shapeMask_ = 0;
  std::size_t digitsFrom_ = 0;
  std::size_t digitsEnd_ = 0;
  std::size_t nonZeroAt_ = 0;
  bool shaped_ = false;
};

}  // namespace stavbas
