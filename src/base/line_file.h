#pragma once
// A text file read line by line through one fixed read buffer. CR LF, LF and a lone CR end a
// line alike; a Ctrl-Z at the start of a line ends the file, as it does in DOS-era text files.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
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
  // Passes over the next line without copying it.
  Result SkipLine();
  // Whether the next line begins with `prefix` after both are mapped through `table`: 1 yes,
  // 0 no, -1 when the buffer does not hold enough of the line to tell (read it instead).
  int NextLineStartsWith(std::string_view prefix, const unsigned char* table);
  // True when nothing is left to read (a read error counts as the end).
  bool AtEnd();

  // Byte offset of the next line to be read.
  std::uint64_t Offset() const { return bufferOffset_ + pos_; }
  int error() const { return error_; }

 private:
  bool Fill();  // false at the end or on error
  // The buffer index of the first CR or LF at or after the position; len_ when there is none.
  std::size_t NextBreak();
  // Reads (line set) or passes over the next line.
  Result Advance(char* line, std::size_t capacity, std::size_t& length);

  static constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);

  int fd_ = -1;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t len_ = 0;
  std::size_t lfAt_ = kUnknown;     // where NextBreak last found an LF (or len_)
  std::size_t crAt_ = kUnknown;     // and a CR
  std::uint64_t bufferOffset_ = 0;  // file offset of buffer_[0]
  std::size_t nextRead_ = 0;        // bytes the next read asks for
  bool eof_ = false;
  int error_ = 0;
};

}  // namespace stavbas
