// The export commands on a small database: selection or current inscription, the restriction
// to inscriptions with a place, the answers of the dialogs, what is put back afterwards, and
// the failures that must leave no file.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "export/export_file.h"
#include "export/export_fixture.h"
#include "export/export_run.h"
#include "output/window_append.h"

namespace stavbas {
namespace {

namespace fs = std::filesystem;
using Outcome = ExportResult::Outcome;

std::size_t Count(const std::string& s, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) ++n;
  return n;
}

class ExportRunTest : public ::testing::Test, public test::ExportFixture {
 protected:
  void SetUp() override {
    Stones({{"U 1 V", "sten : a", {{'X', "6583052;1627548"}, {'A', "Granit"}}},
            {"U 2 V", "sten : b", {{'X', "6590000;1600000"}, {'Y', "(59,4 ; 17,9)"}}},
            {"U 3 V", "sten : c", {{'Y', "6580000;1620000"}, {'A', "Kalk"}}},
            {"U 4 V", "sten : d", {{'A', "Sten"}}},
            {"DR 1 V", "stain : e", {{'X', "(55.5;10.5)"}, {'A', "Sten"}}}});
    window.Append({{"The user's text\r\nstays", {}}});
  }
  ExportRun& exports() { return app->exports; }
  // Runs a command with the standard format and a file name in the test's folder.
  ExportResult Export(ExportKind kind, const std::string& name, ExportAnswers answers = {}) {
    const auto plan = exports().Prepare(kind);
    if (!plan) return {};
    if (!answers.formatCode && plan->formatDialog)
      answers.formatCode = plan->formatDialog->standardFormat;
    answers.fileName = dir / name;
    return exports().Run(*plan, answers);
  }
};

TEST_F(ExportRunTest, ASelectionExportsOnlyInscriptionsWithAPlaceOfOrigin) {
  // "." would pass only values with a point in them; the restriction takes any value.
  app->settings.provinces.Assign(*ParseProvinceText("U"));
  const ExportResult r = Export(ExportKind::Kml, "u");
  ASSERT_EQ(r.outcome, Outcome::Written) << testing::PrintToString(host.BoxTexts());
  EXPECT_EQ(r.path, dir / "u.KML");
  EXPECT_EQ(r.inscriptions, 2);
  const std::string kml = File("u.KML");
  EXPECT_EQ(Count(kml, "<Placemark>"), 2u);
  EXPECT_NE(kml.find("<name>U 1 V</name>"), std::string::npos);
  EXPECT_NE(kml.find("<name>U 2 V</name>"), std::string::npos);
  EXPECT_EQ(host.opened, std::vector<std::string>{dir / "u.KML"});
  EXPECT_TRUE(host.boxes.empty()) << host.BoxTexts().front();
}

// A NUL byte in a field before the coordinates: the inscription keeps its place, and the
// byte is shown as "?".
TEST_F(ExportRunTest, ANulByteInAFieldLeavesTheInscriptionItsPlace) {
  Stones({{"U 1 V", "sten : a", {{'P', std::string("Sten\0by", 7)}, {'X', "6583052;1627548"}}},
          {"U 2 V", "sten : b", {{'X', "6590000;1600000"}}}});
  app->settings.provinces.Assign(*ParseProvinceText("U"));
  ASSERT_EQ(Export(ExportKind::Kml, "u").outcome, Outcome::Written)
      << testing::PrintToString(host.BoxTexts());
  const std::string kml = File("u.KML");
  EXPECT_EQ(Count(kml, "<Placemark>"), 2u);
  EXPECT_NE(kml.find("<name>U 1 V</name>"), std::string::npos);
  EXPECT_EQ(kml.find('\0'), std::string::npos);
}

TEST_F(ExportRunTest, AnOrInTheUsersConditionCannotLetInscriptionsWithoutAPlaceThrough) {
  ASSERT_TRUE(app->conditions.ParseInscriptionCode("INF;A:Sten + INF;A:Granit"));
  ASSERT_EQ(Export(ExportKind::Gpx, "g.gpx").outcome, Outcome::Written);
  const std::string gpx = File("g.gpx");
  EXPECT_NE(gpx.find("<name>U 1 V</name>"), std::string::npos);
  EXPECT_NE(gpx.find("<name>DR 1 V</name>"), std::string::npos);
  EXPECT_EQ(gpx.find("U 4 V"), std::string::npos) << "a stone without a place";
  EXPECT_EQ(Count(gpx, "<wpt "), 2u);
  EXPECT_EQ(app->conditions.inscriptionCode(), "INF;A:Sten + INF;A:Granit");
  ASSERT_EQ(host.BoxTexts().size(), 1u);
  EXPECT_NE(host.BoxTexts()[0].find("g.gpx är sparad, filen kan du sedan ladda upp i din GPS"),
            std::string::npos);
}

TEST_F(ExportRunTest, EverySettingTheCommandChangesIsPutBackAndTheWindowStaysAsItWas) {
  ASSERT_TRUE(app->format.Validate("$ RUN"));
  ASSERT_TRUE(app->conditions.ParseInscriptionCode("INF;A:Sten"));
  app->settings.consts.paus = true;
  app->run.pauseSetting = true;
  const std::string before = window.Text();
  ExportAnswers answers;
  answers.formatCode = ">.$ INF;X+ INF;Y+ RUN ";
  ASSERT_EQ(Export(ExportKind::Kml, "k.kml", answers).outcome, Outcome::Written);
  // The text files' items got their titles and a line of their own in the export.
  EXPECT_NE(File("k.kml").find("Runtext:<b> stain : e</b><br/>"), std::string::npos);
  EXPECT_EQ(app->settings.kml.standardFormat, ">.$ INF;X+ INF;Y+ RUN ");
  EXPECT_EQ(app->format.code(), "$ RUN");
  EXPECT_EQ(app->conditions.inscriptionCode(), "INF;A:Sten");
  EXPECT_TRUE(app->settings.consts.paus);
  EXPECT_TRUE(app->run.pauseSetting);
  EXPECT_FALSE(app->ui.quiet);
  EXPECT_EQ(app->output.exportWindow, nullptr);
  EXPECT_EQ(window.Text(), before);
  EXPECT_TRUE(host.messageLines.empty());
}

TEST_F(ExportRunTest, CancelledDialogsWriteNothing) {
  app->settings.provinces.Assign(*ParseProvinceText("U"));
  const auto plan = exports().Prepare(ExportKind::Csv);
  ASSERT_TRUE(plan);
  ExportAnswers answers;  // the format dialog cancelled
  answers.fileName = dir / "c.csv";
  EXPECT_EQ(exports().Run(*plan, answers).outcome, Outcome::Nothing);
  answers.formatCode = plan->formatDialog->standardFormat;
  answers.fileName.reset();  // the save dialog cancelled
  EXPECT_EQ(exports().Run(*plan, answers).outcome, Outcome::Nothing);
  EXPECT_FALSE(fs::exists(dir / "c.csv"));
  EXPECT_EQ(app->settings.csv.standardFormat, plan->formatDialog->standardFormat);
}

TEST_F(ExportRunTest, TheCurrentInscriptionAtTheChosenPlaceOrItsOnlyOne) {
  // No selection and nothing shown yet.
  EXPECT_FALSE(exports().Prepare(ExportKind::Kml));
  EXPECT_FALSE(exports().Prepare(ExportKind::Gpx));
  EXPECT_FALSE(exports().Prepare(ExportKind::Csv));  // disabled without a selection: no message
  EXPECT_EQ(host.BoxTexts(),
            (std::vector<std::string>{"Ingen aktuell inskrift finns att visa på karta",
                                      "Ingen aktuell inskrift finns att skapa GPX-fil för"}));
  host.Clear();
  app->run.SignumRun("U 4");
  EXPECT_FALSE(exports().Prepare(ExportKind::Kml));
  EXPECT_EQ(host.BoxTexts(),
            std::vector<std::string>{"Inga koordinater finns för aktuell inskrift"});

  // Both places: the question, and its answer holds for later commands too.
  app->run.SignumRun("U 2");
  auto plan = exports().Prepare(ExportKind::Gmap);
  ASSERT_TRUE(plan);
  EXPECT_FALSE(plan->selection);
  EXPECT_TRUE(plan->askPlace);
  EXPECT_FALSE(plan->askCoordinates);
  ExportAnswers answers;
  answers.formatCode = plan->formatDialog->standardFormat;
  answers.fileName = dir / "one";
  answers.originPlace = false;
  ASSERT_EQ(exports().Run(*plan, answers).outcome, Outcome::Written);
  EXPECT_FALSE(exports().originPlace);
  const std::string page = File("one.HTML");
  EXPECT_NE(page.find("new coordinate(59.4,17.9)"), std::string::npos);
  EXPECT_NE(page.find("<p>Urval:  U 2 V</p>"), std::string::npos) << page;

  // Only a present place: it is exported even while the place of origin is chosen.
  exports().originPlace = true;
  app->run.SignumRun("U 3");
  plan = exports().Prepare(ExportKind::Kml);
  ASSERT_TRUE(plan);
  EXPECT_FALSE(plan->askPlace);
  EXPECT_TRUE(plan->presentOnly);
  answers.fileName = dir / "three.kml";
  answers.originPlace.reset();
  answers.formatCode = plan->formatDialog->standardFormat;
  ASSERT_EQ(exports().Run(*plan, answers).outcome, Outcome::Written);
  EXPECT_NE(File("three.kml").find("<name>U 3 V</name>"), std::string::npos);
  EXPECT_EQ(File("three.kml").find("<coordinates>,,0</coordinates>"), std::string::npos);
  EXPECT_TRUE(exports().originPlace);
}

TEST_F(ExportRunTest, TheMapCommandTakesTheCurrentInscriptionWhateverTheSelection) {
  app->settings.provinces.Assign(*ParseProvinceText("U"));
  app->run.SignumRun("U 2");
  auto plan = exports().Prepare(ExportKind::Kml, /*currentInscription=*/true);
  ASSERT_TRUE(plan);
  EXPECT_FALSE(plan->selection);
  EXPECT_EQ(plan->signum, "U 2 V");
  ExportAnswers answers;
  answers.formatCode = plan->formatDialog->standardFormat;
  answers.fileName = dir / "map";
  ASSERT_EQ(exports().Run(*plan, answers).outcome, Outcome::Written);
  EXPECT_EQ(Count(File("map.KML"), "<Placemark>"), 1u);
  // A dialog's code that the export's titles would make longer than a format code may be is
  // refused, not cut.
  std::string code = ">.$ INF;X+ INF;Y+ ";
  while (code.size() < 250) code += "RUN ";
  answers.formatCode = code;
  answers.fileName = dir / "long";
  host.Clear();
  EXPECT_EQ(exports().Run(*plan, answers).outcome, Outcome::Nothing);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.BoxTexts()[0].rfind("Koden blir längre än 255 tecken", 0), 0u);
  EXPECT_FALSE(fs::exists(dir / "long.KML"));
}

