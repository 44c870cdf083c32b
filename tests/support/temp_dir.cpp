#include "support/temp_dir.h"

#include <fstream>
#include <random>
#include <sstream>

#include "base/cp1252.h"

namespace stavbas::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
  std::random_device rd;
  for (;;) {
    path_ = fs::temp_directory_path() / ("stavbas-test-" + std::to_string(rd()));
    if (fs::create_directory(path_)) break;
  }
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

void TempDir::WriteBytes(std::string_view name, std::string_view bytes) const {
  std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void TempDir::WriteText(std::string_view name, std::string_view utf8) const {
  std::string crlf;
  for (char c : Utf8ToCp1252(utf8)) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  WriteBytes(name, crlf);
}

std::string TempDir::ReadBytes(std::string_view name) const {
  std::ifstream in(path_ / name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void TempDir::CopySampleDatabase() const {
  for (const auto& e : fs::directory_iterator(fs::path(STAVBAS_SOURCE_DIR) / "data")) {
    const std::string name = e.path().filename().string();
    if (name.rfind("STAVBAS.", 0) == 0)
      fs::copy_file(e.path(), path_ / name, fs::copy_options::overwrite_existing);
  }
}

}  // namespace stavbas::test
