// The group-address file: the sample database with the input as its index. The first byte
// says which of the index's records get the real size and time stamp of their data file (an
// index is only trusted when they fit); the rest is the file. Then every inscription is read,
// some are looked up, and the data files are checked.

#include <filesystem>

#include "base/file_listing.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace stavbas;
  if (size < 1) return 0;
  const std::string folder = fuzz::FreshFolder();
  fuzz::WriteSample(folder);
  std::string index(reinterpret_cast<const char*>(data) + 1, size - 1);
  constexpr std::size_t kRecord = 284;
  for (std::size_t r = 0; r < 8 && 2 + (r + 1) * kRecord <= index.size(); ++r) {
    if (!(data[0] >> r & 1)) continue;
    std::string ext = index.substr(2 + r * kRecord, 3);
    while (!ext.empty() && ext.back() == ' ') ext.pop_back();
    const std::string path = FindFileNoCase(folder + "/STAVBAS." + ext);
    std::error_code ec;
    if (ext.empty() || !std::filesystem::is_regular_file(path, ec)) continue;
    const auto stamp = FileDateTime(path);
    const auto bytes = static_cast<std::uint32_t>(std::filesystem::file_size(path, ec));
    for (int i = 0; i < 4; ++i) {
      index[2 + r * kRecord + 4 + i] = static_cast<char>(stamp >> (8 * i));
      index[2 + r * kRecord + 8 + i] = static_cast<char>(bytes >> (8 * i));
    }
  }
  fuzz::WriteFile(folder + "/STAVBAS.$AD", index);
  fuzz::Program p(folder + "/STAVBAS", "", "", ">$ RUN INF");
  p.ReadEverything({"U 344", "U 1*", "DR 66", "Ab 1"});
  return 0;
}
