// The file information of the viewer, and the file types of the open and save dialogs.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/file_filter.h"
#include "app/file_information.h"
#include "base/cp1252.h"
#include "base/file_listing.h"
#include "output/output_fixture.h"

namespace stavbas {
namespace {

using Strings = std::vector<std::string>;

class FileInformationTest : public ::testing::Test, public test::OutputFixture {};

TEST_F(FileInformationTest, EveryDataFileWithTitleSizeAndDateThenTheSpreadsheet) {
  Sample();
  const std::string text = Cp1252ToUtf8(FileInformationText(app->db, app->ui));
  const std::string run = dir / "STAVBAS.RUN";
  const std::string runLine =
      "(Runtext), Storlek (byte): " + std::to_string(std::filesystem::file_size(run)) +
      ", Datum + tid: " + DosStampText(FileDateTime(run));
  // The first file: its name, its line, a line with one blank; the next ones have an empty line
  // after their name.
  EXPECT_EQ(text.find(dir / "STAVBAS.ENG"), 0u) << text;
  EXPECT_NE(text.find(run + "\r\n\r\n" + runLine + "\r\n \r\n"), std::string::npos) << text;
  EXPECT_NE(
      text.find(dir / "STAVBAS.XLS" + "\r\n\r\n(Information om plats m.m.), Storlek (byte): "),
      std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4 * app->db.count() - 1 + 4);
  app->ui.SetStrings(StringTable::English());
  EXPECT_NE(Cp1252ToUtf8(FileInformationText(app->db, app->ui)).find("Size (bytes): "),
            std::string::npos);
}

TEST(FileInformation, DosStamps) {
  EXPECT_EQ(DosStampText((44u << 25) | (5u << 21) | (17u << 16) | (14u << 11) | (3u << 5) | 11u),
            "2024-05-17 14:03:22");
  EXPECT_EQ(DosStampText(0), "");
}

TEST(FileFilters, DescriptionsAndPatternsOfEitherCase) {
  const auto f = ParseFileFilter("RTF-filer (.RTF)|*.RTF|Textfiler (.TXT)|*.TXT");
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[0].description, "RTF-filer");
  EXPECT_EQ(f[0].patterns, (Strings{"*.RTF", "*.rtf"}));
  EXPECT_EQ(f[1].description, "Textfiler");
  const auto d = ParseFileFilter("Datafiler|STAVBAS.*;stavbas.*");
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].patterns, (Strings{"STAVBAS.*", "stavbas.*"}));
  EXPECT_TRUE(ParseFileFilter("").empty());
}

}  // namespace
}  // namespace stavbas
