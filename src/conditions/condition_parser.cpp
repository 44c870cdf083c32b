#include "conditions/condition_parser.h"

#include <vector>

#include "base/ui.h"
#include "database/databas.h"

namespace stavbas {
namespace {

enum class Mode {
  kStart,      // the first element of a pattern: searched for
  kNext,       // ignorable characters of the text are skipped before the element
  kAdjacent,   // "@": the element must match right here
  kAnywhere,   // "*": the element is searched for
  kExactNext,  // after "=": the element must match right here, compared exactly
};

std::string_view Cut(std::string_view text) {
  return text.substr(0, kMaxCodeLength);
}

// A "}" at index i is escaped when an odd number of "\" stand directly before it.
bool IsEscaped(std::string_view text, std::size_t i) {
  std::size_t backslashes = 0;
  while (i > backslashes && text[i - 1 - backslashes] == '\\') ++backslashes;
  return backslashes % 2 == 1;
}

std::string_view TrimBlanks(std::string_view s) {
  return Trim(s);
}

}  // namespace

std::size_t FindTopLevel(std::string_view text, std::string_view set, std::uint16_t& error) {
  int depth = 0;
  bool escape = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (escape) {
      escape = false;
      continue;
    }
    if (c == '\\') {
      escape = true;
      continue;
    }
    if (depth == 0 && set.find(c) != std::string_view::npos) return i + 1;
    if (c == '{') {
      ++depth;
    } else if (c == '}') {
      if (depth == 0) {
        error = 4221;
        return 0;
      }
      --depth;
    }
  }
  if (depth > 0)
    error = 4220;
  else if (escape)
    error = 4222;
  return 0;
}

// ---- messages ----

void ConditionParser::Show(const std::string& message, std::string_view text) {
  ui_.ShowMessage(ui_.S(Str::FelMedVillkor) + std::string(text) + ", " + message,
                  MsgKind::Information);
}

std::nullptr_t ConditionParser::Fail(std::uint16_t code, std::string_view text) {
  if (state_.errorCode == 0) state_.errorCode = code;
  if (!state_.errorShown) {
    Show(ui_.MessageOf(code), text);
    state_.errorShown = true;
  }
  return nullptr;
}

void ConditionParser::Warn(std::uint16_t code, std::string_view text) {
  if (state_.warningsShown.insert(code).second) Show(ui_.MessageOf(code), text);
}

// ---- expressions ----

CondPtr ConditionParser::ParseExpr(std::string_view text) {
  std::uint16_t error = 0;
  const std::size_t pos = FindTopLevel(text, "&+", error);
  if (error) return Fail(error, text);
  if (pos == 0) return ParseTerm(text);
  CondPtr left = ParseTerm(text.substr(0, pos - 1));
  if (!left) return nullptr;
  CondPtr right = ParseExpr(Cut(text.substr(pos)));
  if (!right) return nullptr;
  if (text[pos - 1] == '&') return std::make_unique<AndNode>(std::move(left), std::move(right));
  return std::make_unique<OrNode>(std::move(left), std::move(right));
}

CondPtr ConditionParser::ParseTerm(std::string_view text) {
  const std::string_view t = TrimBlanks(text);
  if (t.empty()) return Fail(4232, t);
  if (t[0] == '-') {
    CondPtr inner = ParseTerm(Cut(t.substr(1)));
    return inner ? std::make_unique<NotNode>(std::move(inner)) : nullptr;
  }
  if (t.size() >= 2 && t.front() == '{' && t.back() == '}' && !IsEscaped(t, t.size() - 1))
    return ParseExpr(Cut(t.substr(1, t.size() - 2)));
  return ParseAtom(t);
}

