#pragma once
// Conversion between the program's Windows-1252 text and UTF-8 at the edges of the core.

#include <cstddef>
#include <string>
#include <string_view>

namespace stavbas {

std::string Cp1252ToUtf8(std::string_view s);
// The same, appended to `out` (for writers of large UTF-8 files).
void AppendCp1252AsUtf8(std::string& out, std::string_view s);
// The room the conversion below may write into for `size` bytes (more than its result needs).
constexpr std::size_t Utf8Room(std::size_t size) {
  return 3 * size + 16;
}
// The same with every "\r" left out, so that a line end "\r\n" becomes "\n" (for text written to
// a terminal or a pipe), written from `out`, which has Utf8Room(s.size()) bytes of room; returns
// the end of what was written.
char* WriteCp1252AsUtf8WithoutCr(char* out, std::string_view s);
// The widest blocks the two conversions above take: 64 (where the processor has AVX-512 with
// VBMI2), 32 (AVX2), 16 (SSSE3) or 0, byte by byte. For tests, to try each way; the widest the
// processor takes is used unless limited.
void LimitUtf8ConversionWidth(int widest);
// Characters that Windows-1252 cannot hold become '?'; invalid UTF-8 bytes are taken as
// Windows-1252 bytes as they stand, so text that was never UTF-8 passes through unchanged.
std::string Utf8ToCp1252(std::string_view s);
// The Unicode character of a Windows-1252 byte (the bytes the code page leaves undefined stand
// for the C1 control of the same value).
char32_t Cp1252CodePoint(unsigned char byte);
// The Windows-1252 byte of a Unicode character, or -1 when the code page does not hold it.
int Cp1252ByteOf(char32_t codePoint);

}  // namespace stavbas
