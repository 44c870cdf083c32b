#pragma once
// Writing into the output window: a composed staging buffer at the end, and message lines at
// the insertion point.

#include <string_view>

#include "output/output_window.h"

namespace stavbas {

// Old text is dropped from the top in blocks of this many characters.
inline constexpr std::size_t kTrimBlock = 10000;
// The maximum length never drops below this.
inline constexpr std::size_t kMinMaxLength = 62000;

// Appends the staging buffer with its formatting at the end of the window. While it fits,
// empty lines at the end of the window go first and the text takes the window's font size at
// its end; when it does not, the first block of text is dropped up to the end of the line it
// cut, the maximum shrinks, and the window starts with a line saying that old text was dropped
// (`droppedNotice`, a text of the string table). Afterwards the window never ends with an empty
// line after a line end. The empty lines at the staged text's end are dropped from it.
void AppendStaging(OutputWindow& window, StagingBuffer& staging,
                   std::string_view droppedNotice = {});
inline void AppendStaging(OutputWindow& window, StagingBuffer&& staging,
                          std::string_view droppedNotice = {}) {
  AppendStaging(window, staging, droppedNotice);
}

// "Rensa textfönster" and "Radera allt": empties the window and gives it back its starting
// maximum, so that a window that once overflowed does not stay small for the session.
void ClearOutputWindow(OutputWindow& window);

// Plain text in the window's default font and size, regular and black: the style of the lines
// the program itself writes into the window.
TextStyle PlainStyleOf(const OutputWindow& window);

// Inserts a status line at the insertion point in the window's default font, regular and
// black. A line break alone ("\n" or "\r\n") goes to the end of the window instead.
void InsertMessageLine(OutputWindow& window, std::string_view text);

}  // namespace stavbas
