#pragma once
// The Google Maps page: an HTML page whose script puts one marker per inscription with
// coordinates on a map, each with an information window holding the inscription's texts.
// Written in UTF-8, as its declaration says.

#include <string>
#include <string_view>

#include "export/export_settings.h"
#include "export/export_text.h"

namespace stavbas {

struct GmapOptions {
  const GmapSettings& settings;
  std::string separator;    // between the two coordinates of a position
  bool originPlace = true;  // the place of origin; false: the present place where there is one
  std::string footer;       // the text under the map (Windows-1252, not yet escaped)
};

// The footer of a page for a selection: the provinces, the codes and the number of
// inscriptions the run counted. `words` holds the texts of the string table it needs.
struct GmapFooterWords {
  std::string urval, allaLandskap, ordsokningskod, inskriftsvillkorskod, inskrifter;
};
std::string SelectionFooter(const GmapFooterWords& words, std::string_view provinceText,
                            std::string_view wordSearchCode, std::string_view conditionCode,
                            long inscriptions);

// A line of an information window: escaped for a JavaScript string in single quotes that is
// put into the page as HTML, then its web addresses made links (only those that begin with
// "http://" or "https://").
std::string EscapeForPage(std::string_view text);
std::string WithLinks(const std::string& escapedLine);

// Writes the page (empty when the text is). False with `error` when the file cannot be
// written; an unreadable coordinate throws CoordinateError. No partial file is left.
bool SkapaGMAPfil(const ExportText& text, const GmapOptions& options, const std::string& path,
                  std::string& error);

}  // namespace stavbas
