// The information file's fields: the input is an information file (header lines as they
// stand, other lines the fields of inscriptions U 1, U 2, ...) beside a runic text file; every
// field of every inscription is found, formatted with and without its header and with links.

#include "database/info_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace stavbas;
  const std::string folder = fuzz::FreshFolder();
  std::string run, inf;
  int n = 0;
  for (const std::string& line :
       fuzz::Split({reinterpret_cast<const char*>(data), size}, '\n', 12)) {
    if (line.starts_with("!")) {
      inf += line + "\r\n";
      continue;
    }
    const std::string signum = "U " + std::to_string(++n) + " V ";
    run += signum + "a\r\n";
    inf += signum + line + "\r\n";
  }
  fuzz::WriteFile(folder + "/STAVBAS.RUN", run);
  fuzz::WriteFile(folder + "/STAVBAS.INF", inf);
  fuzz::Program p(folder + "/STAVBAS", "", "", ">$ INF");
  if (!p.usable) return 0;
  TDatabas& db = p.app->db;
  const int slot = db.SlotOfExtension("INF");
  if (slot < 1) return 0;
  TKombifil& f = db.File(slot);
  if (!f.IsInfoFile()) return 0;
  for (int i = 1; i <= n; ++i) {
    if (!db.FindGivenInscription(db.AllDataSlots(), "U " + std::to_string(i) + " V ")) continue;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
      f.FindInfoField(letter);
      f.InfoField(letter);
      if (f.HasInfoCode(letter)) f.InfoHeader(letter);
    }
    for (const bool header : {true, false}) {
      f.FirstInfoCode();
      while (f.MoreInfoCodes()) f.NextInfoField(header);
    }
  }
  p.app->run.AllRun();
  return 0;
}
