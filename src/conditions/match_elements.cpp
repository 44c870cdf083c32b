#include "conditions/match_elements.h"

#include <bit>
#include <utility>

namespace stavbas {

bool TMatchElement::Match(const char* p, const char* e) const {
  MatchMemo& m = memo();
  m.Step();
  if (!m.active()) return Try(p, e);
  if (m.Failed(id_, MatchMemo::kElement, p, e)) return false;
  if (Try(p, e)) return true;
  m.MarkFailed(id_, MatchMemo::kElement, p, e);
  return false;
}

void TMatchElement::FailedFrom(MatchMemo::Part part, const char* from, const char* to,
                               const char* e) const {
  if (!memo().active()) return;
  for (const char* q = from; q <= to; ++q) memo().MarkFailed(id_, part, q, e);
}

namespace {

constexpr char kPageMark = '\xA7';  // §

// ---- ends and alternatives ----

class EndElement : public TMatchElement {
 public:
  using TMatchElement::TMatchElement;

 protected:
  bool Try(const char* p, const char* e) const override { return p <= e; }

 public:
  bool Describe(FlatStep& step) const override {
    step.op = FlatStep::Op::kEnd;
    return true;
  }
};

class AltElement : public TMatchElement {
 public:
  AltElement(const PatternContext& ctx, std::uint32_t id, const TMatchElement* first,
             const TMatchElement* second)
      : TMatchElement(ctx, id), first_(first), second_(second) {}

 protected:
  bool Try(const char* p, const char* e) const override {
    return first_->Match(p, e) || second_->Match(p, e);
  }

 private:
  const TMatchElement* first_;
  const TMatchElement* second_;
};

// Tries the rest of the chain at p, p+1, ... up to and including the end bound. The search
// from any later position is part of this one, so a failure holds for all of them.
class AnyRest : public TMatchElement {
 public:
  using TMatchElement::TMatchElement;
  bool Describe(FlatStep& step) const override {
    step.op = FlatStep::Op::kAnyRest;
    return true;
  }

 protected:
  bool Try(const char* p, const char* e) const override {
    if (p > e) return false;
    return TryRun(
        p, e, [&](const char* q) { return Next(q, e); }, [&](const char* q) { return q < e; });
  }
};

// ---- comparing elements ----

// The test of one text character; the terminating NUL never matches, so no element reads past
// the end of the buffer.
struct CharTest {
  char c;
  bool operator()(const char* p) const { return *p != '\0' && *p == c; }
  bool Ignorable(const char* p, const ByteTable& t) const {
    return t[static_cast<unsigned char>(*p)] == 0;
  }
};

struct ClassTest {
  const ByteTable* table;
  unsigned char k;
  bool operator()(const char* p) const {
    return *p != '\0' && (*table)[static_cast<unsigned char>(*p)] == k;
  }
  bool Ignorable(const char* p, const ByteTable&) const {
    return (*table)[static_cast<unsigned char>(*p)] == 0;
  }
};

template <typename Test>
class Here : public TMatchElement {
 public:
  Here(const PatternContext& ctx, std::uint32_t id, Test test)
      : TMatchElement(ctx, id), test_(test) {}
  // An element that tries further positions than p must say for itself.
  bool SureToFail(const char* p, const char*, bool) const override { return !test_(p); }
  bool Describe(FlatStep& step) const override { return DescribeAs(FlatStep::Op::kHere, step); }

 protected:
  bool Try(const char* p, const char* e) const override { return TryHere(p, e); }
  bool TryHere(const char* p, const char* e) const { return test_(p) && Next(p + 1, e); }
  // The step's byte table: each byte's comparison and whether it may be skipped.
  bool DescribeAs(FlatStep::Op op, FlatStep& step) const {
    step.op = op;
    for (int b = 0; b < 256; ++b) {
      const char text[2] = {static_cast<char>(b), '\0'};
      step.bits[b] = static_cast<std::uint8_t>(
          (test_(text) ? FlatStep::kAccept : 0) |
          (test_.Ignorable(text, *ctx_.table) ? FlatStep::kIgnorable : 0));
    }
    return true;
  }
  Test test_;
};

// Skips ignorable characters of the text before comparing (the table is T for a character,
// the class table for a class). Every position of the skipped run comes to the same test.
template <typename Test>
class AfterIgnorable : public Here<Test> {
 public:
  using Here<Test>::Here;
  // A character that is not ignorable is compared where it stands.
  bool SureToFail(const char* p, const char*, bool) const override {
    return !this->test_.Ignorable(p, *this->ctx_.table) && !this->test_(p);
  }
  bool Describe(FlatStep& step) const override {
    return this->DescribeAs(FlatStep::Op::kAfterIgnorable, step);
  }

