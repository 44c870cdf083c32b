#include "base/line_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>

#include "base/processor.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#include <immintrin.h>
#endif

namespace stavbas {
namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
// Room after the buffer, so that the line-end search may load 64 bytes from anywhere in it.
constexpr std::size_t kSlack = 64;
// What is read first after a jump: a lookup reads a few lines there, and a full buffer's copy
// from the system's cache would cost more than the lookup.
constexpr std::size_t kFirstRead = 4 * 1024;
constexpr char kCtrlZ = 0x1A;

// One bit for each CR or LF among the 64 bytes from `p`.
std::uint64_t BreakBits(const char* p) {
#if defined(__SSE2__)
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i cr = _mm_set1_epi8('\r');
  __m128i hits[4];
  for (int i = 0; i < 4; ++i) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
    hits[i] = _mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr));
  }
  // Most stretches of 64 bytes hold no line end: one test tells.
  const __m128i any = _mm_or_si128(_mm_or_si128(hits[0], hits[1]), _mm_or_si128(hits[2], hits[3]));
  if (_mm_movemask_epi8(any) == 0) return 0;
  std::uint64_t bits = 0;
  for (int i = 0; i < 4; ++i)
    bits |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(hits[i]))} << (16 * i);
  return bits;
#else
  std::uint64_t bits = 0;
  for (int i = 0; i < 64; ++i)
    if (p[i] == '\n' || p[i] == '\r') bits |= std::uint64_t{1} << i;
  return bits;
#endif
}

#if defined(__SSE2__) && (defined(__GNUC__) || defined(__clang__))
#define STAVBAS_AVX2_BREAKS 1
// BreakBits 32 bytes at a time, where the processor has AVX2.
__attribute__((target("avx2"), always_inline)) inline std::uint64_t BreakBitsAvx2(const char* p) {
  const __m256i lf = _mm256_set1_epi8('\n');
  const __m256i cr = _mm256_set1_epi8('\r');
  const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
  const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
  const __m256i ha = _mm256_or_si256(_mm256_cmpeq_epi8(a, lf), _mm256_cmpeq_epi8(a, cr));
  const __m256i hb = _mm256_or_si256(_mm256_cmpeq_epi8(b, lf), _mm256_cmpeq_epi8(b, cr));
  const __m256i any = _mm256_or_si256(ha, hb);
  if (_mm256_testz_si256(any, any)) return 0;
  return std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(ha))} |
         std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(hb))} << 32;
}

// BreakBits in one register, where the processor has AVX-512 for bytes.
__attribute__((target("avx512f,avx512bw"), always_inline)) inline std::uint64_t BreakBitsAvx512(
    const char* p) {
  const __m512i v = _mm512_loadu_si512(p);
  return _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8('\n')) |
         _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8('\r'));
}

// The widest blocks lines are read in: a line is copied and line ends are searched 64 bytes at
// a time in one register (AVX-512 for bytes) or in two (AVX2), else sixteen bytes at a time.
int blockWidth = WidestBlocks(64);
#endif

// What a pass over the lines that end within a buffer needs to know and to call.
struct Block {
  const char* bytes;
  std::size_t length;
  bool atEnd;  // nothing follows in the file
  std::uint64_t offset;
  void (*visit)(void*, std::uint64_t, std::string_view);
  void* context;
};

// Visits the lines from `p` that end within the block; returns where the first line that does
// not begins (or a line that begins with a Ctrl-Z). `breakBits` is BreakBits or its like.
template <class Bits>
[[gnu::always_inline]] inline std::size_t VisitLinesWith(const Block& k, std::size_t p,
                                                         Bits breakBits) {
  const char* b = k.bytes;
  for (std::size_t at = p; at < k.length; at += 64) {
    std::uint64_t bits = breakBits(b + at);
    if (k.length - at < 64) bits &= (std::uint64_t{1} << (k.length - at)) - 1;
    while (bits) {
      const std::size_t end = at + static_cast<std::size_t>(std::countr_zero(bits));
      bits &= bits - 1;
      if (end < p) continue;  // the LF of a CR LF
      // A CR on the last byte may be the first half of a CR LF; a Ctrl-Z ends the file.
      if ((end + 1 == k.length && b[end] == '\r' && !k.atEnd) || b[p] == kCtrlZ) return p;
      k.visit(k.context, k.offset + p, std::string_view(b + p, end - p));
      p = end + 1;
      if (b[end] == '\r' && p < k.length && b[p] == '\n') ++p;
    }
  }
  return p;
}

