#pragma once
// The output window: the read-only rich text that every run, message line and export text is
// written into. The window program backs it with a text control, the command-line program and
// the tests with an in-memory document. Text is Windows-1252; a line end is "\r\n".

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace stavbas {

struct TextStyle {
  std::string font = "Arial";
  int size = 10;  // points
  bool bold = false;
  bool italic = false;
  std::uint32_t color = 0;  // 0xRRGGBB; black

  // The cheap fields first: styles are compared for every piece of text.
  bool operator==(const TextStyle& o) const {
    return color == o.color && bold == o.bold && italic == o.italic && size == o.size &&
           font == o.font;
  }
};

inline constexpr std::uint32_t kBlack = 0x000000;
// The window's maximum length at start, and again after the window is cleared.
inline constexpr std::size_t kStartMaxLength = 2000000;
inline constexpr std::uint32_t kRed = 0xFF0000;

// A piece of text in one style.
struct StyledRun {
  std::string text;
  TextStyle style;

  bool operator==(const StyledRun&) const = default;
};

// A piece of text in one style, read in place where it is kept.
struct StyledPiece {
  std::string_view text;
  const TextStyle* style;
};

// The pieces as runs of their own (copies).
std::vector<StyledRun> RunsOf(const std::vector<StyledPiece>& pieces);

// Text composed with styles before it goes to the window: each piece is appended at the end
// and formatted as a whole; neighbouring pieces of the same style are merged. The text is kept
// in one string with the style changes beside it, and styles are named by small numbers, so
// composing costs a copy of the text and nothing more; clearing keeps the memory for the next
// inscription.
class StagingBuffer {
 public:
  // Where a stretch of one style ends in the text, and its style's number.
  struct Span {
    std::size_t end;
    std::uint32_t style;
  };

  void Clear() {
    size_ = 0;
    spans_.clear();
  }
  // The number of a style, for appending in it many times without comparing styles. Numbers
  // stay valid for the buffer's life.
  std::uint32_t StyleId(const TextStyle& style);
  const TextStyle& StyleOf(std::uint32_t id) const { return styles_[id]; }
  // Names this buffer's numbering of styles: no other buffer, nor a copy, has the same serial,
  // so a window may remember what the numbers stand for.
  std::uint64_t serial() const { return serial_.value; }

  void AppendIn(std::string_view text, std::uint32_t style) { AppendIn(text, {}, style); }
  // Two texts in one style, as if appended one after the other.
  void AppendIn(std::string_view first, std::string_view second, std::uint32_t style) {
    const std::size_t n = first.size() + second.size();
    if (n == 0) return;
    if (text_.size() - size_ < n) Grow(n);
    char* p = text_.data() + size_;
    for (const char c : first) *p++ = c;  // mostly a blank or a line end
    if (!second.empty()) std::memcpy(p, second.data(), second.size());
    Commit(n, style);
  }
  // Room for `n` bytes after the text, and 64 more that a writer of whole blocks may store
  // into; the bytes written there count once Commit takes them.
  char* Room(std::size_t n) {
    if (text_.size() - size_ < n + 64) Grow(n + 64);
    return text_.data() + size_;
  }
  void Commit(std::size_t n, std::uint32_t style) {
    if (n == 0) return;
    size_ += n;
    if (spans_.empty() || spans_.back().style != style)
      spans_.push_back(Span{size_, style});
    else
      spans_.back().end = size_;
  }
  void Append(std::string_view text, const TextStyle& style) {
    if (!text.empty()) AppendIn(text, StyleId(style));
  }
  // Drops the last `n` characters (all, when there are fewer) and the styles only they had.
  void DropEnd(std::size_t n) {
    size_ -= std::min(n, size_);
    while (!spans_.empty() && (spans_.size() > 1 ? spans_[spans_.size() - 2].end : 0) >= size_)
      spans_.pop_back();
    if (!spans_.empty()) spans_.back().end = size_;
  }

  std::string_view text() const { return {text_.data(), size_}; }
  const std::vector<Span>& spans() const { return spans_; }
  // The pieces as runs of their own (copies).
  std::vector<StyledRun> runs() const;
  std::size_t length() const { return size_; }
  bool empty() const { return size_ == 0; }
  std::string Text() const { return std::string(text()); }
  // Compared in place; with a literal the compare takes a few instructions, not a call.
  template <std::size_t N>
  bool EndsWith(const char (&tail)[N]) const {
    constexpr std::size_t n = N - 1;
    return size_ >= n && std::memcmp(text_.data() + size_ - n, tail, n) == 0;
  }

 private:
  void Grow(std::size_t n);

  // A new number for every buffer and every copy.
  struct Serial {
    Serial() : value(Next()) {}
    Serial(const Serial&) : value(Next()) {}
    Serial& operator=(const Serial&) {
      value = Next();
      return *this;
    }
    static std::uint64_t Next();
    std::uint64_t value;
  };

  std::vector<char> text_;  // the text is its first size_ characters; the rest is room
  std::size_t size_ = 0;
  std::vector<Span> spans_;
  std::vector<TextStyle> styles_;  // every style numbered so far; few
  std::uint32_t lastStyle_ = 0;    // the one numbered last
  Serial serial_;
};

class OutputWindow {
 public:
  virtual ~OutputWindow() = default;

  // The whole text and its length in characters (a line end counts as its two characters).
  virtual std::string Text() const = 0;
  virtual std::size_t Length() const = 0;
  // The last `count` characters (fewer in a shorter text), without building the whole text.
  virtual std::string Tail(std::size_t count) const = 0;
  // Lines as the text's "\r\n" separates them; text after the last line end is a last line.
  virtual int LineCount() const = 0;
  virtual std::string Line(int index) const = 0;
  // The character position at which a line begins.
  virtual std::size_t LineStart(int index) const = 0;
  // Whether line `index` (below LineCount()) holds no text.
  virtual bool LineEmpty(int index) const { return Line(index).empty(); }
  // Whether the window has `minLines` lines or more and the last holds no text.
  virtual bool EndsWithEmptyLine(int minLines) const {
    const int n = LineCount();
    return n >= minLines && n > 0 && LineEmpty(n - 1);
  }

  // Appends styled text at the end.
  virtual void Append(const std::vector<StyledRun>& runs) = 0;
  // Appends a composed text at the end as Append does with its pieces, each in its style but
  // in font size `size` when that is above 0.
  virtual void AppendStaged(const StagingBuffer& staging, int size) = 0;
  // Deletes characters [start, start + count).
  virtual void Delete(std::size_t start, std::size_t count) = 0;
  // Inserts text at the insertion point in one style, and moves the insertion point after it.
  virtual void InsertAtCursor(std::string_view text, const TextStyle& style) = 0;
  // Inserts text at the very start in one style (the notice that old text was dropped).
  virtual void InsertAtStart(std::string_view text, const TextStyle& style) = 0;
  virtual void MoveCursorToEnd() = 0;
  virtual void Clear() = 0;
  // The font size at the end of the text (for text appended from the staging buffer).
  virtual int FontSizeAtEnd() const = 0;
  // The styled runs of the whole text, for saving it as rich text.
  virtual std::vector<StyledRun> Runs() const = 0;
  // Whether the text's styles are shown or kept; a window that hands its text on as plain text
  // is not written in styles that only tell hits from other words.
  virtual bool KeepsStyles() const { return true; }

  // Old text is dropped from the top once the window would hold more than this.
  std::size_t maxLength = kStartMaxLength;
  // The window's default font: message lines are written in it, and an empty window has its size.
  TextStyle defaultStyle;
};

}  // namespace stavbas
