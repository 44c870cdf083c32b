// What the program hands to the desktop: web addresses, mail with a subject and a body, and the
// files it wrote or ships; everything else is refused with a message naming it.

#include "base/opening_rule.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "base/cp1252.h"
#include "base/ui.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

namespace stavbas {
namespace {

namespace fs = std::filesystem;

std::string Target(std::string_view address) {
  const Opening o = JudgeAddress(address);
  return o.allowed() ? o.target : "(refused)";
}

TEST(OpeningRule, AddressesOfOtherKindsAreRefused) {
  for (const char* address : {"file:///etc/passwd",
                              "FILE:///etc/passwd",
                              "javascript:alert(1)",
                              "JavaScript:alert(document.cookie)//http://x.org",
                              "data:text/html,<script>x</script>",
                              "smb://server/share/run.exe",
                              "ms-msdt:/id PCWDiagnostic",
                              "ftp://ftp.example.org/a",
                              "vbscript:msgbox",
                              "about:blank",
                              "../../home/user/.bashrc",
                              "/etc/passwd",
                              "~/.ssh/id_rsa",
                              "",
                              "   ",
                              "http",
                              "mailto",
                              "www",
                              "//example.org/",
                              "\\\\server\\share"}) {
    EXPECT_FALSE(JudgeAddress(address).allowed()) << address;
  }
}

TEST(OpeningRule, WebAddressesWithoutAHostOrWithTricksAreRefused) {
  for (const char* address :
       {"http:example.org", "http:/example.org", "http:\\\\example.org", "https:///x", "http://",
        "http://user@example.org/", "http://good.example.org@evil.example/",
        "http://good.example.org%40evil.example/", "http://example.org\\@evil.example/",
        "http://exa mple.org/", "http://example.org:/", "http://example.org:99999/",
        "http://example.org:8o/", "http://[::1/", "http://\xE5\xE4\xF6.se/",
        "http://example.org/a\x01"
        "b",
        "http://example.org/\nSet-Cookie:x", "\x1Bhttp://x.org/", "http://example.org/\x7F"}) {
    EXPECT_FALSE(JudgeAddress(address).allowed()) << Cp1252ToUtf8(address);
  }
}

TEST(OpeningRule, WebAddressesPassInTheFormTheDesktopIsGiven) {
  // Well-formed addresses stay as they are.
  for (const char* address :
       {"https://example.org/", "http://example.org", "https://a.example.org:8443/p?q=1&r=2#s",
        "https://runbibl.example.org/hitlist.aspx?ccl=find%20runsig%20U%20344",
        "https://www.google.com/maps/search/?api=1&query=59.8%2C17.6", "http://[::1]:8080/x",
        "https://x.org/a-b_c.d~e!$&'()*+,;=:@/?x"}) {
    EXPECT_EQ(Target(address), address);
  }
  // Blanks round it go; the scheme and host are written small; what an address cannot hold
  // is escaped, a character outside ASCII as UTF-8, a "%" without two hex digits as "%25".
  EXPECT_EQ(Target("  HTTPS://Example.ORG/Runsten \t"), "https://example.org/Runsten");
  EXPECT_EQ(Target("https://x.org/\xD6land sten"), "https://x.org/%C3%96land%20sten");
  EXPECT_EQ(Target("https://x.org/a<b>\"c\"{|}^`[]\\"),
            "https://x.org/a%3Cb%3E%22c%22%7B%7C%7D%5E%60%5B%5D%5C");
  EXPECT_EQ(Target("https://x.org/50%?a=%zz&b=%4"), "https://x.org/50%25?a=%25zz&b=%254");
  EXPECT_EQ(Target("https://x.org/p#a#b"), "https://x.org/p#a%23b");
  // A web server's name alone, as a settings file's web link may give it.
  EXPECT_EQ(Target(" WWW.Runor.example/sten"), "http://www.runor.example/sten");
  EXPECT_EQ(Target("www.good.example@evil.example"), "(refused)");
  EXPECT_EQ(Target("www.x.org\\y"), "(refused)");
}

TEST(OpeningRule, MailCarriesOneRecipientASubjectAndABodyAndNothingElse) {
  for (const char* address : {"mailto:a@x.org?attach=/etc/passwd",
                              "mailto:a@x.org?subject=s&attach=/etc/passwd",
                              "mailto:a@x.org?subject=s&ATTACHMENT=~/.ssh/id_rsa",
                              "mailto:a@x.org?cc=b@y.org",
                              "mailto:a@x.org?Bcc=b@y.org",
                              "mailto:a@x.org?to=b@y.org",
                              "mailto:?to=b@y.org",
                              "mailto:a@x.org?in-reply-to=x",
                              "mailto:a@x.org?subject=s?attach=/etc/passwd",
                              "mailto:a@x.org?subject=s&body=b?cc=b@y.org",
                              "mailto:a@x.org%3Fattach=/etc/passwd",
                              "mailto:a@x.org%3fcc%3Db@y.org",
                              "mailto:a@x.org%26cc=b",
                              "mailto:a@x.org,b@y.org",
                              "mailto:a@x.org;b@y.org",
                              "mailto:a@x.org b@y.org",
                              "mailto:a@x.org?%61ttach=x",
                              "mailto:a@x.org?subject",
                              "mailto:a@x.org?subject=s&",
                              "mailto:a@x.org?&subject=s",
                              "mailto:a@x.org?subject=Hej%0D%0ABcc:%20b@y.org",
                              "mailto:a@x.org?subject=a%0ab",
                              "mailto:a@b@x.org",
                              "mailto:a#b@x.org",
                              "mailto:@x.org",
                              "mailto://x.org",
                              "mailto:a@x.org?subject=\x01"}) {
    EXPECT_FALSE(JudgeAddress(address).allowed()) << Cp1252ToUtf8(address);
  }
  const std::string report =
      "mailto:fel@x.example?subject=Fel%20i%20Stavbasverket%20med%20U%201%20V&body=U%201%20V%20%"
      "0D%0Aa%20%26%20b%20%23%2050%25%20%C3%B6%0D%0A%0D%0A";
  EXPECT_EQ(Target(report), report);
  EXPECT_EQ(Target("mailto:fel+runor@x.org"), "mailto:fel+runor@x.org");
  EXPECT_EQ(Target("mailto:?subject=s"), "mailto:?subject=s");
  EXPECT_EQ(Target("MailTo:a@x.org?Subject=Hej d\xE5&BODY=a=b#c"),
            "mailto:a@x.org?subject=Hej%20d%C3%A5&body=a%3Db%23c");
  EXPECT_EQ(Target("mailto:a@x.org?body=50%&body=x"), "mailto:a@x.org?body=50%25&body=x");
}

TEST(OpeningRule, TheHostAndRecipientOfACheckedAddress) {
  EXPECT_EQ(WebAddressHost("https://a.example.org:8443/p?q=1"), "a.example.org");
  EXPECT_EQ(WebAddressHost("http://[::1]:80/"), "[::1]");
  EXPECT_EQ(WebAddressHost("http://x.org"), "x.org");
  EXPECT_EQ(MailRecipient("mailto:a@x.org?subject=s"), "a@x.org");
  EXPECT_EQ(MailRecipient("mailto:"), "");
}

TEST(OpeningRule, AMessageShowsControlCharactersAndCutsALongTarget) {
  EXPECT_EQ(ShownTarget("a\x1B[2Jb\n"), "a\\x1B[2Jb\\x0A");
  const std::string shown = ShownTarget(std::string(5000, 'a'));
  EXPECT_EQ(shown, std::string(200, 'a') + "\x85");
}

class OpeningFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir.path() / "help" / "sv");
    dir.WriteBytes("help/sv/index.html", "<p>hj\xE4lp</p>");
    dir.WriteBytes("secret.html", "private");
    dir.WriteBytes("u.KML", "<kml/>");
    dir.WriteBytes("run.desktop", "[Desktop Entry]\nExec=sh -c x\n");
    dir.WriteBytes("script.kml", "#!/bin/sh\nrm -rf ~\n");
    fs::permissions(dir / "script.kml", fs::perms::owner_exec, fs::perm_options::add);
    places.NoteShippedFolder(dir / "help");
    for (const char* name : {"u.KML", "run.desktop", "script.kml"}) places.NoteWritten(dir / name);
  }
  Opening Judge(const std::string& path) { return JudgeOpening(path, places); }

  test::TempDir dir;
  OpeningPlaces places;
};

