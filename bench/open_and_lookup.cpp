// Opening a database with the group addresses computed, opening it again with the index file,
// and random signum lookups in every file.
//
// Usage: bench_open_lookup BASE [LOOKUPS]

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "base/file_listing.h"
#include "bench_clock.h"
#include "database/databas.h"
#include "silent_host.h"

using stavbas::bench::Clock;
using stavbas::bench::MaxRssKb;
using stavbas::bench::Seconds;

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s BASE [LOOKUPS]\n", argv[0]);
    return 2;
  }
  const std::string base = argv[1];
  const int lookups = argc > 2 ? std::atoi(argv[2]) : 10000;
  std::filesystem::remove(stavbas::TDatabas::IndexFileName(base));

  stavbas::bench::SilentHost host;
  stavbas::Ui ui(host);
  stavbas::TDatabas db(ui);

  auto t0 = Clock::now();
  if (!db.Open(base)) {
    std::fprintf(stderr, "cannot open %s\n", base.c_str());
    return 1;
  }
  const double computeSeconds = Seconds(t0);
  double megabytes = 0;
  for (int slot = 1; slot <= db.count(); ++slot) megabytes += db.DataFile(slot).size / 1e6;

  t0 = Clock::now();
  db.Open(base);
  const double loadSeconds = Seconds(t0);
  const long openedRss = MaxRssKb();  // before the benchmark's own list of signums

  // Every signum of the main word file, in random order.
  std::vector<std::string> signums;
  {
    std::ifstream in(db.DataFile(db.MainWordFile()).path(), std::ios::binary);
    std::string line;
    while (std::getline(in, line))
      if (!line.empty() && line[0] != '!') signums.push_back(stavbas::UpToBlank(line, 2));
  }
  std::mt19937 rng(42);
  std::shuffle(signums.begin(), signums.end(), rng);
  signums.resize(std::min<std::size_t>(signums.size(), static_cast<std::size_t>(lookups)));

  std::uint64_t readBefore = 0;
  for (int slot = 1; slot <= db.count(); ++slot) readBefore += db.DataFile(slot).linesRead;
  int failures = 0;
  t0 = Clock::now();
  for (const std::string& s : signums) {
    db.SetSignum(s);
    if (!db.FindInscription(db.AllDataSlots(), true)) ++failures;
  }
  const double lookupSeconds = Seconds(t0);
  std::uint64_t readAfter = 0;
  for (int slot = 1; slot <= db.count(); ++slot) readAfter += db.DataFile(slot).linesRead;

  std::printf("database            %s (%d files, %.1f MB)\n", base.c_str(), db.count(), megabytes);
  std::printf("open, index built   %.3f s  %.0f MB/s (with the data-file check)\n", computeSeconds,
              megabytes / computeSeconds);
  std::printf("open, index loaded  %.3f s\n", loadSeconds);
  std::printf("lookups             %zu in %.3f s  %.0f lookups/s  (%d not found)\n", signums.size(),
              lookupSeconds, signums.size() / lookupSeconds, failures);
  std::printf(
      "lines read/lookup   %.1f (all files together)\n",
      static_cast<double>(readAfter - readBefore) / std::max<std::size_t>(1, signums.size()));
  std::printf(
      "max resident        %ld kB after opening, %ld kB at the end (with the list of "
      "signums)\n",
      openedRss, MaxRssKb());
  return failures == 0 ? 0 : 1;
}
