// Conditions over the whole sample database, compared with what its lines say directly.

#include <gtest/gtest.h>

#include "conditions/conditions.h"
#include "database/mini_db.h"
#include "database/regions.h"

namespace stavbas {
namespace {

class SampleConditionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m.dir.CopySampleDatabase();
    ASSERT_TRUE(m.Open());
  }
  // For each inscription: whether the inscription condition holds, and the lines read.
  template <typename Check>
  int Walk(const std::string& code, Check check) {
    EXPECT_TRUE(conditions.ParseInscriptionCode(Utf8ToCp1252(code))) << code;
    const SlotSet all = m.db.AllDataSlots();
    int passed = 0;
    EXPECT_TRUE(m.db.PositionAtStart(all));
    while (m.db.WithinRegion(kOtherAreas) && m.db.ReadNextInscription(all)) {
      const bool holds = conditions.InscriptionPasses();
      passed += holds;
      check(holds);
    }
    return passed;
  }
  std::string Line(std::string_view ext) {
    return std::string(m.db.File(m.db.SlotOfExtension(ext)).LineView());
  }

  test::MiniDb m;
  Conditions conditions{m.ui, m.db};
};

TEST_F(SampleConditionsTest, WholeTextsAndFields) {
  const std::string stain = Utf8ToCp1252("stæin");
  const int withStone = Walk("NFS%:=stæin", [&](bool holds) {
    EXPECT_EQ(holds, Line("NFS").find(stain) != std::string::npos) << Line("NFS");
  });
  EXPECT_GT(withStone, 10);
  const int withPresentPlace = Walk("INF;Y:\\;", [&](bool holds) {
    EXPECT_EQ(holds, Line("INF").find('\x19') != std::string::npos) << Line("INF");
  });
  EXPECT_GT(withPresentPlace, 0);
  EXPECT_EQ(Walk("$1:=U",
                 [&](bool holds) { EXPECT_EQ(holds, RegionOf(Line("RUN")) == 6) << Line("RUN"); }),
            17);
  const int lost = Walk("$3:\\†", [&](bool holds) {
    EXPECT_EQ(holds, SignumOfLine(Line("RUN")).find('\x86') != std::string::npos);
  });
  EXPECT_GT(lost, 3);
  EXPECT_TRUE(m.host.boxes.empty());
}

}  // namespace
}  // namespace stavbas
