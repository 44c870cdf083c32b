#pragma once
// A pattern whose elements each compare one character, skip ignorable characters before one,
// search a run of positions or end it, laid out in one array and evaluated in one loop. Such a
// chain has a single way through but for its searching elements, so with at most one of them
// an evaluation takes at most a step per position and element, and needs no memo of failures.
// Most word-search patterns are of this kind ("stain", "st*n", "#Ka"...).

#include <array>
#include <bit>
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
  StartBytes bytes;                      // a first search's bytes
  static constexpr int kFollowing = 4;
  // The steps after the first, as far as they compare one byte each (at most kFollowing).
  std::array<const std::uint8_t*, kFollowing> following{};
  std::array<bool, kFollowing> skips{};  // the step skips ignorable bytes first
  int followingCount = 0;
  bool blocks = false;  // Candidates16 serves
  // For a first search followed by a compared step: the letters and blanks (IsLetterOrBlank)
  // that the second step accepts or skips, when few enough to search for. A found byte is
  // then followed by a byte that may pass the second step only where that byte is one of
  // them or no letter or blank at all, which is told sixteen places at once.
  bool secondAtOnce = false;
  StartBytes secondBytes;

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

  // Where, among the sixteen bytes at p, the chain may find its first character in a token:
  // any byte it accepts for a first search; for a first compared character, a token's first
  // byte (`starts`), after any bytes it skips. Each is kept only when the bytes after it may
  // pass the steps that follow. A token of a padded text without such a byte is one the
  // chain surely fails on (SureToFail), also when it is empty. Only where `blocks`; only the
  // bits of `within` are looked at, and the 2 * kFollowing bytes after each must be readable.
  unsigned Candidates16(const char* p, unsigned starts, unsigned within) const {
    unsigned found = 0;
    if (op == FlatStep::Op::kSearch) {
      unsigned found16 = bytes.Mask16(p) & within;
      // Without a branch: whether a byte is found at all is hard to foresee.
      if (secondAtOnce) {
        unsigned mayFollow = ~LetterOrBlankMask16(p + 1);
        if (secondBytes.usable()) mayFollow |= secondBytes.Mask16(p + 1);
        found16 &= mayFollow;
      }
      for (unsigned rest = found16; rest != 0; rest &= rest - 1)
        if (MayFollow(p + std::countr_zero(rest) + 1)) found |= rest & -rest;
      return found;
    }
    // Most tokens begin with a byte that the first step neither accepts nor skips: one look
    // at the byte table passes them.
    const std::uint8_t first = op == FlatStep::Op::kAfterIgnorable
                                   ? FlatStep::kAccept | FlatStep::kIgnorable
                                   : FlatStep::kAccept;
    for (unsigned rest = starts & within; rest != 0; rest &= rest - 1) {
      const char* q = p + std::countr_zero(rest);
      if (!(bits[static_cast<unsigned char>(*q)] & first)) continue;
      if (op == FlatStep::Op::kAfterIgnorable) {
        // The skipped bytes lie within the token: a blank or the line's end is never skipped
        // (a first step that skips a blank looks at no blocks, and no "\0" is passed).
        int k = 0;
        for (; k < kFollowing && *q != '\0' &&
               (bits[static_cast<unsigned char>(*q)] & FlatStep::kIgnorable);
             ++k)
          ++q;
        if (k == kFollowing) {
          found |= rest & -rest;  // too many to look past
          continue;
        }
      }
      if ((bits[static_cast<unsigned char>(*q)] & FlatStep::kAccept) && MayFollow(q + 1))
        found |= rest & -rest;
    }
    return found;
  }

  // Whether the bytes from q may pass the steps that follow the first, as far as they compare
  // one byte each: false where one of them surely fails.
  bool MayFollow(const char* q) const {
    for (int k = 0; k < followingCount; ++k, ++q) {
      const std::uint8_t b = following[k][static_cast<unsigned char>(*q)];
      if (skips[k] && (b & FlatStep::kIgnorable)) return true;  // later bytes decide
      if (!(b & FlatStep::kAccept)) return false;
    }
    return true;
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
