#pragma once
// The output window: the read-only rich text that every run, message line and export text is
// written into. The window program backs it with a text control, the command-line program and
// the tests with an in-memory document. Text is Windows-1252; a line end is "\r\n".

#include <cstddef>
#include <cstdint>
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

// Text composed with styles before it goes to the window: each piece is appended at the end
// and formatted as a whole; neighbouring pieces of the same style are merged. Clearing keeps
// the texts' memory for the next inscription, so composing allocates nothing once warm.
class StagingBuffer {
 public:
  void Clear();
  void Append(std::string_view text, const TextStyle& style);
  const std::vector<StyledRun>& runs() const { return runs_; }
  std::size_t length() const { return length_; }
  bool empty() const { return length_ == 0; }
  std::string Text() const;
  bool EndsWith(std::string_view tail) const;

 private:
  std::vector<StyledRun> runs_;
  std::vector<std::string> spare_;  // the emptied texts of cleared runs
  std::size_t length_ = 0;
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

  // Appends styled text at the end.
  virtual void Append(const std::vector<StyledRun>& runs) = 0;
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

  // Old text is dropped from the top once the window would hold more than this.
  std::size_t maxLength = kStartMaxLength;
  // The window's default font: message lines are written in it, and an empty window has its size.
  TextStyle defaultStyle;
};

}  // namespace stavbas
