#pragma once
// Texts of the program are read on white paper with black text under any desktop theme: the
// runs write black and red with explicit colours, and the help and the data files are easier to
// read so.

class QWidget;

namespace stavbas::gui {

void UseWhitePaper(QWidget* textWidget);

}  // namespace stavbas::gui
