// Converting an information spreadsheet into the information file, and the data-file check of
// a whole database, with the memory each needs.
//
// Usage: bench_info_check BASE
//   BASE.XLS, when present, is converted into a fresh BASE.INF first (the old one is kept as
//   BASE.INF.orig and put back afterwards).

#include <cstdio>
#include <filesystem>

#include "bench_clock.h"
#include "database/data_file_check.h"
#include "database/databas.h"
#include "database/info_preparation.h"
#include "silent_host.h"

using stavbas::bench::Clock;
using stavbas::bench::MaxRssKb;
using stavbas::bench::Seconds;

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s BASE\n", argv[0]);
    return 2;
  }
  namespace fs = std::filesystem;
  const std::string base = argv[1];
  stavbas::bench::SilentHost host;
  stavbas::Ui ui(host);

  if (fs::exists(base + ".XLS")) {
    fs::rename(base + ".INF", base + ".INF.orig");
    stavbas::InfoPreparation prep(ui);
    const auto t0 = Clock::now();
    const auto result = prep.Prepare(base);
    const double seconds = Seconds(t0);
    std::printf("spreadsheet to information file: %.3f s, %zu rows (%s)\n", seconds,
                prep.valueLists()[0].size(),
                result == stavbas::InfoPreparation::Result::kRewritten ? "written" : "FAILED");
    std::printf("max resident after converting:   %ld kB\n", MaxRssKb());
    fs::rename(base + ".INF.orig", base + ".INF");
  }

  stavbas::TDatabas db(ui);
  db.checkAtOpening = nullptr;
  if (!db.Open(base)) {
    std::fprintf(stderr, "cannot open %s\n", base.c_str());
    return 1;
  }
  const long openedRss = MaxRssKb();
  const auto t0 = Clock::now();
  const bool passed = stavbas::CheckDataFiles(db, false);
  const double seconds = Seconds(t0);
  double megabytes = 0;
  for (int slot = 1; slot <= db.count(); ++slot) megabytes += db.DataFile(slot).size / 1e6;
  std::printf("data-file check:                 %.3f s, %.0f MB/s, %s (%d report lines)\n", seconds,
              megabytes / seconds, passed ? "no faults" : "FAULTS", host.lines);
  std::printf("max resident before/after check: %ld kB / %ld kB\n", openedRss, MaxRssKb());
  return passed ? 0 : 1;
}
