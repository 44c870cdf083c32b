#include "export/export_text.h"

#include "base/ui.h"

namespace stavbas {

namespace {
constexpr std::size_t kChunk = 1 << 16;
}

ExportText::ExportText() : file_(std::tmpfile()) {}

ExportText::~ExportText() {
  if (file_) std::fclose(file_);
}

void ExportText::Write(std::string_view bytes) {
  if (!file_ || failed_ || bytes.empty()) return;
  if (std::fseek(file_, 0, SEEK_END) != 0 ||
      std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
    failed_ = true;
  size_ += static_cast<long>(bytes.size());
}

void ExportText::AddInscription(std::string_view text) {
  if (text.empty()) return;
  ++inscriptions_;
  Write(text);
  if (!text.ends_with("\r\n")) Write("\r\n");
  std::size_t lines = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string_view::npos;
       at = text.find("\r\n", at + 2))
    ++lines;
  if (!text.ends_with("\r\n")) ++lines;
  ends_.push_back((ends_.empty() ? 0 : ends_.back()) + lines);
}

std::string ExportText::Whole() const {
  std::string all, line;
  Reader reader(*this);
  while (reader.NextLine(line)) all += line + "\r\n";
  return all;
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
    std::string chunk(kChunk, '\0');
    std::size_t got = 0;
    if (std::fseek(text_.file_, offset_, SEEK_SET) == 0)
      got = std::fread(chunk.data(), 1, chunk.size(), text_.file_);
    if (got == 0) end_ = true;
    offset_ += static_cast<long>(got);
    buffer_.append(chunk, 0, got);
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
  while (inscription_ < text_.ends_.size() && text_.ends_[inscription_] < lines) ++inscription_;
  return inscription_ < text_.ends_.size() && text_.ends_[inscription_] == lines;
}

bool ExportText::Reader::NextBlock(ExportBlock& block) {
  block.blankLinesBefore = 0;
  block.lines.clear();
  std::string line;
  while (Take(line)) {
    if (line.empty()) {
      if (!block.lines.empty()) return true;  // the empty line that ends the block
      ++block.blankLinesBefore;
      continue;
    }
    block.lines.push_back(line);
    if (EndsInscription(taken_)) {
      // A block ends with its inscription; an empty line that begins the next one is then
      // the one that ends this block.
      if (NextIsEmptyLine()) Take(line);
      return true;
    }
  }
  return !block.lines.empty();
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
