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

bool ProfileFile::Load(const fs::path& file) {
  lines_.clear();
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
}

std::string_view ProfileFile::Content(size_t index) const {
  std::string_view text = lines_[index].text;
  if (index == 0 && text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  return text;
}

std::optional<ProfileFile::Range> ProfileFile::FindSection(std::string_view section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    const Parsed p = Classify(Content(i));
    if (p.kind != Kind::Section || !EqualsNoCase(p.name, section)) continue;
    size_t end = i + 1;
    while (end < lines_.size() && Classify(Content(end)).kind != Kind::Section) ++end;
    return Range{i, end};
  }
  return std::nullopt;
}

std::optional<size_t> ProfileFile::FindKey(const Range& range, std::string_view key) const {
  for (size_t i = range.header + 1; i < range.end; ++i) {
    const Parsed p = Classify(Content(i));
    if (p.kind == Kind::Key && EqualsNoCase(p.name, key)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> ProfileFile::Value(std::string_view section,
                                              std::string_view key) const {
  const std::optional<Range> range = FindSection(section);
  if (!range) return std::nullopt;
  const std::optional<size_t> line = FindKey(*range, key);
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
  const std::optional<Range> range = FindSection(section);
  if (!range) return entries;
  for (size_t i = range->header + 1; i < range->end; ++i) {
    const Parsed p = Classify(Content(i));
    if (p.kind != Kind::Key) continue;
    bool seen = false;
    for (const auto& e : entries) seen = seen || EqualsNoCase(e.first, p.name);
    if (!seen) entries.emplace_back(std::string(p.name), std::string(Unquote(p.rawValue)));
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

  if (const std::optional<Range> range = FindSection(section)) {
    if (const std::optional<size_t> at = FindKey(*range, key)) {
      const Parsed p = Classify(Content(*at));
      if (p.rawValue == text) return;  // same value: the line stays as the user wrote it
      lines_[*at].text = std::string(p.name) + "=" + text;
      return;
    }
    // After the section's last line that is not blank, so blank lines stay between sections.
    size_t pos = range->end;
    while (pos > range->header + 1 && Classify(Content(pos - 1)).kind == Kind::Blank) --pos;
    if (lines_[pos - 1].end.empty()) lines_[pos - 1].end = newline_;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(pos),
                  Line{key + "=" + text, newline_});
    return;
  }

  if (!lines_.empty()) {
    if (lines_.back().end.empty()) lines_.back().end = newline_;
    if (Classify(Content(lines_.size() - 1)).kind != Kind::Blank) lines_.push_back({"", newline_});
  }
  const std::string_view name = TrimBlanksAndTabs(section);
  lines_.push_back({"[" + WithoutLineBreaks(name) + "]", newline_});
  lines_.push_back({key + "=" + text, newline_});
}

void ProfileFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteRaw(section, key, std::to_string(value));
}

void ProfileFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteRaw(section, key, value ? "1" : "0");
}

std::string ProfileFile::Text() const {
  std::string out;
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
