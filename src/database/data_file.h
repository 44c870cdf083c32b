#pragma once
// A data file of the database (slots 1 to 15): a file object with its group addresses.
// The file is read forward line by line; the first line of each group is remembered by its
// byte offset once it has been passed, so that a scan from a group's first line seeks there
// directly instead of reading the file from its start.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "database/address_verifier.h"
#include "database/kombifil.h"
#include "database/regions.h"
#include "database/signum_index.h"

namespace stavbas {

class AddressPass;

class TDatafil : public TKombifil {
 public:
  using TKombifil::TKombifil;

  // address[g]: number of the line on which group g (1 to 68) begins.
  using Addresses = AddressVerifier::Addresses;
  const Addresses& address() const { return address_; }
  // Takes new addresses with the byte offsets of lines known so far (line number to offset);
  // the lines the signum index keeps are known too.
  void SetAddresses(const Addresses& addresses, const std::map<std::int32_t, std::uint64_t>& known);
  // Adds the lines the signum index keeps to the checkpoints, with their byte offsets; the
  // offsets known so far are kept.
  void AddIndexCheckpoints();
  // The finer index, filled by the pass that computes or checks the addresses, or by a pass
  // of its own when a lookup first needs it.
  SignumIndex& signums() { return signums_; }
  const SignumIndex& signums() const { return signums_; }

  // Positions so that line `n` is the next one read; 0 or the system's error number.
  int SeekLine(std::int32_t n);
  // Reads the next line into the buffer and counts it; the status is left to the caller.
  LineFile::Result ReadNextLine();
  // Reads lines up to line number `limit` until one `matches`; it is then in the buffer. Lines
  // that do not begin with `prefix` (upper-case compare) are passed over without copying.
  LineFile::Result ReadUntil(std::string_view prefix,
                             const std::function<bool(std::string_view)>& matches,
                             std::int32_t limit, bool& found);
  // Byte offset of the next line to be read.
  std::uint64_t NextOffset() const { return file().Offset(); }

  // While a walk reads the file in order and computes its addresses on the way, every group
  // lies beyond any line; the checkpoints are dropped until the pass is finished.
  void BeginAddresses();
  // Hands the lines read from here on to `pass` in order (nullptr: to none). A line read again
  // after a seek back is not handed on twice; a line passed over or a jump ahead stops the
  // handing on, and the pass cannot be finished from where the walk stands (FedInOrder false).
  void FeedLines(AddressPass* pass);
  bool FedInOrder() const { return fedInOrder_; }

  // The addresses were loaded from the index and are still to be checked against the file: by
  // a pass over it, or by a reading in order that reaches its end.
  bool passPending = false;
  // While loaded addresses are not known to be the file's, every line the file passes in order
  // from its first (read, or passed over on the way to a line) is compared with them. The file
  // stands on its first line when this begins.
  void BeginVerifying() { verifier_.emplace(address_); }
  void EndVerifying() { verifier_.reset(); }
  // How the loaded addresses fare with the lines passed so far: kFits while they agree.
  AddressVerifier::Verdict LoadedAddressesVerdict() const {
    return verifier_ ? verifier_->verdict() : AddressVerifier::Verdict::kFits;
  }
  // At the file's end: kFits when every line was passed in order and the addresses are exactly
  // those the lines give, kDiffers when they are not, kUndecided when the lines do not tell.
  AddressVerifier::Verdict LoadedAddressesAtEnd();
  // The file was checked without filling its signum index, which a lookup fills first.
  bool indexPending = false;

  // A file that is not complete read in order where lookups would look its lines up (the
  // data-file check at opening, before its addresses are known): the lookups are made after
  // the walk, to see that they find what the reading found.
  struct InOrderReading {
    bool on = false;
    bool held = false;        // a line read waits in the buffer for its inscription
    bool ended = false;       // the file's end was reached
    bool failed = false;      // a read error
    bool lastLooked = false;  // the last inscription was one that a lookup would have read
    struct Lookup {
      std::string key;
      std::int32_t found;  // the line the reading took for it, 0 for none
    };
    std::vector<Lookup> lookups;
  };
  InOrderReading inOrder;

  // Lines read or compared by a scan, and lines passed over to reach a line number; for
  // measurements.
  std::uint64_t linesRead = 0;
  std::uint64_t linesSkipped = 0;

 private:
  void NoteCheckpoint();
  // ReadNextLine while the lines read are fed to an address pass (and shown to the verifier).
  LineFile::Result ReadAndFeed();
  // Passes over the next line, showing it to the verifier where it waits for it.
  LineFile::Result PassLine();
  // Shows line n to the verifier, where it waits for it.
  void Verify(std::int32_t n, std::string_view line);
  // Verify for the line ReadNextLine has just read.
  void VerifyRead();
  // Hands the line just read, from its offset, to the pass it is fed to.
  void Feed(std::uint64_t offset);
  // A line from lineCounter on is passed over without being read.
  void NoteSkip() {
    if (feed_ && lineCounter >= FedNext()) StopFeeding();
  }
  std::int32_t FedNext() const;
  void StopFeeding() {
    feed_ = nullptr;
    fedInOrder_ = false;
  }

  Addresses address_{};
  SignumIndex signums_;
  // Line numbers that begin a group or that the signum index keeps, ascending, with their byte
  // offsets (-1 while unknown).
  std::vector<std::int32_t> cpLines_;
  std::vector<std::int64_t> cpOffsets_;
  std::size_t nextCp_ = 0;  // first checkpoint at or after lineCounter
  AddressPass* feed_ = nullptr;
  bool fedInOrder_ = true;
  std::optional<AddressVerifier> verifier_;
};

// Creates the file object of a data file kind (0 to 6).
std::unique_ptr<TDatafil> MakeDataFile(Ui& ui, int kind);

}  // namespace stavbas
