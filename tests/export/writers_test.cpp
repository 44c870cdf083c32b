// The writers of the exports on export texts made by hand: what each takes from a block, how it
// keeps its file well-formed whatever the text holds, and that a failure leaves no file.

#include <gtest/gtest.h>

#include <filesystem>

#include "base/cp1252.h"
#include "export/csv_writer.h"
#include "export/export_file.h"
#include "export/export_text.h"
#include "export/gmap_writer.h"
#include "export/gpx_writer.h"
#include "export/kml_writer.h"
#include "export/selection_file.h"
#include "export/shp_writer.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace stavbas {
namespace {

// An export text of inscriptions given in UTF-8 with "\n" line ends.
void Add(ExportText& text, const std::string& utf8) {
  std::string t;
  for (char c : Utf8ToCp1252(utf8)) {
    if (c == '\n') t += '\r';
    t += c;
  }
  text.AddInscription(t);
}

std::string Utf8File(const test::TempDir& dir, const std::string& name) {
  return dir.ReadBytes(name);
}

std::size_t Count(const std::string& s, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) ++n;
  return n;
}

TEST(ExportText, BlocksFollowTheReadingRulesAndNeverRunIntoTheNextInscription) {
  ExportText text;
  Add(text, "\nU 1 V \nKoordinater: (1 ; 2) \nNuv. koord.: (3 ; 4) ");  // last line unended
  Add(text, "\nU 2 V \nRuntext: a\n\nloose\n");                         // two blocks
  Add(text, "U 3 V \nno empty line before it\n");
  Add(text, "");  // wrote nothing: no inscription
  EXPECT_EQ(text.inscriptions(), 3);
  ExportText::Reader reader(text);
  ExportBlock b;
  std::vector<std::vector<std::string>> blocks;
  std::vector<int> blanks;
  while (reader.NextBlock(b)) blocks.push_back(b.lines), blanks.push_back(b.blankLinesBefore);
  ASSERT_EQ(blocks.size(), 4u);
  EXPECT_EQ(blocks[0],
            (std::vector<std::string>{"U 1 V ", "Koordinater: (1 ; 2) ", "Nuv. koord.: (3 ; 4) "}));
  EXPECT_EQ(blocks[1].front(), "U 2 V ");
  EXPECT_EQ(blocks[2], (std::vector<std::string>{"loose"}));
  EXPECT_EQ(blocks[3].front(), "U 3 V ");
  // The empty line that ends a block is passed over (also when it begins the next
  // inscription); the next block counts only the rest.
  EXPECT_EQ(blanks, (std::vector<int>{1, 0, 0, 0}));
}

TEST(ExportText, ReadsLinesAcrossItsChunksAndHoldsAnySize) {
  ExportText text;
  const std::string line(1000, 'x');
  for (int i = 0; i < 300; ++i)
    text.AddInscription("\r\nU " + std::to_string(i) + " V \r\n" + line);
  ExportText::Reader reader(text);
  ExportBlock b;
  int n = 0;
  while (reader.NextBlock(b)) {
    ASSERT_EQ(b.lines.size(), 2u);
    EXPECT_EQ(b.lines[1], line);
    EXPECT_EQ(b.lines[0], "U " + std::to_string(n++) + " V ");
  }
  EXPECT_EQ(n, 300);
}

const KmlSettings kKml;
const GpxSettings kGpx;
const GmapSettings kGmap;
const ShpWgs84Settings kWgs84;

TEST(KmlWriter, PlacemarksTakeThePlaceTheChoiceNamesAndShowTheRestAsText) {
  test::TempDir dir;
  ExportText text;
  Add(text,
      "\nU 1 V \nRuntext: sten\nruntext: plain\nKoordinater: (59,5 ; 17,25) \n"
      "Nuv. koord.: (60 ; 18) \nKoordinater: (1 ; 2) \nFornvästnordisk text: steinn\n"
      "Nationellt fornspråk: stæin");
  Add(text, "\nU 2 V \nNuv. koord.: (61 ; 19) ");
  std::string error;
  ASSERT_TRUE(SkapaKMLfil(text, {kKml, ";", true}, dir / "o.kml", error)) << error;
  const std::string origin = Utf8File(dir, "o.kml");
  EXPECT_NE(origin.find("<coordinates>17.25,59.5,0</coordinates>"), std::string::npos);
  EXPECT_NE(origin.find("<description><![CDATA[Runtext:<b> sten</b><br/>runtext: plain<br/>"
                        "Koordinater: (1 ; 2) <br/>Fornvästnordisk text:<i> steinn</i><br/>"
                        "Nationellt fornspråk:<i> stæin</i><br/>]]></description>"),
            std::string::npos)
      << origin;
  EXPECT_EQ(origin.find("Nuv. koord."), std::string::npos);
  // The second placemark has neither place: empty coordinates.
  EXPECT_NE(origin.find("<coordinates>,,0</coordinates>"), std::string::npos);
  EXPECT_EQ(Count(origin, "\t<Placemark>\r\n\r\n"), 1u) << "the first block's blank line";

  ASSERT_TRUE(SkapaKMLfil(text, {kKml, ";", false}, dir / "p.kml", error)) << error;
  const std::string present = Utf8File(dir, "p.kml");
  EXPECT_NE(present.find("<longitude>18</longitude>"), std::string::npos);
  EXPECT_NE(present.find("<coordinates>19,61,0</coordinates>"), std::string::npos);
}