TEST_F(OpeningFiles, FilesTheProgramWroteOrShipsOpenByTheirResolvedPath) {
  const Opening kml = Judge(dir / "u.KML");
  EXPECT_EQ(kml.kind, OpeningKind::LocalFile);
  EXPECT_EQ(kml.target, fs::canonical(dir / "u.KML").string());
  const Opening help = Judge(dir / "help/sv/../sv/./index.html");
  EXPECT_EQ(help.kind, OpeningKind::LocalFile);
  EXPECT_EQ(help.target, fs::canonical(dir / "help/sv/index.html").string());
  // A link the user chose as the export's name leads to the file written.
  fs::create_symlink(dir / "u.KML", dir / "chosen.KML");
  EXPECT_EQ(Judge(dir / "chosen.KML").target, kml.target);
}

TEST_F(OpeningFiles, OtherFilesAreRefusedEvenWhenTheyExist) {
  EXPECT_FALSE(Judge(dir / "secret.html").allowed()) << "not written by the program";
  EXPECT_FALSE(Judge(dir / "help/../secret.html").allowed()) << "out of the help folder";
  EXPECT_FALSE(Judge("file://" + (dir / "u.KML")).allowed()) << "a file: address";
  EXPECT_FALSE(Judge(dir / "missing.KML").allowed());
  EXPECT_FALSE(Judge(dir / "help").allowed()) << "a folder";
  EXPECT_FALSE(Judge(dir / "help/sv").allowed());
  // A folder whose name begins as the help folder's is no part of it.
  fs::create_directories(dir.path() / "help2");
  dir.WriteBytes("help2/page.html", "x");
  EXPECT_FALSE(Judge(dir / "help2/page.html").allowed());
  // A link inside the help folder to a file outside it.
  fs::create_symlink(dir / "secret.html", dir / "help/sv/link.html");
  EXPECT_FALSE(Judge(dir / "help/sv/link.html").allowed());
}

