#pragma once
// The host of the window program: the core's messages as message boxes, its lines in the output
// window, its status panels, the nested wait of a paused run as a nested event loop, and its
// commands by name mapped to the main window's actions in one table.

#include <QElapsedTimer>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/host.h"

class QAction;
class QEventLoop;
class QUrl;
class QLabel;
class QWidget;

namespace stavbas {
class OutputWindow;
}

namespace stavbas::gui {

// What the desktop is given for a target of ShellOpen: a harmless local file (an absolute
// path), or an http, https or mailto address exactly as the opening rule writes it, read by Qt
// strictly and still naming the host or recipient the rule checked. Nothing for anything else,
// so that no address reaches the desktop unchecked, whoever asks.
std::optional<QUrl> DesktopUrl(const std::string& target);

// What a command name of the core acts on: an action (enabled, or shown for a button that
// appears only during runs) or a state of the window.
struct CommandTarget {
  QAction* action = nullptr;
  std::function<void(bool)> apply;  // when set, called instead of enabling the action
};

class GuiHost : public Host {
 public:
  GuiHost(QWidget* window, OutputWindow& output);
  ~GuiHost() override;

  bool ShowBox(MsgKind kind, const std::string& text) override;
  void AppendLine(const std::string& text) override;
  void InsertMessageLine(const std::string& text) override;
  void AppendComment(const std::string& text) override;
  void ClearComments() override { comments_.clear(); }
  void SetStatusPanel(int panel, const std::string& text) override;
  std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& defaultText) override;
  void WaitUntil(const std::function<bool()>& done) override;
  void ShellOpen(const std::string& target) override;
  void ProcessEvents() override;
  void SetCommandEnabled(std::string_view command, bool enabled) override;
  void SetCommandText(std::string_view command, std::string_view what,
                      const std::string& text) override;

  // The table of commands; the main window fills it.
  std::map<std::string, CommandTarget, std::less<>> commands;
  // The four status panels (0 to 3), and a label that repeats panel 3.
  QLabel* panels[4] = {};
  QLabel* provinceLabel = nullptr;
  // Called before the window is given time to repaint during a run or a wait (the window lets
  // the output follow the text being written).
  std::function<void()> beforeEvents;
  // Called when a command name has no entry in the table (a fault of the program).
  std::function<void(std::string_view)> unknownCommand;

  // Leaves the nested waits whose condition now holds (after a command was handled).
  void CheckWaits();
  bool waiting() const { return !waits_.empty(); }
  bool busyCursor() const { return busyCursor_; }
  void SetBusyCursor(bool on);
  const QStringList& comments() const { return comments_; }
  // The longest time the event loop went unserved during the last run, for the benchmark.
  qint64 longestGapMs = 0;
  void ResetGap();

 private:
  struct Wait {
    const std::function<bool()>* done;
    QEventLoop* loop;
  };

  QWidget* window_;
  OutputWindow& output_;
  QStringList comments_;
  std::vector<Wait> waits_;
  bool busyCursor_ = false;
  QElapsedTimer sinceEvents_;
};

}  // namespace stavbas::gui
