#pragma once
// The text parts of the workbook format: a record's data read together with the CONTINUE
// records that carry its overflow, the strings stored in it, and their characters in
// Windows-1252.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace stavbas::biff {

using Bytes = std::span<const std::uint8_t>;

// Reads the data of a record and of the CONTINUE records after it as one sequence. Every
// read fails, rather than reading past the data, when the data runs out.
class ContinuedData {
 public:
  explicit ContinuedData(std::vector<Bytes> segments) : segments_(std::move(segments)) {}

  bool ReadU8(std::uint8_t& value);
  bool ReadU16(std::uint16_t& value);
  bool ReadU32(std::uint32_t& value);
  bool Skip(std::size_t count);
  // Reads count characters (UTF-16 code units) stored one byte each (the high byte is 0) or
  // two bytes each. Characters that go on in the next CONTINUE record are preceded there by a
  // byte that says again whether they are one or two bytes wide.
  bool ReadChars(std::size_t count, bool twoBytes, std::u16string& out);
  // Reads count bytes of 8-bit text.
  bool ReadBytes(std::size_t count, std::string& out);

 private:
  bool NextSegment();

  std::vector<Bytes> segments_;
  std::size_t segment_ = 0;
  std::size_t pos_ = 0;
};

struct CellText {
  std::string text;   // Windows-1252
  bool rich = false;  // carries formatting runs
};

// Reads an Excel 97 string: 16-bit character count, flag byte, characters. With 'extended' (the
// shared string table's form) the flags may add formatting runs and phonetic data, which are
// skipped.
bool ReadUnicodeString(ContinuedData& data, bool extended, CellText& out);

// UTF-16 to Windows-1252; characters it cannot hold (a surrogate pair counts as one) become '?'.
std::string Utf16ToCp1252(std::u16string_view text);

// Converts the 8-bit texts of Excel 5 workbooks from their code page to Windows-1252.
class CodePageText {
 public:
  // 0, 1252 and code pages the system cannot convert from take the bytes as Windows-1252.
  explicit CodePageText(int codePage);
  ~CodePageText();
  CodePageText(const CodePageText&) = delete;
  CodePageText& operator=(const CodePageText&) = delete;

  std::string ToCp1252(std::string_view bytes);

 private:
  void* converter_ = nullptr;  // iconv_t to UTF-8, when the code page needs converting
};

}  // namespace stavbas::biff
