#pragma once
// The addresses the program hands to the desktop for the current inscription: its entry in a
// runic bibliography, its place on a web map, and an e-mail reporting an error in it. Text is
// Windows-1252; every address is plain ASCII, its other characters percent-encoded as UTF-8.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/link_settings.h"

namespace stavbas {

class DisplayRun;
class FormatCode;
struct OutputContext;

// The UTF-8 form of the text with every byte outside A-Z, a-z, 0-9 and "-._~" as "%XX".
std::string PercentEncoded(std::string_view text);

// The bibliography's address of a signum: the prefix, then the signum without the blanks round
// it, its first blank written "%20" and every other character outside the safe set encoded.
std::string BibliographyAddress(std::string_view prefix, std::string_view signum);

// The error report: "mailto:", the recipient, the subject "Fel i Stavbasverket med " and the
// signum, and the body: each line followed by a line break, all percent-encoded. A link longer
// than `limit` characters is cut to less than `limit`, at a whole character.
std::string ErrorReportLink(std::string_view recipient, std::string_view subjectText,
                            std::string_view signum, const std::vector<std::string>& lines,
                            std::size_t limit);
// The size of the process's environment block: every string with its terminating zero.
std::size_t EnvironmentSize();

// A web map's address showing a position given as latitude and longitude in degrees.
std::string MapSearchAddress(std::string_view lat, std::string_view lon);

// The commands that reach outside the program for the current inscription (the one shown
// last). Each shows its message and gives nothing when it cannot act.
class WebAddresses {
 public:
  WebAddresses(OutputContext& ctx, FormatCode& format, DisplayRun& run, const LinkSettings& links,
               const std::string& errorMail);

  // "Inskriftsbibliografi".
  std::optional<std::string> Bibliography();
  // "Felrapport": the current inscription displayed alone with the current format, as the
  // body of a mail.
  std::optional<std::string> ErrorReport();
  // The current inscription's place on a web map: the place of origin, or the present place
  // when `originPlace` is false or it has no other.
  std::optional<std::string> Map(bool originPlace);

  // The commands themselves: the address opened with the desktop's program, or refused with a
  // message when the opening rule does not allow it (Ui::OpenWithDesktop).
  void OpenBibliography();
  void OpenErrorReport();
  void OpenWebLink(const std::string& address);

 private:
  OutputContext& ctx_;
  FormatCode& format_;
  DisplayRun& run_;
  const LinkSettings& links_;
  const std::string& errorMail_;
};

}  // namespace stavbas
