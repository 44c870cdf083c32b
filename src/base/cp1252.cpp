#include "base/cp1252.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#include <tmmintrin.h>
#endif

#include "base/processor.h"

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

#if defined(__x86_64__) && defined(__GNUC__)
#define STAVBAS_LATIN1_EXPANSION 1

// For eight bytes whose upper-half ones are all Latin-1 letters (0xA0 and up), the shuffle that
// packs their (lead, continuation) pairs: the lead of every byte, which is the byte itself below
// 0x80, and the continuation of those from 0x80 on. Indexed by the bytes' top bits.
struct PackShuffles {
  PackShuffles() {
    for (unsigned m = 0; m < 256; ++m) {
      int n = 0;
      for (int i = 0; i < 8; ++i) {
        index[m][n++] = static_cast<std::uint8_t>(2 * i);
        if (m >> i & 1) index[m][n++] = static_cast<std::uint8_t>(2 * i + 1);
      }
      while (n < 16) index[m][n++] = 0x80;  // zero
      upper[m] = static_cast<std::uint8_t>(std::popcount(m));
    }
  }
  alignas(16) std::uint8_t index[256][16];
  std::uint8_t upper[256];  // the bytes from 0x80 on among the eight
};

const PackShuffles& Shuffles() {
  static const PackShuffles shuffles;
  return shuffles;
}

// The first `count` of eight bytes, given as (lead, continuation) pairs and with the top bits
// of those `count`, written as their shuffle says (sixteen bytes are stored); returns the end
// of what counts.
__attribute__((target("ssse3"), always_inline)) inline char* Pack(char* p, __m128i pairs,
                                                                  unsigned top, int count,
                                                                  const PackShuffles& shuffles) {
  const __m128i order = _mm_load_si128(reinterpret_cast<const __m128i*>(shuffles.index[top]));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm_shuffle_epi8(pairs, order));
  return p + count + shuffles.upper[top];
}

// Pack for the group of eight bytes from `from` among those before n, whose top bits are
// among `top`.
__attribute__((target("ssse3"), always_inline)) inline char* PackGroup(
    char* p, __m128i pairs, unsigned top, unsigned n, unsigned from, const PackShuffles& shuffles) {
  const unsigned count = n - from < 8 ? n - from : 8;
  return Pack(p, pairs, (top >> from) & ((1u << count) - 1), static_cast<int>(count), shuffles);
}

// The end of a step whose first n of `avail` bytes are packed: the byte after them, when the
// text goes on, is converted by the table.
[[gnu::always_inline]] inline void EndStep(char*& p, const char*& q, unsigned n, unsigned avail,
                                           const Utf8Table& table) {
  q += n;
  if (n < avail) {
    const auto& e = table[static_cast<unsigned char>(*q++)];
    std::memcpy(p, e.data(), 4);
    p += e[3];
  }
}

// Up to sixteen bytes from q (of which `avail` are text; sixteen may be read), converted the
// table's way with one more step: bytes whose upper-half bytes are all Latin-1 letters, which
// is most text with letters from the upper half, are expanded in place, each of those to its
// two bytes (0xC2 or 0xC3 and the byte's low six bits under 0x80), without looking a byte up.
// The first byte from 0x80 to 0x9F, or "\r" when it is left out, ends the step and takes the
// table. Needs SSSE3 for the shuffle.
template <bool kWithoutCr>
__attribute__((target("ssse3"), always_inline)) inline void ExpandStep(
    char*& p, const char*& q, unsigned avail, const Utf8Table& table,
    const PackShuffles& shuffles) {
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
  const unsigned past = 0xFFFFu << avail & 0xFFFFu;  // the bytes after the text
  const auto top = static_cast<unsigned>(_mm_movemask_epi8(v)) & ~past;
  const __m128i c1 = _mm_set1_epi8(static_cast<char>(0x80));
  auto special = static_cast<unsigned>(_mm_movemask_epi8(
      _mm_cmpeq_epi8(_mm_and_si128(v, _mm_set1_epi8(static_cast<char>(0xE0))), c1)));
  if constexpr (kWithoutCr)
    special |= static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('\r'))));
  special = (special & ~past) | past;
  // Plain text takes the same way as text with letters from the upper half: a step of its own
  // for it would be quicker only where the processor foresees which way a step goes, and in
  // most text blocks with and without such letters alternate.
  const __m128i high = _mm_cmplt_epi8(v, _mm_setzero_si128());
  const __m128i upperLead = _mm_or_si128(
      _mm_set1_epi8(static_cast<char>(0xC2)),
      _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(static_cast<char>(0xBF))), _mm_set1_epi8(1)));
  const __m128i lead = _mm_or_si128(_mm_and_si128(high, upperLead), _mm_andnot_si128(high, v));
  const __m128i next = _mm_or_si128(_mm_and_si128(v, _mm_set1_epi8(0x3F)), c1);
  // The bytes before the first that takes the table (or the end), eight at a time: of the
  // first eight those before it, and of the next eight too when it lies beyond them.
  const unsigned n = special ? static_cast<unsigned>(__builtin_ctz(special)) : 16;
  p = PackGroup(p, _mm_unpacklo_epi8(lead, next), top, n, 0, shuffles);
  if (n > 8) p = PackGroup(p, _mm_unpackhi_epi8(lead, next), top, n, 8, shuffles);
  EndStep(p, q, n, avail, table);
}

