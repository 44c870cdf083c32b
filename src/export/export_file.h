#pragma once
// What the writers of the exports share: the text file they write (CR LF line ends, written
// beside its name and put in place only when complete), the escaping of text for XML, HTML and
// CSV, and the reading of the lines of a block by their headings.

#include <string>
#include <string_view>

#include "base/atomic_file.h"

namespace stavbas {

class ExportFile {
 public:
  // `utf8`: the file is UTF-8; the writers' Windows-1252 text is converted as it is written.
  bool Open(const std::string& path, bool utf8, std::string& error);
  // Text without a line end, and text followed by one.
  void Text(std::string_view text);
  void Line(std::string_view text = {});
  bool Commit(std::string& error);
  const std::string& path() const { return file_.target(); }

 private:
  AtomicFile file_;
  bool utf8_ = false;
  std::string buffer_;  // written to the file in large pieces
};

// Text for an XML element or attribute: "&", "<", ">", '"' and "'" as entities, and the control
// characters XML 1.0 does not allow left out.
std::string XmlText(std::string_view text);
// Text inside a CDATA section: the allowed characters only, and every "]]>" split so that it
// cannot end the section.
std::string CdataText(std::string_view text);
// Text for an HTML page: "&", "<", ">" and '"' as entities.
std::string HtmlText(std::string_view text);
// Text between the tags of an HTML fragment: "&", "<" and ">" as entities, so that nothing in
// it is taken for markup. Quotes mean nothing there and stay as they are.
std::string HtmlContent(std::string_view text);
// A cell a spreadsheet would take for a formula: it begins with "=", "+", "-", "@", a tab or a
// carriage return and is not a plain decimal number ("-5" and "+3,5" are numbers).
bool TakenForFormula(std::string_view text);
// A field of a CSV file: in double quotes, a double quote inside doubled, and an apostrophe
// before a cell a spreadsheet would take for a formula, so that it stays text.
std::string CsvField(std::string_view text);

// The line begins with the heading (compared as it stands).
inline bool Heading(std::string_view line, std::string_view heading) {
  return line.starts_with(heading);
}

// A name that leaves no file name: empty, ending in "/", or with "." or ".." as its last part.
bool LacksFileName(const std::string& name);
// A name an export cannot write its file to: one that lacks a file name or names a folder.
bool NamesAFolder(const std::string& name);

// The file name without folder and extension, and the extension (with its "." or empty).
std::string BaseNameOf(const std::string& path);
std::string ExtensionOf(const std::string& path);
// The name with its extension replaced by `extension` (which begins with ".").
std::string WithExtension(const std::string& path, std::string_view extension);

}  // namespace stavbas
