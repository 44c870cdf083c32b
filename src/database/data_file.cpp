#include "database/data_file.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>

#include "base/char_tables.h"
#include "database/address_pass.h"

namespace stavbas {

void TDatafil::SetAddresses(const Addresses& addresses,
                            const std::map<std::int32_t, std::uint64_t>& known) {
  address_ = addresses;
  // The groups' first lines and the lines the signum index keeps, both in order, merged: the
  // file's checkpoints. Their offsets come from `known` and the index, also in order.
  std::vector<std::int32_t> groupLines(address_.begin() + 1, address_.end());
  std::sort(groupLines.begin(), groupLines.end());  // a faulty file's may fall back
  const auto& lines = signums_.lines();
  cpLines_.clear();
  cpLines_.reserve(groupLines.size() + lines.size());
  std::merge(groupLines.begin(), groupLines.end(), lines.begin(), lines.end(),
             std::back_inserter(cpLines_));
  cpLines_.erase(std::unique(cpLines_.begin(), cpLines_.end()), cpLines_.end());
  cpOffsets_.assign(cpLines_.size(), -1);
  // The offset of a checkpoint line, asked in order from `cp` on; none for another line.
  auto cp = cpLines_.begin();
  auto offsetOf = [&](std::int32_t line) -> std::int64_t* {
    cp = std::lower_bound(cp, cpLines_.end(), line);
    if (cp == cpLines_.end() || *cp != line) return nullptr;
    return &cpOffsets_[static_cast<std::size_t>(cp - cpLines_.begin())];
  };
  for (const auto& [line, offset] : known)
    if (std::int64_t* at = offsetOf(line)) *at = static_cast<std::int64_t>(offset);
  cp = cpLines_.begin();
  const std::vector<std::uint64_t> offsets = signums_.TakeOffsets();
  for (std::size_t i = 0; i < lines.size() && i < offsets.size(); ++i)
    if (std::int64_t* at = offsetOf(lines[i])) *at = static_cast<std::int64_t>(offsets[i]);
  nextCp_ = static_cast<std::size_t>(
      std::lower_bound(cpLines_.begin(), cpLines_.end(), lineCounter) - cpLines_.begin());
}

void TDatafil::AddIndexCheckpoints() {
  std::map<std::int32_t, std::uint64_t> known;
  for (std::size_t i = 0; i < cpLines_.size(); ++i)
    if (cpOffsets_[i] >= 0) known[cpLines_[i]] = static_cast<std::uint64_t>(cpOffsets_[i]);
  SetAddresses(address_, known);
}

void TDatafil::NoteCheckpoint() {
  while (nextCp_ < cpLines_.size() && cpLines_[nextCp_] < lineCounter) ++nextCp_;
  if (nextCp_ < cpLines_.size() && cpLines_[nextCp_] == lineCounter) {
    cpOffsets_[nextCp_] = static_cast<std::int64_t>(file().Offset());
    ++nextCp_;
  }
}

int TDatafil::SeekLine(std::int32_t n) {
  if (n < 1) n = 1;
  if (n != lineCounter) {
    // Start from the nearest known line at or before n, or go on from here when that is nearer.
    std::int32_t fromLine = 1;
    std::uint64_t fromOffset = 0;
    auto it = std::upper_bound(cpLines_.begin(), cpLines_.end(), n);
    for (auto i = static_cast<std::size_t>(it - cpLines_.begin()); i-- > 0;)
      if (cpOffsets_[i] >= 0) {
        fromLine = cpLines_[i];
        fromOffset = static_cast<std::uint64_t>(cpOffsets_[i]);
        break;
      }
    if (!(lineCounter < n && lineCounter >= fromLine)) {
      if (const int err = file().Seek(fromOffset)) return err;
      lineCounter = fromLine;
      nextCp_ = static_cast<std::size_t>(
          std::lower_bound(cpLines_.begin(), cpLines_.end(), lineCounter) - cpLines_.begin());
    }
  }
  while (lineCounter < n) {
    NoteCheckpoint();
    NoteSkip();
    const LineFile::Result r = PassLine();
    if (r == LineFile::Result::Error) return file().error();
    if (r == LineFile::Result::End) break;
    ++lineCounter;
    ++linesSkipped;
  }
  return 0;
}

inline void TDatafil::Verify(std::int32_t n, std::string_view line) {
  AddressVerifier& v = *verifier_;
  if (n < v.NextLine() || v.verdict() != AddressVerifier::Verdict::kFits) return;
  if (n > v.NextLine()) return v.Lost();
  // The view of a line passed over lies in the read buffer, which a look for the file's end
  // may move: the line is taken before.
  if (v.Line(line) == AddressVerifier::Verdict::kFitsIfLast && !file().AtEnd()) v.NotLast();
}

LineFile::Result TDatafil::ReadNextLine() {
  if (feed_) [[unlikely]]
    return ReadAndFeed();
  NoteCheckpoint();
  const LineFile::Result r = file().ReadLine(Buffer(), kLineCapacity, BufferLength());
  if (r == LineFile::Result::Line) {
    ++lineCounter;
    ++linesRead;
    if (verifier_) VerifyRead();
  }
  return r;
}

[[gnu::noinline]] void TDatafil::VerifyRead() {
  Verify(lineCounter - 1, std::string_view(Buffer(), BufferLength()));
}

[[gnu::noinline]] LineFile::Result TDatafil::ReadAndFeed() {
  NoteCheckpoint();
  const std::uint64_t offset = file().Offset();
  const LineFile::Result r = file().ReadLine(Buffer(), kLineCapacity, BufferLength());
  if (r == LineFile::Result::Line) {
    ++lineCounter;
    ++linesRead;
    Feed(offset);
    if (verifier_) Verify(lineCounter - 1, std::string_view(Buffer(), BufferLength()));
  }
  return r;
}

LineFile::Result TDatafil::PassLine() {
  if (!verifier_ || lineCounter != verifier_->NextLine()) return file().SkipLine();
  std::string_view line;
  const LineFile::Result r = file().ViewLine(line, AddressPass::kSignumBytes);
  if (r == LineFile::Result::Line) Verify(lineCounter, line);
  return r;
}

AddressVerifier::Verdict TDatafil::LoadedAddressesAtEnd() {
  if (!verifier_) return AddressVerifier::Verdict::kUndecided;
  AddressVerifier& v = *verifier_;
  if (v.verdict() != AddressVerifier::Verdict::kFits) return v.verdict();
  // Every line must have been shown: the file's end is where the next line would be.
  if (v.NextLine() != lineCounter || !file().AtEnd()) return AddressVerifier::Verdict::kUndecided;
  return v.Finish() ? AddressVerifier::Verdict::kFits : AddressVerifier::Verdict::kDiffers;
}

void TDatafil::BeginAddresses() {
  address_.fill(std::numeric_limits<std::int32_t>::max());
  address_[0] = 0;
  cpLines_.clear();
  cpOffsets_.clear();
  nextCp_ = 0;
}

void TDatafil::FeedLines(AddressPass* pass) {
  feed_ = pass;
  fedInOrder_ = true;
}

std::int32_t TDatafil::FedNext() const {
  return feed_->NextLine();
}

void TDatafil::Feed(std::uint64_t offset) {
  const std::int32_t n = lineCounter - 1;
  if (n < feed_->NextLine()) return;  // read again after a seek back
  if (n > feed_->NextLine()) {
    StopFeeding();
    return;
  }
  // The line as the pass over the file shows it: up to a NUL byte.
  feed_->Line(offset, AddressPass::Taken(std::string_view(Buffer(), BufferLength()),
                                         file().LineMayHoldNul()));
}

LineFile::Result TDatafil::ReadUntil(std::string_view prefix,
                                     const std::function<bool(std::string_view)>& matches,
                                     std::int32_t limit, bool& found) {
  found = false;
  const unsigned char* upper = SystemUpper().data();
  while (lineCounter <= limit) {
    const int quick = file().NextLineStartsWith(prefix, upper);
    if (quick == 0) {
      NoteCheckpoint();
      NoteSkip();
      const LineFile::Result r = PassLine();
      if (r != LineFile::Result::Line) return r;
      ++lineCounter;
      ++linesRead;
      continue;
    }
    const LineFile::Result r = ReadNextLine();
    if (r != LineFile::Result::Line) return r;
    if (matches(BufferView())) {
      found = true;
      return r;
    }
  }
  return LineFile::Result::Line;
}

}  // namespace stavbas