// The text in steps of sixteen bytes; the last few bytes are copied to a zeroed block of their
// own first, so that no step reads past the text. Chosen at run time when the processor has
// SSSE3.
template <bool kWithoutCr>
__attribute__((target("ssse3"))) char* WriteExpanding(char* p, std::string_view s,
                                                      const Utf8Table& table) {
  const PackShuffles& shuffles = Shuffles();
  const char* q = s.data();
  const char* end = q + s.size();
  while (end - q >= 16) ExpandStep<kWithoutCr>(p, q, 16, table, shuffles);
  if (q == end) return p;
  alignas(16) char rest[32] = {};
  const auto left = static_cast<std::size_t>(end - q);
  std::memcpy(rest, q, left);
  q = rest;
  end = rest + left;
  while (q < end) ExpandStep<kWithoutCr>(p, q, static_cast<unsigned>(end - q), table, shuffles);
  return p;
}

// ExpandStep over thirty-two bytes at once where the processor has AVX2: the tests and the
// masks are made once for twice the bytes, and the four groups of eight are packed as before.
template <bool kWithoutCr>
__attribute__((target("avx2"), always_inline)) inline void ExpandWideStep(
    char*& p, const char*& q, unsigned avail, const Utf8Table& table,
    const PackShuffles& shuffles) {
  const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(q));
  const unsigned past = avail >= 32 ? 0u : ~0u << avail;  // the bytes after the text
  const auto top = static_cast<unsigned>(_mm256_movemask_epi8(v)) & ~past;
  const __m256i c1 = _mm256_set1_epi8(static_cast<char>(0x80));
  auto special = static_cast<unsigned>(_mm256_movemask_epi8(
      _mm256_cmpeq_epi8(_mm256_and_si256(v, _mm256_set1_epi8(static_cast<char>(0xE0))), c1)));
  if constexpr (kWithoutCr)
    special |=
        static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, _mm256_set1_epi8('\r'))));
  special = (special & ~past) | past;
  const __m256i high = _mm256_cmpgt_epi8(_mm256_setzero_si256(), v);
  const __m256i upperLead = _mm256_or_si256(
      _mm256_set1_epi8(static_cast<char>(0xC2)),
      _mm256_and_si256(_mm256_cmpgt_epi8(v, _mm256_set1_epi8(static_cast<char>(0xBF))),
                       _mm256_set1_epi8(1)));
  const __m256i lead =
      _mm256_or_si256(_mm256_and_si256(high, upperLead), _mm256_andnot_si256(high, v));
  const __m256i next = _mm256_or_si256(_mm256_and_si256(v, _mm256_set1_epi8(0x3F)), c1);
  // Within each half of sixteen bytes, the pairs of its first eight and of its last eight.
  const __m256i low = _mm256_unpacklo_epi8(lead, next);
  const __m256i upper = _mm256_unpackhi_epi8(lead, next);
  if (special == 0) {
    // All thirty-two bytes expand, as in most steps: every group is whole.
    p = Pack(p, _mm256_castsi256_si128(low), top & 0xFF, 8, shuffles);
    p = Pack(p, _mm256_castsi256_si128(upper), top >> 8 & 0xFF, 8, shuffles);
    p = Pack(p, _mm256_extracti128_si256(low, 1), top >> 16 & 0xFF, 8, shuffles);
    p = Pack(p, _mm256_extracti128_si256(upper, 1), top >> 24, 8, shuffles);
    q += 32;
    return;
  }
  const auto n = static_cast<unsigned>(__builtin_ctz(special));
  // The groups of eight in order, each cut at n.
  p = PackGroup(p, _mm256_castsi256_si128(low), top, n, 0, shuffles);
  if (n > 8) p = PackGroup(p, _mm256_castsi256_si128(upper), top, n, 8, shuffles);
  if (n > 16) p = PackGroup(p, _mm256_extracti128_si256(low, 1), top, n, 16, shuffles);
  if (n > 24) p = PackGroup(p, _mm256_extracti128_si256(upper, 1), top, n, 24, shuffles);
  EndStep(p, q, n, avail, table);
}

