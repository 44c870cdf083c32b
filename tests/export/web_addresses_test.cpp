// The addresses handed to the desktop: the bibliography's, the error report's mail and the map's.

#include <gtest/gtest.h>

#include "export/export_fixture.h"
#include "export/web_addresses.h"

namespace stavbas {
namespace {

TEST(WebAddresses, EveryCharacterOutsideTheSafeSetIsEncodedAsUtf8) {
  EXPECT_EQ(PercentEncoded("Az09-._~"), "Az09-._~");
  EXPECT_EQ(PercentEncoded("\xF6 &#%\r\n\x86"), "%C3%B6%20%26%23%25%0D%0A%E2%80%A0");
  // The first blank of the signum joins its parts; the others are encoded like any character.
  EXPECT_EQ(BibliographyAddress("P/", " \xD6g 207 \x86M "), "P/%C3%96g%20207%20%E2%80%A0M");
  EXPECT_EQ(BibliographyAddress("P/", "U $"), "P/U%20%24");
  EXPECT_EQ(BibliographyAddress("P/", "X"), "P/%20X");
}

TEST(WebAddresses, TheErrorReportCarriesEveryLineAndIsCutOnlyAtAWholeCharacter) {
  const std::vector<std::string> lines = {"U 1 V ", "a & b # 50% \xF6", ""};
  const std::string link =
      ErrorReportLink("fel@x.example", "Fel i Stavbasverket med ", "U 1 V", lines, 10000);
  EXPECT_EQ(link,
            "mailto:fel@x.example?subject=Fel%20i%20Stavbasverket%20med%20U%201%20V&body="
            "U%201%20V%20%0D%0Aa%20%26%20b%20%23%2050%25%20%C3%B6%0D%0A%0D%0A");
  // Every limit gives a link that ends at a whole character: a whole "%XX", and all the
  // escapes of a character of several bytes.
  const std::string wide = ErrorReportLink("r", "", "\xF6\x86", {}, 10000);
  for (std::size_t limit = 20; limit < wide.size(); ++limit) {
    const std::string cut = ErrorReportLink("r", "", "\xF6\x86", {}, limit);
    EXPECT_LT(cut.size(), limit);
    EXPECT_TRUE(wide.starts_with(cut));
    const std::size_t tail = cut.rfind("subject=") + 8;
    const std::string encoded = cut.substr(tail);
    EXPECT_TRUE(encoded.empty() || encoded == "%C3%B6" || encoded == "%C3%B6%E2%80%A0" ||
                encoded.starts_with("%C3%B6%E2%80%A0&"))
        << limit << ": " << cut;
  }
}

TEST(WebAddresses, APercentWithoutTwoHexDigitsIsACharacterOfItsOwnWhereTheReportIsCut) {
  // The recipient comes from the settings file as it stands.
  EXPECT_EQ(ErrorReportLink("%zz@x", "", "U 1", {}, 12), "mailto:%zz@");
  EXPECT_EQ(ErrorReportLink("%C3%zz@x", "", "U 1", {}, 12), "mailto:%C3%");
  for (const std::string recipient :
       {"%zz", "%", "a%", "%4", "%-1", "%C3%zz", "%F0%9F", "%E2%80"}) {
    const std::string whole = ErrorReportLink(recipient + "@x.org", "S ", "U 1", {"a%b"}, 100000);
    for (std::size_t limit = 1; limit < whole.size(); ++limit) {
      std::string cut;
      EXPECT_NO_THROW(cut = ErrorReportLink(recipient + "@x.org", "S ", "U 1", {"a%b"}, limit))
          << recipient << " cut at " << limit;
      EXPECT_LT(cut.size(), limit);
      EXPECT_TRUE(whole.starts_with(cut)) << cut;
    }
  }
}

class WebAddressesTest : public ::testing::Test, public test::ExportFixture {
 protected:
  void SetUp() override {
    Stones({{"U 1 V", "a", {{'X', "6583052;1627548"}, {'Y', "(60 ; 18)"}}},
            {"U 2 V", "b & c", {}},
            {"X 1 V", "d", {{'Y', "(57.5 ; 24.5)"}}}});
  }
};

TEST_F(WebAddressesTest, EachCommandNeedsACurrentInscription) {
  WebAddresses& a = app->addresses;
  EXPECT_FALSE(a.Bibliography());
  EXPECT_FALSE(a.ErrorReport());
  EXPECT_FALSE(a.Map(true));
  EXPECT_EQ(host.BoxTexts(),
            (std::vector<std::string>{"Ingen aktuell inskrift finns att visa bibliografidata för",
                                      "Ingen aktuell inskrift finns att skicka felrapport för",
                                      "Ingen aktuell inskrift finns att visa på karta"}));
  host.Clear();
  app->run.SignumRun("U 2");
  EXPECT_FALSE(a.Map(true));
  EXPECT_EQ(host.BoxTexts(),
            std::vector<std::string>{"Inga koordinater finns för aktuell inskrift"});
}

TEST_F(WebAddressesTest, AddressesOfTheCurrentInscription) {
  WebAddresses& a = app->addresses;
  app->run.SignumRun("U 1");
  const std::string before = window.Text();
  EXPECT_NE(a.Map(true)->find("query=59.3489147"), std::string::npos);
  EXPECT_NE(a.Map(false)->find("query=60%2C18"), std::string::npos);
  EXPECT_EQ(*a.Bibliography(), app->settings.links.svenskRunbibFind + "U%201%20V");
  ASSERT_TRUE(app->format.Validate(">.$ RUN INF;P+"));
  const std::string mail = *a.ErrorReport();
  EXPECT_TRUE(mail.ends_with("&body=U%201%20V%20%0D%0Aa%0D%0A%0D%0A")) << mail;
  EXPECT_EQ(window.Text(), before) << "the report's text is not left in the window";
  EXPECT_EQ(app->output.lastShownSignum.substr(0, 5), "U 1 V");

  // Only a present place: that is the one shown.
  app->run.SignumRun("X 1");
  EXPECT_NE(a.Map(true)->find("query=57.5%2C24.5"), std::string::npos);
  a.OpenBibliography();
  a.OpenWebLink("https://example.org/");
  EXPECT_EQ(host.opened,
            (std::vector<std::string>{app->settings.links.svenskRunbibFind + "X%201%20V",
                                      "https://example.org/"}));
}

}  // namespace
}  // namespace stavbas
