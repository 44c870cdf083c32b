// Conversion between Windows-1252 and UTF-8: every byte, and bytes at every place in a run of
// ASCII (the conversion looks at ASCII several bytes at a time).

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "base/cp1252.h"

namespace stavbas {
namespace {

TEST(Cp1252, EveryByteConvertsAndComesBack) {
  EXPECT_EQ(Cp1252ToUtf8("\x80 \x9F \xA0 \xE5\xE4\xF6 \xFF"),
            "\u20AC \u0178 \u00A0 \u00E5\u00E4\u00F6 \u00FF");
  EXPECT_EQ(Cp1252ToUtf8("\x81\x9D"), "\u0081\u009D") << "undefined bytes: the C1 control";
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(byte)), byte) << "byte " << b;
  }
}

TEST(Cp1252, ALetterAnywhereInAsciiTextConvertsInPlace) {
  const std::string ascii = "abcdefghijklmnopqrstu";
  for (std::size_t at = 0; at <= ascii.size(); ++at) {
    for (const auto& [byte, utf8] : {std::pair{"\xE5", "\u00E5"}, std::pair{"\x80", "\u20AC"}}) {
      std::string text = ascii;
      text.insert(at, byte);
      std::string want = ascii;
      want.insert(at, utf8);
      EXPECT_EQ(Cp1252ToUtf8(text), want) << "at " << at;
    }
  }
  std::string out = "kept ";
  AppendCp1252AsUtf8(out, "r\xF6k");
  EXPECT_EQ(out, "kept r\u00F6k") << "appending keeps what is there";
}

}  // namespace
}  // namespace stavbas
