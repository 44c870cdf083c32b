#include "database/signum_index.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <type_traits>

#include "base/char_tables.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace stavbas {
namespace {

// A file whose keys fall back more often than this is in another order.
constexpr std::size_t kMaxBreaks = 4096;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

#if defined(__SSE2__)
std::uint64_t Bits(__m128i x) {
  return std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(x))};
}
#endif

}  // namespace

std::size_t SignumIndex::KeyLength(std::string_view text) {
  // Blanks map to themselves and nothing else maps to a blank, so the raw text tells.
  int blanks = 0;
  for (std::size_t i = 0; i < text.size() && i < kMaxKey; ++i)
    if (text[i] == ' ' && ++blanks == 2) return i + 1;
  return 0;
}

std::size_t SignumIndex::UpperKey(std::string_view text, char* key) {
  const std::size_t n = KeyLength(text);
  const ByteTable& up = SystemUpper();
  for (std::size_t i = 0; i < n; ++i)
    key[i] = static_cast<char>(up[static_cast<unsigned char>(text[i])]);
  return n;
}

std::optional<std::string> SignumIndex::KeyOf(std::string_view text) {
  char key[kMaxKey];
  const std::size_t n = UpperKey(text, key);
  if (n == 0) return std::nullopt;
  return std::string(key, n);
}

namespace {

// Where the digits of a key lie: read from its bytes, or from a bit for each of its first 64
// bytes. Keys end with a blank, so a number ends within its key.
struct ByteDigits {
  std::string_view key;
  bool At(std::size_t i) const { return IsDigit(key[i]); }
  std::size_t End(std::size_t i) const {
    while (i < key.size() && IsDigit(key[i])) ++i;
    return i;
  }
};
struct BitDigits {
  std::uint64_t bits;
  bool At(std::size_t i) const { return (bits >> i) & 1; }
  std::size_t End(std::size_t i) const {
    return i + static_cast<std::size_t>(std::countr_one(bits >> i));
  }
};

// KeyLess over the keys as `fold` maps them, byte by byte. Digits and blanks map to themselves
// and nothing else maps to a digit, so only the bytes compared need mapping.
// The bytes before `from` are known to be equal.
template <class Fold, class Digits = ByteDigits>
bool FoldedLess(std::string_view a, std::string_view b, Fold fold, std::size_t from = 0,
                Digits aDigits = {}, Digits bDigits = {}) {
  if constexpr (std::is_same_v<Digits, ByteDigits>) aDigits.key = a, bDigits.key = b;
  // The keys agree up to their first difference; what decides is whether it lies in a number.
  const std::size_t n = std::min(a.size(), b.size());
  std::size_t m = std::min(from, n);
  while (m < n && (a[m] == b[m] || fold(a[m]) == fold(b[m]))) ++m;
  if (m == n) return a.size() < b.size();  // one begins the other
  const bool da = aDigits.At(m), db = bDigits.At(m);
  const bool inNumber = m > 0 && aDigits.At(m - 1);
  if (da && db) {
    // Two numbers from here on: the longer is the greater, else the first differing digit.
    const std::size_t ea = aDigits.End(m), eb = bDigits.End(m);
    if (ea != eb) return ea < eb;
  } else if (inNumber && (da || db)) {
    return db;  // the number that goes on is the greater
  }
  return fold(a[m]) < fold(b[m]);
}

}  // namespace

bool SignumIndex::KeyLess(std::string_view a, std::string_view b) {
  return FoldedLess(a, b, [](char c) { return static_cast<unsigned char>(c); });
}

void SignumIndex::Clear() {
  *this = SignumIndex();
}

