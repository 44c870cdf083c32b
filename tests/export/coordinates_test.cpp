// RT 90 to WGS 84, checked at known points and against PROJ's cs2cs over the whole of Sweden,
// and the reading of coordinate lines.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "export/coordinates.h"
#include "support/command.h"
#include "support/temp_dir.h"

namespace stavbas {
namespace {

TEST(Coordinates, KnownGridPoints) {
  // On the central meridian the longitude on Bessel 1841 is the meridian itself.
  EXPECT_DOUBLE_EQ(Rt90ToBessel(6600000, 1500000).lon, 15.808277777777777);
  const LatLon bessel = Rt90ToBessel(6583052, 1627548);
  EXPECT_NEAR(bessel.lat, 59.349407, 5e-7);
  EXPECT_NEAR(bessel.lon, 18.050764, 5e-7);
  const LatLon wgs = Rt90ToWgs84(6583052, 1627548);
  EXPECT_NEAR(wgs.lat, 59.348915, 5e-7);
  EXPECT_NEAR(wgs.lon, 18.047319, 5e-7);
}

TEST(Coordinates, NumbersAreWrittenWithAPointAndAtMostFifteenDigits) {
  EXPECT_EQ(DegreesText(57.5), "57.5");
  EXPECT_EQ(DegreesText(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(DegreesText(-7.25), "-7.25");
  const std::string pair = ConvertRt90(6583052, 1627548, ";");
  EXPECT_NEAR(std::stod(pair.substr(0, pair.find(' '))), 59.348915, 5e-7) << pair;
  EXPECT_NEAR(std::stod(pair.substr(pair.find(" ; ") + 3)), 18.047319, 5e-7) << pair;
  EXPECT_EQ(pair.find(','), std::string::npos);
}

// Every 25 km over the grid's square round Sweden, converted here and by cs2cs; the largest
// distance between the two results in metres must stay far below what a map could show.
TEST(Coordinates, AgreeWithProjOverSweden) {
  test::TempDir dir;
  std::ostringstream points;
  int count = 0;
  for (int n = 6130000; n <= 7680000; n += 25000)
    for (int e = 1200000; e <= 1920000; e += 25000, ++count) points << n << ' ' << e << '\n';
  dir.WriteBytes("points.txt", points.str());
  const test::CommandResult proj =
      test::RunCommand("cs2cs -f %.10f EPSG:3021 EPSG:4326 < " + test::Quoted(dir / "points.txt"));
  ASSERT_EQ(proj.status, 0) << "cs2cs (Debian package proj-bin) is needed";
  std::istringstream in(proj.out), grid(points.str());
  double worst = 0;
  std::string worstAt;
  int read = 0;
  for (double n, e, lat, lon, h; grid >> n >> e && in >> lat >> lon >> h; ++read) {
    const LatLon ours = Rt90ToWgs84(n, e);
    const double dy = (ours.lat - lat) * 111320.0;
    const double dx = (ours.lon - lon) * 111320.0 * std::cos(lat * M_PI / 180);
    const double d = std::hypot(dx, dy);
    if (d > worst) worst = d, worstAt = std::to_string(n) + " " + std::to_string(e);
  }
  ASSERT_EQ(read, count);
  RecordProperty("largest_difference_m", std::to_string(worst));
  std::cout << "largest difference from cs2cs over " << count << " points: " << worst << " m (at "
            << worstAt << ")\n";
  EXPECT_LT(worst, 0.1);
}

TEST(Coordinates, ReadingCoordinateLines) {
  std::string lat = "old", lon = "old";
  // Grid values at their fixed places, tab between them.
  EXPECT_TRUE(GetKoordinater("Koordinater: 6583052\t1627548 ", "\t", lat, lon));
  EXPECT_NEAR(std::stod(lat), 59.348915, 5e-7) << lat;
  EXPECT_NEAR(std::stod(lon), 18.047319, 5e-7) << lon;
  // Degrees in parentheses are taken as they stand, decimal commas made points.
  EXPECT_TRUE(GetKoordinater("Nuv. koord.: (57,4613 ; 16,1293) ", ";", lat, lon));
  EXPECT_EQ(lat, "57.4613");
  EXPECT_EQ(lon, "16.1293");
  // Without blanks round the separator no digit is lost.
  EXPECT_TRUE(GetKoordinater("Koordinater: (-57.5;-16) ", ";", lat, lon));
  EXPECT_EQ(lat, "-57.5");
  EXPECT_EQ(lon, "-16");
  // A parenthesis without the separator gives no pair; the old values stay.
  EXPECT_FALSE(GetKoordinater("Koordinater: (57.4613 16.1293) ", ";", lat, lon));
  EXPECT_EQ(lat, "-57.5");
}

TEST(Coordinates, UnreadableCoordinatesStopWithTheirText) {
  std::string lat, lon;
  for (const char* line : {"Koordinater: 626184\t1559983 ",  // six digits: a tab among them
                           "Koordinater: 6261843\t15599 ",   // short line
                           "Koordinater: 62618a3\t1559983 ", "Koordinater: (57.46 ; 16.12 ",
                           "Koordinater: (57.46 ; abc) ", "Koordinater: ( ; ) "}) {
    const std::string sep = std::string(line).find('(') != std::string::npos ? ";" : "\t";
    EXPECT_THROW(GetKoordinater(line, sep, lat, lon), CoordinateError) << line;
  }
  try {
    GetKoordinater("Koordinater: 62618a3\t1559983 ", "\t", lat, lon);
  } catch (const CoordinateError& e) {
    EXPECT_STREQ(e.what(), "62618a3");
  }
}

TEST(Coordinates, PairsForTheTableExports) {
  const std::string line = "U 344 V Koordinater: 6583052;1627548 ";
  const std::size_t at = line.find("Koordinater:");
  const std::optional<Position> kept = ReadPosition(line, at, ";", true);
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->first + " ; " + kept->second, "6583052 ; 1627548");
  const std::optional<Position> converted = ReadPosition(line, at, ";", false);
  ASSERT_TRUE(converted);
  EXPECT_TRUE(converted->first.starts_with("59.3489")) << converted->first;
  EXPECT_FALSE(ReadPosition("U 1 Koordinater: (1 2) ", 4, ";", false));
}

// What the exports take for a number: a plain decimal, nothing a number parser would also take.
TEST(CoordinateReading, OnlyPlainDecimalsAreNumbers) {
  for (const char* number : {"59", "+59.5", "-12,25", "0.5", ".5", "5.", "059", "-0"})
    EXPECT_TRUE(IsPlainDecimal(number)) << number;
  for (const char* other : {"", "+", "-", ".", "+-1", "--1", "1e2", "1E2", "0x10", "inf", "nan",
                            "-inf", "1.2.3", "1,2.3", " 1", "1 ", "\t1", "1;2", "١"})
    EXPECT_FALSE(IsPlainDecimal(other)) << other;
}

// Every form a pair may take, with the separator of the settings: read as the same numbers,
// no pair at all, or refused with the text that could not be read.
TEST(CoordinateReading, EveryFormOfAPairIsReadOrRefused) {
  struct Read {
    const char* line;
    const char* separator;
    const char* first;  // nullptr: no pair
    const char* second;
    double lat, lon;
  };
  for (const Read& r : std::initializer_list<Read>{
           {"Koordinater: (+59,5 ; +17,5) ", ";", "+59.5", "+17.5", 59.5, 17.5},
           {"Koordinater: (59.5;17.5) ", ";", "59.5", "17.5", 59.5, 17.5},
           {"Koordinater: (  -12,25 \t 45 ) ", "\t", "-12.25", "45", -12.25, 45},
           {"Koordinater: (90 ; -180) ", ";", "90", "-180", 90, -180},
           {"Koordinater: (.5 ; 5.) ", ";", ".5", "5.", 0.5, 5},
           {"Koordinater: (59 17) ", ";", nullptr, nullptr, 0, 0},  // no separator: no pair
       }) {
    const std::optional<Position> p = ReadPosition(r.line, 0, r.separator, false);
    if (!r.first) {
      EXPECT_FALSE(p) << r.line;
      continue;
    }
    ASSERT_TRUE(p) << r.line;
    EXPECT_EQ(p->first, r.first) << r.line;
    EXPECT_EQ(p->second, r.second) << r.line;
    EXPECT_EQ(p->firstValue, r.lat) << r.line;
    EXPECT_EQ(p->secondValue, r.lon) << r.line;
    EXPECT_TRUE(p->inDegrees);
  }
  struct Refused {
    const char* line;
    const char* separator;
    const char* what;
  };
  for (const Refused& r : std::initializer_list<Refused>{
           {"Koordinater: (+-1 ; 2) ", ";", "+-1 ; 2"},
           {"Koordinater: (1e2 ; 2) ", ";", "1e2 ; 2"},
           {"Koordinater: (0x10 ; 2) ", ";", "0x10 ; 2"},
           {"Koordinater: (inf ; 2) ", ";", "inf ; 2"},
           {"Koordinater: (59 ; nan) ", ";", "59 ; nan"},
           {"Koordinater: ( ; 17) ", ";", " ; 17"},
           {"Koordinater: (59 ; ) ", ";", "59 ; "},
           {"Koordinater: (59 ; 17 ; 3) ", ";", "59 ; 17 ; 3"},
           {"Koordinater: (59 ; 17 ", ";", "Koordinater: (59 ; 17 "},
           {"Koordinater: (59,5 17,5) ;", ";", "59,5 17,5"},  // the separator outside only
           {"Koordinater: (59 ; 17) ", "\t", nullptr},        // ";" is no separator here
           {"Koordinater: (59\t5 17.5) ", "\t", "59\t5 17.5"},
           {"Koordinater: (90.0001 ; 17) ", ";", "90.0001 ; 17"},
           {"Koordinater: (-91 ; 17) ", ";", "-91 ; 17"},
           {"Koordinater: (59 ; 180,5) ", ";", "59 ; 180,5"},
           {"Koordinater: (1000000000000000000000000000000000000000000000000000000 ; 1) ", ";",
            "1000000000000000000000000000000000000000000000000000000 ; 1"},
           {"Koordinater: +-65830\t1627548 ", "\t", "+-65830"},
       }) {
    if (!r.what) {  // read as no pair, as a line without its separator is
      EXPECT_FALSE(ReadPosition(r.line, 0, r.separator, false)) << r.line;
      continue;
    }
    for (const bool keep : {false, true}) {
      try {
        ReadPosition(r.line, 0, r.separator, keep);
        ADD_FAILURE() << "read: " << r.line;
      } catch (const CoordinateError& e) {
        EXPECT_STREQ(e.what(), r.what) << r.line;
      }
    }
  }
  // A number too small for a double is zero, not refused.
  const auto tiny =
      ReadPosition("Koordinater: (0." + std::string(400, '0') + "1 ; 1) ", 0, ";", false);
  ASSERT_TRUE(tiny);
  EXPECT_EQ(tiny->firstValue, 0);
}

TEST(CoordinateReading, GridValuesAreConvertedOrKeptWithTheirValues) {
  const std::string line = "U 1 V Koordinater: 6583052;1627548 ";
  const auto converted = ReadPosition(line, 6, ";", false);
  ASSERT_TRUE(converted);
  EXPECT_FALSE(converted->inDegrees);
  EXPECT_NEAR(converted->firstValue, 59.348915, 5e-7);
  EXPECT_NEAR(converted->secondValue, 18.047319, 5e-7);
  EXPECT_EQ(std::stod(converted->first), converted->firstValue);
  EXPECT_EQ(std::stod(converted->second), converted->secondValue);
  const auto kept = ReadPosition(line, 6, ";", true);
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->first, "6583052");
  EXPECT_EQ(kept->second, "1627548");
  EXPECT_EQ(kept->firstValue, 6583052);
  EXPECT_EQ(kept->secondValue, 1627548);
  // Degrees near zero are written out, never with an exponent a reader would refuse.
  EXPECT_EQ(DegreesText(3e-7), "0.0000003");
  EXPECT_EQ(DegreesText(-1.25e-5), "-0.0000125");
  EXPECT_EQ(DegreesText(0), "0");
}

}  // namespace
}  // namespace stavbas
