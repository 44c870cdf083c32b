#include "output/display_run.h"

#include <filesystem>

#include "base/commands.h"
#include "base/file_listing.h"
#include "base/ui.h"
#include "conditions/conditions.h"
#include "database/databas.h"
#include "database/regions.h"

namespace stavbas {
namespace {

constexpr std::size_t kMaxRecentSignums = 5;
constexpr int kLastSwedishProvince = 21;

bool ExactRequest(std::string_view request) {
  return Trim(request).ends_with('*') == false;
}

}  // namespace

DisplayRun::DisplayRun(OutputContext& ctx, FormatCode& format, const ProvinceSelection& provinces,
                       InterruptionRecord& record, bool& pauseMenu, const bool& errorInfile)
    : pauseSetting(pauseMenu),
      ctx_(ctx),
      format_(format),
      provinces_(provinces),
      record_(record),
      pauseMenu_(pauseMenu),
      errorInfile_(errorInfile) {
  ctx_.afterInscription = [this] { Pause(); };
}

// ---- helpers ----

SlotSet DisplayRun::ReadSlots() const {
  return ctx_.db.fullSet() | ctx_.db.wordSet();
}

bool DisplayRun::InputListNamed() const {
  const bool inCondition =
      InSet(ctx_.conditions.wordSearchFiles().all, 0) || InSet(ctx_.db.fullSet(), 0);
  const bool inFormat = format_.format() && InSet(format_.format()->files.all, 0);
  return inCondition || inFormat;
}

void DisplayRun::EndOutputWithLineEnd() {
  OutputWindow& out = ctx_.Out();
  if (out.Length() > 0 && out.Tail(2) != "\r\n") out.Append({{"\r\n", ctx_.Plain()}});
}

void DisplayRun::AddRecentSignum(const std::string& request) {
  for (const std::string& s : recentSignums)
    if (s == request) return;
  recentSignums.push_back(request);
  if (recentSignums.size() > kMaxRecentSignums) recentSignums.pop_front();
  if (recentSignumsChanged) recentSignumsChanged();
}

void DisplayRun::SetCommand(std::string_view name, bool on) {
  ctx_.ui.host().SetCommandEnabled(name, on);
}

void DisplayRun::Buttons(bool busy) {
  using namespace command;
  for (std::string_view b :
       {kButtonLasFil, kButtonSpara, kButtonSkrivUt, kButtonSignum, kButtonAlla, kButtonInfo,
        kButtonEngelsk, kButtonKarta, kButtonLitteratur, kButtonFelrapport})
    SetCommand(b, !busy);
  if (!exactShowing_ && ctx_.lastShownSignum.empty()) {
    const bool on = pauseSetting && !brokenFlag && busy;
    for (std::string_view b :
         {kButtonSkrivUt, kButtonInfo, kButtonEngelsk, kButtonKarta, kButtonLitteratur})
      SetCommand(b, on);
  }
}

void DisplayRun::RunItems(bool busy) {
  using namespace command;
  for (std::string_view item : {kNasta, kResten, kInskriftsinfo, kEngelskOversattning, kVisaPaKarta,
                                kInskriftsbibliografi, kButtonFelrapport})
    SetCommand(item, !busy);
  const bool pausButton = busy && !pauseSetting;
  if (pausButton) {
    pausCaption_ = ctx_.ui.S(Str::Paus);
    ctx_.ui.host().SetCommandText(kButtonPaus, "Caption", pausCaption_);
  }
  SetCommand(kButtonPaus, pausButton);
  SetCommand(kBusyCursor, pausButton);
}

void DisplayRun::EnterRunMenus() {
  Buttons(true);
  if (!pauseSetting) RunItems(true);
  runMenu = true;
  SetCommand(command::kRunMenu, true);
  SetCommand(command::kBusyCursor, true);
  RunItems(true);
}

void DisplayRun::LeaveRunMenus() {
  runMenu = false;
  SetCommand(command::kRunMenu, false);
  SetCommand(command::kBusyCursor, false);
  Buttons(false);
  RunItems(false);
}

void DisplayRun::Pause() {
  if (!pauseActive || !ctx_.somethingShown || ctx_.informationDisplay) return;
  using namespace command;
  const std::string_view buttons[] = {kButtonSkrivUt, kButtonInfo, kButtonEngelsk, kButtonKarta,
                                      kButtonLitteratur};
  const std::string_view items[] = {
      kNasta, kResten, kInskriftsinfo, kEngelskOversattning, kVisaPaKarta, kInskriftsbibliografi};
  SetCommand(kBusyCursor, false);
  if (runMenu) {
    for (auto b : buttons) SetCommand(b, true);
    for (auto i : items) SetCommand(i, true);
    SetCommand(kButtonFelrapport, false);
  }
  ctx_.ui.host().WaitUntil([this] { return ctx_.stepFlag || ctx_.countsDone || !runMenu; });
  if (runMenu) {
    SetCommand(kBusyCursor, true);
    for (auto b : buttons) SetCommand(b, false);
    for (auto i : items) SetCommand(i, false);
  }
}

void DisplayRun::RecordInterruption(int kind, const std::string& resume,
                                    const std::string& description, const std::string& request,
                                    const std::string& file, int linesRead) {
  EndOutputWithLineEnd();
  ctx_.Out().Append({{" (" + ctx_.ui.S(Str::AvbrottVid) + resume + ")\r\n", ctx_.Plain()}});
  record_.present = true;
  record_.runKind = kind;
  record_.info = description;
  record_.signatureType = resume;
  record_.signature = request;
  record_.inputFile = file;
  record_.inputFilePos = linesRead;
  SetCommand(command::kFortsatt, true);
  interrupted = true;
}

bool DisplayRun::VisitCurrent(bool exact, bool testCondition) {
  const bool holds = !testCondition || ctx_.conditions.InscriptionPasses();
  bool broken = false;
  // The exports keep RT 90 coordinates only while every inscription lies in Sweden.
  if (holds && ctx_.db.currentRegion() > kLastSwedishProvince) keepRt90 = false;
  if (holds && format_.format()) {
    Visit visit(ctx_);
    visit.hitCodes.swap(spareHitCodes_);  // the memory of the last visit's codes
    visit.Run(*format_.format(), exact);
    spareHitCodes_.swap(visit.hitCodes);
    pauseActive = pauseSetting;
    broken = abortFlag || brokenFlag;
    abortFlag = false;
  } else if (abortFlag) {
    broken = true;
  }
  return broken;
}

bool DisplayRun::WalkMatches(bool exact, std::string& resume) {
  TDatabas& db = ctx_.db;
  for (;;) {
    if (VisitCurrent(exact, !exact)) {
      resume = exact ? std::string() : db.currentSignum();
      return true;
    }
    // An exact key has one inscription; a pattern goes on to its next match.
    if (db.exactKey() || !db.FindInscription(ReadSlots(), false)) return false;
  }
}

// ---- signum run ----

void DisplayRun::SignumRun(const std::string& request, const std::string& resume) {
  TDatabas& db = ctx_.db;
  Ui& ui = ctx_.ui;
  abortFlag = false;
  interrupted = false;
  if (Trim(request).empty()) {
    ui.ShowMessage(ui.S(Str::IngenInskriftValdes), MsgKind::Information);
    return;
  }
  lastRequest = request;
  ctx_.hitTotal = 0;
  ctx_.inscriptionCount = 0;
  brokenFlag = false;
  EndOutputWithLineEnd();
  AddRecentSignum(request);
  SetCommand(command::kEntryRow, false);
  ctx_.lastShownSignum.clear();
  if (!ctx_.informationDisplay) SetCommand(command::kFortsatt, false);
  if (InputListNamed()) {
    ui.ShowMessage(ui.S(Str::InfilAngivet), MsgKind::Warning);
    LeaveRunMenus();
    return;
  }
  const bool exact = ExactRequest(request);
  db.SetSignum(request);
  if (!db.ok() || !db.FindInscription(ReadSlots(), true)) return;
  const bool attestation = FormatCode::KindOf(format_.code()) != LayoutKind::kText;
  if (!ctx_.informationDisplay) {
    if (exact && !attestation) {
      ctx_.countsDone = true;
    } else {
      ctx_.countsDone = false;
      if (!exact) {
        EnterRunMenus();
        using namespace command;
        for (auto i : {kNasta, kResten, kInskriftsinfo, kEngelskOversattning, kVisaPaKarta})
          SetCommand(i, false);
      }
    }
  }
  exactShowing_ = exact;
  ctx_.runInProgress = true;
  pauseActive = pauseSetting;
  std::string resumeSignum;
  if (!resume.empty() && !exact) db.FindGivenInscription(ReadSlots(), resume);
  const bool broken = WalkMatches(exact, resumeSignum);
  ctx_.runInProgress = false;
  exactShowing_ = false;

  ReadPauseSettingBack();
  const std::string description = request + ui.S(Str::Fran) + resumeSignum;
  if (broken && ctx_.countsDone && !interrupted && !resumeSignum.empty())
    RecordInterruption(InterruptionRecord::kSignumRun, resumeSignum, description, request, "", 0);
  LeaveRunMenus();
  if (exact && !ctx_.informationDisplay) ctx_.inscriptionCount = -1;
  if (ctx_.lastShownSignum.empty() && !db.currentSignum().empty())
    ctx_.lastShownSignum = db.currentSignum();
  if (!ctx_.countsDone && !ctx_.informationDisplay) WriteCountsLine(ctx_);
  if (brokenFlag && ctx_.countsDone && !interrupted && !resumeSignum.empty())
    RecordInterruption(InterruptionRecord::kSignumRun, resumeSignum, description, request, "", 0);
}

// ---- file run ----

void DisplayRun::FileRun(const std::string& path, bool resume) {
  TDatabas& db = ctx_.db;
  Ui& ui = ctx_.ui;
  SetCommand(command::kEntryRow, false);
  EndOutputWithLineEnd();
  const std::string file = FindFileNoCase(ListFileName(path));
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) {
    ui.ShowMessage(ui.S(Str::Filen) + path + ui.S(Str::FinnsInte), MsgKind::Information);
    return;
  }
  ui.host().SetStatusPanel(0, ui.S(Str::AnvanderInskrifterIFilen) + NameOf(file));
  interrupted = false;
  int linesRead = resume ? record_.inputFilePos : 0;
  abortFlag = false;
  ctx_.hitTotal = 0;
  ctx_.inscriptionCount = 0;
  brokenFlag = false;
  SetCommand(command::kFortsatt, false);
  if (InputListNamed()) {
    ui.ShowMessage(ui.S(Str::InfilAngivet), MsgKind::Warning);
    return;
  }
  TInputList& list = db.InputList();
  if (const int err = list.SetFile(file)) {
    ui.ShowErrorNumber(err, MsgKind::Information);
    return;
  }
  if (resume && linesRead > 0) {
    for (int i = 0; i < linesRead - 1 && list.ReadListLine(); ++i) {
    }
    --linesRead;
  }
  ctx_.runInProgress = true;
  pauseActive = pauseSetting;
  bool broken = false;
  std::string stoppedAt;
  while (!broken) {
    ctx_.countsDone = false;
    if (!list.ReadListLine()) break;
    ++linesRead;
    const std::string_view text = list.Cursor();
    if (TInputList::IsNonRecord(text)) continue;
    const std::string signum(SignumOfLine(text));
    stoppedAt = std::string(Trim(signum));
    if (!ctx_.informationDisplay) {
      EnterRunMenus();
      using namespace command;
      for (auto i : {kNasta, kResten, kInskriftsinfo, kEngelskOversattning, kVisaPaKarta})
        SetCommand(i, false);
    }
    db.SetSignum(signum, errorInfile_);
    bool found = false;
    if (db.ok()) {
      if (RegionOf(Trim(signum)) == kFaultyRegion) {
        if (errorInfile_)
          ui.ShowMessage(ui.S(Str::FelaktigtSignum) + " " + std::string(Trim(signum)) + ". " +
                             ui.S(Str::Avbryt) + "?",
                         MsgKind::Confirmation);
      } else {
        found = db.FindInscription(ReadSlots(), true);
      }
    }
    if (ui.abortRequest) {
      ui.abortRequest = false;
      abortFlag = true;
    }
    if (found && IsProvinceSelected(provinces_.set, db.currentRegion())) {
      std::string unused;
      broken = WalkMatches(false, unused);
    }
    if (abortFlag) broken = true;
  }
  ctx_.runInProgress = false;
  if (!ctx_.countsDone && !ctx_.informationDisplay) WriteCountsLine(ctx_);
  if (broken && ctx_.countsDone && !interrupted)
    RecordInterruption(InterruptionRecord::kFileRun, stoppedAt,
                       NameOf(file) + ui.S(Str::Fran) + stoppedAt, "", file, linesRead);
  else
    SetCommand(command::kFortsatt, false);
  LeaveRunMenus();
  list.Clear();
  ReadPauseSettingBack();
}

