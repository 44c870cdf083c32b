#pragma once
// Saving the output window as rich text (RTF) or plain text. The file is replaced whole
// (base/atomic_file.h), so a failed save leaves the old file as it was.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/atomic_file.h"
#include "output/output_window.h"

namespace stavbas {

// An RTF document built piece by piece: the body grows with every Add, and the font and colour
// tables the header needs are complete once the last runs are added. The body may be taken
// away between Adds (to write it out), since nothing later refers back to it.
class RtfBuilder {
 public:
  void Add(const std::vector<StyledRun>& runs);
  // The document's start, with the tables of every font and colour added so far.
  std::string Header() const;
  static constexpr std::string_view kEnd = "}\r\n";
  // The entries of the font and colour tables (for adding to another document's tables).
  std::string FontEntries() const;
  std::string ColorEntries() const;

  std::string body;
  // The numbers of the first font and the first colour in the tables; text added to another
  // document numbers its fonts and colours after that document's own.
  std::size_t fontBase = 0;
  std::size_t colorBase = 1;  // colour 0 is "auto"

 private:
  std::vector<std::string> fonts_;
  std::vector<std::uint32_t> colors_;
  std::size_t font_ = SIZE_MAX, color_ = SIZE_MAX;
  int size_ = -1;
  bool bold_ = false, italic_ = false;
};

// The runs as an RTF document in Windows-1252: fonts, sizes, bold, italic and colours carried
// over; "\r\n" becomes a paragraph end and a tab a tab.
std::string ToRtf(const std::vector<StyledRun>& runs);

// The comment lines put at the head of a saved text: "! " before every item, line ends between.
std::string SaveCommentText(const std::vector<std::string>& items);

// On failure `error` tells which file and why; the target is left as it was.
bool SaveRtf(const std::string& path, const std::vector<StyledRun>& runs, std::string& error);
// The text is written as it stands, without an added line end.
bool SavePlainText(const std::string& path, const std::string& text, std::string& error);

}  // namespace stavbas
