#include "database/data_file_check.h"

#include <array>
#include <bit>
#include <memory>
#include <string>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/atomic_file.h"
#include "database/address_pass.h"
#include "database/check_words.h"
#include "database/databas.h"

namespace stavbas {
namespace {

constexpr std::size_t kMaxWordLength = 254;
constexpr int kMaxWords = 254;
constexpr std::size_t kMaxKeyLength = 79;

// The signum of a file's current line, as the line up to its first NUL shows it. A line just
// read had its signum measured when it was taken (its cursor stands after the signum).
std::string_view SignumOf(TDatafil& f) {
  if (f.status != kFound || f.Line() != f.Buffer()) return SignumOfLine(f.LineView());
  return std::string_view(f.Line(), static_cast<std::size_t>(f.Cursor() - f.Line()));
}

// The same with any NUL bytes in it: the raw line's text up to its third blank. The signum up
// to the first NUL is that when it ends before a byte that is no NUL, or at the line's end.
std::string_view RawSignumOf(TDatafil& f, std::string_view signum) {
  const std::string_view raw(f.Line(), f.RawLength());
  const std::size_t n = signum.size();
  if (f.status == kFound && f.Line() == f.Buffer() && (n == raw.size() || raw[n] != '\0'))
    return signum;
  return SignumOfLine(raw);
}

// The blanks of a signum of up to 16 bytes at the start of the line buffer (which holds 16
// readable bytes from there, whatever the line's length), with one compare each for blanks and
// NUL bytes: how many (a signum holds three at most), where the first two lie, and whether a
// NUL is among its bytes. False, with nothing found, for another signum.
bool BlanksOfShortSignum(TDatafil& f, std::string_view s, int& blanks, std::size_t& first,
                         std::size_t& second, bool& nul) {
#if defined(__SSE2__)
  if (s.size() > 16 || f.status != kFound || s.data() != f.Buffer()) return false;
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.data()));
  const unsigned valid = (1u << s.size()) - 1;
  const auto bits = [&v, valid](char c) {
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(c)))) & valid;
  };
  nul = bits('\0') != 0;
  unsigned b = bits(' ');
  for (blanks = 0; b != 0; b &= b - 1, ++blanks) {
    if (blanks == 0) first = static_cast<std::size_t>(std::countr_zero(b));
    if (blanks == 1) second = static_cast<std::size_t>(std::countr_zero(b));
  }
  return true;
#else
  (void)f;
  (void)s;
  (void)blanks;
  (void)first;
  (void)second;
  (void)nul;
  return false;
#endif
}

class Check {
 public:
  Check(TDatabas& db, bool withLog) : db_(db), ui_(db.ui()) {
    if (withLog) {
      logName_ = db.BaseName() + ".LOG";
      // The log replaces the last one only when it is complete, and never through a link. One
      // that cannot be written is reported, and the check runs without it.
      ui_.CheckIOResult(log_.Open(db.DataDirectory() + logName_, Links::kRefuse), logName_);
    }
  }

  // The walk: every inscription's lines, with the report's lines up to its end.
  void Walk();
  // The end of the report and its message; true when the files passed.
  bool Conclude();
  bool Run() {
    Walk();
    return Conclude();
  }
  // Holds the report's lines back in `lines` (nullptr: shows them again).
  void Hold(HeldLines* lines) { held_ = lines; }
  bool aborted() const { return aborted_; }

 private:
  void Report(const std::string& text, bool fault = false) {
    ui_.ProgressLine(text, fault, held_);
    if (fault) failed_ = true;
    if (log_.IsOpen()) {
      log_.Write(text);
      log_.Write("\r\n");
    }
  }
  void Fault(const std::string& text) { Report(text, true); }
  std::string KindName(int kind) const;
  void CheckInscription();
  void CheckWords(const std::string& s, SlotSet words);
  // Whether the words of the inscription's word files give nothing to report.
  bool WordsInStep(SlotSet words);
  void CompareWordCounts(const std::string& s, SlotSet words);

