#include "output/streaming_document.h"

#include <cstdint>

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
  MemoryDocument::AppendStaged(staging, size);
  HandOnFinished();
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
