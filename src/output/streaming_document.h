#pragma once
// An output window that hands its text on as soon as nothing written later can change it, and
// keeps only the rest: the last line that holds text and the empty lines after it (a later
// append may continue that line or drop those empty lines). Nothing is ever dropped for
// length. The command-line program writes a run's text to standard output through it, so the
// output of a run of any size is complete and its memory stays flat.

#include <functional>
#include <vector>

#include "output/memory_document.h"

namespace stavbas {

class StreamingDocument : public MemoryDocument {
 public:
  // Receives the finished text, in the order it was written (in one call or more), whole and
  // in pieces of one style; both are read in place and only valid during the call.
  using Sink = std::function<void(std::string_view text, const std::vector<StyledPiece>& pieces)>;
  // Without `withStyles` the pieces are left empty, for a sink that takes the text alone.
  explicit StreamingDocument(Sink sink, bool withStyles = true);

  void Append(const std::vector<StyledRun>& runs) override;
  void AppendStaged(const StagingBuffer& staging, int size) override;
  void InsertAtCursor(std::string_view text, const TextStyle& style) override;
  bool KeepsStyles() const override { return withStyles_; }
  // Hands on everything that is left, as at the end of the program.
  void HandOnAll();

 private:
  void HandOn(std::size_t count);
  // Where the last line of `text` that holds text starts, when a line end of `text` comes
  // before it; otherwise 0.
  static std::size_t LastLineWithText(std::string_view text);
  void HandOnFinished();

  Sink sink_;
  bool withStyles_;
  std::vector<StyledPiece> pieces_;  // kept for its memory
};

}  // namespace stavbas
