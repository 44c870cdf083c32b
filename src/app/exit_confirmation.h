#pragma once
// Leaving the program ("Avsluta Stavbas"): what the exit dialog offers and what "Ja" does.

#include <cstddef>
#include <filesystem>
#include <functional>

#include "app/settings_file.h"

namespace stavbas {

class StavbasApp;

// The dialog's state each time it opens.
struct ExitChoices {
  // "Spara texten?" is offered only when the output window holds at least 3 characters.
  bool textGroupShown = false;
  bool saveText = false;                   // "Spara"; every opening starts on "Spara inte"
  SaveChoice settings = SaveChoice::Keep;  // "Behåll startvärde" at every opening
  // "Nej" is not offered when the program must end (the spreadsheet is in use).
  bool mayStay = true;
};

ExitChoices OpenExitChoices(std::size_t outputLength, bool mayStay = true);

// "Ja": saves the text when that was asked for and the group was shown, then the settings in
// the chosen mode. True when the program may end; false when a save that was asked for did not
// happen (cancelled or failed), so that the user's work is not lost by ending anyway. The text
// is saved before the settings, so a cancelled text save writes nothing at all.
bool ConfirmExit(const ExitChoices& choices, const std::function<bool()>& saveText,
                 const std::function<bool(SaveChoice)>& saveSettings);

// Writes the settings file in a mode: the codes in force and the base name are taken into the
// settings first. A failure is shown ("Inställningarna kunde inte sparas i " and the file, with
// the file named as a link when it is one) and gives false; "Behåll startvärde" writes nothing and
// gives true.
bool SaveSettingsAtExit(StavbasApp& app, SaveChoice choice, const std::filesystem::path& file);

}  // namespace stavbas
