#pragma once
// The program-wide message helpers and flags: every message the core shows passes here.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/host.h"
#include "base/opening_rule.h"
#include "base/strings.h"

namespace stavbas {

// The error number of a read past the end of a file, as DOS numbers it.
constexpr int kReadPastEnd = 100;

// Progress and fault lines held back to be shown later in their order (Ui::ShowHeld), each
// with whether it is a fault line.
using HeldLines = std::vector<std::pair<std::string, bool>>;

class Ui {
 public:
  explicit Ui(Host& host) : host_(host), strings_(&StringTable::Swedish()) {}

  Host& host() { return host_; }
  const std::string& S(Str id) const { return (*strings_)[id]; }
  // Switches to another language's table; it must outlive this object.
  void SetStrings(const StringTable& table) { strings_ = &table; }

  // The message of an error code.
  std::string MessageOf(std::uint16_t code) const;

  // A box of the kind; a confirmation answered Yes raises the abort request. Returns Yes.
  bool ShowMessage(const std::string& text, MsgKind kind);
  // "Fel nr " + number + " har inträffat. "
  void ShowErrorNumber(long number, MsgKind kind);
  // The error box of code 8666, optionally followed by a detail.
  void ShowProgramFault(const std::string& detail = {});
  // Shows "FEL " + number + " (" + file + "): " + the error in words, and returns true when
  // number is not 0. A file not written because it is a link (kLinkRefused) is named with
  // " är en länk och skrivs därför inte över".
  bool CheckIOResult(int number, const std::string& fileName);
  // A system error number in words, in the current language (the system's own text for the
  // rarer ones). 100 is a read past the end of a file.
  std::string ErrorText(int number) const;
  // A line at the end of the output window; a fault line also notes the error. With `held`
  // the line is held there instead, and noted when it is shown.
  void ProgressLine(const std::string& text, bool fault = false, HeldLines* held = nullptr);
  void ShowHeld(const HeldLines& lines);
  void FaultLine(const std::string& text) { ProgressLine(text, true); }
  // A status line at the insertion point; dropped while the quiet flag is set.
  void MessageLine(const std::string& text);
  // "! " + text in the comment field.
  void CommentLine(const std::string& text);

  // Hands an address or a file to the desktop when the opening rule allows it, and otherwise
  // shows a warning naming it. True when it was handed on.
  bool OpenWithDesktop(const std::string& target);
  // What the desktop would be given, or nothing after the same warning (for a front end that
  // shows an address instead of opening it).
  std::optional<std::string> OpeningTarget(const std::string& target);

  // The files the program wrote in this session and the folders it ships: the only files it
  // hands to the desktop.
  OpeningPlaces opening;

  // Program-wide flags.
  bool abortRequest = false;  // raised by Yes on a confirmation, tested by long runs
  bool errorsNoted = false;   // a fault line was written since the last opening
  bool quiet = false;         // drops message lines while exports walk the selection
  bool endOfData = false;     // the main data file's last line has been read
  // Enables the province dialog's box for the other areas: a signum with a code of that area
  // was classified.
  bool otherAreasSeen = false;

 private:
  Host& host_;
  const StringTable* strings_;
};

}  // namespace stavbas
