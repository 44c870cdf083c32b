#pragma once
// A host that records everything the core shows and answers questions from a script.
// Texts are recorded as the core gives them (Windows-1252); the helpers compare with UTF-8.

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "base/host.h"

namespace stavbas::test {

struct Box {
  MsgKind kind;
  std::string text;
};

class RecordingHost : public Host {
 public:
  bool ShowBox(MsgKind kind, const std::string& text) override;
  void AppendLine(const std::string& text) override { lines.push_back(text); }
  void InsertMessageLine(const std::string& text) override { messageLines.push_back(text); }
  void AppendComment(const std::string& text) override { comments.push_back(text); }
  void ClearComments() override { comments.clear(); }
  void SetStatusPanel(int panel, const std::string& text) override;
  std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& defaultText) override;
  void WaitUntil(const std::function<bool()>& done) override;
  void ShellOpen(const std::string& target) override { opened.push_back(target); }
  void SetCommandEnabled(std::string_view command, bool enabled) override {
    commands[std::string(command)] = enabled;
  }

  // Scripted answers: Yes/No for confirmation boxes (No when the script is empty) and texts
  // for input boxes (cancel when empty).
  std::deque<bool> answers;
  std::deque<std::optional<std::string>> inputs;
  // Called once per wait until `done` holds; a wait with no step left fails the test.
  std::deque<std::function<void()>> steps;

  std::vector<Box> boxes;
  std::vector<std::string> lines;
  std::vector<std::string> messageLines;
  std::vector<std::string> comments;
  std::vector<std::string> opened;
  std::vector<std::string> inputPrompts;  // "caption|prompt|default" in UTF-8
  std::string panels[4];
  std::map<std::string, bool> commands;  // the last state of every command named

  // Recorded texts converted to UTF-8, for readable assertions.
  std::vector<std::string> BoxTexts() const;
  std::vector<std::string> Lines() const;
  void Clear();
};

}  // namespace stavbas::test
