#pragma once
// Sets of database slots: 0 is the input list, 1 to 15 the data files.

#include <cstdint>

namespace stavbas {

using SlotSet = std::uint16_t;
constexpr int kMaxDataFiles = 15;

constexpr SlotSet SlotBit(int slot) {
  return static_cast<SlotSet>(1u << slot);
}
constexpr bool InSet(SlotSet set, int slot) {
  return (set >> slot) & 1u;
}

// The sets of files that one code refers to.
struct FileRefSets {
  SlotSet words = 0;  // files referenced word by word
  SlotSet all = 0;    // files referenced in any form
};

}  // namespace stavbas
