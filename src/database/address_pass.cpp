#include "database/address_pass.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace stavbas {

AddressPass::AddressPass(Ui& ui, TDatafil& f, HeldLines* held, bool fillIndex)
    : ui_(ui), f_(f), held_(held), fillIndex_(fillIndex) {
  f.signums().Clear();
  f.indexPending = !fillIndex;
}

[[gnu::always_inline]] inline bool AddressPass::KeptSignum::HasThreeBlanks(const char* p) {
#if defined(__SSE2__)
  const __m128i blank = _mm_set1_epi8(' ');
  const auto mask = [&](const char* q) {
    return static_cast<std::uint32_t>(_mm_movemask_epi8(
        _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(q)), blank)));
  };
  std::uint32_t m = mask(p) | mask(p + 16) << 16;
  m &= m - 1;
  m &= m - 1;
  return m != 0;
#else
  return std::count(p, p + kHead, ' ') >= 3;
#endif
}

[[gnu::always_inline]] inline void AddressPass::KeptSignum::Keep(std::string_view line) {
  if (line.size() >= kHead) {
    std::memcpy(head_, line.data(), kHead);
    inHead_ = HasThreeBlanks(head_);
    if (inHead_) return;
  }
  long_.assign(SignumOfLine(line));
  inHead_ = false;
}

std::string_view AddressPass::KeptSignum::Text() const {
  return inHead_ ? SignumOfLine(std::string_view(head_, kHead)) : std::string_view(long_);
}

void AddressPass::Fault(Str what) {
  ui_.ProgressLine(ui_.S(what) + " " + UpToBlank(lastSignum_.Text(), 3), true, held_);
  fault_ = true;
}

void AddressPass::Line(std::uint64_t offset, std::string_view line) {
  const std::int32_t lineNo = ++lastLine_;
  lastOffset_ = offset;
  line = line.substr(0, kSignumBytes);
  if (fillIndex_) f_.signums().Add(lineNo, offset, line);
  if (!IsRecordLine(line)) {
    if (anyRecord_) Fault(Str::SignumIFelOrdning);
    return;
  }
  anyRecord_ = true;
  lastSignum_.Keep(line);
  const int g = groups_.GroupOf(line);
  if (g == prevGroup_) return;
  const int region = RegionOf(line, &ui_.otherAreasSeen);
  if (region != prevRegion_) {
    ui_.ProgressLine("  " + std::string(RegionInfo(region).name), false, held_);
    prevRegion_ = region;
  }
  if (g == kFaultyGroup) Fault(Str::FelaktigtSignum);
  if (g < prevGroup_) Fault(Str::SignumIFelOrdning);
  if (prevGroup_ != kFaultyGroup) {
    for (int h = prevGroup_ + 1; h <= g; ++h) a_[h] = lineNo;
    if (prevGroup_ < g) {
      offsets_[lineNo] = offset;
      if (fillIndex_) f_.signums().KeepLast();
    }
  }
  prevGroup_ = g;
}

bool AddressPass::Finish() {
  if (prevGroup_ != kFaultyGroup) {
    for (int h = prevGroup_ + 1; h <= kGroupCount; ++h) a_[h] = lastLine_;
    if (prevGroup_ < kGroupCount && lastLine_ > 0) {
      offsets_[lastLine_] = lastOffset_;
      if (fillIndex_) f_.signums().KeepLast();
    }
  }
  f_.SetAddresses(a_, offsets_);
  return !fault_;
}

}  // namespace stavbas
