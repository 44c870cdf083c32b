#include "export/export_file.h"

#include <filesystem>

#include "base/cp1252.h"
#include "export/coordinates.h"

namespace stavbas {

bool ExportFile::Open(const std::string& path, bool utf8, std::string& error) {
  utf8_ = utf8;
  return file_.Open(path, error);
}

namespace {
constexpr std::size_t kBlock = 1 << 16;
}

void ExportFile::Text(std::string_view text) {
  if (utf8_)
    AppendCp1252AsUtf8(buffer_, text);
  else
    buffer_ += text;
  if (buffer_.size() >= kBlock) {
    file_.Write(buffer_);
    buffer_.clear();
  }
}

void ExportFile::Line(std::string_view text) {
  Text(text);
  Text("\r\n");
}

bool ExportFile::Commit(std::string& error) {
  file_.Write(buffer_);
  buffer_.clear();
  return file_.Commit(error);
}

namespace {

// The characters below the space that XML 1.0 allows: tab, line feed and carriage return.
bool XmlAllowed(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 0x20 || c == '\t' || c == '\n' || c == '\r';
}

enum class Markup { kXml, kHtml, kHtmlContent };

// Text with the characters that mark up XML or HTML written as entities: always "&", "<" and
// ">"; '"' too outside element content; the apostrophe too, and the control characters XML
// forbids left out, for XML.
std::string Escaped(std::string_view text, Markup markup) {
  const bool xml = markup == Markup::kXml;
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += markup == Markup::kHtmlContent ? "\"" : "&quot;";
        break;
      case '\'':
        out += xml ? "&apos;" : "'";
        break;
      default:
        if (!xml || XmlAllowed(c)) out += c;
    }
  }
  return out;
}

}  // namespace

std::string XmlText(std::string_view text) {
  return Escaped(text, Markup::kXml);
}

std::string CdataText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (XmlAllowed(c)) out += c;
  for (std::size_t at = out.find("]]>"); at != std::string::npos; at = out.find("]]>", at + 12))
    out.replace(at, 3, "]]]]><![CDATA[>");
  return out;
}

std::string HtmlText(std::string_view text) {
  return Escaped(text, Markup::kHtml);
}

std::string HtmlContent(std::string_view text) {
  return Escaped(text, Markup::kHtmlContent);
}

bool TakenForFormula(std::string_view text) {
  if (text.empty()) return false;
  switch (text.front()) {
    case '=':
    case '+':
    case '-':
    case '@':
    case '\t':
    case '\r':
      return !IsPlainDecimal(text);
    default:
      return false;
  }
}

std::string CsvField(std::string_view text) {
  std::string out = "\"";
  // A spreadsheet would compute such a cell: the apostrophe keeps it text.
  if (TakenForFormula(text)) out += '\'';
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

bool LacksFileName(const std::string& name) {
  if (name.empty() || name.back() == '/') return true;
  const std::string last = std::filesystem::path(name).filename().string();
  return last.empty() || last == "." || last == "..";
}

bool NamesAFolder(const std::string& name) {
  std::error_code ec;
  return LacksFileName(name) || std::filesystem::is_directory(name, ec);
}

std::string BaseNameOf(const std::string& path) {
  return std::filesystem::path(path).stem().string();
}

std::string ExtensionOf(const std::string& path) {
  return std::filesystem::path(path).extension().string();
}

std::string WithExtension(const std::string& path, std::string_view extension) {
  return std::filesystem::path(path).replace_extension(extension).string();
}

}  // namespace stavbas
