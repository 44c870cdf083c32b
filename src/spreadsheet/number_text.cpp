#include "spreadsheet/number_text.h"

#include <charconv>
#include <cmath>

namespace stavbas {

std::string NumberToCellText(double value) {
  if (!std::isfinite(value)) return "#NUM!";
  if (value == 0) return "0";  // also minus zero
  // std::to_chars ignores the locale; "general" picks plain or scientific notation by the
  // exponent the way printf's %g does, and drops trailing zeros.
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  std::string text(buffer, result.ptr);
  for (char& c : text)
    if (c == 'e') c = 'E';
  return text;
}

}  // namespace stavbas
