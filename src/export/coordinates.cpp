#include "export/coordinates.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

namespace stavbas {
namespace {

constexpr double kPi = std::numbers::pi;

// Bessel 1841 and the projection of the grid 2.5 gon V.
constexpr double kBesselA = 6377397.155;
constexpr double kBesselF = 0.003342773182174806;        // 1 / 299.1528128
constexpr double kCentralMeridian = 0.2759064962920747;  // 15° 48′ 29.8″ east, in radians
constexpr double kScale = 1.0;
constexpr double kFalseNorthing = 0.0;
constexpr double kFalseEasting = 1500000.0;

// GRS 80.
constexpr double kGrsA = 6378137.0;
constexpr double kGrsF = 0.003352810681182319;  // 1 / 298.257222101

// From the Bessel frame to the GRS 80 frame: translations in metres, rotations in radians.
constexpr double kTx = 414.1055246174;
constexpr double kTy = 41.3265500042;
constexpr double kTz = 603.0582474221;
constexpr double kRx = 4.145720994572421e-6;
constexpr double kRy = -1.038139973784376e-5;
constexpr double kRz = 3.4047154996413065e-5;
constexpr double kS = 1.0;

constexpr double Degrees(double radians) {
  return radians * 180.0 / kPi;
}
constexpr double Radians(double degrees) {
  return degrees * kPi / 180.0;
}

struct Cartesian {
  double x, y, z;
};

Cartesian BesselToCartesian(const LatLon& degrees) {
  const double phi = Radians(degrees.lat);
  const double lambda = Radians(degrees.lon);
  const double e2 = kBesselF * (2 - kBesselF);
  const double n = kBesselA / std::sqrt(1 - e2 * std::sin(phi) * std::sin(phi));
  const double h = 0;
  return {(n + h) * std::cos(phi) * std::cos(lambda), (n + h) * std::cos(phi) * std::sin(lambda),
          (n * (1 - e2) + h) * std::sin(phi)};
}

Cartesian ToGrs80Frame(const Cartesian& c) {
  const double cx = std::cos(kRx), sx = std::sin(kRx);
  const double cy = std::cos(kRy), sy = std::sin(kRy);
  const double cz = std::cos(kRz), sz = std::sin(kRz);
  return {
      kS * (cy * cz * c.x + (cx * sz + sx * sy * cz) * c.y + (sx * sz - cx * sy * cz) * c.z) + kTx,
      kS * (-cy * sz * c.x + (cx * cz - sx * sy * sz) * c.y + (sx * cz + cx * sy * sz) * c.z) + kTy,
      kS * (sy * c.x - sx * cy * c.y + cx * cy * c.z) + kTz};
}

// Bowring's formula, one step. The longitude is the single-argument arctangent of Y/X, right
// for every position east of Greenwich within a quarter turn, as the grid's area is.
LatLon Grs80Geodetic(const Cartesian& c) {
  const double e2 = kGrsF * (2 - kGrsF);
  const double p = std::sqrt(c.x * c.x + c.y * c.y);
  const double theta = std::atan(c.z / (p * std::sqrt(1 - e2)));
  const double s = std::sin(theta), k = std::cos(theta);
  const double lat =
      std::atan((c.z + e2 * kGrsA / std::sqrt(1 - e2) * s * s * s) / (p - e2 * kGrsA * k * k * k));
  return {Degrees(lat), Degrees(std::atan(c.y / c.x))};
}

bool IsBlank(char c) {
  return c == ' ';
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The value of a plain decimal number whose decimal comma has been made a point. Digits beyond
// what a double holds are no trouble: a number too large to hold lies off the globe anyway,
// and one too small to hold is zero.
double DecimalValue(std::string_view s) {
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  double value = 0;
  const auto [end, ec] =
      std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::fixed);
  if (ec != std::errc::result_out_of_range) return value;
  const std::size_t integerPart = s.find_first_not_of("-0");
  const bool large = integerPart != std::string_view::npos && s[integerPart] != '.';
  const double sign = s.starts_with('-') ? -1 : 1;
  return large ? sign * HUGE_VAL : sign * 0.0;
}

bool OnGlobe(double lat, double lon) {
  return std::abs(lat) <= 90 && std::abs(lon) <= 180;  // false for NaN too
}

}  // namespace

LatLon Rt90ToBessel(double northing, double easting) {
  const double f = kBesselF;
  const double e2 = f * (2 - f);
  const double n = f / (2 - f);
  const double n2 = n * n, n3 = n2 * n, n4 = n3 * n;
  const double aHat = kBesselA / (1 + n) * (1 + n2 / 4 + n4 / 64);
  const double d1 = n / 2 - 2 * n2 / 3 + 37 * n3 / 96 - n4 / 360;
  const double d2 = n2 / 48 + n3 / 15 - 437 * n4 / 1440;
  const double d3 = 17 * n3 / 480 - 37 * n4 / 840;
  const double d4 = 4397 * n4 / 161280;
  const double e4 = e2 * e2, e6 = e4 * e2, e8 = e6 * e2;
  const double aStar = e2 + e4 + e6 + e8;
  const double bStar = -(7 * e4 + 17 * e6 + 30 * e8) / 6;
  const double cStar = (224 * e6 + 889 * e8) / 120;
  const double dStar = -4279 * e8 / 1260;

  const double xi = (northing - kFalseNorthing) / (kScale * aHat);
  const double eta = (easting - kFalseEasting) / (kScale * aHat);
  // sin 2kξ, cos 2kξ, sinh 2kη and cosh 2kη for k = 1 to 4, from those of 2ξ and 2η by the
  // angle-sum rules (an export converts every position it writes).
  double sn[5], c[5], sh[5], ch[5];
  sn[1] = std::sin(2 * xi), c[1] = std::cos(2 * xi);
  sh[1] = std::sinh(2 * eta), ch[1] = std::cosh(2 * eta);
  for (int k = 2; k <= 4; ++k) {
    sn[k] = sn[k - 1] * c[1] + c[k - 1] * sn[1];
    c[k] = c[k - 1] * c[1] - sn[k - 1] * sn[1];
    sh[k] = sh[k - 1] * ch[1] + ch[k - 1] * sh[1];
    ch[k] = ch[k - 1] * ch[1] + sh[k - 1] * sh[1];
  }
  const double xiP =
      xi - d1 * sn[1] * ch[1] - d2 * sn[2] * ch[2] - d3 * sn[3] * ch[3] - d4 * sn[4] * ch[4];
  const double etaP =
      eta - d1 * c[1] * sh[1] - d2 * c[2] * sh[2] - d3 * c[3] * sh[3] - d4 * c[4] * sh[4];
  const double phiStar = std::asin(std::sin(xiP) / std::cosh(etaP));
  const double deltaLambda = std::atan(std::sinh(etaP) / std::cos(xiP));
  const double s = std::sin(phiStar), s2 = s * s;
  const double phi = phiStar + s * std::cos(phiStar) *
                                   (aStar + bStar * s2 + cStar * s2 * s2 + dStar * s2 * s2 * s2);
  return {Degrees(phi), Degrees(kCentralMeridian + deltaLambda)};
}

LatLon Rt90ToWgs84(double northing, double easting) {
  return Grs80Geodetic(ToGrs80Frame(BesselToCartesian(Rt90ToBessel(northing, easting))));
}

std::string DegreesText(double value) {
  char buffer[400];
  std::to_chars_result r =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  if (r.ec != std::errc()) return {};
  // A value near zero would be written with an exponent, which no reader of the exports
  // takes as a number: written out in full instead.
  if (std::find(buffer, r.ptr, 'e') != r.ptr) {
    const int decimals =
        std::max(0, 14 - static_cast<int>(std::floor(std::log10(std::abs(value)))));
    r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (r.ec != std::errc()) return {};
    if (decimals > 0) {
      while (r.ptr[-1] == '0') --r.ptr;
      if (r.ptr[-1] == '.') --r.ptr;
    }
  }
  return std::string(buffer, r.ptr);
}

std::string ConvertRt90(std::int32_t northing, std::int32_t easting, std::string_view separator) {
  const LatLon p = Rt90ToWgs84(northing, easting);
  return DegreesText(p.lat) + " " + std::string(separator) + " " + DegreesText(p.lon);
}

std::int32_t GridValue(std::string_view text) {
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  std::int32_t value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  // One sign at most: "+-" is no number.
  if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() ||
      (text.starts_with('+') && digits.starts_with('-')))
    throw CoordinateError(std::string(text));
  return value;
}

