#include "output/streaming_document.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace stavbas {

StreamingDocument::StreamingDocument(Sink sink, bool withStyles, std::size_t block)
    : MemoryDocument(withStyles), sink_(std::move(sink)), block_(block), handOnAt_(block) {
  maxLength = SIZE_MAX;
  // A block and the inscription that fills it fit without the text being moved as it grows.
  ReserveText(2 * block);
}

StreamingDocument::~StreamingDocument() {
  HandOnFinished();
}

void StreamingDocument::Append(const std::vector<StyledRun>& runs) {
  MemoryDocument::Append(runs);
  HandOnGathered();
}

void StreamingDocument::AppendStaged(const StagingBuffer& staging, int size) {
  MemoryDocument::AppendStaged(staging, size);
  HandOnGathered();
}

void StreamingDocument::InsertAtCursor(std::string_view text, const TextStyle& style) {
  MemoryDocument::InsertAtCursor(text, style);
  HandOnGathered();
}

void StreamingDocument::Clear() {
  MemoryDocument::Clear();
  handOnAt_ = block_;
}

std::size_t StreamingDocument::LastLineWithText(std::string_view text) {
  // From the end, line end by line end ("\r\n"; a lone "\n" ends no line), until a line that
  // holds text; a line end at the very start may pair with a "\r" before the text.
  std::size_t lineEnd = text.size();  // of the line looked at
  std::size_t before = text.size();   // where the search for its line end goes on
  // Most text ends with a line end or two: those are passed without a search.
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

void StreamingDocument::HandOnAll() {
  HandOn(Length());
  handOnAt_ = block_;
}

void StreamingDocument::HandOnFinished() {
  // Everything before the last line that holds text is final: appends only continue that
  // line or drop the empty lines after it. The insertion point stays at the end of the text
  // as long as nothing moves it back.
  HandOn(std::min(LastLineWithText(TextView()), Cursor()));
  // A long last line is searched again only once it has grown as long again.
  handOnAt_ = std::max(Length() + block_, 2 * Length());
}

void StreamingDocument::HandOn(std::size_t count) {
  if (count == 0) return;
  if (sink_) {
    if (KeepsStyles()) PiecesBefore(count, pieces_);
    sink_(TextView().substr(0, count), pieces_);
  }
  DeleteFront(count);
}

}  // namespace stavbas
