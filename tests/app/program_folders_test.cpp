// The work folder of an installed program, the language modules, the help map and the web
// addresses that the output window makes clickable.

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "app/address_finder.h"
#include "app/help_map.h"
#include "app/program_folders.h"
#include "support/temp_dir.h"

namespace stavbas {
namespace {

using test::TempDir;
namespace fs = std::filesystem;

TEST(WorkFolder, AWritableProgramFolderIsUsedAsItIs) {
  TempDir program, user;
  program.WriteText("STAVBAS.RUN", "U 1 V a\n");
  EXPECT_EQ(ChooseWorkFolder(program.path(), user.path() / "stavbas"), program.path());
  EXPECT_FALSE(fs::exists(user.path() / "stavbas"));
}

TEST(WorkFolder, AUserCopyGetsTheDatabaseAndSettingsAndIsNeverOverwritten) {
  TempDir program, user;
  program.WriteText("STAVBAS.RUN", "U 1 V a\n");
  program.WriteText("STAVBAS.INF", "info\n");
  program.WriteText("stavbas.ini", "[Const]\n");
  program.WriteText("stavbas.en", "module");
  program.WriteText("stavbas.sve", "module");
  program.WriteText("OTHER.RUN", "x\n");
  const auto infStamp = fs::last_write_time(program.path() / "STAVBAS.INF") - std::chrono::hours(5);
  fs::last_write_time(program.path() / "STAVBAS.INF", infStamp);
  const fs::path work = user.path() / "stavbas";
  SeedWorkFolder(program.path(), work);
  EXPECT_TRUE(fs::exists(work / "STAVBAS.RUN"));
  EXPECT_TRUE(fs::exists(work / "stavbas.ini"));
  EXPECT_EQ(fs::last_write_time(work / "STAVBAS.INF"), infStamp);
  EXPECT_FALSE(fs::exists(work / "stavbas.en")) << "language modules stay beside the program";
  EXPECT_FALSE(fs::exists(work / "stavbas.sve"));
  EXPECT_FALSE(fs::exists(work / "OTHER.RUN"));
  std::ofstream(work / "stavbas.ini") << "[Const]\nPaus=0\n";
  SeedWorkFolder(program.path(), work);
  std::ifstream in(work / "stavbas.ini");
  std::string all((std::istreambuf_iterator<char>(in)), {});
  EXPECT_NE(all.find("Paus=0"), std::string::npos);
}

// Seeding writes new files only: a link in the user's folder, even one that leads to no file
// yet, is the user's own copy and makes no file where it points.
TEST(WorkFolder, SeedingNeverWritesThroughALink) {
  TempDir program, user, elsewhere;
  program.WriteText("STAVBAS.RUN", "U 1 V a\n");
  program.WriteText("stavbas.ini", "[Const]\n");
  const fs::path work = user.path() / "stavbas";
  fs::create_directories(work);
  fs::create_symlink(elsewhere.path() / "autostart.desktop", work / "STAVBAS.RUN");
  elsewhere.WriteText("own.ini", "[Const]\nPaus=0\n");
  fs::create_symlink(elsewhere.path() / "own.ini", work / "stavbas.ini");
  SeedWorkFolder(program.path(), work);
  EXPECT_TRUE(fs::is_symlink(work / "STAVBAS.RUN"));
  EXPECT_FALSE(fs::exists(elsewhere.path() / "autostart.desktop"));
  EXPECT_EQ(elsewhere.ReadBytes("own.ini"), "[Const]\r\nPaus=0\r\n");
}

TEST(WorkFolder, AFolderThatCannotBeWrittenToSendsTheUserToTheirOwn) {
  TempDir user;
  EXPECT_EQ(ChooseWorkFolder(user.path() / "no-such-folder", user.path() / "w"), user.path() / "w");
  EXPECT_TRUE(fs::is_directory(user.path() / "w"));
}

TEST(LanguageModules, ThreeLettersFirstThenTwoAndOnlyThoseThatExist) {
  TempDir dir;
  const fs::path program = dir.path() / "stavbas";
  EXPECT_TRUE(LanguageModuleCandidates(program, Language::English).empty());
  dir.WriteText("stavbas.en", "m");
  EXPECT_EQ(LanguageModuleCandidates(program, Language::English),
            std::vector<fs::path>{dir.path() / "stavbas.en"});
  // The English translation of the database has the three-letter name; it comes first and the
  // caller passes over it because it does not load as a module.
  dir.WriteText("STAVBAS.ENG", "U 1 V text\n");
  EXPECT_EQ(LanguageModuleCandidates(program, Language::English),
            (std::vector<fs::path>{dir.path() / "STAVBAS.ENG", dir.path() / "stavbas.en"}));
  dir.WriteText("STAVBAS.SVE", "m");
  EXPECT_EQ(LanguageModuleCandidates(program, Language::Swedish),
            std::vector<fs::path>{dir.path() / "STAVBAS.SVE"});
}

TEST(HelpMap, ContextsMapToPagesAndUnknownOnesToTheContents) {
  TempDir dir;
  dir.WriteText("contexts.map",
                "# context page\n3 runs.html\n12  signum.html # one signum\n\nx y\n");
  HelpMap map;
  EXPECT_FALSE(map.Load(dir.path() / "missing.map"));
  EXPECT_EQ(map.PageFor(3), "index.html");
  ASSERT_TRUE(map.Load(dir.path() / "contexts.map"));
  EXPECT_EQ(map.PageFor(3), "runs.html");
  EXPECT_EQ(map.PageFor(12), "signum.html");
  EXPECT_EQ(map.PageFor(99), "index.html");
  EXPECT_EQ(map.pages().size(), 2u);
  EXPECT_EQ(HelpFolderOf("/opt/stavbas", Language::English), fs::path("/opt/stavbas/help/en"));
}

std::vector<std::string> Addresses(std::string_view text) {
  std::vector<std::string> out;
  for (const TextSpan& s : FindWebAddresses(text)) out.emplace_back(text.substr(s.start, s.length));
  return out;
}

TEST(WebAddresses, FoundWithoutTheSentencePunctuationAroundThem) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Addresses("Se https://example.org/a?b=1&c=2. Och www.runor.se, sedan"),
            (V{"https://example.org/a?b=1&c=2", "www.runor.se"}));
  EXPECT_EQ(Addresses("(se http://x.org/wiki/Sten_(U)) slut"), V{"http://x.org/wiki/Sten_(U)"});
  EXPECT_EQ(Addresses("(http://x.org)"), V{"http://x.org"});
  EXPECT_EQ(Addresses("<mailto:a@b.se>\thttp://"), V{"mailto:a@b.se"});
  EXPECT_EQ(Addresses("awww.x.se HTTP://A.SE"), V{"HTTP://A.SE"}) << "www. only at a word start";
  EXPECT_TRUE(Addresses("no address here. www").empty());
}

}  // namespace
}  // namespace stavbas