TEST(KmlWriter, TextThatWouldBreakTheXmlIsEscaped) {
  test::TempDir dir;
  ExportText text;
  Add(text, "\nU 1 & <2> \nKoordinater: (1 ; 2) \nnote ]]> end \x01\x02 bell\x07 tab\tok");
  std::string error;
  ASSERT_TRUE(SkapaKMLfil(text, {kKml, ";", true}, dir / "x.kml", error)) << error;
  const std::string kml = Utf8File(dir, "x.kml");
  EXPECT_NE(kml.find("<name>U 1 &amp; &lt;2&gt;</name>"), std::string::npos);
  EXPECT_NE(kml.find("note ]]&gt; end  bell tab\tok<br/>]]>"), std::string::npos) << kml;
  // The section is still split where the program's own text would end it.
  EXPECT_EQ(CdataText("a]]>b"), "a]]]]><![CDATA[>b");

  ExportText empty;
  ASSERT_TRUE(SkapaKMLfil(empty, {kKml, ";", true}, dir / "e.kml", error));
  EXPECT_EQ(Utf8File(dir, "e.kml"), "");
}

// The balloon shows the description as HTML: the data's markup must stay text, while the
// program's own tags stay tags.
TEST(KmlWriter, TheDatasMarkupIsTextAndTheProgramsOwnTagsStay) {
  test::TempDir dir;
  ExportText text;
  Add(text,
      "\nU 1 V \nKoordinater: (59 ; 17) \nRuntext: <i>a</i> & b\n"
      "Material: <img src=x onerror=alert(1)> \"sten\" 'x' ]]> &amp;\n"
      "Fornvästnordisk text: \"Steinn <script>\nPlats: [http://a.example/?a=1&b=<2>]");
  std::string error;
  ASSERT_TRUE(SkapaKMLfil(text, {kKml, ";", true}, dir / "x.kml", error)) << error;
  const std::string kml = Utf8File(dir, "x.kml");
  EXPECT_NE(kml.find("<description><![CDATA[Runtext:<b> &lt;i&gt;a&lt;/i&gt; &amp; b</b><br/>"
                     "Material: &lt;img src=x onerror=alert(1)&gt; \"sten\" 'x' ]]&gt; "
                     "&amp;amp;<br/>Fornvästnordisk text:<i> \"Steinn &lt;script&gt;</i><br/>"
                     "Plats: [http://a.example/?a=1&amp;b=&lt;2&gt;]<br/>]]></description>"),
            std::string::npos)
      << kml;
  EXPECT_EQ(kml.find("<img"), std::string::npos);
}

