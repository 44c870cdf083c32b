#pragma once
// The two codes in the condition language and their trees: the word search code, evaluated at
// every word position, and the inscription condition code, evaluated once per inscription.

#include <string>

#include "conditions/condition_parser.h"

namespace stavbas {

class TDatabas;
class Ui;

class Conditions {
 public:
  Conditions(Ui& ui, TDatabas& db);

  // Parses the word search code; the tree is always-true when the code has an error. Hands the
  // files the code refers to, and those it reads word by word, to the database.
  bool ParseWordSearchCode(const std::string& code);
  // Parses the inscription condition code; word atoms are refused in it (4233).
  bool ParseInscriptionCode(const std::string& code);
  // Asked for every inscription, so kept rather than looked up in the tree.
  bool IsWordSearchActive() const { return wordSearchActive_; }
  // The codes kept from the last session, parsed after an opening: a code that is refused is
  // cleared (the stored string too) and the empty code parsed instead.
  void ParseStoredCodes(std::string& wordSearchCode, std::string& inscriptionCode);

  const std::string& wordSearchCode() const { return wordSearchCode_; }
  // The files the word search code names (empty while it names none).
  const FileRefSets& wordSearchFiles() const { return wordSearchFiles_; }
  const std::string& inscriptionCode() const { return inscriptionCode_; }

  // The inscription condition for the current inscription.
  bool InscriptionPasses() const { return inscriptionTree_->Eval(); }
  // The word search at the current word position, every walked file on its current reading.
  bool WordPasses() const { return wordTree_->Eval(); }
  // The word search at the current word position: tried on the first readings and, while it
  // fails, on the further readings of the walked files. `furtherReading` tells whether a
  // further reading remained when the last evaluation was made. Called right after
  // NextWords(walked) has stepped the walk.
  bool EvalWordPosition(SlotSet walked, bool& furtherReading);
  // When the word search is one word pattern, that pattern and the slot of its file; else a
  // null pattern. A word position where that file's word has a single reading on which the
  // pattern fails fails, with no further reading noted, whatever the other walked files hold:
  // a walk may then pass it with the pattern's own test instead of evaluating the position.
  struct WordLook {
    const CompiledPattern* pattern = nullptr;
    int slot = -1;
  };
  const WordLook& wordLook() const { return wordLook_; }

  // CondErrorCode, CondErrorShown, UsedFiles and WordFiles of the last parse.
  const ParseState& lastParse() const { return state_; }

 private:
  bool ParseCode(const std::string& code, CondPtr& tree);

  Ui& ui_;
  TDatabas& db_;
  ParseState state_;
  std::string wordSearchCode_;
  FileRefSets wordSearchFiles_;
  std::string inscriptionCode_;
  CondPtr wordTree_;
  bool wordSearchActive_ = false;
  WordLook wordLook_;
  CondPtr inscriptionTree_;
};

}  // namespace stavbas
