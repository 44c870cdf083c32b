#include "conditions/condition_fixture.h"

#include <gtest/gtest.h>

namespace stavbas::test {

void ConditionFixture::Record(const std::string& run, const std::string& nfs,
                              const std::string& inf, const std::string& signum) {
  m.Write("STAVBAS.RUN", "!/R Runtext\n" + signum + run + "\n");
  m.Write("STAVBAS.NFS", signum + nfs + "\n");
  m.Write("STAVBAS.INF", "!/I PPlats;SSocken;XKoordinater\n" + signum + inf + "\n");
  ASSERT_TRUE(m.Open());
  signum_ = signum;
  ASSERT_TRUE(m.db.FindGivenInscription(m.db.AllDataSlots(), Utf8ToCp1252(signum)));
  m.host.Clear();
}

bool ConditionFixture::Holds(const std::string& code) {
  conditions.ParseInscriptionCode(Utf8ToCp1252(code));
  EXPECT_TRUE(
      m.db.FindGivenInscription(m.db.fullSet() | m.db.AllDataSlots(), Utf8ToCp1252(signum_)));
  return conditions.InscriptionPasses();
}

std::vector<std::string> ConditionFixture::WordHits(const std::string& code) {
  conditions.ParseWordSearchCode(Utf8ToCp1252(code));
  const SlotSet walked = m.db.wordSet();
  EXPECT_TRUE(m.db.FindGivenInscription(m.db.fullSet(), Utf8ToCp1252(signum_)));
  std::vector<std::string> hits;
  m.db.FirstWords(walked);
  while (m.db.NextWords(walked)) {
    bool further = false;
    if (!conditions.EvalWordPosition(walked, further)) continue;
    std::string hit = Cp1252ToUtf8(m.db.MainFileWordText());
    if (further) hit += "+";
    hits.push_back(hit);
  }
  return hits;
}

}  // namespace stavbas::test