TEST_F(ExportRunTest, TablesKeepGridValuesOnlyForSwedenAndNeverGrowTheirFormat) {
  app->settings.provinces.Assign(*ParseProvinceText("U"));
  auto plan = exports().Prepare(ExportKind::Csv);
  ASSERT_TRUE(plan);
  EXPECT_FALSE(plan->askCoordinates);
  EXPECT_EQ(plan->formatDialog->fixedPart, ">.$, INF;X+ INF;Y+ ");
  EXPECT_EQ(plan->formatDialog->offered.front(), "Runtext (Runtext.run)");
  EXPECT_EQ(plan->formatDialog->offered.size(), 4u + 5u);  // four texts, five headings
  const auto code = exports().FormatCodeFor(ExportKind::Csv, {"Material"});
  ASSERT_TRUE(code);
  EXPECT_EQ(*code, ">.$, INF;X+ INF;Y+ INF;A+ ");
  EXPECT_FALSE(exports().FormatCodeFor(ExportKind::Csv, {"no such element"}));
  ExportAnswers answers;
  answers.formatCode = *code;
  answers.chosenEntries = {"Material"};
  ASSERT_EQ(Export(ExportKind::Csv, "u.csv", answers).outcome, Outcome::Written);
  const std::string csv = File("u.csv", true);
  EXPECT_NE(csv.find(";\"U 1 V Koordinater: 6583052\t1627548 \";\"6583052\";\"1627548\";"
                     "\"Granit\";"),
            std::string::npos)
      << csv;
  EXPECT_NE(csv.find(";\"U 4 V Material: Sten \";\"\";\"\";\"Sten\";"), std::string::npos)
      << "every inscription, with a place or not: " << csv;
  EXPECT_TRUE(app->run.keepRt90);
  // The standard format the dialog gave is offered again without a blank more.
  plan = exports().Prepare(ExportKind::Csv);
  EXPECT_EQ(plan->formatDialog->fixedPart, ">.$, INF;X+ INF;Y+ INF;A+ ");

  app->settings.provinces.Assign(*ParseProvinceText("U,DR"));
  ASSERT_EQ(Export(ExportKind::Csv, "all.csv").outcome, Outcome::Written);
  EXPECT_NE(File("all.csv").find(";\"59.3489147"), std::string::npos) << "degrees for all";
  EXPECT_NE(File("all.csv").find(";\"55.5\";\"10.5\";"), std::string::npos);
  EXPECT_FALSE(app->run.keepRt90);
}