// WriteExpanding with the wide step; the last bytes are copied to a zeroed block of their own.
template <bool kWithoutCr>
__attribute__((target("avx2"))) char* WriteExpandingWide(char* p, std::string_view s,
                                                         const Utf8Table& table) {
  const PackShuffles& shuffles = Shuffles();
  const char* q = s.data();
  const char* end = q + s.size();
  while (end - q >= 32) ExpandWideStep<kWithoutCr>(p, q, 32, table, shuffles);
  if (q == end) return p;
  alignas(32) char rest[64] = {};
  const auto left = static_cast<std::size_t>(end - q);
  std::memcpy(rest, q, left);
  q = rest;
  end = rest + left;
  while (q < end) ExpandWideStep<kWithoutCr>(p, q, static_cast<unsigned>(end - q), table, shuffles);
  return p;
}

// Thirty-two bytes of a step of sixty-four, each widened to a pair of bytes: a letter from the
// upper half to its two bytes of UTF-8 (0xC2 or 0xC3 and its low six bits under 0x80), any
// other byte to itself and a byte that is dropped. The processor's byte compress then packs
// the bytes that count; those of `drop` are left out whole. Sixty-four bytes are stored.
__attribute__((target("avx512f,avx512bw,avx512vbmi2"), always_inline)) inline char* CompressHalf(
    char* p, __m256i v, __mmask32 top, __mmask32 drop) {
  const __m512i w = _mm512_cvtepu8_epi16(v);
  const __m512i lead = _mm512_or_si512(_mm512_srli_epi16(w, 6), _mm512_set1_epi16(0xC0));
  const __m512i next = _mm512_slli_epi16(
      _mm512_or_si512(_mm512_and_si512(w, _mm512_set1_epi16(0x3F)), _mm512_set1_epi16(0x80)), 8);
  const __m512i pairs = _mm512_mask_blend_epi16(top, w, _mm512_or_si512(lead, next));
  // Of each pair the first byte counts, and the second of a letter.
  const __m512i counts = _mm512_maskz_mov_epi16(
      ~drop, _mm512_mask_blend_epi16(top, _mm512_set1_epi16(0x00FF), _mm512_set1_epi16(-1)));
  const __mmask64 keep = _mm512_movepi8_mask(counts);
  _mm512_storeu_si512(p, _mm512_maskz_compress_epi8(keep, pairs));
  return p + __builtin_popcountll(keep);
}

// ExpandStep over sixty-four bytes where the processor has AVX-512 with VBMI2. A "\r" that is
// left out is dropped in the compress; only a byte from 0x80 to 0x9F ends the step early and
// takes the table. Stores up to 132 bytes from p.
template <bool kWithoutCr>
__attribute__((target("avx512f,avx512bw,avx512vbmi2,popcnt"), always_inline)) inline void
ExpandStep64(char*& p, const char*& q, unsigned avail, const Utf8Table& table) {
  const __m512i v = _mm512_loadu_si512(q);
  const std::uint64_t past = avail >= 64 ? 0 : ~std::uint64_t{0} << avail;
  const std::uint64_t top = _mm512_movepi8_mask(v);
  std::uint64_t special =
      _mm512_cmpeq_epi8_mask(_mm512_and_si512(v, _mm512_set1_epi8(static_cast<char>(0xE0))),
                             _mm512_set1_epi8(static_cast<char>(0x80)));
  special = (special & ~past) | past;
  const unsigned n = special ? static_cast<unsigned>(std::countr_zero(special)) : 64;
  std::uint64_t drop = n == 64 ? 0 : ~std::uint64_t{0} << n;
  if constexpr (kWithoutCr) drop |= _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8('\r'));
  // The halves are loaded again: GCC's cast and extract of a half warn of an undefined value.
  p = CompressHalf(p, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(q)),
                   static_cast<__mmask32>(top), static_cast<__mmask32>(drop));
  if (n > 32)
    p = CompressHalf(p, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(q + 32)),
                     static_cast<__mmask32>(top >> 32), static_cast<__mmask32>(drop >> 32));
  EndStep(p, q, n, avail, table);
}

