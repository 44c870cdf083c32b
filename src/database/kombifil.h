#pragma once
// File objects: one per open file of the database. The base class reads lines and splits the
// current line into words; the kinds differ in how words are split, shown and compared.
// Words, readings and the cursor are views into the line buffer; nothing is copied while
// stepping.

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "base/char_tables.h"
#include "base/line_file.h"

namespace stavbas {

class Ui;

// File kinds as the opening classifies them.
enum FileKind : int {
  kRuntext = 0,    // runic text, words with dividers, brackets and readings
  kRunsok = 1,     // runic word file
  kNormtext = 2,   // normalised text with proper names
  kNormsok = 3,    // normalised word file
  kInfotext = 4,   // information file, fields between control characters
  kInfotext2 = 5,  // information file, fields introduced by 0xBE and a letter
  kHeltext = 6,    // whole text only (translations and other texts)
};

constexpr std::size_t kLineCapacity = 2100;
// Bytes after a line's terminating NUL that the word split and the check's word summary may
// read: they look at a line sixteen, thirty-two or sixty-four bytes at a time.
constexpr std::size_t kSplitPadding = 63;

// What a NUL byte in a line's text (after its signum) is shown as: the line is read whole, and
// the data-file check names the line.
constexpr char kNulStandIn = '?';

// Whether a word is a page mark: it begins with "\xA7" (§).
inline bool IsPageMark(std::string_view word) {
  return !word.empty() && word[0] == '\xA7';
}

// What a word split looks for besides the blank that ends the word.
enum class SplitMode { kPlain, kReadings, kReadingsAndBrackets };

// A kind's word step, for walks that step one file with the step inline (word_steps.h);
// kVirtual: only NextWord takes it.
enum class WordStep : std::uint8_t { kVirtual, kRunic, kReadings, kReadingsAndBrackets };

// Reading status of a file for the current inscription.
enum ReadStatus : int {
  kFound = 0,
  kNotFound = -1,
  kNotInIncomplete = -2,  // a file that is not complete has no line for the inscription
  kHeldBack = -3,         // the line read belongs to a later inscription and waits
  kReadError = 1,
};

// Where the word splitting stands in the current line.
struct WordState {
  const char* next = nullptr;  // where the next word begins
  std::string_view word;       // the current word
  std::string_view alt;        // the current reading within the word
  bool more = false;           // another "/" reading follows in the word
  bool openedInBracket = false;
  bool inBracket = false;
};

class TKombifil {
 public:
  TKombifil(Ui& ui, int kind);
  virtual ~TKombifil();
  TKombifil(const TKombifil&) = delete;
  TKombifil& operator=(const TKombifil&) = delete;

  // --- the operations that vary by kind ---
  virtual void Close();
  virtual void FirstWord();
  virtual bool IsSkipWord(std::string_view word) const;
  bool NextWord() { return NextWordIn(words_); }
  // Like NextWord, but the divider tokens of runic text are not passed over.
  bool NextToken() { return NextTokenIn(words_); }
  virtual void NextAlternative();
  virtual std::string WordText() const;
  // The word as a search shows it; `scratch` holds the text when it is not the word itself.
  virtual std::string_view SearchText(std::string& scratch) const;
  std::string SearchText() const {
    std::string scratch;
    return std::string(SearchText(scratch));
  }
  virtual std::string MarkedLine() const;
  virtual bool IsProperName() const;
  virtual std::string InfoField(char letter) const;
  virtual bool HasInfoCode(char letter) const;
  virtual std::string InfoHeader(char letter) const;
  virtual void FirstInfoCode();
  virtual bool MoreInfoCodes() const;
  // The formatted field at the field iterator; the iterator then advances.
  virtual std::string NextInfoField(bool withHeader);
  virtual std::string_view FindInfoField(char letter) const;

