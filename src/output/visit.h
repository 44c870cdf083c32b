#pragma once
// Visiting one inscription: walking its word positions, finding the hits of the word search
// and letting the format object write. Also the state the visits and the display run share.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/link_settings.h"
#include "output/format_code.h"
#include "output/output_window.h"

namespace stavbas {

class Conditions;
class TDatabas;
class CompiledPattern;
struct FirstLook;
struct WordState;
class Ui;
class TKombifil;
enum class WordStep : std::uint8_t;

// What the visits, the formats and the display run share.
struct OutputContext {
  OutputContext(Ui& ui, TDatabas& db, Conditions& conditions, OutputWindow& window)
      : ui(ui), db(db), conditions(conditions), window(window) {}

  Ui& ui;
  TDatabas& db;
  Conditions& conditions;
  OutputWindow& window;
  // While an export run collects its text, the runs write into this window instead, so that
  // the user's text stays as it was and no length limit of the window can cut the export.
  OutputWindow* exportWindow = nullptr;
  // Where the runs write: the export's window while one is set, else the output window.
  OutputWindow& Out() { return exportWindow ? *exportWindow : window; }
  StagingBuffer staging;

  std::string fontName = "Arial";              // the output font
  int fontSize = 10;                           // its size in points
  const FormatCode* format = nullptr;          // the current format code
  const LinkSettings* linkSettings = nullptr;  // null: the defaults
  const LinkSettings& links() const;
  bool somethingShown = false;  // anything was written for the current inscription
  std::string lastShownSignum;  // the signum of the inscription written most recently

  // Run totals and flags the display run keeps.
  long hitTotal = 0;
  long inscriptionCount = 0;  // -1: no inscription count is shown
  bool countsDone = false;
  bool stepFlag = false;  // the pause step flag
  bool runInProgress = false;
  bool informationDisplay = false;
  long shownInscriptions = 0;  // inscriptions something was written for, over all runs
  long wordPositions = 0;      // word positions the visits numbered, over all runs
  // Called after every visited inscription: the display run's pausing.
  std::function<void()> afterInscription;

  // The plain style of the output: no style, the output font, black.
  TextStyle Plain() const;
};

class Visit {
 public:
  explicit Visit(OutputContext& ctx) : ctx(ctx) {}

  // Visits the current inscription with the format object.
  void Run(TFormat& format, bool showWhole);
  // Turns the walk of every position without a word search off or on, so that tests can
  // compare it with the walk that evaluates each position; returns the setting before.
  static bool SetEveryPositionWalkForTesting(bool on);

  OutputContext& ctx;
  SlotSet walked = 0;  // the files walked word by word
  bool showWhole = false;
  bool stop = false;
  long hitCount = 0;
  int wordNumber = 0;
  int lastMarkWordNumber = 0;  // the last word with hit code 2
  int lastHitWordNumber = 0;   // the last word with hit code 1
  int markCount = 0;
  int alternativeMarkCount = 0;
  bool alternativeFlag = false;
  std::string currentPageMark;  // the last page mark and a blank
  // Per word number (from 1): 0 ordinary word, 1 hit, 2 page mark. Not limited to 255 words.
  std::vector<std::uint8_t> hitCodes;

  std::uint8_t HitCode(int word) const {
    return word >= 0 && static_cast<std::size_t>(word) < hitCodes.size() ? hitCodes[word] : 0;
  }
  // Every word of an all run is a hit, so this is inline and grows the codes in steps.
  void SetHitCode(int word, std::uint8_t code) {
    if (word < 0) return;
    if (static_cast<std::size_t>(word) >= hitCodes.size()) GrowHitCodes(word);
    hitCodes[word] = code;
    if (code == 1 && word > lastHitWordNumber) lastHitWordNumber = word;
  }
  // A hit at the current word: its code and the count (the text format's RecordHit).
  void MarkHit() {
    SetHitCode(wordNumber, 1);
    ++hitCount;
  }

 private:
  void GrowHitCodes(int word);
  // One word position of the walk, just stepped to; false when the format stops the visit.
  // `holds`: the walk's look found the word search holding there, so it is not evaluated.
  bool AtWord(TFormat& format, bool holds);
  // The parts of a position: the main file's page mark, and a position where the word search
  // holds.
  void AtPageMark(std::string_view mark);
  bool HitCounts() const;
  bool AtHit(TFormat& format);
  // Steps `count` positions on, each a hit, as that many steps with AtHit would.
  bool AtHits(TFormat& format, int count);
  [[gnu::noinline]] bool AtWordCalled(TFormat& format, bool holds);
  // The walks of one file alone, and of several with the word search's flat pattern looking
  // at one of them.
  void WalkOneFile(TFormat& format, int slot, const CompiledPattern* looking);
  void WalkLooking(TFormat& format, const CompiledPattern& looking, int lookSlot);
  // What the look at a position did: passed it (it fails), found the word search holding
  // there, or left it to the evaluation.
  enum class Looked { kPassed, kHolds, kEvaluate };
  Looked LookAtPosition(const FirstLook& look, const CompiledPattern& pattern, const WordState& w,
                        bool marksAhead);
  // Passes up to `count` words ahead in w at which the look says the pattern fails, many at a
  // time, as LookAtPosition would pass them one by one; returns how many.
  template <WordStep kind>
  int PassFailing(WordState& w, const FirstLook& look, int count);
  int PassFailing(WordStep kind, WordState& w, const FirstLook& look, int count);
  template <WordStep kind>
  void WalkPassing(TFormat& format, TKombifil& f, const CompiledPattern& looking);
  // The walk without a word search for a format that asks only where the hits are; false when
  // the files do not allow it (a word step that is not inline, a main file not walked).
  bool WalkEveryPosition(TFormat& format);
};

// The counts line at the end of a run: hits and inscriptions.
void WriteCountsLine(OutputContext& ctx);

}  // namespace stavbas
