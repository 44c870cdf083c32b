// Every export reads a coordinate the same way: the same numbers in KML, the map page, GPX, CSV,
// the shapefile (read back by GDAL) and the map address, and the same refusal, naming the
// inscription and leaving no file, for what cannot be read or lies off the globe.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>

#include "export/export_fixture.h"
#include "export/export_run.h"
#include "support/command.h"

namespace stavbas {
namespace {

namespace fs = std::filesystem;
using Outcome = ExportResult::Outcome;

constexpr ExportKind kKinds[] = {ExportKind::Kml, ExportKind::Gmap, ExportKind::Gpx,
                                 ExportKind::Csv, ExportKind::Shp};

const char* NameOf(ExportKind kind) {
  static const char* const kNames[] = {"kml", "gmap", "gpx", "csv", "shp"};
  return kNames[static_cast<int>(kind)];
}

class CoordinateAgreement : public ::testing::Test, public test::ExportFixture {
 protected:
  // Runs an export of the selection into the folder "out" with the standard format.
  ExportResult Export(ExportKind kind) {
    fs::create_directories(dir / "out");
    const auto plan = app->exports.Prepare(kind);
    EXPECT_TRUE(plan);
    if (!plan) return {};
    ExportAnswers answers;
    if (plan->formatDialog) answers.formatCode = plan->formatDialog->standardFormat;
    answers.fileName = dir / (std::string("out/x.") + NameOf(kind));
    answers.originPlace = true;
    return app->exports.Run(*plan, answers);
  }
  // The position of each inscription as an export wrote it: latitude and longitude.
  using Positions = std::map<std::string, std::pair<double, double>>;

  Positions Read(ExportKind kind, const std::string& path) {
    const std::string text = dir.ReadBytes(fs::path(path).lexically_relative(dir.path()).string());
    Positions p;
    auto each = [&](const std::string& text, const std::string& pattern, auto take) {
      const std::regex re(pattern);
      for (auto it = std::sregex_iterator(text.begin(), text.end(), re);
           it != std::sregex_iterator(); ++it)
        take(*it);
    };
    switch (kind) {
      case ExportKind::Kml:
        each(text,
             "<Placemark>[\\s\\S]*?<name>([^<]*)</name>[\\s\\S]*?<coordinates>([^,]*),([^,]*),0"
             "</coordinates>",
             [&](const std::smatch& m) {
               p[m[1]] = {std::stod(m[3]), std::stod(m[2])};
             });
        break;
      case ExportKind::Gpx:
        each(text, "<wpt lat=\"([^\"]*)\" lon=\"([^\"]*)\">\r\n\t\t<name>([^<]*)</name>",
             [&](const std::smatch& m) {
               p[m[3]] = {std::stod(m[1]), std::stod(m[2])};
             });
        break;
      case ExportKind::Gmap: {
        std::vector<std::pair<double, double>> at;
        each(text, "new coordinate\\(([^,]*),([^)]*)\\)", [&](const std::smatch& m) {
          at.push_back({std::stod(m[1]), std::stod(m[2])});
        });
        std::size_t n = 0;
        each(text, "NameArray.push\\('([^']*)'\\)", [&](const std::smatch& m) {
          if (n < at.size()) p[m[1]] = at[n++];
        });
        break;
      }
      case ExportKind::Csv:
        each(text, ";\"(U \\d+ V)[^\"]*\";\"([^\"]*)\";\"([^\"]*)\";", [&](const std::smatch& m) {
          p[m[1]] = {std::stod(m[2]), std::stod(m[3])};
        });
        break;
      case ExportKind::Shp: {
        // GDAL's reading: the point and the two number attributes must agree.
        const test::CommandResult info = test::RunCommand("ogrinfo -ro -al " + test::Quoted(path));
        EXPECT_EQ(info.status, 0) << "ogrinfo (Debian package gdal-bin) is needed";
        each(info.out,
             "Signum \\(String\\) = (U \\d+ V) *\n  X-koord \\(Real\\) = (\\S+)\n  Y-koord "
             "\\(Real\\) = (\\S+)\n  POINT \\((\\S+) (\\S+)\\)",
             [&](const std::smatch& m) {
               // The attributes hold six decimals.
               EXPECT_NEAR(std::stod(m[2]), std::stod(m[4]), 5e-7) << m[1];
               EXPECT_NEAR(std::stod(m[3]), std::stod(m[5]), 5e-7) << m[1];
               p[m[1]] = {std::stod(m[5]), std::stod(m[4])};
             });
        break;
      }
    }
    return p;
  }
  // The current inscription's map address, read back.
  std::optional<std::pair<double, double>> MapAddress(const std::string& signum) {
    app->run.SignumRun(signum);
    const std::optional<std::string> address = app->addresses.Map(true);
    if (!address) return std::nullopt;
    std::smatch m;
    EXPECT_TRUE(std::regex_search(*address, m, std::regex("query=([^%]*)%2C(.*)$"))) << *address;
    return std::pair{std::stod(m[1]), std::stod(m[2])};
  }
  // The names in the folder "out".
  std::vector<std::string> Written() {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir / "out")) names.push_back(e.path().filename());
    return names;
  }
};

