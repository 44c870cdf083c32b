#pragma once
// Writing a compound document (the container of an .xls file) with the given streams; for the
// tests and the fuzz targets, which make workbooks of their own.

#include <string>
#include <utility>
#include <vector>

namespace stavbas::test {

// False when the file cannot be written.
bool WriteCompoundDocument(const std::string& path,
                           const std::vector<std::pair<std::string, std::string>>& streams);

}  // namespace stavbas::test
