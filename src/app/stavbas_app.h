#pragma once
// The program without its windows: the settings, the database and everything that works on
// it, wired together. The window program and the command-line program each make one and
// drive it through their host and output window.

#include <string>

#include "app/database_session.h"
#include "app/settings.h"
#include "base/ui.h"
#include "conditions/code_building.h"
#include "conditions/conditions.h"
#include "database/databas.h"
#include "database/info_preparation.h"
#include "export/export_run.h"
#include "export/web_addresses.h"
#include "output/display_run.h"
#include "output/format_code.h"
#include "output/visit.h"

namespace stavbas {

class StavbasApp {
 public:
  StavbasApp(Host& host, OutputWindow& window, Settings settings, const std::string& programFile);
  StavbasApp(const StavbasApp&) = delete;
  StavbasApp& operator=(const StavbasApp&) = delete;

  // Prepares the information file, opens the database of the settings' base name and parses
  // the stored codes. False when the database is not usable (or the spreadsheet is locked).
  bool Open();
  // Parses the stored codes against the open files: a refused condition code is cleared, a
  // refused format code replaced by the default of its kind.
  void ParseStoredCodes();
  // The codes in force, back into the settings (before they are saved).
  void StoreCodes();
  // True when the information spreadsheet was in use by another program at the last opening.
  bool spreadsheetLocked() const { return spreadsheetLocked_; }

  Settings settings;
  Ui ui;
  TDatabas db;
  Conditions conditions;
  FormatCode format;
  OutputContext output;
  InfoPreparation info;
  DatabaseSession session;
  CodeBuilder builder;
  DisplayRun run;
  ExportRun exports;
  WebAddresses addresses;

 private:
  bool spreadsheetLocked_ = false;
};

}  // namespace stavbas
