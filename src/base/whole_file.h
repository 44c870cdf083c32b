#pragma once
// A whole small file read into memory, with the system's error number when it cannot be.

#include <string>

namespace stavbas {

// Reads the file at `path` into `bytes`. Returns 0, or the system's error number (ENOENT for a
// missing file); `bytes` holds what was read before a failure.
int ReadWholeFile(const std::string& path, std::string& bytes);

}  // namespace stavbas
