// The information display (F2) and the English translation (F5): outside runs, inside a paused
// run that must go on unchanged, and without the file their format names.

#include <gtest/gtest.h>

#include "app/information_display.h"
#include "app/kept_run_state.h"
#include "base/commands.h"
#include "base/cp1252.h"
#include "output/output_fixture.h"

namespace stavbas {
namespace {

using Strings = std::vector<std::string>;

std::size_t Count(const std::string& s, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) ++n;
  return n;
}

class InformationDisplayTest : public ::testing::Test, public test::OutputFixture {
 protected:
  bool Command(std::string_view name) { return host.commands[std::string(name)]; }
};

TEST_F(InformationDisplayTest, WithoutAnInscriptionShownEachSaysSoAndChangesNothing) {
  Sample();
  const std::string code = app->format.code();
  ShowInformation(*app, InformationKind::kInformation);
  ShowInformation(*app, InformationKind::kEnglish);
  EXPECT_EQ(host.BoxTexts(),
            (Strings{"Ingen aktuell inskrift finns att visa information för",
                     "Ingen aktuell inskrift finns att visa engelsk översättning för"}));
  EXPECT_EQ(window.Length(), 0u);
  EXPECT_EQ(app->format.code(), code);
}

TEST_F(InformationDisplayTest, TheLastShownInscriptionAgainWithItsFieldsOrItsTranslation) {
  Sample();
  app->run.SignumRun("U 344");
  const std::string code = app->format.code();
  ShowInformation(*app, InformationKind::kInformation);
  ShowInformation(*app, InformationKind::kEnglish);
  const std::string text = Text();
  EXPECT_NE(text.find("U 344 V \nPlats: Stensta gård"), std::string::npos) << text;
  EXPECT_NE(text.find("Material: Grå granit"), std::string::npos);
  EXPECT_EQ(Count(text, "U 344 V"), 3u);
  EXPECT_EQ(Count(text, "inskrift"), 0u) << "no counts line";
  EXPECT_TRUE(host.boxes.empty());
  // The user's request, recent signums and format are those of the user's run.
  EXPECT_EQ(app->run.lastRequest, "U 344");
  EXPECT_EQ(app->run.recentSignums, std::deque<std::string>{"U 344"});
  EXPECT_EQ(app->format.code(), code);
  ASSERT_NE(app->format.format(), nullptr);
  EXPECT_EQ(Trim(app->output.lastShownSignum), "U 344 V");
}

TEST_F(InformationDisplayTest, DuringAPauseTheRunGoesOnFromItsPlaceWithItsTotals) {
  Sample();
  app->settings.provinces.Assign(*ParseProvinceText(Utf8ToCp1252("Öl")));
  app->run.pauseSetting = app->settings.consts.paus = true;
  host.steps.push_back([&] {
    ShowInformation(*app, InformationKind::kInformation);
    // Still paused, with the run menu and its items in place.
    EXPECT_TRUE(app->run.runMenu);
    EXPECT_TRUE(Command(command::kRunMenu));
    EXPECT_TRUE(Command(command::kNasta));
    EXPECT_TRUE(Command(command::kButtonInfo));
    EXPECT_FALSE(Command(command::kButtonSignum));
    ShowInformation(*app, InformationKind::kEnglish);
    app->run.Nasta();
  });
  host.steps.push_back([&] { app->run.Resten(); });
  app->run.AllRun();
  EXPECT_TRUE(host.steps.empty());
  const std::string text = Text();
  const std::size_t first = text.find(Cp1252ToUtf8(Utf8ToCp1252("Öl 14 V")));
  const std::size_t info = text.find("Plats: Vid vägen mellan Ulvsta och Hammarby");
  const std::size_t second = text.find("Öl 58 $");
  EXPECT_LT(first, info);
  EXPECT_LT(info, second);
  for (const char* s : {"Öl 58 $", "Öl 127 V", "Öl 203 †"})
    EXPECT_EQ(Count(text, s), 1u) << s << " in " << text;
  EXPECT_TRUE(text.ends_with("4 inskrifter")) << text;
  EXPECT_EQ(app->run.recentSignums.size(), 0u);
  EXPECT_FALSE(Command(command::kRunMenu));
}

TEST_F(InformationDisplayTest, WithoutAnInformationFileTheFormatInForceShowsTheInscription) {
  Database("U 1 V sten\n", "U 1 V sten\n");
  ASSERT_TRUE(app->format.Validate(">$ NFS"));
  app->run.SignumRun("U 1");
  window.Clear();
  ShowInformation(*app, InformationKind::kInformation);
  ShowInformation(*app, InformationKind::kEnglish);
  EXPECT_EQ(Text(), "U 1 V \nsten\nU 1 V \nsten\n");
  EXPECT_TRUE(host.boxes.empty()) << host.BoxTexts()[0];
  EXPECT_EQ(app->format.code(), ">$ NFS");
  EXPECT_NE(app->format.format(), nullptr);
}

TEST_F(InformationDisplayTest, AKeptStateMakesACommandsOwnRunInvisibleToAPausedOne) {
  Sample();
  app->settings.provinces.Assign(*ParseProvinceText("U"));
  app->run.AllRun();
  const std::string reference = Text();
  window.Clear();
  app->run.pauseSetting = app->settings.consts.paus = true;
  host.steps.push_back([&] {
    const long shown = app->output.inscriptionCount;
    {
      const KeptRunState kept(*app);
      EXPECT_TRUE(kept.runMenu());
      app->run.SignumRun("Vg 4");  // another inscription, with a counts line of its own
    }
    EXPECT_EQ(app->output.inscriptionCount, shown);
    EXPECT_EQ(Trim(app->output.lastShownSignum), "U 12 V");
    app->run.Resten();
  });
  app->run.AllRun();
  // The run's own text around the other inscription, as without it.
  std::string text = Text();
  const std::size_t other = text.find("Vg 4 U");
  ASSERT_NE(other, std::string::npos);
  text.erase(other, text.find("U 88 V") - other);
  EXPECT_EQ(text, reference);
}

}  // namespace
}  // namespace stavbas
