#include "cli/options.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <sstream>

namespace stavbas::cli {
namespace {

constexpr const char* kUsage =
    R"(Usage: stavbas-cli [options] (--signum TEXT | --all | --from SIGNUM | --list FILE)
       stavbas-cli [options] [--signum TEXT] --export KIND FILE
       stavbas-cli [options] --signum TEXT (--map-url | --bib-url | --mail-url)
       stavbas-cli [--database BASE] (--check | --files)
)";

constexpr const char* kDescription =
    "Runs the display over the database without a window and writes what the run writes into "
    "the output window to standard output as it goes (UTF-8, LF line ends), the counts line "
    "included; nothing is dropped, however large the run. Messages and the opening's progress "
    "and fault lines go to standard error; questions are answered No.";

constexpr std::size_t kHelpWidth = 100, kNameWidth = 26;

// Text broken into lines of at most `width` characters at blanks.
std::string Wrapped(const std::string& text, std::size_t width) {
  std::string out, line;
  std::istringstream words(text);
  for (std::string word; words >> word;) {
    if (!line.empty() && line.size() + 1 + word.size() > width) {
      out += line + "\n";
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
  }
  return out + line;
}

// The help: usage, description, the options by purpose with their descriptions wrapped, and
// the notes. An option shows the kind of its value and nothing else.
class HelpFormatter : public CLI::Formatter {
 public:
  HelpFormatter() { column_width(kNameWidth); }
  std::string make_help(const CLI::App* app, std::string, CLI::AppFormatMode mode) const override {
    return std::string(kUsage) + "\n" + Wrapped(app->get_description(), kHelpWidth) + "\n\n" +
           make_groups(app, mode) + "\n" + app->get_footer() + "\n";
  }
  std::string make_option_opts(const CLI::Option* opt) const override {
    const std::string type = opt->get_type_name();
    return type.empty() ? std::string() : " " + type.substr(0, type.find(':'));
  }
  std::string make_option_desc(const CLI::Option* opt) const override {
    return Wrapped(opt->get_description(), kHelpWidth - kNameWidth);
  }
};

constexpr const char* kFooter =
    R"(Options that are not given take the settings file's values (--settings), else the
defaults: format ">.$ RUN NFS FVN", all provinces, no codes, Swedish messages.

An export (--export) works on the selection when a word search code, an inscription condition
code or provinces are given, as the window program's export commands do; otherwise on the
inscription a run (--signum) showed last. It writes FILE (the export's extension is added when
FILE has none, an existing file is replaced) and prints nothing; csv, shp and list need a
selection. Without --columns an export takes its standard format from the settings file or the
defaults. --map-url, --bib-url and --mail-url print the addresses for the inscription a run
showed last, one per line, in place of the run's text. Only addresses the window program would
open are printed (http, https, and mailto with nothing but a subject and a body); another one,
made from a settings file's prefix or address, is refused with a message.

Exit status: 0 success; 1 nothing was found or exported (or the check found faults); 2 a
refused code or address, an unusable database, a file that could not be written or wrong
arguments.)";

const char* const kGroups[] = {"Runs (one of them)", "Selection and format", "Output", "Exports",
                               "Addresses of the current inscription"};

// An option's value may not be empty: "--rtf ''" is a mistake, not a wish for the default.
const CLI::Validator kNotEmpty(
    [](std::string& value) {
      return value.empty() ? std::string("the value is empty") : std::string();
    },
    "", "not empty");

// What the options are read into besides the Options themselves.
struct Parsed {
  std::vector<std::string> exportArgs;
  std::vector<CLI::Option*> runs;
  bool flags[3] = {};  // --all, --check, --files
  bool origin = false, present = false;
};

void Build(CLI::App& app, Options& o, Parsed& p) {
  std::vector<CLI::Option*>& runs = p.runs;
  bool(&flags)[3] = p.flags;
  app.description(kDescription);
  app.footer(kFooter);
  app.formatter(std::make_shared<HelpFormatter>());
  app.set_help_flag();
  auto run = [&](const char* name, const char* type, const char* help) {
    CLI::Option* opt = app.add_option(name, o.runValue, help)->type_name(type)->check(kNotEmpty);
    runs.push_back(opt->group(kGroups[0]));
  };
  run("--signum", "TEXT", "one signum (\"U 344\") or a pattern ending in \"*\" (\"U 34*\")");
  runs.push_back(app.add_flag("--all", flags[0], "every inscription of the selected provinces")
                     ->group(kGroups[0]));
  run("--from", "SIGNUM", "every inscription of the selected provinces from this signum on");
  run("--list", "FILE", "the signums listed in a selection file, one per line");
  runs.push_back(app.add_flag("--check", flags[1],
                              "check the data files in step; the report also goes to BASE.LOG")
                     ->group(kGroups[0]));
  runs.push_back(app.add_flag("--files", flags[2], "list the database's files in database order")
                     ->group(kGroups[0]));
  for (CLI::Option* a : runs)
    for (CLI::Option* b : runs)
      if (a != b) a->excludes(b);

  auto value = [&](const char* name, std::optional<std::string>& into, const char* type,
                   const char* help, const char* group) {
    return app.add_option(name, into, help)->type_name(type)->check(kNotEmpty)->group(group);
  };
  value("--database", o.database, "BASE",
        "path whose last part is the base name (at most 8 characters; the folder may be long); "
        "relative paths start in the current folder. Default: the sample database STAVBAS "
        "beside the program",
        kGroups[1]);
  value("--settings", o.settingsFile, "FILE",
        "read this settings file first; the options given here override it", kGroups[1])
      ->check(CLI::ExistingFile);
  value("--search", o.search, "CODE", "word search code, e.g. \"RUN:stain\"", kGroups[1]);
  value("--condition", o.condition, "CODE", "inscription condition code, e.g. \"INF;P:Uppsala\"",
        kGroups[1]);
  value("--format", o.format, "CODE",
        "format code, e.g. \">.$ RUN NFS FVN\" or \"\xC3\x9F$ RUN NFS FVN\"", kGroups[1]);
  value("--provinces", o.provinces, "TEXT",
        "province selection, e.g. \"\xC3\x96l..U,M\" (default: all provinces)", kGroups[1]);
  value("--language", o.language, "sv|en", "the language of messages and written texts", kGroups[1])
      ->check(CLI::IsMember({"sv", "en"}));
  value("--rtf", o.rtfFile, "FILE", "also save the run's text as rich text", kGroups[2]);

  app.add_option("--export", p.exportArgs,
                 "write an export: KIND is kml (Google Earth), gmap (Google Maps page), gpx, "
                 "csv, shp (shapefile) or list (selection file)")
      ->expected(2)
      ->type_name("KIND FILE")
      ->check(kNotEmpty)
      ->group(kGroups[3]);
  CLI::Option* originFlag =
      app.add_flag("--origin", p.origin,
                   "exports and --map-url take the place of origin (the default)")
          ->group(kGroups[3]);
  CLI::Option* presentFlag =
      app.add_flag("--present", p.present,
                   "exports and --map-url take the present place where an inscription has one")
          ->group(kGroups[3]);
  originFlag->excludes(presentFlag);
  presentFlag->excludes(originFlag);
  app.add_option("--columns", o.columns,
                 "the elements an export adds to the signum and coordinates, separated by "
                 "commas, as the format dialog names them: \"Runtext,Material,Plats\"; for "
                 "csv and shp also their columns")
      ->type_name("LIST")
      ->delimiter(',')
      ->check(kNotEmpty)
      ->group(kGroups[3]);

  app.add_flag("--map-url", o.mapUrl, "the address of a web map showing its place")
      ->group(kGroups[4]);
  app.add_flag("--bib-url", o.bibUrl, "its entry in the runic bibliography")->group(kGroups[4]);
  app.add_flag("--mail-url", o.mailUrl,
               "the mailto: address of an error report about it, its text in the body")
      ->group(kGroups[4]);
  app.set_help_flag("-h,--help", "this text")->group("Help");
}

}  // namespace