bool IsPlainDecimal(std::string_view text) {
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  bool digit = false, point = false;
  for (const char c : text) {
    if (c >= '0' && c <= '9')
      digit = true;
    else if ((c == '.' || c == ',') && !point)
      point = true;
    else
      return false;
  }
  return digit;
}

namespace {

// The text between the parentheses of a pair in degrees that opens at `open` of `rest` (the
// line from its heading on); nothing when the line lacks the separator. A parenthesis that is
// never closed throws.
std::optional<std::string_view> InnerPair(std::string_view line, std::string_view rest,
                                          std::size_t open, std::string_view separator) {
  if (separator.empty() || line.find(separator) == std::string_view::npos) return std::nullopt;
  const std::size_t close = rest.rfind(')');
  if (close == std::string_view::npos || close < open) throw CoordinateError(std::string(rest));
  return rest.substr(open + 1, close - open - 1);
}

// The grid values at their fixed places after the heading.
struct GridPair {
  std::string_view northText, eastText;
  std::int32_t north, east;
};

GridPair GridValuesAt(std::string_view line, std::size_t heading) {
  auto field = [&](std::size_t from) {
    return from < line.size() ? line.substr(from, 7) : std::string_view();
  };
  GridPair g{field(heading + 13), field(heading + 21), 0, 0};
  g.north = GridValue(g.northText);
  g.east = GridValue(g.eastText);
  return g;
}

}  // namespace

