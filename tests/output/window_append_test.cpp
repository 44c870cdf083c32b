// Composing in the staging buffer and writing it, and message lines, into the output window.

#include <gtest/gtest.h>

#include "output/memory_document.h"
#include "output/window_append.h"

namespace stavbas {
namespace {

TextStyle Style(bool bold, std::uint32_t color = kBlack, int size = 10) {
  TextStyle s;
  s.bold = bold;
  s.color = color;
  s.size = size;
  return s;
}

StagingBuffer Staged(std::string_view text, const TextStyle& style = {}) {
  StagingBuffer staging;
  staging.Append(text, style);
  return staging;
}

TEST(StagingBuffer, MergesNeighboursOfOneStyleAndComparesItsEndAcrossPieces) {
  StagingBuffer staging;
  staging.Append("U 344", {});
  staging.Append("", Style(true));
  staging.Append("\r\n", {});
  staging.Append("ru", Style(true));
  staging.Append("n\r", Style(true));
  staging.Append("\n", {});
  EXPECT_EQ(staging.runs(),
            (std::vector<StyledRun>{{"U 344\r\n", {}}, {"run\r", Style(true)}, {"\n", {}}}));
  EXPECT_EQ(staging.length(), 12u);
  EXPECT_EQ(staging.Text(), "U 344\r\nrun\r\n");
  EXPECT_TRUE(staging.EndsWith("\r\nrun\r\n"));
  EXPECT_TRUE(staging.EndsWith(""));
  EXPECT_FALSE(staging.EndsWith("\r\n\r\n"));
  EXPECT_FALSE(staging.EndsWith("xU 344\r\nrun\r\n")) << "longer than the text";
  staging.Clear();
  EXPECT_TRUE(staging.empty());
  EXPECT_FALSE(staging.EndsWith("\n"));
}

TEST(StagingBuffer, DroppingItsEndDropsTheStylesOnlyTheEndHad) {
  StagingBuffer staging;
  staging.Append("U 1", {});
  staging.Append("run", Style(true));
  staging.Append("\r", {});
  staging.Append("\n", Style(false, kRed));
  staging.DropEnd(1);
  EXPECT_EQ(staging.runs(),
            (std::vector<StyledRun>{{"U 1", {}}, {"run", Style(true)}, {"\r", {}}}));
  staging.DropEnd(2);
  EXPECT_EQ(staging.runs(), (std::vector<StyledRun>{{"U 1", {}}, {"ru", Style(true)}}));
  staging.Append("n", Style(true));  // continues the bold piece
  EXPECT_EQ(staging.runs(), (std::vector<StyledRun>{{"U 1", {}}, {"run", Style(true)}}));
  staging.DropEnd(99);
  EXPECT_TRUE(staging.empty());
  EXPECT_TRUE(staging.runs().empty());
}

TEST(AppendStaging, EmptyLinesAtTheEndGoBeforeTheTextAndAfterIt) {
  MemoryDocument window;
  window.Append({{"U 1\r\nrun\r\n\r\n\r\n", {}}});
  AppendStaging(window, Staged("\r\nU 2\r\n\r\n\r\n"));
  EXPECT_EQ(window.Text(), "U 1\r\nrun\r\n\r\nU 2\r\n");

  // A window of empty lines only is emptied before the text comes.
  window.Clear();
  window.Append({{"\r\n\r\n", {}}});
  AppendStaging(window, Staged("x"));
  EXPECT_EQ(window.Text(), "x");

  // Text without a line end is continued on its line.
  AppendStaging(window, Staged("y\r\n"));
  EXPECT_EQ(window.Text(), "xy\r\n");

  // Only line ends into an empty window: one stays.
  window.Clear();
  AppendStaging(window, Staged("\r\n\r\n\r\n"));
  EXPECT_EQ(window.Text(), "\r\n");

  // Nothing staged: the window stays as it is, even with empty lines at its end.
  window.Clear();
  window.Append({{"a\r\n\r\n", {}}});
  AppendStaging(window, StagingBuffer());
  EXPECT_EQ(window.Text(), "a\r\n\r\n");
}

TEST(AppendStaging, KeepsStylesButTakesTheFontSizeAtTheWindowsEnd) {
  MemoryDocument window;
  window.Append({{"abc\r\n", Style(false, kBlack, 14)}, {"\r\n", Style(false, kBlack, 8)}});
  StagingBuffer staging;
  staging.Append("\r\nU 1\r\n", {});
  staging.Append("hit", Style(true, kRed));
  AppendStaging(window, staging);
  // The empty line with size 8 went first, so the text takes size 14.
  EXPECT_EQ(window.Runs(), (std::vector<StyledRun>{{"abc\r\n\r\nU 1\r\n", Style(false, kBlack, 14)},
                                                   {"hit", Style(true, kRed, 14)}}));
}

TEST(AppendStaging, StyleNumbersOfOtherBuffersAndCopiesAreNotTakenForEachOther) {
  // Each buffer numbers its styles in the order it meets them; the window must not carry the
  // meaning of one buffer's numbers over to another, to a copy that went on differently, or to
  // the same buffer appended in another font size.
  MemoryDocument window;
  StagingBuffer a;
  a.Append("a", Style(true));
  a.Append("b", Style(false));
  AppendStaging(window, a);
  StagingBuffer b;
  b.Append("c", Style(false));
  b.Append("d", Style(true));
  AppendStaging(window, b);
  StagingBuffer copy = a;
  copy.Clear();
  copy.Append("e", Style(false, kRed));  // a new number in the copy...
  AppendStaging(window, copy);
  a.Clear();
  a.Append("f", Style(true, kBlack, 12));  // ...and the same number for another style here
  AppendStaging(window, a);
  window.Append({{"\r\n", Style(false, kBlack, 14)}});
  a.Clear();
  a.Append("g", Style(true, kBlack, 12));
  AppendStaging(window, a);
  EXPECT_EQ(window.Runs(), (std::vector<StyledRun>{{"a", Style(true)},
                                                   {"bc", Style(false)},
                                                   {"d", Style(true)},
                                                   {"e", Style(false, kRed)},
                                                   {"f", Style(true)},
                                                   {"\r\n", Style(false, kBlack, 14)},
                                                   {"g", Style(true, kBlack, 14)}}));
}

std::string Filler(std::size_t n) {
  std::string s;
  while (s.size() < n) s += "line " + std::to_string(s.size()) + "\r\n";
  s.resize(n);
  return s;
}

TEST(AppendStaging, DropsTheFirstBlockAndShrinksTheMaximumWhenFull) {
  MemoryDocument window;
  const std::string old = Filler(100000);
  window.Append({{old, {}}});
  window.maxLength = 100601;
  AppendStaging(window, Staged(std::string(600, 'a')));
  EXPECT_EQ(window.Length(), 100600u) << "still below the maximum";
  EXPECT_EQ(window.maxLength, 100601u);

  AppendStaging(window, Staged("b"));  // reaches the maximum
  EXPECT_EQ(window.maxLength, 100600u - 4000);
  EXPECT_EQ(window.Text(), old.substr(10000) + std::string(600, 'a') + "b");

  // With a notice, the cut line goes too and the notice says what happened.
  window.Clear();
  window.Append({{old, {}}});
  window.maxLength = 100001;
  AppendStaging(window, Staged("c"), "(text dropped)");
  const std::size_t nextLine = old.find("\r\n", 10000) + 2;
  EXPECT_EQ(window.Text(), "(text dropped)\r\n" + old.substr(nextLine) + "c");
  EXPECT_EQ(window.Line(0), "(text dropped)");
  ClearOutputWindow(window);
  EXPECT_EQ(window.Length(), 0u);
  EXPECT_EQ(window.maxLength, kStartMaxLength) << "a cleared window gets its starting maximum";

  // When full, empty lines at the end are not removed first, only those after the new text.
  window.Clear();
  window.Append({{Filler(10000) + "x\r\n\r\n", {}}});
  window.maxLength = 10005;
  AppendStaging(window, Staged("y\r\n\r\n"));
  EXPECT_EQ(window.Text(), "x\r\n\r\ny\r\n");
  EXPECT_EQ(window.maxLength, 62000u) << "never below 62000";
}

TEST(AppendStaging, AWindowFilledForLongShrinksToItsSmallestMaximum) {
  MemoryDocument window;
  std::size_t longest = 0;
  std::string last;
  for (int i = 0; i < 60000; ++i) {
    last = "\r\nU " + std::to_string(i) + std::string(80, 'r') + "\r\n";
    AppendStaging(window, Staged(last, Style(i % 2 == 0)));
    longest = std::max(longest, window.Length());
  }
  EXPECT_LE(longest, 2000000u);
  EXPECT_EQ(window.maxLength, 62000u);
  EXPECT_LT(window.Length(), 62000u);
  EXPECT_EQ(window.Line(window.LineCount() - 1), last.substr(2, last.size() - 4));
}

TEST(MessageLine, InsertedAtTheInsertionPointInThePlainDefaultFont) {
  MemoryDocument window;
  window.defaultStyle = Style(true, kRed, 12);
  window.defaultStyle.font = "Courier New";
  window.Append({{"U 1\r\n", Style(true, kRed)}});
  window.SetCursor(2);
  InsertMessageLine(window, "Klart");
  TextStyle plain = Style(false, kBlack, 12);
  plain.font = "Courier New";
  EXPECT_EQ(window.Runs(),
            (std::vector<StyledRun>{
                {"U ", Style(true, kRed)}, {"Klart", plain}, {"1\r\n", Style(true, kRed)}}));
  EXPECT_EQ(window.Cursor(), 7u);

  // A line break alone goes to the end, and the next message follows it.
  InsertMessageLine(window, "\n");
  EXPECT_EQ(window.Text(), "U Klart1\r\n\r\n");
  InsertMessageLine(window, "Inga fler");
  InsertMessageLine(window, "\r\n");
  EXPECT_EQ(window.Text(), "U Klart1\r\n\r\nInga fler\r\n");

  // A bare "\n" inside a message is a line end too.
  window.SetCursor(0);
  InsertMessageLine(window, "a\nb\r\n");
  EXPECT_EQ(window.Line(0), "a");
  EXPECT_EQ(window.Line(1), "b");
  EXPECT_EQ(window.Line(2), "U Klart1");
}

}  // namespace
}  // namespace stavbas