 protected:
  bool Try(const char* p, const char* e) const override {
    const char* q = p;
    while (this->test_.Ignorable(q, *this->ctx_.table) && q < e) ++q;
    if (this->TryHere(q, e)) return true;
    this->FailedFrom(MatchMemo::kElement, p + 1, q, e);
    return false;
  }
};

// An ignorable character compared exactly: it may stand after other ignorable characters.
class CharWithinIgnorable : public Here<CharTest> {
 public:
  using Here::Here;
  bool SureToFail(const char*, const char*, bool) const override { return false; }
  bool Describe(FlatStep&) const override { return false; }

 protected:
  bool Try(const char* p, const char* e) const override {
    return TryRun(
        p, e, [&](const char* q) { return TryHere(q, e); },
        [&](const char* q) { return T(q) == 0 && q < e; });
  }
};

// Searches from p on; at least the position p itself is tried.
template <typename Test>
class Search : public Here<Test> {
 public:
  Search(const PatternContext& ctx, std::uint32_t id, Test test) : Here<Test>(ctx, id, test) {
    bytes_.Collect([&test](char c) {
      const char text[2] = {c, '\0'};
      return test(text);
    });
  }
  // The search tries the positions before the end bound only, and each must hold one of
  // the bytes.
  bool SureToFail(const char* p, const char* e, bool padded) const override {
    return padded && bytes_.usable() && p < e && !bytes_.AnyIn(p, e);
  }
  bool Describe(FlatStep& step) const override {
    step.bytes = bytes_;
    return this->DescribeAs(FlatStep::Op::kSearch, step);
  }

 protected:
  bool Try(const char* p, const char* e) const override {
    if (p >= e) return this->TryHere(p, e);
    const auto positions = static_cast<std::size_t>(e - p);
    if (!this->memo().Idle(positions)) {
      return this->TryRun(
          p, e, [&](const char* q) { return this->TryHere(q, e); },
          [&](const char* q) { return q + 1 < e; });
    }
    // The run of positions as TryRun takes it, while nothing is remembered: a position whose
    // character does not match costs one comparison, or none where sixteen are compared at
    // once. Each position still counts its step, those before a try of the rest of the chain
    // before that try, so the memo starts when it would have.
    const char* counted = p;  // the positions before it have counted their steps
    auto tryAt = [&](const char* q) {
      this->memo().Steps(static_cast<std::size_t>(q + 1 - counted));
      counted = q + 1;
      return this->Next(q + 1, e);
    };
    if (this->ctx_.padded && bytes_.usable()) {
      for (const char* block = p; block < e; block += 16) {
        unsigned mask = bytes_.Mask16(block);
        if (e - block < 16) mask &= (1u << (e - block)) - 1;
        for (; mask != 0; mask &= mask - 1)
          if (tryAt(block + std::countr_zero(mask))) return true;
      }
    } else {
      for (const char* q = p; q < e; ++q)
        if (this->test_(q) && tryAt(q)) return true;
    }
    this->memo().Steps(static_cast<std::size_t>(e - counted));
    this->FailedFrom(MatchMemo::kElement, p + 1, e - 1, e);
    return false;
  }

 private:
  StartBytes bytes_;
};

// ---- word boundaries ----

class BlankElement : public TMatchElement {
 public:
  using TMatchElement::TMatchElement;

