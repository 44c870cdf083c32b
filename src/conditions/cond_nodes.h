#pragma once
// Condition trees: the parsed form of a word search code or an inscription condition code.
// Inner nodes join conditions; the leaves (atoms) test a text of the current inscription, or
// of the current word position, with a compiled pattern.

#include <memory>
#include <string>

#include "conditions/match_elements.h"

namespace stavbas {

class TDatabas;

class TCondNode {
 public:
  virtual ~TCondNode() = default;
  virtual bool Eval() const = 0;
};

using CondPtr = std::unique_ptr<TCondNode>;

// An empty code: everything passes.
class TrueNode : public TCondNode {
 public:
  bool Eval() const override { return true; }
};

class AndNode : public TCondNode {
 public:
  AndNode(CondPtr left, CondPtr right) : left_(std::move(left)), right_(std::move(right)) {}
  bool Eval() const override { return left_->Eval() && right_->Eval(); }

 private:
  CondPtr left_, right_;
};

class OrNode : public TCondNode {
 public:
  OrNode(CondPtr left, CondPtr right) : left_(std::move(left)), right_(std::move(right)) {}
  bool Eval() const override { return left_->Eval() || right_->Eval(); }

 private:
  CondPtr left_, right_;
};

class NotNode : public TCondNode {
 public:
  explicit NotNode(CondPtr inner) : inner_(std::move(inner)) {}
  bool Eval() const override { return !inner_->Eval(); }

 private:
  CondPtr inner_;
};

// The atoms. Each tests one text with its pattern.
class AtomNode : public TCondNode {
 public:
  AtomNode(const TDatabas& db, std::unique_ptr<CompiledPattern> pattern)
      : db_(db), pattern_(std::move(pattern)) {}

 protected:
  bool Test(const char* start, const char* end) const { return pattern_->Match(start, end); }
  // `padded` as for CompiledPattern::Match.
  bool Test(std::string_view text, bool padded = false) const;
  const TDatabas& db_;
  std::unique_ptr<CompiledPattern> pattern_;
};

// The current reading of the current word of a file.
class WordAtom : public AtomNode {
 public:
  WordAtom(const TDatabas& db, std::unique_ptr<CompiledPattern> p, int slot)
      : AtomNode(db, std::move(p)), slot_(slot) {}
  bool Eval() const override;
  int slot() const { return slot_; }
  const CompiledPattern& pattern() const { return *pattern_; }

 private:
  int slot_;
};

// Whether the current reading of a normalised file's word is a proper name.
class ProperNameAtom : public TCondNode {
 public:
  ProperNameAtom(const TDatabas& db, int slot) : db_(db), slot_(slot) {}
  bool Eval() const override;

 private:
  const TDatabas& db_;
  int slot_;
};

// The whole text of a record after its signum.
class TextAtom : public AtomNode {
 public:
  TextAtom(const TDatabas& db, std::unique_ptr<CompiledPattern> p, int slot)
      : AtomNode(db, std::move(p)), slot_(slot) {}
  bool Eval() const override;

 private:
  int slot_;
};

// One information field.
class InfoFieldAtom : public AtomNode {
 public:
  InfoFieldAtom(const TDatabas& db, std::unique_ptr<CompiledPattern> p, int slot, char letter)
      : AtomNode(db, std::move(p)), slot_(slot), letter_(letter) {}
  bool Eval() const override;

 private:
  int slot_;
  char letter_;
};

// Every information field A to Z in turn.
class AllInfoFieldsAtom : public AtomNode {
 public:
  AllInfoFieldsAtom(const TDatabas& db, std::unique_ptr<CompiledPattern> p, int slot)
      : AtomNode(db, std::move(p)), slot_(slot) {}
  bool Eval() const override;

 private:
  int slot_;
};

// The current signum.
class SignumAtom : public AtomNode {
 public:
  using AtomNode::AtomNode;
  bool Eval() const override;
};

// Part 1, 2 or 3 of the current signum.
class SignumPartAtom : public AtomNode {
 public:
  SignumPartAtom(const TDatabas& db, std::unique_ptr<CompiledPattern> p, int kind)
      : AtomNode(db, std::move(p)), kind_(kind) {}
  bool Eval() const override;

 private:
  int kind_;
};

}  // namespace stavbas
