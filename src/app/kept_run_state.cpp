#include "app/kept_run_state.h"

#include "app/stavbas_app.h"
#include "base/char_tables.h"
#include "base/commands.h"

namespace stavbas {

KeptRunState::KeptRunState(StavbasApp& app)
    : app_(app),
      pauseSetting_(app.run.pauseSetting),
      pauseActive_(app.run.pauseActive),
      abortFlag_(app.run.abortFlag),
      brokenFlag_(app.run.brokenFlag),
      interrupted_(app.run.interrupted),
      runMenu_(app.run.runMenu),
      lastRequest_(app.run.lastRequest),
      recentSignums_(app.run.recentSignums),
      hitTotal_(app.output.hitTotal),
      inscriptionCount_(app.output.inscriptionCount),
      countsDone_(app.output.countsDone),
      stepFlag_(app.output.stepFlag),
      runInProgress_(app.output.runInProgress),
      somethingShown_(app.output.somethingShown),
      lastShownSignum_(app.output.lastShownSignum),
      staging_(app.output.staging),
      endOfData_(app.ui.endOfData),
      abortRequest_(app.ui.abortRequest),
      lookup_(app.db.SaveLookup()) {}

KeptRunState::~KeptRunState() {
  DisplayRun& run = app_.run;
  OutputContext& out = app_.output;
  run.pauseSetting = pauseSetting_;
  run.pauseActive = pauseActive_;
  run.abortFlag = abortFlag_;
  run.brokenFlag = brokenFlag_;
  run.interrupted = interrupted_;
  run.runMenu = runMenu_;
  run.lastRequest = lastRequest_;
  if (run.recentSignums != recentSignums_) {
    run.recentSignums = recentSignums_;
    if (run.recentSignumsChanged) run.recentSignumsChanged();
  }
  out.hitTotal = hitTotal_;
  out.inscriptionCount = inscriptionCount_;
  out.countsDone = countsDone_;
  out.stepFlag = stepFlag_;
  out.runInProgress = runInProgress_;
  out.somethingShown = somethingShown_;
  out.lastShownSignum = lastShownSignum_;
  out.staging = staging_;
  app_.ui.endOfData = endOfData_;
  app_.ui.abortRequest = abortRequest_;
  // The files go back to the waiting run's inscription (the command showed another one), and
  // the lookup is the run's again.
  TDatabas& db = app_.db;
  if (!lookup_.current.empty() && db.currentSignum() != lookup_.current)
    db.FindGivenInscription(lookup_.readSet, Trim(lookup_.current));
  db.RestoreLookup(lookup_);

  // The command's own run ended by leaving the run menus, which also took "Fortsätt" along.
  using namespace command;
  Host& host = app_.ui.host();
  host.SetCommandEnabled(kFortsatt, app_.settings.interruption.present && !runMenu_);
  if (!runMenu_) return;
  // The pause as the waiting run shows it: the run menu with its items, the buttons that act
  // on the inscription shown, the normal cursor.
  host.SetCommandEnabled(kRunMenu, true);
  host.SetCommandEnabled(kBusyCursor, false);
  for (auto b : {kButtonLasFil, kButtonSpara, kButtonSignum, kButtonAlla, kButtonFelrapport})
    host.SetCommandEnabled(b, false);
  for (auto b : {kButtonSkrivUt, kButtonInfo, kButtonEngelsk, kButtonKarta, kButtonLitteratur})
    host.SetCommandEnabled(b, true);
  for (auto i :
       {kNasta, kResten, kInskriftsinfo, kEngelskOversattning, kVisaPaKarta, kInskriftsbibliografi})
    host.SetCommandEnabled(i, true);
}

}  // namespace stavbas
