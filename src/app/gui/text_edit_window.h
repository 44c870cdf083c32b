#pragma once
// The output window of the window program: the core's output-window interface over the document
// of the main window's text control. A line end "\r\n" of the core is one paragraph break of the
// document, so positions are mapped through the block numbers; every other character is one
// character. Appends go through one cursor in one edit block each, and nothing on the append path
// walks the whole document. Web addresses in appended text become links.

#include <QTextCharFormat>
#include <QTextCursor>
#include <vector>

#include "output/output_window.h"

class QTextDocument;

namespace stavbas::gui {

class TextEditWindow : public OutputWindow {
 public:
  explicit TextEditWindow(QTextDocument* document);

  std::string Text() const override;
  std::size_t Length() const override;
  std::string Tail(std::size_t count) const override;
  int LineCount() const override;
  std::string Line(int index) const override;
  std::size_t LineStart(int index) const override;

  void Append(const std::vector<StyledRun>& runs) override;
  // Each inscription comes this way: its pieces go in as they lie in the staging buffer.
  void AppendStaged(const StagingBuffer& staging, int size) override;
  void Delete(std::size_t start, std::size_t count) override;
  void InsertAtCursor(std::string_view text, const TextStyle& style) override;
  void InsertAtStart(std::string_view text, const TextStyle& style) override;
  void MoveCursorToEnd() override;
  void Clear() override;
  int FontSizeAtEnd() const override;
  std::vector<StyledRun> Runs() const override;

  // The character format of a style: its font, size, weight, slant and colour, always with an
  // explicit colour so that text stays readable whatever the desktop's theme.
  static QTextCharFormat FormatOf(const TextStyle& style);
  static TextStyle StyleOf(const QTextCharFormat& format, const TextStyle& fallback);

 private:
  // The document position of a core position; a position between "\r" and "\n" goes before
  // the paragraph break (`after` false) or after it.
  int ToDocument(std::size_t position, bool after) const;
  void Insert(QTextCursor& cursor, std::string_view text, const TextStyle& style);
  const QTextCharFormat& Format(const TextStyle& style);

  QTextDocument* doc_;
  QTextCursor appendCursor_;
  QTextCursor insertCursor_;  // the insertion point of message lines
  // Few styles are in use; a run looks its format up here instead of building it again.
  std::vector<std::pair<TextStyle, QTextCharFormat>> formats_;
};

}  // namespace stavbas::gui
