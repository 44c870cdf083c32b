#pragma once
// The rows of the table exports (CSV and shapefile): per block of the export text the signum,
// the position and one value per chosen entry of the format dialog.

#include <string>
#include <vector>

#include "export/coordinates.h"
#include "export/export_text.h"

namespace stavbas {

// The name a chosen entry's column goes by: the entry, cut before the blank in front of its
// first "(" ("Runtext (Runtext.run)" gives "Runtext"). Entries reading "Ej giltigt val" get no
// column; they are left out.
std::vector<std::string> ColumnNames(const std::vector<std::string>& entries);

struct TableOptions {
  std::string separator;             // between the two coordinates of a position
  bool originPlace = true;           // the place of origin; false: the present place
  bool keepRt90 = false;             // grid values as they stand instead of degrees
  std::vector<std::string> columns;  // ColumnNames of the chosen entries
};

struct TableRow {
  std::string signum;
  // The position as ReadPosition gives it: latitude and longitude, or northing and easting with
  // keep-RT90; both texts empty when the block gave no position.
  Position position;
  std::vector<std::string> values;  // one per column
};

// A block as the CSV file reads it: the signum is its first line as it stands; a coordinate
// heading anywhere in a line gives the position; other lines give the values of the columns
// they name, without the blanks round them.
TableRow CsvRow(const ExportBlock& block, const TableOptions& options);
// A block as the shapefile reads it: only a coordinate heading after other text gives the
// position, and the signum is what stands before it; lines without such a heading give the
// values of the columns they name, as they stand.
TableRow ShpRow(const ExportBlock& block, const TableOptions& options);

// Grid values are kept only while every exported position is a grid position: one given in
// degrees would otherwise stand among metres in the same columns. False when `options` asks
// for degrees anyway or a row of the text holds degrees.
template <typename RowOf>
bool KeepGridValues(const ExportText& text, const TableOptions& options, RowOf rowOf) {
  if (!options.keepRt90) return false;
  bool keep = true;
  ForEachBlock(text, [&](const ExportBlock& block) {
    if (keep && rowOf(block, options).position.inDegrees) keep = false;
  });
  return keep;
}

}  // namespace stavbas
