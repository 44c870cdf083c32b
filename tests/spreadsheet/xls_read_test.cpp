#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>

#include "base/cp1252.h"
#include "spreadsheet/xls_test_support.h"
#include "support/temp_dir.h"

namespace stavbas::test {
namespace {

std::string W(std::string_view utf8) {
  return Utf8ToCp1252(utf8);
}

void ExpectText(const ReadResult& r, int row, int col, std::string_view utf8,
                CellEvent::Kind kind = CellEvent::kText) {
  const CellEvent* c = r.At(row, col);
  ASSERT_NE(c, nullptr) << row << "," << col;
  EXPECT_EQ(c->kind, kind) << row << "," << col;
  EXPECT_EQ(c->text, W(utf8)) << row << "," << col;
}

void ExpectNumber(const ReadResult& r, int row, int col, double value) {
  const CellEvent* c = r.At(row, col);
  ASSERT_NE(c, nullptr) << row << "," << col;
  EXPECT_EQ(c->kind, CellEvent::kNumber) << row << "," << col;
  EXPECT_EQ(c->number, value) << row << "," << col;
}

// The same sheet written as Excel 97 by LibreOffice, as Excel 5 by Gnumeric, and by Gnumeric
// with both streams.
class InfoWorkbook : public testing::TestWithParam<const char*> {};

TEST_P(InfoWorkbook, DeliversTheFirstSheetsCells) {
  const ReadResult r = ReadXls(XlsFixture(GetParam()));
  ASSERT_TRUE(r.ok) << r.error;

  ExpectText(r, 0, 0, "SIGNUM");
  ExpectText(r, 0, 2, "Socken");
  ExpectText(r, 0, 6, "ÖVRIGT");
  ExpectText(r, 0, 10, "Anmärkning");
  ExpectText(r, 1, 0, "U 9001 ");
  ExpectText(r, 1, 1, "Åkerby kyrka");
  ExpectText(r, 1, 3, "6614523;1627548");
  ExpectText(r, 1, 5, "V 1000–1050");
  ExpectText(r, 1, 6, "Müllers anteckning", CellEvent::kRich);
  ExpectText(r, 2, 6, "Pris 5 €");
  ExpectText(r, 3, 6, "?mega och ?");  // Greek omega and Hungarian o are not in Windows-1252
  ExpectText(r, 5, 1, "Efter tom signum");
  EXPECT_EQ(r.At(5, 0), nullptr);
  ExpectText(r, 6, 0, "U 9006 ");

  ExpectNumber(r, 1, 4, 6614523);
  ExpectNumber(r, 1, 7, 1.5);
  ExpectNumber(r, 1, 8, 3);
  ExpectNumber(r, 2, 7, -42);
  ExpectNumber(r, 2, 8, 0.1);
  ExpectNumber(r, 2, 10, 1234567.89);
  ExpectNumber(r, 3, 3, 6583052);
  ExpectNumber(r, 3, 7, 123456789012);
  ExpectNumber(r, 3, 8, 1e20);
  ExpectNumber(r, 3, 10, -0.5);
  ExpectNumber(r, 4, 7, 3.14159265358979);
  ExpectNumber(r, 4, 10, 36525);  // the date 1999-12-31

  // Formula results: number, text, errors, empty text, Booleans.
  ExpectNumber(r, 1, 9, 6);
  ExpectNumber(r, 8, 10, 1.25);
  ExpectText(r, 3, 9, "Ängsöx");
  ExpectText(r, 2, 9, "#DIV/0!");
  ExpectText(r, 4, 9, "#N/A");
  ExpectText(r, 7, 7, "#VALUE!");
  ExpectText(r, 7, 8, "#NAME?");
  ExpectText(r, 8, 8, "#NULL!");
  ExpectText(r, 6, 10, "");
  ExpectText(r, 7, 9, "TRUE", CellEvent::kBoolean);
  ExpectText(r, 8, 9, "FALSE", CellEvent::kBoolean);

  for (const CellEvent& c : r.cells) {
    EXPECT_LE(c.row, 8);  // the second sheet ("Andra bladet", 99) is not read
    EXPECT_LE(c.col, 10);
  }
}

INSTANTIATE_TEST_SUITE_P(Writers, InfoWorkbook,
                         testing::Values("info97.xls", "info95.xls", "info_dual.xls"));

// What each fixture is there for, so that a remade fixture cannot silently lose it.
TEST(XlsFixtures, HoldTheRecordsTheyAreMeantToCover) {
  auto ids = [](const std::string& file, const std::string& stream) {
    std::multiset<std::uint16_t> set;
    for (const auto& [id, offset] : RecordList(ReadCompoundStream(XlsFixture(file), stream)))
      set.insert(id);
    return set;
  };
  const auto excel97 = ids("info97.xls", "Workbook");
  // SST, LABELSST, NUMBER, RK, MULRK, FORMULA, STRING
  for (std::uint16_t id : {0x00FC, 0x00FD, 0x0203, 0x027E, 0x00BD, 0x0006, 0x0207})
    EXPECT_TRUE(excel97.count(id)) << std::hex << id;
  const auto excel5 = ids("info95.xls", "Book");
  // CODEPAGE, LABEL, RSTRING, NUMBER, RK, FORMULA, STRING
  for (std::uint16_t id : {0x0042, 0x0204, 0x00D6, 0x0203, 0x027E, 0x0006, 0x0207})
    EXPECT_TRUE(excel5.count(id)) << std::hex << id;
  for (const char* file : {"longtext97.xls", "longtext_gnumeric97.xls"}) {
    const std::string stream = ReadCompoundStream(XlsFixture(file), "Workbook");
    const auto list = RecordList(stream);
    std::size_t sstBytes = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
      if (list[i].first != 0x00FC) continue;
      for (std::size_t j = i; j < list.size() && (j == i || list[j].first == 0x003C); ++j)
        sstBytes += (j + 1 < list.size() ? list[j + 1].second : stream.size()) - list[j].second;
    }
    EXPECT_GT(sstBytes, 8224u * 3) << file;  // the table spans several CONTINUE records
  }
}

// Rebuilds the long texts of the long-text fixtures ("<0>piece<1>piece..." cut to length).
std::string LongText(std::size_t length, const std::string& piece) {
  std::string s;
  for (int k = 0; s.size() < length; ++k) s += "<" + std::to_string(k) + ">" + piece;
  return s.substr(0, length);
}

class LongTextWorkbook : public testing::TestWithParam<const char*> {};

TEST_P(LongTextWorkbook, JoinsTextsSplitAcrossContinueRecords) {
  const ReadResult r = ReadXls(XlsFixture(GetParam()));
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.cells.size(), 104u * 2);
  for (int i = 1; i <= 100; ++i) {
    ExpectText(r, i, 0, "U " + std::to_string(9500 + i) + " ");
    ExpectText(r, i, 1, "Rad " + std::to_string(i) + ": kort anteckning om stenen, åäö ÅÄÖ ü");
  }
  ExpectText(r, 101, 1, Cp1252ToUtf8(LongText(9000, W("åäöü "))));
  ExpectText(r, 102, 1, Cp1252ToUtf8(LongText(5000, W("€åäö "))));
  ExpectText(r, 103, 1, "slut");
}

