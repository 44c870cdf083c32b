#pragma once
// The input list (slot 0): a selection file of signums, one per line, walked by a file run.

#include <string>
#include <string_view>

#include "database/kombifil.h"

namespace stavbas {

class TInputList : public TKombifil {
 public:
  explicit TInputList(Ui& ui);

  // Opens a list file (".TXT" is added to a name without extension); closes the previous one.
  // 0 or the system's error number.
  int SetFile(const std::string& path);
  // Closes the list and makes line and cursor empty.
  void Clear();
  bool HasFile() { return file().IsOpen(); }
  // Reads the next line and puts the cursor on its first non-blank character. False at the end
  // of the list or on a read error (reported; the line is then empty).
  bool ReadListLine();
  // An empty text, so that reading an inscription gives the list no text of its own.
  void EmptyLine() {
    status = kFound;
    ClearLine();
  }

  // A line that is no signum: empty, or beginning with ! " % ' or -.
  static bool IsNonRecord(std::string_view line);
};

// The file name with ".TXT" added when it has no extension.
std::string ListFileName(const std::string& path);

}  // namespace stavbas
