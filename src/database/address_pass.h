#pragma once
// The computation of a data file's group addresses from its lines, taken in order: by a pass
// of its own over the file, or line by line from a walk that reads the file anyway (the
// data-file check at opening), so that the file is read once for both.

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "base/ui.h"
#include "database/data_file.h"
#include "database/regions.h"

namespace stavbas {

class AddressPass {
 public:
  // The part of a line that its signum and group are taken from.
  static constexpr std::size_t kSignumBytes = 254;
  // A line as the pass takes it: its first kSignumBytes bytes, up to a NUL byte where it may
  // hold one.
  static std::string_view Taken(std::string_view line, bool mayHoldNul) {
    line = line.substr(0, kSignumBytes);
    if (const void* nul = mayHoldNul ? std::memchr(line.data(), '\0', line.size()) : nullptr)
      line = line.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - line.data()));
    return line;
  }

  // A pass over f's lines, starting with f's signum index empty. Its progress and fault lines
  // are held in `held` where given (Ui::ProgressLine). Without `fillIndex` the signum index is
  // left to be filled when a lookup first needs it.
  AddressPass(Ui& ui, TDatafil& f, HeldLines* held = nullptr, bool fillIndex = true);

  // The next line, from its byte offset, as the line buffer holds it up to a NUL byte (only
  // its first kSignumBytes bytes count).
  void Line(std::uint64_t offset, std::string_view line);
  // The number the next line takes.
  std::int32_t NextLine() const { return lastLine_ + 1; }
  // After the last line: fills the addresses of the groups after the last one found and hands
  // them to the file with the offsets of the groups' first lines. False when a fault in the
  // file's order was found.
  bool Finish();

 private:
  void Fault(Str what);

  // The signum of the last record line, for a message about the lines after it: its text up
  // to the third blank. Nearly every signum lies within a line's first bytes, and those are
  // kept with a copy of fixed length; the signum is measured in them only when a message asks
  // for it.
  class KeptSignum {
   public:
    void Keep(std::string_view line);
    std::string_view Text() const;

   private:
    static constexpr std::size_t kHead = 32;
    static bool HasThreeBlanks(const char* p);
    char head_[kHead];
    bool inHead_ = false;  // whether the signum lies within head_; else it is long_
    std::string long_;
  };

  Ui& ui_;
  TDatafil& f_;
  TDatafil::Addresses a_{};
  HeldLines* held_;
  bool fillIndex_;
  std::map<std::int32_t, std::uint64_t> offsets_;  // lines that begin a group
  int prevGroup_ = 0;
  int prevRegion_ = 0;
  bool anyRecord_ = false;
  bool fault_ = false;
  KeptSignum lastSignum_;
  GroupFinder groups_;
  std::int32_t lastLine_ = 0;
  std::uint64_t lastOffset_ = 0;
};

}  // namespace stavbas
