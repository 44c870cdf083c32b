// Start-up on a database, the entry row's code purposes, and what "Ja" of the exit dialog does.

#include <gtest/gtest.h>

#include "app/entry_row.h"
#include "app/exit_confirmation.h"
#include "app/startup.h"
#include "base/cp1252.h"
#include "output/memory_document.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

namespace stavbas {
namespace {

using test::RecordingHost;
using test::TempDir;
using Strings = std::vector<std::string>;

// Progress lines go into the output window, as in the window program.
class WindowHost : public RecordingHost {
 public:
  explicit WindowHost(OutputWindow& w) : window(w) {}
  void AppendLine(const std::string& text) override {
    RecordingHost::AppendLine(text);
    window.Append({{text + "\r\n", {}}});
  }
  OutputWindow& window;
};

class AppTest : public ::testing::Test {
 protected:
  void Make(Settings s = {}) {
    if (s.dataFileName == kDefaultBaseName) s.dataFileName = dir / "STAVBAS";
    app = std::make_unique<StavbasApp>(host, window, s, dir / "stavbas");
  }
  TempDir dir;
  MemoryDocument window;
  WindowHost host{window};
  std::unique_ptr<StavbasApp> app;
};

TEST_F(AppTest, StartUpOnTheSampleClearsTheProgressLinesAndShowsTheCodes) {
  dir.CopySampleDatabase();
  Settings s;
  s.codes.parameterCode = "RUN:stain";
  s.provinces.Assign(ParseProvinceText(Utf8ToCp1252("Öl,Ög")).value());
  Make(s);
  window.Append({{"old text\r\n", {}}});
  window.maxLength = 70000;
  EXPECT_EQ(StartUp(*app), StartResult::kReady);
  EXPECT_EQ(window.Length(), 0u) << "no fault: the window is cleared";
  EXPECT_EQ(window.maxLength, kStartMaxLength);
  EXPECT_EQ(host.panels[1], "RUN:stain");
  EXPECT_EQ(host.panels[2], "");
  EXPECT_EQ(Cp1252ToUtf8(host.panels[3]), "Öl,Ög");
  EXPECT_TRUE(host.inputPrompts.empty());
}

TEST_F(AppTest, AFaultWhileOpeningKeepsTheLinesAndARefusedStoredCodeIsCleared) {
  dir.CopySampleDatabase();
  dir.WriteText("STAVBAS.XYZ", "!/Q strange\nU 1 V x\n");  // an unknown header parameter
  Settings s;
  s.codes.selectionCode = "QQQ:abc";  // names no open file: refused
  Make(s);
  EXPECT_EQ(StartUp(*app), StartResult::kReady);
  EXPECT_NE(window.Text().find("Obegriplig parameter: !/Q strange"), std::string::npos)
      << window.Text();
  EXPECT_EQ(host.panels[3], "Alla landskap");
  EXPECT_EQ(app->conditions.inscriptionCode(), "");
  EXPECT_EQ(host.panels[2], "");
}

TEST_F(AppTest, AnUnusableDatabaseAsksForAnotherAtOnce) {
  dir.WriteText("STAVBAS.RUN", "!/O\nU 1 V a\n");  // no complete word file
  dir.WriteText("OTHER.RUN", "U 2 V b\n");
  Make();
  host.inputs = {dir / "OTHER"};
  EXPECT_EQ(StartUp(*app), StartResult::kReady);
  EXPECT_EQ(host.inputPrompts, Strings{"Val av databas|Ange datafiler som ska användas:|STAVBAS"});
  EXPECT_EQ(app->session.baseName, dir / "OTHER");
  // Cancelled: the program goes on without a database.
  TempDir empty;
  RecordingHost host2;
  MemoryDocument window2;
  Settings s;
  s.dataFileName = empty / "STAVBAS";
  StavbasApp bare(host2, window2, s, empty / "stavbas");
  EXPECT_EQ(StartUp(bare), StartResult::kNoDatabase);
  EXPECT_EQ(host2.inputPrompts.size(), 1u);
}

TEST_F(AppTest, TheEntryRowRestoresARefusedCodeAndKeepsAnAcceptedOne) {
  dir.CopySampleDatabase();
  Make();
  ASSERT_EQ(StartUp(*app), StartResult::kReady);
  EntryRow row(*app);

  EntryRow::View v = row.Open(EntryPurpose::kWordSearchCode, 0);
  EXPECT_EQ(v.entries, Strings{""});
  EXPECT_FALSE(v.searchButton);
  std::string text = "RUN:stain";
  EXPECT_TRUE(row.Enter(text));
  EXPECT_FALSE(row.isOpen());
  EXPECT_EQ(host.panels[1], "RUN:stain");
  EXPECT_TRUE(host.commands["SkapaUrvalsfil"]) << "a code narrows the exports";

  row.Open(EntryPurpose::kWordSearchCode, 1);
  text = "RUN:sta{in";  // refused
  EXPECT_FALSE(row.Enter(text));
  EXPECT_TRUE(row.isOpen());
  EXPECT_EQ(text, "RUN:stain");
  EXPECT_EQ(app->conditions.wordSearchCode(), "RUN:stain");
  EXPECT_EQ(host.panels[1], "RUN:stain");

  row.Open(EntryPurpose::kFormatCode, 0);
  text = "ß$ XYZ";  // names no open file
  EXPECT_FALSE(row.Enter(text));
  EXPECT_EQ(text, ">.$ RUN NFS FVN");
  EXPECT_NE(app->format.format(), nullptr) << "the previous format is in force again";

  row.Open(EntryPurpose::kInscriptionCode, 0);
  text = "";
  EXPECT_TRUE(row.Enter(text));
  row.Open(EntryPurpose::kWordSearchCode, 0);
  text = "";
  EXPECT_TRUE(row.Enter(text));
  EXPECT_FALSE(host.commands["SkapaUrvalsfil"]) << "nothing narrows the exports any more";
}

TEST_F(AppTest, TheSignumEntryRunsAndRemembersTheRequest) {
  dir.CopySampleDatabase();
  Make();
  ASSERT_EQ(StartUp(*app), StartResult::kReady);
  EntryRow row(*app);
  row.Open(EntryPurpose::kSignum, 0);
  std::string text = "U 344";
  EXPECT_TRUE(row.Enter(text));
  EXPECT_NE(window.Text().find("U 344"), std::string::npos);
  EXPECT_EQ(row.Open(EntryPurpose::kSignum, 5).text, "U 344");
}

// ---- exit ----

TEST(ExitConfirmation, TheTextGroupCountsOnlyWhenShown) {
  EXPECT_FALSE(OpenExitChoices(2).textGroupShown);
  ExitChoices c = OpenExitChoices(3);
  EXPECT_TRUE(c.textGroupShown);
  EXPECT_FALSE(c.saveText) << "every opening starts on \"Spara inte\"";
  EXPECT_EQ(c.settings, SaveChoice::Keep);

  int textSaves = 0;
  std::vector<SaveChoice> settingsSaves;
  auto saveText = [&] { return ++textSaves, true; };
  auto saveSettings = [&](SaveChoice choice) { return settingsSaves.push_back(choice), true; };

  // "Spara" left chosen from a window that had text, now empty: the group is hidden.
  ExitChoices hidden = OpenExitChoices(0);
  hidden.saveText = true;
  EXPECT_TRUE(ConfirmExit(hidden, saveText, saveSettings));
  EXPECT_EQ(textSaves, 0) << "an empty window never overwrites the save file";

  c.saveText = true;
  c.settings = SaveChoice::All;
  EXPECT_TRUE(ConfirmExit(c, saveText, saveSettings));
  EXPECT_EQ(textSaves, 1);
  EXPECT_EQ(settingsSaves, std::vector<SaveChoice>{SaveChoice::All});
}

TEST(ExitConfirmation, AFailedOrCancelledSaveReturnsToTheProgram) {
  ExitChoices c = OpenExitChoices(100);
  c.saveText = true;
  c.settings = SaveChoice::Settings;
  int settingsSaves = 0;
  auto saveSettings = [&](SaveChoice) { return ++settingsSaves, true; };
  EXPECT_FALSE(ConfirmExit(
      c, [] { return false; }, saveSettings));
  EXPECT_EQ(settingsSaves, 0) << "nothing is written when the user stays";

  c.saveText = false;
  EXPECT_FALSE(ConfirmExit(
      c, [] { return true; }, [](SaveChoice) { return false; }));
  // Without "Nej" (the spreadsheet is in use) the program ends all the same.
  ExitChoices forced = OpenExitChoices(100, false);
  forced.saveText = true;
  EXPECT_TRUE(ConfirmExit(
      forced, [] { return false; }, saveSettings));
}

TEST_F(AppTest, SavingTheSettingsAtExitTakesTheCodesInForce) {
  dir.CopySampleDatabase();
  Make();
  ASSERT_EQ(StartUp(*app), StartResult::kReady);
  ASSERT_TRUE(app->conditions.ParseWordSearchCode("RUN:stain"));
  const std::filesystem::path ini = dir.path() / "stavbas.ini";
  EXPECT_TRUE(SaveSettingsAtExit(*app, SaveChoice::Keep, ini));
  EXPECT_FALSE(std::filesystem::exists(ini));
  EXPECT_TRUE(SaveSettingsAtExit(*app, SaveChoice::All, ini));
  EXPECT_EQ(ReadSettings(ini).codes.parameterCode, "RUN:stain");

  host.Clear();
  EXPECT_FALSE(SaveSettingsAtExit(*app, SaveChoice::All, dir.path() / "missing" / "x.ini"));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].kind, MsgKind::Error);
  EXPECT_NE(host.BoxTexts()[0].find("Inställningarna kunde inte sparas i "), std::string::npos);
}

}  // namespace
}  // namespace stavbas
