#pragma once
// The database: the open files of one base name, their group-address index, the current
// inscription and the sets of files that the codes refer to.

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/link_settings.h"
#include "base/ui.h"
#include "database/address_pass.h"
#include "database/data_file.h"
#include "database/file_reference.h"
#include "database/input_list.h"
#include "database/slot_set.h"

namespace stavbas {

class TDatabas {
 public:
  explicit TDatabas(Ui& ui);
  ~TDatabas();
  TDatabas(const TDatabas&) = delete;
  TDatabas& operator=(const TDatabas&) = delete;

  Ui& ui() { return ui_; }

  // ---- opening ----

  // Opens every file of the base name, reads their headers and brings the group-address index
  // up to date. Returns whether the database is usable (it has a complete word file).
  bool Open(const std::string& baseName);
  // Releases every data file; the input list stays.
  void Close();
  bool usable() const { return usable_; }
  // True when the files were found by the base name as given, without the program's folder.
  bool relativeNames() const { return relativeNames_; }
  int count() const { return count_; }
  // The file in a slot: 0 is the input list, 1 to count() the data files in database order.
  // In the header: the word walk asks for every file at every word.
  TKombifil& File(int slot) {
    return slot == 0 ? static_cast<TKombifil&>(*inputList_) : *files_[slot - 1];
  }
  const TKombifil& File(int slot) const {
    return slot == 0 ? static_cast<const TKombifil&>(*inputList_) : *files_[slot - 1];
  }
  TDatafil& DataFile(int slot) { return *files_[slot - 1]; }
  // The slot of the first information file; 0 when the database has none.
  int InfoSlot() const;
  const TDatafil& DataFile(int slot) const { return *files_[slot - 1]; }
  TInputList& InputList() { return *inputList_; }
  // The slot of the file that leads sequential walking; 0 when there is none.
  int MainWordFile() const { return mainWordFile_; }
  // The program's own file; the opening looks for the database beside it when the base name
  // without a folder finds nothing in the current folder.
  void SetProgramFile(std::string path) { programFile_ = std::move(path); }
  // The data-file check run after the group addresses had to be computed (without a log).
  // It returns whether the files passed; the index is written only then. Unset: the index is
  // written when the files are in order.
  std::function<bool()> checkAtOpening;
  // Every slot 1 to count().
  SlotSet AllDataSlots() const;
  // The link prefixes and coordinate separator the information files format their fields
  // with; they must outlive the database. Unset: the defaults.
  void SetLinkSettings(const LinkSettings& links);

  // ---- group addresses ----

  // Computes the addresses of every data file by reading them; returns false when a fault in
  // the order of the files was found (the addresses are filled all the same).
  bool ComputeGroupAddresses();
  // The same for one file; false when a fault in its order was found. Its progress and
  // fault lines go to `held` where given.
  bool ComputeFileAddresses(TDatafil& file, HeldLines* held = nullptr);
  // The address pass of a file that a walk reads line by line from its start (the data-file
  // check at opening), so that the file is read once: begun before the walk, which then hands
  // each line it reads to the pass, and finished after it, by the lines it left unread (or by
  // a pass of its own where it did not read the file in order). The file's addresses are in
  // place once it is finished; a complete file's signum index is filled when a lookup first
  // needs it. False when a fault in the file's order was found.
  std::unique_ptr<AddressPass> BeginFedAddresses(TDatafil& file, HeldLines* held);
  bool FinishFedAddresses(TDatafil& file, AddressPass& pass, HeldLines* held);
  // Whether a file that is not complete, read in order by a walk whose end left it `atEnd`,
  // gave the walk what lookups would have given (TDatafil::InOrderReading); its addresses must
  // be in place. The reading is over afterwards, and the file stands anywhere.
  bool InOrderReadingAgrees(TDatafil& file, bool atEnd);
  // Takes the addresses of an index file whose records fit the files; each file's pass that
  // checks them against its lines waits until the file is first read.
  bool LoadGroupAddresses(const std::string& path);
  // Writes the index file; a `stale` file's record is written so that no file fits it.
  bool SaveGroupAddresses(const std::string& path, const TDatafil* stale = nullptr);
  // The index file of a base name: its name upper-cased with ".$AD".
  static std::string IndexFileName(const std::string& baseName);

  // ---- finding and walking inscriptions ----