CondPtr ConditionParser::ParseAtom(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return Fail(4235, text);
  const FileReference ref = db_.ParseFileReference(text, state_.files);
  if (ref.kind == kRefError) return Fail(ref.error, text);
  if (static_cast<std::size_t>(ref.length) != colon) return Fail(4236, text);
  const std::string_view search = Cut(text.substr(colon + 1));
  if (search.empty()) return Fail(4232, text);

  if (ref.kind == kRefWords && search == "\"") {
    if (!db_.File(ref.slot).IsNormalised()) return Fail(4239, text);
    return std::make_unique<ProperNameAtom>(db_, ref.slot);
  }
  const ByteTable* table = &NormalisedCompare();
  if (ref.kind == kRefWords || ref.kind == kRefWholeText)
    table = &db_.File(ref.slot).CompareTable();
  else if (ref.kind >= kRefSignum)
    table = &LetterFold();
  auto pattern = std::make_unique<CompiledPattern>(*table, ref.kind == kRefWords);
  const TMatchElement* head = CompilePattern(*pattern, search, nullptr, true, false);
  if (!head) return nullptr;
  pattern->SetHead(head);

  switch (ref.kind) {
    case kRefWords:
      return std::make_unique<WordAtom>(db_, std::move(pattern), ref.slot);
    case kRefWholeText:
      return std::make_unique<TextAtom>(db_, std::move(pattern), ref.slot);
    case kRefInfoField:
      return std::make_unique<InfoFieldAtom>(db_, std::move(pattern), ref.slot, ref.letter);
    case kRefAllInfoFields:
      return std::make_unique<AllInfoFieldsAtom>(db_, std::move(pattern), ref.slot);
    case kRefSignum:
      return std::make_unique<SignumAtom>(db_, std::move(pattern));
    default:
      return std::make_unique<SignumPartAtom>(db_, std::move(pattern), ref.kind);
  }
}

// ---- patterns ----

const TMatchElement* ConditionParser::CompilePattern(CompiledPattern& pattern,
                                                     std::string_view text,
                                                     const TMatchElement* cont, bool start,
                                                     bool exact) {
  std::uint16_t error = 0;
  const std::size_t pos = FindTopLevel(text, "/", error);
  if (error) return Fail(error, text);
  if (pos == 0) return CompileSequence(pattern, text, cont, start, exact);
  const TMatchElement* first =
      CompileSequence(pattern, text.substr(0, pos - 1), cont, start, exact);
  if (!first) return nullptr;
  const TMatchElement* second = CompilePattern(pattern, Cut(text.substr(pos)), cont, start, exact);
  if (!second) return nullptr;
  return pattern.MakeAlt(first, second);
}

