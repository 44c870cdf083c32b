#pragma once
// Start-up once the settings are read: the codes shown, the database opened, the stored codes
// parsed, and the user asked for another database when this one is unusable.

#include "app/stavbas_app.h"

namespace stavbas {

// Status panels 1 to 3: the word search code, the inscription condition code and the province
// selection ("Alla landskap" when every province is selected).
void ShowCodesInStatusBar(StavbasApp& app);

enum class StartResult {
  kReady,             // the database is open and usable
  kNoDatabase,        // unusable, and the user chose no usable one; the program stays usable
  kSpreadsheetLocked  // the information spreadsheet is in use: the program is to end
};

// Shows the stored codes, clears the window, prepares and opens the database and parses the
// stored codes. An unusable database asks for another base name at once. The progress lines
// stay in the window only when a fault was noted.
StartResult StartUp(StavbasApp& app);

}  // namespace stavbas
