#include "conditions/match_elements.h"

#include <array>

namespace stavbas {
namespace {

constexpr char kPageMark = '\xA7';  // §

// ---- ends and alternatives ----

class EndElement : public TMatchElement {
 public:
  using TMatchElement::TMatchElement;
  bool Match(const char* p, const char* e) const override { return p <= e; }
};

class AltElement : public TMatchElement {
 public:
  AltElement(const PatternContext& ctx, const TMatchElement* first, const TMatchElement* second)
      : TMatchElement(ctx), first_(first), second_(second) {}
  bool Match(const char* p, const char* e) const override {
    return first_->Match(p, e) || second_->Match(p, e);
  }

 private:
  const TMatchElement* first_;
  const TMatchElement* second_;
};

// Remembers, per evaluation, from which position on a searching element is known to fail for
// an end bound: a search that fails from p also fails from every later position.
class FailureMemo {
 public:
  bool KnownToFail(std::uint32_t generation, const char* p, const char* e) const {
    for (const Slot& s : slots_)
      if (s.generation == generation && s.end == e && p >= s.from) return true;
    return false;
  }
  // The first position from which failure is known, or null.
  const char* Limit(std::uint32_t generation, const char* e) const {
    for (const Slot& s : slots_)
      if (s.generation == generation && s.end == e) return s.from;
    return nullptr;
  }
  void Fail(std::uint32_t generation, const char* p, const char* e) {
    for (Slot& s : slots_)
      if (s.generation == generation && s.end == e) {
        if (p < s.from) s.from = p;
        return;
      }
    Slot& s = slots_[next_++ % slots_.size()];
    s = {generation, e, p};
  }

 private:
  struct Slot {
    std::uint32_t generation = 0;
    const char* end = nullptr;
    const char* from = nullptr;
  };
  std::array<Slot, 4> slots_{};
  unsigned next_ = 0;
};

// Tries the rest of the chain at p, p+1, ... up to and including the end bound.
class AnyRest : public TMatchElement {
 public:
  using TMatchElement::TMatchElement;
  bool Match(const char* p, const char* e) const override {
    if (memo_.KnownToFail(ctx_.generation, p, e)) return false;
    const char* limit = memo_.Limit(ctx_.generation, e);
    for (const char* q = p; q <= e && (!limit || q < limit); ++q)
      if (Next(q, e)) return true;
    memo_.Fail(ctx_.generation, p, e);
    return false;
  }

 private:
  mutable FailureMemo memo_;
};

// ---- comparing elements ----

// The test of one text character; the terminating NUL never matches, so no element reads past
// the end of the buffer.
struct CharTest {
  char c;
  bool operator()(const char* p) const { return *p != '\0' && *p == c; }
};

struct ClassTest {
  const ByteTable* table;
  unsigned char k;
  bool operator()(const char* p) const {
    return *p != '\0' && (*table)[static_cast<unsigned char>(*p)] == k;
  }
  bool Ignorable(const char* p) const { return (*table)[static_cast<unsigned char>(*p)] == 0; }
};

template <typename Test>
class Here : public TMatchElement {
 public:
  Here(const PatternContext& ctx, Test test) : TMatchElement(ctx), test_(test) {}
  bool Match(const char* p, const char* e) const override { return test_(p) && Next(p + 1, e); }