// ---- all run ----

void DisplayRun::AllRun() {
  SetCommand(command::kEntryRow, false);
  EnterRunMenus();
  brokenFlag = false;
  EndOutputWithLineEnd();
  int first = 1;
  while (first <= kAreaCount && !IsProvinceSelected(provinces_.set, first)) ++first;
  if (first > kAreaCount) {
    LeaveRunMenus();
    return;
  }
  ctx_.hitTotal = 0;
  ctx_.inscriptionCount = 0;
  abortFlag = false;
  const std::string request = SystemUpperCase(RegionInfo(first).code) + " *";
  AllFromRun(request);
}

void DisplayRun::AllFromRun(const std::string& request) {
  TDatabas& db = ctx_.db;
  Ui& ui = ctx_.ui;
  if (Trim(request).empty()) {
    ui.ShowMessage(ui.S(Str::IngenInskriftValdes), MsgKind::Information);
    return;
  }
  if (!runMenu) {  // "Alla från": a new request
    lastRequest = request;
    ctx_.hitTotal = 0;
    ctx_.inscriptionCount = 0;
    brokenFlag = false;
    EnterRunMenus();
    EndOutputWithLineEnd();
  }
  SetCommand(command::kEntryRow, false);
  ctx_.countsDone = false;
  interrupted = false;
  // A new record of this run replaces an earlier one only when this run is interrupted.
  const InterruptionRecord setAside = record_;
  record_ = InterruptionRecord{};
  record_.runKind = InterruptionRecord::kAllRun;
  record_.signatureType = request;
  record_.info = ui.S(Str::AllaFran) + request;
  SetCommand(command::kFortsatt, false);
  abortFlag = false;

  auto finish = [&](bool countsLine) {
    ctx_.runInProgress = false;
    if (countsLine) {
      WriteCountsLine(ctx_);
      if (brokenFlag && !interrupted && !db.currentSignum().empty()) {
        const std::string at = db.currentSignum();
        RecordInterruption(InterruptionRecord::kAllRun, at, ui.S(Str::AllaFran) + at, "", "", 0);
      }
    }
    LeaveRunMenus();
    ReadPauseSettingBack();
    if (!interrupted && setAside.present) {
      record_ = setAside;
      SetCommand(command::kFortsatt, true);
    }
  };

  if (InputListNamed()) {
    ui.ShowMessage(ui.S(Str::InfilAngivet), MsgKind::Information);
    finish(false);
    return;
  }
  const std::string_view resume = Trim(request);
  const int firstProvince = RegionOf(resume);
  if (firstProvince == kFaultyRegion) {
    ui.ShowMessage(ui.S(Str::FelaktigtSignum) + " " + std::string(resume), MsgKind::Information);
    finish(false);
    return;
  }
  ctx_.runInProgress = true;
  pauseActive = pauseSetting;
  ui.endOfData = false;
  const SlotSet read = ReadSlots();
  bool stopped = false;
  for (int p = firstProvince; p <= kAreaCount && !stopped; ++p) {
    if (!IsProvinceSelected(provinces_.set, p)) continue;
    bool positioned;
    if (p == firstProvince && resume != std::string(RegionInfo(p).code) + " *" &&
        !EqualsNoCase(resume, std::string(RegionInfo(p).code) + " *")) {
      db.SetSignum(resume);
      positioned = db.ok() && db.FindInscription(read, true);
    } else {
      // A whole province: its first record, or nothing when it has none (then the run goes on
      // with the next province instead of ending).
      positioned = db.PositionAtRegion(p, read);
    }
    if (!positioned) {
      finish(false);  // a failed positioning ends the run without a counts line
      return;
    }
    // The record the positioning made current is an inscription of this province too.
    if (!db.currentSignum().empty() && db.currentRegion() == p) {
      if (VisitCurrent(false, true)) {
        brokenFlag = true;
        break;
      }
    }
    while (db.WithinRegion(p)) {
      if (!db.ReadNextInscription(read)) {
        finish(false);  // a read error ends the run at once
        return;
      }
      if (db.currentSignum().empty()) break;
      const int region = db.currentRegion();
      // The first record of a later province: that province is entered by positioning.
      if (region > p && region <= kAreaCount) break;
      if (region != p || !IsProvinceSelected(provinces_.set, region)) continue;
      if (VisitCurrent(false, true)) {
        brokenFlag = true;
        stopped = true;
        break;
      }
      if (ui.endOfData) {
        stopped = true;
        break;
      }
    }
  }
  finish(true);
}

