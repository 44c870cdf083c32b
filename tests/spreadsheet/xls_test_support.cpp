#include "spreadsheet/xls_test_support.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-utils.h>
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <filesystem>

#include "spreadsheet/biff_workbook.h"
#include "spreadsheet/compound_document.h"

namespace stavbas::test {

std::string XlsFixture(std::string_view name) {
  return (std::filesystem::path(STAVBAS_SOURCE_DIR) / "tests/fixtures/xls" / name).string();
}

const CellEvent* ReadResult::At(int row, int col) const {
  for (const CellEvent& c : cells)
    if (c.row == row && c.col == col) return &c;
  return nullptr;
}

namespace {

void Record(TXLSRead& reader, ReadResult& result) {
  auto text = [&result](CellEvent::Kind kind) {
    return [&result, kind](int row, int col, const std::string& s) {
      result.cells.push_back({kind, row, col, s});
    };
  };
  reader.OnStringCell = text(CellEvent::kText);
  reader.OnRichCell = text(CellEvent::kRich);
  reader.OnBooleanCell = text(CellEvent::kBoolean);
  reader.OnNumberCell = [&result](int row, int col, double v) {
    result.cells.push_back({CellEvent::kNumber, row, col, {}, v});
  };
}

}  // namespace

ReadResult ReadXls(const std::string& path, TXLSRead reader) {
  ReadResult result;
  Record(reader, result);
  result.ok = reader.Read(path, result.error);
  return result;
}

ReadResult ReadStream(std::string_view stream) {
  ReadResult result;
  TXLSRead reader;
  Record(reader, result);
  // A copy of exactly the stream's size, so that the address checkers see any read past it.
  std::vector<std::uint8_t> bytes(stream.begin(), stream.end());
  result.ok = biff::ReadWorkbook(bytes, reader, result.error);
  return result;
}

std::string ReadCompoundStream(const std::string& path, const std::string& name) {
  std::string bytes;
  GsfInput* file = gsf_input_stdio_new(path.c_str(), nullptr);
  GsfInfile* doc = file ? gsf_infile_msole_new(file, nullptr) : nullptr;
  GsfInput* stream = doc ? gsf_infile_child_by_name(doc, name.c_str()) : nullptr;
  if (stream) {
    bytes.resize(static_cast<std::size_t>(gsf_input_size(stream)));
    if (!gsf_input_read(stream, bytes.size(), reinterpret_cast<guint8*>(bytes.data())))
      bytes.clear();
  }
  for (GObject* o : {G_OBJECT(stream), G_OBJECT(doc), G_OBJECT(file)})
    if (o) g_object_unref(o);
  EXPECT_FALSE(bytes.empty()) << "no stream " << name << " in " << path;
  return bytes;
}

void WriteCompoundFile(const std::string& path,
                       const std::vector<std::pair<std::string, std::string>>& streams) {
  ASSERT_TRUE(WriteCompoundDocument(path, streams)) << path;
}

std::string U16(unsigned v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF)};
}

std::string U32(std::uint32_t v) {
  return U16(v & 0xFFFF) + U16(v >> 16);
}

std::string F64(double v) {
  const auto bits = std::bit_cast<std::uint64_t>(v);
  return U32(static_cast<std::uint32_t>(bits)) + U32(static_cast<std::uint32_t>(bits >> 32));
}

std::string Record(std::uint16_t id, std::string_view data) {
  return U16(id) + U16(static_cast<unsigned>(data.size())) + std::string(data);
}

std::string CellHead(int row, int col) {
  return U16(row) + U16(col) + U16(15);
}

std::string Text97(std::string_view latin1) {
  return U16(static_cast<unsigned>(latin1.size())) + '\0' + std::string(latin1);
}

std::string Workbook(std::uint16_t version, std::string_view globals,
                     const std::vector<std::string>& sheets) {
  auto bof = [version](unsigned type) { return Record(0x0809, U16(version) + U16(type) + U32(0)); };
  const std::string eof = Record(0x000A, "");
  std::string sheetEntries;
  std::string sheetStreams;
  // Each entry is 4 + 6 + 2 name bytes ("S" with its length byte, plus a flag byte in Excel 97).
  const std::size_t entrySize = version == 0x0600 ? 13 : 12;
  std::size_t offset = 12 + globals.size() + sheets.size() * entrySize + 4;
  for (const std::string& records : sheets) {
    std::string name = version == 0x0600 ? std::string("\1\0S", 3) : std::string("\1S", 2);
    sheetEntries += Record(0x0085, U32(static_cast<std::uint32_t>(offset)) + U16(0) + name);
    const std::string sheet = bof(0x0010) + records + eof;
    sheetStreams += sheet;
    offset += sheet.size();
  }
  return bof(0x0005) + std::string(globals) + sheetEntries + eof + sheetStreams;
}

std::vector<std::pair<std::uint16_t, std::size_t>> RecordList(std::string_view stream) {
  std::vector<std::pair<std::uint16_t, std::size_t>> list;
  for (std::size_t pos = 0; pos + 4 <= stream.size();) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(stream[pos + i]); };
    list.emplace_back(static_cast<std::uint16_t>(b(0) | b(1) << 8), pos);
    pos += 4 + (b(2) | b(3) << 8);
  }
  return list;
}

}  // namespace stavbas::test
