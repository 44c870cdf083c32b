#pragma once
// An information field as the formats and exports show it: links made from the references in
// its text, the coordinate separator, and optionally its header.

#include <string>

#include "base/link_settings.h"

namespace stavbas {

class TKombifil;

// The field `letter` of the file's current line, formatted; empty when the field is empty.
// With a header: header + ": " + text + " "; without: text + " ".
std::string FormattedField(const TKombifil& file, char letter, bool withHeader,
                           const LinkSettings& links);

// The link rewriting alone, on a field's text.
std::string AddInfoLinks(std::string text, const LinkSettings& links);

}  // namespace stavbas
