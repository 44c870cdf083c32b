#pragma once
// The program's current database and the command that lets the user choose another one.

#include <functional>
#include <string>

#include "database/databas.h"

namespace stavbas {

// A base name as the user may give it: blanks and control characters trimmed, the name cut to
// its first 8 characters (and what the cut leaves at its end trimmed too); a folder in front of
// it is kept whole.
std::string LimitBaseName(const std::string& text);

class DatabaseSession {
 public:
  DatabaseSession(Ui& ui, TDatabas& db) : ui_(ui), db_(db) {}

  // The base name in force, as the settings keep it.
  std::string baseName = "STAVBAS";

  // Steps around every opening, filled in by the subsystems that own them: converting the
  // information spreadsheet before the files are opened, parsing the stored codes after a
  // usable opening, and forgetting an interrupted run that can no longer be continued.
  std::function<void(const std::string& baseName)> prepareInformationFile;
  std::function<void()> parseStoredCodes;
  std::function<void()> interruptedRunLost;

  // Prepares and opens the current base name and, when it is usable, parses the stored codes.
  bool OpenCurrent();
  // Asks for a base name and opens it; a name that gives no usable database returns to the old
  // one. `announce` tells the user afterwards that new files were read.
  void ChooseDatabase(bool announce);

 private:
  Ui& ui_;
  TDatabas& db_;
};

}  // namespace stavbas
