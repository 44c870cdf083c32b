#include "base/cp1252.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

namespace {

// The UTF-8 form of every byte: up to three bytes, and their count in the fourth.
using Utf8Table = std::array<std::array<char, 4>, 256>;

Utf8Table MakeUtf8Table(bool withoutCr) {
  Utf8Table t{};
  for (int b = 0; b < 256; ++b) {
    std::string u;
    AppendUtf8(u, Cp1252CodePoint(static_cast<unsigned char>(b)));
    if (withoutCr && b == '\r') u.clear();
    std::copy(u.begin(), u.end(), t[b].begin());
    t[b][3] = static_cast<char>(u.size());
  }
  return t;
}

// A byte is looked up and its four table bytes written without a branch; the end moves on by
// the character's length, so what follows overwrites the rest. Sixteen bytes at a time are
// copied as they stand up to the first that must change (any from 0x80 on, and "\r" when it is
// left out), which is then looked up; with none, the sixteenth is. Nothing depends on how the
// text mixes plain bytes and others, so there is no branch to guess wrong.
template <bool kWithoutCr>
char* WriteByTable(char* p, std::string_view s, const Utf8Table& table) {
  const char* q = s.data();
  const char* const end = q + s.size();
  auto one = [&] {
    const auto& e = table[static_cast<unsigned char>(*q++)];
    std::memcpy(p, e.data(), 4);
    p += e[3];
  };
#ifdef __SSE2__
  const __m128i cr = _mm_set1_epi8('\r');
  while (end - q >= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
    int special = _mm_movemask_epi8(v);
    if constexpr (kWithoutCr) special |= _mm_movemask_epi8(_mm_cmpeq_epi8(v, cr));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
    const int plain = __builtin_ctz(static_cast<unsigned>(special) | 0x8000u);
    p += plain;
    q += plain;
    one();
  }
#endif
  while (q < end) one();
  return p;
}

const Utf8Table& TableWithCr() {
  static const Utf8Table table = MakeUtf8Table(false);
  return table;
}

const Utf8Table& TableWithoutCr() {
  static const Utf8Table table = MakeUtf8Table(true);
  return table;
}

}  // namespace

void AppendCp1252AsUtf8(std::string& out, std::string_view s) {
  const std::size_t old = out.size();
  out.resize(old + Utf8Room(s.size()));
  char* end = WriteByTable<false>(out.data() + old, s, TableWithCr());
  out.resize(static_cast<std::size_t>(end - out.data()));
}

char* WriteCp1252AsUtf8WithoutCr(char* out, std::string_view s) {
  return WriteByTable<true>(out, s, TableWithoutCr());
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
