// Broken workbooks: each must give a message, never a crash, a hang or a read out of bounds
// (run these under valgrind or the address sanitizer to see the last).

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

#include "spreadsheet/xls_test_support.h"
#include "support/temp_dir.h"

namespace stavbas::test {
namespace {

std::string Stream97(const char* fixture) {
  return ReadCompoundStream(XlsFixture(fixture), "Workbook");
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t U32At(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

void ExpectRefused(const ReadResult& r, const std::string& context) {
  EXPECT_FALSE(r.ok) << context;
  EXPECT_FALSE(r.error.empty()) << context;
}

std::size_t FirstRecord(const std::string& stream, std::uint16_t id) {
  for (const auto& [rid, offset] : RecordList(stream))
    if (rid == id) return offset;
  ADD_FAILURE() << "no record " << std::hex << id;
  return 0;
}

// Where the first worksheet's EOF record ends; the reader needs nothing after it.
std::size_t FirstSheetEnd(const std::string& stream) {
  int bofs = 0;
  for (const auto& [id, offset] : RecordList(stream)) {
    bofs += id == 0x0809;
    if (bofs == 2 && id == 0x000A) return offset + 4;
  }
  ADD_FAILURE() << "no worksheet";
  return 0;
}

TEST(XlsCorrupt, EveryCutStreamIsRefused) {
  const std::pair<std::string, std::size_t> streams[] = {
      {Stream97("info97.xls"), 1},
      {ReadCompoundStream(XlsFixture("info95.xls"), "Book"), 1},
      {Stream97("longtext97.xls"), 97}};
  for (const auto& [stream, step] : streams) {
    const ReadResult whole = ReadStream(stream);
    ASSERT_TRUE(whole.ok);
    const std::size_t needed = FirstSheetEnd(stream);
    for (std::size_t n = 0; n < stream.size(); n += step) {
      const ReadResult r = ReadStream(std::string_view(stream).substr(0, n));
      if (n < needed)
        ExpectRefused(r, "cut at " + std::to_string(n));
      else
        EXPECT_EQ(r.cells.size(), whole.cells.size()) << "cut at " << n;
    }
  }
}

TEST(XlsCorrupt, CutFilesAreRefusedOrReadWhole) {
  TempDir dir;
  for (const char* fixture : {"info97.xls", "longtext97.xls"}) {
    const std::string bytes = FileBytes(XlsFixture(fixture));
    const std::size_t whole = ReadXls(XlsFixture(fixture)).cells.size();
    for (std::size_t n :
         {std::size_t{0}, std::size_t{8}, std::size_t{511}, std::size_t{512}, std::size_t{1500},
          bytes.size() / 2, bytes.size() - 512, bytes.size() - 1}) {
      dir.WriteBytes("cut.xls", bytes.substr(0, n));
      const ReadResult r = ReadXls(dir / "cut.xls");
      // Sectors the workbook stream does not use may be cut without harm.
      EXPECT_TRUE(r.ok ? r.cells.size() == whole : !r.error.empty()) << fixture << " cut at " << n;
    }
  }
}

TEST(XlsCorrupt, ChangedBytesGiveAMessageOrCells) {
  std::mt19937 random(20240607);
  for (const std::string& stream : {Stream97("info97.xls"), Stream97("longtext97.xls")}) {
    for (int round = 0; round < 1500; ++round) {
      std::string changed = stream;
      const int flips = 1 + round % 4;
      for (int i = 0; i < flips; ++i)
        changed[random() % changed.size()] ^= static_cast<char>(1 + random() % 255);
      const ReadResult r = ReadStream(changed);
      EXPECT_TRUE(r.ok || !r.error.empty()) << "round " << round;
    }
  }
  // The same for the compound document around the stream: header, allocation tables and
  // directory sit in the first sectors of LibreOffice's small files.
  TempDir dir;
  const std::string file = FileBytes(XlsFixture("info97.xls"));
  for (int round = 0; round < 300; ++round) {
    std::string changed = file;
    changed[random() % 2048] ^= static_cast<char>(1 + random() % 255);
    dir.WriteBytes("changed.xls", changed);
    const ReadResult r = ReadXls(dir / "changed.xls");
    EXPECT_TRUE(r.ok || !r.error.empty()) << "round " << round;
  }
}

TEST(XlsCorrupt, RecordRunningPastTheStream) {
  std::string stream = Stream97("info97.xls");
  stream.replace(FirstRecord(stream, 0x00FD) + 2, 2, U16(0xFFFF));  // a cell's text
  ReadResult r = ReadStream(stream);
  ExpectRefused(r, "LABELSST");
  EXPECT_NE(r.error.find("runs past the end"), std::string::npos) << r.error;

  stream = Stream97("info97.xls");
  stream.replace(FirstRecord(stream, 0x00FC) + 2, 2, U16(0xFFFF));
  ExpectRefused(ReadStream(stream), "SST");

  stream = Workbook(0x0600, "", {Record(0x0203, CellHead(0, 0) + F64(1))});
  stream.replace(stream.size() - 2, 2, U16(1));  // the final EOF claims a byte more
  ExpectRefused(ReadStream(stream), "EOF");
}

TEST(XlsCorrupt, SharedStringCountThatLies) {
  const std::string stream = Stream97("info97.xls");
  const std::size_t count = FirstRecord(stream, 0x00FC) + 8;
  const std::uint32_t declared = U32At(stream, count);
  for (std::uint32_t lie : {declared + 1, 0xFFFFFFFFu}) {
    std::string changed = stream;
    changed.replace(count, 4, U32(lie));
    const ReadResult r = ReadStream(changed);
    ExpectRefused(r, std::to_string(lie));
    EXPECT_NE(
        r.error.find("ends after " + std::to_string(declared) + " of the " + std::to_string(lie)),
        std::string::npos)
        << r.error;
  }
  // Fewer strings than the cells use.
  std::string fewer = stream;
  fewer.replace(count, 4, U32(1));
  const ReadResult r = ReadStream(fewer);
  ExpectRefused(r, "fewer");
  EXPECT_NE(r.error.find("refers to shared string"), std::string::npos) << r.error;
}

TEST(XlsCorrupt, BrokenRecordsAndSubstreams) {
  const std::string number = Record(0x0203, CellHead(0, 0) + F64(1));
  const std::string sheets = Workbook(0x0600, "", {number});
  const std::string cases[] = {
      Workbook(0x0600, "", {Record(0x0203, CellHead(0, 0))}),           // NUMBER without value
      Workbook(0x0600, "", {Record(0x00BD, CellHead(0, 0))}),           // MULRK without values
      Workbook(0x0600, "", {Record(0x00FD, CellHead(0, 0) + U32(0))}),  // no shared strings
      Workbook(0x0600, Record(0x00FC, U32(1)), {number}),               // SST cut in its head
      sheets.substr(0, FirstRecord(sheets, 0x000A)),                    // globals without EOF
      Workbook(0x0600, "", {}),                                         // no worksheet
      Workbook(0x0400, "", {number}),                                   // unknown version
      number + sheets,                                                  // no BOF first
      std::string("\x09\x08", 2)};                                      // half a header
  for (const std::string& stream : cases) ExpectRefused(ReadStream(stream), "case");
}

// Finds the directory entry of a stream in the first directory sector of a compound file.
std::size_t DirectoryEntry(const std::string& file, const std::string& name) {
  const std::size_t sector = (U32At(file, 0x30) + 1) * 512;
  for (std::size_t entry = sector; entry < sector + 512; entry += 128) {
    std::string entryName;
    for (std::size_t i = 0; i < 64 && file[entry + i]; i += 2) entryName += file[entry + i];
    if (entryName == name) return entry;
  }
  ADD_FAILURE() << "no directory entry " << name;
  return 0;
}

TEST(XlsCorrupt, BrokenCompoundDocument) {
  TempDir dir;
  const std::string file = FileBytes(XlsFixture("longtext97.xls"));  // stream in full sectors
  const std::size_t entry = DirectoryEntry(file, "Workbook");
  const std::uint32_t start = U32At(file, entry + 0x74);
  std::vector<std::pair<std::string, std::string>> cases;
  cases.emplace_back("chain ends at once", file);
  cases.back().second.replace(entry + 0x74, 4, U32(0xFFFFFFFE));
  cases.emplace_back("start past the file", file);
  cases.back().second.replace(entry + 0x74, 4, U32(0x00FFFFFF));
  cases.emplace_back("size past the file", file);
  cases.back().second.replace(entry + 0x78, 4, U32(0x7FFFFFF0));
  // The first sector of the stream named as its own successor in the allocation table.
  const std::size_t fat = (U32At(file, 0x4C) + 1) * 512;
  cases.emplace_back("chain in a loop", file);
  cases.back().second.replace(fat + 4 * start, 4, U32(start));
  for (const auto& [what, bytes] : cases) {
    dir.WriteBytes("broken.xls", bytes);
    ExpectRefused(ReadXls(dir / "broken.xls"), what);
  }
}

}  // namespace
}  // namespace stavbas::test

namespace stavbas::test {
namespace {

// Found by fuzzing: a compound document whose directory is malformed. The library that reads
// the container keeps a few bytes of it (fuzz/lsan.supp); the reader itself reads what it can.
TEST(XlsCorrupt, AMalformedDirectoryIsReadWithoutAFault) {
  const ReadResult r = ReadXls(XlsFixture("broken_directory.xls"));
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, kXlsNotAWorkbook);
}

}  // namespace
}  // namespace stavbas::test