TEST_F(CoordinateAgreement, GoodFormsGiveTheSameNumbersInEveryExport) {
  const std::map<std::string, std::pair<double, double>> expected = {
      {"U 1 V", {59.5, 17.5}},
      {"U 2 V", {59.348915, 18.047319}},
      {"U 3 V", {-33.125, -70.5}},
      {"U 4 V", {59.25, 18}},
      {"U 5 V", {0.5, 5}}};
  Stones({{"U 1 V", "a", {{'X', "(+59,5 ; +17,5)"}}},
          {"U 2 V", "b", {{'X', "6583052;1627548"}}},
          {"U 3 V", "c", {{'X', "( -33,125 ;  -70,5 )"}}},
          {"U 4 V", "d", {{'X', "(59.25;18)"}}},
          {"U 5 V", "e", {{'X', "(.5 ; 5.)"}}}});
  app->settings.provinces.Assign(*ParseProvinceText("U"));
  for (const ExportKind kind : kKinds) {
    SCOPED_TRACE(NameOf(kind));
    const ExportResult r = Export(kind);
    ASSERT_EQ(r.outcome, Outcome::Written) << testing::PrintToString(host.BoxTexts());
    const Positions got = Read(kind, r.path);
    ASSERT_EQ(got.size(), expected.size()) << dir.ReadBytes("out/x." + std::string(NameOf(kind)));
    for (const auto& [signum, at] : expected) {
      ASSERT_TRUE(got.count(signum)) << signum;
      EXPECT_NEAR(got.at(signum).first, at.first, 5e-7) << signum;
      EXPECT_NEAR(got.at(signum).second, at.second, 5e-7) << signum;
    }
  }
  for (const auto& [signum, at] : expected) {
    const auto address = MapAddress(signum);
    ASSERT_TRUE(address) << signum << testing::PrintToString(host.BoxTexts());
    EXPECT_NEAR(address->first, at.first, 5e-7) << signum;
    EXPECT_NEAR(address->second, at.second, 5e-7) << signum;
  }
  EXPECT_TRUE(host.BoxTexts().size() == 1 && host.BoxTexts()[0].find("GPS") != std::string::npos)
      << testing::PrintToString(host.BoxTexts());
  // The text exports keep the degrees as the data writes them.
  EXPECT_NE(dir.ReadBytes("out/x.kml").find("<coordinates>+17.5,+59.5,0</coordinates>"),
            std::string::npos);
  EXPECT_NE(dir.ReadBytes("out/x.csv").find(";\"+59.5\";\"+17.5\";"), std::string::npos);
}

TEST_F(CoordinateAgreement, EveryExportRefusesTheSameBadCoordinatesAndWritesNothing) {
  // The information file's first ";" becomes the separator of the settings, a tab.
  for (const char* bad : {"(+-1 ; 2)", "(95 ; 17)", "(59 ; 180,5)", "(1e2 ; 2)", "(0x10 ; 2)",
                          "(inf ; 17)", "(59 ; nan)", "( ; 17)", "(59 ; 17 ; 3)", "(59 ; 17",
                          "65830x2;1627548", "+-65830;1627548", "(59\xC2\xA0; 17)"}) {
    SCOPED_TRACE(bad);
    Stones({{"U 1 V", "a", {{'X', "6583052;1627548"}}},
            {"U 2 V", "b", {{'X', bad}}},
            {"U 3 V", "c", {{'X', "(59 ; 17)"}}}});
    app->settings.provinces.Assign(*ParseProvinceText("U"));
    std::string message;
    for (const ExportKind kind : kKinds) {
      SCOPED_TRACE(NameOf(kind));
      host.Clear();
      EXPECT_EQ(Export(kind).outcome, Outcome::Failed);
      ASSERT_EQ(host.boxes.size(), 1u) << testing::PrintToString(host.BoxTexts());
      EXPECT_EQ(host.boxes[0].kind, MsgKind::Error);
      const std::string shown = host.BoxTexts()[0];
      EXPECT_TRUE(shown.starts_with("Felaktiga koordinater för U 2 V: ")) << shown;
      if (message.empty()) message = shown;
      EXPECT_EQ(shown, message);
      EXPECT_TRUE(Written().empty()) << testing::PrintToString(Written());
      EXPECT_TRUE(host.opened.empty());
    }
    // The map command's address is refused in the same words.
    host.Clear();
    EXPECT_FALSE(MapAddress("U 2"));
    EXPECT_EQ(host.BoxTexts(), std::vector<std::string>{message});
  }
}

}  // namespace
}  // namespace stavbas
