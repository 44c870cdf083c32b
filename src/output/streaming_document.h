#pragma once
// An output window that hands its text on once nothing written later can change it, and keeps
// only the rest: the last line that holds text and the empty lines after it (a later append may
// continue that line or drop those empty lines). Finished text is handed on in blocks, so that
// the sink is called once for many inscriptions. Nothing is ever dropped for length. The
// command-line program writes a run's text to standard output through it, so the output of a
// run of any size is complete and its memory stays flat.

#include <cstddef>
#include <functional>
#include <vector>

#include "output/memory_document.h"

namespace stavbas {

class StreamingDocument : public MemoryDocument {
 public:
  // Receives the finished text, in the order it was written (in one call or more), whole and
  // in pieces of one style; both are read in place and only valid during the call.
  using Sink = std::function<void(std::string_view text, const std::vector<StyledPiece>& pieces)>;
  // The text gathered before the finished part is handed on.
  static constexpr std::size_t kBlock = std::size_t{1} << 15;
  // Without `withStyles` the pieces are left empty, for a sink that takes the text alone.
  explicit StreamingDocument(Sink sink, bool withStyles = true, std::size_t block = kBlock);
  // Hands on what is finished (HandOnFinished).
  ~StreamingDocument() override;

  void Append(const std::vector<StyledRun>& runs) override;
  void AppendStaged(const StagingBuffer& staging, int size) override;
  void InsertAtCursor(std::string_view text, const TextStyle& style) override;
  void Clear() override;
  // Hands on everything that can no longer change, however little has gathered: before
  // anything else is written where the sink writes.
  void HandOnFinished();
  // Hands on everything that is left, as at the end of the program.
  void HandOnAll();

 private:
  void HandOn(std::size_t count);
  // Hands on what is finished once a block has gathered since the last time.
  void HandOnGathered() {
    if (Length() >= handOnAt_) HandOnFinished();
  }
  // Where the last line of `text` that holds text starts, when a line end comes before it;
  // otherwise 0.
  static std::size_t LastLineWithText(std::string_view text);

  Sink sink_;
  std::size_t block_;
  std::size_t handOnAt_;
  std::vector<StyledPiece> pieces_;  // kept for its memory
};

}  // namespace stavbas
