// The streaming window hands on exactly the text a window without a length limit would hold,
// with its styles, whatever the appends do at the seams.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "output/streaming_document.h"
#include "output/window_append.h"

namespace stavbas {
namespace {

StagingBuffer Staged(std::string_view text) {
  StagingBuffer staging;
  staging.Append(text, {});
  return staging;
}

// The runs' text and styles, merged where neighbours share a style.
std::vector<StyledRun> Merged(const std::vector<StyledRun>& runs) {
  std::vector<StyledRun> out;
  for (const StyledRun& r : runs) {
    if (r.text.empty()) continue;
    if (!out.empty() && out.back().style == r.style)
      out.back().text += r.text;
    else
      out.push_back(r);
  }
  return out;
}

// The lines of a text, split at its line ends; nothing after the last one is no line.
std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t from = 0; from < text.size();) {
    const std::size_t end = std::min(text.find("\r\n", from), text.size());
    lines.push_back(text.substr(from, end - from));
    from = end + 2;
  }
  return lines;
}

// The lines as the window tells them.
std::vector<std::string> LinesOf(const OutputWindow& window) {
  std::vector<std::string> lines;
  for (int i = 0; i < window.LineCount(); ++i) lines.push_back(window.Line(i));
  return lines;
}

TEST(StreamingDocument, HandsOnWhatAnUnlimitedWindowWouldHold) {
  std::mt19937 random(7);
  // Text, line ends, empty lines and lone "\n" and "\r" inside lines, at the seams of appends.
  const char* const pieces[] = {"\r\n",         "U 1 ",  "run", "\r\n\r\n",   "x",
                                "\r\n\r\n\r\n", "y\r\n", "\n",  "z\r\n\r\nw", "v\r"};
  for (int round = 0; round < 300; ++round) {
    // Finished text handed on at once, or once some has gathered.
    const std::size_t block = round % 3 == 0 ? 1 : round % 3 == 1 ? 7 : 40;
    MemoryDocument reference;
    reference.maxLength = SIZE_MAX;
    std::vector<StyledRun> streamed;
    int handOns = 0;
    StreamingDocument stream(
        [&](std::string_view text, const std::vector<StyledPiece>& pieces) {
          ++handOns;
          std::string joined;
          for (const StyledPiece& piece : pieces) joined += piece.text;
          EXPECT_EQ(joined, text) << "the pieces make up the text";
          const std::vector<StyledRun> runs = RunsOf(pieces);
          streamed.insert(streamed.end(), runs.begin(), runs.end());
        },
        true, block);
    // The same for a sink that takes the text alone.
    std::string streamedText;
    StreamingDocument textOnly(
        [&](std::string_view text, const std::vector<StyledPiece>& pieces) {
          EXPECT_TRUE(pieces.empty());
          streamedText += text;
        },
        false, block);
    const auto windows = {static_cast<OutputWindow*>(&reference),
                          static_cast<OutputWindow*>(&stream),
                          static_cast<OutputWindow*>(&textOnly)};
    for (int step = 0; step < 30; ++step) {
      const int what = static_cast<int>(random() % 10);
      if (what == 0) {  // a line end at the end of the window, as a run's start writes it
        for (OutputWindow* w : windows) {
          const std::string text = w->Text();
          if (!text.empty() && !text.ends_with("\r\n")) w->Append({{"\r\n", {}}});
        }
        continue;
      }
      if (what == 1) {  // a counts line, appended as it stands
        for (OutputWindow* w : windows) w->Append({{"3 inskrifter", {}}});
        continue;
      }
      StagingBuffer staging;
      for (int n = static_cast<int>(random() % 4); n >= 0; --n) {
        TextStyle style;
        style.bold = random() % 2;
        staging.Append(pieces[random() % std::size(pieces)], style);
      }
      for (OutputWindow* w : windows) AppendStaging(*w, StagingBuffer(staging));
      // What was handed on and what is kept make up the whole text, styles included.
      std::vector<StyledRun> sofar = streamed;
      for (const StyledRun& r : stream.Runs()) sofar.push_back(r);
      ASSERT_EQ(Merged(sofar), Merged(reference.Runs())) << "round " << round << " step " << step;
      ASSERT_EQ(textOnly.Text(), stream.Text()) << "round " << round << " step " << step;
      ASSERT_EQ(streamedText + textOnly.Text(), reference.Text());
      ASSERT_EQ(LinesOf(textOnly), LinesOf(textOnly.Text())) << "the kept text's lines";
    }
    const std::size_t kept = stream.Length();
    stream.HandOnAll();
    EXPECT_EQ(stream.Length(), 0u);
    EXPECT_EQ(Merged(streamed), Merged(reference.Runs())) << "round " << round;
    textOnly.HandOnAll();
    EXPECT_EQ(streamedText, reference.Text()) << "round " << round;
    EXPECT_LE(kept, block + 60) << "only a block and the last line are kept";
    EXPECT_GT(handOns, 1);
  }
}

TEST(StreamingDocument, HandsOnWhatIsFinishedWhenAskedAndWhenItGoes) {
  std::string streamed;
  {
    StreamingDocument stream(
        [&](std::string_view text, const std::vector<StyledPiece>&) { streamed += text; }, false);
    AppendStaging(stream, Staged("\r\nU 1\r\nrun\r\n\r\n"));
    AppendStaging(stream, Staged("\r\nU 2\r\nru"));
    EXPECT_EQ(streamed, "") << "less than a block is kept";
    stream.HandOnFinished();
    EXPECT_EQ(streamed, "\r\nU 1\r\nrun\r\n\r\nU 2\r\n");
    AppendStaging(stream, Staged("n\r\n\r\nU 3\r\nrun"));
  }
  // The last line could still be continued: it is not written, as at any other moment.
  EXPECT_EQ(streamed, "\r\nU 1\r\nrun\r\n\r\nU 2\r\nrun\r\n\r\nU 3\r\n");
}

TEST(StreamingDocument, ALongLastLineIsKeptWholeAndHandedOnOnceFinished) {
  std::string streamed;
  StreamingDocument stream(
      [&](std::string_view text, const std::vector<StyledPiece>&) { streamed += text; }, false,
      100);
  std::string line;
  for (int i = 0; i < 2000; ++i) {  // one line of 20 000 characters
    AppendStaging(stream, Staged("word word "));
    line += "word word ";
  }
  EXPECT_EQ(streamed, "") << "a line that may still grow";
  EXPECT_EQ(stream.Length(), line.size());
  AppendStaging(stream, Staged("\r\nnext"));
  stream.HandOnFinished();
  EXPECT_EQ(streamed, line + "\r\n");
  EXPECT_EQ(stream.Text(), "next");
}

TEST(StreamingDocument, NeverDropsTextForLength) {
  std::string streamed;
  StreamingDocument stream(
      [&](std::string_view text, const std::vector<StyledPiece>&) { streamed += text; });
  const std::string block(1000, 'a');
  for (int i = 0; i < 3000; ++i) {  // 3 MB, past the window's limit
    StagingBuffer staging;
    staging.Append("\r\n" + block + "\r\n", {});
    AppendStaging(stream, staging);
  }
  stream.HandOnAll();
  EXPECT_EQ(streamed.size(), 3000u * (block.size() + 4));
}

}  // namespace
}  // namespace stavbas
