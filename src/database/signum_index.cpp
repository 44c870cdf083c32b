#include "database/signum_index.h"

#include <algorithm>

#include "base/char_tables.h"

namespace stavbas {
namespace {

// A file whose keys fall back more often than this is in another order.
constexpr std::size_t kMaxBreaks = 4096;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::size_t SignumIndex::UpperKey(std::string_view text, char* key) {
  const ByteTable& up = SystemUpper();
  const unsigned char blank = up[' '];
  int blanks = 0;
  for (std::size_t i = 0; i < text.size() && i < kMaxKey; ++i) {
    const unsigned char c = up[static_cast<unsigned char>(text[i])];
    key[i] = static_cast<char>(c);
    if (c == blank && ++blanks == 2) return i + 1;
  }
  return 0;
}

std::optional<std::string> SignumIndex::KeyOf(std::string_view text) {
  char key[kMaxKey];
  const std::size_t n = UpperKey(text, key);
  if (n == 0) return std::nullopt;
  return std::string(key, n);
}

bool SignumIndex::KeyLess(std::string_view a, std::string_view b) {
  // The keys agree up to their first difference; what decides is whether it lies in a number.
  const std::size_t n = std::min(a.size(), b.size());
  const std::size_t m = static_cast<std::size_t>(
      std::mismatch(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(n), b.begin()).first -
      a.begin());
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
  return static_cast<unsigned char>(a[m]) < static_cast<unsigned char>(b[m]);
}

void SignumIndex::Clear() {
  *this = SignumIndex();
}

void SignumIndex::Add(std::int32_t line, std::uint64_t offset, std::string_view text, bool keep) {
  char key[kMaxKey];
  const std::size_t n = UpperKey(text, key);
  const std::string_view k(key, n);
  if (n == 0 || (lastLength_ > 0 && lastLine_ == line - 1 &&
                 !KeyLess(std::string_view(last_.data(), lastLength_), k))) {
    if (breaks_.size() < kMaxBreaks)
      breaks_.push_back(2 * static_cast<std::int64_t>(line) + (n == 0 ? 1 : 0));
    else
      tooManyBreaks_ = true;
  }
  std::copy(key, key + n, last_.begin());
  lastLength_ = n;
  lastLine_ = line;
  lastOffset_ = offset;
  if (keep || line % kSpacing == 0) KeepLast();
}

void SignumIndex::KeepLast() {
  if (lastLength_ == 0 || (!lines_.empty() && lines_.back() == lastLine_)) return;
  lines_.push_back(lastLine_);
  offsets_.push_back(lastOffset_);
  keys_.append(last_.data(), lastLength_);
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
