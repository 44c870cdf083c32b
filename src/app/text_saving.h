#pragma once
// Saving the output window ("Spara", "Spara som...") as rich text or plain text: the save file
// and its type, the overwrite question's answer (write the file anew, or add to its end), the
// comment lines, and the writing itself. Every save writes a complete new file and puts it in
// the old one's place, so a failed save leaves the earlier file as it was.

#include <string>

namespace stavbas {

class OutputWindow;
class StavbasApp;

// The overwrite question "Skriv över filen?".
enum class OverwriteChoice { kReplace, kAppend, kCancel };

class TextSaving {
 public:
  TextSaving(StavbasApp& app, OutputWindow& window);

  // The save file (empty until one is chosen or remembered from the settings) and whether one
  // is chosen. A name remembered from an earlier session counts as chosen (the settings keep
  // it), but "Spara" writes there without asking only once this session has saved there or
  // chosen it: a settings file may name any file.
  const std::string& file() const;
  bool chosen() const;
  bool append() const { return append_; }
  // The upper-case extension of the save file: ".RTF" saves rich text, anything else text.
  std::string type() const;
  // What "Spara" does first. MustChoose: the save dialog, with the save file as its name (no
  // file chosen, or the name from the settings file, not yet chosen in this session, of no file
  // yet). MustConfirm: the overwrite question (a remembered name of a file that exists).
  bool MustChoose() const;
  bool MustConfirm() const;

  // Once the window has dropped old text (its maximum length is down to the least), only text
  // files are offered.
  bool TextOnly() const;
  // The name the save dialog starts with: the save file, without its extension when only text
  // files are offered.
  std::string DialogName() const;
  // A chosen name with the extension of the chosen file type when it has none: ".RTF", or
  // ".TXT" for the text filter.
  static std::string WithExtension(const std::string& name, bool textFilter);
  // "Vid klicka på "Spara" så skrivs till filen " and the file's name.
  std::string Hint() const;

  // The name chosen in the save dialog becomes the save file. True when the file exists: the
  // overwrite question follows (Answer); otherwise the file is chosen at once.
  bool Choose(const std::string& name);
  // The overwrite question's answer. Adding keeps the file's present content for every later
  // save into it, until another file is chosen. False when nothing is chosen: cancelled, or the
  // file cannot be read or cannot be added to (after a message).
  bool Answer(OverwriteChoice choice);

  // Writes the window's text into the save file; "Sparar..." shows meanwhile. A failure is
  // shown and gives false, the file as it was.
  bool Write();

 private:
  // What a plain-text save writes.
  std::string PlainText(bool exists) const;

  StavbasApp& app_;
  OutputWindow& window_;
  bool confirmed_ = false;  // chosen in this session
  std::string remembered_;  // the name the settings file gave
  bool append_ = false;
  // The content the save file had when adding to it was chosen, and the file it belongs to.
  std::string appendContent_, appendFile_;
};

}  // namespace stavbas
