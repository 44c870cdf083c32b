#pragma once
// The Google Earth file: one placemark per block of the export text, with the document's
// styles from the settings. Written in UTF-8, as its declaration says.

#include <string>

#include "export/export_settings.h"
#include "export/export_text.h"

namespace stavbas {

struct KmlOptions {
  const KmlSettings& settings;
  std::string separator;    // between the two coordinates of a position
  bool originPlace = true;  // the place of origin; false: the present place where there is one
};

// Writes the file (empty when the text is). False with `error` when the file cannot be written;
// an unreadable coordinate throws CoordinateError. Either way no partial file is left.
bool SkapaKMLfil(const ExportText& text, const KmlOptions& options, const std::string& path,
                 std::string& error);

}  // namespace stavbas
