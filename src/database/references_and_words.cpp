// The files that the codes refer to, and the operations that step the words of several files
// of the current inscription together.

#include <bit>
#include <filesystem>

#include "base/file_listing.h"
#include "database/databas.h"
#include "database/word_steps.h"

namespace stavbas {

// ---- reference sets and the main word file ----

void TDatabas::SetSearchReferences(FileRefSets sets) {
  searchRefs_ = sets;
  UpdateMainWordFile();
}

void TDatabas::SetFormatReferences(FileRefSets sets) {
  formatRefs_ = sets;
  UpdateMainWordFile();
}

void TDatabas::SetConditionReferences(SlotSet all) {
  conditionRefs_ = all;
  UpdateMainWordFile();
}

void TDatabas::UpdateMainWordFile() {
  wordSet_ = searchRefs_.words | formatRefs_.words;
  fullSet_ = searchRefs_.all | formatRefs_.all | conditionRefs_;
  mainWordFile_ = 0;
  auto firstIn = [this](SlotSet set) {
    for (int slot = 1; slot <= count_; ++slot) {
      const TDatafil& f = DataFile(slot);
      if (InSet(set, slot) && f.complete && f.IsWordFile()) return slot;
    }
    return 0;
  };
  if ((mainWordFile_ = firstIn(wordSet_)) != 0) return;
  if ((mainWordFile_ = firstIn(fullSet_)) != 0) {
    wordSet_ |= SlotBit(mainWordFile_);
    return;
  }
  if ((mainWordFile_ = firstIn(AllDataSlots())) != 0) {
    wordSet_ |= SlotBit(mainWordFile_);
    fullSet_ |= SlotBit(mainWordFile_);
  }
}

int TDatabas::SlotOfExtension(std::string_view ext) const {
  for (int slot = 1; slot <= count_; ++slot)
    if (EqualsNoCase(DataFile(slot).Extension(), ext)) return slot;
  return -1;
}

FileReference TDatabas::ParseFileReference(std::string_view code, FileRefSets& sets) const {
  FileReference ref;
  if (!code.empty() && code[0] == '$') {
    if (code.size() > 1 && code[1] >= '1' && code[1] <= '3') {
      ref.kind = kRefSignumPart1 + (code[1] - '1');
      ref.length = 2;
    } else {
      ref.kind = kRefSignum;
      ref.length = 1;
    }
    return ref;
  }
  auto fail = [&ref](std::uint16_t error) {
    ref.kind = kRefError;
    ref.error = error;
    return ref;
  };
  std::size_t n = 0;
  if (!code.empty() && code[0] == '?') {
    ref.slot = 0;
    n = 1;
  } else {
    auto isAlnum = [](char c) {
      return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    };
    while (n < code.size() && isAlnum(code[n])) ++n;
    if (n == 0) return fail(4200);
    if (n > 3) return fail(4201);
    ref.slot = SlotOfExtension(code.substr(0, n));
    if (ref.slot < 0) return fail(4202);
  }
  const TKombifil& f = File(ref.slot);
  const char next = n < code.size() ? code[n] : '\0';
  if (next == '%') {
    ref.kind = kRefWholeText;
    ++n;
  } else if (next == ';') {
    if (!f.IsInfoFile()) return fail(4203);
    const char c =
        n + 1 < code.size() ? static_cast<char>(SystemUpper()[(unsigned char)code[n + 1]]) : '\0';
    if (c == '*')
      ref.kind = kRefAllInfoFields;
    else if (c >= 'A' && c <= 'Z') {
      ref.kind = kRefInfoField;
      ref.letter = c;
    } else {
      return fail(4161);
    }
    n += 2;
  } else if (f.IsWordFile()) {
    ref.kind = kRefWords;
  } else if (f.IsInfoFile()) {
    ref.kind = kRefAllInfoFields;
  } else {
    ref.kind = kRefWholeText;
  }
  ref.length = static_cast<int>(n);
  sets.all |= SlotBit(ref.slot);
  if (ref.kind == kRefWords) sets.words |= SlotBit(ref.slot);
  return ref;
}

// ---- signum of the current inscription ----

std::string TDatabas::SignumText(bool given, bool full) const {
  if (!given && full) return current_;
  return UpToBlank(given ? given_ : current_, full ? 3 : 2);
}

std::string_view TDatabas::SignumPart(int kind) const {
  const int part = kind - kRefSignumPart1 + 1;
  const std::string_view s = current_;
  std::size_t start = 0;
  for (int i = 1; i < part; ++i) {
    const std::size_t blank = s.find(' ', start);
    if (blank == std::string_view::npos) return {};
    start = blank + 1;
  }
  const std::size_t end = s.find(' ', start);
  if (end == std::string_view::npos) return {};  // a part without its blank is no part
  return s.substr(start, end - start);
}

// ---- words of several files ----

namespace {

// Calls `step` with every slot of a set up to `last`, in rising order; a word walk's set holds
// a file or two, so the slots not in it are not looked at.
template <typename Step>
void ForEachSlot(SlotSet set, int last, Step&& step) {
  for (unsigned rest = set & ((2u << last) - 1); rest != 0; rest &= rest - 1)
    step(std::countr_zero(rest));
}

}  // namespace

void TDatabas::FirstWords(SlotSet set) {
  ForEachSlot(set, count_, [this](int slot) { File(slot).FirstWord(); });
}

bool TDatabas::NextWords(SlotSet set) {
  bool any = false;
  bool more = false;
  ForEachSlot(set, count_, [&](int slot) {
    TKombifil& f = File(slot);
    if (StepsEnded(f)) return;  // a shorter line than the others': nothing changes
    if (NextWordInline(f)) any = true;
    if (f.MoreAlternatives()) more = true;
  });
  anyMore_ = more;
  return any;
}

void TDatabas::NextAlternatives(SlotSet set) {
  bool more = false;
  ForEachSlot(set, count_, [&](int slot) {
    TKombifil& f = File(slot);
    if (!f.MoreAlternatives()) return;
    f.NextAlternative();
    if (f.MoreAlternatives()) more = true;
  });
  anyMore_ = more;
}

void TDatabas::UseAlternatives(SlotSet set, SaveArea& save) {
  ForEachSlot(set, count_, [&](int slot) {
    TKombifil& f = File(slot);
    if (f.IsNormalised()) f.properName = f.IsProperName();
    save[slot] = f.words().word;
    f.words().word = f.words().alt;
  });
}

void TDatabas::RestoreWords(SlotSet set, const SaveArea& save) {
  ForEachSlot(set, count_, [&](int slot) {
    TKombifil& f = File(slot);
    f.words().word = save[slot];
    f.properName = false;
  });
}

bool TDatabas::AnyMoreAlternatives(SlotSet set) const {
  bool more = false;
  ForEachSlot(set, count_, [&](int slot) { more = more || File(slot).MoreAlternatives(); });
  return more;
}

// ---- files and folders ----

std::string TDatabas::DataDirectory() const {
  return count_ == 0 ? std::string() : FolderOf(DataFile(1).path());
}

std::string TDatabas::BaseName() const {
  if (count_ == 0) return {};
  const std::string name = DataFile(1).FileName();
  return name.substr(0, name.find('.'));
}

std::string TDatabas::LiteratureList() const {
  if (count_ == 0) return {};
  std::filesystem::path p(DataFile(1).path());
  p.replace_extension(".LIT");
  return FindFileNoCase(p.string());
}

}  // namespace stavbas
