// The word search code: parsed, and evaluated at every word position and reading of a small
// database whose record texts are fuzzed too, through an attestation run that marks each hit.
// The run passes words by the widest blocks the processor takes, and must write the same text
// when it passes them by blocks of sixteen.
// Input: the code, a line break, then the records (see records.h).

#include <cstdlib>

#include "database/word_steps.h"
#include "fuzz_support.h"
#include "records.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace stavbas;
  const auto parts = fuzz::Split({reinterpret_cast<const char*>(data), size}, '\n', 2);
  const std::string base = fuzz::WriteRecords(fuzz::FreshFolder(), parts[1]);
  fuzz::Program p(base, parts[0], "", "\xDF$ RUN NFS");
  if (!p.usable) return 0;
  p.app->run.AllRun();
  if (const int widest = WordBlockWidth(); widest > 16) {
    const std::string wide = p.window.Text();
    p.window.Clear();
    LimitWordBlockWidth(16);
    p.app->run.AllRun();
    LimitWordBlockWidth(widest);
    if (p.window.Text() != wide) std::abort();  // the two widths disagree
  }
  // Evaluated directly as well: every position, every further reading.
  TDatabas& db = p.app->db;
  const SlotSet walked = db.wordSet();
  for (int n = 1; n <= 8; ++n) {
    if (!db.FindGivenInscription(db.fullSet(), "U " + std::to_string(n) + " V ")) continue;
    db.FirstWords(walked);
    while (db.NextWords(walked)) {
      bool further = false;
      p.app->conditions.EvalWordPosition(walked, further);
    }
  }
  return 0;
}
