#include "database/signum_index.h"

#include <algorithm>
#include <bit>
#include <cstring>

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

// KeyLess over the keys as `fold` maps them, byte by byte. Digits and blanks map to themselves
// and nothing else maps to a digit, so only the bytes compared need mapping.
// The bytes before `from` are known to be equal.
template <class Fold>
bool FoldedLess(std::string_view a, std::string_view b, Fold fold, std::size_t from = 0) {
  // The keys agree up to their first difference; what decides is whether it lies in a number.
  const std::size_t n = std::min(a.size(), b.size());
  std::size_t m = std::min(from, n);
  while (m < n && (a[m] == b[m] || fold(a[m]) == fold(b[m]))) ++m;
  if (m == n) return a.size() < b.size();  // one begins the other
  const bool da = IsDigit(a[m]), db = IsDigit(b[m]);
  const bool inNumber = m > 0 && IsDigit(a[m - 1]);
  if (da && db) {
    // Two numbers from here on: the longer is the greater, else the first differing digit.
    std::size_t ea = m, eb = m;
    while (ea < a.size() && IsDigit(a[ea])) ++ea;
    while (eb < b.size() && IsDigit(b[eb])) ++eb;
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
  std::size_t n = 0;     // the key's length
  std::size_t same = 0;  // bytes known to be equal to the last key's
#if defined(__SSE2__)
  if (text.size() >= kMaxKey) {
    // Nearly every line of a data file is this long: its blanks and its first difference from
    // the last line are found 16 bytes at a time.
    static_assert(kMaxKey == 48);
    std::uint64_t blanks = 0, equal = 0;
    for (int i = 0; i < 3; ++i) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + 16 * i));
      const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(last_.data() + 16 * i));
      blanks |= Bits(_mm_cmpeq_epi8(v, _mm_set1_epi8(' '))) << (16 * i);
      equal |= Bits(_mm_cmpeq_epi8(v, w)) << (16 * i);
    }
    blanks &= blanks - 1;  // from the second blank on
    n = blanks ? static_cast<std::size_t>(std::countr_zero(blanks)) + 1 : 0;
    same = static_cast<std::size_t>(std::countr_one(equal));
  } else {
    n = KeyLength(text);
  }
#else
  n = KeyLength(text);
#endif
  const unsigned char* up = upper_;
  const auto fold = [up](char c) { return up[static_cast<unsigned char>(c)]; };
  if (n == 0 ||
      (lastLength_ > 0 && lastLine_ == line - 1 &&
       !FoldedLess(std::string_view(last_.data(), lastLength_), text.substr(0, n), fold, same))) {
    if (breaks_.size() < kMaxBreaks)
      breaks_.push_back(2 * static_cast<std::int64_t>(line) + (n == 0 ? 1 : 0));
    else
      tooManyBreaks_ = true;
  }
  if (text.size() >= kMaxKey)
    std::memcpy(last_.data(), text.data(), kMaxKey);
  else
    std::copy(text.begin(), text.end(), last_.begin());
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
