#pragma once
// Positions of inscriptions: RT 90 grid coordinates (Swedish grid 2.5 gon V on Bessel 1841)
// converted to WGS 84 latitude and longitude, and the reading of the coordinate lines that the
// exports find in their text. Text is Windows-1252; numbers are written with "." as decimal
// point whatever the locale.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace stavbas {

struct LatLon {
  double lat = 0;  // degrees north
  double lon = 0;  // degrees east
};

// Grid to geodetic on Bessel 1841: the Gauss-Krüger inverse with Krüger's series.
LatLon Rt90ToBessel(double northing, double easting);
// Grid to WGS 84: the above, the seven-parameter transformation to the GRS 80 frame and
// Bowring's formula in one step.
LatLon Rt90ToWgs84(double northing, double easting);

// A number in general format with at most 15 significant digits, trailing zeros dropped.
std::string DegreesText(double value);

// The converted pair: latitude, blank, separator, blank, longitude.
std::string ConvertRt90(std::int32_t northing, std::int32_t easting, std::string_view separator);

// A coordinate that cannot be read: a grid value that is not a whole number, a pair in
// parentheses that is not closed or has no separator between its parentheses, a part that is
// not a plain decimal number, or a position off the globe. The export stops with it.
class CoordinateError : public std::runtime_error {
 public:
  explicit CoordinateError(const std::string& text) : std::runtime_error(text) {}
  std::string signum;  // the inscription's signum line, filled in by the export that read it
};

// What counts as a number in a coordinate (and in a CSV cell): an optional sign, digits and at
// most one decimal point or comma, with at least one digit. No blanks, exponent, hexadecimal
// digits, infinity or NaN.
bool IsPlainDecimal(std::string_view text);

// A whole number as the integer parser reads it (an optional sign and digits, nothing else);
// anything else throws CoordinateError naming the text.
std::int32_t GridValue(std::string_view text);

// Splits a pair text at its first separator into latitude and longitude without the blanks
// around them, with every "," made "."; both must be plain decimal numbers. False when there is
// no separator.
bool SplitPair(std::string_view pair, std::string_view separator, std::string& first,
               std::string& second);

// A position as every export reads it: the two numbers as text, as the text exports write them
// ("." as decimal point, a sign written in the data kept), and their values.
struct Position {
  // Latitude and longitude in degrees; with keep-RT90 and grid values the northing and the
  // easting as they stand.
  std::string first, second;
  double firstValue = 0, secondValue = 0;
  bool inDegrees = false;  // given in degrees, in parentheses
};

// The one reading of a coordinate line, from the position of its heading, for every export
// and the map address. Nothing when a pair in parentheses lacks the separator on its line (no
// pair at all). Throws CoordinateError for what cannot be read and for a position off the
// globe: a latitude beyond 90 degrees or a longitude beyond 180, given in degrees or converted
// from the grid (grid values are checked so even when they are kept).
std::optional<Position> ReadPosition(std::string_view line, std::size_t heading,
                                     std::string_view separator, bool keepRt90);

// Reads a coordinate line that begins with its heading. When a pair is found, `lat` and
// `lon` get it and the result is true; otherwise they keep their values.
bool GetKoordinater(std::string_view line, std::string_view separator, std::string& lat,
                    std::string& lon);

// The headings of the two coordinate columns as the export text carries them.
inline constexpr std::string_view kOriginHeading = "Koordinater:";
inline constexpr std::string_view kPresentHeading = "Nuv. koord.:";

}  // namespace stavbas
