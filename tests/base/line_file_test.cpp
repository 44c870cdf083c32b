// Reading text files line by line: every kind of line end, wherever it falls in the buffer.

#include "base/line_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "base/char_tables.h"
#include "support/temp_dir.h"

namespace stavbas {
namespace {

using Lines = std::vector<std::string>;

Lines ReadAll(const std::string& path, std::size_t capacity = 4096) {
  LineFile f;
  EXPECT_EQ(f.Open(path), 0);
  Lines lines;
  std::vector<char> buf(capacity + 1);
  std::size_t length = 0;
  while (f.ReadLine(buf.data(), capacity, length) == LineFile::Result::Line)
    lines.emplace_back(buf.data(), length);
  return lines;
}

TEST(LineFile, CrLfLfAndALoneCrEachEndOneLine) {
  test::TempDir dir;
  dir.WriteBytes("f", "a\r\nb\nc\rd\r\r\ne\n\nf");
  EXPECT_EQ(ReadAll(dir / "f"), (Lines{"a", "b", "c", "d", "", "e", "", "f"}));
  dir.WriteBytes("cr", "U 1 V a\rU 2 V b\r");
  EXPECT_EQ(ReadAll(dir / "cr"), (Lines{"U 1 V a", "U 2 V b"}));
  dir.WriteBytes("z",
                 "a\r\n\x1A"
                 "after the end");  // Ctrl-Z at a line's start ends the file
  EXPECT_EQ(ReadAll(dir / "z"), Lines{"a"});
  dir.WriteBytes("empty", "");
  EXPECT_TRUE(ReadAll(dir / "empty").empty());
}

// Lines of every length around capacities that are no multiple of sixteen, with NUL bytes and
// every line end: each comes whole or cut to the capacity, zero-terminated, and nothing is
// written after the capacity's terminating byte.
void ExpectLinesAroundTheCapacityCut() {
  test::TempDir dir;
  const char* ends[] = {"\r\n", "\n", "\r"};
  for (const std::size_t capacity : {std::size_t{37}, std::size_t{70}, std::size_t{130}}) {
    std::string bytes;
    Lines expected;
    for (std::size_t n = 0; n < 200; ++n) {
      std::string line(n, 'x');
      for (std::size_t i = 0; i < n; ++i)
        line[i] = i % 7 == 3 ? '\0' : static_cast<char>('a' + i % 26);
      bytes += line + ends[n % 3];
      expected.push_back(line.substr(0, capacity));
    }
    dir.WriteBytes("f", bytes);
    LineFile f;
    ASSERT_EQ(f.Open(dir / "f"), 0);
    std::vector<char> buf(capacity + 1 + 64, '#');
    std::size_t length = 0;
    Lines lines;
    while (f.ReadLine(buf.data(), capacity, length) == LineFile::Result::Line) {
      ASSERT_EQ(buf[length], '\0');
      lines.emplace_back(buf.data(), length);
    }
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(std::all_of(buf.begin() + static_cast<std::ptrdiff_t>(capacity) + 1, buf.end(),
                            [](char c) { return c == '#'; }));
  }
}

TEST(LineFile, LinesAroundTheCapacityAreCutAndNothingIsWrittenPastIt) {
  // Each width the processor takes (a narrower one stands in otherwise).
  for (const int width : {64, 32, 16}) {
    SCOPED_TRACE(width);
    LineFile::LimitSearchWidth(width);
    ExpectLinesAroundTheCapacityCut();
  }
  LineFile::LimitSearchWidth(64);
}

// Random lines with random line ends, so that CR LF pairs and lone CRs fall on the buffer's
// edge: reading, passing over and seeking back to a line's offset all agree.
void ExpectLineEndsAcrossTheBufferEdge() {
  test::TempDir dir;
  std::mt19937 rng(5);
  const char* ends[] = {"\r\n", "\n", "\r"};
  Lines expected;
  std::string bytes;
  std::vector<std::uint64_t> offsets;
  while (bytes.size() < 300000) {
    offsets.push_back(bytes.size());
    std::string line(rng() % 300, 'x');
    for (char& c : line) c = static_cast<char>('a' + rng() % 26);
    expected.push_back(line);
    bytes += line + ends[rng() % 3];
  }
  dir.WriteBytes("f", bytes);
  EXPECT_EQ(ReadAll(dir / "f"), expected);

  LineFile f;
  ASSERT_EQ(f.Open(dir / "f"), 0);
  std::size_t skipped = 0;
  for (;; ++skipped) {
    ASSERT_EQ(f.Offset(), skipped < offsets.size() ? offsets[skipped] : bytes.size());
    if (f.SkipLine() != LineFile::Result::Line) break;
  }
  EXPECT_EQ(skipped, expected.size());

  char buf[400];
  std::size_t length;
  for (int k = 0; k < 200; ++k) {
    const std::size_t i = rng() % expected.size();
    ASSERT_EQ(f.Seek(offsets[i]), 0);
    ASSERT_EQ(f.ReadLine(buf, 399, length), LineFile::Result::Line);
    ASSERT_EQ(std::string(buf, length), expected[i]);
    EXPECT_EQ(f.NextLineStartsWith(i + 1 < expected.size() ? expected[i + 1].substr(0, 2) : "",
                                   SystemUpper().data()),
              i + 1 < expected.size() ? 1 : -1);
    // Reading on past the smaller first read after a jump.
    for (std::size_t j = i + 1; j < std::min(i + 40, expected.size()); ++j) {
      ASSERT_EQ(f.ReadLine(buf, 399, length), LineFile::Result::Line);
      ASSERT_EQ(std::string(buf, length), expected[j]) << "line " << j << " after a jump to " << i;
    }
  }
}

// The pass over a whole file shows the lines that reading them one by one gives, at the same
// offsets: line ends on the buffer's edge, lines longer than the buffer, a Ctrl-Z at the end.
void ExpectEachLineOfAPassIsTheLineReadAlone() {
  test::TempDir dir;
  std::mt19937 rng(9);
  const char* ends[] = {"\r\n", "\n", "\r"};
  std::string bytes;
  int count = 0;  // of the short lines, a few of which hold a NUL byte
  while (bytes.size() < 600000) {
    const std::size_t length = rng() % 50 == 0 ? 70000 + rng() % 5000 : rng() % 400;
    bytes += std::string(length, static_cast<char>('a' + rng() % 26));
    if (length > 0 && length < 1000 && ++count % 100 == 50)
      bytes[bytes.size() - length / 2 - 1] = '\0';
    if (length > 0 && length < 1000 && count % 100 == 75) bytes.back() = '\0';  // its last byte
    bytes += ends[rng() % 3];
  }
  for (const std::string& tail : {std::string("last"), std::string("\x1A"
                                                                   "after the end")}) {
    dir.WriteBytes("f", bytes + tail);
    struct Line {
      std::uint64_t offset;
      std::string text;
      bool operator==(const Line&) const = default;
    };
    std::vector<Line> alone, pass;
    std::size_t withNul = 0, knownWithout = 0;
    LineFile f;
    ASSERT_EQ(f.Open(dir / "f"), 0);
    std::vector<char> buf(1001);
    std::size_t length = 0;
    std::size_t readWithout = 0;  // lines read alone and known to hold no NUL byte
    for (std::uint64_t offset = f.Offset();
         f.ReadLine(buf.data(), 1000, length) == LineFile::Result::Line; offset = f.Offset()) {
      alone.push_back({offset, std::string(buf.data(), length)});
      const bool nul = alone.back().text.find('\0') != std::string::npos;
      EXPECT_TRUE(f.LineMayHoldNul() || !nul) << "line " << alone.size();
      readWithout += !f.LineMayHoldNul();
    }
    EXPECT_GT(readWithout, alone.size() / 2);
    ASSERT_EQ(f.Seek(0), 0);
    // A line with a NUL byte is never said to hold none; most lines are known to hold none.
    EXPECT_EQ(f.ForEachLine(1000,
                            [&](std::uint64_t offset, std::string_view line, bool mayHoldNul) {
                              pass.push_back({offset, std::string(line.substr(0, 1000))});
                              const bool nul = line.find('\0') != std::string_view::npos;
                              withNul += nul;
                              knownWithout += !mayHoldNul;
                              EXPECT_TRUE(mayHoldNul || !nul) << "line " << pass.size();
                            }),
              LineFile::Result::End);
    EXPECT_GT(withNul, 0u);
    EXPECT_GT(knownWithout, 0u);
    ASSERT_EQ(pass.size(), alone.size()) << tail;
    for (std::size_t i = 0; i < alone.size(); ++i) ASSERT_EQ(pass[i], alone[i]) << "line " << i;
    EXPECT_EQ(alone.back().text, tail == "last" ? "last" : alone.back().text);
  }
}

TEST(LineFile, LineEndsAcrossTheBufferEdge) {
  ExpectLineEndsAcrossTheBufferEdge();
}

TEST(LineFile, EachLineOfAPassIsTheLineReadAlone) {
  ExpectEachLineOfAPassIsTheLineReadAlone();
}

// Line ends searched 32 and 16 bytes at a time, as where the processor has no AVX-512 or no
// AVX2.
TEST(LineFile, TheNarrowerSearchesFindTheSameLines) {
  for (const int width : {32, 16}) {
    SCOPED_TRACE(width);
    LineFile::LimitSearchWidth(width);
    ExpectLineEndsAcrossTheBufferEdge();
    ExpectEachLineOfAPassIsTheLineReadAlone();
  }
  LineFile::LimitSearchWidth(64);
}

TEST(LineFile, ALongLineIsCutAndCountsAsOne) {
  test::TempDir dir;
  dir.WriteBytes("f", std::string(10 << 20, 'x') + "\r\nnext\rlast");
  EXPECT_EQ(ReadAll(dir / "f", 2100), (Lines{std::string(2100, 'x'), "next", "last"}));
  LineFile f;
  ASSERT_EQ(f.Open(dir / "f"), 0);
  EXPECT_EQ(f.NextLineStartsWith("xx", SystemUpper().data()), 1);
  ASSERT_EQ(f.SkipLine(), LineFile::Result::Line);
  // A line end within the prefix: the line is shorter than the prefix.
  EXPECT_EQ(f.NextLineStartsWith("next\r", SystemUpper().data()), 0);
  EXPECT_EQ(f.NextLineStartsWith("NEXT", SystemUpper().data()), 1);
}

}  // namespace
}  // namespace stavbas
