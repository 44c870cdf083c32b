#pragma once
// A text file read line by line through one fixed read buffer. CR LF, LF and a lone CR end a
// line alike; a Ctrl-Z at the start of a line ends the file, as it does in DOS-era text files.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace stavbas {

class LineFile {
 public:
  enum class Result { Line, End, Error };

  LineFile() = default;
  ~LineFile() { Close(); }
  LineFile(const LineFile&) = delete;
  LineFile& operator=(const LineFile&) = delete;

  // 0 on success, else the system's error number.
  int Open(const std::string& path);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }

  // Positions on a byte offset (the start of a line); 0 or an error number.
  int Seek(std::uint64_t offset);
  // Reads the next line into `line`: at most `capacity` bytes are kept, the rest of a longer
  // line is dropped; the text is zero-terminated, so `line` needs capacity + 1 bytes.
  Result ReadLine(char* line, std::size_t capacity, std::size_t& length);
  // False when the line ReadLine read last is known to hold no NUL byte (the copy looks for
  // them as it goes).
  bool LineMayHoldNul() const { return lineMayHoldNul_; }
  // Reads the next line without copying it: `line` shows it in the read buffer until the next
  // call on this file. A line longer than the buffer is shown cut, with at least its first
  // `keep` bytes (at most 4096).
  Result ViewLine(std::string_view& line, std::size_t keep);
  // Passes over the next line without copying it.
  Result SkipLine();
  // Hands every line from here to the end to `visit(offset, line)`, where `line` is shown as
  // ViewLine shows it; `visit` must not read from this file. End, or Error on a read error.
  // A visitor that takes a third argument, `mayHoldNul`, is told which lines are known to hold
  // no NUL byte (false): the buffer is searched for one once, not line by line.
  template <class Visit>
  Result ForEachLine(std::size_t keep, Visit&& visit) {
    using V = std::remove_reference_t<Visit>;
    if constexpr (std::is_invocable_v<V&, std::uint64_t, std::string_view, bool>) {
      struct Context {
        V* visit;
        const LineFile* file;
      } context{&visit, this};
      findNul_ = true;
      return ScanLines(
          keep,
          [](void* c, std::uint64_t offset, std::string_view line) {
            const auto* k = static_cast<Context*>(c);
            (*k->visit)(offset, line, k->file->mayHoldNul_);
          },
          &context);
    } else {
      findNul_ = false;
      return ScanLines(
          keep,
          [](void* v, std::uint64_t offset, std::string_view line) {
            (*static_cast<V*>(v))(offset, line);
          },
          &visit);
    }
  }
  // Whether the next line begins with `prefix` after both are mapped through `table`: 1 yes,
  // 0 no, -1 when the buffer does not hold enough of the line to tell (read it instead).
  int NextLineStartsWith(std::string_view prefix, const unsigned char* table);
  // True when nothing is left to read (a read error counts as the end); a Ctrl-Z at a line's
  // start ends the file.
  bool AtEnd() { return pos_ < len_ ? buffer_[pos_] == '\x1A' : AtEndOfBuffer(); }

  // Line ends are searched and lines copied 64 bytes at a time where the processor has AVX-512
  // for bytes, 32 where it has AVX2, else 16; every way finds the same lines. For tests: the
  // widest blocks (64, 32 or 16) every file takes from now on.
  static void LimitSearchWidth(int widest);

  // Byte offset of the next line to be read.
  std::uint64_t Offset() const { return bufferOffset_ + pos_; }
  int error() const { return error_; }

 private:
  // AtEnd where the buffer holds nothing more: it reads more first.
  bool AtEndOfBuffer();
  // Keeps the unread rest of the buffer at its front and reads more after it; false at the
  // end, on error, or when the buffer is full.
  bool Fill();
  // The buffer index of the first CR or LF at or after the position; len_ when there is none.
  std::size_t NextBreak();
  using LineVisitor = void (*)(void* context, std::uint64_t offset, std::string_view line);
  Result ScanLines(std::size_t keep, LineVisitor visit, void* context);
  // Notes whether the bytes may hold a NUL, in a pass that looks for them.
  void NoteNul(const char* bytes, std::size_t length);
  // Shows the first bytes of a line that fills the whole buffer and passes over the rest.
  Result CutLongLine(std::string_view& line, std::size_t keep);

  static constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);

  int fd_ = -1;
  // Left unwritten when made: only the bytes read, and those just after them, are ever read.
  std::unique_ptr<char[]> buffer_;
  std::size_t pos_ = 0;
  std::size_t len_ = 0;
  // Line ends are searched 64 bytes at a time: `breaks_` has a bit for each CR or LF among the
  // 64 bytes from `breaksAt_` (kUnknown while the buffer holds none searched).
  std::size_t breaksAt_ = kUnknown;
  std::uint64_t breaks_ = 0;
  std::uint64_t bufferOffset_ = 0;  // file offset of buffer_[0]
  std::size_t nextRead_ = 0;        // bytes the next read asks for
  std::string cut_;                 // the kept beginning of a line longer than the buffer
  bool eof_ = false;
  int error_ = 0;
  // During a pass that looks for NUL bytes (findNul_): false while the lines visited are known
  // to hold none.
  bool findNul_ = false;
  bool mayHoldNul_ = true;
  bool lineMayHoldNul_ = true;  // of the line ReadLine read last
};

}  // namespace stavbas