TEST_F(ExportRunTest, AnExistingShapefileIsReplacedOnlyWhenTheUserSaysSo) {
  app->settings.provinces.Assign(*ParseProvinceText("U"));
  dir.WriteBytes("s.SHP", "old");
  ASSERT_EQ(Export(ExportKind::Shp, "s").outcome, Outcome::Nothing);  // asked; answered No
  EXPECT_EQ(host.BoxTexts(), std::vector<std::string>{"Vill Du skriva över filen s.SHP?"});
  EXPECT_EQ(File("s.SHP"), "old");
  host.answers.push_back(true);
  ASSERT_EQ(Export(ExportKind::Shp, "s").outcome, Outcome::Written);
  EXPECT_EQ(File("s.SHP").size(), 100u + 2 * 28u);
  EXPECT_TRUE(fs::exists(dir / "s.DBF"));
  EXPECT_TRUE(File("s.PRJ").starts_with("PROJCS[\"RT90"));
  EXPECT_EQ(File("s.CPG"), "1252");
  ExportAnswers keep;
  keep.existing = ExistingFile::Keep;
  EXPECT_EQ(Export(ExportKind::Shp, "s", keep).outcome, Outcome::Nothing);
}

TEST_F(ExportRunTest, FailuresAreShownAndLeaveNoFile) {
  const std::string formatCode = app->format.code();
  app->settings.provinces.Assign(*ParseProvinceText("U"));
  fs::create_directory(dir / "ro");
  chmod((dir / "ro").c_str(), 0555);
  const bool canWrite = access((dir / "ro").c_str(), W_OK) == 0;  // as root every folder is
  ExportResult r = Export(ExportKind::Kml, "ro/k.kml");
  if (!canWrite) {
    EXPECT_EQ(r.outcome, Outcome::Failed);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].kind, MsgKind::Error);
    EXPECT_TRUE(fs::is_empty(dir / "ro"));
  }
  host.Clear();
  r = Export(ExportKind::Gpx, "missing/g.gpx");
  EXPECT_EQ(r.outcome, Outcome::Failed);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_NE(host.BoxTexts()[0].find("missing/g.gpx"), std::string::npos);
  EXPECT_EQ(app->format.code(), formatCode);
  chmod((dir / "ro").c_str(), 0755);
}

