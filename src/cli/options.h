#pragma once
// The command line of stavbas-cli: what the user asked for, read with CLI11. Texts are UTF-8
// as they come; the program turns them into Windows-1252 where the core takes them.

#include <optional>
#include <string>
#include <vector>

namespace stavbas::cli {

struct Options {
  // The run: "--signum", "--all", "--from", "--list", "--check", "--files" or empty.
  std::string run;
  std::string runValue;  // the signum, the first signum or the selection file

  std::optional<std::string> database, settingsFile, rtfFile, language;
  std::optional<std::string> search, condition, format, provinces;

  // "--export KIND FILE": kml, gmap, gpx, csv, shp or list.
  std::optional<std::string> exportKind;
  std::string exportFile;
  std::optional<bool> originPlace;                  // --origin (true) or --present (false)
  std::optional<std::vector<std::string>> columns;  // --columns

  bool mapUrl = false, bibUrl = false, mailUrl = false;

  // Something other than the run's text goes to standard output (or nothing at all).
  bool QuietRun() const { return exportKind || mapUrl || bibUrl || mailUrl; }
};

// The text of --help.
std::string HelpText();

// Reads the command line. Nothing when the program is to end at once, with `status`: 0 after
// --help, 2 after an error, which is written to standard error naming the option.
std::optional<Options> ParseOptions(int argc, char** argv, int& status);

// An error in what the user asked for: "stavbas-cli: " and the text on standard error, and
// the exit status for it (2).
int UsageError(const std::string& text);

}  // namespace stavbas::cli
