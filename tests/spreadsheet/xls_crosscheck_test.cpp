// Compares the reader with an independent one: tools/xls_cells.py, which prints the cells that
// Python's xlrd finds. Skipped where python3 with xlrd is missing (Debian: python3-xlrd).

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "base/cp1252.h"
#include "spreadsheet/xls_test_support.h"

namespace stavbas::test {
namespace {

namespace fs = std::filesystem;

struct Output {
  int status = -1;
  std::string text;
};

Output RunCommand(const std::string& command) {
  Output out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.text.append(buffer, n);
  out.status = pclose(pipe);
  return out;
}

// The system's python3 first: xlrd comes as a Debian package, which other pythons on the
// path (a pyenv shim, say) do not see.
const std::string& PythonWithXlrd() {
  static const std::string python = [] {
    for (const char* candidate : {"/usr/bin/python3", "python3"})
      if (RunCommand(std::string(candidate) + " -c 'import xlrd' 2>/dev/null").status == 0)
        return std::string(candidate);
    return std::string();
  }();
  return python;
}

std::string Unescape(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      out += s[i];
      continue;
    }
    const char c = s[++i];
    out += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
  }
  return out;
}

std::vector<std::string> Fixtures() {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(XlsFixture("")))
    if (e.path().extension() == ".xls" || e.path().extension() == ".doc")
      names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class CrossCheck : public testing::TestWithParam<std::string> {};

TEST_P(CrossCheck, SameCellsAsXlrd) {
  if (PythonWithXlrd().empty()) GTEST_SKIP() << "python3 with xlrd is not installed";
  const std::string file = XlsFixture(GetParam());
  const Output xlrd = RunCommand(PythonWithXlrd() + " '" + STAVBAS_SOURCE_DIR +
                                 "/tools/xls_cells.py' '" + file + "' 2>/dev/null");
  const ReadResult r = ReadXls(file);
  if (xlrd.status != 0) {  // both must refuse the encrypted workbook and the Word document
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error == kXlsEncrypted || r.error == kXlsNotAWorkbook) << r.error;
    return;
  }
  ASSERT_TRUE(r.ok) << r.error;

  std::map<std::pair<int, int>, const CellEvent*> ours;
  for (const CellEvent& c : r.cells) EXPECT_TRUE(ours.emplace(std::pair(c.row, c.col), &c).second);
  std::istringstream lines(xlrd.text);
  std::size_t count = 0;
  for (std::string line; std::getline(lines, line); ++count) {
    std::istringstream fields(line);
    std::string row, col, kind, value;
    std::getline(fields, row, '\t');
    std::getline(fields, col, '\t');
    std::getline(fields, kind, '\t');
    std::getline(fields, value);
    const auto it = ours.find({std::stoi(row), std::stoi(col)});
    ASSERT_NE(it, ours.end()) << "no event for " << line;
    const CellEvent& c = *it->second;
    if (kind == "number") {
      EXPECT_EQ(c.kind, CellEvent::kNumber) << line;
      EXPECT_EQ(c.number, std::strtod(value.c_str(), nullptr)) << line;
    } else {
      const CellEvent::Kind expected = kind == "bool" ? CellEvent::kBoolean : CellEvent::kText;
      EXPECT_TRUE(c.kind == expected || (kind == "text" && c.kind == CellEvent::kRich)) << line;
      EXPECT_EQ(c.text, Utf8ToCp1252(Unescape(value))) << line;
    }
  }
  EXPECT_EQ(count, r.cells.size());
}

INSTANTIATE_TEST_SUITE_P(Fixtures, CrossCheck, testing::ValuesIn(Fixtures()), [](const auto& info) {
  std::string name = info.param;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
});

}  // namespace
}  // namespace stavbas::test