// ---- continuing ----

void DisplayRun::Continue() {
  Ui& ui = ctx_.ui;
  EnterRunMenus();
  abortFlag = false;
  if (!record_.present) {
    ui.ShowMessage(ui.MessageOf(8666) + ui.S(Str::FortsattFranIckeAvbrott) + ui.S(Str::IRutin) +
                       ui.S(Str::Fortsatt),
                   MsgKind::Warning);
    SetCommand(command::kFortsatt, false);
    LeaveRunMenus();
    return;
  }
  EndOutputWithLineEnd();
  const InterruptionRecord r = record_;
  record_.present = false;
  ctx_.countsDone = false;
  interrupted = false;
  brokenFlag = false;
  switch (r.runKind) {
    case InterruptionRecord::kSignumRun:
      SignumRun(r.signature, r.signatureType);
      break;
    case InterruptionRecord::kFileRun:
      ui.host().SetStatusPanel(0, ui.S(Str::AnvanderInskrifterIFilen) + NameOf(r.inputFile));
      record_.inputFilePos = r.inputFilePos;
      FileRun(r.inputFile, true);
      break;
    default:
      ctx_.hitTotal = 0;
      ctx_.inscriptionCount = 0;
      AllFromRun(r.signatureType);
      break;
  }
  if (!interrupted && !record_.present) SetCommand(command::kFortsatt, false);
  Buttons(false);
  RunItems(false);
}

