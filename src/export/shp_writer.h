#pragma once
// The shapefile: a point per block of the export text that has a position, the attribute
// table with the signum, the position and one text field per chosen entry, the projection file
// and the code page file. Written through shapelib beside the chosen name; the files are put in
// place only when all of them are complete.

#include <string>
#include <vector>

#include "export/export_settings.h"
#include "export/export_text.h"
#include "export/table_rows.h"

namespace stavbas {

struct ShpOptions {
  TableOptions table;  // its keep-RT90 holds for grid positions only (KeepGridValues)
  const ShpWgs84Settings& wgs84;
};

// The names of the files: the geometry file as chosen, the others with its extension replaced,
// in the case of its extension (".SHP" gives ".SHX", ".DBF", ".PRJ", ".CPG").
struct ShapefileNames {
  std::string shp, shx, dbf, prj;
  std::string cpg;  // the code page of the table's texts
};
ShapefileNames ShapefileNamesOf(const std::string& geometryFile);

// The attribute table's name of a chosen entry's column: blanks and points become "_", "/"
// becomes "-".
std::string FieldName(const std::string& column);

// The projection file's text: RT 90 2.5 gon V, or the WGS 84 pieces of the settings.
std::string ProjectionText(bool rt90, const ShpWgs84Settings& wgs84);

// Writes the files. False with `error` when they cannot be written (none of them is then
// left); an unreadable coordinate throws CoordinateError. `records` counts the points.
bool SkapaSHP2fil(const ExportText& text, const ShpOptions& options, const std::string& path,
                  long& records, std::string& error);

}  // namespace stavbas
