#include "spreadsheet/biff_workbook.h"

#include <bit>
#include <optional>
#include <utility>
#include <vector>

#include "spreadsheet/biff_text.h"
#include "spreadsheet/xls_read.h"

namespace stavbas::biff {
namespace {

// Record identifiers.
constexpr std::uint16_t kBof = 0x0809;
constexpr std::uint16_t kEof = 0x000A;
constexpr std::uint16_t kFilePass = 0x002F;
constexpr std::uint16_t kCodePage = 0x0042;
constexpr std::uint16_t kBoundSheet = 0x0085;
constexpr std::uint16_t kSst = 0x00FC;
constexpr std::uint16_t kContinue = 0x003C;
constexpr std::uint16_t kLabelSst = 0x00FD;
constexpr std::uint16_t kLabel = 0x0204;
constexpr std::uint16_t kRString = 0x00D6;
constexpr std::uint16_t kNumber = 0x0203;
constexpr std::uint16_t kRk = 0x027E;
constexpr std::uint16_t kMulRk = 0x00BD;
constexpr std::uint16_t kFormula = 0x0006;
// The formula record under its Excel 3 and Excel 4 identifiers, accepted as well.
constexpr std::uint16_t kFormulaOld1 = 0x0206;
constexpr std::uint16_t kFormulaOld2 = 0x0406;
constexpr std::uint16_t kString = 0x0207;
constexpr std::uint16_t kBoolErr = 0x0205;
constexpr std::uint16_t kShrFmla = 0x04BC;
constexpr std::uint16_t kArray = 0x0221;
constexpr std::uint16_t kTable = 0x0236;

// Substream types in BOF records.
constexpr std::uint16_t kGlobals = 0x0005;
constexpr std::uint16_t kWorksheet = 0x0010;

std::uint16_t U16(Bytes b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

std::uint32_t U32(Bytes b, std::size_t at) {
  return U16(b, at) | static_cast<std::uint32_t>(U16(b, at + 2)) << 16;
}

double F64(Bytes b, std::size_t at) {
  return std::bit_cast<double>(U32(b, at) | static_cast<std::uint64_t>(U32(b, at + 4)) << 32);
}

// A compressed number: 30 bits that are either a signed integer or the top of a double,
// optionally to be divided by 100.
double RkValue(std::uint32_t rk) {
  double value = (rk & 0x02) ? static_cast<double>(static_cast<std::int32_t>(rk) >> 2)
                             : std::bit_cast<double>(static_cast<std::uint64_t>(rk & ~3u) << 32);
  return (rk & 0x01) ? value / 100 : value;
}

const char* ErrorText(std::uint8_t code) {
  static constexpr std::pair<std::uint8_t, const char*> kErrors[] = {
      {0x00, "#NULL!"}, {0x07, "#DIV/0!"}, {0x0F, "#VALUE!"}, {0x17, "#REF!"},
      {0x1D, "#NAME?"}, {0x24, "#NUM!"},   {0x2A, "#N/A"}};
  for (const auto& [value, text] : kErrors)
    if (value == code) return text;
  return "#N/A";  // codes newer than the format (such as "getting data")
}

struct Record {
  std::uint16_t id = 0;
  std::size_t offset = 0;  // of the record header in the stream
  Bytes data;
};

class Records {
 public:
  explicit Records(Bytes stream) : stream_(stream) {}

  bool AtEnd() const { return pos_ >= stream_.size(); }
  std::size_t Position() const { return pos_; }
  void Seek(std::size_t pos) { pos_ = pos; }

  // The next record; false at the end of the stream, with error set when the stream ends
  // inside a record.
  bool Next(Record& record, std::string& error) {
    if (AtEnd()) return false;
    if (stream_.size() - pos_ < 4) {
      error =
          "Broken workbook: the stream ends inside a record header at byte " + std::to_string(pos_);
      return false;
    }
    const std::size_t length = U16(stream_, pos_ + 2);
    if (stream_.size() - pos_ - 4 < length) {
      error = "Broken workbook: the record at byte " + std::to_string(pos_) + " is " +
              std::to_string(length) + " bytes long and runs past the end of the stream";
      return false;
    }
    record = {U16(stream_, pos_), pos_, stream_.subspan(pos_ + 4, length)};
    pos_ += 4 + length;
    return true;
  }

  // The record's data followed by the data of the CONTINUE records after it, which are
  // consumed.
  std::vector<Bytes> WithContinues(const Record& record) {
    std::vector<Bytes> segments{record.data};
    std::string ignored;  // a broken CONTINUE is left for Next to report
    Record next;
    while (stream_.size() - pos_ >= 4 && U16(stream_, pos_) == kContinue) {
      const std::size_t at = pos_;
      if (!Next(next, ignored)) {
        pos_ = at;
        break;
      }
      segments.push_back(next.data);
    }
    return segments;
  }

 private:
  Bytes stream_;
  std::size_t pos_ = 0;
};

class Parser {
 public:
  Parser(Bytes stream, const TXLSRead& reader, std::string& error)
      : stream_(stream), records_(stream), reader_(reader), error_(error) {}

  bool Run() {
    if (!Globals() || !FindFirstWorksheet()) return false;
    return Worksheet();
  }

 private:
  bool Fail(std::string text) {
    error_ = "Broken workbook: " + std::move(text);
    return false;
  }

  bool TooShort(const Record& r) {
    return Fail("the record 0x" + Hex(r.id) + " at byte " + std::to_string(r.offset) +
                " is too short (" + std::to_string(r.data.size()) + " bytes)");
  }

  static std::string Hex(std::uint16_t v) {
    static const char digits[] = "0123456789ABCDEF";
    std::string s(4, '0');
    for (int i = 3; i >= 0; --i, v >>= 4) s[i] = digits[v & 0xF];
    return s;
  }

  // The next record, or false with a message when the stream ends first.
  bool Next(Record& r, const char* where) {
    if (records_.Next(r, error_)) return true;
    if (error_.empty()) Fail(std::string("the stream ends inside ") + where);
    return false;
  }

  bool Globals() {
    Record r;
    if (!Next(r, "the workbook globals")) return false;
    if (r.id != kBof) return Fail("the workbook stream does not begin with a BOF record");
    if (r.data.size() < 4) return TooShort(r);
    const std::uint16_t version = U16(r.data, 0);
    if (version != 0x0500 && version != 0x0600)
      return Fail("unknown format version 0x" + Hex(version));
    if (U16(r.data, 2) != kGlobals)
      return Fail("the stream does not begin with the workbook globals");
    excel97_ = version == 0x0600;

    while (Next(r, "the workbook globals")) {
      switch (r.id) {
        case kFilePass:
          error_ = kXlsEncrypted;
          return false;
        case kCodePage:
          if (r.data.size() < 2) return TooShort(r);
          codePage_ = U16(r.data, 0);
          break;
        case kBoundSheet:
          if (r.data.size() < 6) return TooShort(r);
          // The first sheet of the workbook that is a worksheet (not a chart, macro or
          // Visual Basic sheet).
          if (!sheetOffset_ && r.data[5] == 0) sheetOffset_ = U32(r.data, 0);
          break;
        case kSst:
          if (!SharedStrings(r)) return false;
          break;
        case kEof:
          return true;
        default:
          break;
      }
    }
    return false;
  }

  bool SharedStrings(const Record& r) {
    ContinuedData data(records_.WithContinues(r));
    std::uint32_t total, unique;
    if (!data.ReadU32(total) || !data.ReadU32(unique)) return TooShort(r);
    sst_.clear();
    // Each string takes at least three bytes; a count beyond that is a lie not to reserve for.
    sst_.reserve(std::min<std::size_t>(unique, stream_.size() / 3));
    for (std::uint32_t i = 0; i < unique; ++i) {
      CellText s;
      if (!ReadUnicodeString(data, true, s))
        return Fail("the shared string table ends after " + std::to_string(i) + " of the " +
                    std::to_string(unique) + " strings it declares");
      sst_.push_back(std::move(s));
    }
    return true;
  }

  // Positions the records at the BOF of the first worksheet: where its sheet entry says, or,
  // when that is no worksheet BOF, the first worksheet substream after the globals.
  bool FindFirstWorksheet() {
    const std::size_t afterGlobals = records_.Position();
    if (sheetOffset_ && IsWorksheetBof(*sheetOffset_)) {
      records_.Seek(*sheetOffset_);
      return true;
    }
    std::string ignored;
    Record r;
    int depth = 0;
    records_.Seek(afterGlobals);
    while (true) {
      const std::size_t at = records_.Position();
      if (!records_.Next(r, ignored)) break;
      if (r.id == kBof && depth == 0 && IsWorksheetBof(at)) {
        records_.Seek(at);
        return true;
      }
      if (r.id == kBof) ++depth;
      if (r.id == kEof && depth > 0) --depth;
    }
    return Fail("the workbook holds no worksheet");
  }

  bool IsWorksheetBof(std::size_t offset) {
    if (offset > stream_.size() || stream_.size() - offset < 8) return false;
    const Bytes b = stream_.subspan(offset);
    return U16(b, 0) == kBof && U16(b, 2) >= 4 && U16(b, 6) == kWorksheet;
  }

  bool Worksheet() {
    Record r;
    if (!Next(r, "the worksheet")) return false;  // its BOF, found above
    int depth = 1;  // charts embedded in the sheet are substreams of their own
    while (Next(r, "the worksheet")) {
      if (r.id == kBof) {
        ++depth;
        continue;
      }
      if (r.id == kEof) {
        if (--depth == 0) return true;
        continue;
      }
      if (depth == 1 && !Cell(r)) return false;
    }
    return false;
  }

  bool Cell(const Record& r) {
    // A formula's text result follows it in a STRING record, possibly after the records
    // that hold shared formulas.
    if (r.id != kString && r.id != kShrFmla && r.id != kArray && r.id != kTable &&
        r.id != kContinue)
      pendingText_.reset();
    switch (r.id) {
      case kFilePass:
        error_ = kXlsEncrypted;
        return false;
      case kLabelSst: {
        if (r.data.size() < 10) return TooShort(r);
        const std::uint32_t index = U32(r.data, 6);
        if (index >= sst_.size())
          return Fail("the cell at row " + std::to_string(U16(r.data, 0)) + ", column " +
                      std::to_string(U16(r.data, 2)) + " refers to shared string " +
                      std::to_string(index) + " of " + std::to_string(sst_.size()));
        Text(r, sst_[index]);
        return true;
      }
      case kLabel:
      case kRString: {
        if (r.data.size() < 8) return TooShort(r);
        std::vector<Bytes> segments = records_.WithContinues(r);
        segments[0] = segments[0].subspan(6);
        CellText text;
        if (!StringValue(segments, text)) return TooShort(r);
        text.rich = r.id == kRString;
        Text(r, text);
        return true;
      }
      case kNumber:
        if (r.data.size() < 14) return TooShort(r);
        Number(U16(r.data, 0), U16(r.data, 2), F64(r.data, 6));
        return true;
      case kRk:
        if (r.data.size() < 10) return TooShort(r);
        Number(U16(r.data, 0), U16(r.data, 2), RkValue(U32(r.data, 6)));
        return true;
      case kMulRk: {
        // Row, first column, then six bytes (format, number) per cell, then the last column.
        if (r.data.size() < 12) return TooShort(r);
        const int row = U16(r.data, 0), first = U16(r.data, 2);
        const std::size_t count = (r.data.size() - 6) / 6;
        for (std::size_t i = 0; i < count; ++i)
          Number(row, first + static_cast<int>(i), RkValue(U32(r.data, 4 + 6 * i + 2)));
        return true;
      }
      case kFormula:
      case kFormulaOld1:
      case kFormulaOld2:
        return Formula(r);
      case kString: {
        if (!pendingText_) return true;  // not after a formula: nothing to do
        CellText text;
        if (!StringValue(records_.WithContinues(r), text)) return TooShort(r);
        Text(pendingText_->first, pendingText_->second, text.text, false);
        pendingText_.reset();
        return true;
      }
      case kBoolErr:
        // Error constants are not reported; only formula errors are, as their text.
        if (r.data.size() < 8) return TooShort(r);
        if (r.data[7] == 0) Boolean(U16(r.data, 0), U16(r.data, 2), r.data[6] != 0);
        return true;
      default:
        return true;
    }
  }

  bool Formula(const Record& r) {
    if (r.data.size() < 14) return TooShort(r);
    const int row = U16(r.data, 0), col = U16(r.data, 2);
    // The cached result: a double, unless its top two bytes are 0xFFFF; then the first byte
    // says what it is.
    if (U16(r.data, 12) != 0xFFFF) {
      Number(row, col, F64(r.data, 6));
      return true;
    }
    switch (r.data[6]) {
      case 0:  // text, in the STRING record that follows
        pendingText_.emplace(row, col);
        break;
      case 1:
        Boolean(row, col, r.data[8] != 0);
        break;
      case 2:
        Text(row, col, ErrorText(r.data[8]), false);
        break;
      case 3:  // empty text
        Text(row, col, std::string(), false);
        break;
      default:
        break;
    }
    return true;
  }

  // A string in a LABEL, RSTRING or STRING record: Unicode in Excel 97, bytes in the
  // workbook's code page in Excel 5.
  bool StringValue(const std::vector<Bytes>& segments, CellText& out) {
    ContinuedData data(segments);
    if (excel97_) return ReadUnicodeString(data, false, out);
    std::uint16_t length;
    std::string bytes;
    if (!data.ReadU16(length) || !data.ReadBytes(length, bytes)) return false;
    if (!codePageText_) codePageText_.emplace(reader_.CodePage ? reader_.CodePage : codePage_);
    out.text = codePageText_->ToCp1252(bytes);
    return true;
  }

  void Text(const Record& r, const CellText& text) {
    Text(U16(r.data, 0), U16(r.data, 2), text.text, text.rich);
  }

  void Text(int row, int col, const std::string& text, bool rich) {
    if (rich && reader_.OnRichCell) {
      reader_.OnRichCell(row, col, text);
    } else if (reader_.OnStringCell) {
      reader_.OnStringCell(row, col, text);
    }
  }

  void Number(int row, int col, double value) {
    if (reader_.OnNumberCell) reader_.OnNumberCell(row, col, value);
  }

  void Boolean(int row, int col, bool value) {
    if (reader_.OnBooleanCell)
      reader_.OnBooleanCell(row, col, value ? reader_.TrueText : reader_.FalseText);
  }

  Bytes stream_;
  Records records_;
  const TXLSRead& reader_;
  std::string& error_;
  bool excel97_ = true;
  int codePage_ = 1252;
  std::optional<std::uint32_t> sheetOffset_;
  std::vector<CellText> sst_;
  std::optional<std::pair<int, int>> pendingText_;
  std::optional<CodePageText> codePageText_;
};

}  // namespace

bool ReadWorkbook(std::span<const std::uint8_t> stream, const TXLSRead& reader,
                  std::string& error) {
  return Parser(stream, reader, error).Run();
}

}  // namespace stavbas::biff
