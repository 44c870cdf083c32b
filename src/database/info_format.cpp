#include "database/info_format.h"

#include "base/char_tables.h"
#include "database/kombifil.h"

namespace stavbas {
namespace {

std::string_view CutAt(std::string_view s, char c) {
  return s.substr(0, s.find(c));
}

// A museum number: cut before its first "," and then before its first ":".
std::string MuseumNumber(std::string_view s) {
  return std::string(CutAt(CutAt(Trim(s), ','), ':'));
}

// "SHM (1234:5, 2345)" gains a link for 1234 and one for 2345.
void AddMuseumLinks(std::string& t, const std::string& prefix) {
  const std::size_t at = t.find("SHM (");
  if (prefix.empty() || at == std::string::npos) return;
  const std::string part = t.substr(at);
  const std::size_t open = part.find('(');
  const std::size_t close = part.find(')', open);
  if (close == std::string::npos) return;
  const std::string_view inner = std::string_view(part).substr(open + 1, close - open - 1);
  std::string links = " " + prefix + MuseumNumber(inner);
  for (std::size_t comma = inner.find(','); comma != std::string_view::npos;
       comma = inner.find(',', comma + 1))
    links += " " + prefix + MuseumNumber(inner.substr(comma + 1));
  t += links;
}

// Every opening + id + "]" becomes "[" + prefix + id + "]".
void Rewrite(std::string& t, std::string_view opening, const std::string& prefix) {
  if (prefix.empty()) return;
  for (std::size_t at = t.find(opening); at != std::string::npos; at = t.find(opening, at)) {
    const std::size_t idStart = at + opening.size();
    const std::size_t close = t.find(']', idStart);
    if (close == std::string::npos) break;
    const std::string replacement = "[" + prefix + t.substr(idStart, close - idStart) + "]";
    t.replace(at, close + 1 - at, replacement);
    at += replacement.size();
  }
}

}  // namespace

std::string AddInfoLinks(std::string t, const LinkSettings& links) {
  AddMuseumLinks(t, links.shmInvNr);
  Rewrite(t, "[objektid=", links.raaObjektid);
  Rewrite(t, "[Lokalitet/", links.dkcSystemnr);
  Rewrite(t, "[lokalitet/", links.raLokalitet);
  return t;
}

std::string FormattedField(const TKombifil& file, char letter, bool withHeader,
                           const LinkSettings& links) {
  std::string t = file.InfoField(letter);
  if (t.empty()) return t;
  t = AddInfoLinks(std::move(t), links);
  if (letter == 'X' || letter == 'Y') {
    std::size_t at = t.find(';');
    if (at == std::string::npos) at = t.find('.');
    if (at != std::string::npos)
      t.replace(at, 1, links.mellanKoord.empty() ? ";" : links.mellanKoord);
  }
  return withHeader ? file.InfoHeader(letter) + ": " + t + " " : t + " ";
}

}  // namespace stavbas
