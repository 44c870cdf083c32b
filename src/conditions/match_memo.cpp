#include "conditions/match_memo.h"

#include <algorithm>
#include <utility>

namespace stavbas {
namespace {

// Steps of an evaluation before the memo is used: far more than a plain pattern needs on the
// longest record, far fewer than a pattern that backtracks without end takes.
constexpr std::size_t kDefaultBudget = 20000;
std::size_t g_budget = kDefaultBudget;

constexpr std::size_t kFirstCapacity = 4096;  // a power of two
constexpr unsigned kOffsetBits = 24;

}  // namespace

std::size_t MatchMemo::SetBudgetForTesting(std::size_t budget) {
  return std::exchange(g_budget, budget);
}

void MatchMemo::Begin(const char* base) {
  base_ = base;
  steps_ = 0;
  budget_ = g_budget;
  active_ = budget_ == 0;
  live_ = 0;
  if (++generation_ == 0) {  // after 2^32 evaluations the old stamps could come back
    std::fill(generations_.begin(), generations_.end(), 0);
    generation_ = 1;
  }
}

std::uint64_t MatchMemo::Key(std::uint32_t id, Part part, const char* p, const char* e) const {
  const auto po = static_cast<std::uint64_t>(p - base_);
  const auto eo = static_cast<std::uint64_t>(e - base_);
  // Bit 63 marks a key; the element and the part take the 15 bits below it.
  if (po >> kOffsetBits || eo >> kOffsetBits || id >> 13) return 0;
  return (static_cast<std::uint64_t>(id) << 2 | part) << (2 * kOffsetBits) | po << kOffsetBits |
         eo | std::uint64_t{1} << 63;
}

bool MatchMemo::Failed(std::uint32_t id, Part part, const char* p, const char* e) const {
  const std::uint64_t key = Key(id, part, p, e);
  if (key == 0 || keys_.empty()) return false;
  const std::size_t mask = keys_.size() - 1;
  for (std::size_t i = Slot(key);; i = (i + 1) & mask) {
    if (generations_[i] != generation_) return false;
    if (keys_[i] == key) return true;
  }
}

void MatchMemo::MarkFailed(std::uint32_t id, Part part, const char* p, const char* e) {
  const std::uint64_t key = Key(id, part, p, e);
  if (key == 0) return;
  if (2 * (live_ + 1) > keys_.size()) Grow();
  const std::size_t mask = keys_.size() - 1;
  for (std::size_t i = Slot(key);; i = (i + 1) & mask) {
    if (generations_[i] != generation_) {
      generations_[i] = generation_;
      keys_[i] = key;
      ++live_;
      return;
    }
    if (keys_[i] == key) return;
  }
}

void MatchMemo::Grow() {
  std::vector<std::uint64_t> keys = std::move(keys_);
  std::vector<std::uint32_t> generations = std::move(generations_);
  const std::size_t capacity = keys.empty() ? kFirstCapacity : 2 * keys.size();
  keys_.assign(capacity, 0);
  generations_.assign(capacity, 0);
  shift_ = 64;
  for (std::size_t c = capacity; c > 1; c >>= 1) --shift_;
  const std::size_t mask = capacity - 1;
  for (std::size_t j = 0; j < keys.size(); ++j) {
    if (generations[j] != generation_) continue;
    std::size_t i = Slot(keys[j]);
    while (generations_[i] == generation_) i = (i + 1) & mask;
    generations_[i] = generation_;
    keys_[i] = keys[j];
  }
}

}  // namespace stavbas
