#include "conditions/cond_nodes.h"

#include <cstring>

#include "database/databas.h"

namespace stavbas {
namespace {
const char kEmptyText[] = "";
}  // namespace

bool AtomNode::Test(std::string_view text, bool padded) const {
  // An absent text is the empty text; its end bound is a NUL.
  if (text.data() == nullptr) return Test(kEmptyText, kEmptyText);
  return pattern_->Match(text.data(), text.data() + text.size(), padded);
}

bool WordAtom::Eval() const {
  // A word lies in its file's line buffer, which has room for sixteen-byte reads after the
  // line's end.
  static_assert(kSplitPadding >= 15);
  return Test(db_.File(slot_).Alternative(), true);
}

bool ProperNameAtom::Eval() const {
  return db_.File(slot_).IsProperName();
}

bool TextAtom::Eval() const {
  const char* text = db_.File(slot_).Cursor();
  return Test(text, text + std::strlen(text));
}

bool InfoFieldAtom::Eval() const {
  return Test(db_.File(slot_).FindInfoField(letter_));
}

bool AllInfoFieldsAtom::Eval() const {
  const TKombifil& f = db_.File(slot_);
  for (char letter = 'A'; letter <= 'Z'; ++letter)
    if (Test(f.FindInfoField(letter))) return true;
  return false;
}

bool SignumAtom::Eval() const {
  const std::string& s = db_.currentSignum();
  return Test(s.c_str(), s.c_str() + s.size());
}

bool SignumPartAtom::Eval() const {
  return Test(db_.SignumPart(kind_));
}

}  // namespace stavbas
