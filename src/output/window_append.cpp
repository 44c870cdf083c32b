#include "output/window_append.h"

#include <algorithm>
#include <string>

namespace stavbas {

namespace {

// Deletes the empty last line: the line end that ends the text.
void DeleteLastLine(OutputWindow& window) {
  window.Delete(window.Length() - 2, 2);
}

// Drops the first block of a full window and the rest of the line it cut, and shrinks the
// maximum; the notice, when given, becomes the first line.
void DropOldText(OutputWindow& window, std::size_t length, std::string_view notice) {
  window.Delete(0, std::min(kTrimBlock, length));
  if (!notice.empty() && window.LineCount() > 1) window.Delete(0, window.LineStart(1));
  window.maxLength = length > kMinMaxLength + 4000 ? length - 4000 : kMinMaxLength;
  if (notice.empty()) return;
  window.InsertAtStart(std::string(notice) + "\r\n", PlainStyleOf(window));
}

}  // namespace

TextStyle PlainStyleOf(const OutputWindow& window) {
  TextStyle plain;
  plain.font = window.defaultStyle.font;
  plain.size = window.defaultStyle.size;
  return plain;
}

void AppendStaging(OutputWindow& window, StagingBuffer& staging, std::string_view droppedNotice) {
  if (staging.empty()) return;
  const std::size_t length = window.Length();
  const bool fits = length + staging.length() < window.maxLength;
  // Two line ends at the end leave an empty last line, which goes once the text is in the
  // window: where the staged text itself ends so, the line end is not appended at all.
  while (staging.length() >= 4 && staging.EndsWith("\r\n\r\n")) staging.DropEnd(2);
  if (fits) {
    while (window.EndsWithEmptyLine(1)) DeleteLastLine(window);
    window.AppendStaged(staging, window.FontSizeAtEnd());
  } else {
    DropOldText(window, length, droppedNotice);
    window.AppendStaged(staging, 0);
  }
  // Staged text of four characters or more does not end so (above): only shorter text can
  // leave an empty last line with the window's text before it.
  if (staging.length() < 4)
    while (window.EndsWithEmptyLine(2)) DeleteLastLine(window);
}

void ClearOutputWindow(OutputWindow& window) {
  window.Clear();
  window.maxLength = kStartMaxLength;
}

void InsertMessageLine(OutputWindow& window, std::string_view text) {
  const TextStyle plain = PlainStyleOf(window);
  if (text == "\n" || text == "\r\n") {
    window.MoveCursorToEnd();
    window.InsertAtCursor("\r\n", plain);
    return;
  }
  // A bare "\n" inside a message is a line end of the window too.
  std::string line;
  line.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) line += '\r';
    line += text[i];
  }
  window.InsertAtCursor(line, plain);
}

}  // namespace stavbas