  // --- the file ---
  // Opens the file for reading; 0 or the system's error number.
  int OpenFile(const std::string& path);
  const std::string& path() const { return path_; }
  std::string FileName() const;
  // The extension as the database names the file: upper case, at most three characters.
  const std::string& Extension() const { return extension_; }
  void SetExtension(std::string ext) { extension_ = std::move(ext); }
  LineFile& file() { return file_; }
  const LineFile& file() const { return file_; }

  // --- the current line ---
  // The current line, empty unless the status is kFound; always zero-terminated.
  const char* Line() const { return line_; }
  std::string_view LineView() const { return line_; }
  // Length of the line as read, including any NUL bytes inside it.
  std::size_t RawLength() const { return status == kFound ? lineLength_ : 0; }
  // The text after the signum (after the third blank).
  const char* Cursor() const { return cursor_; }
  // The same up to the line's first NUL byte, without a search for it: valid from TakeBuffer
  // or ClearLine until the buffer is read into again.
  std::string_view CursorView() const {
    return {cursor_, static_cast<std::size_t>(line_ + textLength_ - cursor_)};
  }
  // Makes the buffer the current line (status kFound) and sets the cursor after its signum.
  // NUL bytes after the signum become kNulStandIn, so that they cut off nothing; a NUL in the
  // signum ends the line there.
  void TakeBuffer();
  // Whether NUL bytes of the current line's text were shown as kNulStandIn.
  bool HeldNul() const { return heldNul_; }
  // Makes the line empty (for a status other than kFound).
  void ClearLine();
  char* Buffer() { return buffer_.data(); }
  std::size_t& BufferLength() { return lineLength_; }
  // The buffer's text, whatever the status (the line read last).
  std::string_view BufferView() const { return {buffer_.data(), std::strlen(buffer_.data())}; }

  // --- word state ---
  const WordState& words() const { return words_; }
  WordState& words() { return words_; }
  std::string_view Word() const { return words_.word; }
  std::string_view Alternative() const { return words_.alt; }
  bool MoreAlternatives() const { return words_.more; }
  WordStep wordStep() const { return wordStep_; }
  const ByteTable& CompareTable() const {
    return kind_ <= kRunsok ? RunicCompare() : NormalisedCompare();
  }

  // --- properties ---
  int kind() const { return kind_; }
  bool IsWordFile() const { return wordFile_; }
  bool IsNormalised() const { return normalised_; }
  bool IsInfoFile() const { return infoFile_; }
  bool complete = true;
  bool properName = false;  // set while readings are used as words (normalised files)
  std::uint32_t size = 0;
  std::uint32_t dateTime = 0;  // DOS packed date and time of the last write
  std::string title;
  int status = kFound;
  std::int32_t lineCounter = 1;  // number of the next line to read

 protected:
  // Splits the next word from `w`; false when no word is left (the last one was empty).
  virtual bool NextWordIn(WordState& w) const;
  virtual bool NextTokenIn(WordState& w) const { return NextWordIn(w); }
  // The split modes of each kind's word step (SplitWord in word_split.h).
  using enum SplitMode;
  std::string WithBrackets(std::string text) const;
  // The box for an operation this kind does not support.
  void Fault() const;
  void RefuseWords() const;
  void SetCursor(const char* p) { cursor_ = p; }

  Ui& ui_;
  int kind_;
  bool wordFile_ = true;
  bool normalised_ = true;
  bool infoFile_ = true;
  WordStep wordStep_ = WordStep::kVirtual;

 private:
  LineFile file_;
  std::string path_;
  std::string extension_;
  std::array<char, kLineCapacity + 1 + kSplitPadding> buffer_{};
  std::size_t lineLength_ = 0;
  std::size_t textLength_ = 0;  // of the current line, up to its first NUL byte
  bool heldNul_ = false;
  const char* line_;
  const char* cursor_;
  WordState words_;

  // TakeBuffer for a line that may hold a NUL byte.
  void TakeLineWithNul();
};

}  // namespace stavbas
