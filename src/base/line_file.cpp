#include "base/line_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace stavbas {
namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
// What is read first after a jump: a lookup reads a few lines there, and a full buffer's copy
// from the system's cache would cost more than the lookup.
constexpr std::size_t kFirstRead = 4 * 1024;
constexpr char kCtrlZ = 0x1A;
}  // namespace

int LineFile::Open(const std::string& path) {
  Close();
  // Opened without waiting, so that a pipe without a writer cannot block; only a regular file
  // is read.
  fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) return errno;
  struct stat st {};
  if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
    const int err = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    Close();
    return err;
  }
  buffer_.resize(kBufferSize);
  return Seek(0);
}

void LineFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  buffer_.clear();
  buffer_.shrink_to_fit();
  pos_ = len_ = 0;
  lfAt_ = crAt_ = kUnknown;
  bufferOffset_ = 0;
  eof_ = false;
  error_ = 0;
}

int LineFile::Seek(std::uint64_t offset) {
  if (fd_ < 0) return EBADF;
  lfAt_ = crAt_ = kUnknown;
  // Stay inside the buffer when the line is already there.
  if (offset >= bufferOffset_ && offset <= bufferOffset_ + len_) {
    pos_ = static_cast<std::size_t>(offset - bufferOffset_);
    if (pos_ < len_) return 0;
  }
  if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) return error_ = errno;
  bufferOffset_ = offset;
  pos_ = len_ = 0;
  nextRead_ = kFirstRead;
  eof_ = false;
  error_ = 0;
  return 0;
}

bool LineFile::Fill() {
  if (eof_ || fd_ < 0) return false;
  bufferOffset_ += len_;
  pos_ = len_ = 0;
  lfAt_ = crAt_ = kUnknown;
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_.data(), std::min(nextRead_, buffer_.size()));
    nextRead_ = buffer_.size();
    if (n > 0) {
      len_ = static_cast<std::size_t>(n);
      return true;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error_ = errno;
    eof_ = true;
    return false;
  }
}

bool LineFile::AtEnd() {
  if (pos_ >= len_ && !Fill()) return true;
  return buffer_[pos_] == kCtrlZ;
}

std::size_t LineFile::NextBreak() {
  // Each search result stays good until the buffer changes or the position passes it, so a
  // file with only one kind of line end is searched once per buffer for the other kind.
  auto find = [this](char c, std::size_t& at) {
    if (at == kUnknown || at < pos_) {
      const void* hit = std::memchr(buffer_.data() + pos_, c, len_ - pos_);
      at = hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - buffer_.data()) : len_;
    }
    return at;
  };
  return std::min(find('\n', lfAt_), find('\r', crAt_));
}

LineFile::Result LineFile::Advance(char* line, std::size_t capacity, std::size_t& length) {
  length = 0;
  if (line) line[0] = '\0';
  if (AtEnd()) return error_ ? Result::Error : Result::End;
  std::size_t raw = 0;  // the line's full length, of which at most `capacity` bytes are kept
  for (;;) {
    const std::size_t end = NextBreak();
    const std::size_t chunk = end - pos_;
    if (line && raw < capacity)
      std::memcpy(line + raw, buffer_.data() + pos_, std::min(chunk, capacity - raw));
    raw += chunk;
    pos_ = end;
    if (end < len_) {
      // CR LF, LF and a lone CR each end a line.
      if (buffer_[pos_++] == '\r' && (pos_ < len_ || Fill()) && buffer_[pos_] == '\n') ++pos_;
      break;
    }
    if (!Fill()) {
      if (error_) return Result::Error;
      break;
    }
  }
  length = std::min(raw, capacity);
  if (line) line[length] = '\0';
  return Result::Line;
}

LineFile::Result LineFile::ReadLine(char* line, std::size_t capacity, std::size_t& length) {
  return Advance(line, capacity, length);
}

LineFile::Result LineFile::SkipLine() {
  std::size_t length;
  return Advance(nullptr, 0, length);
}

int LineFile::NextLineStartsWith(std::string_view prefix, const unsigned char* table) {
  if (AtEnd()) return -1;
  const std::size_t available = len_ - pos_;
  const char* p = buffer_.data() + pos_;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (i >= available) return -1;
    if (p[i] == '\n' || p[i] == '\r' ||
        table[static_cast<unsigned char>(p[i])] != table[static_cast<unsigned char>(prefix[i])])
      return 0;
  }
  return 1;
}

}  // namespace stavbas
