#pragma once
// The display run: walks a selection of inscriptions (one signum or pattern, a selection file,
// or every selected province) and lets the format write each one that qualifies, pausing after
// each when asked to. A stopped run can be continued later, also after a restart.

#include <deque>
#include <functional>
#include <string>

#include "conditions/province_set.h"
#include "output/interruption_record.h"
#include "output/visit.h"

namespace stavbas {

class DisplayRun {
 public:
  // `pauseMenu` is the ticked state of "Pauser"; `record` the interruption record kept with
  // the settings; `errorInfile` asks about faulty lines of a selection file.
  DisplayRun(OutputContext& ctx, FormatCode& format, const ProvinceSelection& provinces,
             InterruptionRecord& record, bool& pauseMenu, const bool& errorInfile);

  // ---- runs ----
  // "Signum:": an exact signum or a pattern ending in "*". `resume` continues at a signum.
  void SignumRun(const std::string& request, const std::string& resume = {});
  // "Läs urvalsfil": the signums listed in a selection file; `resume` skips the lines read
  // before an interruption.
  void FileRun(const std::string& path, bool resume = false);
  // "Alla": every inscription of the selected provinces.
  void AllRun();
  // "Alla från": every inscription of the selected provinces from a signum on.
  void AllFromRun(const std::string& request);
  // "Fortsätt": continues the interrupted run.
  void Continue();

  // ---- commands while a run waits ----
  void Nasta();
  void Resten();
  void Avbryt();
  void EnterInOutput() { ctx_.stepFlag = true; }
  void EscapeInOutput();
  void PausButton();

  // ---- state ----
  bool pauseSetting;  // working copy of "Pauser" for the run
  bool pauseActive = false;
  bool abortFlag = false;
  bool brokenFlag = false;
  bool interrupted = false;  // an interruption was recorded by this run
  bool runMenu = false;      // the run menu is in place
  bool keepRt90 = true;      // cleared when an inscription outside Sweden is shown
  std::string lastRequest;
  std::deque<std::string> recentSignums;  // at most five, oldest first
  std::function<void()> recentSignumsChanged;

 private:
  SlotSet ReadSlots() const;
  bool InputListNamed() const;
  void EndOutputWithLineEnd();
  void AddRecentSignum(const std::string& request);
  // Visits the current inscription when it qualifies; true when the run is broken.
  bool VisitCurrent(bool exact, bool testCondition);
  // Walks the matches of the request set by SetSignum, from the current inscription on.
  bool WalkMatches(bool exact, std::string& resume);
  void Pause();
  void RecordInterruption(int kind, const std::string& resume, const std::string& description,
                          const std::string& request, const std::string& file, int linesRead);
  void ReadPauseSettingBack() { pauseSetting = pauseMenu_; }

  void EnterRunMenus();
  void LeaveRunMenus();
  void Buttons(bool busy);
  void RunItems(bool busy);
  void SetCommand(std::string_view name, bool on);

  OutputContext& ctx_;
  FormatCode& format_;
  const ProvinceSelection& provinces_;
  InterruptionRecord& record_;
  bool& pauseMenu_;
  const bool& errorInfile_;
  bool exactShowing_ = false;
  bool pausedByButton_ = false;
  std::string pausCaption_;
  std::vector<std::uint8_t> spareHitCodes_;  // kept between visits for its memory
};

}  // namespace stavbas
