#pragma once
// The window program's compiled-in resources (the fallback icons).

namespace stavbas::gui {

// Registers them once; every window calls it before it loads an icon.
void InitResources();

}  // namespace stavbas::gui
