#pragma once
// A pattern whose elements each compare one character, skip ignorable characters before one,
// search a run of positions or end it, laid out in one array and evaluated in one loop. Such a
// chain has a single way through but for its searching elements, so with at most one of them
// an evaluation takes at most a step per position and element, and needs no memo of failures.
// Most word-search patterns are of this kind ("stain", "st*n", "#Ka"...).

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "conditions/start_bytes.h"

namespace stavbas {

struct FlatStep {
  enum class Op : std::uint8_t { kHere, kAfterIgnorable, kSearch, kAnyRest, kEnd };
  static constexpr std::uint8_t kAccept = 1;     // the byte passes the comparison
  static constexpr std::uint8_t kIgnorable = 2;  // the byte may be skipped before it
  Op op = Op::kEnd;
  std::array<std::uint8_t, 256> bits{};
  StartBytes bytes;  // a search's bytes, when few enough to compare sixteen at once
};

// The look at a text's first bytes that a chain's first step allows: a copy that a walk keeps
// at hand for every word.
struct FirstLook {
  FlatStep::Op op = FlatStep::Op::kEnd;  // an end or a star tells nothing
  const std::uint8_t* bits = nullptr;    // the first step's byte table
  StartBytes bytes;

  // Whether the chain fails on a padded text from p with end bound e; false when the look
  // cannot tell.
  bool SureToFail(const char* p, const char* e) const {
    switch (op) {
      case FlatStep::Op::kSearch:
        // At or past the end bound a search tries only the position itself.
        if (p < e) return bytes.usable() && !bytes.AnyIn(p, e);
        [[fallthrough]];
      case FlatStep::Op::kHere:
        return !(bits[static_cast<unsigned char>(*p)] & FlatStep::kAccept);
      case FlatStep::Op::kAfterIgnorable:
        return !(bits[static_cast<unsigned char>(*p)] & (FlatStep::kAccept | FlatStep::kIgnorable));
      default:
        return false;
    }
  }
};

class FlatChain {
 public:
  // Takes the steps in chain order, the last an end; an empty list leaves the chain unused.
  void Assign(std::vector<FlatStep> steps);
  // Whether the chain can evaluate a text of n characters within a few steps per position:
  // with two searching elements the steps grow with the square of the length.
  bool Serves(std::size_t n) const {
    return !steps_.empty() && (searches_ <= 1 || (searches_ == 2 && n <= kShortText));
  }
  const FirstLook& look() const { return look_; }
  bool Laid() const { return !steps_.empty(); }
  // The evaluation of a padded text without the first look.
  bool Evaluate(const char* p, const char* e) const { return From(0, p, e, true); }
  // The evaluation from p with end bound e; `padded` as for CompiledPattern::Match.
  bool Match(const char* p, const char* e, bool padded) const {
    // A first search tries only the positions that hold its bytes: no look is needed first.
    if (look_.op != FlatStep::Op::kSearch && padded && look_.SureToFail(p, e)) return false;
    return From(0, p, e, padded);
  }

 private:
  static constexpr std::size_t kShortText = 64;
  bool From(std::size_t i, const char* p, const char* e, bool padded) const;
  // The steps from i on when none of them searches: one way through, without a call.
  bool Straight(std::size_t i, const char* p, const char* e) const;
  // A search step at i, from p before the end bound.
  bool Search(std::size_t i, const char* p, const char* e, bool padded) const;

  std::vector<FlatStep> steps_;
  int searches_ = 0;
  std::size_t straightFrom_ = 0;  // the steps from here on do not search
  FirstLook look_;
};

}  // namespace stavbas
