#include "spreadsheet/xls_read.h"

#include <exception>
#include <vector>

#include "spreadsheet/biff_workbook.h"
#include "spreadsheet/compound_file.h"

namespace stavbas {

bool TXLSRead::Read(const std::string& fileName, std::string& error) {
  error.clear();
  try {
    std::vector<std::uint8_t> stream;
    if (!ReadWorkbookStream(fileName, stream, error)) return false;
    return biff::ReadWorkbook(stream, *this, error);
  } catch (const std::exception& e) {  // out of memory, or thrown by an event
    error = "Can not read " + fileName + ": " + e.what();
    return false;
  }
}

}  // namespace stavbas