TEST(GmapWriter, MarkersForBlocksWithCoordinatesAndTextsSafeInTheScript) {
  test::TempDir dir;
  ExportText text;
  Add(text,
      "\nU 1 V 'x'\\ \nKoordinater: (59.5 ; 17.25) \nRuntext: a'b\\u0041 <c>\n"
      "See http://a.example/x?y=1&z, and more\nNuv. koord.: (60 ; 18) ");
  Add(text, "\nU 2 V \nMaterial: Sten");  // no coordinates: no marker
  std::string error;
  ASSERT_TRUE(
      SkapaGMAPfil(text, {kGmap, ";", true, "Urval: <Alla & \"U\">"}, dir / "m.html", error))
      << error;
  const std::string page = Utf8File(dir, "m.html");
  EXPECT_EQ(Count(page, "runestone_locations.push("), 1u);
  EXPECT_NE(page.find("runestone_locations.push(new coordinate(59.5,17.25));"), std::string::npos);
  EXPECT_NE(page.find("runestone_location_NameArray.push('U 1 V \\'x\\'\\\\');"), std::string::npos)
      << page;
  EXPECT_NE(page.find("Runtext:<b> a\\'b\\\\u0041 &lt;c&gt;</b><br/>"), std::string::npos);
  EXPECT_NE(page.find("See <a href=\"http://a.example/x?y=1&amp;z\" target=\"_blank\">"
                      "http://a.example/x?y=1&amp;z, </a>and more<br/>"),
            std::string::npos)
      << page;
  // With the place of origin chosen the present place is text of the window.
  EXPECT_NE(page.find("Nuv. koord.: (60 ; 18) <br/>"), std::string::npos);
  EXPECT_NE(page.find("<p>Urval: &lt;Alla &amp; &quot;U&quot;&gt;</p>"), std::string::npos);
}

TEST(GmapWriter, LinksAndFooter) {
  EXPECT_EQ(WithLinks("a [http://x.example/y] b [http://z] c"),
            "a <a href=\"http://x.example/y\" target=\"_blank\">[http://x.example/y]</a> b "
            "<a href=\"http://z\" target=\"_blank\">[http://z]</a> c");
  EXPECT_EQ(WithLinks("a [http://x.example/y b"), "a [http://x.example/y b");
  EXPECT_EQ(WithLinks("end http://q;"),
            "end <a href=\"http://q;\" target=\"_blank\">http://q;</a>");
  EXPECT_EQ(WithLinks("no address"), "no address");
  // Only web addresses become links.
  EXPECT_EQ(WithLinks("[httpx:a] see httpd now [https://s]"),
            "[httpx:a] see httpd now <a href=\"https://s\" target=\"_blank\">[https://s]</a>");
  EXPECT_EQ(WithLinks("a http:b https://c"),
            "a http:b <a href=\"https://c\" target=\"_blank\">https://c</a>");
  const GmapFooterWords words{"Urval: ", "Alla landskap",
                              "Ordsökningskod:", "Inskriftsvillkorskod:", " inskrifter"};
  EXPECT_EQ(SelectionFooter(words, "", "", "", 12), "Urval: Alla landskap, 12 inskrifter");
  EXPECT_EQ(SelectionFooter(words, "U", "RUN:a", "INF;P:b", 0),
            "Urval: U, Ordsökningskod: RUN:a, Inskriftsvillkorskod: INF;P:b");
}

TEST(GpxWriter, WaypointsInUtf8WithTheLettersAGpsShows) {
  test::TempDir dir;
  ExportText text;
  Add(text,
      "\nÖl 1 † \nKoordinater: (56,5 ; 16,5) \nMaterial: Sandsten & <kalk> \nPlacering: I "
      "kyrkans golv\nRuntext: passed over");
  Add(text, "\nU 2 V þ\nKoordinater: (59 ; 17) ");
  std::string error;
  ASSERT_TRUE(SkapaPunktGPXfil(text, {kGpx, ";", true}, dir / "g.gpx", error)) << error;
  const std::string gpx = Utf8File(dir, "g.gpx");
  EXPECT_NE(gpx.find("\t<wpt lat=\"56.5\" lon=\"16.5\">\r\n\t\t<name>Ol 1 #</name>\r\n"
                     "\t\t<cmt> Sandsten &amp; &lt;kalk&gt; Placering: I kyrkans golv</cmt>"),
            std::string::npos)
      << gpx;
  EXPECT_NE(gpx.find("<name>U 2 V þ</name>"), std::string::npos) << "þ as UTF-8";
  EXPECT_NE(gpx.find("<cmt></cmt>"), std::string::npos);
  EXPECT_TRUE(gpx.ends_with("</gpx>\r\n"));
}