 protected:
  Test test_;
};

// Skips ignorable characters of the text before comparing.
class CharAfterIgnorable : public Here<CharTest> {
 public:
  using Here::Here;
  bool Match(const char* p, const char* e) const override {
    while (T(p) == 0 && p < e) ++p;
    return Here::Match(p, e);
  }
};

class ClassAfterIgnorable : public Here<ClassTest> {
 public:
  using Here::Here;
  bool Match(const char* p, const char* e) const override {
    while (test_.Ignorable(p) && p < e) ++p;
    return Here::Match(p, e);
  }
};

// An ignorable character compared exactly: it may stand after other ignorable characters.
class CharWithinIgnorable : public Here<CharTest> {
 public:
  using Here::Here;
  bool Match(const char* p, const char* e) const override {
    for (;; ++p) {
      if (Here::Match(p, e)) return true;
      if (T(p) != 0 || p >= e) return false;
    }
  }
};

// Searches from p on; at least the position p itself is tried.
template <typename Test>
class Search : public Here<Test> {
 public:
  using Here<Test>::Here;
  bool Match(const char* p, const char* e) const override {
    const std::uint32_t gen = this->ctx_.generation;
    if (p >= e) return Here<Test>::Match(p, e);
    if (memo_.KnownToFail(gen, p, e)) return false;
    const char* limit = memo_.Limit(gen, e);
    for (const char* q = p; q < e && (!limit || q < limit); ++q)
      if (Here<Test>::Match(q, e)) return true;
    memo_.Fail(gen, p, e);
    return false;
  }

 private:
  mutable FailureMemo memo_;
};

// ---- word boundaries ----

class BlankElement : public TMatchElement {
 public:
  using TMatchElement::TMatchElement;

 protected:
  // The word-start step: from s, past page-mark tokens, into the token there, which the rest
  // of the chain is tried on; further readings of the word, and with `skip` tokens made of
  // ignorable characters only, are tried after it.
  bool WordStart(const char* s, const char* e) const {
    const bool word = ctx_.wordFlag;
    for (;;) {
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
    for (;;) {
      if (*p == '\0') return WordStart(p, e);
      if (*p == ' ') return WordStart(p + 1, e);
      if (*p != '/') return false;
      while (*p != '\0' && *p != ' ') ++p;
    }
  }

  bool SearchBoundary(const char* p, const char* e) const {
    const bool word = ctx_.wordFlag;
    if (word) p = e;
    for (;;) {
      if (*p == '\0') return Next(p, e);
      if (*p == ' ') {
        const bool r = WordStart(p + 1, e);
        if (r || word) return r;
        if (p >= e) return false;
      }
      ++p;
    }
  }
};

class BlankHere : public BlankElement {
 public:
  using BlankElement::BlankElement;
  bool Match(const char* p, const char* e) const override { return BoundaryHere(p, e); }
};

class BlankAfterIgnorable : public BlankElement {
 public:
  using BlankElement::BlankElement;
  bool MaySkipIgnorableWords() const override { return true; }
  bool Match(const char* p, const char* e) const override {
    for (;; ++p) {
      if (BoundaryHere(p, e)) return true;
      if (*p == '\0' || T(p) != 0) return false;
    }
  }
};

class BlankSearch : public BlankElement {
 public:
  using BlankElement::BlankElement;
  bool MaySkipIgnorableWords() const override { return true; }
  bool Match(const char* p, const char* e) const override { return SearchBoundary(p, e); }
};

class BlankStart : public BlankElement {
 public:
  using BlankElement::BlankElement;
  bool MaySkipIgnorableWords() const override { return true; }
  bool Match(const char* p, const char* e) const override {
    return WordStart(p, e) || SearchBoundary(p, e);
  }
};

std::uint32_t NextGeneration() {
  static std::uint32_t generation = 0;
  return ++generation;
}

}  // namespace

CompiledPattern::CompiledPattern(const ByteTable& table, bool wordFlag) {
  ctx_.table = &table;
  ctx_.wordFlag = wordFlag;
}

template <typename E, typename... Args>
E* CompiledPattern::Add(Args&&... args) {
  auto element = std::make_unique<E>(ctx_, std::forward<Args>(args)...);
  E* raw = element.get();
  elements_.push_back(std::move(element));
  return raw;
}

TMatchElement* CompiledPattern::MakeChar(ElementKind kind, char c) {
  const CharTest test{c};
  switch (kind) {
    case ElementKind::kCharAfterIgnorable:
      return Add<CharAfterIgnorable>(test);
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
      return Add<ClassAfterIgnorable>(test);
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

bool CompiledPattern::Match(const char* start, const char* end) {
  ctx_.generation = NextGeneration();
  return head_->Match(start, end);
}

}  // namespace stavbas
