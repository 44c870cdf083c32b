#pragma once
// The condition language shared by the word search code and the inscription condition code:
// terms joined by "&" (and) and "+" (or), grouping to the right, "-" for not, braces, and atoms
// of a file designator, a colon and a search pattern.

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "conditions/cond_nodes.h"
#include "database/slot_set.h"

namespace stavbas {

class TDatabas;
class Ui;

// Codes and every piece of them the parser cuts off are at most this long.
constexpr std::size_t kMaxCodeLength = 255;

// The outcome of a parse besides the tree.
struct ParseState {
  std::uint16_t errorCode = 0;  // CondErrorCode: 0 when the code was accepted
  bool errorShown = false;      // CondErrorShown: the error was shown; show no more for it
  FileRefSets files;            // UsedFiles (all) and WordFiles (words)
  // The warnings shown for the code being parsed: each is shown once per code, at its first
  // occurrence, however often the code repeats the cause.
  std::set<std::uint16_t> warningsShown;
};

// Top-level search: the 1-based position of the first character of `set` outside braces and
// not escaped by "\", or 0. Unbalanced braces and a trailing "\" set `error` (4220, 4221, 4222).
std::size_t FindTopLevel(std::string_view text, std::string_view set, std::uint16_t& error);

class ConditionParser {
 public:
  ConditionParser(Ui& ui, const TDatabas& db, ParseState& state)
      : ui_(ui), db_(db), state_(state) {}

  // Parses a whole code (already trimmed, not empty). Null on an error, which has been shown.
  CondPtr ParseExpr(std::string_view text);

 private:
  CondPtr ParseTerm(std::string_view text);
  CondPtr ParseAtom(std::string_view text);
  // A search pattern: sequences separated by "/" at top level. `cont` is the continuation
  // shared by the alternatives (null at the top of an atom).
  const TMatchElement* CompilePattern(CompiledPattern& pattern, std::string_view text,
                                      const TMatchElement* cont, bool start, bool exact);
  const TMatchElement* CompileSequence(CompiledPattern& pattern, std::string_view text,
                                       const TMatchElement* cont, bool start, bool exact);

  std::nullptr_t Fail(std::uint16_t code, std::string_view text);
  void Warn(std::uint16_t code, std::string_view text);
  void Show(const std::string& message, std::string_view text);

  Ui& ui_;
  const TDatabas& db_;
  ParseState& state_;
};

}  // namespace stavbas
