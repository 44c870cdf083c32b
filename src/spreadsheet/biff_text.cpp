#include "spreadsheet/biff_text.h"

#include <iconv.h>

#include <algorithm>

#include "base/cp1252.h"

namespace stavbas::biff {

bool ContinuedData::NextSegment() {
  if (segment_ + 1 >= segments_.size()) return false;
  ++segment_;
  pos_ = 0;
  return true;
}

bool ContinuedData::ReadU8(std::uint8_t& value) {
  // Fixed-size fields may straddle a record boundary; no marker byte is repeated for them.
  while (segment_ >= segments_.size() || pos_ >= segments_[segment_].size())
    if (!NextSegment()) return false;
  value = segments_[segment_][pos_++];
  return true;
}

bool ContinuedData::ReadU16(std::uint16_t& value) {
  std::uint8_t lo, hi;
  if (!ReadU8(lo) || !ReadU8(hi)) return false;
  value = static_cast<std::uint16_t>(lo | hi << 8);
  return true;
}

bool ContinuedData::ReadU32(std::uint32_t& value) {
  std::uint16_t lo, hi;
  if (!ReadU16(lo) || !ReadU16(hi)) return false;
  value = lo | static_cast<std::uint32_t>(hi) << 16;
  return true;
}

bool ContinuedData::Skip(std::size_t count) {
  while (count > 0) {
    if (segment_ >= segments_.size()) return false;
    const std::size_t n = std::min(count, segments_[segment_].size() - pos_);
    pos_ += n;
    count -= n;
    if (count > 0 && !NextSegment()) return false;
  }
  return true;
}

bool ContinuedData::ReadChars(std::size_t count, bool twoBytes, std::u16string& out) {
  out.reserve(out.size() + count);
  while (count > 0) {
    if (segment_ >= segments_.size()) return false;
    const Bytes seg = segments_[segment_];
    const std::size_t width = twoBytes ? 2 : 1;
    const std::size_t n = std::min(count, (seg.size() - pos_) / width);
    const std::uint8_t* p = seg.data() + pos_;
    if (twoBytes) {
      for (std::size_t i = 0; i < n; ++i)
        out += static_cast<char16_t>(p[2 * i] | p[2 * i + 1] << 8);
    } else {
      out.append(p, p + n);
    }
    pos_ += n * width;
    count -= n;
    if (count == 0) break;
    // The record is used up (a stray odd byte is ignored): the characters go on in the next
    // CONTINUE record, after its width byte.
    if (!NextSegment() || segments_[segment_].empty()) return false;
    twoBytes = (segments_[segment_][0] & 0x01) != 0;
    pos_ = 1;
  }
  return true;
}

bool ContinuedData::ReadBytes(std::size_t count, std::string& out) {
  out.reserve(out.size() + count);
  while (count > 0) {
    if (segment_ >= segments_.size()) return false;
    const Bytes seg = segments_[segment_];
    const std::size_t n = std::min(count, seg.size() - pos_);
    out.append(seg.data() + pos_, seg.data() + pos_ + n);
    pos_ += n;
    count -= n;
    if (count > 0 && !NextSegment()) return false;
  }
  return true;
}

bool ReadUnicodeString(ContinuedData& data, bool extended, CellText& out) {
  std::uint16_t count;
  std::uint8_t flags;
  if (!data.ReadU16(count) || !data.ReadU8(flags)) return false;
  std::uint16_t runs = 0;
  std::uint32_t phoneticSize = 0;
  if (extended && (flags & 0x08) && !data.ReadU16(runs)) return false;
  if (extended && (flags & 0x04) && !data.ReadU32(phoneticSize)) return false;
  std::u16string chars;
  if (!data.ReadChars(count, (flags & 0x01) != 0, chars)) return false;
  // Four bytes per formatting run, then the phonetic block.
  if (!data.Skip(4 * static_cast<std::size_t>(runs)) || !data.Skip(phoneticSize)) return false;
  out.text = Utf16ToCp1252(chars);
  out.rich = runs > 0;
  return true;
}

std::string Utf16ToCp1252(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    const int byte = Cp1252ByteOf(c);  // half a surrogate pair holds nothing either
    out += byte < 0 ? '?' : static_cast<char>(byte);
  }
  return out;
}

CodePageText::CodePageText(int codePage) {
  // 1252 as such, and 32769 as Excel writes it in old files; 367 is ASCII.
  if (codePage == 0 || codePage == 1252 || codePage == 32769 || codePage == 367) return;
  const std::string name =
      codePage == 10000 || codePage == 32768 ? "MACINTOSH" : "CP" + std::to_string(codePage);
  iconv_t cd = iconv_open("UTF-8", name.c_str());
  if (cd != reinterpret_cast<iconv_t>(-1)) converter_ = cd;
}

CodePageText::~CodePageText() {
  if (converter_) iconv_close(static_cast<iconv_t>(converter_));
}

std::string CodePageText::ToCp1252(std::string_view bytes) {
  const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (!converter_ || ascii) return std::string(bytes);
  auto cd = static_cast<iconv_t>(converter_);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::string utf8(bytes.size() * 4 + 8, '\0');
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  char* out = utf8.data();
  std::size_t outLeft = utf8.size();
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1)) break;
    if (outLeft == 0) break;  // cannot happen with four bytes per input byte
    // A byte the code page does not define, or a cut double-byte character: mark and go on.
    *out++ = '?';
    --outLeft;
    ++in;
    --inLeft;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  utf8.resize(utf8.size() - outLeft);
  return Utf8ToCp1252(utf8);
}

}  // namespace stavbas::biff
