#pragma once
// A small database for condition tests: one inscription whose lines the test gives, the codes
// parsed against it, and the word positions at which a word search passes.

#include <string>
#include <vector>

#include "conditions/conditions.h"
#include "database/mini_db.h"

namespace stavbas::test {

class ConditionFixture {
 public:
  // Writes one inscription "U 1 V " (or the given signum) with these texts (UTF-8) and reads it.
  void Record(const std::string& run, const std::string& nfs = "a", const std::string& inf = "",
              const std::string& signum = "U 1 V ");
  // Parses an inscription condition code and evaluates it on the record.
  bool Holds(const std::string& code);
  // Parses a word search code and returns the main word file's words (UTF-8) at the positions
  // where it passes, with "/" and the reading appended when a further reading remained.
  std::vector<std::string> WordHits(const std::string& code);

  MiniDb m;
  Conditions conditions{m.ui, m.db};
  std::string signum_;
};

}  // namespace stavbas::test
