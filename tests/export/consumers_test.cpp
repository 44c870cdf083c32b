// The exported files read by the programs their users open them with: GDAL reads the shapefile,
// the KML and the GPX, gpsbabel the GPX, xmllint finds the XML well-formed, Python's csv module
// reads the CSV file, and a headless Chromium runs the map page's script with small stand-ins for
// the map and the marker spreader. tools/install-deps.sh installs every one of them.

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "base/cp1252.h"
#include "export/export_fixture.h"
#include "export/export_run.h"
#include "support/command.h"

namespace stavbas {
namespace {

using test::Quoted;
using test::RunCommand;

// Runs a command; the test fails when it does not end with status 0.
std::string Output(const std::string& command) {
  const test::CommandResult r = RunCommand(command + " 2>&1");
  EXPECT_EQ(r.status, 0) << command << "\n" << r.out;
  return r.out;
}

int Matches(const std::string& text, const std::string& pattern) {
  const std::regex re(pattern);
  return static_cast<int>(
      std::distance(std::sregex_iterator(text.begin(), text.end(), re), std::sregex_iterator()));
}

class ConsumersTest : public ::testing::Test, public test::ExportFixture {
 protected:
  std::string Export(ExportKind kind, const std::string& name,
                     const std::vector<std::string>& entries = {}) {
    const auto plan = app->exports.Prepare(kind);
    EXPECT_TRUE(plan);
    if (!plan) return {};
    ExportAnswers answers;
    if (plan->formatDialog) {
      answers.formatCode = entries.empty() ? plan->formatDialog->standardFormat
                                           : *app->exports.FormatCodeFor(kind, entries);
      answers.chosenEntries = entries;
    }
    answers.fileName = dir / name;
    const ExportResult r = app->exports.Run(*plan, answers);
    EXPECT_EQ(r.outcome, ExportResult::Outcome::Written) << testing::PrintToString(host.BoxTexts());
    return r.path;
  }
  // Stones whose texts hold every character that could break a file.
  void AwkwardStones() {
    Stones(
        {{"U 1 V", "a'b", {{'X', "6583052;1627548"}, {'A', "Sten 'med' \\ och & <b> ]]> \x01"}}},
         {"U 2 V", "c\\'d", {{'X', "(59,5;17,5)"}, {'A', "\\u0041 \"citat\""}, {'Q', "I golvet"}}},
         {"U 3 V", "e", {{'A', "utan plats"}}},
         {"DR 1 V", "f", {{'X', "(55.5 ; 10.5)"}, {'P', "Se http://a.example/x?y=1&z, mer"}}}});
    app->settings.provinces.Assign(*ParseProvinceText("U,DR"));
  }
};

TEST_F(ConsumersTest, GdalReadsTheShapefileInTheGridWithItsFieldsAndPoints) {
  Sample();
  app->settings.provinces.Assign(*ParseProvinceText("\xD6l..S\xF6"));  // grid positions only
  const std::string path = Export(ExportKind::Shp, "grid", {"Material", "Runtext (Runtext.run)"});
  ASSERT_EQ(path, dir / "grid.SHP");
  const std::string info = Output("ogrinfo -ro -al " + Quoted(path));
  EXPECT_NE(info.find("Geometry: Point"), std::string::npos) << info;
  // GDAL knows the projection file's grid as the Swedish one.
  EXPECT_NE(info.find("ID[\"EPSG\",3021]]\nData axis"), std::string::npos) << info;
  EXPECT_NE(info.find("grid: Integer64 (11.0)"), std::string::npos) << info;
  EXPECT_NE(info.find("Signum: String (32.0)"), std::string::npos);
  EXPECT_NE(info.find("X-koord: Real (15.6)"), std::string::npos);
  EXPECT_NE(info.find("Material: String (255.0)"), std::string::npos);
  EXPECT_NE(info.find("Runtext: String (255.0)"), std::string::npos);
  const std::smatch count = [&] {
    std::smatch m;
    std::regex_search(info, m, std::regex("Feature Count: (\\d+)"));
    return m;
  }();
  ASSERT_FALSE(count.empty());
  const int features = std::stoi(count[1]);
  EXPECT_GT(features, 10);
  EXPECT_EQ(Matches(info, "POINT \\("), features);
  // The first stone: its number, signum, grid values as the point and as attributes.
  EXPECT_NE(info.find("  grid (Integer64) = 1\n  Signum (String) = \xC3\x96l 14 V"),
            std::string::npos)
      << info;
  EXPECT_NE(info.find("  X-koord (Real) = 1559983.000000\n  Y-koord (Real) = 6261843.000000\n"
                      "  Material (String) = Sandsten\n  Runtext (String) = sikualti \xC2\xB7 "),
            std::string::npos);
  EXPECT_NE(info.find("POINT (1559983 6261843)"), std::string::npos);
  // The texts are read in the code page they were written in: the dagger of a signum too.
  EXPECT_NE(info.find("Signum (String) = \xC3\x96g 207 \xE2\x80\xA0"), std::string::npos) << info;
}

TEST_F(ConsumersTest, GdalReadsTheShapefileInDegreesWithTheWgs84Projection) {
  AwkwardStones();
  const std::string path = Export(ExportKind::Shp, "deg.shp", {"Material"});
  const std::string info = Output("ogrinfo -ro -al " + Quoted(path));
  EXPECT_NE(info.find("Feature Count: 3"), std::string::npos) << info;
  EXPECT_NE(info.find("GEOGCRS[\"WGS 84\""), std::string::npos) << info;
  EXPECT_NE(info.find("POINT (17.5 59.5)"), std::string::npos) << info;
  EXPECT_NE(info.find("POINT (10.5 55.5)"), std::string::npos) << info;
  EXPECT_NE(info.find("Material (String) = \\u0041 \"citat\""), std::string::npos) << info;
}

TEST_F(ConsumersTest, KmlAndGpxAreWellFormedAndReadByGdalAndGpsbabel) {
  AwkwardStones();
  const std::string kml = Export(ExportKind::Kml, "a.kml", {"Material", "Plats"});
  const std::string gpx = Export(ExportKind::Gpx, "a.gpx");
  Output("xmllint --noout " + Quoted(kml) + " " + Quoted(gpx));

  const std::string kmlInfo = Output("ogrinfo -ro -al " + Quoted(kml));
  EXPECT_NE(kmlInfo.find("Feature Count: 3"), std::string::npos) << kmlInfo;
  EXPECT_NE(kmlInfo.find("Name (String) = U 2 V"), std::string::npos) << kmlInfo;
  EXPECT_NE(kmlInfo.find("POINT Z (17.5 59.5 0)"), std::string::npos) << kmlInfo;
  // The description is HTML: the data's markup characters are escaped in it.
  EXPECT_NE(kmlInfo.find("Sten 'med' \\ och &amp; &lt;b&gt; ]]&gt; "), std::string::npos)
      << kmlInfo;

  const std::string gpxInfo = Output("ogrinfo -ro " + Quoted(gpx) + " waypoints");
  EXPECT_NE(gpxInfo.find("Feature Count: 3"), std::string::npos) << gpxInfo;
  EXPECT_NE(gpxInfo.find("POINT (10.5 55.5)"), std::string::npos) << gpxInfo;

  // gpsbabel's own reader, its waypoints written out again as a simple list.
  const std::string waypoints =
      Output("gpsbabel -i gpx -f " + Quoted(gpx) + " -o unicsv,fields=lat+lon+name -F -");
  EXPECT_NE(waypoints.find("59.500000,17.500000,\"U 2 V\""), std::string::npos) << waypoints;
  EXPECT_NE(waypoints.find("55.500000,10.500000,\"DR 1 V\""), std::string::npos) << waypoints;
  EXPECT_EQ(Matches(waypoints, "\n"), 1 + 3) << waypoints;
}

TEST_F(ConsumersTest, PythonsCsvReaderGetsTheRowsAndColumns) {
  AwkwardStones();
  const std::string csv = Export(ExportKind::Csv, "t.csv", {"Material", "Placering"});
  const std::string rows = Output(
      "python3 -c 'import csv,sys,json; r=list(csv.reader(open(sys.argv[1], encoding=\"cp1252\", "
      "newline=\"\"), delimiter=\";\")); print(json.dumps(r))' " +
      Quoted(csv));
  // Every line begins and ends with the delimiter: an empty first and last column.
  EXPECT_NE(rows.find("[[\"\", \"Signum\", \"X-koord\", \"Y-koord\", \"Material\", \"Placering\", "
                      "\"\"]"),
            std::string::npos)
      << rows;
  EXPECT_NE(rows.find("\"59.5\", \"17.5\", \"\\\\u0041 \\\"citat\\\"\", \"I golvet\", \"\"]"),
            std::string::npos)
      << rows;
  EXPECT_NE(rows.find("\"U 3 V Material: utan plats \", \"\", \"\", \"utan plats\""),
            std::string::npos)
      << rows;
  EXPECT_EQ(Matches(rows, "\\[\""), 1 + 4);
}

// The map page with stand-ins for the map script and the marker spreader, loaded by Chromium:
// the stand-ins write what the page's script made of its data into the page.
constexpr const char* kMapsStandIn = R"(
var markers = [];
var google = {maps: {
  MapTypeId: {ROADMAP: 'roadmap'},
  LatLng: function(lat, lon) { this.lat = lat; this.lon = lon; },
  LatLngBounds: function() { this.points = []; this.extend = function(p) { this.points.push(p); }; },
  InfoWindow: function() { this.setContent = function() {}; this.open = function() {};
                           this.close = function() {}; },
  Marker: function(o) { this.o = o; this.setIcon = function() {}; markers.push(this); },
  Map: function(element, options) {
    this.setOptions = function() {};
    this.fitBounds = function(bounds) {
      var out = document.createElement('pre');
      out.id = 'result';
      out.textContent = JSON.stringify({
        bounds: bounds.points.length, spread: spread,
        footer: document.querySelector('footer p').textContent,
        markers: markers.map(function(m) {
          return {title: m.o.title, lat: m.o.position.lat, lon: m.o.position.lon, desc: m.desc};
        })});
      document.body.appendChild(out);
    };
  }
}};
)";
constexpr const char* kSpreaderStandIn = R"(
var spread = 0;
function OverlappingMarkerSpiderfier(map, options) {
  this.addListener = function(name, f) {};
  this.addMarker = function(marker) { spread++; };
}
)";

