#include "output/text_save.h"

#include <algorithm>
#include <cstdint>

namespace stavbas {

namespace {

void AppendHexEscape(std::string& out, unsigned char c) {
  static const char kHex[] = "0123456789abcdef";
  out += "\\'";
  out += kHex[c >> 4];
  out += kHex[c & 15];
}

// Text as RTF: the three syntax characters escaped, line ends as paragraph ends, and every
// byte outside printable ASCII as a code-page escape, so the file itself is plain ASCII.
void AppendRtfText(std::string& out, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    switch (c) {
      case '\\':
      case '{':
      case '}':
        out += '\\';
        out += static_cast<char>(c);
        break;
      case '\t':
        out += "\\tab ";
        break;
      case '\r':
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        [[fallthrough]];
      case '\n':
        out += "\\par\r\n";
        break;
      default:
        if (c < 0x20 || c >= 0x7F)
          AppendHexEscape(out, c);
        else
          out += static_cast<char>(c);
    }
  }
}

// A font name ends at ";" in the font table, so that character cannot be kept.
std::string RtfFontName(std::string_view name) {
  std::string clean;
  for (char c : name)
    if (c != ';' && static_cast<unsigned char>(c) >= 0x20) clean += c;
  std::string out;
  AppendRtfText(out, clean.empty() ? std::string_view("Arial") : std::string_view(clean));
  return out;
}

template <typename T>
std::size_t IndexIn(std::vector<T>& table, const T& value) {
  for (std::size_t i = 0; i < table.size(); ++i)
    if (table[i] == value) return i;
  table.push_back(value);
  return table.size() - 1;
}

}  // namespace

std::string ToRtf(const std::vector<StyledRun>& runs) {
  std::vector<std::string> fonts;
  std::vector<std::uint32_t> colors;
  for (const StyledRun& run : runs) {
    if (run.text.empty()) continue;
    IndexIn(fonts, run.style.font);
    IndexIn(colors, run.style.color & 0xFFFFFF);
  }
  if (fonts.empty()) fonts.push_back("Arial");

  std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
  for (std::size_t i = 0; i < fonts.size(); ++i)
    out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset0 " + RtfFontName(fonts[i]) + ";}";
  out += "}\r\n{\\colortbl ;";
  for (std::uint32_t c : colors)
    out += "\\red" + std::to_string(c >> 16) + "\\green" + std::to_string((c >> 8) & 0xFF) +
           "\\blue" + std::to_string(c & 0xFF) + ";";
  out += "}\r\n\\viewkind4\\uc1\\pard";

  // Only what changes from one run to the next is written.
  std::size_t font = SIZE_MAX, color = SIZE_MAX;
  int size = -1;
  bool bold = false, italic = false;
  for (const StyledRun& run : runs) {
    if (run.text.empty()) continue;
    const TextStyle& s = run.style;
    const std::size_t runFont = IndexIn(fonts, s.font);
    const std::size_t runColor = IndexIn(colors, s.color & 0xFFFFFF) + 1;  // 0 is "auto"
    const int runSize = std::max(s.size, 1) * 2;                           // half points
    const std::size_t before = out.size();
    if (runFont != font) out += "\\f" + std::to_string(font = runFont);
    if (runSize != size) out += "\\fs" + std::to_string(size = runSize);
    if (s.bold != bold) out += (bold = s.bold) ? "\\b" : "\\b0";
    if (s.italic != italic) out += (italic = s.italic) ? "\\i" : "\\i0";
    if (runColor != color) out += "\\cf" + std::to_string(color = runColor);
    if (out.size() != before) out += ' ';
    AppendRtfText(out, run.text);
  }
  out += "}\r\n";
  return out;
}

std::string SaveCommentText(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) {
    if (!text.empty()) text += "\r\n";
    text += "! " + item;
  }
  return text;
}

bool SaveRtf(const std::string& path, const std::vector<StyledRun>& runs, std::string& error) {
  return WriteFileAtomically(path, ToRtf(runs), error);
}

bool SavePlainText(const std::string& path, const std::string& text, std::string& error) {
  return WriteFileAtomically(path, text, error);
}

}  // namespace stavbas