// A disk that fills while the file is written: the old file stays, no part of the new one.
TEST_F(ExportRunTest, AFullDiskLeavesTheOldFile) {
  app->settings.provinces.Assign(*ParseProvinceText("U"));
  dir.WriteBytes("full.kml", "the old file");
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit small = old;
  small.rlim_cur = 1000;  // the head of the file alone is longer
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const ExportResult r = Export(ExportKind::Kml, "full.kml");
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(r.outcome, Outcome::Failed);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_NE(host.BoxTexts()[0].find("full.kml"), std::string::npos);
  EXPECT_EQ(File("full.kml"), "the old file");
  EXPECT_TRUE(host.opened.empty());
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir.path())) names.push_back(e.path().filename());
  EXPECT_EQ(std::count(names.begin(), names.end(), "full.kml"), 1);
  EXPECT_TRUE(std::none_of(names.begin(), names.end(), [](const std::string& n) {
    return n.find(".tmp") != std::string::npos;
  }));
}

// A name without a file name would give a hidden file named by the extension alone
// ("DIR/.KML"); a folder's name cannot be written over. Both are refused by every export.
TEST_F(ExportRunTest, ANameThatIsAFolderOrEndsInOneIsRefused) {
  EXPECT_EQ(ExportRun::WithDefaultExtension("d/", ".KML"), "d/");
  EXPECT_EQ(ExportRun::WithDefaultExtension("d/.", ".KML"), "d/.");
  EXPECT_EQ(ExportRun::WithDefaultExtension("d/x", ".KML"), "d/x.KML");
  EXPECT_TRUE(NamesAFolder(""));
  EXPECT_FALSE(NamesAFolder(dir / "d/.kml"));
  app->settings.provinces.Assign(*ParseProvinceText("U"));
  fs::create_directories(dir / "d/sub");
  fs::create_directories(dir / "d/taken.KML");
  for (const std::string& name :
       std::vector<std::string>{dir / "d/", dir / "d//", dir / "d/.", dir / "d/..", dir / "d/sub",
                                dir / "d/taken.KML"}) {
    for (const ExportKind kind :
         {ExportKind::Kml, ExportKind::Gmap, ExportKind::Gpx, ExportKind::Csv, ExportKind::Shp}) {
      host.Clear();
      const auto plan = exports().Prepare(kind);
      ASSERT_TRUE(plan);
      ExportAnswers answers;
      if (plan->formatDialog) answers.formatCode = plan->formatDialog->standardFormat;
      answers.fileName = name;
      answers.existing = ExistingFile::Replace;
      EXPECT_EQ(exports().Run(*plan, answers).outcome, Outcome::Failed) << name;
      EXPECT_EQ(host.BoxTexts(),
                std::vector<std::string>{"Ange ett filnamn, inte en mapp: " + name});
      EXPECT_TRUE(host.opened.empty());
    }
    host.Clear();
    EXPECT_EQ(exports().SelectionFile(name, ExistingFile::Replace).outcome, Outcome::Failed);
    EXPECT_EQ(host.BoxTexts(), std::vector<std::string>{"Ange ett filnamn, inte en mapp: " + name});
  }
  // Nothing was written beside or into the folders.
  std::vector<std::string> names;
  for (const auto& e : fs::recursive_directory_iterator(dir / "d"))
    names.push_back(fs::relative(e.path(), dir / "d"));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"sub", "taken.KML"}));
  // A file name in the same folder is written as before.
  ASSERT_EQ(Export(ExportKind::Kml, "d/sub/k").outcome, Outcome::Written);
  EXPECT_TRUE(fs::is_regular_file(dir / "d/sub/k.KML"));
}

