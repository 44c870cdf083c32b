#pragma once
// The export text: what a display run writes for an export, inscription by inscription, read
// back by the writers block by block. It is kept in a temporary file, so an export of any size
// costs no memory, and every inscription is its own block whatever its last item wrote.
// Text is Windows-1252 with "\r\n" line ends.

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "export/coordinates.h"
#include "output/memory_document.h"
#include "output/visit.h"

namespace stavbas {

// One inscription (or one part of it between empty lines): its lines up to the next empty line.
struct ExportBlock {
  int blankLinesBefore = 0;        // empty lines that stood before it
  std::vector<std::string> lines;  // the signum line, then the body lines; none of them empty
  const std::string& signumLine() const { return lines.front(); }
};

class ExportText {
 public:
  ExportText();
  ~ExportText();
  ExportText(const ExportText&) = delete;
  ExportText& operator=(const ExportText&) = delete;

  // Adds the text written for one inscription, ended with a line end when it lacks one. A
  // block never runs on from one inscription into the next.
  void AddInscription(std::string_view text);
  // True when no inscription wrote anything.
  bool empty() const { return size_ == 0; }
  // False when the temporary file could not be created or written.
  bool ok() const { return file_ != nullptr && !failed_; }
  long inscriptions() const { return inscriptions_; }

  // Reads the text from its start, line by line or block by block.
  class Reader {
   public:
    explicit Reader(const ExportText& text);
    // The next line without its line end; false at the end.
    bool NextLine(std::string& line);
    // The next block; false when no non-empty line follows.
    bool NextBlock(ExportBlock& block);

   private:
    // The next line, the one looked at ahead first.
    bool Take(std::string& line);
    bool NextIsEmptyLine();
    // The first `lines` lines of the text end an inscription.
    bool EndsInscription(std::size_t lines);

    const ExportText& text_;
    std::optional<std::string> ahead_;
    std::string line_;       // the line being read
    std::size_t taken_ = 0;  // lines taken so far
    std::size_t offset_ = 0;
    std::string buffer_;
    std::size_t at_ = 0;
    bool end_ = false;
  };

 private:
  void Write(std::string_view bytes);
  // Copies up to `count` bytes of the text from `offset` on; the number copied.
  std::size_t ReadAt(std::size_t offset, char* out, std::size_t count) const;

  std::FILE* file_ = nullptr;  // holds the text's start; written whole blocks at a time
  std::size_t written_ = 0;    // bytes in the file
  std::string pending_;        // the text after them
  std::size_t size_ = 0;
  // Whether an inscription ends after the first n lines, for each n: one bit a line, where a
  // count per inscription would cost a word each.
  std::vector<bool> ends_;
  std::size_t lines_ = 0;  // lines so far
  long inscriptions_ = 0;
  bool failed_ = false;
};

// Calls `f` for every block of the text in order. A coordinate that cannot be read stops the
// walk with the signum of its block attached.
template <typename F>
void ForEachBlock(const ExportText& text, F f);

// The window an export's display run writes into: every inscription's text goes on to the
// export text as soon as the inscription is finished. What the run writes after its last
// inscription (the counts line, the note of an interruption) never reaches the export.
class ExportCapture : public MemoryDocument {
 public:
  // Only the text goes on to the export.
  explicit ExportCapture(ExportText& text) : MemoryDocument(false), text_(text) {
    maxLength = SIZE_MAX;
  }
  // The inscription is finished: its text goes to the export text and the window is emptied.
  void EndInscription();

 private:
  ExportText& text_;
};

template <typename F>
void ForEachBlock(const ExportText& text, F f) {
  ExportText::Reader reader(text);
  ExportBlock block;
  while (reader.NextBlock(block)) {
    try {
      f(block);
    } catch (CoordinateError& e) {
      if (e.signum.empty()) e.signum = block.signumLine();
      throw;
    }
  }
}

// While it lives, the display runs write into a capture instead of the output window, every
// finished inscription goes on to the export text, and message lines are dropped (they would
// land in the user's text). Everything is put back when it goes.
class CapturedRun {
 public:
  CapturedRun(OutputContext& ctx, ExportText& text);
  ~CapturedRun();
  CapturedRun(const CapturedRun&) = delete;
  CapturedRun& operator=(const CapturedRun&) = delete;

 private:
  OutputContext& ctx_;
  ExportCapture capture_;
  std::function<void()> afterInscription_;
  bool quiet_;
};

}  // namespace stavbas
