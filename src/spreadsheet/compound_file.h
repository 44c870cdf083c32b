#pragma once
// Takes the workbook stream out of an .xls file, which is a compound document (OLE2
// structured storage).

#include <cstdint>
#include <string>
#include <vector>

namespace stavbas {

// The stream "Workbook" (Excel 97 and later) or, failing that, "Book" (Excel 5); names are
// matched without regard to case. A file that is no compound document or holds neither stream
// gives kXlsNotAWorkbook.
bool ReadWorkbookStream(const std::string& fileName, std::vector<std::uint8_t>& stream,
                        std::string& error);

}  // namespace stavbas
