#pragma once
// A number as a spreadsheet user expects to see it typed in a cell.

#include <string>

namespace stavbas {

// The number rounded to 15 significant digits (a double's reliable precision, so 0.1 + 0.2
// gives "0.3"), without trailing zeros or a bare decimal point, "." as decimal point whatever
// the locale, "-" for negative numbers and "0" for minus zero. Plain notation while the decimal
// exponent is -4 to 14 (0.0001 to 999999999999999: "6614523", "1234567.89"); beyond that,
// scientific notation with "E", a sign and at least two exponent digits ("1E+20", "1.5E-07").
// Infinite and undefined values give "#NUM!", as a spreadsheet shows an overflow.
std::string NumberToCellText(double value);

}  // namespace stavbas
