#pragma once
// A fresh folder per test, removed afterwards, with helpers to write files in Windows-1252.

#include <filesystem>
#include <string>
#include <string_view>

namespace stavbas::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string operator/(std::string_view name) const { return (path_ / name).string(); }

  // Writes the bytes as they stand.
  void WriteBytes(std::string_view name, std::string_view bytes) const;
  // Writes UTF-8 source text as Windows-1252 with CR LF line ends.
  void WriteText(std::string_view name, std::string_view utf8) const;
  std::string ReadBytes(std::string_view name) const;
  // Copies the bundled sample database (data/STAVBAS.*) into the folder.
  void CopySampleDatabase() const;

 private:
  std::filesystem::path path_;
};

}  // namespace stavbas::test
