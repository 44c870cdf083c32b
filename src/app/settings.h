#pragma once
// Everything the program keeps from one run to the next, with the defaults that hold when the
// settings file lacks a value. The subsystems that use a group read and change it here while
// the program runs; the settings file (settings_file.h) loads it at start and stores it at exit.
// Text is Windows-1252.

#include <string>
#include <vector>

#include "base/link_settings.h"
#include "conditions/province_set.h"
#include "export/export_settings.h"
#include "output/interruption_record.h"

namespace stavbas {

// Section "Const" (the coordinate separator of that section lives in LinkSettings).
struct ConstSettings {
  bool paus = true;         // pause after each inscription of a display run ("Pauser")
  bool comment = false;     // put the current codes in front of a saved text ("Kommentera")
  bool errorInfile = true;  // a faulty line of a selection file asks whether to stop
  std::string errorMail = "felrapport@stavbas.example.org";  // recipient of error reports

  bool operator==(const ConstSettings&) const = default;
};

inline constexpr const char* kDefaultBaseName = "STAVBAS";
inline constexpr const char* kDefaultFormatCode = ">.$ RUN NFS FVN";

struct FontSettings {
  std::string name = "Arial";
  int size = 10;  // points

  bool operator==(const FontSettings&) const = default;
};

// The stored codes; their parsers check them when they are put in force.
struct CodeSettings {
  std::string parameterCode;  // word search code, "Ordsökningskod"
  std::string selectionCode;  // inscription condition code, "Inskriftsvillkorskod"
  std::string formatCode = kDefaultFormatCode;

  bool operator==(const CodeSettings&) const = default;
};

struct SaveFileSettings {
  std::string name;     // the file the text window is saved to
  bool chosen = false;  // set once a save file has been confirmed; only then is it kept

  bool operator==(const SaveFileSettings&) const = default;
};

enum class Language { Swedish, English };

// A user's web link: an item of the menu "Webblänkar".
struct WebLink {
  std::string caption;
  std::string address;
  bool operator==(const WebLink&) const = default;
};

struct Settings {
  LinkSettings links;
  ConstSettings consts;
  std::string dataFileName = kDefaultBaseName;  // the database base name
  FontSettings font;
  CodeSettings codes;
  SaveFileSettings saveFile;
  InterruptionRecord interruption;
  Language language = Language::Swedish;
  ProvinceSelection provinces;  // all provinces, empty text
  KmlSettings kml;
  GpxSettings gpx;
  CsvSettings csv;
  ShpSettings shp;
  ShpWgs84Settings shpWgs84;
  GmapSettings gmap;
  std::vector<WebLink> webLinks;  // in menu order

  bool operator==(const Settings&) const = default;
};

}  // namespace stavbas
