// Word search over a whole database: every inscription of every region is read and the word
// search code is evaluated at each of its word positions, readings included.
//
// Usage: bench_word_search BASE [CODE ...]

#include <cstdio>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "bench_clock.h"
#include "conditions/conditions.h"
#include "database/databas.h"
#include "database/regions.h"
#include "silent_host.h"

using stavbas::bench::Clock;
using stavbas::bench::MaxRssKb;
using stavbas::bench::Seconds;

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s BASE [CODE ...]\n", argv[0]);
    return 2;
  }
  std::vector<std::string> codes;
  for (int i = 2; i < argc; ++i) codes.push_back(argv[i]);
  if (codes.empty())
    codes = {"RUN:stain", "RUN:_stain_", "RUN:st*n", "NFS:st#Vin", "RUN:auk & NFS:_sun + $:U", ""};

  stavbas::bench::SilentHost host;
  stavbas::Ui ui(host);
  stavbas::TDatabas db(ui);
  db.checkAtOpening = nullptr;
  if (!db.Open(argv[1])) {
    std::fprintf(stderr, "cannot open %s\n", argv[1]);
    return 1;
  }
  stavbas::Conditions conditions(ui, db);
  std::printf("%-28s %10s %10s %8s %14s\n", "code", "positions", "hits", "seconds", "positions/s");
  for (const std::string& utf8 : codes) {
    const std::string code = stavbas::Utf8ToCp1252(utf8);
    if (!conditions.ParseWordSearchCode(code)) {
      std::fprintf(stderr, "refused: %s\n", utf8.c_str());
      return 1;
    }
    const stavbas::SlotSet walked = db.wordSet();
    const stavbas::SlotSet read = db.fullSet() | walked;
    long positions = 0, hits = 0;
    const auto t0 = Clock::now();
    db.PositionAtStart(read);
    while (db.WithinRegion(stavbas::kOtherAreas) && db.ReadNextInscription(read)) {
      db.FirstWords(walked);
      while (db.NextWords(walked)) {
        ++positions;
        bool further = false;
        if (!db.MainFileAtPageMark() && conditions.EvalWordPosition(walked, further)) ++hits;
      }
    }
    const double seconds = Seconds(t0);
    std::printf("%-28s %10ld %10ld %8.3f %14.0f\n", utf8.empty() ? "(empty)" : utf8.c_str(),
                positions, hits, seconds, positions / seconds);
  }
  std::printf("max resident %ld kB\n", MaxRssKb());
  return 0;
}
