#pragma once
// The entries of the menus "Sök i text" and "Urval" that build a code piece in a small dialog:
// which designator each puts before the text, how its dialog asks, which values it offers, and
// what "OK" of the dialog does with the answer. The window's dialogs are views over this.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stavbas {

class StavbasApp;
class TDatabas;
class Ui;

// The dialog an entry opens: a field to type in, or an editable list of the field's values.
enum class EntryDialog { kInput, kSelect };

// How the prompt is put together from the entry's caption (or file name).
enum class PromptForm {
  kAngeVadSomSoksI,  // "Ange vad som söks i " + file name
  kVilken,           // "Vilken " + caption + " söks?"
  kVilket,           // "Vilket " + caption + " söks?"
  kVadSoksI,         // "Vad söks i " + caption + "?"
  kSignumPart,       // the question about the third part of the signum
};

struct ConditionEntry {
  const char* name;    // the entry's name in the window ("Plats" for actionNyttPlats)
  const char* prefix;  // the designator put before the text: "RUN:", "INF;P:"
  EntryDialog dialog;
  PromptForm prompt;
  const char* fileName;  // the file named by kAngeVadSomSoksI prompts
  char field;            // the information field whose values the select dialog offers
  int helpContext;
  bool signumPart = false;  // the third part of the signum: † instead of the letter buttons
};

// The entries of "Ny sökning i text" and "Ytterligare sökning i text" (runic, normalised and
// West Norse text), and of "Nytt inskriftsvillkor" and "Fler inskriftsvillkor", in menu order.
const std::vector<ConditionEntry>& WordSearchEntries();
const std::vector<ConditionEntry>& InscriptionEntries();
const ConditionEntry* FindEntry(const std::vector<ConditionEntry>& entries, std::string_view name);

// The dialog's prompt; `caption` is the menu entry's own caption without its access key.
std::string EntryPrompt(const Ui& ui, const ConditionEntry& entry, const std::string& caption);

// Which code a dialog builds and how (the dialog's tag).
enum class EntryTarget {
  kNewWordSearch,       // 0: replaces the word search code
  kNewCondition,        // 1: replaces the inscription condition code
  kFurtherWordSearch,   // 2: joined to the word search code
  kFurtherCondition,    // 3: joined to the inscription condition code
  kNewSignumCondition,  // 4: replaces the condition code; the third part of the signum
};
EntryTarget TargetOf(const ConditionEntry& entry, bool wordSearch, bool further);

// The sorted values an information field takes in the open information file, without
// duplicates and without regard to case (the select dialog's list).
std::vector<std::string> InfoFieldValues(const TDatabas& db, char field);

// A value picked from the list, made a literal of the condition language: every character that
// the language gives a meaning of its own gets "\" before it.
std::string EscapedValue(std::string_view value);

// What "OK" of the input and select dialogs does.
struct EntryAnswer {
  std::string text;
  bool exclude = false;         // "Det Du söker ska inte vara med": "-" before the designator
  bool picked = false;          // the text is a value picked from the list (select dialog)
  bool searchDirectly = false;  // "Sök direkt (efter klick på OK)"
};
// Builds the piece and joins it to the code or replaces it; an empty text builds nothing. True
// when "A&lla" is to run now: "Sök direkt" was checked and no code was refused.
bool AcceptEntry(StavbasApp& app, const ConditionEntry& entry, EntryTarget target,
                 const EntryAnswer& answer);

}  // namespace stavbas
