#include "base/file_listing.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "base/char_tables.h"

namespace stavbas {

namespace fs = std::filesystem;

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::uint32_t DosDateTime(std::time_t t) {
  std::tm lt{};
  localtime_r(&t, &lt);
  if (lt.tm_year < 80) return (1u << 5 | 1u) << 16;  // DOS dates begin in 1980
  const std::uint32_t date =
      static_cast<std::uint32_t>((lt.tm_year - 80) << 9 | (lt.tm_mon + 1) << 5 | lt.tm_mday);
  const std::uint32_t time =
      static_cast<std::uint32_t>(lt.tm_hour << 11 | lt.tm_min << 5 | lt.tm_sec / 2);
  return date << 16 | time;
}

std::uint32_t FileDateTime(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return 0;
  return DosDateTime(st.st_mtime);
}

int ListBaseName(const std::string& baseName, std::vector<ListedFile>& out) {
  out.clear();
  const std::string folder = FolderOf(baseName);
  const std::string prefix = SystemUpperCase(NameOf(baseName) + ".");
  std::error_code ec;
  fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
  if (ec) return ec.value();
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) return ec.value();
    const fs::directory_entry& entry = *it;
    const std::string name = entry.path().filename().string();
    if (name.size() <= prefix.size() || !StartsWithNoCase(name, prefix)) continue;
    ListedFile f;
    f.name = name;
    f.path = folder + name;
    struct stat st {};
    if (::stat(f.path.c_str(), &st) == 0) {
      f.size = static_cast<std::uint32_t>(st.st_size);
      f.dateTime = DosDateTime(st.st_mtime);
      f.regular = S_ISREG(st.st_mode);
    }
    out.push_back(std::move(f));
  }
  std::sort(out.begin(), out.end(), [](const ListedFile& a, const ListedFile& b) {
    return SystemUpperCase(a.name) < SystemUpperCase(b.name);
  });
  return 0;
}

std::string FindFileNoCase(const std::string& path) {
  std::error_code ec;
  if (fs::exists(path, ec)) return path;
  const std::string folder = FolderOf(path);
  const std::string name = NameOf(path);
  fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const std::string candidate = it->path().filename().string();
    if (EqualsNoCase(candidate, name)) return folder + candidate;
  }
  return path;
}

}  // namespace stavbas
