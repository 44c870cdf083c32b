#include "app/startup.h"

#include "output/window_append.h"

namespace stavbas {

namespace {

void ShowCodes(StavbasApp& app, const std::string& wordSearch, const std::string& inscription) {
  Host& host = app.ui.host();
  host.SetStatusPanel(1, wordSearch);
  host.SetStatusPanel(2, inscription);
  host.SetStatusPanel(3, ShownProvinceText(app.settings.provinces, app.ui.S(Str::AllaLandskap)));
}

}  // namespace

void ShowCodesInStatusBar(StavbasApp& app) {
  ShowCodes(app, app.conditions.wordSearchCode(), app.conditions.inscriptionCode());
}

StartResult StartUp(StavbasApp& app) {
  // Until the codes are parsed against the open files, the stored ones are what is in force.
  ShowCodes(app, app.settings.codes.parameterCode, app.settings.codes.selectionCode);
  ClearOutputWindow(app.output.window);
  const bool usable = app.Open();
  if (app.spreadsheetLocked()) return StartResult::kSpreadsheetLocked;
  if (!usable) {
    app.session.ChooseDatabase(false);
    if (app.spreadsheetLocked()) return StartResult::kSpreadsheetLocked;
  } else if (!app.ui.errorsNoted) {
    ClearOutputWindow(app.output.window);
  }
  ShowCodesInStatusBar(app);
  app.builder.UpdateExportCommands();
  return app.db.usable() ? StartResult::kReady : StartResult::kNoDatabase;
}

}  // namespace stavbas