// The first stretch of 64 bytes from `at` that holds a line end, with its bits in `bits`; `length`
// (and no bits) when there is none.
template <class Bits>
[[gnu::always_inline]] inline std::size_t FindBreaksWith(const char* b, std::size_t at,
                                                         std::size_t length, std::uint64_t& bits,
                                                         Bits breakBits) {
  for (; at < length; at += 64) {
    bits = breakBits(b + at);
    if (length - at < 64) bits &= (std::uint64_t{1} << (length - at)) - 1;
    if (bits) return at;
  }
  bits = 0;
  return length;
}

#if defined(STAVBAS_AVX2_BREAKS)
__attribute__((target("avx512f,avx512bw"))) std::size_t VisitLinesAvx512(const Block& k,
                                                                         std::size_t p) {
  return VisitLinesWith(k, p, BreakBitsAvx512);
}
__attribute__((target("avx512f,avx512bw"))) std::size_t FindBreaksAvx512(const char* b,
                                                                         std::size_t at,
                                                                         std::size_t length,
                                                                         std::uint64_t& bits) {
  return FindBreaksWith(b, at, length, bits, BreakBitsAvx512);
}
__attribute__((target("avx2"))) std::size_t VisitLinesAvx2(const Block& k, std::size_t p) {
  return VisitLinesWith(k, p, BreakBitsAvx2);
}
__attribute__((target("avx2"))) std::size_t FindBreaksAvx2(const char* b, std::size_t at,
                                                           std::size_t length,
                                                           std::uint64_t& bits) {
  return FindBreaksWith(b, at, length, bits, BreakBitsAvx2);
}
#endif

std::size_t VisitLines(const Block& k, std::size_t p) {
#if defined(STAVBAS_AVX2_BREAKS)
  if (blockWidth == 64) return VisitLinesAvx512(k, p);
  if (blockWidth == 32) return VisitLinesAvx2(k, p);
#endif
  return VisitLinesWith(k, p, BreakBits);
}

std::size_t FindBreaks(const char* b, std::size_t at, std::size_t length, std::uint64_t& bits) {
#if defined(STAVBAS_AVX2_BREAKS)
  if (blockWidth == 64) return FindBreaksAvx512(b, at, length, bits);
  if (blockWidth == 32) return FindBreaksAvx2(b, at, length, bits);
#endif
  return FindBreaksWith(b, at, length, bits, BreakBits);
}

}  // namespace

void LineFile::LimitSearchWidth(int widest) {
#if defined(STAVBAS_AVX2_BREAKS)
  blockWidth = WidestBlocks(widest);
#else
  (void)widest;
#endif
}

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
  buffer_ = std::make_unique_for_overwrite<char[]>(kBufferSize + kSlack);
  std::memset(buffer_.get(), 0, kSlack);
  return Seek(0);
}

void LineFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  buffer_.reset();
  cut_.clear();
  pos_ = len_ = 0;
  breaksAt_ = kUnknown;
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
  breaksAt_ = kUnknown;
  nextRead_ = kFirstRead;
  eof_ = false;
  error_ = 0;
  return 0;
}

bool LineFile::Fill() {
  if (eof_ || fd_ < 0) return false;
  const std::size_t kept = len_ - pos_;
  if (kept == kBufferSize) return false;
  if (kept > 0 && pos_ > 0) std::memmove(buffer_.get(), buffer_.get() + pos_, kept);
  bufferOffset_ += pos_;
  pos_ = 0;
  len_ = kept;
  breaksAt_ = kUnknown;
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_.get() + len_, std::min(nextRead_, kBufferSize - len_));
    // The reads after a jump grow step by step: a lookup that scans a little further than the
    // first read does not copy a whole buffer, and a run that reads on soon reads whole ones.
    nextRead_ = std::min(2 * nextRead_, kBufferSize);
    if (n > 0) {
      len_ += static_cast<std::size_t>(n);
      // The searches read up to a block past the bytes read: those are defined.
      std::memset(buffer_.get() + len_, 0, kSlack);
      return true;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error_ = errno;
    eof_ = true;
    return false;
  }
}

bool LineFile::AtEndOfBuffer() {
  if (!Fill()) return true;
  return buffer_[pos_] == kCtrlZ;
}

std::size_t LineFile::NextBreak() {
  std::size_t at = pos_;
  if (breaksAt_ != kUnknown && pos_ >= breaksAt_ && pos_ < breaksAt_ + 64) {
    const std::uint64_t ahead = breaks_ & (~std::uint64_t{0} << (pos_ - breaksAt_));
    if (ahead) return breaksAt_ + static_cast<std::size_t>(std::countr_zero(ahead));
    at = breaksAt_ + 64;
  }
  at = FindBreaks(buffer_.get(), at, len_, breaks_);
  if (at >= len_) {
    breaksAt_ = kUnknown;
    return len_;
  }
  breaksAt_ = at;
  return at + static_cast<std::size_t>(std::countr_zero(breaks_));
}

