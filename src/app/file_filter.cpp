#include "app/file_filter.h"

#include <algorithm>

#include "base/char_tables.h"

namespace stavbas {

std::vector<FileFilter> ParseFileFilter(std::string_view filter) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t bar = filter.find('|', start);
    parts.push_back(filter.substr(start, bar == std::string_view::npos ? bar : bar - start));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  std::vector<FileFilter> filters;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    FileFilter f;
    std::string_view description = Trim(parts[i]);
    if (description.ends_with(')'))
      if (const std::size_t open = description.rfind('('); open != std::string_view::npos)
        description = Trim(description.substr(0, open));
    f.description = std::string(description);
    std::string_view patterns = parts[i + 1];
    for (std::size_t start = 0; start <= patterns.size();) {
      std::size_t end = patterns.find(';', start);
      if (end == std::string_view::npos) end = patterns.size();
      const std::string pattern(Trim(patterns.substr(start, end - start)));
      start = end + 1;
      if (pattern.empty()) continue;
      for (const std::string& p : {pattern, MapBytes(pattern, LowerCase())})
        if (std::find(f.patterns.begin(), f.patterns.end(), p) == f.patterns.end())
          f.patterns.push_back(p);
    }
    filters.push_back(std::move(f));
  }
  return filters;
}

}  // namespace stavbas
