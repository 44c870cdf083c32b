#include "app/program_folders.h"

#include <unistd.h>

#include <system_error>

#include "base/char_tables.h"
#include "base/file_listing.h"

namespace stavbas {

namespace {

bool Writable(const std::filesystem::path& folder) {
  return access(folder.c_str(), W_OK | X_OK) == 0;
}

// The bundled files a user's work folder needs: the database of the default base name (not the
// language modules, which share its name) and the settings file.
bool BelongsToWorkFolder(const std::string& name, const std::string& programName) {
  const std::string upper = SystemUpperCase(name);
  if (upper == SystemUpperCase(programName) + ".INI") return true;
  if (!upper.starts_with(std::string(kDefaultBaseName) + ".")) return false;
  const std::string ext = upper.substr(std::string(kDefaultBaseName).size() + 1);
  return ext != "SVE" && ext != "SV" && ext != "EN" && !ext.empty();
}

}  // namespace

std::filesystem::path ChooseWorkFolder(const std::filesystem::path& programFolder,
                                       const std::filesystem::path& userFolder) {
  if (Writable(programFolder)) return programFolder;
  SeedWorkFolder(programFolder, userFolder);
  return userFolder;
}

void SeedWorkFolder(const std::filesystem::path& programFolder,
                    const std::filesystem::path& userFolder) {
  std::error_code ec;
  std::filesystem::create_directories(userFolder, ec);
  for (const auto& entry : std::filesystem::directory_iterator(programFolder, ec)) {
    const std::string name = entry.path().filename().string();
    if (!entry.is_regular_file(ec) || !BelongsToWorkFolder(name, "stavbas")) continue;
    const std::filesystem::path target = userFolder / name;
    if (std::filesystem::exists(target, ec)) continue;  // the user's own copy is kept
    std::filesystem::copy_file(entry.path(), target, ec);
    // Keep the stamps, so the copied information file stays as new as its spreadsheet.
    if (!ec) std::filesystem::last_write_time(target, entry.last_write_time(ec), ec);
  }
}

std::vector<std::filesystem::path> LanguageModuleCandidates(
    const std::filesystem::path& programFile, Language language) {
  const std::string three = language == Language::English ? "ENG" : "SVE";
  std::vector<std::filesystem::path> found;
  const std::filesystem::path stem = programFile.parent_path() / programFile.stem();
  for (const std::string& ext : {three, three.substr(0, 2)}) {
    const std::string path = FindFileNoCase(stem.string() + "." + ext);
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) found.emplace_back(path);
  }
  return found;
}

}  // namespace stavbas
