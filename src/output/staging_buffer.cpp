#include "output/output_window.h"

#include <algorithm>

namespace stavbas {

void StagingBuffer::Clear() {
  for (StyledRun& run : runs_) {
    run.text.clear();
    spare_.push_back(std::move(run.text));
  }
  runs_.clear();
  length_ = 0;
}

void StagingBuffer::Append(std::string_view text, const TextStyle& style) {
  if (text.empty()) return;
  if (runs_.empty() || runs_.back().style != style) {
    runs_.emplace_back();
    if (!spare_.empty()) {
      runs_.back().text = std::move(spare_.back());
      spare_.pop_back();
    }
    runs_.back().style = style;
  }
  runs_.back().text += text;
  length_ += text.size();
}

std::string StagingBuffer::Text() const {
  std::string text;
  text.reserve(length_);
  for (const StyledRun& run : runs_) text += run.text;
  return text;
}

bool StagingBuffer::EndsWith(std::string_view tail) const {
  if (tail.size() > length_) return false;
  // Compared from the back, run by run, so that the whole text is never built.
  std::size_t left = tail.size();
  for (auto run = runs_.rbegin(); left > 0 && run != runs_.rend(); ++run) {
    const std::size_t n = std::min(left, run->text.size());
    if (std::string_view(run->text).substr(run->text.size() - n) != tail.substr(left - n, n))
      return false;
    left -= n;
  }
  return left == 0;
}

}  // namespace stavbas
