#pragma once
// The few bytes that may begin a match, searched for sixteen at a time.

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace stavbas {

// Whether a byte is one of those LetterOrBlankMask16 finds.
constexpr bool IsLetterOrBlank(char c) {
  const auto b = static_cast<unsigned char>(c);
  return ((b | 0x20) >= 'a' && (b | 0x20) <= 'z') || b == ' ' || (b >= 0xC0 && (b | 0x20) != 0xF7);
}

// The bytes that pass a comparing element's test, when they are few: a run of text is then
// searched for them sixteen bytes at a time.
class StartBytes {
 public:
  static constexpr int kMax = 4;
  // Takes the bytes for which `passes` holds; false when there are more than kMax.
  template <typename Passes>
  bool Collect(Passes&& passes) {
    int count = 0;
    char bytes[kMax] = {};
    for (int b = 1; b < 256; ++b) {
      if (!passes(static_cast<char>(b))) continue;
      if (count == kMax) return usable_ = false;
      bytes[count++] = static_cast<char>(b);
    }
    // Each byte sixteen times over; unused places repeat the first byte, so that every compare
    // is made whatever the count. No byte at all: the plain search is as quick.
    for (int i = 0; i < kMax; ++i)
      for (int j = 0; j < 16; ++j) splats_[16 * i + j] = bytes[i < count ? i : 0];
    return usable_ = count > 0;
  }
  bool usable() const { return usable_; }
  // Bit i is set when p[i] is one of the bytes (i < 16); the sixteen bytes must be readable.
  unsigned Mask16(const char* p) const;
  // Whether any byte of [p, e) is one of them; the text is read sixteen bytes at a time from
  // every position before e.
  bool AnyIn(const char* p, const char* e) const;

 private:
  bool usable_ = false;
  alignas(16) char splats_[16 * kMax] = {};
};

// Bit i is set when p[i] (i < 16) is a letter, of A to Z, a to z or from 0xC0 on but for the
// signs × and ÷, or a blank: the bytes that most text is made of. The sixteen bytes must be
// readable.
inline unsigned LetterOrBlankMask16(const char* p) {
#if defined(__SSE2__)
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i folded = _mm_or_si128(v, _mm_set1_epi8(0x20));  // capitals as small letters
  const __m128i fromA = _mm_sub_epi8(folded, _mm_set1_epi8('a'));
  const __m128i ascii = _mm_cmpeq_epi8(_mm_min_epu8(fromA, _mm_set1_epi8(25)), fromA);
  const __m128i upper = _mm_cmpeq_epi8(_mm_max_epu8(v, _mm_set1_epi8('\xC0')), v);
  const __m128i sign = _mm_cmpeq_epi8(folded, _mm_set1_epi8('\xF7'));  // × ÷
  const __m128i blank = _mm_cmpeq_epi8(v, _mm_set1_epi8(' '));
  return static_cast<unsigned>(
      _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(ascii, blank), _mm_andnot_si128(sign, upper))));
#else
  unsigned mask = 0;
  for (int j = 0; j < 16; ++j)
    if (IsLetterOrBlank(p[j])) mask |= 1u << j;
  return mask;
#endif
}

inline unsigned StartBytes::Mask16(const char* p) const {
#if defined(__SSE2__)
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  auto equal = [&](int i) {
    return _mm_cmpeq_epi8(v, _mm_load_si128(reinterpret_cast<const __m128i*>(splats_ + 16 * i)));
  };
  static_assert(kMax == 4);
  const __m128i hits =
      _mm_or_si128(_mm_or_si128(equal(0), equal(1)), _mm_or_si128(equal(2), equal(3)));
  return static_cast<unsigned>(_mm_movemask_epi8(hits));
#else
  unsigned mask = 0;
  for (int j = 0; j < 16; ++j)
    for (int i = 0; i < kMax; ++i)
      if (p[j] == splats_[16 * i]) mask |= 1u << j;
  return mask;
#endif
}

inline bool StartBytes::AnyIn(const char* p, const char* e) const {
  for (; p < e; p += 16) {
    unsigned mask = Mask16(p);
    if (e - p < 16) mask &= (1u << (e - p)) - 1;
    if (mask) return true;
  }
  return false;
}

}  // namespace stavbas
