#pragma once
// The selection file: the signums of a selection, one per line, to be read back later as the
// list of inscriptions a run walks. Windows-1252 with CR LF line ends.

#include <string>

#include "export/export_text.h"

namespace stavbas {

// Writes every line of the export text and, after them, one empty line; nothing when the text
// is empty. With `append` the lines go after what the file holds already. False with `error`
// when the file cannot be written; the old file is then as it was.
bool WriteSelectionFile(const ExportText& text, const std::string& path, bool append,
                        std::string& error);

}  // namespace stavbas
