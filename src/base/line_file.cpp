#include "base/line_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace stavbas {
namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
constexpr char kCtrlZ = 0x1A;
}  // namespace

int LineFile::Open(const std::string& path) {
  Close();
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return errno;
  buffer_.resize(kBufferSize);
  return Seek(0);
}

void LineFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  buffer_.clear();
  buffer_.shrink_to_fit();
  pos_ = len_ = 0;
  bufferOffset_ = 0;
  eof_ = false;
  error_ = 0;
}

int LineFile::Seek(std::uint64_t offset) {
  if (fd_ < 0) return EBADF;
  // Stay inside the buffer when the line is already there.
  if (offset >= bufferOffset_ && offset <= bufferOffset_ + len_) {
    pos_ = static_cast<std::size_t>(offset - bufferOffset_);
    if (pos_ < len_) return 0;
  }
  if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) return error_ = errno;
  bufferOffset_ = offset;
  pos_ = len_ = 0;
  eof_ = false;
  error_ = 0;
  return 0;
}

bool LineFile::Fill() {
  if (eof_ || fd_ < 0) return false;
  bufferOffset_ += len_;
  pos_ = len_ = 0;
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
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

LineFile::Result LineFile::ReadLine(char* line, std::size_t capacity, std::size_t& length) {
  length = 0;
  line[0] = '\0';
  if (AtEnd()) return error_ ? Result::Error : Result::End;
  std::size_t raw = 0;  // the line's full length, of which at most `capacity` bytes are kept
  char last = '\0';
  for (;;) {
    const char* start = buffer_.data() + pos_;
    const auto* nl = static_cast<const char*>(std::memchr(start, '\n', len_ - pos_));
    const std::size_t chunk = nl ? static_cast<std::size_t>(nl - start) : len_ - pos_;
    if (raw < capacity) {
      const std::size_t take = std::min(chunk, capacity - raw);
      std::memcpy(line + raw, start, take);
    }
    if (chunk > 0) last = start[chunk - 1];
    raw += chunk;
    pos_ += chunk;
    if (nl) {
      ++pos_;
      break;
    }
    if (!Fill()) {
      if (error_) return Result::Error;
      break;
    }
  }
  // A CR before the LF belongs to the line end, not to the text.
  if (last == '\r') --raw;
  length = std::min(raw, capacity);
  line[length] = '\0';
  return Result::Line;
}

int LineFile::NextLineStartsWith(std::string_view prefix, const unsigned char* table) {
  if (AtEnd()) return -1;
  const std::size_t available = len_ - pos_;
  const char* p = buffer_.data() + pos_;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (i >= available) return -1;
    if (p[i] == '\n' ||
        table[static_cast<unsigned char>(p[i])] != table[static_cast<unsigned char>(prefix[i])])
      return 0;
  }
  return 1;
}

LineFile::Result LineFile::SkipLine() {
  if (AtEnd()) return error_ ? Result::Error : Result::End;
  for (;;) {
    const char* start = buffer_.data() + pos_;
    const auto* nl = static_cast<const char*>(std::memchr(start, '\n', len_ - pos_));
    if (nl) {
      pos_ += static_cast<std::size_t>(nl - start) + 1;
      return Result::Line;
    }
    pos_ = len_;
    if (!Fill()) return error_ ? Result::Error : Result::Line;
  }
}

}  // namespace stavbas