void SignumIndex::Add(std::int32_t line, std::uint64_t offset, std::string_view text, bool keep) {
  // The key is compared as it stands and upper-cased only when it is kept.
  const unsigned char* up = upper_;
  const auto fold = [up](char c) { return up[static_cast<unsigned char>(c)]; };
  const bool follows = lastLength_ > 0 && lastLine_ == line - 1;
  std::size_t n = 0;      // the key's length
  bool rises = true;      // whether the key is above the last line's
  bool compared = false;  // whether that is known yet
#if defined(__SSE2__)
  // Nearly every line of a data file is long enough to be read 16 bytes at a time, and nearly
  // every key ends within its first 16: its blanks, its digits and its first difference from
  // the last line are found from bit masks.
  static_assert(kMaxKey == 48);
  std::uint64_t blanks = 0, equal = 0, digits = 0;
  const auto scan = [&](int i) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + 16 * i));
    const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(last_.data() + 16 * i));
    const __m128i d = _mm_sub_epi8(v, _mm_set1_epi8('0'));
    blanks |= Bits(_mm_cmpeq_epi8(v, _mm_set1_epi8(' '))) << (16 * i);
    equal |= Bits(_mm_cmpeq_epi8(v, w)) << (16 * i);
    digits |= Bits(_mm_cmpeq_epi8(_mm_min_epu8(d, _mm_set1_epi8(9)), d)) << (16 * i);
  };
  std::size_t scanned = 0;  // bytes scanned
  if (text.size() >= 16) {
    scan(0);
    scanned = 16;
    if ((blanks & (blanks - 1)) == 0 && text.size() >= kMaxKey) {
      scan(1);
      scan(2);
      scanned = kMaxKey;
    }
  }
  blanks &= blanks - 1;  // from the second blank on
  if (blanks || scanned == kMaxKey) {
    n = blanks ? static_cast<std::size_t>(std::countr_zero(blanks)) + 1 : 0;
    const auto same = static_cast<std::size_t>(std::countr_one(equal));
    if (n > 0 && follows) {
      const std::string_view last(last_.data(), lastLength_);
      const std::string_view key = text.substr(0, n);
      rises = lastDigitsKnown_
                  ? FoldedLess(last, key, fold, same, BitDigits{lastDigits_}, BitDigits{digits})
                  : FoldedLess(last, key, fold, same);
    }
    compared = true;
    lastDigits_ = digits;
    lastDigitsKnown_ = true;
    // Only the key's bytes are compared and kept: the scanned ones.
    if (scanned == 16)
      std::memcpy(last_.data(), text.data(), 16);
    else
      std::memcpy(last_.data(), text.data(), kMaxKey);
  } else {
    n = KeyLength(text);
    lastDigitsKnown_ = false;
  }
#else
  n = KeyLength(text);
#endif
  if (n > 0 && follows && !compared)
    rises = FoldedLess(std::string_view(last_.data(), lastLength_), text.substr(0, n), fold);
  if (n == 0 || !rises) {
    if (breaks_.size() < kMaxBreaks)
      breaks_.push_back(2 * static_cast<std::int64_t>(line) + (n == 0 ? 1 : 0));
    else
      tooManyBreaks_ = true;
  }
  if (!compared)
    std::copy(text.begin(), text.begin() + std::min(text.size(), kMaxKey), last_.begin());
  lastLength_ = n;
  lastLine_ = line;
  lastOffset_ = offset;
  if (keep || line % kSpacing == 0) KeepLast();
}

void SignumIndex::KeepLast() {
  if (lastLength_ == 0 || (!lines_.empty() && lines_.back() == lastLine_)) return;
  lines_.push_back(lastLine_);
  offsets_.push_back(lastOffset_);
  for (std::size_t i = 0; i < lastLength_; ++i)
    keys_.push_back(static_cast<char>(upper_[static_cast<unsigned char>(last_[i])]));
  keyEnds_.push_back(static_cast<std::uint32_t>(keys_.size()));
}

std::string_view SignumIndex::KeyNo(std::size_t i) const {
  const std::size_t start = i == 0 ? 0 : keyEnds_[i - 1];
  return std::string_view(keys_).substr(start, keyEnds_[i] - start);
}

bool SignumIndex::Rising(std::int32_t from, std::int32_t to) const {
  if (tooManyBreaks_ || from > to) return false;
  // A line without a key breaks the stretch, the first line's fall from the line before not.
  const auto it = std::lower_bound(breaks_.begin(), breaks_.end(), 2 * std::int64_t{from} + 1);
  return it == breaks_.end() || *it > 2 * std::int64_t{to} + 1;
}

std::optional<std::string_view> SignumIndex::KeyAt(std::int32_t line) const {
  const auto it = std::lower_bound(lines_.begin(), lines_.end(), line);
  if (it == lines_.end() || *it != line) return std::nullopt;
  return KeyNo(static_cast<std::size_t>(it - lines_.begin()));
}

SignumIndex::Stretch SignumIndex::StretchOf(std::string_view key, std::int32_t from,
                                            std::int32_t to) const {
  const auto begin = std::lower_bound(lines_.begin(), lines_.end(), from);
  const auto end = std::upper_bound(begin, lines_.end(), to);
  // The kept lines of the stretch, by key: the first whose key is above the one sought.
  auto lo = static_cast<std::size_t>(begin - lines_.begin());
  auto hi = static_cast<std::size_t>(end - lines_.begin());
  while (lo < hi) {
    const std::size_t mid = (lo + hi) / 2;
    if (KeyLess(key, KeyNo(mid)))
      hi = mid;
    else
      lo = mid + 1;
  }
  const auto above = lines_.begin() + static_cast<std::ptrdiff_t>(lo);
  Stretch s{from, above == end ? to : *above - 1};
  if (above != begin) s.first = *(above - 1);
  return s;
}

}  // namespace stavbas
