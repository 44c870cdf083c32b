// The in-memory output window: lines, styles and the insertion point through appends,
// inserts and deletes.

#include <gtest/gtest.h>

#include <random>

#include "output/memory_document.h"

namespace stavbas {
namespace {

using Lines = std::vector<std::string>;

TextStyle Bold() {
  TextStyle s;
  s.bold = true;
  return s;
}

TextStyle Red() {
  TextStyle s;
  s.color = kRed;
  return s;
}

Lines AllLines(const MemoryDocument& doc) {
  Lines lines;
  for (int i = 0; i < doc.LineCount(); ++i) lines.push_back(doc.Line(i));
  return lines;
}

TEST(MemoryDocument, LinesAreSeparatedByLineEndsAndAFinalEmptyLineIsNotCounted) {
  MemoryDocument doc;
  EXPECT_EQ(doc.LineCount(), 0);
  EXPECT_EQ(doc.Line(0), "");
  doc.Append({{"U 344\r\n\r\nrun", {}}});
  EXPECT_EQ(AllLines(doc), (Lines{"U 344", "", "run"}));
  doc.Append({{"\r\n", {}}});
  EXPECT_EQ(AllLines(doc), (Lines{"U 344", "", "run"}));
  EXPECT_EQ(doc.LineStart(2), 9u);
  EXPECT_EQ(doc.LineStart(3), doc.Length()) << "past the last line: the end";
  EXPECT_EQ(doc.Line(7), "");
  EXPECT_EQ(doc.Line(-1), "");
  // A line end whose two characters arrive in separate appends is still one line end.
  doc.Clear();
  doc.Append({{"a\r", {}}, {"\nb", Bold()}});
  EXPECT_EQ(AllLines(doc), (Lines{"a", "b"}));
  // A lone "\n" or "\r" does not end a line.
  doc.Clear();
  doc.Append({{"a\nb\rc", {}}});
  EXPECT_EQ(doc.LineCount(), 1);
}

TEST(MemoryDocument, LinesFollowDeletesAndInsertsAcrossLineEnds) {
  MemoryDocument doc;
  doc.Append({{"ab\r\ncd\r\nef\r\n", {}}});
  doc.Delete(0, 3);  // splits the first line end: "\ncd\r\nef\r\n"
  EXPECT_EQ(AllLines(doc), (Lines{"\ncd", "ef"}));
  EXPECT_EQ(doc.LineStart(1), 5u);
  doc.Delete(3, 3);  // the middle line end and the "e"
  EXPECT_EQ(doc.Text(), "\ncdf\r\n");
  EXPECT_EQ(AllLines(doc), (Lines{"\ncdf"}));

  // Deleting the text between '\r' and '\n' makes a line end at the seam.
  doc.Clear();
  doc.Append({{"a\rXY\nb", {}}});
  doc.Delete(2, 2);
  EXPECT_EQ(AllLines(doc), (Lines{"a", "b"}));
  EXPECT_EQ(doc.LineStart(1), 3u);

  // Inserting between '\r' and '\n' breaks that line end.
  doc.Clear();
  doc.Append({{"a\r\nb", {}}});
  doc.SetCursor(2);
  doc.InsertAtCursor("x", {});
  EXPECT_EQ(AllLines(doc), (Lines{"a\rx\nb"}));
  doc.Delete(2, 1);
  EXPECT_EQ(AllLines(doc), (Lines{"a", "b"}));
  // Text that completes a line end on both sides.
  doc.SetCursor(2);
  doc.InsertAtCursor("\nx\r", {});
  EXPECT_EQ(AllLines(doc), (Lines{"a", "x", "b"}));
}

TEST(MemoryDocument, StylesMergeAndSplitWithTheText) {
  MemoryDocument doc;
  doc.Append({{"U 344", {}}, {"\r\n", {}}, {"run", Bold()}, {"a", Bold()}});
  EXPECT_EQ(doc.Runs(), (std::vector<StyledRun>{{"U 344\r\n", {}}, {"runa", Bold()}}));

  doc.SetCursor(2);
  doc.InsertAtCursor("XX", Red());
  EXPECT_EQ(doc.Runs(),
            (std::vector<StyledRun>{{"U ", {}}, {"XX", Red()}, {"344\r\n", {}}, {"runa", Bold()}}));
  doc.Delete(2, 2);
  EXPECT_EQ(doc.Runs(), (std::vector<StyledRun>{{"U 344\r\n", {}}, {"runa", Bold()}}))
      << "the plain text on both sides joins again";

  doc.SetCursor(7);  // between the plain and the bold run
  doc.InsertAtCursor("b", Bold());
  EXPECT_EQ(doc.Runs(), (std::vector<StyledRun>{{"U 344\r\n", {}}, {"bruna", Bold()}}));
  doc.Delete(3, 7);
  EXPECT_EQ(doc.Runs(), (std::vector<StyledRun>{{"U 3", {}}, {"na", Bold()}}));
  EXPECT_EQ(doc.FontSizeAtEnd(), 10);
  doc.Delete(0, 100);
  EXPECT_TRUE(doc.Runs().empty());
  doc.defaultStyle.size = 14;
  EXPECT_EQ(doc.FontSizeAtEnd(), 14) << "an empty window has its default size";
}

TEST(MemoryDocument, InsertionPoint) {
  MemoryDocument doc;
  doc.InsertAtCursor("ab", {});
  doc.InsertAtCursor("cd", {});
  EXPECT_EQ(doc.Text(), "abcd");
  doc.SetCursor(1);
  doc.InsertAtCursor("X", {});
  EXPECT_EQ(doc.Cursor(), 2u);
  doc.Delete(0, 1);
  EXPECT_EQ(doc.Cursor(), 1u) << "text deleted before the insertion point moves it back";
  doc.Delete(0, 3);
  EXPECT_EQ(doc.Cursor(), 0u) << "inside the deleted text: to its start";
  doc.SetCursor(0);
  doc.Append({{"tail", {}}});
  EXPECT_EQ(doc.Cursor(), doc.Length()) << "appending leaves the insertion point at the end";
  doc.SetCursor(99);
  EXPECT_EQ(doc.Cursor(), doc.Length());
}

// Random edits checked against a character-by-character model of text and style; a window that
// keeps no styles has all its text in the default style.
void RandomEdits(bool keepStyles) {
  const std::vector<TextStyle> styles = {TextStyle{}, Bold(), Red()};
  std::mt19937 rng(12345);
  auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n)(rng); };
  auto pieceOf = [&]() {
    static const char kChars[] = "ab\r\n\r\n\t";
    std::string s(pick(6), 'a');
    for (char& c : s) c = kChars[pick(sizeof kChars - 2)];
    return s;
  };

