#pragma once
// Where an interrupted display run stopped; kept with the settings. Text is Windows-1252.

#include <string>

namespace stavbas {

// An interrupted display run that "Fortsätt" can continue, also after a restart.
struct InterruptionRecord {
  enum Kind { kSignumRun = 0, kFileRun = 1, kAllRun = 2 };

  bool present = false;
  // 0 signum run, 1 file run, 2 all run; another value read from the file is kept as it is
  // and continued like an all run.
  int runKind = kSignumRun;
  std::string info;           // the description
  std::string signatureType;  // the signum at which the run stopped
  std::string signature;      // the request of a signum run
  std::string inputFile;      // the selection file of a file run
  int inputFilePos = 0;       // lines of that file already read

  bool operator==(const InterruptionRecord&) const = default;
};

}  // namespace stavbas