std::string HelpText() {
  CLI::App app("", "stavbas-cli");
  Options o;
  Parsed p;
  Build(app, o, p);
  return app.help();
}

int UsageError(const std::string& text) {
  std::cerr << "stavbas-cli: " << text << "\nRun with --help for the options.\n";
  return 2;
}

std::optional<Options> ParseOptions(int argc, char** argv, int& status) {
  CLI::App app("", "stavbas-cli");
  Options o;
  Parsed p;
  Build(app, o, p);
  // "--rtf=" gives the option an empty value; the parser would take the next word instead.
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg.starts_with("--") && arg.ends_with('=')) {
      status = UsageError(std::string(arg.substr(0, arg.size() - 1)) + ": the value is empty");
      return std::nullopt;
    }
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::cout << app.help();
    status = 0;
    return std::nullopt;
  } catch (const CLI::ParseError& e) {
    status = UsageError(e.what());
    return std::nullopt;
  }
  for (CLI::Option* r : p.runs)
    if (r->count() > 0) o.run = r->get_name();
  if (p.origin) o.originPlace = true;
  if (p.present) o.originPlace = false;
  if (!p.exportArgs.empty()) {
    o.exportKind = p.exportArgs[0];
    o.exportFile = p.exportArgs[1];
    static const char* const kKinds[] = {"kml", "gmap", "gpx", "csv", "shp", "list"};
    if (std::find(std::begin(kKinds), std::end(kKinds), *o.exportKind) == std::end(kKinds)) {
      status = UsageError("--export: unknown kind \"" + *o.exportKind +
                          "\"; it is one of kml, gmap, gpx, csv, shp and list");
      return std::nullopt;
    }
  }
  if (o.columns && (!o.exportKind || *o.exportKind == "gpx" || *o.exportKind == "list")) {
    status = UsageError("--columns: only the exports kml, gmap, csv and shp take columns");
    return std::nullopt;
  }
  if (o.run.empty() && !o.exportKind) {
    status = UsageError(
        "say what to run: --signum, --all, --from, --list, --check, --files or "
        "--export");
    return std::nullopt;
  }
  if ((o.run == "--check" || o.run == "--files") && o.QuietRun()) {
    status = UsageError(o.run + ": cannot go with an export or an address");
    return std::nullopt;
  }
  return o;
}

}  // namespace stavbas::cli