  TDatabas& db_;
  Ui& ui_;
  AtomicFile log_;
  std::string logName_;
  bool failed_ = false;
  bool aborted_ = false;
  SlotSet ended_ = 0;  // complete files that ended before the main word file
  std::string prevKey_;
  int prevGroup_ = 0;
  int prevRegion_ = 0;
  GroupFinder groups_;
  std::array<std::string_view, kMaxDataFiles + 1> signums_;  // of the current inscription
  // The summaries of the main word file's line and another's, kept from one inscription to the
  // next: their arrays of marks would otherwise be cleared for every inscription.
  WordSummary mainSummary_, otherSummary_;
  HeldLines* held_ = nullptr;
};

std::string Check::KindName(int kind) const {
  static constexpr Str kNames[] = {Str::KindRuntext, Str::KindRunsok,   Str::KindNormtext,
                                   Str::KindNormsok, Str::KindInfotext, Str::KindInfotext,
                                   Str::KindHeltext};
  return ui_.S(kNames[kind]);
}

void Check::Walk() {
  const bool savedAbort = ui_.abortRequest;
  ui_.abortRequest = false;
  prevKey_ = ui_.S(Str::Borjan);
  Report(ui_.S(Str::KontrollerarDatafilerna));
  for (int slot = 1; slot <= db_.count(); ++slot) {
    const TDatafil& f = db_.DataFile(slot);
    Report(f.FileName() + " " + f.title + " (" + KindName(f.kind()) + ")");
  }
  const SlotSet all = db_.AllDataSlots();
  if (db_.MainWordFile() == 0) {
    Fault(ui_.S(Str::IngenFullstandigOrdfil));
  } else if (!db_.PositionAtStart(all)) {
    // Every inscription is checked, the first one too: the files are put before their first
    // record instead of on the first record of the first region.
    Fault(ui_.S(Str::Lasfel));
  } else {
    TDatafil& main = db_.DataFile(db_.MainWordFile());
    for (int n = 0;; ++n) {
      // The walk ends after the last group, and at the end of the main word file whatever its
      // index says.
      if (!db_.WithinRegion(kOtherAreas) || main.file().AtEnd()) {
        for (int slot = 1; slot <= db_.count(); ++slot) {
          TDatafil& f = db_.DataFile(slot);
          if (!f.file().AtEnd())
            Fault(f.FileName() + ui_.S(Str::FilenInteSlutEfter) + std::string(f.BufferView()));
        }
        break;
      }
      if ((n & 255) == 0) ui_.host().ProcessEvents();
      if (ui_.abortRequest) {
        aborted_ = true;
        Report(ui_.S(Str::KontrollenAvbruten));
        break;
      }
      if (!db_.ReadNextInscription(all)) {
        Fault(ui_.S(Str::Lasfel));
        break;
      }
      CheckInscription();
    }
  }
  ui_.abortRequest = savedAbort;
}

bool Check::Conclude() {
  if (!failed_ && !aborted_) {
    ui_.ShowMessage(ui_.S(Str::IngaFelHittade) + "\n" + ui_.S(Str::ValjVidBehovRensa),
                    MsgKind::Information);
  } else if (!failed_) {
    if (!log_.IsOpen()) {
      ui_.ShowMessage(ui_.S(Str::KontrollenAvbruten) + ui_.S(Str::FortsattPaEgenRisk),
                      MsgKind::Warning);
      ui_.errorsNoted = true;
    }
  } else {
    Report(ui_.S(Str::DatafilernaFelaktiga));
    ui_.errorsNoted = true;
    if (log_.IsOpen()) Report(ui_.S(Str::FellistaPa) + logName_);
    ui_.ShowMessage(ui_.S(Str::FelPaDatafilerna), MsgKind::Information);
  }
  if (log_.IsOpen()) ui_.CheckIOResult(log_.Commit(), logName_);
  return !failed_ && !aborted_;
}