bool SplitPair(std::string_view pair, std::string_view separator, std::string& first,
               std::string& second) {
  const std::size_t at = separator.empty() ? std::string_view::npos : pair.find(separator);
  if (at == std::string_view::npos) return false;
  auto part = [](std::string_view s) {
    std::string t(TrimBlanks(s));
    for (char& c : t)
      if (c == ',') c = '.';
    return t;
  };
  std::string a = part(pair.substr(0, at));
  std::string b = part(pair.substr(at + separator.size()));
  if (!IsPlainDecimal(a) || !IsPlainDecimal(b)) throw CoordinateError(std::string(pair));
  first = std::move(a);
  second = std::move(b);
  return true;
}

std::optional<Position> ReadPosition(std::string_view line, std::size_t heading,
                                     std::string_view separator, bool keepRt90) {
  const std::string_view rest = line.substr(std::min(heading, line.size()));
  const std::size_t open = rest.find('(');
  Position p;
  if (open != std::string_view::npos) {
    const auto inner = InnerPair(line, rest, open, separator);
    if (!inner) return std::nullopt;
    // The separator stands elsewhere on the line but not between the parentheses.
    if (!SplitPair(*inner, separator, p.first, p.second))
      throw CoordinateError(std::string(*inner));
    p.firstValue = DecimalValue(p.first);
    p.secondValue = DecimalValue(p.second);
    if (!OnGlobe(p.firstValue, p.secondValue)) throw CoordinateError(std::string(*inner));
    p.inDegrees = true;
    return p;
  }
  const GridPair g = GridValuesAt(line, heading);
  const LatLon wgs = Rt90ToWgs84(g.north, g.east);
  if (!OnGlobe(wgs.lat, wgs.lon))
    throw CoordinateError(std::string(g.northText) + " " + std::string(g.eastText));
  if (keepRt90) {
    p.first = g.northText;
    p.second = g.eastText;
    p.firstValue = g.north;
    p.secondValue = g.east;
  } else {
    // The values are those of the texts the other exports write.
    p.first = DegreesText(wgs.lat);
    p.second = DegreesText(wgs.lon);
    p.firstValue = DecimalValue(p.first);
    p.secondValue = DecimalValue(p.second);
  }
  return p;
}

bool GetKoordinater(std::string_view line, std::string_view separator, std::string& lat,
                    std::string& lon) {
  const std::optional<Position> p = ReadPosition(line, 0, separator, false);
  if (!p) return false;
  lat = p->first;
  lon = p->second;
  return true;
}

}  // namespace stavbas
