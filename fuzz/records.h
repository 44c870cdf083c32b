#pragma once
// A small database made from the input for the condition targets: the input's lines after the
// first ones (the codes) are the texts of inscriptions U 1, U 2, ... in the runic, normalised
// and information files, so that the record texts are fuzzed with the codes.

#include <string>

#include "fuzz_support.h"

namespace stavbas::fuzz {

// Writes the files and returns the base name. `texts` holds lines separated by "\n"; each
// line's "\t" separates its runic, normalised and information texts.
inline std::string WriteRecords(const std::string& folder, const std::string& texts) {
  std::string run = "!/R Runtext\r\n", nfs,
              inf = "!/I PPlats;SSocken;XKoordinater;HBildl\xE4nk\r\n";
  int n = 0;
  for (const std::string& line : Split(texts, '\n', 8)) {
    const std::vector<std::string> parts = Split(line, '\t', 3);
    const std::string signum = "U " + std::to_string(++n) + " V ";
    run += signum + parts[0] + "\r\n";
    nfs += signum + parts[1] + "\r\n";
    inf += signum + parts[2] + "\r\n";
  }
  WriteFile(folder + "/STAVBAS.RUN", run);
  WriteFile(folder + "/STAVBAS.NFS", nfs);
  WriteFile(folder + "/STAVBAS.INF", inf);
  return folder + "/STAVBAS";
}

}  // namespace stavbas::fuzz