  // Makes the lookup key from a signum the user gave. `interactive` asks whether to stop when
  // the signum is faulty (walking an input list).
  void SetSignum(std::string_view text, bool interactive = false);
  // Reads the key's inscription in each file of the set not read yet; `keep` keeps what was
  // read and starts a pattern search from the beginning of its region.
  bool FindInscription(SlotSet set, bool keep);
  // Finds an inscription by a signum that comes from elsewhere than the user's input.
  bool FindGivenInscription(SlotSet set, std::string_view signum);
  // Makes each file's first record of the region its current line.
  bool PositionAtRegion(int region, SlotSet set);
  // Puts each file of the set before its first record, so that the next Read next inscription
  // reads the first inscription of the database.
  bool PositionAtStart(SlotSet set);
  // True while the main word file has not passed the end of the region.
  bool WithinRegion(int region) const;
  bool ReadNextInscription(SlotSet set);
  // Takes the input list's current line as the signum to find.
  bool NextListedSignum();

  bool ok() const { return ok_; }
  // What the lookups leave behind: the request, the current inscription and the files read for
  // it. A command that shows an inscription while a run waits puts back the run's state, since
  // the run goes on from it. (The files' lines stay where the command's lookup left them: on
  // the same inscription, which is the one the run showed last.)
  struct LookupState {
    std::string given, key, current;
    bool exact = true;
    SlotSet readSet = 0;
    bool ok = false;
  };
  LookupState SaveLookup() const { return {given_, key_, current_, exact_, readSet_, ok_}; }
  void RestoreLookup(const LookupState& s) {
    given_ = s.given, key_ = s.key;
    SetCurrentSignum(s.current);
    exact_ = s.exact, readSet_ = s.readSet, ok_ = s.ok;
  }
  const std::string& givenSignum() const { return given_; }
  const std::string& currentSignum() const { return current_; }
  // RegionOf(currentSignum()), kept with it.
  int currentRegion() const { return currentRegion_; }
  const std::string& lookupKey() const { return key_; }
  bool exactKey() const { return exact_; }
  SlotSet readSet() const { return readSet_; }

  // ---- the files that the codes refer to ----

  void SetSearchReferences(FileRefSets sets);
  void SetFormatReferences(FileRefSets sets);
  void SetConditionReferences(SlotSet all);
  // Files walked word by word, and files read for each inscription.
  SlotSet wordSet() const { return wordSet_; }
  SlotSet fullSet() const { return fullSet_; }
  // Reads a file reference at the start of a code; a successful one joins `sets`.
  FileReference ParseFileReference(std::string_view code, FileRefSets& sets) const;
  // The slot of the open file with this extension (upper-case compare), or -1.
  int SlotOfExtension(std::string_view ext) const;

  // ---- words of the current inscription ----

  // The signum for display: as given or as read; with `full` up to its third blank, else up to
  // its second.
  std::string SignumText(bool given, bool full) const;
  // Part 1, 2 or 3 of the current signum (reference kinds 9 to 11).
  std::string_view SignumPart(int kind) const;
  void FirstWords(SlotSet set);
  // True when any file of the set yielded a word.
  bool NextWords(SlotSet set);
  void NextAlternatives(SlotSet set);
  using SaveArea = std::array<std::string_view, 16>;
  void UseAlternatives(SlotSet set, SaveArea& save);
  void RestoreWords(SlotSet set, const SaveArea& save);
  bool AnyMoreAlternatives(SlotSet set) const;
  bool anyMoreRecorded() const { return anyMore_; }
  // For a walk that steps its one file itself (ForEachWord): notes what NextWords would.
  void NoteMoreAlternatives(bool more) { anyMore_ = more; }
  // Asked at every word position of a walk, so inline.
  std::string_view MainFileWordText() const {
    return mainWordFile_ == 0 ? std::string_view() : DataFile(mainWordFile_).Word();
  }
  bool MainFileAtPageMark() const { return IsPageMark(MainFileWordText()); }

  // The folder of the data files (with its final "/", or empty), the base name as the files
  // carry it, and the literature list's file name.
  std::string DataDirectory() const;
  std::string BaseName() const;
  std::string LiteratureList() const;

