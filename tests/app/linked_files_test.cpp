// The files the program writes on its own in a database folder (the index, the check log, the
// information file converted from the spreadsheet, the settings file) are never written through
// a link the folder holds: a symbolic link to a file elsewhere (or to no file yet), or a hard
// link that shares its file with another name. The program names the file and goes on as in a
// folder it may not write.

#include <gtest/gtest.h>
#include <utime.h>

#include <ctime>
#include <filesystem>

#include "app/exit_confirmation.h"
#include "app/stavbas_app.h"
#include "base/atomic_file.h"
#include "base/cp1252.h"
#include "database/data_file_check.h"
#include "output/memory_document.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

namespace stavbas {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

enum class LinkKind { kSymbolic, kHard, kToNoFile };

// A file of the user's that a hostile folder points at.
const std::string kUsersFile = "# the user's own shell settings\nexport PATH=$HOME/bin:$PATH\n";

void SetAge(const fs::path& path, int secondsAgo) {
  const std::time_t t = std::time(nullptr) - secondsAgo;
  const utimbuf times{t, t};
  ASSERT_EQ(utime(path.c_str(), &times), 0);
}

class LinkedFileTest : public ::testing::TestWithParam<LinkKind> {
 protected:
  void SetUp() override {
    dir.CopySampleDatabase();
    fs::remove(dir.path() / "STAVBAS.XLS");  // only the information file's case converts
  }
  // Puts `name` in the database folder as a link to the file "target" of another folder, which
  // holds `bytes` (or is not there, for a link to no file yet).
  void Link(const std::string& name, const std::string& bytes) {
    fs::remove(dir.path() / name);
    if (GetParam() != LinkKind::kToNoFile) elsewhere.WriteBytes("target", bytes);
    if (GetParam() == LinkKind::kHard)
      fs::create_hard_link(elsewhere.path() / "target", dir.path() / name);
    else
      fs::create_symlink(elsewhere.path() / "target", dir.path() / name);
  }
  // The link is still in its place and its file as it was, or still not there.
  void ExpectUntouched(const std::string& name, const std::string& bytes) {
    if (GetParam() == LinkKind::kToNoFile) {
      EXPECT_FALSE(fs::exists(elsewhere.path() / "target")) << name << " made a file elsewhere";
    } else {
      EXPECT_EQ(elsewhere.ReadBytes("target"), bytes) << name << " wrote into another file";
    }
    if (GetParam() == LinkKind::kHard)
      EXPECT_EQ(fs::hard_link_count(dir.path() / name), 2u) << name << " lost its other name";
    else
      EXPECT_TRUE(fs::is_symlink(dir.path() / name)) << name << " is no longer a link";
    for (const auto& e : fs::directory_iterator(dir.path()))
      EXPECT_FALSE(e.path().filename().string().starts_with(".")) << e.path() << " left behind";
  }
  void MakeApp() {
    Settings s;
    s.dataFileName = dir / "STAVBAS";
    s.consts.paus = false;
    app = std::make_unique<StavbasApp>(host, window, s, "");
  }
  bool Said(const std::string& utf8) const {
    const std::vector<std::string> texts = host.BoxTexts();
    return std::find(texts.begin(), texts.end(), utf8) != texts.end();
  }
  // The counts line of a run over every inscription.
  std::string AllRun() {
    window.Clear();
    EXPECT_TRUE(app->format.Validate("$"));
    app->run.AllRun();
    std::string text = Cp1252ToUtf8(window.Text());
    while (text.ends_with('\n') || text.ends_with('\r')) text.pop_back();
    return text.substr(text.rfind('\n') + 1);
  }