TEST_F(OpeningFiles, NeverAnExecutableOrADesktopEntryNorALinkToOne) {
  EXPECT_FALSE(Judge(dir / "script.kml").allowed()) << "written, but executable";
  EXPECT_FALSE(Judge(dir / "run.desktop").allowed()) << "written, but a desktop entry";
  fs::create_symlink(dir / "run.desktop", dir / "help/sv/start.html");
  fs::create_symlink(dir / "script.kml", dir / "help/sv/run.html");
  EXPECT_FALSE(Judge(dir / "help/sv/start.html").allowed());
  EXPECT_FALSE(Judge(dir / "help/sv/run.html").allowed());
  EXPECT_FALSE(HarmlessFile(dir / "script.kml"));
  EXPECT_FALSE(HarmlessFile(dir / "help/sv/run.html"));
  EXPECT_TRUE(HarmlessFile(dir / "secret.html"));
  EXPECT_FALSE(HarmlessFile(std::string(dir / "u.KML") + '\0' + "x"));
  // The same file written again without its execute bit opens.
  fs::permissions(dir / "script.kml", fs::perms::owner_exec, fs::perm_options::remove);
  EXPECT_TRUE(Judge(dir / "script.kml").allowed());
}

TEST_F(OpeningFiles, TheUiOpensOnlyWhatTheRuleAllowsAndNamesWhatItRefuses) {
  test::RecordingHost host;
  Ui ui(host);
  ui.opening = places;
  EXPECT_TRUE(ui.OpenWithDesktop(dir / "u.KML"));
  EXPECT_TRUE(ui.OpenWithDesktop(" https://Example.org/a b"));
  EXPECT_FALSE(ui.OpenWithDesktop("file:///etc/passwd"));
  EXPECT_FALSE(ui.OpenWithDesktop(dir / "secret.html"));
  EXPECT_EQ(host.opened, (std::vector<std::string>{fs::canonical(dir / "u.KML").string(),
                                                   "https://example.org/a%20b"}));
  ASSERT_EQ(host.boxes.size(), 2u);
  EXPECT_EQ(host.boxes[0].kind, MsgKind::Warning);
  EXPECT_EQ(host.BoxTexts()[0],
            "Öppnar inte \"file:///etc/passwd\": bara webbadresser (http, https), e-post med "
            "enbart ämne och text samt programmets egna filer (det som programmet har sparat "
            "eller exporterat, hjälpsidorna) öppnas.");
  EXPECT_EQ(host.BoxTexts()[1].find("Öppnar inte \"" + (dir / "secret.html") + "\""), 0u);
  // Shown in a front end that opens nothing, an address is checked the same way.
  EXPECT_EQ(ui.OpeningTarget("HTTP://x.org"), "http://x.org");
  EXPECT_EQ(ui.OpeningTarget("javascript:x"), std::nullopt);
  EXPECT_EQ(host.boxes.size(), 3u);
}

}  // namespace
}  // namespace stavbas
