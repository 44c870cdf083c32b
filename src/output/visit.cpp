#include "output/visit.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <utility>

#include "base/ui.h"
#include "conditions/conditions.h"
#include "database/databas.h"
#include "database/word_steps.h"

namespace stavbas {

const LinkSettings& OutputContext::links() const {
  static const LinkSettings defaults;
  return linkSettings ? *linkSettings : defaults;
}

TextStyle OutputContext::Plain() const {
  TextStyle s;
  s.font = fontName;
  s.size = fontSize;
  return s;
}

void Visit::GrowHitCodes(int word) {
  hitCodes.resize(std::max<std::size_t>(2 * hitCodes.size(), static_cast<std::size_t>(word) + 64),
                  0);
}

// Inline: it is taken at every word position of every walk.
[[gnu::always_inline]] inline bool Visit::AtWord(TFormat& format, bool holds) {
  TDatabas& db = ctx.db;
  ++wordNumber;
  if (db.MainFileAtPageMark()) {
    AtPageMark(db.MainFileWordText());
    return true;
  }
  if (holds) {
    // The look evaluated the search already; evaluating changes no file, and a search that
    // holds steps to no further reading.
    alternativeFlag = db.anyMoreRecorded();
  } else if (!ctx.conditions.EvalWordPosition(walked, alternativeFlag)) {
    return true;
  }
  return AtHit(format);
}

inline void Visit::AtPageMark(std::string_view mark) {
  currentPageMark = std::string(mark.substr(0, 14)) + " ";
  lastMarkWordNumber = wordNumber;
  if (mark.size() > 1 && static_cast<unsigned char>(mark[1]) > 'O') ++alternativeMarkCount;
  ++markCount;
  SetHitCode(wordNumber, 2);
}

// A hit counts, and the format takes it, while at most one alternative page mark has been
// passed; after that only the inscription's first hit does, and the rest are only marked.
inline bool Visit::HitCounts() const {
  return alternativeMarkCount <= 1 || hitCount == 0;
}

[[gnu::always_inline]] inline bool Visit::AtHit(TFormat& format) {
  if (HitCounts()) {
    format.RecordHit(*this);
    return !stop;
  }
  SetHitCode(wordNumber, 1);
  return true;
}

bool Visit::AtHits(TFormat& format, int count) {
  if (count <= 0) return true;
  if (!format.HitOnlyMarks()) {
    for (int i = 0; i < count; ++i) {
      ++wordNumber;
      if (!AtHit(format)) return false;
    }
    return true;
  }
  // Every position takes code 1, and counts as AtHit would count it one after the other.
  const int first = wordNumber + 1;
  wordNumber += count;
  SetHitCode(wordNumber, 1);
  std::fill(hitCodes.begin() + first, hitCodes.begin() + wordNumber, std::uint8_t{1});
  if (HitCounts()) hitCount += alternativeMarkCount <= 1 ? count : 1;
  return !stop;
}

// What the look tells of the pattern on w's word: for a word of one reading, that the first
// look fails there, or where the flat evaluation serves, whether it matches.
enum class Verdict { kFails, kMatches, kOpen };
[[gnu::always_inline]] static inline Verdict LookAt(const FirstLook& look,
                                                    const CompiledPattern& pattern,
                                                    const WordState& w) {
  if (w.more) return Verdict::kOpen;
  const char* p = w.alt.data();
  const char* e = p + w.alt.size();
  if (look.SureToFail(p, e)) return Verdict::kFails;
  if (!pattern.FlatServes(p, e)) return Verdict::kOpen;
  return pattern.FlatMatch(p, e) ? Verdict::kMatches : Verdict::kFails;
}

// Whether the pattern surely fails on w's word.
[[gnu::always_inline]] static inline bool ReadingFails(const FirstLook& look,
                                                       const CompiledPattern& pattern,
                                                       const WordState& w) {
  return LookAt(look, pattern, w) == Verdict::kFails;
}

// A position where the word search's pattern fails on a word of one reading fails as its
// evaluation would (see Conditions::wordLook); its word number still counts. A page mark is
// never passed (`marksAhead` false: the walk knows that the main file has none left). Where
// the pattern matches, the search holds (the pattern is the whole search).
inline Visit::Looked Visit::LookAtPosition(const FirstLook& look, const CompiledPattern& pattern,
                                           const WordState& w, bool marksAhead) {
  const Verdict verdict = LookAt(look, pattern, w);
  if (verdict != Verdict::kFails)
    return verdict == Verdict::kMatches ? Looked::kHolds : Looked::kEvaluate;
  if (marksAhead && ctx.db.MainFileAtPageMark()) return Looked::kEvaluate;
  ++wordNumber;
  alternativeFlag = false;
  return Looked::kPassed;
}

template <WordStep kind>
inline int Visit::PassFailing(WordState& w, const FirstLook& look, int count) {
  const int n =
      PassTokens<kind, true>(w, count, [&look](const char* p, unsigned starts, unsigned within) {
        return look.Candidates16(p, starts, within);
      });
  if (n != 0) {
    wordNumber += n;
    alternativeFlag = false;
  }
  return n;
}

int Visit::PassFailing(WordStep kind, WordState& w, const FirstLook& look, int count) {
  return WithWordStep(
      kind, [&](auto k) { return PassFailing<decltype(k)::value>(w, look, count); },
      [] { return 0; });
}

// The words of f's line before its next page mark, from where its walk stands; -1 when no
// page mark lies ahead. The walk itself stays where it stands.
static int WordsBeforeMark(const TKombifil& f) {
  if (std::strchr(f.words().next, '\xA7') == nullptr) return -1;
  WordState w = f.words();
  return WithWordStep(
      f.wordStep(),
      [&](auto kind) {
        int words = 0;
        return StepToPageMark<decltype(kind)::value>(w, words) ? words : -1;
      },
      [] { return -1; });
}

// The walk of the pattern's file alone, where the look can pass many words at once: before
// each step the words ahead that the pattern surely fails on are passed.
template <WordStep kind>
void Visit::WalkPassing(TFormat& format, TKombifil& f, const CompiledPattern& looking) {
  const FirstLook look = looking.look();
  WordState& w = f.words();
  for (;;) {
    PassFailing<kind>(w, look, std::numeric_limits<int>::max());
    if (!StepInline<kind>(w)) return;
    const Looked looked = LookAtPosition(look, looking, w, true);
    if (looked == Looked::kPassed) continue;
    ctx.db.NoteMoreAlternatives(w.more);
    if (!AtWordCalled(format, looked == Looked::kHolds)) return;
  }
}

// Whether no page mark of the main file is to be kept while the pattern's file is walked,
// other than those in the pattern's file itself: the main file is that file, or is behind
// (`mainStill` false: no mark lies ahead in it), or is not stepped and not at a mark.
static bool QuietMain(const TDatabas& db, int lookSlot, bool mainStill) {
  return db.MainWordFile() == lookSlot || !mainStill || !db.MainFileAtPageMark();
}

void Visit::WalkOneFile(TFormat& format, int slot, const CompiledPattern* looking) {
  // The word step is inline; the position's evaluation is a call, so that the step keeps its
  // registers, and so does the look, copied here.
  TDatabas& db = ctx.db;
  TKombifil& f = db.File(slot);
  if (looking && looking->look().blocks && WordsPassByBlanks(f) && QuietMain(db, slot, true)) {
    WithWordStep(
        f.wordStep(), [&](auto kind) { WalkPassing<decltype(kind)::value>(format, f, *looking); },
        [] {});  // not reached: such a file's words do not pass by their blanks
  } else {
    const FirstLook look = looking ? looking->look() : FirstLook{};
    ForEachWord(f, [&](const WordState& w) {
      const Looked looked = looking ? LookAtPosition(look, *looking, w, true) : Looked::kEvaluate;
      if (looked == Looked::kPassed) return true;
      db.NoteMoreAlternatives(w.more);
      return AtWordCalled(format, looked == Looked::kHolds);
    });
  }
  db.NoteMoreAlternatives(f.MoreAlternatives());
}

void Visit::WalkLooking(TFormat& format, const CompiledPattern& looking, int lookSlot) {
  TDatabas& db = ctx.db;
  const FirstLook look = looking.look();
  TKombifil& lookFile = db.File(lookSlot);
  WordState& lookWords = lookFile.words();
  // The pattern's file keeps step. The other files' words are only read where a position is
  // evaluated: while the pattern passes positions, the files whose words can be passed by
  // their blanks fall behind, and catch up before the next evaluation. The main file among
  // them also catches up at each of its page marks, whose positions are counted ahead.
  const int main = db.MainWordFile();
  auto passable = [&](int slot) { return WordsPassByBlanks(db.File(slot)); };
  const bool mainBehind = main != 0 && main != lookSlot && InSet(walked, main) && passable(main);
  SlotSet inStep = 0;
  SlotSet behind = 0;
  for (unsigned rest = walked & ((2u << db.count()) - 1); rest != 0; rest &= rest - 1) {
    const int slot = std::countr_zero(rest);
    const bool keeps = slot == lookSlot || (slot == main && !mainBehind);
    (passable(slot) && !keeps ? behind : inStep) |= static_cast<SlotSet>(1u << slot);
  }
  // With the pattern's file alone in step, no page mark of the main file is asked for but
  // those in the pattern's file. The words its look fails then pass many at a time, and once
  // that file has ended the positions left pass together if the pattern fails on its end.
  const SlotSet lookAlone = static_cast<SlotSet>(1u << lookSlot);
  const bool alone = inStep == lookAlone && QuietMain(db, lookSlot, !InSet(behind, main));
  // Where the word search reads the pattern's file alone and the format asks of a hit only
  // its position, nothing asks for the words of the files behind: they catch up only where
  // the files in step have ended, to count the positions left.
  const bool behindUnread =
      format.HitsTellOnlyPositions() && ctx.conditions.wordSearchFiles().all == SlotBit(lookSlot);
  const bool blocks = alone && look.blocks && WordsPassByBlanks(lookFile);
  int lag = 0;  // the word steps the files behind have not taken
  constexpr int kNoMark = std::numeric_limits<int>::max();
  int nextMark = kNoMark;  // the position of the next page mark of the main file behind
  auto findMark = [&] {
    const int before = WordsBeforeMark(db.File(main));
    nextMark = before < 0 ? kNoMark : wordNumber - lag + 1 + before;
  };
  if (InSet(behind, main)) findMark();
  bool any = false;
  bool more = false;
  auto step = [&](SlotSet set, int steps) {
    for (unsigned rest = set; rest != 0; rest &= rest - 1) {
      TKombifil& f = db.File(std::countr_zero(rest));
      if (StepWords(f, steps)) any = true;
      if (f.MoreAlternatives()) more = true;
    }
  };
  for (;;) {
    if (blocks && inStep == lookAlone) {
      // Up to the main file's next page mark, which is not passed.
      const int room = nextMark == kNoMark ? kNoMark : nextMark - wordNumber - 1;
      const int n = room > 0 ? PassFailing(lookFile.wordStep(), lookWords, look, room) : 0;
      if (behind != 0) lag += n;
    }
    any = more = false;
    step(inStep, 1);
    if (!any && behind != 0) {
      // The files in step have ended. Where the pattern fails on the ended file's empty
      // reading, which stays so, and no page mark of the main file lies ahead, no position
      // left can hold and nothing is asked of them: the walk ends, and the files behind are
      // not read to their ends only to number positions that pass.
      if (alone && nextMark == kNoMark && ReadingFails(look, looking, lookWords)) {
        alternativeFlag = false;
        db.NoteMoreAlternatives(false);
        return;
      }
      // Otherwise the others say whether a position is left, and all go in step from here.
      step(behind, lag + 1);
      inStep |= std::exchange(behind, SlotSet{0});
      lag = 0;
      nextMark = kNoMark;  // the main file is in step: its marks are seen where they stand
    }
    if (!any) break;
    // While the main file is behind, its page marks are known by their positions.
    const bool atMark = wordNumber + 1 == nextMark;
    const Looked looked =
        atMark ? Looked::kEvaluate : LookAtPosition(look, looking, lookWords, !InSet(behind, main));
    if (looked == Looked::kPassed) {
      if (behind != 0) ++lag;
      continue;
    }
    // A main file behind that was last stepped to a page mark would show it here too.
    if (behind != 0 && behindUnread && !atMark &&
        !(InSet(behind, main) && db.MainFileAtPageMark())) {
      ++lag;
    } else if (behind != 0) {
      step(behind, lag + 1);
      lag = 0;
    }
    db.NoteMoreAlternatives(more);
    if (!AtWordCalled(format, looked == Looked::kHolds)) return;
    if (atMark) findMark();  // the files behind have caught up with the mark
  }
  db.NoteMoreAlternatives(more);
}

namespace {
bool everyPositionWalk = true;
}  // namespace

bool Visit::SetEveryPositionWalkForTesting(bool on) {
  return std::exchange(everyPositionWalk, on);
}

bool Visit::WalkEveryPosition(TFormat& format) {
  // Without a word search every position holds but where the main file has a page mark, and
  // a format that asks only where the hits are asks nothing of the words. So only the main
  // file is stepped, for its page marks, passing the words between them by their blanks; the
  // other files only count their words, as the walk goes on while any of them has one.
  TDatabas& db = ctx.db;
  const SlotSet files = walked & ((2u << db.count()) - 1);
  for (unsigned rest = files; rest != 0; rest &= rest - 1)
    if (!WordsPassByBlanks(db.File(std::countr_zero(rest)))) return false;
  const int main = db.MainWordFile();
  if (main != 0 && !InSet(files, main)) return false;
  alternativeFlag = false;  // not asked by such a format
  bool going = true;
  if (main != 0) {
    TKombifil& m = db.File(main);
    WordState& w = m.words();
    WithWordStep(
        m.wordStep(),
        [&](auto kind) {
          for (;;) {
            int words = 0;
            const bool mark = StepToPageMark<decltype(kind)::value>(w, words);
            if (!AtHits(format, words)) return;
            if (!mark) return;
            ++wordNumber;
            AtPageMark(w.word);
          }
        },
        [] {});
    going = !stop;
  }
  if (going) {
    int longest = wordNumber;
    for (unsigned rest = files; rest != 0; rest &= rest - 1) {
      const int slot = std::countr_zero(rest);
      if (slot != main) longest = std::max(longest, StepToEnd(db.File(slot)));
    }
    AtHits(format, longest - wordNumber);
  }
  db.NoteMoreAlternatives(false);
  return true;
}

bool Visit::AtWordCalled(TFormat& format, bool holds) {
  return AtWord(format, holds);
}

void Visit::Run(TFormat& format, bool whole) {
  showWhole = whole;
  stop = false;
  hitCount = 0;
  currentPageMark.clear();
  wordNumber = lastMarkWordNumber = lastHitWordNumber = markCount = alternativeMarkCount = 0;
  alternativeFlag = false;
  hitCodes.assign(hitCodes.size(), 0);

  TDatabas& db = ctx.db;
  walked = db.wordSet();
  db.FirstWords(walked);
  const SlotSet inDatabase = walked & ((2u << db.count()) - 1);
  const Conditions::WordLook& wordLook = ctx.conditions.wordLook();
  const CompiledPattern* looking =
      wordLook.pattern && InSet(inDatabase, wordLook.slot) && wordLook.pattern->Flat()
          ? wordLook.pattern
          : nullptr;
  if (inDatabase != 0 && (inDatabase & (inDatabase - 1)) == 0)  // one file
    WalkOneFile(format, std::countr_zero(inDatabase), looking);
  else if (looking)
    WalkLooking(format, *looking, wordLook.slot);
  else if (!(everyPositionWalk && format.HitsTellOnlyPositions() &&
             !ctx.conditions.IsWordSearchActive() && WalkEveryPosition(format)))
    while (db.NextWords(walked))
      if (!AtWord(format, false)) break;
  ctx.wordPositions += wordNumber;
  format.FinishInscription(*this);
  if (hitCount > 0 && !stop && !ctx.informationDisplay) {
    ++ctx.inscriptionCount;
    ctx.hitTotal += hitCount;
  }
  if (ctx.somethingShown) ++ctx.shownInscriptions;
  if (ctx.afterInscription) ctx.afterInscription();
  ctx.staging.Clear();
}

void WriteCountsLine(OutputContext& ctx) {
  Ui& ui = ctx.ui;
  std::string text;
  if (ctx.conditions.IsWordSearchActive()) {
    text = std::to_string(ctx.hitTotal) + ui.S(Str::OrdBelagg);
    if (ctx.inscriptionCount >= 0) text += ui.S(Str::I);
  }
  if (ctx.inscriptionCount == 1)
    text += ui.S(Str::EnInskrift);
  else if (ctx.inscriptionCount != -1)
    text += std::to_string(ctx.inscriptionCount) + ui.S(Str::Inskrifter);
  if (!text.empty() && !ctx.countsDone) ctx.Out().Append({{text, ctx.Plain()}});
  ctx.countsDone = true;
}

}  // namespace stavbas
