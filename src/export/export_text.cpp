#include "export/export_text.h"

#include <unistd.h>

#include <algorithm>

#include "base/ui.h"

namespace stavbas {

namespace {
constexpr std::size_t kChunk = 1 << 16;
constexpr std::size_t kWriteBlock = 1 << 18;  // the text goes to the file in blocks of this
}  // namespace

ExportText::ExportText() : file_(std::tmpfile()) {
  // Taken once: grown by doubling, the block would hold twice its size.
  pending_.reserve(kWriteBlock + kChunk);
}

ExportText::~ExportText() {
  if (file_) std::fclose(file_);
}

void ExportText::Write(std::string_view bytes) {
  if (!file_ || failed_) return;
  pending_ += bytes;
  size_ += bytes.size();
  if (pending_.size() < kWriteBlock) return;
  if (::pwrite(fileno(file_), pending_.data(), pending_.size(), static_cast<off_t>(written_)) !=
      static_cast<ssize_t>(pending_.size()))
    failed_ = true;
  written_ += pending_.size();
  pending_.clear();
}

std::size_t ExportText::ReadAt(std::size_t offset, char* out, std::size_t count) const {
  if (offset < written_) {
    const ssize_t got =
        ::pread(fileno(file_), out, std::min(count, written_ - offset), static_cast<off_t>(offset));
    return got > 0 ? static_cast<std::size_t>(got) : 0;
  }
  const std::size_t at = offset - written_;
  if (at >= pending_.size()) return 0;
  const std::size_t n = std::min(count, pending_.size() - at);
  pending_.copy(out, n, at);
  return n;
}

void ExportText::AddInscription(std::string_view text) {
  if (text.empty()) return;
  ++inscriptions_;
  Write(text);
  if (!text.ends_with("\r\n")) Write("\r\n");
  for (std::size_t at = text.find("\r\n"); at != std::string_view::npos;
       at = text.find("\r\n", at + 2))
    ++lines_;
  if (!text.ends_with("\r\n")) ++lines_;
  if (ends_.size() <= lines_) ends_.resize(lines_ + 1);
  ends_[lines_] = true;
}

ExportText::Reader::Reader(const ExportText& text) : text_(text) {}

bool ExportText::Reader::NextLine(std::string& line) {
  line.clear();
  for (;;) {
    const std::size_t end = buffer_.find("\r\n", at_);
    if (end != std::string::npos) {
      line.append(buffer_, at_, end - at_);
      at_ = end + 2;
      return true;
    }
    // Keep a lone "\r" at the end of the buffer: its "\n" may come with the next chunk.
    std::size_t keep = buffer_.size();
    if (keep > at_ && buffer_.back() == '\r') --keep;
    line.append(buffer_, at_, keep - at_);
    buffer_.erase(0, keep);
    at_ = 0;
    if (end_ || !text_.file_ || offset_ >= text_.size_) {
      end_ = true;
      line += buffer_;
      buffer_.clear();
      return !line.empty();
    }
    const std::size_t kept = buffer_.size();
    buffer_.resize(kept + kChunk);
    const std::size_t got = text_.ReadAt(offset_, buffer_.data() + kept, kChunk);
    buffer_.resize(kept + got);
    if (got == 0) end_ = true;
    offset_ += got;
  }
}

bool ExportText::Reader::Take(std::string& line) {
  if (ahead_) {
    line = std::move(*ahead_);
    ahead_.reset();
  } else if (!NextLine(line)) {
    return false;
  }
  ++taken_;
  return true;
}

bool ExportText::Reader::NextIsEmptyLine() {
  if (!ahead_) {
    std::string line;
    if (!NextLine(line)) return false;
    ahead_ = std::move(line);
  }
  return ahead_->empty();
}

bool ExportText::Reader::EndsInscription(std::size_t lines) {
  return lines < text_.ends_.size() && text_.ends_[lines];
}

bool ExportText::Reader::NextBlock(ExportBlock& block) {
  block.blankLinesBefore = 0;
  // The block's strings are used again for its next lines, so that reading allocates little.
  std::size_t n = 0;
  const auto done = [&] {
    block.lines.resize(n);
    return n > 0;
  };
  while (Take(line_)) {
    if (line_.empty()) {
      if (n > 0) return done();  // the empty line that ends the block
      ++block.blankLinesBefore;
      continue;
    }
    if (n < block.lines.size())
      block.lines[n].swap(line_);
    else
      block.lines.push_back(line_);
    ++n;
    if (EndsInscription(taken_)) {
      // A block ends with its inscription; an empty line that begins the next one is then
      // the one that ends this block.
      if (NextIsEmptyLine()) Take(line_);
      return done();
    }
  }
  return done();
}

void ExportCapture::EndInscription() {
  text_.AddInscription(Text());
  Clear();
}

CapturedRun::CapturedRun(OutputContext& ctx, ExportText& text)
    : ctx_(ctx), capture_(text), afterInscription_(ctx.afterInscription), quiet_(ctx.ui.quiet) {
  ctx_.exportWindow = &capture_;
  ctx_.afterInscription = [this] {
    capture_.EndInscription();
    if (afterInscription_) afterInscription_();
  };
  ctx_.ui.quiet = true;
}

CapturedRun::~CapturedRun() {
  ctx_.exportWindow = nullptr;
  ctx_.afterInscription = afterInscription_;
  ctx_.ui.quiet = quiet_;
}

}  // namespace stavbas