 private:
  // Reads a file's header lines; 0 or the system's error number.
  int ReadHeader(TDatafil& file, std::vector<std::string>& infoValues, bool& incomplete,
                 std::string& title, int& kind);
  void InsertFile(std::unique_ptr<TDatafil> file);
  // Whether loaded addresses can be a file's of this size: rising, none beyond its bytes.
  static bool AddressesFit(const TDatafil::Addresses& a, std::uint32_t size);
  // Makes the pass over a file with loaded addresses before a lookup first needs it, or before
  // any read of a file that is not complete (its lines are found by lookups). A complete file
  // read in order is not passed first: its reading counts the lines and notes where each group
  // begins, the check is made when it reaches its end (CheckAtEnd), and its signum index is
  // filled when a lookup first needs it.
  void Prepare(TDatafil& file, bool lookup = false) {
    const bool index = lookup || !file.complete;
    if (file.passPending) {
      if (index) PrepareLoaded(file);
    } else if (index && file.indexPending) {
      FillSignumIndex(file);
    }
  }
  // The pass before a lookup; the file is left where it stood.
  void PrepareLoaded(TDatafil& file);
  // The pass itself: counts the lines, notes where each group begins and fills the signum
  // index. False when the addresses cannot be the file's (one beyond its last line).
  bool PassLoaded(TDatafil& file);
  // The check of a complete file whose reading, begun without the pass, has reached its end.
  void CheckAtEnd(TDatafil& file);
  // Addresses that cannot be the file's: computed again, and the index file marked stale.
  void RecomputeChanged(TDatafil& file);
  // Where the lines a file has passed in order show that its loaded addresses are not its own,
  // or can no longer tell, the addresses are settled before anything relies on them again:
  // computed anew, or checked by a pass of their own. The file is left where it stood, with
  // its line. True when that happened: what was done with the loaded addresses is done again.
  bool SettleAddresses(TDatafil& file) {
    if (!file.passPending) return false;
    const AddressVerifier::Verdict verdict = file.LoadedAddressesVerdict();
    if (verdict == AddressVerifier::Verdict::kFits) return false;
    Settle(file, verdict);
    return true;
  }
  void Settle(TDatafil& file, AddressVerifier::Verdict verdict);
  // A scan of a complete file that takes its lines from the file's addresses, made again with
  // settled addresses where the scan found that loaded ones do not fit.
  template <class ScanWith>
  int ScanSettled(TDatafil& file, ScanWith scan);
  // Fills the signum index of a file passed without it, in a pass of its own; the file is
  // left where it stood.
  void FillSignumIndex(TDatafil& file);
  void UpdateIndex(const std::string& baseName, const std::string& listedIndex);
  void UpdateMainWordFile();
  // Scans a data file forward for a line beginning with `key`, or for the first record of a
  // region when one is given, from line `from` (0: from where it stands) while line numbers
  // stay within `limit`. Returns the status.
  int Scan(TDatafil& f, std::string_view key, std::int32_t from, std::int32_t limit,
           int region = 0);
  // Scans for an exact key in its group, going on from the current line when that lies inside
  // the group and wrapping round once.
  int ScanExact(TDatafil& f, std::string_view key);
  // The same through the signum index, when the group's keys rise; nothing when they do not.
  std::optional<int> ScanRising(TDatafil& f, std::string_view key, std::int32_t first,
                                std::int32_t limit);
  int ReadIncomplete(TDatafil& f);
  // ReadIncomplete for a file read in order (TDatafil::InOrderReading).
  int ReadIncompleteInOrder(TDatafil& f);
  // Takes the current signum from a file's line, as its last TakeBuffer found it.
  void SetCurrent(const TKombifil& f);
  void ReportReadError(const TKombifil& f, int error);
  // The start of a file's address pass: its progress line, and the file at its start.
  void AddressPassBegins(TDatafil& f, HeldLines* held);

  Ui& ui_;
  std::unique_ptr<TInputList> inputList_;
  std::array<std::unique_ptr<TDatafil>, kMaxDataFiles> files_;
  int count_ = 0;
  int mainWordFile_ = 0;
  bool usable_ = false;
  bool relativeNames_ = true;
  std::string programFile_;
  const LinkSettings* links_ = nullptr;
  std::string indexPath_;  // the index file the addresses were loaded from

  std::string given_;    // the signum as given
  std::string key_;      // the lookup key
  bool exact_ = true;    // false for a prefix key
  std::string current_;  // the current signum, as read
  int currentRegion_ = RegionOf({});
  void SetCurrentSignum(std::string_view signum, bool* otherAreasSeen = nullptr) {
    current_.assign(signum);
    currentRegion_ = RegionOf(current_, otherAreasSeen);
  }
  SlotSet readSet_ = 0;
  bool ok_ = false;
  bool anyMore_ = false;

  FileRefSets searchRefs_, formatRefs_;
  SlotSet conditionRefs_ = 0;
  SlotSet wordSet_ = 0;
  SlotSet fullSet_ = 0;
};

}  // namespace stavbas
