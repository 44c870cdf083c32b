#include "output/memory_document.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace stavbas {

int MemoryDocument::LineCount() const {
  FindLineStarts();
  // Nothing after the last line end is no line.
  const bool emptyTail = lineStarts_.back() == text_.size();
  return static_cast<int>(lineStarts_.size() - (emptyTail ? 1 : 0));
}

std::string MemoryDocument::Line(int index) const {
  if (index < 0 || index >= LineCount()) return {};  // LineCount completes the index
  const std::size_t start = lineStarts_[index];
  const std::size_t end = static_cast<std::size_t>(index) + 1 < lineStarts_.size()
                              ? lineStarts_[index + 1] - 2
                              : text_.size();
  return text_.substr(start, end - start);
}

std::size_t MemoryDocument::LineStart(int index) const {
  if (index < 0) return 0;
  if (index >= LineCount()) return text_.size();  // LineCount completes the index
  return lineStarts_[index];
}

void MemoryDocument::Append(const std::vector<StyledRun>& runs) {
  for (const StyledRun& run : runs) Insert(text_.size(), run.text, StyleIndex(run.style));
  cursor_ = text_.size();
}

void MemoryDocument::AppendStaged(const StagingBuffer& staging, int size) {
  AppendStagedFrom(staging, size, 0);
}

void MemoryDocument::AppendStagedFrom(const StagingBuffer& staging, int size, std::size_t from) {
  if (!keepStyles_) {
    text_.append(staging.text().substr(from));
    cursor_ = text_.size();
    return;
  }
  if (staging.serial() != stagedSerial_ || size != stagedSize_) {
    stagedSerial_ = staging.serial();
    stagedSize_ = size;
    stagedStyles_.clear();
  }
  constexpr std::size_t kUnknown = SIZE_MAX;
  auto styleOf = [&](std::uint32_t id) {
    if (id >= stagedStyles_.size()) stagedStyles_.resize(id + 1, kUnknown);
    std::size_t& index = stagedStyles_[id];
    if (index != kUnknown) return index;
    TextStyle style = staging.StyleOf(id);
    if (size > 0) style.size = size;
    return index = StyleIndex(style);
  };
  const std::size_t pos = text_.size();
  text_.append(staging.text().substr(from));
  std::size_t start = pos;
  for (const StagingBuffer::Span& span : staging.spans()) {
    if (span.end <= from) continue;
    AppendSpan(start, styleOf(span.style));
    start = pos + (span.end - from);
  }
  cursor_ = text_.size();  // its line ends are found when a line is asked for
}

void MemoryDocument::InsertAtCursor(std::string_view text, const TextStyle& style) {
  const std::size_t pos = cursor_;
  Insert(pos, text, StyleIndex(style));
  cursor_ = pos + text.size();
}

void MemoryDocument::InsertAtStart(std::string_view text, const TextStyle& style) {
  Insert(0, text, StyleIndex(style));
  cursor_ += text.size();
}

void MemoryDocument::Delete(std::size_t start, std::size_t count) {
  if (start >= text_.size()) return;
  count = std::min(count, text_.size() - start);
  if (count == 0) return;
  if (start + count == text_.size()) {  // the end goes, as an empty last line often does
    text_.resize(start);
    while (!spans_.empty() && spans_.back().start >= start) spans_.pop_back();
    while (lineStarts_.back() > start) lineStarts_.pop_back();
    linesFound_ = std::min(linesFound_, start);
    cursor_ = std::min(cursor_, start);
    return;
  }
  FindLineStarts();
  text_.erase(start, count);
  DeleteSpans(start, count);
  DeleteLineStarts(start, count);
  linesFound_ = text_.size();
  if (cursor_ > start) cursor_ = cursor_ >= start + count ? cursor_ - count : start;
}

void MemoryDocument::DeleteFront(std::size_t count) {
  count = std::min(count, text_.size());
  if (count == 0) return;
  if (count == text_.size()) {  // everything goes, as a streaming window's kept line often does
    text_.clear();
    spans_.clear();
    lineStarts_.assign(1, 0);
    linesFound_ = 0;
    cursor_ = 0;
    return;
  }
  text_.erase(0, count);
  // The span that holds the first character left starts the text; those before it are gone.
  const auto holder = std::upper_bound(spans_.begin(), spans_.end(), count,
                                       [](std::size_t p, const Span& s) { return p < s.start; });
  if (text_.empty() || holder == spans_.begin()) {
    spans_.clear();
  } else {
    spans_.erase(spans_.begin(), holder - 1);
    spans_.front().start = count;
    for (Span& span : spans_) span.start -= count;
  }
  // The line ends found so far move with the text; the rest are found when asked for.
  DeleteLineStarts(0, count);
  linesFound_ = linesFound_ > count ? linesFound_ - count : 0;
  cursor_ = cursor_ >= count ? cursor_ - count : 0;
}

