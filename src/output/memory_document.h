#pragma once
// The output window held in memory, for the command-line program and the tests. The text is
// one string; styles are kept as spans over it and line starts as an index, both updated in
// place, so appending stays linear and a line is found by index without scanning. Text
// appended at the end is searched for its line ends only when a line is first asked for.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "output/output_window.h"

namespace stavbas {

class MemoryDocument : public OutputWindow {
 public:
  // Without `keepStyles` the text alone is kept, all of it in the default style.
  explicit MemoryDocument(bool keepStyles = true) : keepStyles_(keepStyles) {}

  std::string Text() const override { return text_; }
  std::size_t Length() const override { return text_.size(); }
  std::string Tail(std::size_t count) const override {
    return text_.substr(text_.size() - std::min(count, text_.size()));
  }
  int LineCount() const override;
  // An index past the last line reads as an empty line.
  std::string Line(int index) const override;
  // Past the last line: the end of the text.
  std::size_t LineStart(int index) const override;
  bool LineEmpty(int index) const override;
  bool EndsWithEmptyLine(int minLines) const override;

  // Appending leaves the insertion point at the end, as writing into the window does.
  void Append(const std::vector<StyledRun>& runs) override;
  // The composed text is copied once, its styles are added as spans at the end.
  void AppendStaged(const StagingBuffer& staging, int size) override;
  void Delete(std::size_t start, std::size_t count) override;
  void InsertAtCursor(std::string_view text, const TextStyle& style) override;
  void InsertAtStart(std::string_view text, const TextStyle& style) override;
  void MoveCursorToEnd() override { cursor_ = text_.size(); }
  void Clear() override;
  int FontSizeAtEnd() const override;
  std::vector<StyledRun> Runs() const override;
  bool KeepsStyles() const override { return keepStyles_; }

  std::size_t Cursor() const { return cursor_; }
  void SetCursor(std::size_t position) { cursor_ = std::min(position, text_.size()); }

 protected:
  std::string_view TextView() const { return text_; }
  // Appends the staged text from position `from` on, as AppendStaged appends the whole.
  void AppendStagedFrom(const StagingBuffer& staging, int size, std::size_t from);
  // The first `count` characters in pieces of one style, read in place, into `pieces`.
  void PiecesBefore(std::size_t count, std::vector<StyledPiece>& pieces) const;
  // Room for this much text, taken at once rather than as the text grows.
  void ReserveText(std::size_t length) { text_.reserve(length); }
  // Delete(0, count), for text handed on from the start.
  void DeleteFront(std::size_t count);

 private:
  // A span runs from its start to the next span's start; neighbours differ in style.
  struct Span {
    std::size_t start;
    std::size_t style;  // index into styles_
  };

  std::size_t StyleIndex(const TextStyle& style);
  void AppendSpan(std::size_t pos, std::size_t style);
  void Insert(std::size_t pos, std::string_view text, std::size_t style);
  void InsertSpan(std::size_t pos, std::size_t count, std::size_t style);
  void InsertLineStarts(std::size_t pos, std::size_t count);
  void DeleteSpans(std::size_t start, std::size_t count);
  void DeleteLineStarts(std::size_t start, std::size_t count);
  // Completes the line index for the text appended since it was last complete.
  void FindLineStarts() const;

  bool keepStyles_;
  std::string text_;
  std::vector<Span> spans_;        // none where styles are not kept
  std::vector<TextStyle> styles_;  // every style used so far; few, so searched in order
  std::size_t lastStyle_ = 0;      // the one found last
  // The style indexes of the staging buffer's style numbers in the last AppendStaged: valid
  // while the same buffer comes in the same size and the styles are not cleared.
  std::uint64_t stagedSerial_ = 0;
  int stagedSize_ = 0;
  std::vector<std::size_t> stagedStyles_;
  // The position after every "\r\n", with 0 for the first line, as far as the text has been
  // searched: every line end whose "\n" lies before `linesFound_` is in it, and no other.
  mutable std::vector<std::size_t> lineStarts_{0};
  mutable std::size_t linesFound_ = 0;
  std::size_t cursor_ = 0;
};

}  // namespace stavbas
