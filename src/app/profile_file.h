#pragma once
// A private-profile (.ini) file held as its lines: sections in square brackets and key=value
// lines. Section and key names compare case-insensitively; the first section of a name and the
// first key of a name in it are the ones that count. Writing a key replaces its line in place
// or adds it to its section, and leaves every other line byte for byte as it was, so comments,
// unknown keys and lines that make no sense survive a save. Text is Windows-1252.
//
// The sections and the keys in them are found through an index of their names made as the file
// is read and kept as keys are written, so a file of any number of keys (the web links) is read
// and written in time proportional to its size.

#include <filesystem>
#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace stavbas {

class ProfileFile {
 public:
  ProfileFile() = default;
  ProfileFile(const ProfileFile& other);
  ProfileFile& operator=(const ProfileFile& other);
  // The index refers to the lines themselves, which a move keeps.
  ProfileFile(ProfileFile&&) = default;
  ProfileFile& operator=(ProfileFile&&) = default;

  // Reads the file. A missing file gives an empty profile; false when the file exists but
  // cannot be read (the profile is then empty).
  bool Load(const std::filesystem::path& file);
  static ProfileFile FromText(std::string_view bytes);

  // The value of a key: blanks around it trimmed, then one enclosing pair of double quotes
  // removed. Nothing when the section or the key is missing.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // A decimal integer; a value that is not one as a whole reads as the default.
  int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
  // True when the value reads as an integer other than 0.
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
  // The keys of a section with their values, in file order, each name once.
  std::vector<std::pair<std::string, std::string>> Entries(std::string_view section) const;

  // Writes the value so that it reads back as given: a value with a blank or tab at an end,
  // or one that begins and ends with a double quote, is enclosed in one further pair. Line breaks
  // in a value become blanks, since a line can hold no line break.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  // Writes the value text exactly (line breaks still become blanks).
  void WriteRaw(std::string_view section, std::string_view key, std::string_view text);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  // The whole file as it would be saved.
  std::string Text() const;
  // Writes a complete new file beside the old one and renames it over the old one, so the old
  // file stays whole when writing fails. False when the file could not be written.
  bool Save(const std::filesystem::path& file) const;

 private:
  struct Line {
    std::string text;  // without its line end
    std::string end;   // "\r\n", "\n", "\r" or empty for a last line without one
  };
  // The lines stay where they are while others are added (the index points at them).
  using Lines = std::list<Line>;
  using LineAt = Lines::iterator;
  // The first section of a name: the one that counts.
  struct Section {
    LineAt header;
    LineAt last;  // its last line that is not blank (the header when there is none): new keys
                  // go after it, so blank lines stay between sections
    // The first line of each key name in it, by the name upper-cased.
    std::unordered_map<std::string, LineAt> keys;
  };

  void Parse(std::string_view bytes);
  // Makes the index of sections and keys from the lines.
  void Index();
  const Section* FindSection(std::string_view section) const;
  std::optional<LineAt> FindKey(const Section& section, std::string_view key) const;
  // The line's text with a byte order mark in front of the first line left out.
  std::string_view Content(Lines::const_iterator line) const;

  Lines lines_;
  std::string newline_ = "\r\n";  // the file's own line end, used for the lines added
  std::unordered_map<std::string, Section> sections_;  // by the name upper-cased
};

}  // namespace stavbas
