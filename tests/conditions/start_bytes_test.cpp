// The byte sets the word look tests sixteen places at once must be the sets the pattern's
// steps were compared with, byte for byte, or a look would pass a word that matches.
#include "conditions/start_bytes.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <set>

namespace stavbas {
namespace {

// Sixteen bytes with `b` at `at` and other bytes around it, so that every byte meets every
// place of a block.
std::array<char, 16> BlockWith(int b, int at) {
  std::array<char, 16> block{};
  for (int i = 0; i < 16; ++i)
    block[i] = static_cast<char>(i == at ? b : (b + 37 * (i + 1)) & 0xFF);
  return block;
}

TEST(StartBytes, LettersAndBlanksAreFoundAsTheByteTestSaysAtEveryPlace) {
  for (int b = 0; b < 256; ++b) {
    for (int at = 0; at < 16; ++at) {
      const std::array<char, 16> block = BlockWith(b, at);
      unsigned expected = 0;
      for (int i = 0; i < 16; ++i)
        if (IsLetterOrBlank(block[i])) expected |= 1u << i;
      ASSERT_EQ(LetterOrBlankMask16(block.data()), expected) << "byte " << b << " at " << at;
    }
  }
  // Runic dividers and brackets, which patterns skip, are neither.
  for (const char c : std::string_view("'*+:`\xA4\xA6\xB4\xB6\xB7\xD7\xF7()<=>[]^{|}\"\0", 25))
    EXPECT_FALSE(IsLetterOrBlank(c)) << static_cast<int>(static_cast<unsigned char>(c));
}

TEST(StartBytes, FindsExactlyItsFewBytes) {
  std::mt19937 random(7);
  for (int round = 0; round < 60; ++round) {
    std::set<unsigned char> set;
    const int count = 1 + round % StartBytes::kMax;
    while (static_cast<int>(set.size()) < count)
      set.insert(static_cast<unsigned char>(1 + random() % 255));
    StartBytes bytes;
    ASSERT_TRUE(
        bytes.Collect([&](char c) { return set.count(static_cast<unsigned char>(c)) > 0; }));
    for (int b = 1; b < 256; ++b) {
      const std::array<char, 16> block = BlockWith(b, static_cast<int>(random() % 16));
      unsigned expected = 0;
      for (int i = 0; i < 16; ++i)
        if (set.count(static_cast<unsigned char>(block[i]))) expected |= 1u << i;
      ASSERT_EQ(bytes.Mask16(block.data()), expected);
      ASSERT_EQ(bytes.AnyIn(block.data(), block.data() + 16), expected != 0);
    }
  }
  StartBytes five;
  EXPECT_FALSE(five.Collect([](char c) { return c >= 'a' && c <= 'e'; }));
  EXPECT_FALSE(five.usable());
}

}  // namespace
}  // namespace stavbas
