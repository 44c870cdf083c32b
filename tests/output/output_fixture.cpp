#include "output/output_fixture.h"

#include <gtest/gtest.h>

#include "base/cp1252.h"

namespace stavbas::test {

void OutputFixture::Database(const std::string& run, const std::string& nfs, const std::string& fvn,
                             const std::string& inf) {
  dir.WriteText("STAVBAS.RUN", "!/R Runtext\n" + run);
  dir.WriteText("STAVBAS.NFS", nfs);
  if (!fvn.empty()) dir.WriteText("STAVBAS.FVN", "!/O\n" + fvn);
  if (!inf.empty()) dir.WriteText("STAVBAS.INF", "!/I PPlats;SSocken\n" + inf);
  MakeApp();
}

void OutputFixture::Sample() {
  dir.CopySampleDatabase();
  MakeApp();
}

void OutputFixture::MakeApp() {
  settings.dataFileName = dir / "STAVBAS";
  settings.consts.paus = false;
  app = std::make_unique<StavbasApp>(host, window, settings, "");
  app->db.checkAtOpening = nullptr;
  ASSERT_TRUE(app->Open());
  window.Clear();
  host.Clear();
}

std::string OutputFixture::Text() const {
  std::string t = Cp1252ToUtf8(window.Text());
  std::erase(t, '\r');
  return t;
}

TextStyle OutputFixture::StyleOf(const std::string& piece) const {
  const std::string wanted = Utf8ToCp1252(piece);
  for (const StyledRun& r : window.Runs())
    if (r.text.find(wanted) != std::string::npos) return r.style;
  ADD_FAILURE() << "no run holds " << piece;
  return {};
}

}  // namespace stavbas::test
