#include "base/cp1252.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace stavbas {
namespace {

// Unicode code points of bytes 0x80 to 0x9F; 0 where Windows-1252 leaves the byte undefined
// (those bytes map to the C1 control of the same value).
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
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

}  // namespace

char32_t Cp1252CodePoint(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F && kHigh[b - 0x80] != 0) return kHigh[b - 0x80];
  return b;
}

int Cp1252ByteOf(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == cp) return 0x80 + i;
  if (cp >= 0x80 && cp <= 0x9F && kHigh[cp - 0x80] == 0) return static_cast<int>(cp);
  return -1;
}

std::string Cp1252ToUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size() + s.size() / 8);
  AppendCp1252AsUtf8(out, s);
  return out;
}

void AppendCp1252AsUtf8(std::string& out, std::string_view s) {
  // The UTF-8 form of every byte from 0x80 on, built once: its length and up to three bytes.
  static const std::array<std::array<char, 4>, 128> kEncoded = [] {
    std::array<std::array<char, 4>, 128> t{};
    for (int b = 0x80; b <= 0xFF; ++b) {
      std::string u;
      AppendUtf8(u, Cp1252CodePoint(static_cast<unsigned char>(b)));
      t[b - 0x80][0] = static_cast<char>(u.size());
      std::copy(u.begin(), u.end(), t[b - 0x80].begin() + 1);
    }
    return t;
  }();
  // Runs of ASCII, the most of any text, are found eight bytes at a time and copied whole.
  const char* p = s.data();
  const char* const end = p + s.size();
  while (p < end) {
    const char* ascii = p;
    for (std::uint64_t w; end - ascii >= 8; ascii += 8) {
      std::memcpy(&w, ascii, 8);
      if (w & 0x8080808080808080ull) break;
    }
    while (ascii < end && static_cast<unsigned char>(*ascii) < 0x80) ++ascii;
    out.append(p, ascii);
    if (ascii == end) break;
    const auto& e = kEncoded[static_cast<unsigned char>(*ascii) - 0x80];
    out.append(e.data() + 1, static_cast<std::size_t>(e[0]));
    p = ascii + 1;
  }
}

std::string Utf8ToCp1252(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    bool valid = len > 0 && i + len <= s.size();
    char32_t cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
    for (int k = 1; valid && k < len; ++k) {
      const auto cb = static_cast<unsigned char>(s[i + k]);
      if ((cb & 0xC0) != 0x80) valid = false;
      cp = (cp << 6) | (cb & 0x3F);
    }
    if (valid && len > 1 && cp < (len == 2 ? 0x80u : len == 3 ? 0x800u : 0x10000u)) valid = false;
    if (!valid) {
      out += static_cast<char>(b);  // not UTF-8: keep the byte as Windows-1252
      ++i;
      continue;
    }
    const int byte = Cp1252ByteOf(cp);
    out += byte < 0 ? '?' : static_cast<char>(byte);
    i += len;
  }
  return out;
}

}  // namespace stavbas
