#pragma once
// Windows-1252 text of the core to and from Qt's strings, at the window program's edge.

#include <QString>
#include <string>
#include <string_view>

namespace stavbas::gui {

// Every byte is one character (the five undefined bytes become the C1 controls of their value).
QString Q(std::string_view cp1252);
// Characters outside Windows-1252 become "?".
std::string W(const QString& text);

}  // namespace stavbas::gui