TEST_F(ConsumersTest, TheMapPageRunsInABrowserWithOneMarkerPerInscription) {
  AwkwardStones();
  dir.WriteBytes("maps.js", kMapsStandIn);
  dir.WriteBytes("spreader.js", kSpreaderStandIn);
  app->settings.gmap.script1 = "\"file://" + dir / "maps.js" + "\"";
  app->settings.gmap.script2 = "\"file://" + dir / "spreader.js" + "\"";
  ASSERT_TRUE(app->conditions.ParseWordSearchCode(""));
  const std::string page =
      Export(ExportKind::Gmap, "karta", {"Runtext (Runtext.run)", "Material", "Plats"});
  ASSERT_EQ(page, dir / "karta.HTML");
  // Python's HTML parser (which reads a script as the browser does) finds every element closed
  // where it was opened.
  dir.WriteBytes("balance.py", R"(import html.parser, sys
class Balance(html.parser.HTMLParser):
    void = {'meta', 'br', 'link', 'img', 'hr', 'input'}
    def __init__(self):
        super().__init__()
        self.open, self.faults = [], []
    def handle_starttag(self, tag, attrs):
        if tag not in self.void: self.open.append(tag)
    def handle_endtag(self, tag):
        if tag in self.void: return
        if self.open and self.open[-1] == tag: self.open.pop()
        else: self.faults.append(tag)
b = Balance()
b.feed(open(sys.argv[1], encoding='utf-8').read())
b.close()
print('unclosed', b.open, 'unopened', b.faults)
)");
  EXPECT_EQ(Output("python3 " + Quoted(dir / "balance.py") + " " + Quoted(page)),
            "unclosed [] unopened []\n");
  const std::string dom = Output(
      "timeout 120 chromium --headless --no-sandbox --disable-gpu "
      "--allow-file-access-from-files --dump-dom " +
      Quoted("file://" + page));
  std::smatch m;
  ASSERT_TRUE(std::regex_search(dom, m, std::regex("<pre id=\"result\">(.*)</pre>"))) << dom;
  std::string result = m[1];
  // The result is JSON in HTML text: undo the entities the DOM dump put in.
  for (auto [entity, c] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}})
    for (std::size_t at = result.find(entity); at != std::string::npos;
         at = result.find(entity, at + 1))
      result.replace(at, std::string(entity).size(), c);
  EXPECT_NE(result.find("\"bounds\":3,\"spread\":3"), std::string::npos) << result;
  EXPECT_NE(result.find("{\"title\":\"U 1 V\",\"lat\":59.348914"), std::string::npos) << result;
  EXPECT_NE(result.find("{\"title\":\"U 2 V\",\"lat\":59.5,\"lon\":17.5"), std::string::npos);
  EXPECT_NE(result.find("\"title\":\"DR 1 V\",\"lat\":55.5,\"lon\":10.5"), std::string::npos);
  // The texts arrive as written, as HTML for the information window.
  EXPECT_NE(result.find("Runtext:<b> c\\\\'d</b>"), std::string::npos) << result;
  EXPECT_NE(result.find("Material: Sten 'med' \\\\ och &amp; &lt;b&gt; ]]&gt; "), std::string::npos)
      << result;
  EXPECT_NE(
      result.find("Plats: Se <a href=\\\"http://a.example/x?y=1&amp;z\\\" target=\\\"_blank\\\">"
                  "http://a.example/x?y=1&amp;z, </a>mer"),
      std::string::npos)
      << result;
  EXPECT_NE(result.find("\"footer\":\"Urval: U,DR, 3 inskrifter\""), std::string::npos) << result;
}

}  // namespace
}  // namespace stavbas
