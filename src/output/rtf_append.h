#pragma once
// Adding the output window's text to the end of an RTF document that another program may have
// written: the document's own bytes stay as they are, the fonts and colours of the new text
// join its tables, and the new text follows its last paragraph in a group of its own.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "output/output_window.h"

namespace stavbas {

// The document with the runs at its end; nothing when `existing` is not an RTF document whose
// font table and end can be found (no "{\rtf" at its start, unbalanced braces).
std::optional<std::string> AppendToRtf(std::string_view existing,
                                       const std::vector<StyledRun>& runs);

}  // namespace stavbas
