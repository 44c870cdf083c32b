// The group-address index: for every data file, the line on which each signum group begins.
// It is computed by one pass over the files and kept in the index file, keyed by each data
// file's size and date-time stamp.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "base/atomic_file.h"
#include "base/file_listing.h"
#include "database/address_pass.h"
#include "database/databas.h"

namespace stavbas {
namespace {

constexpr std::uint16_t kRecordSize = 284;

void PutLe32(unsigned char* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

std::uint32_t GetLe32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

bool TDatabas::ComputeGroupAddresses() {
  ui_.ProgressLine(ui_.S(Str::BeraknarGruppadresser));
  bool fault = false;
  for (int slot = 1; slot <= count_; ++slot)
    if (!ComputeFileAddresses(DataFile(slot))) fault = true;
  if (fault) ui_.ShowMessage(ui_.S(Str::FelPaDatafilerna), MsgKind::Information);
  return !fault;
}

namespace {

// Hands the lines from where f stands to its end to the pass. They are looked at where they
// lie in the read buffer, each as the line buffer would hold it (up to a NUL byte, which the
// read buffer rarely holds).
LineFile::Result PassRest(TDatafil& f, AddressPass& pass) {
  return f.file().ForEachLine(AddressPass::kSignumBytes,
                              [&](std::uint64_t offset, std::string_view line, bool mayHoldNul) {
                                pass.Line(offset, AddressPass::Taken(line, mayHoldNul));
                              });
}

// Leaves f as reading line by line leaves it after its last line, with an empty buffer.
void LeaveAtEnd(TDatafil& f, const AddressPass& pass, std::int32_t linesPassed) {
  f.lineCounter = pass.NextLine();
  f.linesRead += static_cast<std::uint64_t>(linesPassed);
  f.Buffer()[0] = '\0';
  f.BufferLength() = 0;
}

}  // namespace

void TDatabas::AddressPassBegins(TDatafil& f, HeldLines* held) {
  ui_.ProgressLine(f.FileName(), false, held);
  if (const int err = f.file().Seek(0)) ReportReadError(f, err);
}

bool TDatabas::ComputeFileAddresses(TDatafil& f, HeldLines* held) {
  AddressPassBegins(f, held);
  AddressPass pass(ui_, f, held);
  if (PassRest(f, pass) == LineFile::Result::Error) ReportReadError(f, f.file().error());
  LeaveAtEnd(f, pass, pass.NextLine() - 1);
  return pass.Finish();
}

std::unique_ptr<AddressPass> TDatabas::BeginFedAddresses(TDatafil& f, HeldLines* held) {
  AddressPassBegins(f, held);
  // As the pass of its own would leave it for the walk: an empty buffer, on the first line.
  f.lineCounter = 1;
  f.Buffer()[0] = '\0';
  f.BufferLength() = 0;
  f.BeginAddresses();
  // The walk looks nothing up in a complete file: its signum index waits for the first
  // lookup, as after an opening that loads the addresses. The lookups in a file that is not
  // complete come right after the walk.
  auto pass = std::make_unique<AddressPass>(ui_, f, held, !f.complete);
  f.FeedLines(pass.get());
  return pass;
}

bool TDatabas::FinishFedAddresses(TDatafil& f, AddressPass& pass, HeldLines* held) {
  const bool inOrder = f.FedInOrder() && f.lineCounter == pass.NextLine();
  f.FeedLines(nullptr);
  if (!inOrder) {
    // The walk did not read the file line by line from its start: a pass of its own.
    if (held) held->clear();
    return ComputeFileAddresses(f, held);
  }
  // The lines the walk left unread, as where it stopped early.
  const std::int32_t before = pass.NextLine();
  if (PassRest(f, pass) == LineFile::Result::Error) ReportReadError(f, f.file().error());
  if (pass.NextLine() != before) LeaveAtEnd(f, pass, pass.NextLine() - before);
  return pass.Finish();
}

bool TDatabas::LoadGroupAddresses(const std::string& path) {
  const std::string name = NameOf(path);
  ui_.ProgressLine(name);
  FilePtr in(std::fopen(path.c_str(), "rb"));
  if (!in) return !ui_.CheckIOResult(errno ? errno : ENOENT, name);
  unsigned char head[2];
  if (std::fread(head, 1, 2, in.get()) != 2) {
    ui_.CheckIOResult(std::ferror(in.get()) ? errno : kReadPastEnd, name);
    return false;
  }
  if ((head[0] | head[1] << 8) != kRecordSize) {
    ui_.FaultLine(ui_.S(Str::FelVersionAv) + name);
    return false;
  }
  std::vector<std::optional<TDatafil::Addresses>> loaded(static_cast<std::size_t>(count_) + 1);
  unsigned char rec[kRecordSize];
  for (;;) {
    const std::size_t n = std::fread(rec, 1, kRecordSize, in.get());
    if (n == 0 && !std::ferror(in.get())) break;
    if (n != kRecordSize) {
      ui_.CheckIOResult(std::ferror(in.get()) ? errno : kReadPastEnd, name);
      return false;
    }
    std::string ext(reinterpret_cast<const char*>(rec), 3);
    while (!ext.empty() && ext.back() == ' ') ext.pop_back();
    const int slot = SlotOfExtension(ext);
    if (slot < 1) continue;
    TDatafil& f = DataFile(slot);
    if (f.dateTime != GetLe32(rec + 4) || f.size != GetLe32(rec + 8)) {
      ui_.FaultLine(f.FileName() + ui_.S(Str::Andrad));
      return false;
    }
    TDatafil::Addresses a{};
    for (int g = 1; g <= kGroupCount; ++g)
      a[g] = static_cast<std::int32_t>(GetLe32(rec + 12 + 4 * (g - 1)));
    // A file edited without a change of size or time stamp, or a damaged index, could send
    // every walk and scan past the file's end. What the record alone tells is checked here;
    // the rest is checked against the file itself before it is used (TDatabas::Prepare).
    if (!AddressesFit(a, f.size)) {
      ui_.FaultLine(f.FileName() + ui_.S(Str::Andrad));
      return false;
    }
    loaded[slot] = a;
  }
  for (int slot = 1; slot <= count_; ++slot) {
    if (!loaded[slot]) {
      ui_.FaultLine(name + ui_.S(Str::Ofullstandig));
      return false;
    }
  }
  for (int slot = 1; slot <= count_; ++slot) {
    TDatafil& f = DataFile(slot);
    f.SetAddresses(*loaded[slot], {});
    f.passPending = true;
    f.BeginVerifying();
  }
  indexPath_ = path;
  return true;
}

bool TDatabas::AddressesFit(const TDatafil::Addresses& a, std::uint32_t size) {
  // The addresses of a file rise with the group, and every line takes a byte at least.
  for (int g = 1; g <= kGroupCount; ++g)
    if (a[g] < 0 || (g > 1 && a[g] < a[g - 1])) return false;
  return static_cast<std::uint64_t>(a[kGroupCount]) <= std::uint64_t{size} + 1;
}

void TDatabas::PrepareLoaded(TDatafil& f) {
  f.passPending = false;
  f.EndVerifying();
  const std::int32_t line = f.lineCounter;
  if (PassLoaded(f)) return;
  RecomputeChanged(f);
  if (const int err = f.SeekLine(line)) ReportReadError(f, err);
}

void TDatabas::RecomputeChanged(TDatafil& f) {
  // The file is not the one the index was made from. Its addresses are computed now; the
  // index is marked stale, so that the next opening computes and checks every file again.
  ui_.FaultLine(f.FileName() + ui_.S(Str::Andrad));
  ui_.ProgressLine(ui_.S(Str::BeraknarGruppadresser));
  if (!ComputeFileAddresses(f)) ui_.ShowMessage(ui_.S(Str::FelPaDatafilerna), MsgKind::Information);
  SaveGroupAddresses(indexPath_, &f);
}

void TDatabas::CheckAtEnd(TDatafil& f) {
  if (!f.passPending || !f.file().AtEnd()) return;
  // Read from its start, line by line or by seeks to lines already passed, the file has shown
  // every line to its verifier, and noted the offsets of the groups' first lines on the way.
  const AddressVerifier::Verdict verdict = f.LoadedAddressesAtEnd();
  if (verdict == AddressVerifier::Verdict::kFits) {
    f.passPending = false;
    f.EndVerifying();
    f.indexPending = true;
    return;
  }
  Settle(f, verdict);
}

void TDatabas::Settle(TDatafil& f, AddressVerifier::Verdict verdict) {
  f.passPending = false;
  f.EndVerifying();
  // The passes clear the line buffer, which may hold the line just read.
  const std::int32_t line = f.lineCounter;
  const std::string kept(f.Buffer(), kLineCapacity + 1 + kSplitPadding);
  const std::size_t length = f.BufferLength();
  if (verdict == AddressVerifier::Verdict::kDiffers || !PassLoaded(f)) RecomputeChanged(f);
  if (const int err = f.SeekLine(line)) ReportReadError(f, err);
  std::memcpy(f.Buffer(), kept.data(), kept.size());
  f.BufferLength() = length;
}

namespace {

// Hands every line of f from its start to `visit(number, offset, line, groupStart)`, where
// `groupStart` tells whether a group begins on it by f's addresses, and `line` shows at least
// the signum index's key bytes. Returns the lines counted, and 0 or the system's error number.
template <class Visit>
std::pair<std::int32_t, int> ForEachNumberedLine(TDatafil& f, Visit&& visit) {
  const TDatafil::Addresses& a = f.address();
  std::vector<std::int32_t> wanted(a.begin() + 1, a.end());
  std::sort(wanted.begin(), wanted.end());
  LineFile& file = f.file();
  if (const int err = file.Seek(0)) return {0, err};
  std::int32_t lines = 0;
  auto next = wanted.begin();
  // The lines are looked at where they lie in the read buffer.
  const LineFile::Result r =
      file.ForEachLine(SignumIndex::kMaxKey, [&](std::uint64_t offset, std::string_view line) {
        ++lines;
        while (next != wanted.end() && *next < lines) ++next;
        visit(lines, offset, line, next != wanted.end() && *next == lines);
      });
  return {lines, r == LineFile::Result::Error ? file.error() : 0};
}

}  // namespace

bool TDatabas::PassLoaded(TDatafil& f) {
  // One pass counts the lines and notes where each group's first line begins, so that
  // lookups seek there directly, and sees that the addresses are those its lines give. The
  // file is left where it stood.
  const std::uint64_t back = f.file().Offset();
  std::map<std::int32_t, std::uint64_t> offsets;
  f.signums().Clear();
  f.indexPending = false;
  AddressVerifier verifier(f.address());
  const auto [lines, err] = ForEachNumberedLine(
      f, [&](std::int32_t n, std::uint64_t offset, std::string_view line, bool groupStart) {
        if (groupStart) offsets[n] = offset;
        f.signums().Add(n, offset, line, groupStart);
        verifier.Line(line);
      });
  if (err) {
    ReportReadError(f, err);
    return false;
  }
  if (!verifier.Finish()) return false;
  if (const int err = f.file().Seek(back)) ReportReadError(f, err);
  f.SetAddresses(f.address(), offsets);
  return true;
}

void TDatabas::FillSignumIndex(TDatafil& f) {
  f.indexPending = false;
  const std::uint64_t back = f.file().Offset();
  f.signums().Clear();
  const int err = ForEachNumberedLine(f, [&](std::int32_t n, std::uint64_t offset,
                                             std::string_view line, bool groupStart) {
                    f.signums().Add(n, offset, line, groupStart);
                  }).second;
  if (err) {
    // Without an index, lookups read their whole group.
    ReportReadError(f, err);
    f.signums().Clear();
  }
  if (const int err = f.file().Seek(back)) ReportReadError(f, err);
  f.AddIndexCheckpoints();
}

bool TDatabas::SaveGroupAddresses(const std::string& path, const TDatafil* stale) {
  const std::string name = NameOf(path);
  ui_.ProgressLine(ui_.S(Str::Skriver) + name);
  AtomicFile out;
  // The index is written on the program's own: never through a link the folder holds.
  if (out.Open(path, Links::kRefuse) == 0) {
    const unsigned char head[2] = {kRecordSize & 0xFF, kRecordSize >> 8};
    out.Write({reinterpret_cast<const char*>(head), 2});
    for (int slot = 1; slot <= count_; ++slot) {
      const TDatafil& f = DataFile(slot);
      unsigned char rec[kRecordSize] = {};
      std::string ext = f.Extension();
      ext.resize(3, ' ');
      std::memcpy(rec, ext.data(), 3);
      // A stale file's record carries a stamp no file has: no date, and the largest size.
      PutLe32(rec + 4, &f == stale ? 0 : f.dateTime);
      PutLe32(rec + 8, &f == stale ? 0xFFFFFFFFu : f.size);
      for (int g = 1; g <= kGroupCount; ++g)
        PutLe32(rec + 12 + 4 * (g - 1), static_cast<std::uint32_t>(f.address()[g]));
      out.Write({reinterpret_cast<const char*>(rec), kRecordSize});
    }
    out.Commit();
  }
  // The database goes on with the addresses it has computed.
  return !ui_.CheckIOResult(out.error(), name);
}

}  // namespace stavbas
