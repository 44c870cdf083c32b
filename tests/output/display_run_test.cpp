// Display runs: what they walk, pausing and stepping, stopping and continuing.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>

#include "app/settings_file.h"
#include "base/commands.h"
#include "base/cp1252.h"
#include "database/data_file_check.h"
#include "database/regions.h"
#include "output/output_fixture.h"
#include "output/text_save.h"
#include "support/same_size_replacement.h"

namespace stavbas {
namespace {

using Strings = std::vector<std::string>;

// The window's lines that are signums (three parts, each followed by a blank).
Strings Signums(const std::string& text) {
  Strings out;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    if (std::count(line.begin(), line.end(), ' ') == 3 && line.ends_with(' ')) out.push_back(line);
    start = end + 1;
  }
  return out;
}

class DisplayRunTest : public ::testing::Test, public test::OutputFixture {
 protected:
  void SetUp() override {
    Database("U 1 V a\nU 2 V b\nU 3 V c\nDR 1 V d\nDR 2 V e\n",
             "U 1 V a\nU 2 V b\nU 3 V c\nDR 1 V d\nDR 2 V e\n");
    ASSERT_TRUE(app->format.Validate("$"));
  }
  // A step the host takes when the run waits: a run-menu command.
  void Step(std::function<void()> command) { host.steps.push_back(std::move(command)); }
};

TEST_F(DisplayRunTest, AllRunShowsEveryInscriptionOfTheSampleOnce) {
  dir.CopySampleDatabase();  // over the small database
  MakeApp();
  ASSERT_TRUE(app->format.Validate("$"));
  app->run.AllRun();
  const Strings shown = Signums(Text());
  // Every record of the runic text file, in its order.
  std::ifstream in(dir / "STAVBAS.RUN", std::ios::binary);
  Strings expected;
  std::string line;
  while (std::getline(in, line))
    if (IsRecordLine(line)) expected.push_back(Cp1252ToUtf8(SignumOfLine(line)));
  EXPECT_EQ(shown, expected);
  EXPECT_TRUE(Text().ends_with("84 inskrifter"));
  EXPECT_TRUE(host.boxes.empty());
}

// A runic text file replaced by one of the same size and time stamp, its records on other
// lines: the index file written for the old one is taken at the opening, and the runs find out
// as they read. Every run shows every inscription, the first one too.
TEST_F(DisplayRunTest, AReplacedFileWithTheOldSizeAndStampHidesNoInscription) {
  for (const int shift : {-1, 1, 2, 3}) {
    SCOPED_TRACE(shift);
    dir.CopySampleDatabase();
    MakeApp();  // writes the index
    std::ifstream in(dir / "STAVBAS.RUN", std::ios::binary);
    Strings all;
    for (std::string line; std::getline(in, line);)
      if (IsRecordLine(line)) all.push_back(Cp1252ToUtf8(SignumOfLine(line)));
    test::ReplaceShifted(dir, "STAVBAS.RUN", shift);
    MakeApp();
    ASSERT_TRUE(app->format.Validate("$ RUN"));  // the runic text is read
    for (int run = 0; run < 2; ++run) {
      window.Clear();
      app->run.AllRun();
      EXPECT_EQ(Signums(Text()), all) << run;
    }
    const Strings lines = host.Lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "STAVBAS.RUN ändrad"), 1);
    // One province, and a pattern, on a fresh opening each.
    MakeApp();
    ASSERT_TRUE(app->format.Validate("$ RUN"));
    app->settings.provinces.Assign(*ParseProvinceText("U"));
    app->run.AllRun();
    Strings uppland;
    for (const std::string& s : all)
      if (s.starts_with("U ")) uppland.push_back(s);
    EXPECT_EQ(Signums(Text()), uppland);
    MakeApp();
    ASSERT_TRUE(app->format.Validate("$ RUN"));
    app->run.SignumRun("U *");
    EXPECT_EQ(Signums(Text()), uppland);
  }
}

// An index that fits its files is taken as it is by every kind of run, in every file: no
// file is taken for changed, and the index file stays as it was.
TEST_F(DisplayRunTest, AFittingIndexIsTrustedByEveryRun) {
  dir.CopySampleDatabase();
  MakeApp();  // writes the index
  const std::string index = dir.ReadBytes("STAVBAS.$AD");
  const std::function<void()> runs[] = {
      [&] { app->run.AllRun(); },
      [&] {
        app->settings.provinces.Assign(*ParseProvinceText(Utf8ToCp1252("Sö,U,X")));
        app->run.AllRun();
      },
      [&] { app->run.SignumRun("U *"); },
      [&] { app->run.SignumRun("X *"); },
      [&] { app->run.SignumRun("U 344"); },
      [&] { EXPECT_TRUE(CheckDataFiles(app->db, false)); },
  };
  for (const auto& run : runs) {
    MakeApp();
    ASSERT_TRUE(app->format.Validate(">.$ RUN NFS FVN ENG INF"));
    run();
    run();
    EXPECT_FALSE(Text().empty() && host.Lines().empty());
    for (const std::string& line : host.Lines()) EXPECT_EQ(line.find("ndrad"), std::string::npos);
    EXPECT_EQ(dir.ReadBytes("STAVBAS.$AD"), index);
  }
}

