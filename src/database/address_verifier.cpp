#include "database/address_verifier.h"

#include <algorithm>

#include "database/address_pass.h"

namespace stavbas {

// The addresses are computed as the computing pass computes them (AddressPass::Line and
// Finish), faults in the order of the lines included, so that Finish compares with what that
// pass would give. A file whose lines are in order, as the files the index is written for are,
// is told line by line: a group's address is final once a line of it or of a later group has
// been read, and every group not begun yet must begin after the lines read.
AddressVerifier::Verdict AddressVerifier::Take(std::string_view line) {
  const std::int32_t n = ++lines_;
  quickBefore_ = 0;
  shaped_ = false;
  // The line as the pass takes it: its first bytes, cut at a NUL byte among those its group
  // may depend on (see SameGroupAsLast).
  constexpr std::size_t kHead = 16;
  line = line.substr(0, AddressPass::kSignumBytes);
  if (const void* nul = std::memchr(line.data(), '\0', std::min(line.size(), kHead)))
    line = line.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - line.data()));
  int begun = prevGroup_;  // the groups from begun + 1 to prevGroup_ begin on this line
  if (!IsRecordLine(line)) {
    if (anyRecord_) inOrder_ = false;
  } else {
    anyRecord_ = true;
    const int g = groups_.GroupOf(line);
    if (g != prevGroup_) {
      if (g == kFaultyGroup || g < prevGroup_) inOrder_ = false;
      if (prevGroup_ != kFaultyGroup)
        for (int h = prevGroup_ + 1; h <= g; ++h) computed_[h] = n;
      prevGroup_ = g;
    }
    KeepGroupShape(line);
  }
  if (verdict_ != Verdict::kFits) return verdict_;
  if (!inOrder_ || lastExpected_) {
    // Out of order, the computed addresses may change again; a line after the one the
    // addresses took for the last is a line they do not know.
    verdict_ = inOrder_ ? Verdict::kDiffers : Verdict::kUndecided;
    return verdict_;
  }
  for (int h = begun + 1; h <= prevGroup_; ++h)
    if (loaded_[h] != n) return verdict_ = Verdict::kDiffers;
  const std::int32_t next = loaded_[prevGroup_ + 1];  // prevGroup_ < kFaultyGroup in order
  if (next < n) return verdict_ = Verdict::kDiffers;
  if (next == n) {
    // The groups after the last record's begin on the file's last line.
    lastExpected_ = true;
    return Verdict::kFitsIfLast;
  }
  if (shaped_) quickBefore_ = next;
  return Verdict::kFits;
}

void AddressVerifier::KeepGroupShape(std::string_view line) {
  // The code and its blank; a line too short for the look, or of another form, has none.
  if (line.size() < 8) return;
  const std::size_t code = line[1] == ' ' ? 2 : line[2] == ' ' ? 3 : 0;
  if (code == 0) return;
  std::size_t equal = code;  // the bytes that must be equal
  digitsFrom_ = digitsEnd_ = nonZeroAt_ = 0;
  if (RegionInfo(RegionOf(line)).splitByHundreds) {
    std::size_t digits = 0;
    while (code + digits < line.size() && IsDigit(line[code + digits])) ++digits;
    // A number of up to seven digits, its first not a 0 (which would make a number of 0).
    if (digits == 0 || digits > 7 || line[code] == '0') return;
    if (digits >= 3) equal = code + digits - 2;
    digitsFrom_ = equal;
    digitsEnd_ = code + digits;
    nonZeroAt_ = code;
  }
  std::memcpy(&shapeBytes_, line.data(), 8);
  shapeMask_ = equal >= 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * equal)) - 1;
  shaped_ = true;
}

bool AddressVerifier::Finish() {
  if (prevGroup_ != kFaultyGroup)
    for (int h = prevGroup_ + 1; h <= kGroupCount; ++h) computed_[h] = lines_;
  return std::equal(computed_.begin() + 1, computed_.end(), loaded_.begin() + 1);
}

}  // namespace stavbas
