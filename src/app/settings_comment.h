#pragma once
// The comment of the current codes: the lines put in front of a text saved over an existing
// file while "Kommentera" is ticked, so the file tells how its text was selected.

#include <string>
#include <vector>

#include "app/settings.h"

namespace stavbas {

class Ui;

// One item per code that is set, in this order: word search code, province selection text,
// inscription condition code, format code, and the base name when it is not the default
// database. Each item without the "! " that the comment field puts in front.
std::vector<std::string> CodeCommentItems(const Ui& ui, const CodeSettings& codes,
                                          const std::string& provinceText,
                                          const std::string& baseName);

// Empties the comment field and writes the items into it, one comment line each.
void WriteCodeComment(Ui& ui, const CodeSettings& codes, const std::string& provinceText,
                      const std::string& baseName);

}  // namespace stavbas
