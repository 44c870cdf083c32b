#include "database/info_file.h"

#include "base/ui.h"
#include "database/info_format.h"

namespace stavbas {
namespace {

bool IsCodeLetter(char c) {
  return c >= 'A' && c <= 'Z';
}

char Upper(char c) {
  return static_cast<char>(SystemUpper()[static_cast<unsigned char>(c)]);
}

// The defaults until the program hands over its settings.
const LinkSettings& DefaultLinks() {
  static const LinkSettings links;
  return links;
}

}  // namespace

TInfoFil::TInfoFil(Ui& ui, int kind) : TDatafil(ui, kind), links_(&DefaultLinks()) {
  wordFile_ = false;
  normalised_ = false;
}

void TInfoFil::FirstWord() {
  RefuseWords();
  TKombifil::FirstWord();
}

void TInfoFil::ReadInfoHeaders(const std::vector<std::string>& values) {
  headers_ = {};
  codeLetters_.clear();
  if (values.empty()) {
    codeLetters_ = kAllInfoCodes;
    return;
  }
  for (const std::string& value : values) {
    std::size_t pos = 0;
    while (pos <= value.size()) {
      std::size_t end = value.find(';', pos);
      if (end == std::string::npos) end = value.size();
      const std::string_view entry = Trim(std::string_view(value).substr(pos, end - pos));
      const std::string_view rest = std::string_view(value).substr(pos);
      pos = end + 1;
      if (entry.empty()) continue;  // the separator after the last entry
      const char letter = Upper(entry[0]);
      if (!IsCodeLetter(letter)) {
        ui_.ShowMessage(ui_.S(Str::FelaktigInfokod) + " " + std::string(rest),
                        MsgKind::Information);
        continue;
      }
      if (codeLetters_.find(letter) != std::string::npos) {
        ui_.ShowMessage(ui_.S(Str::FelaktigInfokod) + ", " + ui_.S(Str::Kod) + letter +
                            ui_.S(Str::Upprepad) + std::string(entry) + ui_.S(Str::Ignoreras),
                        MsgKind::Information);
        continue;
      }
      headers_[letter - 'A'] = std::string(Trim(entry.substr(1)));
      codeLetters_ += letter;
    }
  }
}

std::string_view TInfoFil::FindInfoField(char letter) const {
  letter = Upper(letter);
  const std::string_view text = Cursor();
  if (kind() == kInfotext) {
    const char mark = static_cast<char>(letter & 0x1F);
    const std::size_t open = text.find(mark);
    if (open == std::string_view::npos) return {};
    const std::size_t close = text.find(mark, open + 1);
    if (close == std::string_view::npos) {
      ui_.ShowMessage(ui_.S(Str::FelaktigInfokod) + " " + std::string(text.substr(open + 1)),
                      MsgKind::Information);
      return {};
    }
    return text.substr(open + 1, close - open - 1);
  }
  // Kind 5: a field runs from 0xBE + letter to the next 0xBE or the end of the line.
  for (std::size_t p = text.find('\xBE'); p != std::string_view::npos;
       p = text.find('\xBE', p + 1)) {
    if (p + 1 < text.size() && text[p + 1] == letter) {
      const std::size_t end = text.find('\xBE', p + 1);
      return text.substr(p + 1, end == std::string_view::npos ? end : end - p - 1);
    }
  }
  return {};
}

std::string TInfoFil::NextInfoField(bool withHeader) {
  const char letter = NextInfoCode();
  return FormattedField(*this, letter, withHeader, *links_);
}

std::string TInfoFil::InfoField(char letter) const {
  return std::string(Trim(FindInfoField(letter)));
}

bool TInfoFil::HasInfoCode(char letter) const {
  return IsCodeLetter(letter) && !headers_[letter - 'A'].empty();
}

std::string TInfoFil::InfoHeader(char letter) const {
  if (!IsCodeLetter(letter)) {
    ui_.ShowMessage(ui_.MessageOf(8666) + ui_.S(Str::Infokod) + letter, MsgKind::Information);
    return {};
  }
  const std::string& name = headers_[letter - 'A'];
  return name.empty() ? "(" + std::string(1, letter) + ")" : name;
}

}  // namespace stavbas