const TMatchElement* ConditionParser::CompileSequence(CompiledPattern& pattern,
                                                      std::string_view text,
                                                      const TMatchElement* cont, bool start,
                                                      bool exact) {
  const ByteTable& t = pattern.table();
  const bool wordFlag = pattern.wordFlag();
  Mode base = exact ? Mode::kExactNext : Mode::kNext;
  Mode mode = start ? Mode::kStart : base;
  std::vector<TMatchElement*> seq;
  const TMatchElement* tail = nullptr;  // what follows the last element of `seq`
  bool escape = false;
  bool hash = false;

  auto comparing = [&](bool exactCompare, char c, const ByteTable* classTable, unsigned char k) {
    ElementKind kind;
    const bool ignorable = t[static_cast<unsigned char>(c)] == 0;
    switch (mode) {
      case Mode::kNext:
        kind = !exactCompare ? ElementKind::kClassAfterIgnorable
               : ignorable   ? ElementKind::kCharWithinIgnorable
                             : ElementKind::kCharAfterIgnorable;
        break;
      case Mode::kStart:
      case Mode::kAnywhere:
        kind = exactCompare ? ElementKind::kCharSearch : ElementKind::kClassSearch;
        break;
      default:
        kind = exactCompare ? ElementKind::kCharHere : ElementKind::kClassHere;
        break;
    }
    seq.push_back(exactCompare ? pattern.MakeChar(kind, c)
                               : pattern.MakeClass(kind, *classTable, k));
    mode = base;
  };
  auto literal = [&](char c, bool escaped) {
    if (c == '\0' && state_.warningsShown.insert(8666).second)
      ui_.ShowMessage(
          ui_.MessageOf(8666) + ui_.S(Str::Tecken) + ui_.S(Str::FarInteVara) + ui_.S(Str::NullTomt),
          MsgKind::Warning);
    const unsigned char folded = t[static_cast<unsigned char>(c)];
    const bool exactCompare = escaped || exact || folded == 0;
    comparing(exactCompare, c, &t, folded);
  };

  for (std::size_t i = 0; i < text.size() && !tail; ++i) {
    const char c = text[i];
    if (escape) {
      escape = false;
      literal(c, true);
      continue;
    }
    if (hash) {
      hash = false;
      const char code = static_cast<char>(SystemUpper()[static_cast<unsigned char>(c)]);
      if (code != 'K' && code != 'V' && code != 'X') return Fail(4224, text);
      comparing(false, c, &pattern.ClassTable(code), 1);
      continue;
    }
    switch (c) {
      case '\\':
        escape = true;
        break;
      case '#':
        hash = true;
        break;
      case '*':
        if (mode == Mode::kAdjacent && !exact) Warn(4227, text);
        if (mode == Mode::kAnywhere) Warn(4226, text);
        mode = Mode::kAnywhere;
        break;
      case '@':
        if (mode == Mode::kAdjacent)
          Warn(exact ? 4482 : 4229, text);
        else if (mode == Mode::kAnywhere)
          Warn(4228, text);
        else if (mode == Mode::kStart)
          Warn(4264, text);
        else
          mode = Mode::kAdjacent;
        break;
      case '=': {
        const bool first = i == 0, last = i + 1 == text.size();
        if (first && last)
          Warn(4225, text);
        else if (last)
          Warn(4485, text);
        else if (!first)
          Warn(4486, text);
        else if (exact)
          Warn(4265, text);
        exact = true;
        base = Mode::kExactNext;
        break;
      }
      case '_':
        if (i + 1 == text.size() && mode == Mode::kStart && !cont) Warn(4230, text);
        if (!(mode == Mode::kStart && wordFlag)) {
          ElementKind kind = ElementKind::kBlankHere;
          if (mode == Mode::kNext) kind = ElementKind::kBlankAfterIgnorable;
          if (mode == Mode::kStart) kind = ElementKind::kBlankStart;
          if (mode == Mode::kAnywhere) kind = ElementKind::kBlankSearch;
          seq.push_back(pattern.MakeBlank(kind));
        }
        mode = base;
        break;
      case '{': {
        // The text after the group is compiled first: it is the group's continuation.
        const std::string_view rest = text.substr(i + 1);
        std::uint16_t error = 0;
        const std::size_t close = FindTopLevel(rest, "}", error);
        if (close == 0) return Fail(4220, text);
        const TMatchElement* after =
            CompileSequence(pattern, Cut(rest.substr(close)), cont, false, exact);
        if (!after) return nullptr;
        tail = CompilePattern(pattern, Cut(rest.substr(0, close - 1)), after, mode == Mode::kStart,
                              exact);
        if (!tail) return nullptr;
        break;
      }
      case '}':
        return Fail(4221, text);
      case ' ':
        Warn(4483, text);
        break;
      case '&':
      case '+':
      case '/':
      case ':':
        if (state_.errorCode == 0) state_.errorCode = 4231;
        if (!state_.errorShown) {
          Show(ui_.MessageOf(4231) + ", " + ui_.S(Str::Skriv) + "\\" + ui_.S(Str::Fore) + c, text);
          state_.errorShown = true;
        }
        return nullptr;
      default:
        literal(c, false);
        break;
    }
  }

  if (!tail) {
    if (escape) return Fail(4222, text);
    if (hash) return Fail(4223, text);
    if (cont) {
      if (mode == Mode::kAdjacent) Warn(4263, text);
      if (mode == Mode::kAnywhere || mode == Mode::kStart) {
        TMatchElement* any = pattern.MakeAnyRest();
        any->SetNext(cont);
        tail = any;
      } else {
        tail = cont;
      }
    } else {
      if (mode == Mode::kAdjacent) Warn(4262, text);
      if (mode == Mode::kAnywhere) Warn(4261, text);
      if (mode == Mode::kStart) Warn(4232, text);
      tail = pattern.MakeEnd();
    }
  }
  for (std::size_t k = seq.size(); k-- > 0;) {
    seq[k]->SetNext(tail);
    tail = seq[k];
  }
  return tail;
}

}  // namespace stavbas
