// The workbook stream decoder on its own (records, shared strings, continued records, every
// kind of cell), without the compound document around it.

#include <vector>

#include "spreadsheet/biff_workbook.h"
#include "spreadsheet/xls_read.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace stavbas;
  TXLSRead reader;
  std::size_t cells = 0;
  reader.OnStringCell = [&](int, int, const std::string& text) { cells += text.size(); };
  reader.OnRichCell = reader.OnStringCell;
  reader.OnNumberCell = [&](int, int, double) { ++cells; };
  reader.OnBooleanCell = reader.OnStringCell;
  std::string error;
  biff::ReadWorkbook({data, size}, reader, error);
  return 0;
}
