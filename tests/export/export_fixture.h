#pragma once
// A small database for the exports: runic, normalised and English texts and an information file
// with coordinates, written from a list of inscriptions, and the program opened on it.

#include <map>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "output/output_fixture.h"

namespace stavbas::test {

struct Stone {
  std::string signum;                // "U 1 V"
  std::string runes;                 // the runic text
  std::map<char, std::string> info;  // information fields by letter, UTF-8
};

class ExportFixture : public OutputFixture {
 public:
  // Writes the files of the stones (in database order) and opens them.
  void Stones(const std::vector<Stone>& stones) {
    std::string run = "!/R Runtext\n", nfs = "!/R Fornsvensk text\n";
    std::string fvn = "!/R Fornvästnordisk text\n", eng = "!/R English translation\n";
    std::string inf =
        "!/I XKoordinater;YNuv. koord.;AMaterial;QPlacering;PPlats\n!/R Information\n";
    for (const Stone& s : stones) {
      run += s.signum + " " + s.runes + "\n";
      nfs += s.signum + " " + s.runes + "\n";
      fvn += s.signum + " " + s.runes + "\n";
      eng += s.signum + " In memory of " + s.signum + ".\n";
      inf += s.signum + " ";
      for (const auto& [letter, text] : s.info) {
        const char mark = static_cast<char>(letter - 64);
        inf += mark + text + mark;
      }
      inf += "\n";
    }
    dir.WriteText("STAVBAS.RUN", run);
    dir.WriteText("STAVBAS.NFS", nfs);
    dir.WriteText("STAVBAS.INF", inf);
    dir.WriteText("STAVBAS.FVN", fvn);
    dir.WriteText("STAVBAS.ENG", eng);
    MakeApp();
  }

  // A file the export wrote, as UTF-8 (the files in Windows-1252 are converted).
  std::string File(const std::string& name, bool cp1252 = false) const {
    const std::string bytes = dir.ReadBytes(name);
    return cp1252 ? Cp1252ToUtf8(bytes) : bytes;
  }
};

}  // namespace stavbas::test
