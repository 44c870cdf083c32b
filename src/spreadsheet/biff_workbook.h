#pragma once
// Decodes a workbook stream (the Excel binary record format of Excel 5 and Excel 97 and later)
// and reports the cells of its first worksheet through a reader's events.

#include <cstdint>
#include <span>
#include <string>

namespace stavbas {
class TXLSRead;
}

namespace stavbas::biff {

// False with a message when the stream is encrypted (kXlsEncrypted) or broken.
bool ReadWorkbook(std::span<const std::uint8_t> stream, const TXLSRead& reader, std::string& error);

}  // namespace stavbas::biff
