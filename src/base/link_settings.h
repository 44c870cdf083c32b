#pragma once
// The web-address prefixes of the links made from references in information texts and
// elsewhere, and the separator written between coordinates, with their defaults. The settings
// file can override every one of them; an empty prefix switches that kind of link off.
// Text is Windows-1252.

#include <string>

namespace stavbas {

// The project's own web server, for the defaults that point at project pages and images.
inline constexpr const char* kProjectServer = "https://stavbas.example.org";
inline constexpr const char* kProjectHomePage = "https://stavbas.example.org/";

struct LinkSettings {
  // Inventory numbers of a museum collection database, from "SHM (" references.
  std::string shmInvNr = "https://shm.stavbas.example.org/data/?invnr=";
  // The page offering new versions, shown in the About box.
  std::string newVersion = kProjectHomePage;
  // Monument pages of a heritage register, from "[objektid=" references.
  std::string raaObjektid = "https://raa.stavbas.example.org/raa/fmi/html/";
  // A runic bibliography's search for one signum.
  std::string svenskRunbibFind =
      "https://runbibl.stavbas.example.org/pub/views/runbibl/hitlist.aspx?ccl=find%20runsig%20";
  // Site pages of a Danish heritage register, from "[Lokalitet/" references.
  std::string dkcSystemnr = "https://dkc.stavbas.example.org/fundogfortidsminder/Lokalitet/";
  // Site pages of a Norwegian heritage search, from "[lokalitet/" references.
  std::string raLokalitet = "https://ra.stavbas.example.org/ra/lokalitet/";

  // Written between the two coordinates of a position: a tab, or ";" when tabs are turned off.
  std::string mellanKoord = "\t";

  bool operator==(const LinkSettings&) const = default;
};

// The check mark of "Tabb mellan koordinater": on exactly while the separator is one tab.
inline bool TabBetweenCoordinates(const LinkSettings& links) {
  return links.mellanKoord == "\t";
}

// The menu command: a tab becomes ";", anything else becomes a tab.
inline void ToggleTabBetweenCoordinates(LinkSettings& links) {
  links.mellanKoord = TabBetweenCoordinates(links) ? ";" : "\t";
}

}  // namespace stavbas