 protected:
  // The word-start step: from s, past page-mark tokens, into the token there, which the rest
  // of the chain is tried on; further readings of the word, and with `skip` tokens made of
  // ignorable characters only, are tried after it. The step from each later start it passes
  // is part of this one.
  bool WordStart(const char* s, const char* e) const {
    const bool word = ctx_.wordFlag;
    const char* const e0 = e;
    const char* const first = s;
    for (;;) {
      memo().Step();
      if (s > first && KnownToFail(MatchMemo::kWordStart, s, e0)) return false;
      // Any success ends the whole evaluation, so each start may be remembered as failed as
      // soon as its own try has failed.
      const char* const start = s;
      while (*s == kPageMark && (word || s < e)) {
        while (*s != '\0' && *s != ' ') ++s;
        if (*s == ' ') ++s;
      }
      const char* q = s;
      bool skip = MaySkipIgnorableWords();
      for (; *q != '\0' && *q != ' ' && *q != '/'; ++q)
        if (T(q) != 0) skip = false;
      if (word) e = q;
      if (Next(s, e)) return true;
      if (memo().active()) memo().MarkFailed(id_, MatchMemo::kWordStart, start, e0);
      if (*q == '/') {
        s = q + 1;
      } else if (*q == ' ' && skip) {
        s = q + 1;
      } else if (*q == '\0' && skip && q > s) {
        s = q;
      } else {
        return false;
      }
    }
  }

  // A word boundary at p: the end of the text, or a blank; further readings are passed.
  bool BoundaryHere(const char* p, const char* e) const {
    if (*p == '/') {
      if (KnownToFail(MatchMemo::kBoundary, p, e)) return false;
      const char* q = p;
      while (*q != '\0' && *q != ' ') ++q;
      if (BoundaryHere(q, e)) return true;
      // Every reading of the word comes to the same end.
      FailedFrom(MatchMemo::kBoundary, p, q, e);
      return false;
    }
    if (*p == '\0') return WordStart(p, e);
    if (*p == ' ') return WordStart(p + 1, e);
    return false;
  }

  bool SearchBoundary(const char* p, const char* e) const {
    const bool word = ctx_.wordFlag;
    if (word) p = e;
    const char* const first = p;
    for (;;) {
      memo().Step();
      if (p > first && KnownToFail(MatchMemo::kSearch, p, e)) break;
      if (*p == '\0') {
        if (Next(p, e)) return true;
        break;
      }
      if (*p == ' ') {
        const bool r = WordStart(p + 1, e);
        if (r || word) return r;
        if (p >= e) break;
      }
      ++p;
    }
    // The search from a later position of the run is part of this one.
    if (!word) FailedFrom(MatchMemo::kSearch, first, p, e);
    return false;
  }
};

class BlankHere : public BlankElement {
 public:
  using BlankElement::BlankElement;

 protected:
  bool Try(const char* p, const char* e) const override { return BoundaryHere(p, e); }
};

class BlankAfterIgnorable : public BlankElement {
 public:
  using BlankElement::BlankElement;
  bool MaySkipIgnorableWords() const override { return true; }

 protected:
  bool Try(const char* p, const char* e) const override {
    return TryRun(
        p, e, [&](const char* q) { return BoundaryHere(q, e); },
        [&](const char* q) { return *q != '\0' && T(q) == 0; });
  }
};

class BlankSearch : public BlankElement {
 public:
  using BlankElement::BlankElement;
  bool MaySkipIgnorableWords() const override { return true; }

 protected:
  bool Try(const char* p, const char* e) const override {
    // With the word flag every position searches from the end bound: one search serves all.
    if (ctx_.wordFlag && p != e) return Match(e, e);
    return SearchBoundary(p, e);
  }
};

class BlankStart : public BlankElement {
 public:
  using BlankElement::BlankElement;
  bool MaySkipIgnorableWords() const override { return true; }