TEST(CsvWriter, QuotedFieldsGridOrDegreesAndTheChosenColumns) {
  test::TempDir dir;
  ExportText text;
  Add(text,
      "\nU 1 V Koordinater: 6583052;1627548 \nNuv. koord.: (60 ; 18) \nMaterial:  Sten \"grå\" ");
  Add(text, "\nU 2 V \nPlats: Kyrkan");
  CsvOptions o;
  o.table = {";", true, true, ColumnNames({"Material", "Ej giltigt val", "Plats (x)"})};
  std::string error;
  ASSERT_TRUE(SkapaCSV2fil(text, o, dir / "grid.csv", error)) << error;
  EXPECT_EQ(Cp1252ToUtf8(dir.ReadBytes("grid.csv")),
            ";\"Signum\";X-koord;Y-koord;\"Material\";\"Plats\";\r\n"
            ";\"U 1 V Koordinater: 6583052;1627548 \";\"6583052\";\"1627548\";"
            "\"Sten \"\"grå\"\"\";\"\";\r\n"
            ";\"U 2 V \";\"\";\"\";\"\";\"Kyrkan\";\r\n");
  // The present place in degrees among grid positions: every position in degrees.
  o.table.originPlace = false;
  ASSERT_TRUE(SkapaCSV2fil(text, o, dir / "deg.csv", error)) << error;
  EXPECT_NE(dir.ReadBytes("deg.csv").find(";\"60\";\"18\";"), std::string::npos);
  o.table.originPlace = true;
  o.table.keepRt90 = false;
  ASSERT_TRUE(SkapaCSV2fil(text, o, dir / "wgs.csv", error)) << error;
  EXPECT_NE(dir.ReadBytes("wgs.csv").find(";\"59.3489147"), std::string::npos);
}

// A spreadsheet computes a cell that begins like a formula; such a text gets an apostrophe and
// stays text. Numbers, the coordinates among them, stay as they are.
TEST(CsvWriter, CellsASpreadsheetWouldComputeStayText) {
  for (const char* formula : {"=1+1", "+A1", "-A1", "@SUM(A1)", "\tx", "\rx", "-", "+3,5 kg",
                              "=HYPERLINK(\"http://x\";\"y\")", "-1e5", "+0x10"})
    EXPECT_TRUE(TakenForFormula(formula)) << formula;
  for (const char* text : {"", "Sten", "-5", "+3,5", "+59.5", "-12.3", "6583052", " =1", "a=b"})
    EXPECT_FALSE(TakenForFormula(text)) << text;

  test::TempDir dir;
  ExportText text;
  Add(text,
      "\nU 1 V Koordinater: (+59,5 ; -12,3) \nMaterial: =HYPERLINK(\"http://x\";\"y\")\n"
      "Plats: -5");
  CsvOptions o;
  o.table = {";", true, false, ColumnNames({"Material", "Plats", "@Rubrik"})};
  std::string error;
  ASSERT_TRUE(SkapaCSV2fil(text, o, dir / "f.csv", error)) << error;
  EXPECT_EQ(dir.ReadBytes("f.csv"),
            ";\"Signum\";X-koord;Y-koord;\"Material\";\"Plats\";\"'@Rubrik\";\r\n"
            ";\"U 1 V Koordinater: (+59,5 ; -12,3) \";\"+59.5\";\"-12.3\";"
            "\"'=HYPERLINK(\"\"http://x\"\";\"\"y\"\")\";\"-5\";\"\";\r\n");
}

TEST(ShpWriter, NamesFieldNamesAndProjection) {
  EXPECT_EQ(FieldName("Nationellt fornspråk"), "Nationellt_fornspråk");
  EXPECT_EQ(FieldName("Sockenkod/Fornl. nr"), "Sockenkod-Fornl__nr");
  const ShapefileNames upper = ShapefileNamesOf("/d/ut.SHP");
  EXPECT_EQ(upper.shx, "/d/ut.SHX");
  EXPECT_EQ(upper.prj, "/d/ut.PRJ");
  EXPECT_EQ(upper.cpg, "/d/ut.CPG");
  EXPECT_EQ(ShapefileNamesOf("/d/ut.shp").dbf, "/d/ut.dbf");
  EXPECT_TRUE(ProjectionText(false, kWgs84).starts_with("GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\","));
  EXPECT_TRUE(ProjectionText(true, kWgs84).starts_with("PROJCS[\"RT90 2,5 gon V\""));
  ShpWgs84Settings projected = kWgs84;
  projected.projcs = "\"P\"";
  projected.projection = "[\"T\"";
  const std::string p = ProjectionText(false, projected);
  EXPECT_TRUE(p.starts_with("PROJCS[\"P\",GEOGCS[")) << p;
  EXPECT_TRUE(p.ends_with("]]PROJECTION[\"T\"]")) << p;
}

