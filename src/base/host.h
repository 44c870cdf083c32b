#pragma once
// What the core needs of its front end. The window program implements this with Qt, the
// command-line program with its standard streams, and the tests with a recording fake.
// All texts are Windows-1252.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stavbas {

enum class MsgKind { Warning, Error, Information, Confirmation };

class Host {
 public:
  virtual ~Host() = default;

  // A message box of the given kind. Returns true only when a confirmation box was
  // answered Yes; the other kinds have a single OK button and return false.
  virtual bool ShowBox(MsgKind kind, const std::string& text) = 0;
  // Appends the text as a new line at the end of the output window (progress and fault lines).
  virtual void AppendLine(const std::string& text) = 0;
  // Appends lines held back and shown together, each as AppendLine would; a host may show
  // them in one piece.
  virtual void AppendLines(const std::vector<std::string>& texts) {
    for (const std::string& text : texts) AppendLine(text);
  }
  // Inserts the text at the output window's insertion point in plain style; the text "\n"
  // alone moves the insertion point to the end first.
  virtual void InsertMessageLine(const std::string& text) = 0;
  // Appends a line to the one-line comment field above the output window, and empties it.
  virtual void AppendComment(const std::string& text) = 0;
  virtual void ClearComments() = 0;
  // Shows a text in status-bar panel 0 to 3.
  virtual void SetStatusPanel(int panel, const std::string& text) = 0;
  // An input box; nothing when the user cancels.
  virtual std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                              const std::string& defaultText) = 0;
  // Handles the user's commands until `done` reports true (the nested wait of a paused run).
  virtual void WaitUntil(const std::function<bool()>& done) = 0;
  // Opens a web address, a mailto: address or a file with the desktop's default program. The
  // core calls it only through Ui::OpenWithDesktop, with what the opening rule allowed
  // (base/opening_rule.h): an http, https or mailto address as the rule wrote it, or the
  // resolved path of a file the program wrote or ships.
  virtual void ShellOpen(const std::string& target) = 0;
  // False for a front end that never opens anything (the command-line program): the core then
  // neither checks nor opens what a command would have opened.
  virtual bool OpensWithDesktop() const { return true; }
  // Lets the user's commands be handled during a long operation (so that it can be aborted).
  virtual void ProcessEvents() {}
  // Enables or disables a menu command or button, named as in commands.h.
  virtual void SetCommandEnabled(std::string_view command, bool enabled) = 0;
  // Sets the caption ("Caption") or hint ("Hint") of a named command or button.
  virtual void SetCommandText(std::string_view command, std::string_view what,
                              const std::string& text) {
    (void)command, (void)what, (void)text;
  }
};

}  // namespace stavbas
