#pragma once
// Counting the bits of a mask without a library call.

#include <array>
#include <cstdint>

namespace stavbas {

// The number of bits set; std::popcount is a library call where the processor's own count is
// not enabled at build time.
inline int BitCount(std::uint64_t x) {
  x -= (x >> 1) & 0x5555555555555555u;
  x = (x & 0x3333333333333333u) + ((x >> 2) & 0x3333333333333333u);
  x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
  return static_cast<int>((x * 0x0101010101010101u) >> 56);
}

// The same for a mask of sixteen bits, by two lookups.
inline int BitCount16(unsigned x) {
  static constexpr auto kBits = [] {
    std::array<std::uint8_t, 256> t{};
    for (int i = 1; i < 256; ++i) t[i] = static_cast<std::uint8_t>((i & 1) + t[i / 2]);
    return t;
  }();
  return kBits[x & 0xFF] + kBits[(x >> 8) & 0xFF];
}

}  // namespace stavbas
