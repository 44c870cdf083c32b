#pragma once
// Building the codes from the menus: a piece made of a designator prefix and the text the user
// typed or chose is put in place of the present code or joined to it with " & ", and the result
// is parsed; a refused code leaves the previous one in force.

#include <functional>
#include <string>
#include <string_view>

#include "conditions/conditions.h"
#include "conditions/province_dialog.h"
#include "conditions/province_set.h"

namespace stavbas {

// Blanks become "_", except a blank directly before "&" or "+", which goes; a blank at the
// start always becomes "_".
std::string BytUtBlank(std::string_view text);
// Every "*" becomes the middle dot, the word divider of runic texts.
std::string BytUtAsterisk(std::string_view text);

enum class CodeKind { kWordSearch, kInscription };

class CodeBuilder {
 public:
  CodeBuilder(Ui& ui, Conditions& conditions, ProvinceSelection& provinces)
      : ui_(ui), conditions_(conditions), provinces_(provinces) {}

  // The main window's code entry: which code it shows now, and how to put a new text in it.
  std::function<bool(CodeKind)> codeFieldShows;
  std::function<void(const std::string&)> setCodeField;

  // Word search code from a prefix such as "RUN:" and a text.
  bool FixaVillkorsstrang(const std::string& prefix, const std::string& text, bool replace);
  // Inscription condition code; `signumPart` is the entry for the third part of the signum,
  // whose text is upper-cased unless it holds one of † $ M m U u.
  bool FixaUrvalsstrang(const std::string& prefix, const std::string& text, bool replace,
                        bool signumPart = false);

  // "Tag bort sökvillkor i text", "Tag bort inskriftsvillkor", "Rensa sök- och urvalsvillkor".
  void RemoveWordSearch();
  void RemoveInscriptionCondition();
  void ClearAll(ProvinceDialog* dialog);

  // The three export commands after a code was accepted: off when nothing narrows the export.
  void UpdateExportCommands();
  void EnableExportCommands();

 private:
  bool Build(CodeKind kind, const std::string& prefix, std::string text, bool replace);
  bool Parse(CodeKind kind, const std::string& code);
  void Remove(CodeKind kind);

  Ui& ui_;
  Conditions& conditions_;
  ProvinceSelection& provinces_;
};

}  // namespace stavbas