INSTANTIATE_TEST_SUITE_P(Writers, LongTextWorkbook,
                         testing::Values("longtext97.xls", "longtext_gnumeric97.xls"));

TEST(XlsRead, RefusesFilesThatAreNoReadableWorkbook) {
  TempDir dir;
  dir.WriteBytes("text.xls", "SIGNUM;PLATS\r\nU 1 ;Byn\r\n");
  dir.WriteBytes("empty.xls", "");
  const std::string sheet = Record(0x0203, CellHead(0, 0) + F64(1));
  WriteCompoundFile(dir / "other.xls", {{"Sheet1", Workbook(0x0600, "", {sheet})}});
  // An Excel 5 workbook protected with a password (FILEPASS with the XOR key and hash).
  WriteCompoundFile(
      dir / "locked5.xls",
      {{"Book", Workbook(0x0500, Record(0x002F, U16(0x1234) + U16(0x5678)), {sheet})}});
  const std::pair<std::string, std::string> cases[] = {
      {XlsFixture("encrypted97.xls"), kXlsEncrypted},
      {dir / "locked5.xls", kXlsEncrypted},
      {XlsFixture("notworkbook.doc"), kXlsNotAWorkbook},
      {dir / "other.xls", kXlsNotAWorkbook},
      {dir / "text.xls", kXlsNotAWorkbook},
      {dir / "empty.xls", kXlsNotAWorkbook}};
  for (const auto& [path, error] : cases) {
    const ReadResult r = ReadXls(path);
    EXPECT_FALSE(r.ok) << path;
    EXPECT_EQ(r.error, error) << path;
    EXPECT_TRUE(r.cells.empty()) << path;
  }
  const ReadResult missing = ReadXls(dir / "missing.xls");
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.error.find("Can not open " + dir / "missing.xls"), std::string::npos)
      << missing.error;
}

TEST(XlsRead, PrefersTheExcel97StreamAndMatchesStreamNamesWithoutCase) {
  TempDir dir;
  auto label = [](const char* text) {
    return Record(0x0204, CellHead(0, 0) + U16(static_cast<unsigned>(strlen(text))) + text);
  };
  const std::string book = Workbook(0x0500, "", {label("five")});
  const std::string workbook =
      Workbook(0x0600, "", {Record(0x0204, CellHead(0, 0) + Text97("eight"))});
  WriteCompoundFile(dir / "both.xls", {{"Book", book}, {"Workbook", workbook}});
  WriteCompoundFile(dir / "upper.xls", {{"BOOK", book}});
  EXPECT_EQ(ReadXls(dir / "both.xls").At(0, 0)->text, "eight");
  EXPECT_EQ(ReadXls(dir / "upper.xls").At(0, 0)->text, "five");
}

