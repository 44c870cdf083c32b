#pragma once
// The format code: how a display run writes each inscription. A code is parsed into a format
// object, a list of items and the layout kind: text format, attestation format ("ß") or split
// attestation format ("ß/").

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "database/slot_set.h"

namespace stavbas {

class TDatabas;
class Ui;
class Visit;

// The longest format code: positions in a code are counted in one byte; a longer code is cut.
inline constexpr std::size_t kMaxFormatCodeLength = 255;

enum ItemKind : std::uint8_t {
  kItemWordText = 0,
  kItemHitsWithGaps = 1,
  kItemHitsOnly = 2,
  kItemPlainRecord = 3,
  kItemInfoColumn = 4,
  kItemAllInfoColumns = 5,
  kItemRawRecord = 6,
  kItemAttestationWord = 7,
  kItemSignum = 8,
  kItemSignumPart1 = 9,
  kItemSignumPart2 = 10,
  kItemSignumPart3 = 11,
  kItemFilterMark = 12,
  kItemBlankLine = 13,
  kItemTab = 15,
};

struct FormatItem {
  int slot = -1;  // the database file the item reads, or -1
  ItemKind kind = kItemBlankLine;
  char infoColumn = 0;
  bool lineEnd = true;        // text: new line after; attestation: pad to the next column stop
  bool signumGiven = false;   // "=": the signum as it was asked for
  bool headings = false;      // "+"
  bool title = false;         // "£"
  bool signumFull = true;     // cleared by "-" after a signum
  bool pageMarks = true;      // cleared by "§"
  bool number = false;        // "#"
  bool alternative = false;   // "/"
  bool lineBreaks = true;     // cleared by a backslash
  bool rawWithSignum = true;  // cleared by "-" after "="
  bool followsItems = false;  // filter mark after other items
};

enum class LayoutKind { kText, kAttestation, kSplitAttestation };

// The format object: its items and what it does with each hit and each inscription.
class TFormat {
 public:
  explicit TFormat(LayoutKind kind) : kind_(kind) {}
  virtual ~TFormat() = default;

  LayoutKind kind() const { return kind_; }
  std::vector<FormatItem>& items() { return items_; }
  const std::vector<FormatItem>& items() const { return items_; }
  // Files read for each inscription, and word files walked word by word.
  FileRefSets files;

  // Takes a format character for the last item; false when the pairing is refused.
  virtual bool Accept(char c) = 0;
  virtual void RecordHit(Visit& visit) = 0;
  virtual void FinishInscription(Visit& visit) = 0;
  // Whether a hit tells the format its word number and nothing else: not the words, their
  // further readings or the page mark before it.
  virtual bool HitsTellOnlyPositions() const { return false; }
  // Whether RecordHit does nothing but mark the hit (Visit::MarkHit), so that a run of hits
  // may be marked at once.
  virtual bool HitOnlyMarks() const { return false; }

 private:
  LayoutKind kind_;
  std::vector<FormatItem> items_;
};

// The current format code and its format object.
class FormatCode {
 public:
  FormatCode(Ui& ui, TDatabas& db) : ui_(ui), db_(db) {}
  ~FormatCode();

  const std::string& code() const { return code_; }
  // Whether the code holds a "." (lines end with a full stop), and whether it also ends lines
  // at page marks (no ","); asked for every inscription, so kept with the code.
  bool fullStop() const { return fullStop_; }
  bool lineEndsAtMarks() const { return lineEndsAtMarks_; }
  // The format object; null after a refused code until a code is accepted.
  TFormat* format() const { return format_.get(); }

  // Makes `code` current and parses it. A refused code is shown, empties the current code and
  // leaves no format object; an empty body is replaced by the default code of its kind. The
  // files the code names are handed to the database.
  bool Validate(const std::string& code);
  // After an opening: the code, or else the default code of its kind.
  bool ValidateOrRepair(const std::string& code);
  // The code typed into the entry row; a refused one gives the previous code back.
  bool SetFromEntry(const std::string& text);

  // The default code of a kind with the files that are open now.
  std::string DefaultCode(LayoutKind kind) const;
  // The layout kind of a code and the offset of its body.
  static LayoutKind KindOf(std::string_view code, std::size_t* bodyStart = nullptr);

 private:
  bool Parse(LayoutKind kind, std::string_view body);
  bool Fail(std::uint16_t error, const std::string& detail);
  void SetCode(std::string code);

  Ui& ui_;
  TDatabas& db_;
  std::string code_;
  bool fullStop_ = false;
  bool lineEndsAtMarks_ = false;
  std::unique_ptr<TFormat> format_;
};

// Makes the format object of a kind (used by the parser).
std::unique_ptr<TFormat> MakeFormat(LayoutKind kind);

// The format characters each layout accepts for an item; false for a refused pairing.
bool AcceptTextCharacter(FormatItem& item, char c);
bool AcceptAttestationCharacter(FormatItem& item, char c);

}  // namespace stavbas
