// The command-line program as a script uses it: arguments, output and exit status.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "support/command.h"
#include "support/temp_dir.h"

namespace stavbas {
namespace {

using test::Quoted;

// Runs stavbas-cli with arguments (shell words); standard error is discarded, or collected
// after standard output with `withErrors`.
test::CommandResult Cli(const std::string& args, bool withErrors = false) {
  return test::RunCommand(std::string(STAVBAS_BINARY_DIR) + "/stavbas-cli " + args +
                          (withErrors ? " 2>&1" : " 2>/dev/null"));
}

std::size_t Count(const std::string& s, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) ++n;
  return n;
}

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override { dir.CopySampleDatabase(); }
  std::string Db() const { return "--database " + Quoted(dir / "STAVBAS"); }
  test::TempDir dir;
};

TEST_F(CliTest, OneSignumInTheDefaultFormat) {
  const auto r = Cli(Db() + " --signum 'U 344'");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.starts_with("\nU 344 V \nkunuarþr : lit : raisa")) << r.out;
  EXPECT_EQ(r.out.find('\r'), std::string::npos);
  // An option's value may follow it after "=".
  EXPECT_EQ(Cli("--database=" + Quoted(dir / "STAVBAS") + " --signum='U 344'").out, r.out);
}

TEST_F(CliTest, SearchesConditionsAndProvinces) {
  auto r = Cli(Db() + " --all --provinces 'Öl..Sö' --format 'ß$ RUN' --search 'RUN:_stain_'");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.starts_with("Öl 14 V   stain\n")) << r.out;
  EXPECT_NE(r.out.find(" ord (belägg) i "), std::string::npos);
  r = Cli(Db() + " --all --condition 'INF;P:finns inte någonstans' --format '$'");
  EXPECT_EQ(r.status, 1);  // nothing found
  EXPECT_EQ(r.out, "0 inskrifter\n");
}

