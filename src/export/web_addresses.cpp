#include "export/web_addresses.h"

#include <unistd.h>

#include <cstring>

#include "base/char_tables.h"
#include "base/cp1252.h"
#include "base/opening_rule.h"
#include "base/ui.h"
#include "database/databas.h"
#include "database/info_format.h"
#include "database/regions.h"
#include "export/coordinates.h"
#include "export/export_text.h"
#include "output/display_run.h"
#include "output/visit.h"

extern char** environ;

namespace stavbas {
namespace {

bool SafeInAddress(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

// The longest start of an address, at most `limit` characters long, that ends at a whole
// character: a "%XX" escape, and the escapes of a character's UTF-8 bytes, stay together. A "%"
// not followed by two hex digits is a character of its own.
std::size_t WholeCharacters(std::string_view address, std::size_t limit) {
  std::size_t at = 0, whole = 0;
  while (at < address.size()) {
    std::size_t next = at + 1;
    if (const int lead = PercentEscapedByte(address, at); lead >= 0) {
      const int continuations = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
      next = at + 3;
      for (int k = 0; k < continuations; ++k) {
        const int byte = PercentEscapedByte(address, next);
        if (byte < 0x80 || byte > 0xBF) break;
        next += 3;
      }
    }
    if (next > limit) break;
    whole = at = next;
  }
  return whole;
}

}  // namespace

std::string PercentEncoded(std::string_view text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char ch : Cp1252ToUtf8(text)) {
    const auto c = static_cast<unsigned char>(ch);
    if (SafeInAddress(c)) {
      out += ch;
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

std::string BibliographyAddress(std::string_view prefix, std::string_view signum) {
  const std::string_view s = Trim(signum);
  const std::size_t blank = s.find(' ');
  const std::string_view first =
      blank == std::string_view::npos ? std::string_view() : s.substr(0, blank);
  const std::string_view rest = blank == std::string_view::npos ? s : s.substr(blank + 1);
  return std::string(prefix) + PercentEncoded(first) + "%20" + PercentEncoded(rest);
}

std::string ErrorReportLink(std::string_view recipient, std::string_view subjectText,
                            std::string_view signum, const std::vector<std::string>& lines,
                            std::size_t limit) {
  std::string body;
  for (const std::string& line : lines) body += PercentEncoded(line) + "%0D%0A";
  std::string link = "mailto:" + std::string(recipient) +
                     "?subject=" + PercentEncoded(std::string(subjectText) + std::string(signum)) +
                     "&body=" + body;
  if (link.size() > limit && limit > 0) link.resize(WholeCharacters(link, limit - 1));
  return link;
}

std::size_t EnvironmentSize() {
  std::size_t size = 0;
  for (char** e = environ; e && *e; ++e) size += std::strlen(*e) + 1;
  return size;
}

std::string MapSearchAddress(std::string_view lat, std::string_view lon) {
  return "https://www.google.com/maps/search/?api=1&query=" + std::string(lat) + "%2C" +
         std::string(lon);
}

WebAddresses::WebAddresses(OutputContext& ctx, FormatCode& format, DisplayRun& run,
                           const LinkSettings& links, const std::string& errorMail)
    : ctx_(ctx), format_(format), run_(run), links_(links), errorMail_(errorMail) {}

std::optional<std::string> WebAddresses::Bibliography() {
  Ui& ui = ctx_.ui;
  const std::string& signum = ctx_.lastShownSignum;
  if (signum.empty()) {
    ui.ShowMessage(ui.S(Str::IngenAktuellInskriftBibliografi), MsgKind::Information);
    return std::nullopt;
  }
  const int region = RegionOf(Trim(signum));
  if (region < 1 || region > kAreaCount) {
    ui.ShowMessage(ui.S(Str::EjBibliografiLand), MsgKind::Information);
    return std::nullopt;
  }
  return BibliographyAddress(links_.svenskRunbibFind, signum);
}

std::optional<std::string> WebAddresses::ErrorReport() {
  Ui& ui = ctx_.ui;
  const std::string signum = ctx_.lastShownSignum;
  if (signum.empty()) {
    ui.ShowMessage(ui.S(Str::IngenAktuellInskriftFelrapport), MsgKind::Information);
    return std::nullopt;
  }
  // The inscription is displayed into a window of its own, so the user's text stays as it was.
  ExportText text;
  {
    const CapturedRun captured(ctx_, text);
    const bool pause = run_.pauseSetting;
    run_.pauseSetting = false;  // no waiting inside the command
    run_.SignumRun(std::string(Trim(signum)));
    run_.pauseSetting = pause;
  }
  ctx_.lastShownSignum = signum;
  // The lines after the first (the empty line the format begins with), and one empty line.
  std::vector<std::string> lines;
  ExportText::Reader reader(text);
  std::string line;
  for (bool first = true; reader.NextLine(line); first = false)
    if (!first) lines.push_back(line);
  lines.emplace_back();
  return ErrorReportLink(errorMail_, ui.S(Str::FelIStavbasverketMed), Trim(signum), lines,
                         EnvironmentSize());
}

std::optional<std::string> WebAddresses::Map(bool originPlace) {
  Ui& ui = ctx_.ui;
  const std::string& signum = ctx_.lastShownSignum;
  if (signum.empty()) {
    ui.ShowMessage(ui.S(Str::IngenAktuellInskriftKarta), MsgKind::Information);
    return std::nullopt;
  }
  const int info = ctx_.db.InfoSlot();
  if (!info || !ctx_.db.FindGivenInscription(SlotBit(info), signum)) return std::nullopt;
  const TKombifil& f = ctx_.db.File(info);
  const std::string origin = FormattedField(f, 'X', true, links_);
  const std::string present = FormattedField(f, 'Y', true, links_);
  if (origin.empty() && present.empty()) {
    ui.ShowMessage(ui.S(Str::IngaKoordinater), MsgKind::Information);
    return std::nullopt;
  }
  const std::string& line = (originPlace && !origin.empty()) || present.empty() ? origin : present;
  // The heading of the field as the information file names it stands where the exports expect
  // theirs: the line is read from its value on.
  const std::size_t value = line.find(": ");
  std::string lat, lon;
  const std::string separator = links_.mellanKoord.empty() ? ";" : links_.mellanKoord;
  try {
    const std::string coordinateLine = std::string(kOriginHeading) + line.substr(value + 1);
    if (!GetKoordinater(coordinateLine, separator, lat, lon)) return std::nullopt;
  } catch (const CoordinateError& e) {
    ui.ShowMessage(ui.S(Str::FelaktigaKoordinater) + std::string(Trim(signum)) + ": " + e.what(),
                   MsgKind::Error);
    return std::nullopt;
  }
  return MapSearchAddress(lat, lon);
}

void WebAddresses::OpenBibliography() {
  if (const auto address = Bibliography()) ctx_.ui.OpenWithDesktop(*address);
}

void WebAddresses::OpenErrorReport() {
  if (const auto address = ErrorReport()) ctx_.ui.OpenWithDesktop(*address);
}

void WebAddresses::OpenWebLink(const std::string& address) {
  ctx_.ui.OpenWithDesktop(address);
}

}  // namespace stavbas
