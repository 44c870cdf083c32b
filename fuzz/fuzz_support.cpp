#include "fuzz_support.h"

#include "database/data_file_check.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace stavbas::fuzz {

namespace fs = std::filesystem;

namespace {

const fs::path& ProcessFolder() {
  static const fs::path folder = [] {
    const fs::path root =
        fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    fs::path p = root / ("stavbas-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(p);
    std::atexit([] {
      std::error_code ec;
      fs::remove_all(ProcessFolder(), ec);
    });
    return p;
  }();
  return folder;
}

}  // namespace

std::string FreshFolder() {
  const fs::path folder = ProcessFolder() / "input";
  std::error_code ec;
  fs::remove_all(folder, ec);
  fs::create_directories(folder);
  return folder.string();
}

const std::string& SampleFolder() {
  static const std::string folder = [] {
    const fs::path p = ProcessFolder() / "sample";
    fs::create_directories(p);
    WriteSample(p.string());
    // The first opening computes and writes the index; the others load it.
    Program once(p.string() + "/STAVBAS", "", "", "");
    return p.string();
  }();
  return folder;
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

const std::string& Sample(const std::string& name) {
  static std::map<std::string, std::string> cache;
  auto it = cache.find(name);
  if (it == cache.end()) {
    std::ifstream in(fs::path(STAVBAS_SOURCE_DIR) / "data" / name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    it = cache.emplace(name, bytes.str()).first;
  }
  return it->second;
}

void WriteSample(const std::string& folder, const std::string& except) {
  for (const char* name :
       {"STAVBAS.RUN", "STAVBAS.NFS", "STAVBAS.FVN", "STAVBAS.ENG", "STAVBAS.INF"})
    if (except != name) WriteFile(folder + "/" + name, Sample(name));
}

std::vector<std::string> Split(std::string_view data, char separator, std::size_t parts) {
  std::vector<std::string> out;
  while (out.size() + 1 < parts) {
    const std::size_t at = data.find(separator);
    if (at == std::string_view::npos) break;
    out.emplace_back(data.substr(0, at));
    data.remove_prefix(at + 1);
  }
  out.emplace_back(data);
  out.resize(parts);
  return out;
}

Program::Program(const std::string& base, const std::string& searchCode,
                 const std::string& conditionCode, const std::string& formatCode) {
  Settings settings;
  settings.dataFileName = base;
  settings.consts.paus = false;
  settings.codes = {searchCode, conditionCode, formatCode};
  app = std::make_unique<StavbasApp>(host, window, settings, std::string());
  usable = app->Open();
}

void Program::ReadEverything(std::initializer_list<const char*> signums) {
  if (!usable) return;
  app->run.AllRun();
  for (const char* signum : signums) app->run.SignumRun(signum);
  CheckDataFiles(app->db, true);
}

}  // namespace stavbas::fuzz
