// The quick signum scans: the third blank of a padded line buffer, a plain signum number and
// the record-line test must answer exactly as the plain readings do.

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "database/regions.h"

namespace stavbas {
namespace {

// A line buffer as the data files keep it: the line, its NUL, and then whatever an earlier,
// longer line left behind (here blanks, which must never count).
std::array<char, 96> Padded(const std::string& line) {
  std::array<char, 96> buffer;
  buffer.fill(' ');
  std::memcpy(buffer.data(), line.data(), line.size());
  buffer[line.size()] = '\0';
  return buffer;
}

TEST(SignumScan, ThirdBlankAtEveryPlaceOfTheFirstBlocks) {
  // The third blank on either side of each sixteen-byte block edge, the blanks spread over
  // blocks, and lines that end (or hold a NUL) before their third blank.
  for (size_t a = 1; a < 20; ++a)
    for (size_t b = 1; b < 20; ++b)
      for (size_t c = 0; c < 24; ++c) {
        std::string line =
            std::string(a, 'U') + ' ' + std::string(b, '7') + ' ' + std::string(c, 'x');
        for (const std::string& l : {line + " rest", line}) {
          const auto buffer = Padded(l);
          EXPECT_EQ(SignumOfPaddedLine(buffer.data()), SignumOfLine(l)) << l;
        }
        line[a + b + 1] = '\0';  // a NUL in place of the second blank ends the line there
        const auto buffer = Padded(line + " rest");
        EXPECT_EQ(SignumOfPaddedLine(buffer.data()), line.substr(0, a + b + 1)) << a << b;
      }
  EXPECT_EQ(SignumOfPaddedLine(Padded("").data()), "");
  EXPECT_EQ(SignumOfPaddedLine(Padded("   x").data()), "   ");
}

TEST(SignumScan, SignumOfALongLineAndOfItsTail) {
  const std::string start(37, 'a');
  EXPECT_EQ(SignumOfLine(start + " b c d"), start + " b c ");
  EXPECT_EQ(SignumOfLine(start + "  b"), start + "  b");
  EXPECT_EQ(SignumOfLine(std::string(33, ' ')), "   ");
  EXPECT_EQ(SignumOfLine(std::string_view("U 1 $ ").substr(0, 5)), "U 1 $");
}

TEST(SignumScan, NumbersReadTheSameWithAndWithoutTheQuickPath) {
  EXPECT_EQ(NumberOf("U 12"), 12);  // digits up to the end
  EXPECT_EQ(NumberOf("U  12 "), 12);
  EXPECT_EQ(NumberOf("U +7 $ "), 7);
  EXPECT_EQ(NumberOf("Sm 0 $ "), 0);
  EXPECT_EQ(NumberOf("U 123456789 $ "), 123456789);
  EXPECT_EQ(NumberOf("U 1234567890 $ "), 1234567890);
  EXPECT_EQ(NumberOf("U 3000000000 $ "), 300000000);  // the digits that fit
  EXPECT_EQ(NumberOf("U 12-3 $ "), 12);
  EXPECT_EQ(GroupOf("U 1299 $ "), 28);
  EXPECT_EQ(GroupOf("U 1234567890 $ "), 28);
  EXPECT_EQ(GroupOf("U 199 $ "), 17);
}

TEST(SignumScan, RecordLines) {
  for (const char* comment : {"!x", "\"x", "%x", "'x", ""})
    EXPECT_FALSE(IsRecordLine(comment)) << comment;
  for (const char* record : {"U 1 $ ", " ", "#", "&x", "(x"})
    EXPECT_TRUE(IsRecordLine(record)) << record;
}

}  // namespace
}  // namespace stavbas