 protected:
  bool Try(const char* p, const char* e) const override {
    return WordStart(p, e) || SearchBoundary(p, e);
  }
};

}  // namespace

CompiledPattern::CompiledPattern(const ByteTable& table, bool wordFlag) {
  ctx_.table = &table;
  ctx_.wordFlag = wordFlag;
  ctx_.memo = &memo_;
}

template <typename E, typename... Args>
E* CompiledPattern::Add(Args&&... args) {
  const auto id = static_cast<std::uint32_t>(elements_.size());
  auto element = std::make_unique<E>(ctx_, id, std::forward<Args>(args)...);
  E* raw = element.get();
  elements_.push_back(std::move(element));
  return raw;
}

TMatchElement* CompiledPattern::MakeChar(ElementKind kind, char c) {
  const CharTest test{c};
  switch (kind) {
    case ElementKind::kCharAfterIgnorable:
      return Add<AfterIgnorable<CharTest>>(test);
    case ElementKind::kCharWithinIgnorable:
      return Add<CharWithinIgnorable>(test);
    case ElementKind::kCharSearch:
      return Add<Search<CharTest>>(test);
    default:
      return Add<Here<CharTest>>(test);
  }
}

TMatchElement* CompiledPattern::MakeClass(ElementKind kind, const ByteTable& classTable,
                                          unsigned char k) {
  const ClassTest test{&classTable, k};
  switch (kind) {
    case ElementKind::kClassAfterIgnorable:
      return Add<AfterIgnorable<ClassTest>>(test);
    case ElementKind::kClassSearch:
      return Add<Search<ClassTest>>(test);
    default:
      return Add<Here<ClassTest>>(test);
  }
}

TMatchElement* CompiledPattern::MakeBlank(ElementKind kind) {
  switch (kind) {
    case ElementKind::kBlankAfterIgnorable:
      return Add<BlankAfterIgnorable>();
    case ElementKind::kBlankSearch:
      return Add<BlankSearch>();
    case ElementKind::kBlankStart:
      return Add<BlankStart>();
    default:
      return Add<BlankHere>();
  }
}

TMatchElement* CompiledPattern::MakeAnyRest() {
  return Add<AnyRest>();
}
TMatchElement* CompiledPattern::MakeEnd() {
  return Add<EndElement>();
}
TMatchElement* CompiledPattern::MakeAlt(const TMatchElement* first, const TMatchElement* second) {
  return Add<AltElement>(first, second);
}

const ByteTable& CompiledPattern::ClassTable(char code) {
  // Vowels are told by their folded form, at code 64 and above.
  static constexpr std::string_view kVowels =
      "AEIOUaeiouy\x8C\x9C\xA1\xAA\xBA\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC8\xC9\xCA\xCB\xCC\xCD\xCE"
      "\xCF\xD2\xD3\xD4\xD5\xD6\xD8\xD9\xDA\xDB\xDC\xDD\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE8\xE9\xEA"
      "\xEB\xEC\xED\xEE\xEF\xF2\xF3\xF4\xF5\xF6\xF8\xF9\xFA\xFB\xFC\xFD\xFF";
  unsigned char vowel = 1, underscore = 1, other = 1;  // #X
  if (code == 'K') vowel = 2;
  if (code == 'V') other = 2;
  auto table = std::make_unique<ByteTable>();
  const ByteTable& t = *ctx_.table;
  for (int i = 0; i < 256; ++i) {
    const unsigned char f = t[i];
    if (f == 0)
      (*table)[i] = 0;
    else if (i <= 32)
      (*table)[i] = 26;
    else if (f >= 64 && kVowels.find(static_cast<char>(f)) != std::string_view::npos)
      (*table)[i] = vowel;
    else if (f == '_')
      (*table)[i] = underscore;
    else
      (*table)[i] = other;
  }
  classTables_.push_back(std::move(table));
  return *classTables_.back();
}

bool CompiledPattern::SetQuickLooksForTesting(bool on) {
  return std::exchange(quickLooks_, on);
}

void CompiledPattern::SetHead(const TMatchElement* head) {
  head_ = head;
  std::vector<FlatStep> steps;
  for (const TMatchElement* e = head; e != nullptr; e = e->next()) {
    FlatStep& step = steps.emplace_back();
    if (!e->Describe(step)) return;
    if (step.op == FlatStep::Op::kEnd) {
      flat_.Assign(std::move(steps));
      return;
    }
  }
}

bool CompiledPattern::Match(const char* start, const char* end, bool padded) {
  if (quickLooks_ && flat_.Serves(static_cast<std::size_t>(end - start)))
    return flat_.Match(start, end, padded);
  // Most words fail at the pattern's first element, at a look at their first bytes: nothing
  // is tried then, so nothing needs remembering.
  if (quickLooks_ && head_->SureToFail(start, end, padded)) return false;
  ctx_.padded = quickLooks_ && padded;
  memo_.Begin(start);
  return head_->Match(start, end);
}

}  // namespace stavbas
