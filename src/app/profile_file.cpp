#include "app/profile_file.h"

#include <charconv>

#include "base/atomic_file.h"
#include "base/char_tables.h"
#include "base/whole_file.h"

namespace stavbas {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlankOrTab(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimBlanksAndTabs(std::string_view s) {
  while (!s.empty() && IsBlankOrTab(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlankOrTab(s.back())) s.remove_suffix(1);
  return s;
}

// Values lose only their blanks: a tab can be a value of its own (the coordinate separator).
std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

bool IsQuoted(std::string_view s) {
  return s.size() >= 2 && s.front() == '"' && s.back() == '"';
}

std::string_view Unquote(std::string_view s) {
  return IsQuoted(s) ? s.substr(1, s.size() - 2) : s;
}

// Names compare without regard to case: the index keeps them upper-cased.
std::string Folded(std::string_view name) {
  return MapBytes(name, SystemUpper());
}

std::string WithoutLineBreaks(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c == '\r' || c == '\n') c = ' ';
  return out;
}

enum class Kind { Blank, Comment, Section, Key, Other };

struct Parsed {
  Kind kind = Kind::Other;
  std::string_view name;      // section or key name
  std::string_view rawValue;  // trimmed, quotes still on
};

Parsed Classify(std::string_view text) {
  if (TrimBlanksAndTabs(text).empty()) return {Kind::Blank, {}, {}};
  // Only the front: the value's end decides for itself what it trims.
  std::string_view s = text;
  while (IsBlankOrTab(s.front())) s.remove_prefix(1);
  if (s.front() == ';') return {Kind::Comment, {}, {}};
  if (s.front() == '[') {
    const size_t close = s.rfind(']');
    if (close != std::string_view::npos)
      return {Kind::Section, TrimBlanksAndTabs(s.substr(1, close - 1)), {}};
  }
  const size_t eq = s.find('=');
  if (eq == std::string_view::npos) return {Kind::Other, {}, {}};
  const std::string_view key = TrimBlanksAndTabs(s.substr(0, eq));
  if (key.empty()) return {Kind::Other, {}, {}};
  return {Kind::Key, key, TrimBlanks(s.substr(eq + 1))};
}

}  // namespace

ProfileFile::ProfileFile(const ProfileFile& other)
    : lines_(other.lines_), newline_(other.newline_) {
  Index();
}

ProfileFile& ProfileFile::operator=(const ProfileFile& other) {
  if (this != &other) {
    lines_ = other.lines_;
    newline_ = other.newline_;
    Index();
  }
  return *this;
}

bool ProfileFile::Load(const fs::path& file) {
  lines_.clear();
  sections_.clear();
  newline_ = "\r\n";
  std::error_code ec;
  const fs::file_status status = fs::status(file, ec);
  if (status.type() == fs::file_type::not_found) return true;
  if (ec || !fs::is_regular_file(status)) return false;
  std::string bytes;
  if (ReadWholeFile(file, bytes) != 0) return false;
  Parse(bytes);
  return true;
}

ProfileFile ProfileFile::FromText(std::string_view bytes) {
  ProfileFile p;
  p.Parse(bytes);
  return p;
}

void ProfileFile::Parse(std::string_view bytes) {
  lines_.clear();
  bool newlineSeen = false;
  while (!bytes.empty()) {
    // CR LF, LF and a lone CR each end a line; each line keeps its own end.
    const size_t at = bytes.find_first_of("\r\n");
    Line line;
    if (at == std::string_view::npos) {
      line.text = bytes;
      bytes = {};
    } else {
      const size_t endLength = bytes.substr(at, 2) == "\r\n" ? 2 : 1;
      line.text = bytes.substr(0, at);
      line.end = bytes.substr(at, endLength);
      bytes.remove_prefix(at + endLength);
      if (!newlineSeen) newline_ = line.end;
      newlineSeen = true;
    }
    lines_.push_back(std::move(line));
  }
  Index();
}

void ProfileFile::Index() {
  sections_.clear();
  // The section the lines belong to while it is the first of its name; the lines of a later
  // section of the same name, and those before the first section, are in none.
  Section* current = nullptr;
  for (LineAt line = lines_.begin(); line != lines_.end(); ++line) {
    const Parsed p = Classify(Content(line));
    if (p.kind == Kind::Section) {
      const auto [at, first] = sections_.try_emplace(Folded(p.name));
      current = first ? &at->second : nullptr;
      if (current) current->header = current->last = line;
      continue;
    }
    if (!current) continue;
    if (p.kind != Kind::Blank) current->last = line;
    if (p.kind == Kind::Key) current->keys.try_emplace(Folded(p.name), line);
  }
}

std::string_view ProfileFile::Content(Lines::const_iterator line) const {
  std::string_view text = line->text;
  if (line == lines_.begin() && text.starts_with(kByteOrderMark))
    text.remove_prefix(kByteOrderMark.size());
  return text;
}

const ProfileFile::Section* ProfileFile::FindSection(std::string_view section) const {
  const auto at = sections_.find(Folded(section));
  return at == sections_.end() ? nullptr : &at->second;
}

std::optional<ProfileFile::LineAt> ProfileFile::FindKey(const Section& section,
                                                        std::string_view key) const {
  const auto at = section.keys.find(Folded(key));
  if (at == section.keys.end()) return std::nullopt;
  return at->second;
}

std::optional<std::string> ProfileFile::Value(std::string_view section,
                                              std::string_view key) const {
  const Section* range = FindSection(section);
  if (!range) return std::nullopt;
  const std::optional<LineAt> line = FindKey(*range, key);
  if (!line) return std::nullopt;
  return std::string(Unquote(Classify(Content(*line)).rawValue));
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  std::optional<std::string> v = Value(section, key);
  return v ? std::move(*v) : std::string(defaultValue);
}

int ProfileFile::ReadInteger(std::string_view section, std::string_view key,
                             int defaultValue) const {
  const std::optional<std::string> v = Value(section, key);
  if (!v) return defaultValue;
  std::string_view s = *v;
  if (s.starts_with('+')) s.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (error != std::errc() || end != s.data() + s.size() || s.empty()) return defaultValue;
  return value;
}

bool ProfileFile::ReadBool(std::string_view section, std::string_view key,
                           bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

std::vector<std::pair<std::string, std::string>> ProfileFile::Entries(
    std::string_view section) const {
  std::vector<std::pair<std::string, std::string>> entries;
  const Section* range = FindSection(section);
  if (!range) return entries;
  // The section's lines run up to the next section's header, of whatever name.
  for (LineAt line = std::next(range->header); line != lines_.end(); ++line) {
    const Parsed p = Classify(Content(line));
    if (p.kind == Kind::Section) break;
    // Each name once: the line the index holds for it is its first.
    if (p.kind == Kind::Key && range->keys.at(Folded(p.name)) == line)
      entries.emplace_back(std::string(p.name), std::string(Unquote(p.rawValue)));
  }
  return entries;
}

void ProfileFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
  const std::string text = WithoutLineBreaks(value);
  // Tabs too: an editor that strips trailing white space would otherwise lose a lone tab.
  const bool needsQuotes =
      IsQuoted(text) ||
      (!text.empty() && (IsBlankOrTab(text.front()) || IsBlankOrTab(text.back())));
  WriteRaw(section, key, needsQuotes ? "\"" + text + "\"" : text);
}

void ProfileFile::WriteRaw(std::string_view section, std::string_view keyName,
                           std::string_view value) {
  const std::string key = WithoutLineBreaks(TrimBlanksAndTabs(keyName));
  // A key that would read back as something else (or as no key at all) is not written.
  if (key.empty() || key.find('=') != std::string::npos || key.front() == ';' || key.front() == '[')
    return;
  const std::string text = WithoutLineBreaks(value);

  if (const auto found = sections_.find(Folded(section)); found != sections_.end()) {
    Section& range = found->second;
    if (const std::optional<LineAt> at = FindKey(range, key)) {
      const Parsed p = Classify(Content(*at));
      if (p.rawValue == text) return;  // same value: the line stays as the user wrote it
      (*at)->text = std::string(p.name) + "=" + text;
      return;
    }
    // After the section's last line that is not blank, so blank lines stay between sections.
    if (range.last->end.empty()) range.last->end = newline_;
    range.last = lines_.insert(std::next(range.last), Line{key + "=" + text, newline_});
    range.keys.try_emplace(Folded(Classify(range.last->text).name), range.last);
    return;
  }

  if (!lines_.empty()) {
    if (lines_.back().end.empty()) lines_.back().end = newline_;
    if (Classify(Content(std::prev(lines_.end()))).kind != Kind::Blank)
      lines_.push_back({"", newline_});
  }
  const std::string_view name = TrimBlanksAndTabs(section);
  const LineAt header =
      lines_.insert(lines_.end(), {"[" + WithoutLineBreaks(name) + "]", newline_});
  const LineAt line = lines_.insert(lines_.end(), {key + "=" + text, newline_});
  // The new section counts unless its name, as it reads back, is one of an earlier section.
  const auto [at, first] = sections_.try_emplace(Folded(Classify(header->text).name));
  if (first) {
    at->second.header = header;
    at->second.last = line;
    at->second.keys.try_emplace(Folded(Classify(line->text).name), line);
  }
}

void ProfileFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteRaw(section, key, std::to_string(value));
}

void ProfileFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteRaw(section, key, value ? "1" : "0");
}

std::string ProfileFile::Text() const {
  std::size_t size = 0;
  for (const Line& line : lines_) size += line.text.size() + line.end.size();
  std::string out;
  out.reserve(size);
  for (const Line& line : lines_) {
    out += line.text;
    out += line.end;
  }
  return out;
}

bool ProfileFile::Save(const fs::path& file) const {
  return ReplaceFileContent(file.string(), Text()) == 0;
}

}  // namespace stavbas
