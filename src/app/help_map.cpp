#include "app/help_map.h"

#include <fstream>
#include <sstream>

#include "base/char_tables.h"

namespace stavbas {

bool HelpMap::Load(const std::filesystem::path& file) {
  pages_.clear();
  std::ifstream in(file);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream fields(line);
    int context = 0;
    std::string page;
    if (fields >> context >> page) pages_[context] = page;
  }
  return true;
}

std::string HelpMap::PageFor(int context) const {
  const auto it = pages_.find(context);
  return it == pages_.end() ? kContents : it->second;
}

bool HelpPage(const std::string& path) {
  const std::string extension = SystemUpperCase(std::filesystem::path(path).extension().string());
  return extension == ".HTML" || extension == ".HTM";
}

std::filesystem::path HelpFolderOf(const std::filesystem::path& programFolder, Language language) {
  return programFolder / "help" / (language == Language::English ? "en" : "sv");
}

}  // namespace stavbas
