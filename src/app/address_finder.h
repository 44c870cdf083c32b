#pragma once
// Web and mail addresses inside a text, so that the output window can make them clickable.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace stavbas {

struct TextSpan {
  std::size_t start;
  std::size_t length;
  bool operator==(const TextSpan&) const = default;
};

// Addresses that begin with "http://", "https://", "ftp://", "mailto:" or "www." (the last two
// only at the start of a word). An address ends before a blank, a control character, a quote or
// an angle bracket; punctuation at its end belongs to the sentence, and a closing parenthesis
// to the address only when the address holds its opening one.
std::vector<TextSpan> FindWebAddresses(std::string_view text);

// The address a found one opens: "http://" before one that begins with "www.". What it opens
// is still judged by the opening rule (Ui::OpenWithDesktop).
std::string LinkAddress(std::string_view found);

}  // namespace stavbas