void Check::CheckInscription() {
  // Each file's signum once, for its comparisons with the files before and after it.
  std::array<std::string_view, kMaxDataFiles + 1>& signums = signums_;
  for (int slot = 1; slot <= db_.count(); ++slot)
    signums[static_cast<std::size_t>(slot)] = SignumOf(db_.DataFile(slot));
  const int mainSlot = db_.MainWordFile();
  const TKombifil& main = db_.File(mainSlot);
  // The signum with any NUL bytes in it: the raw line, not the text up to its first NUL.
  const std::string_view sv =
      RawSignumOf(db_.DataFile(mainSlot), signums[static_cast<std::size_t>(mainSlot)]);
  const std::string s(sv);

  // Its blanks (three at most) and NUL bytes, in one pass.
  int blanks = 0;
  std::size_t first = 0, second = 0;
  bool nul = false;
  if (!BlanksOfShortSignum(db_.DataFile(mainSlot), sv, blanks, first, second, nul)) {
    for (std::size_t i = 0; i < s.size(); ++i) {
      if (s[i] == ' ') {
        if (blanks == 0) first = i;
        if (blanks == 1) second = i;
        ++blanks;
      }
      nul |= s[i] == '\0';
    }
  }
  if (!s.empty() && s[0] == ' ') Fault(ui_.S(Str::SignumBorjarMedBlank) + s);
  if (nul) Fault(ui_.S(Str::ForKortRad) + std::string(main.Line()));
  if (blanks > 0 && first + 1 < s.size() && s[first + 1] == ' ')
    Fault(ui_.S(Str::SignumSaknarNummer) + s);
  if (blanks < 2)
    Fault(ui_.S(Str::SignumSaknarNummer) + s);
  else if (blanks == 2)
    Fault(ui_.S(Str::SignumSaknarTyp) + s);

  const int g = groups_.GroupOf(s);
  if (g >= 1 && g < kFaultyGroup && g != prevGroup_) {
    if (g < prevGroup_) {
      Fault(ui_.S(Str::SignumIFelOrdning) + " " + s);
    } else {
      prevGroup_ = g;
      const int region = RegionOf(s, &ui_.otherAreasSeen);
      if (region != prevRegion_) {
        Report("  " + std::string(RegionInfo(region).name));
        prevRegion_ = region;
      }
    }
  }
  if (g == 0 || g == kFaultyGroup) Fault(ui_.S(Str::FelaktigtSignum) + " " + s);

  SlotSet words = 0;
  for (int slot = 1; slot <= db_.count(); ++slot) {
    const TDatafil& f = db_.DataFile(slot);
    if (f.complete && f.status == kNotFound && !InSet(ended_, slot)) {
      // A complete file has a line for every inscription: this one ended early.
      Fault(f.FileName() + ui_.S(Str::FilenSlutFore) + s);
      ended_ |= SlotBit(slot);
    }
    if (f.status != kFound) continue;
    if (f.IsWordFile()) words |= SlotBit(slot);
    if (f.RawLength() == 0)
      Fault(f.FileName() + ui_.S(Str::HarTomRadEfter) + prevKey_);
    else if (f.RawLength() >= kLineCapacity)
      Fault(s + ": " + f.FileName() + ui_.S(Str::HarForLangRad));
    if (f.HeldNul()) [[unlikely]]
      Fault(s + ": " + f.FileName() + ui_.S(Str::HarNulTecken) + kNulStandIn + ")");
  }
  for (int slot = 1; slot < db_.count(); ++slot) {
    const TDatafil& a = db_.DataFile(slot);
    const TDatafil& b = db_.DataFile(slot + 1);
    // A file that is not complete may lack the inscription; that is no disagreement.
    if (a.status != kFound || (!b.complete && b.status != kFound)) continue;
    const std::string_view sa = signums[static_cast<std::size_t>(slot)];
    const std::string_view sb = signums[static_cast<std::size_t>(slot) + 1];
    // Files that disagree on the inscription are faulty, whichever of them is wrong.
    if (sa != sb)
      Fault(ui_.S(Str::OlikaSignumI) + a.FileName() + " (" + std::string(sa) + ") & " +
            b.FileName() + " (" + std::string(sb) + ")");
  }

  // The key: the signum up to its second blank (padded with blanks when it has fewer).
  if (blanks >= 2) {
    const std::string_view k = sv.substr(0, second + 1);
    if (k == prevKey_) Fault(std::string(k) + ui_.S(Str::Upprepat));
    prevKey_.assign(k.substr(0, kMaxKeyLength));
  } else {
    const std::string k = UpToBlank(s, 2);
    if (k == prevKey_) Fault(k + ui_.S(Str::Upprepat));
    prevKey_ = k.substr(0, kMaxKeyLength);
  }

  CheckWords(s, words);
}

