#pragma once
// The host of the command-line program: messages and progress go to standard error as UTF-8,
// questions are answered No, input boxes are cancelled and waits end at once.

#include <iostream>

#include "base/cp1252.h"
#include "base/host.h"

namespace stavbas::cli {

class CliHost : public Host {
 public:
  bool ShowBox(MsgKind kind, const std::string& text) override {
    static const char* const kLabels[] = {"warning", "error", "information", "question"};
    Line(std::string(kLabels[static_cast<int>(kind)]) + ": " + Cp1252ToUtf8(text) +
         (kind == MsgKind::Confirmation ? " [No]" : ""));
    return false;
  }
  void AppendLine(const std::string& text) override { Line(Cp1252ToUtf8(text)); }
  // Lines shown together go out in one write: an opening shows hundreds at once.
  void AppendLines(const std::vector<std::string>& texts) override {
    std::string all;
    for (const std::string& text : texts) {
      all += Cp1252ToUtf8(text);
      all += '\n';
    }
    std::cerr << all;
  }
  void InsertMessageLine(const std::string& text) override { Line(Cp1252ToUtf8(text)); }
  void AppendComment(const std::string&) override {}
  void ClearComments() override {}
  void SetStatusPanel(int, const std::string&) override {}
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string&) override {
    return std::nullopt;
  }
  void WaitUntil(const std::function<bool()>&) override {}
  // Nothing is opened: exports are written, addresses printed.
  void ShellOpen(const std::string&) override {}
  bool OpensWithDesktop() const override { return false; }
  void SetCommandEnabled(std::string_view, bool) override {}

 private:
  // A line in one piece: standard error is not buffered, and each piece is a write of its own.
  static void Line(std::string text) {
    text += '\n';
    std::cerr << text;
  }
};

}  // namespace stavbas::cli
