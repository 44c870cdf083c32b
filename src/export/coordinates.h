#pragma once
// Positions of inscriptions: RT 90 grid coordinates (Swedish grid 2.5 gon V on Bessel 1841)
// converted to WGS 84 latitude and longitude, and the reading of the coordinate lines that the
// exports find in their text. Text is Windows-1252; numbers are written with "." as decimal
// point whatever the locale.

#include <cstdint>
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
// parentheses that is not closed, or a part that is not a number. The export stops with it.
class CoordinateError : public std::runtime_error {
 public:
  explicit CoordinateError(const std::string& text) : std::runtime_error(text) {}
  std::string signum;  // the inscription's signum line, filled in by the export that read it
};

// A whole number as the integer parser reads it (an optional sign and digits, nothing else);
// anything else throws CoordinateError naming the text.
std::int32_t GridValue(std::string_view text);

// Splits a pair text at its first separator into latitude and longitude without the blanks
// around them, with every "," made "."; both must be numbers. False when there is no
// separator.
bool SplitPair(std::string_view pair, std::string_view separator, std::string& first,
               std::string& second);

// The pair of a coordinate line from the position of its heading ("Koordinater:" or
// "Nuv. koord.:"): a pair in parentheses as it stands (empty when the line lacks the
// separator), otherwise the grid values at their fixed places converted, or as they stand
// when `keepRt90`.
// `inDegrees` tells whether the pair was the one in parentheses.
std::string PairAt(std::string_view line, std::size_t heading, std::string_view separator,
                   bool keepRt90, bool* inDegrees = nullptr);

// Reads a coordinate line that begins with its heading. When a pair is found, `lat` and
// `lon` get it and the result is true; otherwise they keep their values.
bool GetKoordinater(std::string_view line, std::string_view separator, std::string& lat,
                    std::string& lon);

// The headings of the two coordinate columns as the export text carries them.
inline constexpr std::string_view kOriginHeading = "Koordinater:";
inline constexpr std::string_view kPresentHeading = "Nuv. koord.:";

}  // namespace stavbas