// The text in steps of sixty-four bytes. The last bytes are copied to a zeroed block of their
// own and converted into another, as a step stores more than it writes.
template <bool kWithoutCr>
__attribute__((target("avx512f,avx512bw,avx512vbmi2,popcnt"))) char* WriteCompressing(
    char* p, std::string_view s, const Utf8Table& table) {
  const char* q = s.data();
  const char* end = q + s.size();
  // A step stores at most 132 bytes from where it starts writing: the room (Utf8Room, three
  // bytes for each byte left and 16) holds that while 64 bytes are left.
  while (end - q >= 64) ExpandStep64<kWithoutCr>(p, q, 64, table);
  if (q == end) return p;
  alignas(64) char rest[128] = {};  // every step reads 64 bytes
  alignas(64) char converted[3 * 64 + 192];
  const auto left = static_cast<std::size_t>(end - q);
  std::memcpy(rest, q, left);
  const char* r = rest;
  char* o = converted;
  while (r < rest + left)
    ExpandStep64<kWithoutCr>(o, r, static_cast<unsigned>(rest + left - r), table);
  std::memcpy(p, converted, static_cast<std::size_t>(o - converted));
  return p + (o - converted);
}

using Writer = char* (*)(char*, std::string_view, const Utf8Table&);

// The widest way the processor takes, or another if told (for tests).
template <bool kWithoutCr>
Writer ChooseWriter(int widest) {
  if (widest >= 64 && ProcessorHasAvx512Vbmi2()) return &WriteCompressing<kWithoutCr>;
  if (widest >= 32 && ProcessorHasAvx2()) return &WriteExpandingWide<kWithoutCr>;
  if (widest >= 16 && __builtin_cpu_supports("ssse3")) return &WriteExpanding<kWithoutCr>;
  return &WriteByTable<kWithoutCr>;
}

#endif

const Utf8Table& TableWithCr() {
  static const Utf8Table table = MakeUtf8Table(false);
  return table;
}

const Utf8Table& TableWithoutCr() {
  static const Utf8Table table = MakeUtf8Table(true);
  return table;
}

int conversionWidth = 64;  // the widest blocks the conversion may take

#ifdef STAVBAS_LATIN1_EXPANSION
// The writer for the width allowed, chosen once for each width.
template <bool kWithoutCr>
Writer WriterNow() {
  static const Writer writers[4] = {ChooseWriter<kWithoutCr>(0), ChooseWriter<kWithoutCr>(16),
                                    ChooseWriter<kWithoutCr>(32), ChooseWriter<kWithoutCr>(64)};
  return writers[conversionWidth >= 64   ? 3
                 : conversionWidth >= 32 ? 2
                 : conversionWidth >= 16 ? 1
                                         : 0];
}
#endif

}  // namespace

void LimitUtf8ConversionWidth(int widest) {
  conversionWidth = widest;
}

void AppendCp1252AsUtf8(std::string& out, std::string_view s) {
  const std::size_t old = out.size();
  out.resize(old + Utf8Room(s.size()));
#ifdef STAVBAS_LATIN1_EXPANSION
  char* end = WriterNow<false>()(out.data() + old, s, TableWithCr());
#else
  char* end = WriteByTable<false>(out.data() + old, s, TableWithCr());
#endif
  out.resize(static_cast<std::size_t>(end - out.data()));
}

char* WriteCp1252AsUtf8WithoutCr(char* out, std::string_view s) {
#ifdef STAVBAS_LATIN1_EXPANSION
  return WriterNow<true>()(out, s, TableWithoutCr());
#else
  return WriteByTable<true>(out, s, TableWithoutCr());
#endif
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