void MemoryDocument::Clear() {
  stagedSerial_ = 0;
  text_.clear();
  spans_.clear();
  styles_.clear();
  lastStyle_ = 0;
  lineStarts_.assign(1, 0);
  linesFound_ = 0;
  cursor_ = 0;
}

int MemoryDocument::FontSizeAtEnd() const {
  return spans_.empty() ? defaultStyle.size : styles_[spans_.back().style].size;
}

std::vector<StyledRun> MemoryDocument::Runs() const {
  std::vector<StyledPiece> pieces;
  PiecesBefore(text_.size(), pieces);
  return RunsOf(pieces);
}

void MemoryDocument::PiecesBefore(std::size_t count, std::vector<StyledPiece>& pieces) const {
  pieces.clear();
  const std::string_view text = text_;
  if (!keepStyles_) {
    if (count > 0) pieces.push_back({text.substr(0, count), &defaultStyle});
    return;
  }
  for (std::size_t i = 0; i < spans_.size() && spans_[i].start < count; ++i) {
    const std::size_t end =
        std::min(i + 1 < spans_.size() ? spans_[i + 1].start : text_.size(), count);
    pieces.push_back(
        {text.substr(spans_[i].start, end - spans_[i].start), &styles_[spans_[i].style]});
  }
}

bool MemoryDocument::LineEmpty(int index) const {
  FindLineStarts();
  const std::size_t start = lineStarts_[index];
  const std::size_t next = static_cast<std::size_t>(index) + 1;
  return next < lineStarts_.size() ? lineStarts_[next] - 2 == start : text_.size() == start;
}

bool MemoryDocument::EndsWithEmptyLine(int minLines) const {
  // A line end is "\r\n" wherever it stands, so the last line is empty where the text ends
  // with two line ends, or is one line end: one line.
  if (minLines > 2) return OutputWindow::EndsWithEmptyLine(minLines);
  const std::string_view text = text_;
  return text.ends_with("\r\n\r\n") || (minLines <= 1 && text == "\r\n");
}

std::size_t MemoryDocument::StyleIndex(const TextStyle& style) {
  // Most text comes in the style it came in before.
  if (lastStyle_ < styles_.size() && styles_[lastStyle_] == style) return lastStyle_;
  const auto it = std::find_if(styles_.begin(), styles_.end(),
                               [&style](const TextStyle& s) { return s == style; });
  lastStyle_ = static_cast<std::size_t>(it - styles_.begin());
  if (it == styles_.end()) styles_.push_back(style);
  return lastStyle_;
}

void MemoryDocument::AppendSpan(std::size_t pos, std::size_t style) {
  if (spans_.empty() || spans_.back().style != style) spans_.push_back(Span{pos, style});
}

void MemoryDocument::Insert(std::size_t pos, std::string_view text, std::size_t style) {
  if (text.empty()) return;
  pos = std::min(pos, text_.size());
  if (pos == text_.size()) {  // appended: its line ends are found when a line is asked for
    text_.append(text);
    if (keepStyles_) InsertSpan(pos, text.size(), style);
    return;
  }
  FindLineStarts();
  text_.insert(pos, text);
  if (keepStyles_) InsertSpan(pos, text.size(), style);
  InsertLineStarts(pos, text.size());
  linesFound_ = text_.size();
}

