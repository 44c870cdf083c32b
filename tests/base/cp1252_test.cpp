// Conversion between Windows-1252 and UTF-8: every byte, and bytes at every place in a run of
// ASCII (the conversion looks at ASCII several bytes at a time).

#include <gtest/gtest.h>

#include <random>
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

// One character at a time, the plain way.
std::string Utf8Of(std::string_view text, bool withoutCr) {
  std::string out;
  for (const char c : text) {
    if (withoutCr && c == '\r') continue;
    const char32_t cp = Cp1252CodePoint(static_cast<unsigned char>(c));
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

// The conversion for standard output, appended to `out`.
void AppendWithoutCr(std::string& out, std::string_view text) {
  const std::size_t old = out.size();
  out.resize(old + Utf8Room(text.size()));
  out.resize(
      static_cast<std::size_t>(WriteCp1252AsUtf8WithoutCr(out.data() + old, text) - out.data()));
}

void ConvertsRandomTextsAsCharacterByCharacter() {
  std::mt19937 random(11);
  const std::string pieces[] = {
      "a",         "runa ", "\xFE", "\xB7", "0123456789abcdef", "\xFF\xE5",
      "st\xE6in ", "\r\n",  "\r",   "\n",   "\x80\x81",         "0123456789abcdefghijklmnopqrstuv"};
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    const bool letters = round % 2 == 1;
    for (int n = static_cast<int>(random() % (letters ? 40 : 12)); n > 0; --n)
      text += pieces[random() % (letters && random() % 8 ? 7 : std::size(pieces))];
    std::string kept = "kept\r";
    AppendCp1252AsUtf8(kept, text);
    EXPECT_EQ(kept, "kept\r" + Utf8Of(text, false)) << "round " << round;
    kept = "kept\r";
    AppendWithoutCr(kept, text);
    EXPECT_EQ(kept, "kept\r" + Utf8Of(text, true)) << "round " << round;
  }
}

TEST(Cp1252, TextOfAnyMixAndLengthConvertsAsCharacterByCharacter) {
  // Runs of ASCII, letters from the upper half, line ends and lone "\r", across the blocks the
  // conversion copies or expands whole; every other round mostly letters, in longer texts.
  // Each way of converting: byte by byte, sixteen, thirty-two and sixty-four bytes at a time
  // where the processor has them (the narrower way stands in otherwise).
  for (const int width : {0, 16, 32, 64}) {
    SCOPED_TRACE(width);
    LimitUtf8ConversionWidth(width);
    ConvertsRandomTextsAsCharacterByCharacter();
  }
  LimitUtf8ConversionWidth(64);
  std::string out;
  AppendWithoutCr(out, "U 1\r\nr\xF6k\r\n");
  EXPECT_EQ(out, "U 1\nr\u00F6k\n");
}

}  // namespace
}  // namespace stavbas
