#pragma once
// The information spreadsheet: when a base name's .XLS is newer than its .INF, its cells are
// written into the information file; its columns also become value lists for the dialogs that
// build condition codes.

#include <array>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

namespace stavbas {

class Ui;

constexpr int kSheetColumns = 25;

// Per spreadsheet column: list 0 every row's signum in sheet order; lists 1 to 24 the distinct
// values of a column that has an info code, sorted, both without regard to case.
using InfoValueLists = std::array<std::vector<std::string>, kSheetColumns>;

// Sorts a value list in Swedish alphabetical order without regard to case (Å, Ä, Ö after Z)
// and drops the values that differ from an earlier one only in case.
void SortWithoutDuplicates(std::vector<std::string>& list);

// The standard columns: info code, header name in the file, column title in the sheet.
struct StandardInfoColumn {
  char code;
  const char* header;  // Windows-1252
  const char* title;   // Windows-1252, upper case
};
const std::vector<StandardInfoColumn>& StandardInfoColumns();

// True when another program has the file open for writing: it holds a lock on it, or an office
// suite's lock file lies beside it. A file that cannot be read, or that is read-only, is not in
// use for that.
bool FileInUse(const std::string& path);

class InfoPreparation {
 public:
  explicit InfoPreparation(Ui& ui) : ui_(ui) {}

  enum class Result {
    kNoSpreadsheet,  // the information file is used as it is
    kUpToDate,       // the information file is newer; value lists were rebuilt
    kRewritten,      // the information file was written from the spreadsheet
    kFailed,         // the spreadsheet could not be read or the file not written; reported,
                     // and the database opens with the information file it has
    kLocked,         // the spreadsheet is in use; the program is to end
  };

  // Runs before every opening of the base name.
  Result Prepare(const std::string& baseName);

  // Shown when the spreadsheet is locked: the exit confirmation that offers only to leave.
  std::function<void()> exitConfirmation;

  // The value lists of the last spreadsheet read; kept when no spreadsheet is found.
  const InfoValueLists& valueLists() const { return lists_; }

 private:
  bool ReadCells(const std::string& xls);
  const std::string& Cell(std::size_t row, int col) const;

  Ui& ui_;
  // The cells by row and column. Equal texts are kept once (a workbook may repeat one shared
  // string in every cell), and each is cut to what a line can hold, so the memory stays in
  // proportion to the workbook's size.
  std::unordered_set<std::string> texts_;
  std::vector<std::array<const std::string*, kSheetColumns>> cells_;
  InfoValueLists lists_;
};

}  // namespace stavbas
