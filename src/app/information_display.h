#pragma once
// "Inskriftsinformation" (F2) and "Engelsk översättning" (F5): the inscription shown last,
// shown again with its information fields or its English translation. Given while a run waits
// in a pause, they leave the run as it was: it goes on from the same place with the same totals.

namespace stavbas {

class StavbasApp;

enum class InformationKind { kInformation, kEnglish };

// The format used: the signum, then every information field with its heading (">$ INF+") or
// the English text (">$ ENG"). Without such a file the format in force is used.
void ShowInformation(StavbasApp& app, InformationKind kind);

}  // namespace stavbas
