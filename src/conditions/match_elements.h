#pragma once
// Compiled search patterns: chains of match elements. Each element tests the text at a
// position and, on success, hands the position after it to the rest of the chain (its
// continuation); elements that search try further positions when the rest fails. The text is
// a zero-terminated buffer; the end bound marks the end of the text proper, and the bytes from
// it on (the separator after a word, the closing mark of a field, ...) can still be looked at.

#include <cstdint>
#include <memory>
#include <vector>

#include "base/char_tables.h"
#include "conditions/flat_chain.h"
#include "conditions/match_memo.h"
#include "conditions/start_bytes.h"

namespace stavbas {

// What all elements of one pattern share: its character table, whether it tests a word (a
// word pattern may run on into the following words of the record), and the failures met in
// the evaluation under way.
struct PatternContext {
  const ByteTable* table = nullptr;  // T: 0 marks an ignorable character
  bool wordFlag = false;
  MatchMemo* memo = nullptr;
  // The text under evaluation may be read sixteen bytes at a time from any position before
  // its end bound (it lies in a line buffer with room after the line's end).
  bool padded = false;
};

class TMatchElement {
 public:
  TMatchElement(const PatternContext& ctx, std::uint32_t id) : ctx_(ctx), id_(id) {}
  virtual ~TMatchElement() = default;
  // Tests the element at p and the rest of the chain after it; a failure is remembered.
  bool Match(const char* p, const char* e) const;
  // Blank elements: whether a word made of ignorable characters only may be passed over.
  virtual bool MaySkipIgnorableWords() const { return false; }
  // Whether the element is sure to fail at p, told by a look at the text alone, before any
  // step is taken; `padded` as for CompiledPattern::Match. False when it cannot tell.
  virtual bool SureToFail(const char* /*p*/, const char* /*e*/, bool /*padded*/) const {
    return false;
  }
  // Fills in the element's step of a flat chain; false for the kinds a flat chain lacks (word
  // boundaries, alternatives, characters within ignorable ones).
  virtual bool Describe(FlatStep& /*step*/) const { return false; }

  void SetNext(const TMatchElement* next) { next_ = next; }
  const TMatchElement* next() const { return next_; }

 protected:
  // The element's own test, with the rest of the chain.
  virtual bool Try(const char* p, const char* e) const = 0;
  bool Next(const char* p, const char* e) const { return next_->Match(p, e); }
  unsigned char T(const char* p) const { return (*ctx_.table)[static_cast<unsigned char>(*p)]; }
  MatchMemo& memo() const { return *ctx_.memo; }
  // For elements that try a run of positions: whether `part` is known to fail at q, and
  // remembering that it fails at every position from `from` to `to` (both included).
  bool KnownToFail(MatchMemo::Part part, const char* q, const char* e) const {
    return memo().active() && memo().Failed(id_, part, q, e);
  }
  void FailedFrom(MatchMemo::Part part, const char* from, const char* to, const char* e) const;
  // Tries `attempt` at p, p+1, ... for as long as `goOn` holds for the position just tried. The
  // try from any later position of the run is a part of the try from p, so a failure is
  // remembered for the whole run.
  template <typename Attempt, typename GoOn>
  bool TryRun(const char* p, const char* e, Attempt&& attempt, GoOn&& goOn) const {
    const char* q = p;
    for (;; ++q) {
      memo().Step();
      if (q > p && KnownToFail(MatchMemo::kElement, q, e)) {
        --q;
        break;
      }
      if (attempt(q)) return true;
      if (!goOn(q)) break;
    }
    FailedFrom(MatchMemo::kElement, p + 1, q, e);
    return false;
  }

  const PatternContext& ctx_;
  const std::uint32_t id_;  // the element's number within its pattern

 private:
  const TMatchElement* next_ = nullptr;
};

// The element kinds the compiler makes.
enum class ElementKind {
  kCharHere,
  kCharAfterIgnorable,
  kCharWithinIgnorable,
  kCharSearch,
  kClassHere,
  kClassAfterIgnorable,
  kClassSearch,
  kBlankHere,
  kBlankAfterIgnorable,
  kBlankSearch,
  kBlankStart,
};

// All elements of one compiled pattern; they are released together with it.
class CompiledPattern {
 public:
  CompiledPattern(const ByteTable& table, bool wordFlag);
  CompiledPattern(const CompiledPattern&) = delete;
  CompiledPattern& operator=(const CompiledPattern&) = delete;

  // A comparing element: c is compared as it stands (Char kinds), or the class table entry of
  // the text character must equal k (Class kinds; the table is T itself for a folded literal).
  TMatchElement* MakeChar(ElementKind kind, char c);
  TMatchElement* MakeClass(ElementKind kind, const ByteTable& classTable, unsigned char k);
  TMatchElement* MakeBlank(ElementKind kind);
  TMatchElement* MakeAnyRest();
  TMatchElement* MakeEnd();
  TMatchElement* MakeAlt(const TMatchElement* first, const TMatchElement* second);
  // A class table for "#K", "#V" or "#X" built from T; it lives as long as the pattern.
  const ByteTable& ClassTable(char code);

  // Sets the first element, once the chain after it is complete.
  void SetHead(const TMatchElement* head);
  // Matches the text from `start`, with `end` as its end bound; `padded` when the text may be
  // read sixteen bytes at a time up to its end bound (see PatternContext).
  bool Match(const char* start, const char* end, bool padded = false);
  // Whether the pattern is laid out flat, with the quick looks on: a walk may then ask
  // look() and the flat evaluation about a word instead of evaluating its position.
  bool Flat() const { return quickLooks_ && flat_.Laid(); }
  // The look at a padded text's first bytes that tells when Match is sure to fail there.
  const FirstLook& look() const { return flat_.look(); }
  // For a flat pattern: whether the flat evaluation serves for the padded text from p to e
  // (it is not too long), and where it does, Match of that text with the first look left out.
  bool FlatServes(const char* p, const char* e) const {
    return flat_.Serves(static_cast<std::size_t>(e - p));
  }
  bool FlatMatch(const char* p, const char* e) const { return flat_.Evaluate(p, e); }
  const ByteTable& table() const { return *ctx_.table; }
  // Whether Match may take its quick looks (a first element sure to fail, sixteen-byte
  // compares); for tests that compare the results without them. Returns the setting before.
  static bool SetQuickLooksForTesting(bool on);
  bool wordFlag() const { return ctx_.wordFlag; }

 private:
  template <typename E, typename... Args>
  E* Add(Args&&... args);

  static inline bool quickLooks_ = true;
  PatternContext ctx_;
  MatchMemo memo_;
  std::vector<std::unique_ptr<TMatchElement>> elements_;
  std::vector<std::unique_ptr<ByteTable>> classTables_;
  const TMatchElement* head_ = nullptr;
  FlatChain flat_;  // the chain from head_ laid out flat, when its elements allow
};

}  // namespace stavbas
