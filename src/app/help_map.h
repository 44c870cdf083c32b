#pragma once
// The help pages: HTML pages of each language in a folder beside the program, and the map from
// the help context numbers of the commands to those pages ("contexts.map": one line per context,
// its number and the page's file name; "#" begins a comment).

#include <filesystem>
#include <map>
#include <string>

#include "app/settings.h"

namespace stavbas {

class HelpMap {
 public:
  // Reads the map; false when the file cannot be read (every context then opens the contents).
  bool Load(const std::filesystem::path& file);
  // The page of a context; the contents page for a context without one.
  std::string PageFor(int context) const;
  const std::map<int, std::string>& pages() const { return pages_; }

  static constexpr const char* kContents = "index.html";

 private:
  std::map<int, std::string> pages_;
};

// A file the help viewer shows itself: an HTML page (".html", ".htm", in any case).
bool HelpPage(const std::string& path);

// "help" beside the program, and in it the language's folder ("sv", "en").
std::filesystem::path HelpFolderOf(const std::filesystem::path& programFolder, Language language);

}  // namespace stavbas
