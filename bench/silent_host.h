#pragma once
// A host for benchmarks: counts what the core shows and prints nothing.

#include "base/host.h"

namespace stavbas::bench {

class SilentHost : public Host {
 public:
  bool ShowBox(MsgKind, const std::string&) override {
    ++boxes;
    return false;
  }
  void AppendLine(const std::string&) override { ++lines; }
  void InsertMessageLine(const std::string&) override {}
  void AppendComment(const std::string&) override {}
  void ClearComments() override {}
  void SetStatusPanel(int, const std::string&) override {}
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string&) override {
    return std::nullopt;
  }
  void WaitUntil(const std::function<bool()>&) override {}
  void ShellOpen(const std::string&) override {}
  void SetCommandEnabled(std::string_view, bool) override {}

  int boxes = 0;
  int lines = 0;
};

}  // namespace stavbas::bench