TEST(ShpWriter, OnlyAHeadingAfterTheSignumGivesAPoint) {
  test::TempDir dir;
  ExportText text;
  Add(text, "\nU 1 V Koordinater: 6583052;1627548 \nMaterial: Sten");
  Add(text, "\nU 2 V \nKoordinater: 6583052;1627548 ");  // heading at a line's start: no point
  std::string error;
  long records = 0;
  ShpOptions o{{";", true, true, ColumnNames({"Material"})}, kWgs84};
  ASSERT_TRUE(SkapaSHP2fil(text, o, dir / "p.shp", records, error)) << error;
  EXPECT_EQ(records, 1);
  EXPECT_TRUE(dir.ReadBytes("p.prj").starts_with("PROJCS[\"RT90"));
  EXPECT_EQ(dir.ReadBytes("p.shp").size(), 100u + 28u);
  EXPECT_EQ(dir.ReadBytes("p.shx").size(), 100u + 8u);
}

TEST(Writers, AnUnwritableFileOrAnUnreadableCoordinateLeavesNoFile) {
  test::TempDir dir;
  ExportText text;
  Add(text, "\nU 1 V Koordinater: 65830x2;1627548 \nKoordinater: 65830x2;1627548 ");
  std::string error;
  dir.WriteBytes("old.kml", "old");
  try {
    SkapaKMLfil(text, {kKml, ";", true}, dir / "old.kml", error);
    ADD_FAILURE() << "no error";
  } catch (const CoordinateError& e) {
    EXPECT_EQ(e.signum, "U 1 V Koordinater: 65830x2;1627548 ");
  }
  long records;
  EXPECT_THROW(SkapaSHP2fil(text, {{";", true, true, {}}, kWgs84}, dir / "s.shp", records, error),
               CoordinateError);
  EXPECT_THROW(SkapaCSV2fil(text, {}, dir / "c.csv", error), CoordinateError);
  ExportText good;
  Add(good, "\nU 1 V Koordinater: 6583052;1627548 ");
  EXPECT_FALSE(SkapaKMLfil(good, {kKml, ";", true}, dir / "missing/x.kml", error));
  EXPECT_NE(error.find("missing/x.kml"), std::string::npos);
  EXPECT_FALSE(WriteSelectionFile(good, dir / "missing/x.txt", false, error));
  EXPECT_FALSE(
      SkapaSHP2fil(good, {{";", true, true, {}}, kWgs84}, dir / "missing/s.shp", records, error));
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir.path()))
    names.push_back(e.path().filename());
  EXPECT_EQ(names, std::vector<std::string>{"old.kml"});
  EXPECT_EQ(dir.ReadBytes("old.kml"), "old");
}

TEST(SelectionFile, EveryLineThenOneEmptyLineOrAddedAtTheEnd) {
  test::TempDir dir;
  ExportText text;
  for (const char* s : {"U 1 V \r\n", "U 2 V \r\n", "DR 3 V \r\n"}) text.AddInscription(s);
  std::string error;
  ASSERT_TRUE(WriteSelectionFile(text, dir / "u.txt", false, error)) << error;
  EXPECT_EQ(dir.ReadBytes("u.txt"), "U 1 V \r\nU 2 V \r\nDR 3 V \r\n\r\n");
  ASSERT_TRUE(WriteSelectionFile(text, dir / "u.txt", true, error)) << error;
  EXPECT_EQ(dir.ReadBytes("u.txt"),
            "U 1 V \r\nU 2 V \r\nDR 3 V \r\n\r\nU 1 V \r\nU 2 V \r\nDR 3 V \r\n\r\n");
}

// Adding to a file the user may write but not read would replace its lines with the new ones
// alone: the file is left as it was, with a message.
TEST(SelectionFile, AFileThatCannotBeReadIsNotAddedTo) {
  test::TempDir dir;
  dir.WriteBytes("u.txt", "U 9 V \r\n\r\n");
  test::OpenToEveryone(dir.path());
  std::filesystem::permissions(
      dir / "u.txt", std::filesystem::perms::others_write | std::filesystem::perms::owner_write);
  ExportText text;
  text.AddInscription("U 1 V \r\n");
  const std::string target = dir / "u.txt";
  const test::ChildResult r = test::RunUnprivileged([&] {
    std::string error;
    return WriteSelectionFile(text, target, true, error) ? std::string("written") : error;
  });
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.output.find("Can not save " + target), std::string::npos) << r.output;
  std::filesystem::permissions(dir / "u.txt", std::filesystem::perms::owner_all);
  EXPECT_EQ(dir.ReadBytes("u.txt"), "U 9 V \r\n\r\n");
}

}  // namespace
}  // namespace stavbas
