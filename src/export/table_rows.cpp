#include "export/table_rows.h"

#include "base/char_tables.h"
#include "export/coordinates.h"

namespace stavbas {
namespace {

constexpr std::string_view kNoValidChoice = "Ej giltigt val";

// The position of the coordinate heading the options choose in the line, or npos.
std::size_t CoordinateHeading(const std::string& line, const TableOptions& o) {
  std::size_t p = line.find(kOriginHeading);
  if (!o.originPlace) {
    const std::size_t present = line.find(kPresentHeading);
    if (present != std::string::npos) p = present;
  }
  return p;
}

void TakePair(const std::string& line, std::size_t p, const TableOptions& o, TableRow& row) {
  const std::optional<Position> position = ReadPosition(line, p, o.separator, o.keepRt90);
  if (!position) return;
  row.position = *position;
}

// The column values a line names: "name:" somewhere in it gives the text after its first ":".
void TakeValues(const std::string& line, const TableOptions& o, TableRow& row, bool trim) {
  for (std::size_t c = 0; c < o.columns.size(); ++c) {
    if (line.find(o.columns[c] + ":") == std::string::npos) continue;
    const std::string after = line.substr(line.find(':') + 1);
    row.values[c] = trim ? std::string(Trim(after)) : after;
  }
}

}  // namespace

std::vector<std::string> ColumnNames(const std::vector<std::string>& entries) {
  std::vector<std::string> names;
  for (const std::string& entry : entries) {
    if (entry == kNoValidChoice) continue;
    const std::size_t open = entry.find('(');
    names.push_back(open == std::string::npos ? entry : entry.substr(0, open > 0 ? open - 1 : 0));
  }
  return names;
}

TableRow CsvRow(const ExportBlock& block, const TableOptions& o) {
  TableRow row;
  row.values.resize(o.columns.size());
  row.signum = block.signumLine();
  for (const std::string& line : block.lines) {
    const std::size_t p = CoordinateHeading(line, o);
    if (p == std::string::npos)
      TakeValues(line, o, row, true);
    else
      TakePair(line, p, o, row);
  }
  return row;
}

TableRow ShpRow(const ExportBlock& block, const TableOptions& o) {
  TableRow row;
  row.values.resize(o.columns.size());
  for (const std::string& line : block.lines) {
    const std::size_t p = CoordinateHeading(line, o);
    if (p == std::string::npos || p < 1) {
      TakeValues(line, o, row, false);
    } else {
      row.signum = line.substr(0, p);
      TakePair(line, p, o, row);
    }
  }
  return row;
}

}  // namespace stavbas
