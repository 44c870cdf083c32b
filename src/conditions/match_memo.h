#pragma once
// The failures of one pattern's elements during one evaluation, so that no element is tried
// twice at the same position and end bound. Backtracking over alternatives, stars and runs of
// ignorable characters could otherwise try the same rest of a pattern an exponential number
// of times; with the failures remembered an evaluation takes at most a few steps per element
// and position of the text.
//
// Most evaluations end after a handful of steps, so the memo only starts to remember once an
// evaluation has taken more steps than a plain search of a long text needs.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace stavbas {

class MatchMemo {
 public:
  // What is remembered for an element besides its own match: the word-start step, the word
  // boundary and the search for a boundary of the blank elements.
  enum Part : std::uint32_t { kElement = 0, kWordStart = 1, kBoundary = 2, kSearch = 3 };

  // A new evaluation of a text that starts at `base`; nothing is remembered from earlier ones.
  void Begin(const char* base);
  // Counts one step; the memo is used from the step after the budget on.
  void Step() {
    ++totalSteps_;
    if (!active_ && ++steps_ > budget_) active_ = true;
  }
  // Counts n steps at once.
  void Steps(std::size_t n) {
    totalSteps_ += n;
    if (!active_ && (steps_ += n) > budget_) active_ = true;
  }
  // Whether n more steps would still leave the memo unused.
  bool Idle(std::size_t n) const { return !active_ && steps_ + n <= budget_; }
  bool active() const { return active_; }

  // Whether part `part` of element `id` is known to fail at p with end bound e.
  bool Failed(std::uint32_t id, Part part, const char* p, const char* e) const;
  void MarkFailed(std::uint32_t id, Part part, const char* p, const char* e);

  // Steps an evaluation may take before the memo starts; for tests (0: from the first step,
  // SIZE_MAX: never). Returns the budget before.
  static std::size_t SetBudgetForTesting(std::size_t budget);
  // Steps taken by all evaluations so far; for tests of the bound.
  static std::uint64_t StepsForTesting() { return totalSteps_; }

 private:
  // The key of a failure, 0 when the positions are too far apart to pack (not remembered).
  std::uint64_t Key(std::uint32_t id, Part part, const char* p, const char* e) const;
  void Grow();
  // Where a key's search for a slot begins.
  std::size_t Slot(std::uint64_t key) const {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> shift_);
  }

  static inline std::uint64_t totalSteps_ = 0;
  const char* base_ = nullptr;
  std::size_t steps_ = 0;
  std::size_t budget_ = 0;
  bool active_ = false;
  std::uint32_t generation_ = 0;  // slots of older generations count as empty
  std::size_t live_ = 0;          // slots of this generation
  unsigned shift_ = 64;           // 64 minus the bits of the capacity
  std::vector<std::uint64_t> keys_;
  std::vector<std::uint32_t> generations_;
};

}  // namespace stavbas
