#pragma once
// Helpers for the spreadsheet reader's tests: the fixtures, a recording of the reader's
// events, and builders for workbook records and compound documents.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "spreadsheet/xls_read.h"

namespace stavbas::test {

std::string XlsFixture(std::string_view name);

struct CellEvent {
  enum Kind { kText, kRich, kNumber, kBoolean } kind;
  int row, col;
  std::string text;  // Windows-1252; empty for numbers
  double number = 0;
};

struct ReadResult {
  bool ok = false;
  std::string error;
  std::vector<CellEvent> cells;                 // in the order the events came
  const CellEvent* At(int row, int col) const;  // null when the cell had no event
};

// Reads with every event recorded; the reader's settings can be changed first.
ReadResult ReadXls(const std::string& path, TXLSRead reader = {});
// Decodes a workbook stream held in memory.
ReadResult ReadStream(std::string_view stream);

// Compound documents.
std::string ReadCompoundStream(const std::string& path, const std::string& name);
void WriteCompoundFile(const std::string& path,
                       const std::vector<std::pair<std::string, std::string>>& streams);

// Workbook records, little-endian as the format stores them.
std::string U16(unsigned v);
std::string U32(std::uint32_t v);
std::string F64(double v);
std::string Record(std::uint16_t id, std::string_view data);
// row, column and format index, the start of every cell record
std::string CellHead(int row, int col);
// An Excel 97 string of one-byte characters: count, flag byte 0, bytes.
std::string Text97(std::string_view latin1);
// A workbook stream: globals (BOF, the given records, one sheet entry per sheet, EOF) and the
// sheets (BOF, records, EOF). version 0x0600 is Excel 97, 0x0500 Excel 5.
std::string Workbook(std::uint16_t version, std::string_view globals,
                     const std::vector<std::string>& sheets);
// The records of a stream as (id, offset of the header).
std::vector<std::pair<std::uint16_t, std::size_t>> RecordList(std::string_view stream);

}  // namespace stavbas::test
