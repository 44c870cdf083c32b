#include "conditions/flat_chain.h"

#include <bit>
#include <utility>

namespace stavbas {

void FlatChain::Assign(std::vector<FlatStep> steps) {
  steps_ = std::move(steps);
  searches_ = 0;
  straightFrom_ = 0;
  for (std::size_t i = 0; i < steps_.size(); ++i) {
    if (steps_[i].op != FlatStep::Op::kSearch && steps_[i].op != FlatStep::Op::kAnyRest) continue;
    ++searches_;
    straightFrom_ = i + 1;
  }
  look_ = FirstLook{};
  if (steps_.empty()) return;
  const FlatStep& first = steps_[0];
  look_.op = first.op;
  look_.bits = first.bits.data();
  look_.bytes = first.bytes;
  // A look at many tokens at once needs the few bytes a first search accepts (its bytes are
  // usable). An empty token is tried at the blank after it, so a first step that accepts or
  // skips a blank cannot be looked at so.
  const bool blank = first.bits[' '] & (FlatStep::kAccept | FlatStep::kIgnorable);
  look_.blocks =
      !blank && (first.op == FlatStep::Op::kSearch ? first.bytes.usable()
                                                   : first.op == FlatStep::Op::kHere ||
                                                         first.op == FlatStep::Op::kAfterIgnorable);
  for (std::size_t i = 1; i < steps_.size() && look_.followingCount < FirstLook::kFollowing; ++i) {
    const FlatStep::Op op = steps_[i].op;
    if (op != FlatStep::Op::kHere && op != FlatStep::Op::kAfterIgnorable) break;
    look_.following[look_.followingCount] = steps_[i].bits.data();
    look_.skips[look_.followingCount++] = op == FlatStep::Op::kAfterIgnorable;
  }
  if (first.op == FlatStep::Op::kSearch && look_.followingCount > 0) {
    const std::uint8_t* second = look_.following[0];
    StartBytes& passing = look_.secondBytes;
    int count = 0;
    passing.Collect([second, &count](char c) {
      const bool passes = IsLetterOrBlank(c) && (second[static_cast<unsigned char>(c)] &
                                                 (FlatStep::kAccept | FlatStep::kIgnorable));
      count += passes;
      return passes;
    });
    // Collect stops at one more than it can take, or takes none.
    look_.secondAtOnce = count <= StartBytes::kMax;
  }
}

namespace {

bool Accepts(const FlatStep& s, const char* q) {
  return (s.bits[static_cast<unsigned char>(*q)] & FlatStep::kAccept) != 0;
}

}  // namespace

inline bool FlatChain::Straight(std::size_t i, const char* p, const char* e) const {
  for (;; ++i) {
    const FlatStep& s = steps_[i];
    if (s.op == FlatStep::Op::kEnd) return p <= e;
    if (s.op == FlatStep::Op::kAfterIgnorable)
      while ((s.bits[static_cast<unsigned char>(*p)] & FlatStep::kIgnorable) && p < e) ++p;
    if (!Accepts(s, p)) return false;
    ++p;
  }
}

bool FlatChain::From(std::size_t i, const char* p, const char* e, bool padded) const {
  // The comparisons test the byte at p even past the end bound (the separator after a word);
  // the NUL that ends the text passes none, so no step reads past it.
  for (;; ++i) {
    const FlatStep& s = steps_[i];
    switch (s.op) {
      case FlatStep::Op::kAfterIgnorable:
        while ((s.bits[static_cast<unsigned char>(*p)] & FlatStep::kIgnorable) && p < e) ++p;
        [[fallthrough]];
      case FlatStep::Op::kHere:
        if (!Accepts(s, p)) return false;
        ++p;
        break;
      case FlatStep::Op::kSearch:
        // At or past the end bound only the position itself is tried.
        if (p < e) return Search(i, p, e, padded);
        if (!Accepts(s, p)) return false;
        ++p;
        break;
      case FlatStep::Op::kAnyRest:
        if (p > e) return false;
        for (const char* q = p; q <= e; ++q)
          if (i + 1 >= straightFrom_ ? Straight(i + 1, q, e) : From(i + 1, q, e, padded))
            return true;
        return false;
      case FlatStep::Op::kEnd:
        return p <= e;
    }
  }
}

namespace {

// The positions from p before e that hold one of the step's bytes (all positions where
// `padded` is false or the bytes are too many), in order, each handed to `rest` with the
// position after it, until `rest` holds.
template <typename Rest>
[[gnu::always_inline]] inline bool Candidates(const FlatStep& s, const char* p, const char* e,
                                              bool padded, Rest&& rest) {
  if (padded && s.bytes.usable()) {
    for (const char* block = p; block < e; block += 16) {
      unsigned mask = s.bytes.Mask16(block);
      if (e - block < 16) mask &= (1u << (e - block)) - 1;
      for (; mask != 0; mask &= mask - 1)
        if (rest(block + std::countr_zero(mask) + 1)) return true;
    }
    return false;
  }
  for (const char* q = p; q < e; ++q)
    if (Accepts(s, q) && rest(q + 1)) return true;
  return false;
}

}  // namespace

bool FlatChain::Search(std::size_t i, const char* p, const char* e, bool padded) const {
  // After the last search the rest of the chain has one way through, taken without a call.
  if (i + 1 >= straightFrom_)
    return Candidates(steps_[i], p, e, padded,
                      [&](const char* q) { return Straight(i + 1, q, e); });
  return Candidates(steps_[i], p, e, padded,
                    [&](const char* q) { return From(i + 1, q, e, padded); });
}

}  // namespace stavbas
