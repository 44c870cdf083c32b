#include "output/window_append.h"

#include <algorithm>
#include <string>

namespace stavbas {

namespace {

// The last line is empty: the text ends with a line end that follows another line end or
// stands at the very start.
bool EndsWithEmptyLine(const OutputWindow& window, int minLines) {
  const int n = window.LineCount();
  return n >= minLines && n > 0 && window.LineEmpty(n - 1);
}

void DeleteLastLine(OutputWindow& window) {
  window.Delete(window.LineStart(window.LineCount() - 1), 2);
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

void AppendStaging(OutputWindow& window, const StagingBuffer& staging,
                   std::string_view droppedNotice) {
  if (staging.empty()) return;
  const std::size_t length = window.Length();
  if (length + staging.length() < window.maxLength) {
    while (EndsWithEmptyLine(window, 1)) DeleteLastLine(window);
    window.AppendStaged(staging, window.FontSizeAtEnd());
  } else {
    DropOldText(window, length, droppedNotice);
    window.AppendStaged(staging, 0);
  }
  // Two line ends at the end: the empty last line goes.
  while (EndsWithEmptyLine(window, 2)) DeleteLastLine(window);
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
