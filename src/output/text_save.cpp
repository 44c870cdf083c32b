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

void RtfBuilder::Add(const std::vector<StyledRun>& runs) {
  // Only what changes from one run to the next is written.
  for (const StyledRun& run : runs) {
    if (run.text.empty()) continue;
    const TextStyle& s = run.style;
    const std::size_t runFont = IndexIn(fonts_, s.font) + fontBase;
    const std::size_t runColor = IndexIn(colors_, s.color & 0xFFFFFF) + colorBase;
    const int runSize = std::max(s.size, 1) * 2;  // half points
    const std::size_t before = body.size();
    if (runFont != font_) body += "\\f" + std::to_string(font_ = runFont);
    if (runSize != size_) body += "\\fs" + std::to_string(size_ = runSize);
    if (s.bold != bold_) body += (bold_ = s.bold) ? "\\b" : "\\b0";
    if (s.italic != italic_) body += (italic_ = s.italic) ? "\\i" : "\\i0";
    if (runColor != color_) body += "\\cf" + std::to_string(color_ = runColor);
    if (body.size() != before) body += ' ';
    AppendRtfText(body, run.text);
  }
}

std::string RtfBuilder::FontEntries() const {
  const std::vector<std::string> fonts =
      fonts_.empty() ? std::vector<std::string>{"Arial"} : fonts_;
  std::string out;
  for (std::size_t i = 0; i < fonts.size(); ++i)
    out +=
        "{\\f" + std::to_string(fontBase + i) + "\\fnil\\fcharset0 " + RtfFontName(fonts[i]) + ";}";
  return out;
}

std::string RtfBuilder::ColorEntries() const {
  std::string out;
  for (std::uint32_t c : colors_)
    out += "\\red" + std::to_string(c >> 16) + "\\green" + std::to_string((c >> 8) & 0xFF) +
           "\\blue" + std::to_string(c & 0xFF) + ";";
  return out;
}

std::string RtfBuilder::Header() const {
  return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl" + FontEntries() + "}\r\n{\\colortbl ;" +
         ColorEntries() + "}\r\n\\viewkind4\\uc1\\pard";
}

std::string ToRtf(const std::vector<StyledRun>& runs) {
  RtfBuilder rtf;
  rtf.Add(runs);
  return rtf.Header() + rtf.body + std::string(RtfBuilder::kEnd);
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