TEST(XlsRead, Excel5TextIsTakenFromTheWorkbookCodePageUnlessOneIsSet) {
  TempDir dir;
  const std::string sheet = Record(0x0204, CellHead(0, 0) + U16(4) + "\x86\x84\x94!");
  WriteCompoundFile(dir / "dos.xls",
                    {{"Book", Workbook(0x0500, Record(0x0042, U16(850)), {sheet})}});
  WriteCompoundFile(dir / "mac.xls",
                    {{"Book", Workbook(0x0500, Record(0x0042, U16(10000)), {sheet})}});
  EXPECT_EQ(ReadXls(dir / "dos.xls").At(0, 0)->text, W("åäö!"));
  EXPECT_EQ(ReadXls(dir / "mac.xls").At(0, 0)->text, W("ÜÑî!"));
  TXLSRead reader;
  reader.CodePage = 1252;
  EXPECT_EQ(ReadXls(dir / "dos.xls", reader).At(0, 0)->text, "\x86\x84\x94!");
}

TEST(XlsRead, SettingsAndUnsetEvents) {
  TXLSRead reader;
  reader.TrueText = "SANT";
  reader.FalseText = "FALSKT";
  const ReadResult r = ReadXls(XlsFixture("info97.xls"), reader);
  EXPECT_EQ(r.At(7, 9)->text, "SANT");
  EXPECT_EQ(r.At(8, 9)->text, "FALSKT");

  // Without a rich-text event, rich texts come as plain texts; unset events drop their cells.
  std::vector<std::string> texts;
  TXLSRead plain;
  plain.OnStringCell = [&texts](int, int, const std::string& s) { texts.push_back(s); };
  std::string error;
  ASSERT_TRUE(plain.Read(XlsFixture("info97.xls"), error)) << error;
  EXPECT_NE(std::find(texts.begin(), texts.end(), W("Müllers anteckning")), texts.end());
  EXPECT_EQ(std::find(texts.begin(), texts.end(), "TRUE"), texts.end());
}

// Record forms the fixtures' writers do not use, in hand-made streams.
TEST(XlsRecords, SharedStringsWithRunsPhoneticDataAndSplits) {
  // String 1 is two-byte "Ωmega" with two formatting runs and 10 bytes of phonetic data; its
  // characters go on one byte wide in the first CONTINUE, its runs are split by the second.
  // String 2 starts a CONTINUE; string 3's characters start the next one.
  const std::string runs = U16(0) + U16(1) + U16(2) + U16(0);
  const std::string sst = Record(0x00FC, U32(4) + U32(4) + Text97("abc") + U16(5) + "\x0D" +
                                             U16(2) + U32(10) + "\xA9\x03m" + '\0') +
                          Record(0x003C, std::string(1, '\0') + "ega" + runs.substr(0, 6)) +
                          Record(0x003C, runs.substr(6) + std::string(10, 'p')) +
                          Record(0x003C, Text97("xyz") + U16(2) + '\0') +
                          Record(0x003C, std::string(1, '\0') + "\xE4\xF6");
  std::string cells;
  for (int i = 0; i < 4; ++i) cells += Record(0x00FD, CellHead(i, 0) + U32(i));
  const ReadResult r = ReadStream(Workbook(0x0600, sst, {cells}));
  ASSERT_TRUE(r.ok) << r.error;
  ExpectText(r, 0, 0, "abc");
  ExpectText(r, 1, 0, "?mega", CellEvent::kRich);
  ExpectText(r, 2, 0, "xyz");
  ExpectText(r, 3, 0, "äö");
}

TEST(XlsRecords, NumbersInEveryStorageForm) {
  auto rk = [](int row, int col, std::uint32_t value) {
    return Record(0x027E, CellHead(row, col) + U32(value));
  };
  const std::string cells =
      rk(0, 0, 12345u << 2 | 2) +                              // integer
      rk(0, 1, static_cast<std::uint32_t>(-12345) << 2 | 3) +  // integer / 100
      rk(0, 2, 0x3FF80000) +                                   // top of the double 1.5
      rk(0, 3, 0x40590000 | 1) +                               // 100.0 / 100
      Record(0x00BD, U16(1) + U16(4) + U16(15) + U32(7u << 2 | 2) + U16(15) +
                         U32(static_cast<std::uint32_t>(-8) << 2 | 2) + U16(15) + U32(0x3FF00000) +
                         U16(6)) +
      Record(0x0203, CellHead(2, 0) + F64(1e-300));
  const ReadResult r = ReadStream(Workbook(0x0600, "", {cells}));
  ASSERT_TRUE(r.ok) << r.error;
  ExpectNumber(r, 0, 0, 12345);
  ExpectNumber(r, 0, 1, -123.45);
  ExpectNumber(r, 0, 2, 1.5);
  ExpectNumber(r, 0, 3, 1);
  ExpectNumber(r, 1, 4, 7);
  ExpectNumber(r, 1, 5, -8);
  ExpectNumber(r, 1, 6, 1);
  ExpectNumber(r, 2, 0, 1e-300);
  EXPECT_EQ(r.cells.size(), 8u);
}

