#pragma once
// The data-file check: walks every data file in step, inscription by inscription, and reports
// whatever makes the files disagree.

namespace stavbas {

class TDatabas;

// Checks the open database's files; with a log the report is also written to the base name's
// ".LOG" file beside the data. True when no fault was found and the check was not aborted.
bool CheckDataFiles(TDatabas& db, bool withLog);

// Computes the group addresses of every data file and checks the files (without a log), in
// one reading of the complete files; the lines of both are shown as the computation followed
// by the check would show them. True when the check passed.
bool ComputeAddressesAndCheck(TDatabas& db);

// The check at opening, as a function of its own type: the opening that computes the
// addresses recognises it and checks in the same reading (ComputeAddressesAndCheck).
struct CheckAtOpening {
  TDatabas* db;
  bool operator()() const { return CheckDataFiles(*db, false); }
};

}  // namespace stavbas
