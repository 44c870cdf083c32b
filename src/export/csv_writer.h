#pragma once
// The CSV file: a header line and one line per block of the export text, each field quoted and
// followed by the delimiter, for spreadsheet programs. Windows-1252, as they read it.

#include <string>
#include <vector>

#include "export/export_text.h"
#include "export/table_rows.h"

namespace stavbas {

struct CsvOptions {
  std::string delimiter = ";";
  TableOptions table;  // its keep-RT90 holds for grid positions only (KeepGridValues)
};

// Writes the file. False with `error` when it cannot be written; an unreadable coordinate
// throws CoordinateError. No partial file is left.
bool SkapaCSV2fil(const ExportText& text, const CsvOptions& options, const std::string& path,
                  std::string& error);

}  // namespace stavbas
