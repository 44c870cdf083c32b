#include <algorithm>
#include <atomic>

#include "output/output_window.h"

namespace stavbas {

std::uint32_t StagingBuffer::StyleId(const TextStyle& style) {
  // Most text comes in the style numbered last.
  if (lastStyle_ < styles_.size() && styles_[lastStyle_] == style) return lastStyle_;
  const auto it = std::find(styles_.begin(), styles_.end(), style);
  lastStyle_ = static_cast<std::uint32_t>(it - styles_.begin());
  if (it == styles_.end()) styles_.push_back(style);
  return lastStyle_;
}

std::uint64_t StagingBuffer::Serial::Next() {
  static std::atomic<std::uint64_t> last{0};
  return ++last;
}

void StagingBuffer::Grow(std::size_t n) {
  text_.resize(std::max({2 * text_.size(), size_ + n, std::size_t{256}}));
}

std::vector<StyledRun> StagingBuffer::runs() const {
  std::vector<StyledRun> runs;
  runs.reserve(spans_.size());
  std::size_t start = 0;
  for (const Span& span : spans_) {
    runs.push_back(
        StyledRun{std::string(text().substr(start, span.end - start)), styles_[span.style]});
    start = span.end;
  }
  return runs;
}

std::vector<StyledRun> RunsOf(const std::vector<StyledPiece>& pieces) {
  std::vector<StyledRun> runs;
  runs.reserve(pieces.size());
  for (const StyledPiece& piece : pieces) runs.push_back({std::string(piece.text), *piece.style});
  return runs;
}

}  // namespace stavbas