  MemoryDocument doc(keepStyles);
  std::string text;
  std::vector<std::size_t> style;  // per character
  for (int step = 0; step < 6000; ++step) {
    const std::size_t op = pick(9);
    if (op < 2) {
      const std::string piece = pieceOf();
      const std::size_t given = pick(2);
      const std::size_t s = keepStyles ? given : 0;
      doc.Append({{piece, styles[given]}});
      text += piece;
      style.insert(style.end(), piece.size(), s);
    } else if (op < 4) {  // composed text, in two styles
      StagingBuffer staging;
      for (int k = 0; k < 2; ++k) {
        const std::string piece = pieceOf();
        const std::size_t s = pick(2);
        staging.Append(piece, styles[s]);
        text += piece;
        style.insert(style.end(), piece.size(), keepStyles ? s : 0);
      }
      doc.AppendStaged(staging, 0);
    } else if (op < 7) {
      const std::size_t pos = pick(text.size());
      const std::string piece = pieceOf();
      const std::size_t given = pick(2);
      const std::size_t s = keepStyles ? given : 0;
      doc.SetCursor(pos);
      doc.InsertAtCursor(piece, styles[given]);
      text.insert(pos, piece);
      style.insert(style.begin() + static_cast<std::ptrdiff_t>(pos), piece.size(), s);
    } else if (op < 9) {
      // Half of the deletes take the end, as an empty last line is deleted.
      const std::size_t start =
          pick(1) ? pick(text.size()) : text.size() - std::min(pick(8), text.size());
      const std::size_t count = std::min(pick(8), text.size() - start);
      doc.Delete(start, count);
      text.erase(start, count);
      style.erase(style.begin() + static_cast<std::ptrdiff_t>(start),
                  style.begin() + static_cast<std::ptrdiff_t>(start + count));
    } else if (pick(20) == 0) {
      doc.Clear();
      text.clear();
      style.clear();
    }
    ASSERT_EQ(doc.Text(), text) << "step " << step;
    // Lines are asked for after some steps only, so that edits meet a line index that has not
    // yet taken in what was appended.
    if (pick(2) != 0) continue;

    Lines lines;
    std::vector<std::size_t> starts;
    for (std::size_t from = 0; from < text.size();) {
      const std::size_t end = text.find("\r\n", from);
      starts.push_back(from);
      lines.push_back(text.substr(from, end == std::string::npos ? end : end - from));
      from = end == std::string::npos ? text.size() : end + 2;
    }
    ASSERT_EQ(AllLines(doc), lines) << "step " << step;
    for (std::size_t i = 0; i < starts.size(); ++i)
      ASSERT_EQ(doc.LineStart(static_cast<int>(i)), starts[i]) << "step " << step;
    for (int minLines = 1; minLines <= 3; ++minLines)
      ASSERT_EQ(doc.EndsWithEmptyLine(minLines),
                lines.size() >= static_cast<std::size_t>(minLines) && lines.back().empty())
          << "step " << step << ", " << minLines << " lines at least";

    std::vector<StyledRun> runs;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (runs.empty() || runs.back().style != styles[style[i]])
        runs.push_back({"", styles[style[i]]});
      runs.back().text += text[i];
    }
    ASSERT_EQ(doc.Runs(), runs) << "step " << step;
  }
}

TEST(MemoryDocument, AgreesWithASimpleModelUnderRandomEdits) {
  RandomEdits(true);
}

TEST(MemoryDocument, WithoutStylesAgreesWithTheModelInTheDefaultStyle) {
  RandomEdits(false);
}

}  // namespace
}  // namespace stavbas
