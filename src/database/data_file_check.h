#pragma once
// The data-file check: walks every data file in step, inscription by inscription, and reports
// whatever makes the files disagree.

namespace stavbas {

class TDatabas;

// Checks the open database's files; with a log the report is also written to the base name's
// ".LOG" file beside the data. True when no fault was found and the check was not aborted.
bool CheckDataFiles(TDatabas& db, bool withLog);

}  // namespace stavbas
