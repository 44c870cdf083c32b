// The conversion of the information spreadsheet: the input is a workbook stream, put into a
// compound document as STAVBAS.XLS beside a runic text file and no information file. The
// information file written from it is then opened and every field of every inscription read.

#include "database/data_file_check.h"
#include "fuzz_support.h"
#include "spreadsheet/compound_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace stavbas;
  const std::string folder = fuzz::FreshFolder();
  const std::string stream(reinterpret_cast<const char*>(data), size);
  if (!test::WriteCompoundDocument(folder + "/STAVBAS.XLS", {{"Workbook", stream}})) return 0;
  fuzz::WriteFile(folder + "/STAVBAS.RUN", fuzz::Sample("STAVBAS.RUN"));
  fuzz::Program p(folder + "/STAVBAS", "", "INF:a", ">$ INF");
  if (!p.usable) return 0;
  p.app->run.AllRun();
  CheckDataFiles(p.app->db, false);
  return 0;
}