// A NUL byte in U 344's place name: its information is shown whole, the byte as "?".
TEST_F(DisplayRunTest, ANulByteInAnInformationRecordHidesNone) {
  dir.CopySampleDatabase();
  std::string inf = dir.ReadBytes("STAVBAS.INF");
  const std::size_t at = inf.find(Utf8ToCp1252("Stensta gård"), inf.find("U 344 V "));
  ASSERT_NE(at, std::string::npos);
  inf[at + 7] = '\0';
  dir.WriteBytes("STAVBAS.INF", inf);
  MakeApp();
  ASSERT_TRUE(app->format.Validate("$ INF"));
  app->run.SignumRun("U 344");
  for (const char* field : {"Stensta?gård", "Hagbo sn", "6611789", "Grå granit", "u344.jpg"})
    EXPECT_NE(Text().find(field), std::string::npos) << field << "\n" << Text();
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(DisplayRunTest, ProvincesThatAreNotSelectedAreLeftOut) {
  app->settings.provinces.Assign(*ParseProvinceText("U"));
  app->run.AllRun();
  EXPECT_TRUE(app->run.keepRt90);  // Swedish inscriptions only
  window.Clear();
  app->settings.provinces.Assign(*ParseProvinceText("DR"));
  app->run.AllRun();
  EXPECT_EQ(Text(), "DR 1 V \nDR 2 V \n2 inskrifter");
  EXPECT_FALSE(app->run.keepRt90);
  app->settings.provinces.Assign(*ParseProvinceText(Utf8ToCp1252("Öl..Sm,DR")));  // none of U
  window.Clear();
  app->run.AllFromRun("U 2");
  EXPECT_EQ(Text(), "DR 1 V \nDR 2 V \n2 inskrifter");
}

TEST_F(DisplayRunTest, PausesStepAndTheRest) {
  app->run.pauseSetting = app->settings.consts.paus = true;
  Step([&] {
    EXPECT_EQ(Text(), "U 1 V \n");
    EXPECT_TRUE(host.commands[std::string(command::kNasta)]);
    app->run.Nasta();
  });
  Step([&] {
    EXPECT_EQ(Text(), "U 1 V \nU 2 V \n");
    app->run.Resten();
  });
  app->run.AllRun();
  EXPECT_TRUE(host.steps.empty());
  EXPECT_EQ(Text(), "U 1 V \nU 2 V \nU 3 V \nDR 1 V \nDR 2 V \n5 inskrifter");
  EXPECT_FALSE(host.commands[std::string(command::kRunMenu)]);
  EXPECT_TRUE(app->run.pauseSetting);  // read back from the menu after the run
}

TEST_F(DisplayRunTest, AbortRecordsAnInterruptionThatContinueResumes) {
  app->run.pauseSetting = app->settings.consts.paus = true;
  Step([&] { app->run.Nasta(); });
  Step([&] { app->run.Avbryt(); });
  app->run.AllRun();
  EXPECT_EQ(Text(), "U 1 V \nU 2 V \n2 inskrifter\n (avbrott vid U 2 V )\n");
  const InterruptionRecord& r = app->settings.interruption;
  EXPECT_TRUE(r.present);
  EXPECT_EQ(r.runKind, InterruptionRecord::kAllRun);
  EXPECT_EQ(r.info, "Alla fr\xE5n U 2 V ");
  EXPECT_TRUE(host.commands[std::string(command::kFortsatt)]);

  // Saved with the settings and read back after a restart.
  ASSERT_TRUE(SaveSettings(app->settings, SaveChoice::All, dir / "stavbas.ini"));
  settings = ReadSettings(dir / "stavbas.ini");
  EXPECT_EQ(settings.interruption, r);
  MakeApp();
  ASSERT_TRUE(app->format.Validate("$"));
  app->run.Continue();
  // The inscription at which the run stopped is shown again first.
  EXPECT_EQ(Text(), "U 2 V \nU 3 V \nDR 1 V \nDR 2 V \n4 inskrifter");
  EXPECT_FALSE(app->settings.interruption.present);
  EXPECT_FALSE(host.commands[std::string(command::kFortsatt)]);
}

TEST_F(DisplayRunTest, ContinueWithoutARecordWarns) {
  app->run.Continue();
  EXPECT_EQ(host.BoxTexts(), Strings{"Felaktigt indata, eller fel i programmet Fortsatt från icke "
                                     "avbrottsläge i rutin Fortsatt"});
  EXPECT_FALSE(host.commands[std::string(command::kFortsatt)]);
}

TEST_F(DisplayRunTest, SignumRunsAndTheirCountsLines) {
  app->run.SignumRun("U 2");
  EXPECT_EQ(Text(), "U 2 V \n");  // one exact signum in text format: no counts line
  window.Clear();
  app->run.SignumRun("U *");
  EXPECT_EQ(Text(), "U 1 V \nU 2 V \nU 3 V \n3 inskrifter");
  window.Clear();
  ASSERT_TRUE(app->format.Validate("\xDF$"));
  ASSERT_TRUE(app->conditions.ParseWordSearchCode("RUN:b"));
  app->run.SignumRun("U 2");
  EXPECT_EQ(Text(), "U 2 V\n1 ord (belägg)");
  window.Clear();
  host.Clear();
  app->run.SignumRun("");
  EXPECT_EQ(host.BoxTexts(), Strings{"Ingen inskrift valdes"});
}

TEST_F(DisplayRunTest, EscapeDuringAPatternRunAndItsContinuation) {
  app->run.pauseSetting = app->settings.consts.paus = true;
  Step([&] { app->run.EscapeInOutput(); });
  app->run.SignumRun("U *");
  EXPECT_EQ(Text(), "U 1 V \n1 inskrift\n (avbrott vid U 1 V )\n");
  EXPECT_EQ(app->settings.interruption.runKind, InterruptionRecord::kSignumRun);
  EXPECT_EQ(app->settings.interruption.signature, "U *");
  window.Clear();
  app->run.pauseSetting = false;
  app->run.Continue();
  EXPECT_EQ(Text(), "U 1 V \nU 2 V \nU 3 V \n3 inskrifter");
}

TEST_F(DisplayRunTest, RecentSignums) {
  for (const char* s : {"U 1", "U 2", "U 3", "DR 1", "U 2", "DR 2", "U *"}) app->run.SignumRun(s);
  EXPECT_EQ(app->run.recentSignums, (std::deque<std::string>{"U 2", "U 3", "DR 1", "DR 2", "U *"}));
}

TEST_F(DisplayRunTest, SelectionFilesWithFaultyLines) {
  dir.WriteText("urval.txt", "! mitt urval\n\nU 3\nU3\nu 9\nDR 1 V\n'kommentar\nDR 7\n");
  host.answers = {false, false};  // go on after each faulty line
  app->run.FileRun(dir / "urval.txt");
  EXPECT_EQ(Text(), "U 3 V \nDR 1 V \n2 inskrifter");
  EXPECT_EQ(host.BoxTexts(),
            (Strings{"Felaktigt signum: U3. Avbryt?", "Felaktigt signum u 9. Avbryt?",
                     "Hittar inte signum DR 7  (STAVBAS.NFS)"}));
  EXPECT_EQ(host.panels[0], "Anv\xE4nder inskrifter angivna i filen urval.txt");

  // With the questions turned off a faulty line is only reported, a faulty province skipped.
  app->settings.consts.errorInfile = false;
  window.Clear();
  host.Clear();
  app->run.FileRun(dir / "urval.txt");
  EXPECT_EQ(host.BoxTexts(),
            (Strings{"Felaktigt signum: U3", "Hittar inte signum DR 7  (STAVBAS.NFS)"}));

  // Yes to a question stops the run; continuing reads on from that line.
  app->settings.consts.errorInfile = true;
  window.Clear();
  host.Clear();
  host.answers = {true};
  app->run.FileRun(dir / "urval.txt");
  EXPECT_EQ(Text(), "U 3 V \n1 inskrift\n (avbrott vid U3)\n");
  EXPECT_EQ(app->settings.interruption.runKind, InterruptionRecord::kFileRun);
  EXPECT_EQ(app->settings.interruption.inputFilePos, 4);
  window.Clear();
  host.answers = {false, false};
  app->run.Continue();
  EXPECT_EQ(Text(), "DR 1 V \n1 inskrift");

  host.Clear();
  app->run.FileRun(dir / "saknas.txt");
  EXPECT_EQ(host.BoxTexts(), Strings{"Filen " + (dir / "saknas.txt") + " finns inte."});
}

TEST_F(DisplayRunTest, TheInputListMayNotBeNamedByTheCodes) {
  ASSERT_TRUE(app->format.Validate("$ ?"));
  app->run.SignumRun("U 1");
  EXPECT_EQ(host.BoxTexts(), Strings{"Infil angivet i villkor eller format"});
  EXPECT_EQ(Text(), "");
}

}  // namespace
}  // namespace stavbas

namespace stavbas {
namespace {

// The settings' font size reaches every text a run writes and the rich text saved from it.
TEST(WindowFont, TheSettingsSizeReachesTextAndSavedRichText) {
  test::OutputFixture f;
  f.settings.font = {"Georgia", 12};
  f.Sample();
  f.app->run.SignumRun("U 344");
  ASSERT_TRUE(f.app->format.Validate("\xDF$ RUN"));
  f.app->run.SignumRun("U 34*");  // attestation lines and a counts line
  ASSERT_FALSE(f.window.Runs().empty());
  for (const StyledRun& run : f.window.Runs()) {
    EXPECT_EQ(run.style.size, 12) << run.text;
    if (run.style.font != "Courier New") {
      EXPECT_EQ(run.style.font, "Georgia") << run.text;
    }
  }
  const std::string rtf = ToRtf(f.window.Runs());
  EXPECT_NE(rtf.find("\\fs24"), std::string::npos);
  EXPECT_EQ(rtf.find("\\fs20"), std::string::npos);
}

}  // namespace
}  // namespace stavbas
