// Exports of every inscription of a database, each timed next to the display run alone with the
// same selection and format (its text written into a window that keeps nothing), so that the
// cost of the export's own work shows as a ratio.
//
// Usage: bench_export_run BASE FOLDER [EXPORT]
// The exported files are written into FOLDER; EXPORT (KML, GPX, CSV, ...) times that one alone.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/stavbas_app.h"
#include "bench_clock.h"
#include "output/streaming_document.h"
#include "silent_host.h"

using stavbas::bench::Clock;
using stavbas::bench::MaxRssKb;
using stavbas::bench::Seconds;

namespace {

// Every inscription is in the selection: its signum has a letter.
constexpr const char* kEverything = "$:#X";
constexpr int kAttempts = 3;

struct Kind {
  const char* name;
  stavbas::ExportKind kind;
  const char* file;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s BASE FOLDER\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[2];
  std::filesystem::create_directories(folder);
  stavbas::bench::SilentHost host;
  stavbas::StreamingDocument window(nullptr);  // the display run's text is dropped as it comes
  stavbas::Settings settings;
  settings.dataFileName = argv[1];
  settings.consts.paus = false;
  stavbas::StavbasApp app(host, window, settings, "");
  app.db.checkAtOpening = nullptr;
  if (!app.Open() || !app.conditions.ParseInscriptionCode(kEverything)) {
    std::fprintf(stderr, "cannot open %s\n", argv[1]);
    return 1;
  }
  const Kind kinds[] = {{"KML", stavbas::ExportKind::Kml, "all.kml"},
                        {"Google Maps page", stavbas::ExportKind::Gmap, "all.html"},
                        {"GPX", stavbas::ExportKind::Gpx, "all.gpx"},
                        {"CSV", stavbas::ExportKind::Csv, "all.csv"},
                        {"shapefile", stavbas::ExportKind::Shp, "all.shp"}};
  std::printf("%-18s %12s %10s %10s %7s %12s\n", "export", "inscriptions", "run s", "export s",
              "ratio", "file MB");
  auto row = [&](const char* name, long inscriptions, double run, double exported,
                 const std::string& file) {
    std::error_code ec;
    const double mb = static_cast<double>(std::filesystem::file_size(file, ec)) / 1e6;
    std::printf("%-18s %12ld %10.2f %10.2f %7.2f %12.1f\n", name, inscriptions, run, exported,
                exported / run, ec ? 0.0 : mb);
  };
  const std::string only = argc > 3 ? argv[3] : "";
  for (const Kind& k : kinds) {
    if (!only.empty() && only != k.name) continue;
    const auto plan = app.exports.Prepare(k.kind);
    if (!plan) return 1;
    // The display run alone, with the export's format and restriction.
    const std::string format = k.kind == stavbas::ExportKind::Gpx
                                   ? app.settings.gpx.standardFormat
                                   : plan->formatDialog->standardFormat;
    stavbas::ExportAnswers answers;
    if (plan->formatDialog) answers.formatCode = plan->formatDialog->standardFormat;
    answers.fileName = folder + "/" + k.file;
    answers.existing = stavbas::ExistingFile::Replace;
    // The best of a few tries of each, so that other work on the machine counts less.
    double run = 1e9, exported = 1e9;
    stavbas::ExportResult r;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
      if (!app.format.Validate(format) ||
          !app.conditions.ParseInscriptionCode(std::string("{") + kEverything + "} & INF;X:#X"))
        return 1;
      auto t0 = Clock::now();
      app.run.AllRun();
      window.HandOnAll();
      run = std::min(run, Seconds(t0));
      app.conditions.ParseInscriptionCode(kEverything);
      t0 = Clock::now();
      r = app.exports.Run(*plan, answers);
      exported = std::min(exported, Seconds(t0));
      if (r.outcome != stavbas::ExportResult::Outcome::Written) {
        std::fprintf(stderr, "%s: not written (%d messages)\n", k.name, host.boxes);
        return 1;
      }
    }
    row(k.name, r.inscriptions, run, exported, r.path);
  }
  // The selection file: every signum.
  if (!only.empty() && only != "selection file") return 0;
  double run = 1e9, exported = 1e9;
  stavbas::ExportResult r;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (!app.format.Validate(">$ ")) return 1;
    auto t0 = Clock::now();
    app.run.AllRun();
    window.HandOnAll();
    run = std::min(run, Seconds(t0));
    app.format.Validate(stavbas::kDefaultFormatCode);
    t0 = Clock::now();
    r = app.exports.SelectionFile(folder + "/all.txt", stavbas::ExistingFile::Replace);
    exported = std::min(exported, Seconds(t0));
  }
  row("selection file", r.inscriptions, run, exported, r.path);
  std::printf("max resident %ld kB\n", MaxRssKb());
  return 0;
}
