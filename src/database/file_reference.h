#pragma once
// How the codes name a file, an information field or a part of the signum:
// "RUN", "NFS%", "INF;X", "INF;*", "$", "$1" to "$3", "?" (the input list).

#include <cstdint>
#include <string_view>

namespace stavbas {

enum RefKind : int {
  kRefWords = 0,          // the file's words
  kRefWholeText = 3,      // the file's whole text after the signum
  kRefInfoField = 4,      // one information field
  kRefAllInfoFields = 5,  // every information field
  kRefSignum = 8,
  kRefSignumPart1 = 9,
  kRefSignumPart2 = 10,
  kRefSignumPart3 = 11,
  kRefError = 14,
};

struct FileReference {
  int kind = kRefError;
  int length = 0;   // characters consumed
  int slot = -1;    // the file, for file references
  char letter = 0;  // the field letter of kRefInfoField
  std::uint16_t error = 0;
};

}  // namespace stavbas
