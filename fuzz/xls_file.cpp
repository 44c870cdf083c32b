// The spreadsheet reader on a whole file: the compound document (libgsf) and the workbook
// stream in it, every cell event taken.

#include "fuzz_support.h"
#include "spreadsheet/xls_read.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace stavbas;
  const std::string path = fuzz::FreshFolder() + "/BOOK.XLS";
  fuzz::WriteFile(path, {reinterpret_cast<const char*>(data), size});
  TXLSRead reader;
  std::size_t cells = 0;
  reader.OnStringCell = [&](int, int, const std::string& text) { cells += text.size(); };
  reader.OnNumberCell = [&](int, int, double) { ++cells; };
  reader.OnBooleanCell = reader.OnStringCell;
  std::string error;
  reader.Read(path, error);
  return 0;
}
