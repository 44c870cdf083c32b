#pragma once
// The GPX file: one waypoint per block of the export text, for a GPS receiver. Written in
// UTF-8, as its declaration says.

#include <string>
#include <string_view>

#include "export/export_settings.h"
#include "export/export_text.h"

namespace stavbas {

struct GpxOptions {
  const GpxSettings& settings;
  std::string separator;    // between the two coordinates of a position
  bool originPlace = true;  // the place of origin; false: the present place where there is one
};

// Names and comments as a GPS shows them: å and ä as a, ö as o (and their capitals), † as #.
std::string GpsLetters(std::string_view text);

// Writes the file (empty when the text is). False with `error` when the file cannot be written;
// an unreadable coordinate throws CoordinateError. No partial file is left.
bool SkapaPunktGPXfil(const ExportText& text, const GpxOptions& options, const std::string& path,
                      std::string& error);

}  // namespace stavbas