TEST(ExportRunCoordinates, AnUnreadableCoordinateNamesItsInscriptionAndWritesNothing) {
  test::ExportFixture f;
  f.Stones(
      {{"U 1 V", "a", {{'X', "6583052;1627548"}}}, {"U 2 V", "b", {{'X', "65830x2;1627548"}}}});
  f.app->settings.provinces.Assign(*ParseProvinceText("U"));
  const auto plan = f.app->exports.Prepare(ExportKind::Shp);
  ASSERT_TRUE(plan);
  ExportAnswers answers;
  answers.formatCode = plan->formatDialog->standardFormat;
  answers.fileName = f.dir / "s.shp";
  EXPECT_EQ(f.app->exports.Run(*plan, answers).outcome, Outcome::Failed);
  ASSERT_EQ(f.host.boxes.size(), 1u);
  EXPECT_EQ(f.host.BoxTexts()[0], "Felaktiga koordinater för U 2 V: 65830x2");
  EXPECT_FALSE(fs::exists(f.dir / "s.shp"));
  EXPECT_FALSE(fs::exists(f.dir / "s.dbf"));
}

// An export holds every row however far past the window's length limit its text goes.
TEST(ExportRunSize, ALargeExportLosesNoRowToTheWindowsLimit) {
  test::ExportFixture f;
  std::vector<test::Stone> stones;
  const std::string runes(200, 'r');
  for (int i = 1; i <= 1500; ++i)
    stones.push_back({"U " + std::to_string(i) + " V", runes, {{'X', "6583052;1627548"}}});
  f.Stones(stones);
  f.window.maxLength = kMinMaxLength;
  f.app->settings.provinces.Assign(*ParseProvinceText("U"));
  const auto plan = f.app->exports.Prepare(ExportKind::Csv);
  ExportAnswers answers;
  answers.formatCode = *f.app->exports.FormatCodeFor(ExportKind::Csv, {"Runtext (Runtext.run)"});
  answers.chosenEntries = {"Runtext (Runtext.run)"};
  answers.fileName = f.dir / "big.csv";
  const ExportResult r = f.app->exports.Run(*plan, answers);
  ASSERT_EQ(r.outcome, Outcome::Written);
  const std::string csv = f.File("big.csv");
  EXPECT_GT(csv.size(), 3 * kMinMaxLength);
  EXPECT_EQ(Count(csv, "\r\n"), 1u + 1500u);
  EXPECT_NE(csv.find(";\"U 1 V Koordinater:"), std::string::npos);
  EXPECT_NE(csv.find(";\"U 1500 V Koordinater:"), std::string::npos);
}