void MemoryDocument::InsertSpan(std::size_t pos, std::size_t count, std::size_t style) {
  const auto first = std::lower_bound(spans_.begin(), spans_.end(), pos,
                                      [](const Span& s, std::size_t p) { return s.start < p; });
  const std::size_t k = static_cast<std::size_t>(first - spans_.begin());
  const bool atBoundary = k < spans_.size() && spans_[k].start == pos;
  // The text was inserted before the first span starting at or after pos.
  for (std::size_t i = k; i < spans_.size(); ++i) spans_[i].start += count;
  const bool atEnd = k == spans_.size() && pos + count == text_.size();
  if (!atBoundary && !atEnd && k > 0) {
    // Inside span k-1: it resumes after the inserted text.
    const std::size_t outer = spans_[k - 1].style;
    if (outer == style) return;
    spans_.insert(spans_.begin() + static_cast<std::ptrdiff_t>(k),
                  {Span{pos, style}, Span{pos + count, outer}});
    return;
  }
  const bool sameAsPrevious = k > 0 && spans_[k - 1].style == style;
  const bool sameAsNext = k < spans_.size() && spans_[k].style == style;
  if (sameAsPrevious && sameAsNext)
    spans_.erase(spans_.begin() + static_cast<std::ptrdiff_t>(k));
  else if (sameAsNext)
    spans_[k].start = pos;
  else if (!sameAsPrevious)
    spans_.insert(spans_.begin() + static_cast<std::ptrdiff_t>(k), Span{pos, style});
}

void MemoryDocument::FindLineStarts() const {
  for (std::size_t j = std::max<std::size_t>(linesFound_, 1); j < text_.size();) {
    const void* hit = std::memchr(text_.data() + j, '\n', text_.size() - j);
    if (!hit) break;
    j = static_cast<std::size_t>(static_cast<const char*>(hit) - text_.data());
    if (text_[j - 1] == '\r') lineStarts_.push_back(j + 1);
    ++j;
  }
  linesFound_ = text_.size();
}

void MemoryDocument::InsertLineStarts(std::size_t pos, std::size_t count) {
  // Starts at or before pos are untouched; a line end split by the insertion (its start
  // pos + 1) is gone; later starts move by count. New line ends can only lie in the inserted
  // text and at its two seams.
  auto it = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), pos);
  if (it != lineStarts_.end() && *it == pos + 1) it = lineStarts_.erase(it);
  for (auto later = it; later != lineStarts_.end(); ++later) *later += count;
  // A line end's "\n" lies in the inserted text or just after it.
  const std::size_t from = std::max<std::size_t>(pos, 1);
  const std::size_t to = std::min(pos + count + 1, text_.size());
  auto lineEnds = [&](auto&& add) {
    for (std::size_t j = from; j < to;) {
      const void* hit = std::memchr(text_.data() + j, '\n', to - j);
      if (!hit) break;
      j = static_cast<std::size_t>(static_cast<const char*>(hit) - text_.data());
      if (text_[j - 1] == '\r') add(j + 1);
      ++j;
    }
  };
  if (it == lineStarts_.end()) {  // appended at the end: the new starts go last
    lineEnds([this](std::size_t start) { lineStarts_.push_back(start); });
    return;
  }
  std::vector<std::size_t> added;
  lineEnds([&added](std::size_t start) { added.push_back(start); });
  lineStarts_.insert(it, added.begin(), added.end());
}

void MemoryDocument::DeleteSpans(std::size_t start, std::size_t count) {
  const std::size_t end = start + count;
  auto map = [&](std::size_t p) { return p < start ? p : (p < end ? start : p - count); };
  // Spans squeezed to nothing are dropped and neighbours that meet in one style are merged.
  // The spans before the one that holds `start` stay as they are.
  const auto first = std::upper_bound(spans_.begin(), spans_.end(), start,
                                      [](std::size_t p, const Span& s) { return p < s.start; });
  std::size_t out =
      first == spans_.begin() ? 0 : static_cast<std::size_t>(first - spans_.begin()) - 1;
  for (std::size_t i = out; i < spans_.size(); ++i) {
    const std::size_t from = map(spans_[i].start);
    const std::size_t to = i + 1 < spans_.size() ? map(spans_[i + 1].start) : text_.size();
    if (from == to) continue;
    if (out > 0 && spans_[out - 1].style == spans_[i].style) continue;
    spans_[out++] = Span{from, spans_[i].style};
  }
  spans_.resize(out);
}

void MemoryDocument::DeleteLineStarts(std::size_t start, std::size_t count) {
  // Starts at or before start are untouched; starts whose line end lay wholly after the
  // deleted text move back by count; the rest are gone. A line end may form at the seam.
  const auto lo = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), start);
  const auto hi = std::lower_bound(lo, lineStarts_.end(), start + count + 2);
  auto it = lineStarts_.erase(lo, hi);
  for (auto later = it; later != lineStarts_.end(); ++later) *later -= count;
  if (start > 0 && start < text_.size() && text_[start - 1] == '\r' && text_[start] == '\n')
    lineStarts_.insert(it, start + 1);
}

}  // namespace stavbas