  TempDir dir, elsewhere;
  test::RecordingHost host;
  MemoryDocument window;
  std::unique_ptr<StavbasApp> app;
};

TEST_P(LinkedFileTest, TheIndexIsKeptInMemory) {
  Link("STAVBAS.$AD", kUsersFile);
  for (int opening = 0; opening < 2; ++opening) {
    SCOPED_TRACE(opening);
    host.Clear();
    MakeApp();
    ASSERT_TRUE(app->Open());
    EXPECT_TRUE(Said("STAVBAS.$AD är en länk och skrivs därför inte över"));
    ExpectUntouched("STAVBAS.$AD", kUsersFile);
    EXPECT_EQ(AllRun(), "84 inskrifter");
  }
}

TEST_P(LinkedFileTest, TheCheckRunsWithoutItsLog) {
  Link("STAVBAS.LOG", kUsersFile);
  MakeApp();
  ASSERT_TRUE(app->Open());
  host.Clear();
  EXPECT_TRUE(CheckDataFiles(app->db, true));
  const std::vector<std::string> texts = host.BoxTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "STAVBAS.LOG är en länk och skrivs därför inte över");
  EXPECT_TRUE(texts[1].starts_with("Inga fel hittade vid kontroll av datafilerna")) << texts[1];
  ExpectUntouched("STAVBAS.LOG", kUsersFile);
}

// A newer spreadsheet is read (its columns give the value lists), but the linked information
// file stays as it is and is the one the database opens, as after a failed write.
TEST_P(LinkedFileTest, TheInformationFileBesideANewerSpreadsheetIsReadAsItIs) {
  std::string inf = dir.ReadBytes("STAVBAS.INF");
  const std::size_t u344 = inf.find("U 344 ");
  ASSERT_NE(u344, std::string::npos);
  const std::size_t place = inf.find('\x10', u344) + 1;  // field P
  inf.replace(place, inf.find('\x10', place) - place, "Linked place");
  fs::copy_file(fs::path(STAVBAS_SOURCE_DIR) / "data" / "STAVBAS.XLS", dir.path() / "STAVBAS.XLS");
  Link("STAVBAS.INF", inf);
  if (GetParam() != LinkKind::kToNoFile) SetAge(elsewhere.path() / "target", 3600);

  MakeApp();
  ASSERT_TRUE(app->Open());
  EXPECT_TRUE(Said("STAVBAS.INF är en länk och skrivs därför inte över"));
  ExpectUntouched("STAVBAS.INF", inf);
  EXPECT_FALSE(app->info.valueLists()[0].empty()) << "the spreadsheet was read";
  EXPECT_EQ(AllRun(), "84 inskrifter");
  if (GetParam() != LinkKind::kToNoFile) {
    window.Clear();
    ASSERT_TRUE(app->format.Validate("$ INF;P"));
    app->run.SignumRun("U 344");
    EXPECT_NE(window.Text().find("Linked place"), std::string::npos) << window.Text();
  }
}

TEST_P(LinkedFileTest, TheSettingsFileIsNotSaved) {
  const std::string ini = "[Const]\r\nPaus=0\r\n";
  Link("stavbas.ini", ini);
  int error = 0;
  EXPECT_FALSE(SaveSettings(Settings{}, SaveChoice::All, dir.path() / "stavbas.ini", &error));
  EXPECT_EQ(error, kLinkRefused);
  ExpectUntouched("stavbas.ini", ini);

  MakeApp();
  ASSERT_TRUE(app->Open());
  host.Clear();
  EXPECT_FALSE(SaveSettingsAtExit(*app, SaveChoice::Settings, dir.path() / "stavbas.ini"));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.BoxTexts()[0], "Inställningarna kunde inte sparas i " + dir / "stavbas.ini" +
                                    "\nstavbas.ini är en länk och skrivs därför inte över");
  ExpectUntouched("stavbas.ini", ini);
}

INSTANTIATE_TEST_SUITE_P(Links, LinkedFileTest,
                         ::testing::Values(LinkKind::kSymbolic, LinkKind::kHard,
                                           LinkKind::kToNoFile),
                         [](const auto& info) {
                           switch (info.param) {
                             case LinkKind::kSymbolic:
                               return "Symbolic";
                             case LinkKind::kHard:
                               return "Hard";
                             default:
                               return "ToNoFile";
                           }
                         });

}  // namespace
}  // namespace stavbas