// ---- commands while a run waits ----

void DisplayRun::Nasta() {
  abortFlag = false;
  ctx_.stepFlag = true;
}

void DisplayRun::Resten() {
  ctx_.stepFlag = true;
  pauseSetting = false;
  pauseActive = false;
  brokenFlag = false;
  RunItems(true);
  SetCommand(command::kBusyCursor, true);
}

void DisplayRun::Avbryt() {
  ctx_.stepFlag = true;
  abortFlag = true;
  ctx_.ui.endOfData = true;
  brokenFlag = true;
  LeaveRunMenus();
  pausCaption_ = ctx_.ui.S(Str::AvbrytKnapp);
  ctx_.ui.host().SetCommandText(command::kButtonPaus, "Caption", pausCaption_);
  pausedByButton_ = false;
  SetCommand(command::kButtonPaus, false);
}

void DisplayRun::EscapeInOutput() {
  abortFlag = true;
  brokenFlag = true;
  ctx_.stepFlag = true;
}

void DisplayRun::PausButton() {
  Host& host = ctx_.ui.host();
  if (pausCaption_ == ctx_.ui.S(Str::Paus)) {
    pausCaption_ = ctx_.ui.S(Str::FortsattKnapp);
    host.SetCommandText(command::kButtonPaus, "Caption", pausCaption_);
    host.SetCommandText(
        command::kButtonPaus, "Hint",
        ctx_.ui.S(Str::FortsattKnapp) + ctx_.ui.S(Str::Fr) + ctx_.db.currentSignum());
    SetCommand(command::kBusyCursor, false);
    SetCommand(command::kButtonLitteratur, true);
    pausedByButton_ = true;
    host.WaitUntil([this] { return !pausedByButton_; });
    SetCommand(command::kBusyCursor, true);
  } else {
    pausCaption_ = ctx_.ui.S(Str::Paus);
    host.SetCommandText(command::kButtonPaus, "Caption", pausCaption_);
    Buttons(true);
    host.SetCommandText(command::kButtonPaus, "Hint", "");
    pausedByButton_ = false;
  }
}

}  // namespace stavbas
