// The export text as the writers read it: inscriptions (cut at NUL bytes) whose lines carry
// coordinate headings, signums and values. Every writer reads the same text, both coordinate
// separators and both places; an unreadable coordinate must be reported, not crash, and a file
// is either written whole or not at all. Every line is also read as a coordinate line the way
// each export reads it: the readings must agree (the same position, or the same refusal), a
// position read must lie on the globe and be written as plain decimal numbers, and nothing but
// CoordinateError may be thrown.

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "export/coordinates.h"
#include "export/csv_writer.h"
#include "export/export_settings.h"
#include "export/gmap_writer.h"
#include "export/gpx_writer.h"
#include "export/kml_writer.h"
#include "export/shp_writer.h"
#include "export/table_rows.h"
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

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

// A reading: the position's texts and values, or the text a refusal named.
struct Reading {
  std::optional<Position> row;  // nothing: no pair
  bool refused = false;
  std::string what;
};

template <typename Read>
Reading Take(Read read) {
  Reading r;
  try {
    r.row = read();
  } catch (const CoordinateError& e) {
    r.refused = true;
    r.what = e.what();
  }
  return r;
}

bool Same(const Reading& a, const Reading& b) {
  if (a.refused || b.refused) return a.refused == b.refused && a.what == b.what;
  if (a.row.has_value() != b.row.has_value()) return false;
  if (!a.row) return true;
  return a.row->first == b.row->first && a.row->second == b.row->second &&
         a.row->firstValue == b.row->firstValue && a.row->secondValue == b.row->secondValue;
}

// The value of a number as written, by the C library's reader.
double Written(const std::string& text) {
  return std::strtod(text.c_str(), nullptr);
}

bool CloseTo(double a, double b) {
  return a == b || (std::abs(a) < 1e-300 && std::abs(b) < 1e-300);
}

// One line after a coordinate heading, read as the map exports (KML, the map page, GPX and the
// map address), the CSV file and the shapefile read it.
void ReadAlike(const std::string& value, const std::string& separator, bool keepRt90) {
  const std::string line = std::string(kOriginHeading) + value;
  const TableOptions table{separator, true, keepRt90, {}};
  const Reading maps = Take([&]() -> std::optional<Position> {
    std::string lat, lon;
    if (!GetKoordinater(line, separator, lat, lon)) return std::nullopt;
    const auto p = ReadPosition(line, 0, separator, false);
    Check(p.has_value() && p->first == lat && p->second == lon);
    return p;
  });
  auto tableReading = [&](bool csv) {
    return Take([&]() -> std::optional<Position> {
      ExportBlock block;
      block.lines = {csv ? line : "U 1 V " + line};
      const TableRow row = csv ? CsvRow(block, table) : ShpRow(block, table);
      if (row.position.first.empty()) return std::nullopt;
      return row.position;
    });
  };
  const Reading csv = tableReading(true);
  const Reading shp = tableReading(false);
  Check(Same(csv, shp));
  // Degrees are read alike whether grid values are kept or not.
  const bool degrees = csv.row && csv.row->inDegrees;
  if (!keepRt90 || degrees || csv.refused) Check(Same(maps, csv));
  for (const Reading* r : {&maps, &csv}) {
    if (!r->row) continue;
    const Position& p = *r->row;
    Check(IsPlainDecimal(p.first) && IsPlainDecimal(p.second));
    Check(CloseTo(Written(p.first), p.firstValue) && CloseTo(Written(p.second), p.secondValue));
    if (r == &maps || degrees)
      Check(std::abs(p.firstValue) <= 90 && std::abs(p.secondValue) <= 180);
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

  // Every line as a coordinate value.
  std::string_view lines = input.substr(1);
  while (!lines.empty()) {
    const std::size_t end = lines.find_first_of("\r\n");
    ReadAlike(std::string(lines.substr(0, end)), separator, keepRt90);
    lines = end == std::string_view::npos ? std::string_view() : lines.substr(end + 1);
  }

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
