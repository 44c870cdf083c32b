// Finding inscriptions by signum and walking the files in step. Every scan is bounded by the
// group addresses: a lookup reads only the lines of its own group or region.

#include <optional>

#include "database/databas.h"

namespace stavbas {

void TDatabas::ReportReadError(const TKombifil& f, int error) {
  ui_.ShowMessage(
      ui_.S(Str::FelMedInlasningAv) + f.path() + ui_.S(Str::Felkod) + std::to_string(error),
      MsgKind::Information);
}

namespace {

// Whether the text up to its first NUL begins with `prefix`, compared as signums are. Asks
// nothing of the text after the prefix.
bool BufferStartsWith(const char* text, std::string_view prefix) {
  const ByteTable& up = SystemUpper();
  for (size_t i = 0; i < prefix.size(); ++i) {
    const char c = text[i];
    if (c == '\0') return false;
    if (c != prefix[i] &&
        up[static_cast<unsigned char>(c)] != up[static_cast<unsigned char>(prefix[i])])
      return false;
  }
  return true;
}

}  // namespace

void TDatabas::SetCurrent(const TKombifil& f) {
  // The line's words begin after its signum. A signum of the other areas enables their box.
  SetCurrentSignum(std::string_view(f.Line(), static_cast<std::size_t>(f.Cursor() - f.Line())),
                   &ui_.otherAreasSeen);
}

void TDatabas::SetSignum(std::string_view text, bool interactive) {
  const std::string_view t = Trim(text);
  given_ = std::string(t);
  int blanks = 0;
  for (char c : t) blanks += c == ' ';
  bool faulty = false;
  if (blanks >= 2) {
    key_ = UpToBlank(t, 2);
    exact_ = true;
  } else if (blanks == 1 && t.back() == '*') {
    key_ = std::string(t.substr(0, t.size() - 1));
    exact_ = false;
  } else if (blanks == 1) {
    key_ = std::string(t) + " ";
    exact_ = true;
  } else {
    key_.clear();
    exact_ = true;
    faulty = true;
  }
  ok_ = !faulty;
  if (faulty) {
    const std::string msg = ui_.S(Str::FelaktigtSignum) + ": " + given_;
    if (interactive)
      ui_.ShowMessage(msg + ". " + ui_.S(Str::Avbryt) + "?", MsgKind::Confirmation);
    else
      ui_.ShowMessage(msg, MsgKind::Information);
  }
  if (!current_.empty() && (!exact_ || faulty || key_ != current_)) readSet_ = 0;
}

int TDatabas::Scan(TDatafil& f, std::string_view key, std::int32_t from, std::int32_t limit,
                   int region) {
  Prepare(f);
  int status = kNotFound;
  if (from > 0) {
    if (const int err = f.SeekLine(from)) {
      ReportReadError(f, err);
      status = kReadError;
    }
  }
  if (status == kNotFound) {
    // A region's first record is its first record line, whatever its code (the other areas
    // have many codes, and a code may be written with a folded letter).
    auto matches = [&](std::string_view line) {
      return region ? IsRecordLine(line) && RegionOf(line) == region : StartsWithNoCase(line, key);
    };
    bool found = false;
    const LineFile::Result r =
        f.ReadUntil(region ? std::string_view() : key, matches, limit, found);
    if (r == LineFile::Result::Error) {
      ReportReadError(f, f.file().error());
      status = kReadError;
    } else if (found) {
      status = kFound;
    }
  }
  f.status = status;
  if (status == kFound)
    f.TakeBuffer();
  else
    f.ClearLine();
  return status;
}

template <class ScanWith>
int TDatabas::ScanSettled(TDatafil& f, ScanWith scan) {
  const std::int32_t start = f.lineCounter;
  const int status = scan();
  if (!SettleAddresses(f)) return status;
  if (const int err = f.SeekLine(start)) {
    ReportReadError(f, err);
    f.ClearLine();
    return f.status = kReadError;
  }
  return scan();
}

int TDatabas::ScanExact(TDatafil& f, std::string_view key) {
  Prepare(f, true);
  const int g = GroupOf(key);
  const std::int32_t first = f.address()[g];
  const std::int32_t limit = f.address()[g + 1 <= kGroupCount ? g + 1 : kGroupCount];
  if (const std::optional<int> status = ScanRising(f, key, first, limit)) return *status;
  if (f.lineCounter > first && f.lineCounter < limit) {
    const int status = Scan(f, key, 0, limit);
    if (status != kNotFound) return status;
  }
  return Scan(f, key, first, limit);
}

std::optional<int> TDatabas::ScanRising(TDatafil& f, std::string_view key, std::int32_t first,
                                        std::int32_t limit) {
  // The scan of a group reads its lines and the next group's first line. When the group's keys
  // rise, a key occurs once at most and lies in one stretch between two kept keys; the next
  // group's first line must then be known not to hold it. A longer key (a signum as read)
  // can only match the line of its first two parts.
  const SignumIndex& index = f.signums();
  const std::optional<std::string> k = SignumIndex::KeyOf(key);
  if (!k || first >= limit || !index.Rising(first, limit - 1)) return std::nullopt;
  const std::optional<std::string_view> after = index.KeyAt(limit);
  if (!after || *after == *k) return std::nullopt;
  const SignumIndex::Stretch s = index.StretchOf(*k, first, limit - 1);
  const int status = Scan(f, key, s.first, s.last);
  if (status != kNotFound) return status;
  // Where the scan of the whole group would have left the file.
  if (const int err = f.SeekLine(limit + 1)) {
    ReportReadError(f, err);
    return f.status = kReadError;
  }
  return status;
}

bool TDatabas::FindInscription(SlotSet set, bool keep) {
  if (!keep) readSet_ &= SlotBit(0);
  SlotSet toRead = set & static_cast<SlotSet>(~readSet_);
  if (InSet(toRead, 0)) {
    inputList_->EmptyLine();
    toRead &= static_cast<SlotSet>(~SlotBit(0));
  }
  if (toRead == 0) {
    readSet_ |= set;
    return ok_ = true;
  }
  GroupRange range{GroupOf(key_), GroupOf(key_)};
  if (!exact_) range = RegionRange(key_);
  if (range.last == kFaultyGroup) {
    ui_.ShowMessage(ui_.S(Str::FelaktigtSignum) + ": " + given_, MsgKind::Information);
    return ok_ = false;
  }
  bool currentTaken = false;  // the first file found gives the current signum
  for (int slot = 1; slot <= count_; ++slot) {
    if (!InSet(toRead, slot)) continue;
    TDatafil& f = DataFile(slot);
    Prepare(f, exact_);
    int status;
    if (!f.complete) {
      status = ScanExact(f, current_.empty() ? std::string_view(key_) : current_);
      if (status == kNotFound) status = f.status = kNotInIncomplete;
    } else if (exact_) {
      status = ScanExact(f, key_);
    } else {
      status = ScanSettled(f, [&] {
        const std::int32_t first = f.address()[range.first];
        const std::int32_t limit = f.address()[range.last + 1];
        return Scan(f, key_, keep ? first : 0, limit);
      });
    }
    if (status == kNotInIncomplete) continue;
    if (status == kNotFound) {
      if (keep)
        ui_.ShowMessage(ui_.S(Str::HittarInteSignum) + given_ + "  (" + f.FileName() + ")",
                        MsgKind::Information);
      return ok_ = false;
    }
    if (status == kReadError) {
      ui_.ShowMessage(ui_.S(Str::KanInteLasaRadI) + " " + f.FileName(), MsgKind::Information);
      return ok_ = false;
    }
    if (!currentTaken) {
      SetCurrent(f);
      currentTaken = true;
    }
  }
  readSet_ |= set;
  return ok_ = true;
}

bool TDatabas::FindGivenInscription(SlotSet set, std::string_view signum) {
  const std::string savedKey = key_;
  const std::string savedGiven = given_;
  const bool savedExact = exact_;
  key_ = UpToBlank(signum, 2);
  given_ = std::string(signum);
  exact_ = true;
  // What was read for another inscription is read again.
  if (!StartsWithNoCase(current_, key_)) readSet_ &= SlotBit(0);
  const bool found = FindInscription(set, true);
  key_ = savedKey;
  given_ = savedGiven;
  exact_ = savedExact;
  return found;
}

bool TDatabas::PositionAtRegion(int region, SlotSet set) {
  ok_ = true;
  const Region& r = RegionInfo(region);
  given_ = std::string(r.code) + " *";
  key_ = std::string(r.code) + " ";
  exact_ = false;
  bool currentSet = false;
  // Complete files come first in slot order: they give the inscription on which the files that
  // are not complete are then looked up.
  for (int slot = 1; slot <= count_; ++slot) {
    if (!InSet(set, slot)) continue;
    TDatafil& f = DataFile(slot);
    Prepare(f);
    int status;
    if (f.complete) {
      status = ScanSettled(f, [&] {
        return Scan(f, {}, f.address()[r.firstGroup],
                    f.address()[RegionInfo(kOtherAreas).firstGroup], region);
      });
      if (status == kNotFound) f.status = kFound;  // an empty line: the region has no records
      if (!currentSet && status == kFound) {
        SetCurrent(f);
        currentSet = true;
      }
    } else {
      status = current_.empty() ? kNotFound : ScanExact(f, current_);
      if (status == kNotFound) f.status = kNotInIncomplete;
    }
    if (status == kReadError) ok_ = false;
  }
  return ok_;
}

bool TDatabas::PositionAtStart(SlotSet set) {
  ok_ = true;
  SetCurrentSignum({});
  for (int slot = 1; slot <= count_; ++slot) {
    if (!InSet(set, slot)) continue;
    TDatafil& f = DataFile(slot);
    Prepare(f);
    int err = f.SeekLine(1);
    // Pass the header; the first record line is the next one to read.
    std::int32_t first = 1;
    while (!err) {
      const LineFile::Result r = f.ReadNextLine();
      if (r == LineFile::Result::Error) err = f.file().error();
      if (r != LineFile::Result::Line || IsRecordLine(f.BufferView())) break;
      first = f.lineCounter;
    }
    if (!err) err = f.SeekLine(first);
    SettleAddresses(f);
    f.ClearLine();
    f.status = f.complete ? kNotFound : kNotInIncomplete;
    if (f.inOrder.on) {
      f.inOrder = {};
      f.inOrder.on = true;
    }
    if (err) {
      ReportReadError(f, err);
      f.status = kReadError;
      ok_ = false;
    }
  }
  return ok_;
}

bool TDatabas::WithinRegion(int region) const {
  if (mainWordFile_ == 0) return false;
  const int next = region < kRegionCount ? RegionInfo(region + 1).firstGroup : kFaultyGroup;
  const TDatafil& f = DataFile(mainWordFile_);
  return f.lineCounter <= f.address()[next];
}

int TDatabas::ReadIncomplete(TDatafil& f) {
  if (f.inOrder.on) return ReadIncompleteInOrder(f);
  if (f.status == kNotFound || f.status == kNotInIncomplete || f.status == kReadError) {
    const int status = current_.empty() ? kNotFound : ScanExact(f, current_);
    if (status == kNotFound) f.status = kNotInIncomplete;
    return f.status;
  }
  if (f.status == kFound) {
    const LineFile::Result r = f.ReadNextLine();
    if (r == LineFile::Result::Error) {
      ui_.ShowErrorNumber(f.file().error(), MsgKind::Information);
      f.ClearLine();
      return f.status = kReadError;
    }
    if (r == LineFile::Result::End) {
      f.ClearLine();
      return f.status = kNotFound;
    }
  }
  // A line just read, or one held back before: it belongs to this inscription or waits.
  if (!current_.empty() && BufferStartsWith(f.Buffer(), current_)) {
    f.TakeBuffer();
    return f.status = kFound;
  }
  f.ClearLine();
  return f.status = kHeldBack;
}

int TDatabas::ReadIncompleteInOrder(TDatafil& f) {
  TDatafil::InOrderReading& r = f.inOrder;
  // Where ReadIncomplete would look the inscription up, this reads on; everything else is as
  // ReadIncomplete does it.
  const bool lookup =
      f.status == kNotFound || f.status == kNotInIncomplete || f.status == kReadError;
  if (lookup && current_.empty()) return f.status = kNotInIncomplete;  // as without a lookup
  if (!r.held && !r.ended) {
    const LineFile::Result read = f.ReadNextLine();
    r.held = read == LineFile::Result::Line;
    r.ended = !r.held;
    // A read error is left to the lookups' walk, which reports it.
    if (read == LineFile::Result::Error) r.failed = true;
  }
  const bool found = r.held && !current_.empty() && BufferStartsWith(f.Buffer(), current_);
  if (found) {
    f.TakeBuffer();
    r.held = false;
  } else {
    f.ClearLine();
  }
  if (lookup) r.lookups.push_back({current_, found ? f.lineCounter - 1 : 0});
  r.lastLooked = lookup;
  if (found) return f.status = kFound;
  if (lookup) return f.status = kNotInIncomplete;
  return f.status = r.ended ? kNotFound : kHeldBack;
}

bool TDatabas::InOrderReadingAgrees(TDatafil& f, bool atEnd) {
  const TDatafil::InOrderReading r = std::move(f.inOrder);
  f.inOrder = {};
  if (r.failed) return false;
  // The lookups as ReadIncomplete would have made them. They come in two runs: from the file's
  // first record until a line is found, and after its end, where the reading finds nothing. A
  // lookup goes on from the file's current line only where that lies inside the key's group,
  // after its first line: not at the first record, nor at the end, where the pass left the
  // file. So the first run finds here the lines it found there, the second finds a line here
  // where it found one there, and a lookup that finds none leaves the file after its group.
  for (const TDatafil::InOrderReading::Lookup& l : r.lookups) {
    const int status = ScanExact(f, l.key);
    if (status == kReadError || (status == kFound ? f.lineCounter - 1 : 0) != l.found) return false;
  }
  // The walk's end tells whether the file was read to its end, and shows the line where it
  // was not: after a lookup that would be another line.
  return !r.lastLooked || (atEnd && f.file().AtEnd());
}

bool TDatabas::ReadNextInscription(SlotSet set) {
  ok_ = true;
  bool first = true;
  if (InSet(set, 0)) inputList_->EmptyLine();
  for (int slot = 1; slot <= count_; ++slot) {
    if (!InSet(set, slot)) continue;
    TDatafil& f = DataFile(slot);
    Prepare(f);
    if (f.complete) {
      const LineFile::Result r = f.ReadNextLine();
      if (r == LineFile::Result::Line) {
        f.TakeBuffer();
        // Loaded addresses that the line shows not to be the file's are settled before the
        // walk asks them where the region ends.
        SettleAddresses(f);
      } else {
        f.ClearLine();
        f.status = kNotFound;
        if (r == LineFile::Result::Error) {
          ReportReadError(f, f.file().error());
          f.status = kReadError;
        }
      }
      if (r != LineFile::Result::Error && f.file().AtEnd()) {
        ui_.endOfData = true;
        CheckAtEnd(f);
      }
    } else {
      ReadIncomplete(f);
    }
    if (f.status > 0) {
      ui_.ShowMessage(ui_.S(Str::KanInteLasaRadI) + f.FileName(), MsgKind::Information);
      return ok_ = false;
    }
    if (first) {
      SetCurrent(f);
      first = false;
    }
  }
  readSet_ = set;
  return ok_;
}

bool TDatabas::NextListedSignum() {
  const std::string_view text = inputList_->Cursor();
  if (TInputList::IsNonRecord(text)) {
    given_.clear();
    readSet_ = 0;
    return false;
  }
  SetSignum(SignumOfLine(text), true);
  readSet_ = SlotBit(0);
  return true;
}

}  // namespace stavbas
