// The format code: parsed (and repaired when refused), and written for some inscriptions of the
// sample database and for all of one province, with the window's text saved as rich text.

#include "fuzz_support.h"
#include "output/text_save.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace stavbas;
  const std::string code(reinterpret_cast<const char*>(data), size);
  fuzz::Program p(fuzz::SampleFolder() + "/STAVBAS", "", "", code);
  if (!p.usable) return 0;
  for (const char* signum : {"U 344", "\xD6l 1*", "G 134 M", "DR 66"}) p.app->run.SignumRun(signum);
  p.app->settings.provinces.Assign(*ParseProvinceText("G"));
  p.app->run.AllRun();
  ToRtf(p.window.Runs());
  return 0;
}
