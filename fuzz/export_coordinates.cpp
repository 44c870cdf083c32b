// The export text as the writers read it: inscriptions (cut at NUL bytes) whose lines carry
// coordinate headings, signums and values. Every writer reads the same text, both coordinate
// separators and both places; an unreadable coordinate must be reported, not crash, and a file
// is either written whole or not at all.

#include <filesystem>

#include "export/csv_writer.h"
#include "export/export_settings.h"
#include "export/gmap_writer.h"
#include "export/gpx_writer.h"
#include "export/kml_writer.h"
#include "export/shp_writer.h"
#include "fuzz_support.h"

namespace {

using namespace stavbas;

// Runs one writer; a coordinate error is the writer's specified answer to bad text.
template <typename Write>
void Try(Write write) {
  std::string error;
  try {
    write(error);
  } catch (const CoordinateError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  if (input.empty()) return 0;
  // The first byte chooses the separator, the place and grid values kept or converted.
  const unsigned choice = static_cast<unsigned char>(input[0]);
  const std::string separator = choice & 1 ? ";" : "\t";
  const bool origin = choice & 2;
  const bool keepRt90 = choice & 4;

  ExportText text;
  std::string_view rest = input.substr(1);
  while (!rest.empty()) {
    const std::size_t end = rest.find('\0');
    text.AddInscription(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }

  const std::string folder = fuzz::FreshFolder();
  static const KmlSettings kml;
  static const GmapSettings gmap;
  static const GpxSettings gpx;
  static const ShpWgs84Settings wgs84;
  TableOptions table{separator, origin, keepRt90, {"Runtext", "Material", "Plats"}};

  Try([&](std::string& e) { SkapaKMLfil(text, {kml, separator, origin}, folder + "/x.kml", e); });
  Try([&](std::string& e) {
    SkapaGMAPfil(text, {gmap, separator, origin, "Urval"}, folder + "/x.html", e);
  });
  Try([&](std::string& e) {
    SkapaPunktGPXfil(text, {gpx, separator, origin}, folder + "/x.gpx", e);
  });
  Try([&](std::string& e) { SkapaCSV2fil(text, {";", table}, folder + "/x.csv", e); });
  Try([&](std::string& e) {
    long records = 0;
    SkapaSHP2fil(text, {table, wgs84}, folder + "/x.shp", records, e);
  });

  // Nothing half-written or temporary is left beside the files.
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().filename().string().starts_with(".")) __builtin_trap();
  return 0;
}
