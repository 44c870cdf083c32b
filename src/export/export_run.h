#pragma once
// The export commands: KML for Google Earth, the Google Maps page, GPX, CSV, the shapefile and
// the selection file. Each lets the display run write the inscriptions to export with a format
// made for the export, into a window of its own (the user's text stays as it was), and writes
// its file from that text.
//
// A front end drives a command in two steps: Prepare says what the command will ask (or shows
// why it does nothing); the front end shows its dialogs and hands their answers to Run. The
// command-line program gives the same answers from its options. Text is Windows-1252.

#include <optional>
#include <string>
#include <vector>

#include "base/link_settings.h"
#include "conditions/province_set.h"
#include "export/export_settings.h"

namespace stavbas {

class DisplayRun;
class ExportText;
class FormatCode;
struct OutputContext;

enum class ExportKind { Kml, Gmap, Gpx, Csv, Shp };

// What to do with a file that exists already.
enum class ExistingFile {
  Ask,      // ask the user (a Yes/No question through the host)
  Replace,  // write it anew
  Append,   // selection file only: add the lines at its end
  Keep,     // leave it; nothing is written
};

// The format dialog as an export command presets it. Its choice "Rubriker för Info?" is set to
// "Rubriker" and cannot be changed; its chosen list starts empty.
struct ExportFormatDialog {
  std::string caption;
  std::string fixedPart;  // what the code always begins with: the signum and the coordinates
  std::string note;       // in place of the dialog's note under the fixed part
  std::vector<std::string> offered;  // the elements offered, in order
  std::string standardFormat;        // the export's standard format
};

// What a command will ask before it runs.
struct ExportPlan {
  ExportKind kind = ExportKind::Kml;
  bool selection = true;  // the selection; false: the current inscription alone
  std::string signum;     // the current inscription
  // Ask whether to show the place of origin or the present place (the current inscription has
  // both), before the dialogs.
  bool askPlace = false;
  // The current inscription has only a present place: that is exported whatever was chosen.
  bool presentOnly = false;
  std::optional<ExportFormatDialog> formatDialog;  // none: the command has none (GPX)
  std::string saveFilter;                          // "KML-filer (*.kml)|*.KML"
  std::string extension;                           // added to a name without one: ".KML"
  // Ask, after the file name, whether the exports always take the place of origin or the
  // present place where there is one.
  bool askCoordinates = false;
};

// The user's answers to a command's dialogs.
struct ExportAnswers {
  // The code the format dialog built; nothing when the dialog was cancelled. Not used by GPX.
  std::optional<std::string> formatCode;
  // The dialog's chosen list in its order: the columns of the CSV file and the shapefile.
  std::vector<std::string> chosenEntries;
  // The name the save dialog gave; nothing when it was cancelled.
  std::optional<std::string> fileName;
  // The place question or the coordinate question: true for its first item (the place of
  // origin); nothing when it was closed otherwise (the choice stays as it was).
  std::optional<bool> originPlace;
  // A shapefile or selection file that exists already.
  ExistingFile existing = ExistingFile::Ask;
};

struct ExportResult {
  enum class Outcome {
    Written,  // the file was written
    Nothing,  // cancelled, refused, or nothing to write; any message has been shown
    Failed,   // a file could not be written or a coordinate read; the error has been shown
  } outcome = Outcome::Nothing;
  std::string path;       // the file written (for the shapefile: the geometry file)
  long inscriptions = 0;  // inscriptions in the export text
};

// The settings the export commands read and change (their standard formats).
struct ExportSettingsRef {
  KmlSettings& kml;
  GpxSettings& gpx;
  CsvSettings& csv;
  ShpSettings& shp;
  ShpWgs84Settings& shpWgs84;
  GmapSettings& gmap;
};

class ExportRun {
 public:
  ExportRun(OutputContext& ctx, FormatCode& format, DisplayRun& run, ExportSettingsRef settings,
            const LinkSettings& links, const ProvinceSelection& provinces, bool& pauseMenu);

  // A selection exists: a word search code, an inscription condition code or provinces other
  // than all of them. The CSV and shapefile commands and the selection file need one.
  bool HasSelection() const;

  // What the command will ask, or nothing when it does nothing: without a selection and a
  // current inscription (after the message of its kind), for an inscription without
  // coordinates (after "Inga koordinater finns för aktuell inskrift"), and for CSV and the
  // shapefile without a selection (silently: their commands are disabled then).
  // `currentInscription` takes the current inscription whatever the selection (the map command).
  std::optional<ExportPlan> Prepare(ExportKind kind, bool currentInscription = false);
  // Runs the command with the answers: the display run over the selection or the current
  // inscription into the export's own window, then the writer; the file is opened where the
  // command does that. Every setting the command changes for its run is put back, also when it
  // fails; what stays is the export's standard format (when the format dialog was confirmed),
  // the choice of place and the keep-RT90 flag of the display run.
  ExportResult Run(const ExportPlan& plan, const ExportAnswers& answers);

  // The code the export's format dialog builds from chosen entries (its fixed part and the
  // items of the entries, with headings); nothing when an entry is not offered.
  std::optional<std::string> FormatCodeFor(ExportKind kind,
                                           const std::vector<std::string>& entries) const;
  // The name with the export's extension added when it has none (and has a file name at all:
  // "DIR/" stays as it is).
  static std::string WithDefaultExtension(const std::string& name, const std::string& extension);

  // The selection file: the signums of the selection. False after "Kan inte skapa urvalsfil"
  // when there is no selection.
  bool SelectionFileAllowed();
  ExportResult SelectionFile(std::optional<std::string> fileName, ExistingFile existing);

  // The program-wide choice of place: true, the place of origin; false, the present place
  // where an inscription has one. It keeps its value from one command to the next.
  bool originPlace = true;

 private:
  ExportFormatDialog FormatDialog(ExportKind kind) const;
  // The display run into the export's window: over the selection, restricted to inscriptions
  // with a place of origin when `restrict`, or on the current inscription.
  void CollectText(ExportText& text, const ExportPlan& plan, bool restrict);
  // Writes the file of the plan's kind from the text; false after the error was shown.
  bool Write(const ExportPlan& plan, const ExportText& text, const std::string& path,
             bool originPlace, const std::vector<std::string>& entries);
  bool MayReplace(const std::string& path, ExistingFile existing);
  // A name without a file name, or one that names a folder, given or with its extension: true
  // after the message naming it.
  bool RefuseFolder(const std::string& name, const std::string& path);
  std::string& StandardFormat(ExportKind kind);
  const std::string& StandardFormat(ExportKind kind) const {
    return const_cast<ExportRun*>(this)->StandardFormat(kind);
  }
  std::string InfoDesignator() const;

  OutputContext& ctx_;
  FormatCode& format_;
  DisplayRun& run_;
  ExportSettingsRef settings_;
  const LinkSettings& links_;
  const ProvinceSelection& provinces_;
  bool& pauseMenu_;
};

}  // namespace stavbas
