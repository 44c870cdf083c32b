#include "export/csv_writer.h"

#include "export/export_file.h"

namespace stavbas {

bool SkapaCSV2fil(const ExportText& text, const CsvOptions& options, const std::string& path,
                  std::string& error) {
  ExportFile f;
  if (!f.Open(path, false, error)) return false;
  if (!text.empty()) {
    TableOptions table = options.table;
    table.keepRt90 = KeepGridValues(text, table, CsvRow);
    const std::string& d = options.delimiter;
    std::string header = d + CsvField("Signum") + d + "X-koord" + d + "Y-koord" + d;
    for (const std::string& column : table.columns) header += CsvField(column) + d;
    f.Line(header);
    ForEachBlock(text, [&](const ExportBlock& block) {
      const TableRow row = CsvRow(block, table);
      std::string line = d + CsvField(row.signum) + d + CsvField(row.position.first) + d +
                         CsvField(row.position.second) + d;
      for (const std::string& value : row.values) line += CsvField(value) + d;
      f.Line(line);
    });
  }
  return f.Commit(error);
}

}  // namespace stavbas
