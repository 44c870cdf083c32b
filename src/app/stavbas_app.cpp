#include "app/stavbas_app.h"

#include "base/commands.h"

namespace stavbas {

StavbasApp::StavbasApp(Host& host, OutputWindow& window, Settings s, const std::string& programFile)
    : settings(std::move(s)),
      ui(host),
      db(ui),
      conditions(ui, db),
      format(ui, db),
      output(ui, db, conditions, window),
      info(ui),
      session(ui, db),
      builder(ui, conditions, settings.provinces),
      run(output, format, settings.provinces, settings.interruption, settings.consts.paus,
          settings.consts.errorInfile),
      exports(output, format, run,
              {settings.kml, settings.gpx, settings.csv, settings.shp, settings.shpWgs84,
               settings.gmap},
              settings.links, settings.provinces, settings.consts.paus),
      addresses(output, format, run, settings.links, settings.consts.errorMail) {
  db.SetProgramFile(programFile);
  db.SetLinkSettings(settings.links);
  output.fontName = settings.font.name;
  output.fontSize = settings.font.size;
  // The window's own font is the settings' too: an empty window gives appended text its size.
  window.defaultStyle.font = settings.font.name;
  window.defaultStyle.size = settings.font.size;
  output.format = &format;
  output.linkSettings = &settings.links;
  session.baseName = settings.dataFileName;
  session.prepareInformationFile = [this](const std::string& base) {
    spreadsheetLocked_ = info.Prepare(base) == InfoPreparation::Result::kLocked;
  };
  session.parseStoredCodes = [this] { ParseStoredCodes(); };
  session.interruptedRunLost = [this] {
    settings.interruption.present = false;
    ui.host().SetCommandEnabled(command::kFortsatt, false);
  };
}

bool StavbasApp::Open() {
  spreadsheetLocked_ = false;
  const bool usable = session.OpenCurrent();
  return usable && !spreadsheetLocked_;
}

void StavbasApp::ParseStoredCodes() {
  conditions.ParseStoredCodes(settings.codes.parameterCode, settings.codes.selectionCode);
  format.ValidateOrRepair(settings.codes.formatCode);
}

void StavbasApp::StoreCodes() {
  settings.codes.parameterCode = conditions.wordSearchCode();
  settings.codes.selectionCode = conditions.inscriptionCode();
  settings.codes.formatCode = format.code();
  settings.dataFileName = session.baseName;
}

}  // namespace stavbas
