// The spreadsheet library is loaded when a workbook is first read, not when the program
// starts. This test program does not link libgsf, as the test suite does for its compound
// documents, so the loading is the program's own.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "spreadsheet/gsf_library.h"
#include "spreadsheet/xls_read.h"

namespace stavbas {
namespace {

bool GsfLoaded() {
  void* handle = dlopen(STAVBAS_GSF_LIBRARY, RTLD_NOW | RTLD_NOLOAD);
  if (handle) dlclose(handle);
  return handle != nullptr;
}

TEST(GsfLoading, TheLibraryIsLoadedByTheFirstWorkbookRead) {
  ASSERT_FALSE(GsfLoaded());
  TXLSRead reader;
  std::string first;
  reader.OnStringCell = [&](int row, int col, const std::string& text) {
    if (row == 0 && col == 0) first = text;
  };
  std::string error;
  ASSERT_TRUE(
      reader.Read(std::string(STAVBAS_SOURCE_DIR) + "/tests/fixtures/xls/info97.xls", error))
      << error;
  EXPECT_EQ(first, "SIGNUM");
  EXPECT_TRUE(GsfLoaded());
}

TEST(GsfLoading, ALibraryThatCannotBeLoadedIsNamed) {
  std::string error;
  EXPECT_FALSE(LoadGsfLibrary("libstavbas-no-such-library.so.1", error));
  EXPECT_NE(error.find("libstavbas-no-such-library.so.1"), std::string::npos) << error;
  // A library without libgsf's functions is refused by the first one it lacks.
  EXPECT_FALSE(LoadGsfLibrary("libz.so.1", error));
  EXPECT_NE(error.find("gsf_init"), std::string::npos) << error;
}

}  // namespace
}  // namespace stavbas
