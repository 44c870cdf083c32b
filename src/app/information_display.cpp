#include "app/information_display.h"

#include "app/kept_run_state.h"
#include "app/stavbas_app.h"
#include "base/char_tables.h"

namespace stavbas {

void ShowInformation(StavbasApp& app, InformationKind kind) {
  const bool english = kind == InformationKind::kEnglish;
  OutputContext& out = app.output;
  const KeptRunState kept(app);
  const std::string code = app.format.code();
  // Without the file the fixed format names, the format in force shows the inscription; it is
  // validated again, so that a run never goes without a format object.
  const bool fileOpen = app.db.SlotOfExtension(english ? "ENG" : "INF") >= 0;
  if (!fileOpen || !app.format.Validate(english ? ">$ ENG" : ">$ INF+")) app.format.Validate(code);
  if (out.lastShownSignum.empty()) {
    app.ui.ShowMessage(
        app.ui.S(english ? Str::IngenAktuellInskriftEngelsk : Str::IngenAktuellInskriftInfo),
        MsgKind::Information);
  } else {
    const std::string signum(Trim(out.lastShownSignum));
    out.informationDisplay = true;
    out.staging.Clear();
    app.run.brokenFlag = false;
    app.run.SignumRun(signum);
    out.informationDisplay = false;
  }
  if (app.format.code() != code || !app.format.format()) app.format.Validate(code);
}

}  // namespace stavbas