TEST_F(ExportRunTest, TheSelectionFileHoldsTheSignumsOfTheSelection) {
  EXPECT_FALSE(exports().SelectionFileAllowed());
  EXPECT_EQ(host.BoxTexts(),
            std::vector<std::string>{
                "Kan inte skapa urvalsfil  - villkor eller urval måste först anges"});
  host.Clear();
  ASSERT_TRUE(app->conditions.ParseInscriptionCode("INF;A:Sten"));
  const ExportResult r = exports().SelectionFile(dir / "urval", ExistingFile::Ask);
  ASSERT_EQ(r.outcome, Outcome::Written);
  EXPECT_EQ(File("urval.TXT"), "U 4 V \r\nDR 1 V \r\n\r\n");
  EXPECT_NE(
      host.BoxTexts()[0].find(" är sparad, filen används sedan med funktionen \"Läs urvalsfil\""),
      std::string::npos);
  // Read back as a selection file it shows the same inscriptions.
  window.Clear();
  ASSERT_TRUE(app->format.Validate("$"));
  ASSERT_TRUE(app->conditions.ParseInscriptionCode(""));
  app->run.FileRun(dir / "urval.TXT");
  EXPECT_EQ(Text(), "U 4 V \nDR 1 V \n2 inskrifter");
  host.Clear();
  ASSERT_TRUE(app->conditions.ParseInscriptionCode("INF;A:Sten"));
  EXPECT_EQ(exports().SelectionFile(dir / "urval.TXT", ExistingFile::Ask).outcome,
            Outcome::Nothing);  // asked whether to replace it; answered No
  EXPECT_EQ(exports().SelectionFile(dir / "urval.TXT", ExistingFile::Append).outcome,
            Outcome::Written);
  EXPECT_EQ(File("urval.TXT"), "U 4 V \r\nDR 1 V \r\n\r\nU 4 V \r\nDR 1 V \r\n\r\n");
}

}  // namespace
}  // namespace stavbas
