// The settings file: read as the program reads it at start, saved with "Spara allt" over
// itself, read and saved again. Saving what was read must come to rest: the second save
// changes nothing.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/settings_file.h"
#include "fuzz_support.h"

namespace {

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace stavbas;
  const std::string path = fuzz::FreshFolder() + "/stavbas.ini";
  fuzz::WriteFile(path, {reinterpret_cast<const char*>(data), size});
  const Settings first = ReadSettings(path);
  if (!SaveSettings(first, SaveChoice::All, path)) return 0;
  const std::string saved = Bytes(path);
  const Settings second = ReadSettings(path);
  SaveSettings(second, SaveChoice::All, path);
  if (Bytes(path) != saved) std::abort();  // what was saved did not read back as saved
  return 0;
}