bool Check::WordsInStep(SlotSet words) {
  const int mainSlot = db_.MainWordFile();
  if (!InSet(words, mainSlot)) return false;
  WordSummary& main = mainSummary_;
  WordSummary& other = otherSummary_;
  if (!SummariseWords(db_.File(mainSlot), kMaxWordLength, main) || !main.plain ||
      main.count > kMaxWords)
    return false;
  for (int slot = 1; slot <= db_.count(); ++slot) {
    if (slot == mainSlot || !InSet(words, slot)) continue;
    if (!SummariseWords(db_.File(slot), kMaxWordLength, other) || !other.plain ||
        !other.SameWordsAs(main))
      return false;
  }
  return true;
}

void Check::CheckWords(const std::string& s, SlotSet words) {
  // Nearly every inscription's words agree: a summary of each file's line tells so without
  // walking them word by word.
  if (WordsInStep(words)) return;
  const int mainSlot = db_.MainWordFile();
  TKombifil& main = db_.File(mainSlot);
  db_.FirstWords(words);
  int count = 0;
  bool emptyWord = false;
  auto pair = [&](const std::string& what, const TKombifil& first, const TKombifil& second) {
    Fault(s + what);
    Fault(" " + first.FileName() + ": " + std::string(first.Word()));
    Fault(" " + second.FileName() + ": " + std::string(second.Word()));
  };
  // The word files of the inscription in slot order, once, for every word.
  std::array<const TKombifil*, kMaxDataFiles> files{};
  std::array<const TKombifil*, kMaxDataFiles> others{};  // without the main word file
  std::size_t fileCount = 0, otherCount = 0;
  for (int slot = 1; slot <= db_.count(); ++slot) {
    if (!InSet(words, slot)) continue;
    files[fileCount++] = &db_.File(slot);
    if (slot != mainSlot) others[otherCount++] = &db_.File(slot);
  }
  while (db_.NextWords(words)) {
    ++count;
    for (std::size_t i = 0; i < fileCount; ++i) {
      const TKombifil& f = *files[i];
      if (f.Word().size() > kMaxWordLength) {
        Fault(s + ": " + f.FileName() + ui_.S(Str::HarForLangtOrd));
        Fault(" " + std::string(f.Word()));
      }
      if (f.Word().empty()) emptyWord = true;
    }
    const bool mainMark = IsPageMark(main.Word());
    for (std::size_t i = 0; i < otherCount; ++i) {
      const TKombifil& f = *others[i];
      const bool mark = IsPageMark(f.Word());
      if (mainMark && mark && f.Word() != main.Word())
        pair(ui_.S(Str::OlikaSidmarkeringar), main, f);
      else if (mainMark && !mark)
        pair(ui_.S(Str::SidmarkeringarStammerEj), main, f);
      else if (!mainMark && mark)
        pair(ui_.S(Str::SidmarkeringarStammerEj), f, main);
    }
  }
  if (count > kMaxWords) Fault(s + ui_.S(Str::ForMangaOrd) + std::to_string(count));
  if (emptyWord) CompareWordCounts(s, words);
}

