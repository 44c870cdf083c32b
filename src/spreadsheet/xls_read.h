#pragma once
// Reads the cells of the first worksheet of an Excel workbook (.xls, Excel 5 or Excel 97 and
// later) and hands each text, number and Boolean cell to the caller's events.

#include <functional>
#include <string>

namespace stavbas {

// The refusals callers may want to recognise.
inline constexpr const char* kXlsNotAWorkbook = "File is not a Excel Workbook";
inline constexpr const char* kXlsEncrypted = "Can not read, file is encrypted";

class TXLSRead {
 public:
  // Rows and columns are counted from 0; texts are Windows-1252 (characters it cannot hold
  // arrive as '?').
  using TextEvent = std::function<void(int row, int col, const std::string& text)>;
  using NumberEvent = std::function<void(int row, int col, double value)>;

  // Settings.
  std::string TrueText = "TRUE";
  std::string FalseText = "FALSE";
  // Separator for formula text. Formula cells give only their cached result, so the reader
  // produces no formula text and does not use it.
  std::string ArgumentSeparator = ";";
  // Code page of the 8-bit texts of Excel 5 workbooks; 0 takes the workbook's own.
  int CodePage = 0;

  // Events; an unset event drops its cells.
  // Plain text cells, shared-string cells without formatting runs, and the cached text
  // results of formulas; an error result arrives as its text ("#DIV/0!", "#N/A", ...).
  TextEvent OnStringCell;
  // Text cells with formatting runs. When unset, they go to OnStringCell.
  TextEvent OnRichCell;
  // Number cells in every storage form, dates as their serial number, and the cached numeric
  // results of formulas.
  NumberEvent OnNumberCell;
  // Boolean cells and Boolean results of formulas, as TrueText or FalseText.
  TextEvent OnBooleanCell;

  // Reads the workbook and raises the events in the order the cells are stored. False with
  // a message in error when the file cannot be read; events may then have been raised for
  // the cells before the fault.
  bool Read(const std::string& fileName, std::string& error);
};

}  // namespace stavbas
