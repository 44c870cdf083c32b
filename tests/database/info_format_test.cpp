// Information fields as the formats show them: links, coordinates and headers.

#include <gtest/gtest.h>

#include "database/info_file.h"
#include "database/info_format.h"
#include "mini_db.h"

namespace stavbas {
namespace {

using test::RecordingHost;
using test::SetLine;

class InfoFormatTest : public ::testing::Test {
 protected:
  void SetUp() override {
    inf.ReadInfoHeaders({Utf8ToCp1252("PPlats;XKoordinater;YNuv. koord.;OÖvrigt")});
    links.shmInvNr = "M/";
    links.raaObjektid = "R/";
    links.dkcSystemnr = "D/";
    links.raLokalitet = "L/";
  }
  std::string Field(char letter, const std::string& utf8Value, bool header = false) {
    const char mark = static_cast<char>(letter & 0x1F);
    SetLine(inf, "U 1 V " + std::string(1, mark) + utf8Value + std::string(1, mark));
    return Cp1252ToUtf8(FormattedField(inf, letter, header, links));
  }
  RecordingHost host;
  Ui ui{host};
  TInfoFil inf{ui, kInfotext};
  LinkSettings links;
};

TEST_F(InfoFormatTest, MuseumNumbersGainLinks) {
  EXPECT_EQ(Field('O', "SHM (1234:5, 2345)"), "SHM (1234:5, 2345) M/1234 M/2345 ");
  EXPECT_EQ(Field('O', "Se SHM (17, 18:2, 19) och mer"),
            "Se SHM (17, 18:2, 19) och mer M/17 M/18 M/19 ");
  EXPECT_EQ(Field('O', "SHM (utan slut"), "SHM (utan slut ");
  links.shmInvNr.clear();
  EXPECT_EQ(Field('O', "SHM (1234)"), "SHM (1234) ");
}

TEST_F(InfoFormatTest, ReferencesBecomeLinks) {
  EXPECT_EQ(Field('O', "[objektid=100] och [objektid=200]"), "[R/100] och [R/200] ");
  EXPECT_EQ(Field('O', "[Lokalitet/12345] [lokalitet/99]"), "[D/12345] [L/99] ");
  EXPECT_EQ(Field('O', "[objektid=utan slut"), "[objektid=utan slut ");
  links.raaObjektid.clear();
  EXPECT_EQ(Field('O', "[objektid=100]"), "[objektid=100] ");
}

TEST_F(InfoFormatTest, CoordinatesAndHeaders) {
  EXPECT_EQ(Field('X', "6614523;1602345"), "6614523\t1602345 ");
  EXPECT_EQ(Field('Y', "(59.8581 ; 17.6389)"), "(59.8581 \t 17.6389) ");
  EXPECT_EQ(Field('X', "6614523.1602345"), "6614523\t1602345 ");
  links.mellanKoord.clear();
  EXPECT_EQ(Field('X', "6614523.1602345"), "6614523;1602345 ");
  EXPECT_EQ(Field('X', "6614523;1602345", true), "Koordinater: 6614523;1602345 ");
  EXPECT_EQ(Field('P', "  Uppsala  ", true), "Plats: Uppsala ");
  EXPECT_EQ(Field('P', "   "), "");
}

TEST_F(InfoFormatTest, AllFieldsInHeaderOrder) {
  SetLine(inf,
          "U 1 V \x0F"
          "mer\x0F\x10"
          "Byn\x10");
  inf.FirstInfoCode();
  std::vector<std::string> fields;
  while (inf.MoreInfoCodes()) fields.push_back(Cp1252ToUtf8(inf.NextInfoField(true)));
  EXPECT_EQ(fields, (std::vector<std::string>{"Plats: Byn ", "", "", "Övrigt: mer "}));
}

}  // namespace
}  // namespace stavbas
