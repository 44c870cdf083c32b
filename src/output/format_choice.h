#pragma once
// The format dialog's model: the choices it offers and the format code it builds from the
// chosen entries, so that the window dialog is a thin view over it.

#include <string>
#include <vector>

#include "output/format_code.h"

namespace stavbas {

class FormatChoiceModel {
 public:
  FormatChoiceModel(const TDatabas& db, LayoutKind kind) : db_(db), kind_(kind) {}

  // ">." for text format, "ß" for attestation, "ß/" for split attestation.
  std::string Prefix() const;
  // The list of choices: the ten fixed ones (the second and third named for the layout) and one
  // per information column heading, in the order the information files give them.
  std::vector<std::string> Choices() const;
  // The export commands' variant of the dialog: their lists start with "Runtext".
  bool exportVariant = false;
  // "Rubriker" rather than "Inga rubriker".
  bool headings = false;

  // What "OK" appends for the choice at a position of the list.
  std::string Appended(std::size_t position, const std::string& choice) const;
  // The code for the chosen entries (positions in the list of choices, in chosen order).
  std::string BuildCode(const std::vector<std::size_t>& chosen,
                        const std::vector<std::string>& choices) const;
  // The column letter whose heading is this entry in an information file, or a blank.
  char ColumnLetter(const std::string& heading) const;

 private:
  const TDatabas& db_;
  LayoutKind kind_;
};

// A built code longer than the longest would be cut and might still parse into another
// layout: it is refused with a message that shows it. True when it was refused.
bool RefuseLongFormatCode(Ui& ui, const std::string& code);

// "OK" of the dialog: the built code becomes current; a refused one shows "Felaktig formatkod "
// and the code, and the previous code is validated again. A code longer than the longest is
// refused before anything changes. True when the code was accepted.
bool AcceptBuiltFormatCode(FormatCode& format, Ui& ui, const std::string& code);

}  // namespace stavbas
