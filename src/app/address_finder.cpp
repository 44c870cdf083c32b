#include "app/address_finder.h"

#include <array>

namespace stavbas {

namespace {

bool StartsAt(std::string_view text, std::size_t i, std::string_view prefix) {
  if (text.size() - i < prefix.size()) return false;
  for (std::size_t k = 0; k < prefix.size(); ++k) {
    const char c = text[i + k];
    const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower != prefix[k]) return false;
  }
  return true;
}

bool EndsAddress(unsigned char c) {
  return c <= ' ' || c == '"' || c == '<' || c == '>' || c == 0x7F;
}

bool WordCharacter(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c >= 0xC0;
}

}  // namespace

std::vector<TextSpan> FindWebAddresses(std::string_view text) {
  static constexpr std::array<std::string_view, 5> kStarts = {"http://", "https://", "ftp://",
                                                              "mailto:", "www."};
  std::vector<TextSpan> found;
  for (std::size_t i = 0; i < text.size();) {
    const bool wordStart = i == 0 || !WordCharacter(static_cast<unsigned char>(text[i - 1]));
    std::size_t prefix = 0;
    for (std::string_view s : kStarts)
      if (wordStart && StartsAt(text, i, s)) prefix = s.size();
    if (prefix == 0) {
      ++i;
      continue;
    }
    std::size_t end = i + prefix;
    int open = 0;
    while (end < text.size() && !EndsAddress(static_cast<unsigned char>(text[end]))) {
      if (text[end] == '(') ++open;
      if (text[end] == ')') --open;
      ++end;
    }
    // Sentence punctuation after an address is not part of it.
    while (end > i + prefix) {
      const char last = text[end - 1];
      if (last == ')' && open < 0) {
        ++open;
        --end;
      } else if (last == '.' || last == ',' || last == ';' || last == ':' || last == '!' ||
                 last == '?' || last == '\'' || last == ']') {
        --end;
      } else {
        break;
      }
    }
    if (end > i + prefix) found.push_back({i, end - i});
    i = end > i ? end : i + 1;
  }
  return found;
}

std::string LinkAddress(std::string_view found) {
  return StartsAt(found, 0, "www.") ? "http://" + std::string(found) : std::string(found);
}

}  // namespace stavbas
