// The streaming window hands on exactly the text a window without a length limit would hold,
// with its styles, whatever the appends do at the seams.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "output/streaming_document.h"
#include "output/window_append.h"

namespace stavbas {
namespace {

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

TEST(StreamingDocument, HandsOnWhatAnUnlimitedWindowWouldHold) {
  std::mt19937 random(7);
  // Text, line ends, empty lines and lone "\n" and "\r" inside lines, at the seams of appends.
  const char* const pieces[] = {"\r\n",         "U 1 ",  "run", "\r\n\r\n",   "x",
                                "\r\n\r\n\r\n", "y\r\n", "\n",  "z\r\n\r\nw", "v\r"};
  for (int round = 0; round < 200; ++round) {
    MemoryDocument reference;
    reference.maxLength = SIZE_MAX;
    std::vector<StyledRun> streamed;
    int handOns = 0;
    StreamingDocument stream([&](std::string_view text, const std::vector<StyledPiece>& pieces) {
      ++handOns;
      std::string joined;
      for (const StyledPiece& piece : pieces) joined += piece.text;
      EXPECT_EQ(joined, text) << "the pieces make up the text";
      const std::vector<StyledRun> runs = RunsOf(pieces);
      streamed.insert(streamed.end(), runs.begin(), runs.end());
    });
    // The same for a sink that takes the text alone.
    std::string streamedText;
    StreamingDocument textOnly(
        [&](std::string_view text, const std::vector<StyledPiece>& pieces) {
          EXPECT_TRUE(pieces.empty());
          streamedText += text;
        },
        false);
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
      ASSERT_EQ(textOnly.Runs(), stream.Runs()) << "round " << round << " step " << step;
      ASSERT_EQ(streamedText + textOnly.Text(), reference.Text());
    }
    const std::size_t kept = stream.Length();
    stream.HandOnAll();
    EXPECT_EQ(stream.Length(), 0u);
    EXPECT_EQ(Merged(streamed), Merged(reference.Runs())) << "round " << round;
    textOnly.HandOnAll();
    EXPECT_EQ(streamedText, reference.Text()) << "round " << round;
    EXPECT_LE(kept, 60u) << "only the last line and what follows it is kept";
    EXPECT_GT(handOns, 1);
  }
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
