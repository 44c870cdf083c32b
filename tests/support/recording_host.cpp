#include "support/recording_host.h"

#include <gtest/gtest.h>

#include "base/cp1252.h"

namespace stavbas::test {

bool RecordingHost::ShowBox(MsgKind kind, const std::string& text) {
  boxes.push_back({kind, text});
  if (kind != MsgKind::Confirmation || answers.empty()) return false;
  const bool yes = answers.front();
  answers.pop_front();
  return yes;
}

void RecordingHost::SetStatusPanel(int panel, const std::string& text) {
  if (panel >= 0 && panel < 4) panels[panel] = text;
}

std::optional<std::string> RecordingHost::InputBox(const std::string& caption,
                                                   const std::string& prompt,
                                                   const std::string& defaultText) {
  inputPrompts.push_back(Cp1252ToUtf8(caption + "|" + prompt + "|" + defaultText));
  if (inputs.empty()) return std::nullopt;
  auto answer = inputs.front();
  inputs.pop_front();
  return answer;
}

void RecordingHost::WaitUntil(const std::function<bool()>& done) {
  while (!done()) {
    if (steps.empty()) {
      ADD_FAILURE() << "the core waits for a step that the test did not script";
      return;
    }
    auto step = std::move(steps.front());
    steps.pop_front();
    step();
  }
}

std::vector<std::string> RecordingHost::BoxTexts() const {
  std::vector<std::string> out;
  for (const Box& b : boxes) out.push_back(Cp1252ToUtf8(b.text));
  return out;
}

std::vector<std::string> RecordingHost::Lines() const {
  std::vector<std::string> out;
  for (const std::string& l : lines) out.push_back(Cp1252ToUtf8(l));
  return out;
}

void RecordingHost::Clear() {
  boxes.clear();
  lines.clear();
  messageLines.clear();
  comments.clear();
  opened.clear();
}

}  // namespace stavbas::test
