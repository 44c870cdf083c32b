// The inscription condition code: parsed, and evaluated on every inscription of a small
// database whose record texts are fuzzed too. Input: the code, a line break, then the records
// (see records.h).

#include "fuzz_support.h"
#include "records.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace stavbas;
  const auto parts = fuzz::Split({reinterpret_cast<const char*>(data), size}, '\n', 2);
  const std::string base = fuzz::WriteRecords(fuzz::FreshFolder(), parts[1]);
  fuzz::Program p(base, "", parts[0], "$");
  if (!p.usable) return 0;
  p.app->run.AllRun();
  // Evaluated directly as well, on each inscription in turn.
  TDatabas& db = p.app->db;
  for (int n = 1; n <= 8; ++n)
    if (db.FindGivenInscription(db.fullSet() | db.AllDataSlots(), "U " + std::to_string(n) + " V "))
      p.app->conditions.InscriptionPasses();
  return 0;
}
