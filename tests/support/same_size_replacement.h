#pragma once
// Replaces a data file by another of the same size and the same time stamp whose records stand
// on other lines: what the index file's key (size and stamp) cannot tell from the file it was
// written for.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace stavbas::test {

// The file's records move `shift` lines down (a positive shift: comment lines "!" are added
// after the first line, which is shortened by as many bytes) or one line up (-1: its first two
// lines, both header lines, become one of the same length). The file must begin with two
// header lines, the first long enough to give the bytes.
inline void ReplaceShifted(const TempDir& dir, const std::string& name, int shift) {
  namespace fs = std::filesystem;
  const fs::path path = dir.path() / name;
  const fs::file_time_type stamp = fs::last_write_time(path);
  const std::string bytes = dir.ReadBytes(name);
  const std::size_t firstEnd = bytes.find("\r\n") + 2;
  const std::size_t secondEnd = bytes.find("\r\n", firstEnd) + 2;
  std::string replaced;
  if (shift >= 0) {
    std::string added;
    for (int i = 0; i < shift; ++i) added += "!\r\n";
    ASSERT_GT(firstEnd - 2, added.size() + 1);
    replaced =
        bytes.substr(0, firstEnd - 2 - added.size()) + "\r\n" + added + bytes.substr(firstEnd);
  } else {
    ASSERT_EQ(shift, -1);
    const std::string second = bytes.substr(firstEnd, secondEnd - firstEnd - 2);
    replaced = second + std::string(firstEnd, ' ') + "\r\n" + bytes.substr(secondEnd);
  }
  ASSERT_EQ(replaced.size(), bytes.size());
  dir.WriteBytes(name, replaced);
  fs::last_write_time(path, stamp);
}

}  // namespace stavbas::test