LineFile::Result LineFile::ViewLine(std::string_view& line, std::size_t keep) {
  line = {};
  if (AtEnd()) return error_ ? Result::Error : Result::End;
  for (;;) {
    const std::size_t end = NextBreak();
    // The line is whole when its end is in the buffer: a CR on the last byte may still be the
    // first half of a CR LF.
    if (end < len_ ? end + 1 < len_ || buffer_[end] == '\n' || eof_ : eof_) {
      line = std::string_view(buffer_.get() + pos_, end - pos_);
      pos_ = end;
      // CR LF, LF and a lone CR each end a line.
      if (end < len_ && buffer_[pos_++] == '\r' && pos_ < len_ && buffer_[pos_] == '\n') ++pos_;
      return Result::Line;
    }
    if (pos_ == 0 && len_ == kBufferSize) return CutLongLine(line, keep);
    if (!Fill() && error_) return Result::Error;
  }
}

void LineFile::NoteNul(const char* bytes, std::size_t length) {
  mayHoldNul_ = std::memchr(bytes, '\0', length) != nullptr;
}

LineFile::Result LineFile::ScanLines(std::size_t keep, LineVisitor visit, void* context) {
  for (;;) {
    if (AtEnd()) return error_ ? Result::Error : Result::End;
    // The lines that end within the buffer, their ends found 64 bytes at a time; a NUL byte is
    // looked for once in all of them.
    if (findNul_) NoteNul(buffer_.get() + pos_, len_ - pos_);
    const Block block{buffer_.get(), len_, eof_, bufferOffset_, visit, context};
    const std::size_t p = VisitLines(block, pos_);
    // The line that runs past the buffer is read as one, with whatever it takes.
    pos_ = p;
    const std::uint64_t offset = Offset();
    std::string_view line;
    const Result r = ViewLine(line, keep);
    if (r != Result::Line) return r;
    if (findNul_) NoteNul(line.data(), line.size());
    visit(context, offset, line);
  }
}

LineFile::Result LineFile::CutLongLine(std::string_view& line, std::size_t keep) {
  cut_.assign(buffer_.get(), std::min(keep, len_));
  for (;;) {
    const std::size_t end = NextBreak();
    pos_ = end;
    if (end < len_) {
      if (buffer_[pos_++] == '\r' && (pos_ < len_ || Fill()) && buffer_[pos_] == '\n') ++pos_;
      break;
    }
    if (!Fill()) {
      if (error_) return Result::Error;
      break;
    }
  }
  line = cut_;
  return Result::Line;
}

namespace {

// Copies the bytes from `from` to `to` sixteen at a time, up to the first CR or LF
// among the `available` bytes, while the copy stays within `room` bytes; returns the number of
// bytes before that line end, or `available` when none was found so. Bytes after the line end
// may be copied too, and up to 63 bytes after `available` are read (the read buffer's slack).
// `nul` becomes false when no NUL byte was among the bytes looked at.
std::size_t CopyToBreak(const char* from, std::size_t available, char* to, std::size_t room,
                        bool& nul) {
#if defined(__SSE2__)
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i cr = _mm_set1_epi8('\r');
  __m128i zeros = _mm_setzero_si128();
  for (std::size_t k = 0; k < available && k + 16 <= room; k += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + k));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + k), v);
    zeros = _mm_or_si128(zeros, _mm_cmpeq_epi8(v, _mm_setzero_si128()));
    if (const auto bits = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr))))) {
      nul = _mm_movemask_epi8(zeros) != 0;
      return std::min(k + static_cast<std::size_t>(std::countr_zero(bits)), available);
    }
  }
#else
  (void)from;
  (void)to;
  (void)room;
#endif
  nul = true;
  return available;
}

