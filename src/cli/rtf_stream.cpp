#include "cli/rtf_stream.h"

#include <array>

#include "base/atomic_file.h"

namespace stavbas::cli {

void RtfStream::Add(const std::vector<StyledRun>& runs) {
  rtf_.Add(runs);
  if (!body_ || (!rtf_.body.empty() &&
                 std::fwrite(rtf_.body.data(), 1, rtf_.body.size(), body_) != rtf_.body.size()))
    failed_ = true;
  rtf_.body.clear();
}

bool RtfStream::Save(const std::string& path, std::string& error) {
  if (failed_) {
    error = SaveErrorText(path, "no room for the text in the temporary folder");
    return false;
  }
  AtomicFile file;
  if (!file.Open(path, error)) return false;
  file.Write(rtf_.Header());
  std::rewind(body_);
  std::array<char, 1 << 16> chunk;
  for (std::size_t n; (n = std::fread(chunk.data(), 1, chunk.size(), body_)) > 0;)
    file.Write({chunk.data(), n});
  file.Write(RtfBuilder::kEnd);
  return file.Commit(error);
}

}  // namespace stavbas::cli
