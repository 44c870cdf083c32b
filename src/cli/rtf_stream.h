#pragma once
// Rich text of a run of any size, saved from its pieces as they are written: the body waits in
// a temporary file until the font and colour tables of its header are known.

#include <cstdio>
#include <string>
#include <vector>

#include "output/text_save.h"

namespace stavbas::cli {

class RtfStream {
 public:
  RtfStream() : body_(std::tmpfile()) {}
  ~RtfStream() {
    if (body_) std::fclose(body_);
  }
  RtfStream(const RtfStream&) = delete;
  RtfStream& operator=(const RtfStream&) = delete;

  void Add(const std::vector<StyledRun>& runs);
  // Writes the document; on failure `error` names the file and why, and the file is as it was.
  bool Save(const std::string& path, std::string& error);

 private:
  RtfBuilder rtf_;
  std::FILE* body_;
  bool failed_ = false;
};

}  // namespace stavbas::cli