void Check::CompareWordCounts(const std::string& s, SlotSet words) {
  std::string text;
  for (int slot = 1; slot <= db_.count(); ++slot) {
    if (!InSet(words, slot)) continue;
    TKombifil& f = db_.File(slot);
    int other = 0;
    int marks = 0;
    f.FirstWord();
    while (f.NextWord()) ++(IsPageMark(f.Word()) ? marks : other);
    text += f.Extension() + ":" + std::to_string(other) + "+" + std::to_string(marks) + " ";
  }
  Fault(s + ui_.S(Str::OlikaOrdantal) + text.substr(0, kMaxKeyLength));
}

}  // namespace

bool CheckDataFiles(TDatabas& db, bool withLog) {
  return Check(db, withLog).Run();
}

bool ComputeAddressesAndCheck(TDatabas& db) {
  Ui& ui = db.ui();
  ui.ProgressLine(ui.S(Str::BeraknarGruppadresser));
  // Each file's lines and the check's are held back, and shown as the computation of every
  // file followed by the check would show them.
  const auto count = static_cast<std::size_t>(db.count());
  std::vector<HeldLines> fileLines(count + 1);
  std::vector<std::unique_ptr<AddressPass>> passes(count + 1);
  // Whatever happens, no file goes on feeding a pass that is gone, or on being read in order
  // where later walks look its lines up.
  struct Unfeed {
    TDatabas& db;
    ~Unfeed() {
      for (int slot = 1; slot <= db.count(); ++slot) {
        db.DataFile(slot).FeedLines(nullptr);
        db.DataFile(slot).inOrder = {};
      }
    }
  } unfeed{db};
  bool inOrder = true;
  for (int slot = 1; slot <= db.count(); ++slot) {
    TDatafil& f = db.DataFile(slot);
    passes[static_cast<std::size_t>(slot)] =
        db.BeginFedAddresses(f, &fileLines[static_cast<std::size_t>(slot)]);
    // A file that is not complete is read by lookups, which need its addresses: the walk
    // reads it in order instead, and the lookups are made once the addresses are known.
    if (!f.complete) f.inOrder.on = true;
  }
  auto check = std::make_unique<Check>(db, false);
  HeldLines checkLines;
  check->Hold(&checkLines);
  check->Walk();
  bool again = false;
  for (int slot = 1; slot <= db.count(); ++slot) {
    TDatafil& f = db.DataFile(slot);
    const auto i = static_cast<std::size_t>(slot);
    // Where the walk left a file read in order, before its pass reads on.
    const bool atEnd = f.inOrder.on && f.file().AtEnd();
    if (!db.FinishFedAddresses(f, *passes[i], &fileLines[i])) inOrder = false;
    // Where the lookups of a file read in order would have found other lines, the walk is made
    // again with the lookups.
    if (f.inOrder.on && !db.InOrderReadingAgrees(f, atEnd)) again = true;
  }
  // The check ends after the main word file's last group. Where that file ends with faulty
  // signums, their group begins before its last line, which the walk could not know: it read
  // on, and the check is made again from the start.
  const int main = db.MainWordFile();
  if (main != 0) {
    // Every file's pass leaves it after its last line.
    const TDatafil& f = db.DataFile(main);
    if (f.address()[kFaultyGroup] < f.lineCounter - 1) again = true;
  }
  if (again && !check->aborted()) {  // unless the user stopped it
    checkLines.clear();
    check = std::make_unique<Check>(db, false);
    check->Hold(&checkLines);
    check->Walk();
  }
  check->Hold(nullptr);
  for (const HeldLines& lines : fileLines) ui.ShowHeld(lines);
  if (!inOrder) ui.ShowMessage(ui.S(Str::FelPaDatafilerna), MsgKind::Information);
  ui.ShowHeld(checkLines);
  return check->Conclude();
}

}  // namespace stavbas
