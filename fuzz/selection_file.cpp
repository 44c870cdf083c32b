// A selection file (one signum per line) given to a file run over the sample database.

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace stavbas;
  const std::string list = fuzz::FreshFolder() + "/LIST.TXT";
  fuzz::WriteFile(list, {reinterpret_cast<const char*>(data), size});
  fuzz::Program p(fuzz::SampleFolder() + "/STAVBAS", "", "", "$ RUN");
  if (!p.usable) return 0;
  p.app->run.FileRun(list);
  return 0;
}