TEST_F(CliTest, RefusedCodesWrongArgumentsAndUnusableDatabases) {
  EXPECT_EQ(Cli(Db() + " --all --search 'xyz:a'").status, 2);
  EXPECT_EQ(Cli(Db() + " --all --condition 'RUN:a'").status, 2);
  EXPECT_EQ(Cli(Db() + " --all --format 'RUN _'").status, 2);
  EXPECT_EQ(Cli("--database " + Quoted(dir / "NOTHING") + " --all").status, 2);
  EXPECT_EQ(Cli(Db() + " --all --provinces 'Qq'").status, 2);
  EXPECT_EQ(Cli(Db()).status, 2);  // no run named
  EXPECT_EQ(Cli("--bogus").status, 2);
  const auto help = Cli("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("  --provinces TEXT"), std::string::npos);
  for (const char* group : {"Runs (one of them):", "Selection and format:", "Exports:",
                            "Addresses of the current inscription:", "Exit status:"})
    EXPECT_NE(help.out.find(group), std::string::npos) << group;
  // Errors name the option they concern; an empty value is one, written either way.
  for (const auto& [args, named] : std::vector<std::pair<std::string, std::string>>{
           {Db() + " --all --rtf ''", "--rtf: "},
           {"--database '' --all", "--database: "},
           {"--database= --all", "--database: "},
           {Db() + " --signum ''", "--signum: "},
           {Db() + " --all --signum 'U 1'", "--signum excludes --all"},
           {Db() + " --all --language fi", "--language: "},
           {Db() + " --provinces U --export kml", "--export: "},
           {Db() + " --provinces U --export pdf x", "--export: unknown kind \"pdf\""},
           {Db() + " --all --settings " + Quoted(dir / "none.ini"), "--settings: "},
           {Db() + " --all --origin --present", "--origin excludes --present"},
           {Db() + " --provinces U --export gpx x --columns Material", "--columns: "},
           {Db() + " --provinces U --export csv x --columns Nothing", "--columns: no element"},
           {Db() + " --signum 'U 344' --export csv x", "--export csv: needs a selection"},
           {Db() + " --export kml x", "--export kml: give a selection"}}) {
    const auto r = Cli(args, true);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_NE(r.out.find("stavbas-cli: " + named), std::string::npos) << args << "\n" << r.out;
  }
}

TEST_F(CliTest, SelectionFilesChecksAndRichText) {
  dir.WriteText("list.txt", "U 344\n! kommentar\nDR 66\n");
  auto r = Cli(Db() + " --list " + Quoted(dir / "list.txt") + " --format '$' --rtf " +
               Quoted(dir / "out.rtf"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "U 344 V \nDR 66 V \n2 inskrifter\n");
  EXPECT_TRUE(dir.ReadBytes("out.rtf").starts_with("{\\rtf1"));
  EXPECT_NE(dir.ReadBytes("out.rtf").find("DR 66 V \\par"), std::string::npos);
  EXPECT_EQ(Cli(Db() + " --check").status, 0);
  EXPECT_FALSE(dir.ReadBytes("STAVBAS.LOG").empty());
  dir.WriteText("STAVBAS.NFS", "Öl 14 V a b\n");  // a file out of step with the others
  EXPECT_EQ(Cli(Db() + " --check").status, 1);
}

TEST_F(CliTest, TheSettingsFileGivesLanguageAndFontUnlessAnOptionSaysOtherwise) {
  dir.WriteText("stavbas.ini", "[Localisation]\nLanguage=ENGLISH\n[Font]\nSize=12\n");
  const std::string settings = " --settings " + Quoted(dir / "stavbas.ini");
  auto r =
      Cli(Db() + settings + " --all --provinces G --format '$' --rtf " + Quoted(dir / "g.rtf"));
  EXPECT_TRUE(r.out.ends_with(" inscriptions\n")) << r.out;
  EXPECT_NE(dir.ReadBytes("g.rtf").find("\\fs24"), std::string::npos);
  r = Cli(Db() + settings + " --language sv --all --provinces G --format '$'");
  EXPECT_TRUE(r.out.ends_with(" inskrifter\n")) << r.out;
  // Messages too: a question is asked, and refused, in English.
  dir.WriteText("list.txt", "12 V\nU 344\n");
  r = Cli(Db() + settings + " --list " + Quoted(dir / "list.txt"), true);
  EXPECT_NE(r.out.find("question: Faulty signum"), std::string::npos) << r.out;
}

TEST_F(CliTest, AnInformationFileOlderThanItsSpreadsheetIsMadeAgainFromIt) {
  // The program loads the spreadsheet library itself when it reads a workbook: this is the
  // program as installed, which does not link it.
  const std::string before = dir.ReadBytes("STAVBAS.INF");
  std::filesystem::last_write_time(
      dir / "STAVBAS.INF",
      std::filesystem::last_write_time(dir / "STAVBAS.XLS") - std::chrono::hours(24));
  const auto r = Cli(Db() + " --signum 'U 344'", true);
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("Använder STAVBAS.XLS"), std::string::npos) << r.out;
  EXPECT_GT(std::filesystem::last_write_time(dir / "STAVBAS.INF"),
            std::filesystem::last_write_time(dir / "STAVBAS.XLS") - std::chrono::hours(1));
  EXPECT_EQ(dir.ReadBytes("STAVBAS.INF"), before);  // the sample's spreadsheet gives the same
}

// A run far larger than the window holds comes out whole, in order, nothing dropped.
TEST(CliStreaming, ARunOfAnySizeComesOutWhole) {
  test::TempDir dir;
  std::string run = "!/R Runtext\n", nfs;
  const std::string words = "sten raisa " + std::string(800, 'a');
  for (int i = 1; i <= 3000; ++i) {
    run += "U " + std::to_string(i) + " V " + words + "\n";
    nfs += "U " + std::to_string(i) + " V " + words + "\n";
  }
  dir.WriteText("BIG.RUN", run);
  dir.WriteText("BIG.NFS", nfs);
  const auto r = Cli("--database " + Quoted(dir / "BIG") + " --all --rtf " + Quoted(dir / "b.rtf"));
  EXPECT_EQ(r.status, 0);
  EXPECT_GT(r.out.size(), 2 * 2000000u) << "past the window's limit";
  EXPECT_TRUE(r.out.starts_with("\nU 1 V \nsten raisa aaa")) << r.out.substr(0, 100);
  EXPECT_EQ(Count(r.out, " V \nsten raisa "), 3000u);
  EXPECT_NE(r.out.find("\nU 2999 V \n"), std::string::npos);
  EXPECT_TRUE(r.out.ends_with("\n3000 inskrifter\n"));
  const std::string rtf = dir.ReadBytes("b.rtf");
  EXPECT_EQ(Count(rtf, "sten raisa "), 2 * 3000u);
  EXPECT_TRUE(rtf.ends_with("3000 inskrifter}\r\n"));
}

TEST_F(CliTest, ExportsWithTheirColumnsAndChoiceOfPlace) {
  // The selection: provinces. Columns by their names or whole entries, in any case.
  auto r = Cli(Db() + " --provinces Sm --export csv " + Quoted(dir / "sm") +
               " --columns 'runtext,Material'");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  const std::string csv = dir.ReadBytes("sm.CSV");
  EXPECT_TRUE(csv.starts_with(";\"Signum\";X-koord;Y-koord;\"Runtext\";\"Material\";\r\n")) << csv;
  // Sm 101 has its place in degrees: so has every other row.
  EXPECT_NE(csv.find("\"57.4613\";\"16.1293\""), std::string::npos);

  r = Cli(Db() + " --provinces G --export gpx " + Quoted(dir / "g.gpx") + " --present");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(dir.ReadBytes("g.gpx").find("<wpt lat=\"57.4917\" lon=\"18.3933\">"),
            std::string::npos);
  r = Cli(Db() + " --provinces G --export gpx " + Quoted(dir / "g.gpx"));
  EXPECT_NE(dir.ReadBytes("g.gpx").find("<wpt lat=\"57.3418\" lon=\"18.2030\">"),
            std::string::npos);

  // The current inscription, shown by a run whose text is not printed.
  r = Cli(Db() + " --signum 'U 344' --export kml " + Quoted(dir / "u344"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(Count(dir.ReadBytes("u344.KML"), "<Placemark>"), 1u);

  // Nothing with a place: an empty file, and the status says so.
  r = Cli(Db() + " --provinces G --condition 'INF;P:finns inte' --export kml " +
          Quoted(dir / "none.kml"));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(dir.ReadBytes("none.kml"), "");
  // A file that cannot be written.
  r = Cli(Db() + " --provinces G --export shp " + Quoted(dir / "no/such/folder/x.shp"), true);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find("error: Can not save"), std::string::npos) << r.out;
}

TEST_F(CliTest, ASelectionFileWrittenAndReadBack) {
  auto r = Cli(Db() + " --provinces DR --export list " + Quoted(dir / "dr"));
  EXPECT_EQ(r.status, 0);
  const std::string list = dir.ReadBytes("dr.TXT");
  EXPECT_TRUE(list.starts_with("DR 9 U \r\n")) << list;
  EXPECT_TRUE(list.ends_with(" \r\n\r\n"));
  r = Cli(Db() + " --list " + Quoted(dir / "dr.TXT") + " --format '$'");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(Count(list, "DR "), Count(r.out, "DR "));
}

TEST_F(CliTest, AddressesOfTheCurrentInscription) {
  auto r = Cli(Db() + " --signum 'Öl 14' --map-url --bib-url --mail-url");
  EXPECT_EQ(r.status, 0);
  const std::string lines[] = {
      "https://www.google.com/maps/search/?api=1&query=56.4803814497954%2C16.7787413257283\n",
      "https://runbibl.stavbas.example.org/pub/views/runbibl/hitlist.aspx?ccl=find%20runsig%20"
      "%C3%96l%2014%20V\n",
      "mailto:felrapport@stavbas.example.org?subject=Fel%20i%20Stavbasverket%20med%20%C3%96l%2014"
      "%20V&body=%C3%96l%2014%20V%20%0D%0Asikualti%20%C2%B7%20"};
  EXPECT_TRUE(r.out.starts_with(lines[0] + lines[1] + lines[2])) << r.out;
  EXPECT_TRUE(r.out.ends_with("%0D%0A%0D%0A\n")) << r.out;
  // Without a current inscription: the message, and the status.
  EXPECT_EQ(Cli(Db() + " --mail-url").status, 2) << "no run to show one";
  r = Cli(Db() + " --all --condition 'INF;P:finns_inte' --mail-url", true);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("Ingen aktuell inskrift finns att skicka felrapport för"),
            std::string::npos);
}

}  // namespace
}  // namespace stavbas
