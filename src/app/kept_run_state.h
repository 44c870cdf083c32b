#pragma once
// A command that shows an inscription through a display run of its own (the information
// display, a map or export of the current inscription, the error report) may be given while a
// run waits in a pause. Everything the waiting run goes on from is kept while the command works
// and put back when it is done: the totals, the request, the recent signums, the flags and the
// database's lookup; a run menu that was in place shows the pause again.

#include <deque>
#include <string>

#include "database/databas.h"
#include "output/output_window.h"

namespace stavbas {

class StavbasApp;

class KeptRunState {
 public:
  explicit KeptRunState(StavbasApp& app);
  ~KeptRunState();
  KeptRunState(const KeptRunState&) = delete;
  KeptRunState& operator=(const KeptRunState&) = delete;

  // The run menu was in place when the command began: a run waits in a pause.
  bool runMenu() const { return runMenu_; }

 private:
  StavbasApp& app_;
  // The display run's.
  bool pauseSetting_, pauseActive_, abortFlag_, brokenFlag_, interrupted_, runMenu_;
  std::string lastRequest_;
  std::deque<std::string> recentSignums_;
  // The output's.
  long hitTotal_, inscriptionCount_;
  bool countsDone_, stepFlag_, runInProgress_, somethingShown_;
  std::string lastShownSignum_;
  StagingBuffer staging_;
  // The program's and the database's.
  bool endOfData_, abortRequest_;
  TDatabas::LookupState lookup_;
};

}  // namespace stavbas
