#include "output/streaming_document.h"

#include <cstdint>
#include <cstring>

namespace stavbas {

StreamingDocument::StreamingDocument(Sink sink, bool withStyles)
    : sink_(std::move(sink)), withStyles_(withStyles) {
  maxLength = SIZE_MAX;
}

void StreamingDocument::Append(const std::vector<StyledRun>& runs) {
  MemoryDocument::Append(runs);
  HandOnFinished();
}

void StreamingDocument::AppendStaged(const StagingBuffer& staging, int size) {
  // Without styles to hand on, what the staged text finishes goes on from where it lies: the
  // text kept so far and the staged text up to the last line that holds text. Only that line
  // and the empty lines after it are copied into the document.
  const std::size_t cut =
      withStyles_ || Cursor() != Length() ? 0 : LastLineWithText(staging.text());
  if (cut == 0) {
    MemoryDocument::AppendStaged(staging, size);
    HandOnFinished();
    return;
  }
  if (sink_) {
    if (Length() > 0) sink_(TextView(), pieces_);
    sink_(staging.text().substr(0, cut), pieces_);
  }
  DeleteFront(Length());
  AppendStagedFrom(staging, size, cut);
}

std::size_t StreamingDocument::LastLineWithText(std::string_view text) {
  // From the end, line end by line end ("\r\n"; a lone "\n" ends no line), until a line that
  // holds text; a line end at the very start may pair with a "\r" before the text.
  std::size_t lineEnd = text.size();  // of the line looked at
  std::size_t before = text.size();   // where the search for its line end goes on
  // Most staged text ends with a line end or two: those are passed without a search.
  while (before >= 2 && text[before - 1] == '\n' && text[before - 2] == '\r') {
    before -= 2;
    lineEnd = before;
  }
  for (;;) {
    const void* found = before > 1 ? memrchr(text.data() + 1, '\n', before - 1) : nullptr;
    if (!found) return 0;
    const auto n = static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
    if (text[n - 1] != '\r') {
      before = n;
      continue;
    }
    if (n + 1 < lineEnd) return n + 1;
    lineEnd = before = n - 1;
  }
}

void StreamingDocument::InsertAtCursor(std::string_view text, const TextStyle& style) {
  MemoryDocument::InsertAtCursor(text, style);
  HandOnFinished();
}

void StreamingDocument::HandOnAll() {
  HandOn(Length());
}

void StreamingDocument::HandOnFinished() {
  // Everything before the last line that holds text is final: appends only continue that
  // line or drop the empty lines after it. The insertion point stays at the end of the text
  // as long as nothing moves it back.
  for (int k = LineCount() - 1; k >= 0; --k) {
    if (LineEmpty(k)) continue;
    const std::size_t cut = std::min(LineStart(k), Cursor());
    if (cut > 0) HandOn(cut);
    return;
  }
}

void StreamingDocument::HandOn(std::size_t count) {
  if (count == 0) return;
  if (sink_) {
    if (withStyles_) PiecesBefore(count, pieces_);
    sink_(TextView().substr(0, count), pieces_);
  }
  DeleteFront(count);
}

}  // namespace stavbas