#if defined(STAVBAS_AVX2_BREAKS)
// CopyToBreak 64 bytes at a time, where the processor has AVX2.
__attribute__((target("avx2"))) std::size_t CopyToBreakAvx2(const char* from, std::size_t available,
                                                            char* to, std::size_t room, bool& nul) {
  const __m256i lf = _mm256_set1_epi8('\n');
  const __m256i cr = _mm256_set1_epi8('\r');
  __m256i zeros = _mm256_setzero_si256();
  std::size_t k = 0;
  for (; k < available && k + 64 <= room; k += 64) {
    const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + k));
    const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + k + 32));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + k), a);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + k + 32), b);
    zeros =
        _mm256_or_si256(zeros, _mm256_cmpeq_epi8(_mm256_min_epu8(a, b), _mm256_setzero_si256()));
    const __m256i ha = _mm256_or_si256(_mm256_cmpeq_epi8(a, lf), _mm256_cmpeq_epi8(a, cr));
    const __m256i hb = _mm256_or_si256(_mm256_cmpeq_epi8(b, lf), _mm256_cmpeq_epi8(b, cr));
    const __m256i any = _mm256_or_si256(ha, hb);
    if (_mm256_testz_si256(any, any)) continue;
    const std::uint64_t bits = std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(ha))} |
                               std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(hb))}
                                   << 32;
    nul = !_mm256_testz_si256(zeros, zeros);
    return std::min(k + static_cast<std::size_t>(std::countr_zero(bits)), available);
  }
  // The rest that fits, sixteen bytes at a time.
  if (k >= available) {
    nul = true;
    return available;
  }
  const std::size_t end = k + CopyToBreak(from + k, available - k, to + k, room - k, nul);
  nul = nul || !_mm256_testz_si256(zeros, zeros);
  return end;
}

// CopyToBreak 64 bytes at a time in one register, where the processor has AVX-512 for bytes.
__attribute__((target("avx512f,avx512bw"))) std::size_t CopyToBreakAvx512(
    const char* from, std::size_t available, char* to, std::size_t room, bool& nul) {
  const __m512i lf = _mm512_set1_epi8('\n');
  const __m512i cr = _mm512_set1_epi8('\r');
  std::uint64_t zeros = 0;
  std::size_t k = 0;
  for (; k < available && k + 64 <= room; k += 64) {
    const __m512i v = _mm512_loadu_si512(from + k);
    _mm512_storeu_si512(to + k, v);
    zeros |= _mm512_testn_epi8_mask(v, v);
    const std::uint64_t bits = _mm512_cmpeq_epi8_mask(v, lf) | _mm512_cmpeq_epi8_mask(v, cr);
    if (bits == 0) continue;
    nul = zeros != 0;
    return std::min(k + static_cast<std::size_t>(std::countr_zero(bits)), available);
  }
  if (k >= available) {
    nul = true;
    return available;
  }
  const std::size_t end = k + CopyToBreak(from + k, available - k, to + k, room - k, nul);
  nul = nul || zeros != 0;
  return end;
}
#endif

}  // namespace

LineFile::Result LineFile::ReadLine(char* line, std::size_t capacity, std::size_t& length) {
  if (pos_ < len_ && buffer_[pos_] != kCtrlZ) {
    // Nearly every line lies whole in the buffer and fits: it is copied while its end is
    // searched. The line is whole when a byte follows its end, or its end is an LF, or the file
    // ends there (a CR on the last byte may still be the first half of a CR LF).
    // The copy also notes whether the line may hold a NUL byte.
#if defined(STAVBAS_AVX2_BREAKS)
    const auto copy = blockWidth == 64   ? CopyToBreakAvx512
                      : blockWidth == 32 ? CopyToBreakAvx2
                                         : CopyToBreak;
#else
    const auto copy = CopyToBreak;
#endif
    const std::size_t end =
        pos_ + copy(buffer_.get() + pos_, len_ - pos_, line, capacity + 1, lineMayHoldNul_);
    if (end < len_ && end - pos_ <= capacity && (end + 1 < len_ || buffer_[end] == '\n' || eof_)) {
      length = end - pos_;
      line[length] = '\0';
      pos_ = end + 1;
      if (buffer_[end] == '\r' && pos_ < len_ && buffer_[pos_] == '\n') ++pos_;
      return Result::Line;
    }
  }
  lineMayHoldNul_ = true;
  std::string_view view;
  const Result r = ViewLine(view, capacity);
  length = std::min(view.size(), capacity);
  if (length > 0) std::memcpy(line, view.data(), length);
  line[length] = '\0';
  return r;
}

LineFile::Result LineFile::SkipLine() {
  std::string_view view;
  return ViewLine(view, 0);
}

int LineFile::NextLineStartsWith(std::string_view prefix, const unsigned char* table) {
  if (AtEnd()) return -1;
  const std::size_t available = len_ - pos_;
  const char* p = buffer_.get() + pos_;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (i >= available) return -1;
    if (p[i] == '\n' || p[i] == '\r' ||
        table[static_cast<unsigned char>(p[i])] != table[static_cast<unsigned char>(prefix[i])])
      return 0;
  }
  return 1;
}

}  // namespace stavbas
