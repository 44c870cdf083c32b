#include "app/exit_confirmation.h"

#include "app/stavbas_app.h"
#include "base/atomic_file.h"

namespace stavbas {

ExitChoices OpenExitChoices(std::size_t outputLength, bool mayStay) {
  ExitChoices c;
  c.textGroupShown = outputLength >= 3;
  c.mayStay = mayStay;
  return c;
}

bool ConfirmExit(const ExitChoices& choices, const std::function<bool()>& saveText,
                 const std::function<bool(SaveChoice)>& saveSettings) {
  // A hidden group's choice counts for nothing: an empty window never overwrites a save file.
  if (choices.textGroupShown && choices.saveText && !saveText()) return !choices.mayStay;
  if (choices.settings != SaveChoice::Keep && !saveSettings(choices.settings))
    return !choices.mayStay;
  return true;
}

bool SaveSettingsAtExit(StavbasApp& app, SaveChoice choice, const std::filesystem::path& file) {
  if (choice == SaveChoice::Keep) return true;
  app.StoreCodes();
  int error = 0;
  if (SaveSettings(app.settings, choice, file, &error)) return true;
  std::string message = app.ui.S(Str::InstallningarnaSparadesInte) + file.string();
  if (error == kLinkRefused)
    message += "\n" + file.filename().string() + app.ui.S(Str::ArEnLankSkrivsInte);
  app.ui.ShowMessage(message, MsgKind::Error);
  return false;
}

}  // namespace stavbas