TEST(XlsRecords, FormulaTextFollowsSharedFormulaRecordsOnly) {
  auto formulaText = [](int row) {
    return Record(0x0006,
                  CellHead(row, 0) + std::string(6, '\0') + U16(0xFFFF) + std::string(8, '\0'));
  };
  const std::string cells = formulaText(0) + Record(0x04BC, std::string(10, 'x')) +
                            Record(0x0207, Text97("after")) + formulaText(1) +
                            Record(0x0203, CellHead(1, 1) + F64(2)) +
                            Record(0x0207, Text97("lost")) + Record(0x0207, Text97("stray"));
  const ReadResult r = ReadStream(Workbook(0x0600, "", {cells}));
  ASSERT_TRUE(r.ok) << r.error;
  ExpectText(r, 0, 0, "after");
  EXPECT_EQ(r.At(1, 0), nullptr);
  EXPECT_EQ(r.cells.size(), 2u);
}

TEST(XlsRecords, ReadsOnlyTheFirstWorksheet) {
  auto number = [](double v) { return Record(0x0203, CellHead(0, 0) + F64(v)); };
  // An embedded chart's substream inside the sheet holds no cells of the sheet.
  const std::string chart =
      Record(0x0809, U16(0x0600) + U16(0x0020) + U32(0)) + number(9) + Record(0x000A, "");
  std::string stream = Workbook(0x0600, "", {number(1) + chart, number(2)});
  const ReadResult first = ReadStream(stream);
  ASSERT_TRUE(first.ok) << first.error;
  ASSERT_EQ(first.cells.size(), 1u);
  EXPECT_EQ(first.cells[0].number, 1);

  // The first sheet entry marked as a chart sheet: the second sheet is the first worksheet.
  const auto list = RecordList(stream);
  std::size_t sheetEntry = 0;
  for (const auto& [id, offset] : list)
    if (id == 0x0085) {
      sheetEntry = offset;
      break;
    }
  std::string charted = stream;
  charted[sheetEntry + 4 + 5] = 2;
  EXPECT_EQ(ReadStream(charted).cells.at(0).number, 2);

  // A sheet entry that points nowhere: the first worksheet after the globals is taken.
  std::string misplaced = stream;
  misplaced.replace(sheetEntry + 4, 4, U32(3));
  EXPECT_EQ(ReadStream(misplaced).cells.at(0).number, 1);
}

// The information spreadsheet's full size, every cell accounted for.
TEST(XlsRead, ReadsAFullSizeSheet) {
  constexpr int kRows = 14000, kCols = 25;
  std::string sst = U32(kRows * 12) + U32(500);
  for (int i = 0; i < 500; ++i) sst += Text97("value " + std::to_string(i));
  std::string cells;
  for (int row = 0; row < kRows; ++row) {
    cells += Record(0x0204, CellHead(row, 0) + Text97("U " + std::to_string(row) + " "));
    for (int col = 1; col <= 12; ++col)
      cells += Record(0x00FD, CellHead(row, col) + U32((row + col) % 500));
    for (int col = 13; col < kCols; ++col)
      cells += col % 2 ? Record(0x027E, CellHead(row, col) + U32(row << 2 | 2))
                       : Record(0x0203, CellHead(row, col) + F64(row + 0.5));
  }
  TempDir dir;
  WriteCompoundFile(dir / "big.xls",
                    {{"Workbook", Workbook(0x0600, Record(0x00FC, sst), {cells})}});

  long texts = 0, numbers = 0;
  double sum = 0;
  TXLSRead reader;
  reader.OnStringCell = [&](int, int, const std::string& s) { texts += !s.empty(); };
  reader.OnNumberCell = [&](int, int, double v) {
    ++numbers;
    sum += v;
  };
  std::string error;
  ASSERT_TRUE(reader.Read(dir / "big.xls", error)) << error;
  EXPECT_EQ(texts, kRows * 13L);
  EXPECT_EQ(numbers, kRows * 12L);
  EXPECT_EQ(sum, 12.0 * (kRows - 1) * kRows / 2 + 6 * 0.5 * kRows);
}

}  // namespace
}  // namespace stavbas::test
