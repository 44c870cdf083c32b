#pragma once
// The main window's entry row: a caption, a combo box and the button "Sök", used for five
// purposes told apart by the caption. The window shows what this model says and hands it the
// text when the user presses Enter or "Sök".

#include <string>
#include <vector>

namespace stavbas {

class StavbasApp;

enum class EntryPurpose {
  kSignum,           // "Signum:": a signum run
  kFirstSignum,      // "Första signum:": an all run from a signum on
  kFormatCode,       // "Formatkod: "
  kInscriptionCode,  // "Inskriftsvillkorskod:"
  kWordSearchCode,   // "Ordsökningskod:"
};

class EntryRow {
 public:
  explicit EntryRow(StavbasApp& app) : app_(app) {}

  struct View {
    std::vector<std::string> entries;  // replace the combo box's list when not empty
    std::string text;
    bool searchButton = true;  // "Sök" is shown for the signum purposes only
  };
  // Opens the row. `comboEntries` is how many entries the combo box holds now: the signum
  // purposes fill it with every signum of the information spreadsheet while it holds fewer than
  // two; the code purposes offer the code in force as the only entry.
  View Open(EntryPurpose purpose, int comboEntries);

  // Enter or "Sök". True when the row is done and hidden; false when a refused code leaves it
  // open, `text` then holding the code in force again.
  bool Enter(std::string& text);

  bool isOpen() const { return open_; }
  EntryPurpose purpose() const { return purpose_; }
  void Close() { open_ = false; }
  // Whether the row shows a code of the condition language (for the code builders).
  bool ShowsWordSearchCode() const { return open_ && purpose_ == EntryPurpose::kWordSearchCode; }
  bool ShowsInscriptionCode() const { return open_ && purpose_ == EntryPurpose::kInscriptionCode; }

 private:
  bool EnterConditionCode(std::string& text, bool wordSearch);

  StavbasApp& app_;
  EntryPurpose purpose_ = EntryPurpose::kSignum;
  bool open_ = false;
};

}  // namespace stavbas
