// Opening a database with one of its data files replaced by the input (the first byte picks
// which; the others are the sample's), reading every inscription through a display run that
// shows every file, looking some up by signum, and the data-file check with its log.

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace stavbas;
  if (size < 1) return 0;
  static const char* const kNames[] = {"STAVBAS.RUN", "STAVBAS.NFS", "STAVBAS.FVN",
                                       "STAVBAS.ENG", "STAVBAS.INF", "STAVBAS.DAT"};
  const std::string name = kNames[data[0] % 6];
  const std::string folder = fuzz::FreshFolder();
  fuzz::WriteSample(folder, name);
  fuzz::WriteFile(folder + "/" + name, {reinterpret_cast<const char*>(data) + 1, size - 1});
  fuzz::Program p(folder + "/STAVBAS", "", "", ">.$ RUN NFS FVN ENG INF DAT");
  p.ReadEverything({"U 344", "S\xF6 1*", "G 134 M", "X 2"});
  return 0;
}
