#include "app/gui/resources.h"

#include <QtGlobal>

// The bundled icons live in a static library, so they are registered by hand.
static void InitIcons() {
  Q_INIT_RESOURCE(icons);
}

namespace stavbas::gui {

void InitResources() {
  static const bool done = (InitIcons(), true);
  (void)done;
}

}  // namespace stavbas::gui
