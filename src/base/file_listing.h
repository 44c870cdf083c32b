#pragma once
// Directory listing of a database's files: the base name followed by any extension, matched
// without regard to case as on the system the data files come from.

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace stavbas {

struct ListedFile {
  std::string path;  // folder (as given) and name
  std::string name;  // the name as it stands in the folder
  std::uint32_t size = 0;
  std::uint32_t dateTime = 0;  // DOS packed date and time of the last write
  // A regular file (a link is followed); a folder, a device or a pipe is not, and reading one
  // could block or never end.
  bool regular = false;
};

// Lists "<base>.*" in the base name's folder (the current folder when it has none), sorted by
// name without regard to case. Returns 0, or the system's error number when the folder cannot
// be read.
int ListBaseName(const std::string& baseName, std::vector<ListedFile>& out);

// The 32-bit DOS stamp of a time: date in the high word, time of day (2-second steps) in the low.
std::uint32_t DosDateTime(std::time_t t);
// The stamp of a file's last write; 0 when it cannot be read.
std::uint32_t FileDateTime(const std::string& path);

// The folder part of a path including its final "/", or "" when there is none.
std::string FolderOf(const std::string& path);
// The part after the last "/".
std::string NameOf(const std::string& path);
// Finds a file in a folder by name without regard to case; the path as given when none exists.
std::string FindFileNoCase(const std::string& path);

}  // namespace stavbas
