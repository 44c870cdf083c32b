#include "conditions/conditions.h"

#include <new>

#include "base/ui.h"
#include "database/databas.h"

namespace stavbas {

Conditions::Conditions(Ui& ui, TDatabas& db)
    : ui_(ui),
      db_(db),
      wordTree_(std::make_unique<TrueNode>()),
      inscriptionTree_(std::make_unique<TrueNode>()) {}

bool Conditions::ParseCode(const std::string& code, CondPtr& tree) {
  tree.reset();
  state_.errorCode = 0;
  state_.files = {};
  state_.warningsShown.clear();
  const std::string_view text = Trim(std::string_view(code).substr(0, kMaxCodeLength));
  if (text.empty()) {
    tree = std::make_unique<TrueNode>();
    return true;
  }
  try {
    tree = ConditionParser(ui_, db_, state_).ParseExpr(text);
  } catch (const std::bad_alloc&) {
    tree.reset();
    if (state_.errorCode == 0) ui_.host().SetStatusPanel(0, ui_.S(Str::MinnetSlut));
  }
  if (tree) return true;
  tree = std::make_unique<TrueNode>();
  state_.files = {};
  return false;
}

bool Conditions::ParseWordSearchCode(const std::string& code) {
  state_.errorShown = false;
  wordSearchCode_ = code;
  const bool ok = ParseCode(code, wordTree_);
  wordSearchActive_ = dynamic_cast<const TrueNode*>(wordTree_.get()) == nullptr;
  const auto* atom = dynamic_cast<const WordAtom*>(wordTree_.get());
  wordLook_ = atom ? WordLook{&atom->pattern(), atom->slot()} : WordLook{};
  wordSearchFiles_ = state_.files;
  db_.SetSearchReferences(state_.files);
  return ok;
}

bool Conditions::ParseInscriptionCode(const std::string& code) {
  inscriptionCode_ = code;
  bool ok = ParseCode(code, inscriptionTree_);
  if (state_.files.words != 0) {
    ui_.ShowMessage(ui_.S(Str::FelMedVillkor) + code + ", " + ui_.MessageOf(4233),
                    MsgKind::Information);
    ParseCode("", inscriptionTree_);
    ok = false;
  }
  db_.SetConditionReferences(state_.files.all);
  return ok;
}

void Conditions::ParseStoredCodes(std::string& wordSearchCode, std::string& inscriptionCode) {
  auto parse = [this](std::string& code, bool (Conditions::*parser)(const std::string&)) {
    if ((this->*parser)(code)) return;
    code.clear();
    if (!(this->*parser)(code)) ui_.ShowMessage(ui_.S(Str::FelMedVillkor), MsgKind::Error);
  };
  parse(wordSearchCode, &Conditions::ParseWordSearchCode);
  parse(inscriptionCode, &Conditions::ParseInscriptionCode);
}

bool Conditions::EvalWordPosition(SlotSet walked, bool& furtherReading) {
  // The walk has just stepped the files of `walked` with NextWords, which noted whether any
  // of them has a further reading; NextAlternatives notes it again after each step, and
  // evaluating changes no file, so the note is asked instead of the files.
  bool result = wordTree_->Eval();
  while (!result && db_.anyMoreRecorded()) {
    db_.NextAlternatives(walked);
    result = wordTree_->Eval();
  }
  furtherReading = db_.anyMoreRecorded();
  return result;
}

}  // namespace stavbas
