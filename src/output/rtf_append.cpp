#include "output/rtf_append.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "base/cp1252.h"
#include "output/text_save.h"

namespace stavbas {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

// Where the new text and its fonts and colours go.
struct RtfLayout {
  std::size_t fontTableEnd = kNone;   // the "}" that closes the font table
  std::size_t colorTableEnd = kNone;  // the "}" that closes the colour table
  std::size_t colors = 0;             // entries of the colour table
  long lastFont = -1;                 // the highest font number
  std::size_t documentEnd = kNone;    // the "}" that closes the document
  bool paragraphEnded = true;         // no text follows the last paragraph end
};

// Groups whose text is not the document's text.
bool IsDestination(std::string_view word) {
  static constexpr std::string_view kWords[] = {"stylesheet",
                                                "info",
                                                "pict",
                                                "object",
                                                "header",
                                                "headerl",
                                                "headerr",
                                                "headerf",
                                                "footer",
                                                "footerl",
                                                "footerr",
                                                "footerf",
                                                "footnote",
                                                "annotation",
                                                "fldinst",
                                                "themedata",
                                                "listtable",
                                                "rsidtbl",
                                                "generator",
                                                "xmlnstbl",
                                                "filetbl",
                                                "revtbl",
                                                "userprops",
                                                "nonshppict",
                                                "latentstyles",
                                                "datastore",
                                                "colorschememapping",
                                                "listoverridetable",
                                                "pgdsctbl",
                                                "mmathPr"};
  return std::find(std::begin(kWords), std::end(kWords), word) != std::end(kWords);
}

bool IsParagraphEnd(std::string_view word) {
  return word == "par" || word == "sect" || word == "page" || word == "line" || word == "row" ||
         word == "cell";
}

bool IsTextWord(std::string_view word) {
  static constexpr std::string_view kWords[] = {"tab",       "u",       "bullet",  "emdash",
                                                "endash",    "lquote",  "rquote",  "ldblquote",
                                                "rdblquote", "emspace", "enspace", "qmspace"};
  return std::find(std::begin(kWords), std::end(kWords), word) != std::end(kWords);
}

std::optional<RtfLayout> Scan(std::string_view doc) {
  enum class Kind { kText, kFonts, kColors, kSkip };
  struct Group {
    Kind kind;
    bool fresh;  // nothing read in it yet
  };
  RtfLayout layout;
  std::vector<Group> groups;
  std::size_t i = 0;
  while (i < doc.size() && std::isspace(static_cast<unsigned char>(doc[i]))) ++i;
  if (doc.substr(i, 5) != "{\\rtf") return std::nullopt;
  auto inherited = [&] { return groups.empty() ? Kind::kText : groups.back().kind; };
  auto text = [&] {
    if (!groups.empty()) groups.back().fresh = false;
    if (inherited() == Kind::kText) layout.paragraphEnded = false;
  };
  while (i < doc.size()) {
    const char c = doc[i];
    if (c == '{') {
      groups.push_back({inherited(), true});
      ++i;
    } else if (c == '}') {
      if (groups.empty()) return std::nullopt;
      const Kind kind = groups.back().kind;
      groups.pop_back();
      if (kind == Kind::kFonts && (groups.empty() || groups.back().kind != Kind::kFonts))
        layout.fontTableEnd = i;
      if (kind == Kind::kColors && (groups.empty() || groups.back().kind != Kind::kColors))
        layout.colorTableEnd = i;
      if (groups.empty()) {
        layout.documentEnd = i;
        break;
      }
      ++i;
    } else if (c == '\\') {
      if (i + 1 >= doc.size()) return std::nullopt;
      const char next = doc[i + 1];
      if (!std::isalpha(static_cast<unsigned char>(next))) {
        // A control symbol: "\*" marks a destination, "\'hh" is a character, others are text.
        if (next == '*' && !groups.empty() && groups.back().fresh) {
          groups.back().kind = Kind::kSkip;
          groups.back().fresh = false;
        } else if (next == '\r' || next == '\n') {
          if (inherited() == Kind::kText) layout.paragraphEnded = true;
        } else {
          text();
        }
        i += next == '\'' ? 4 : 2;
        continue;
      }
      std::size_t end = i + 1;
      while (end < doc.size() && std::isalpha(static_cast<unsigned char>(doc[end]))) ++end;
      const std::string_view word = doc.substr(i + 1, end - i - 1);
      std::size_t numberEnd = end;
      if (numberEnd < doc.size() && doc[numberEnd] == '-') ++numberEnd;
      while (numberEnd < doc.size() && std::isdigit(static_cast<unsigned char>(doc[numberEnd])))
        ++numberEnd;
      const long number =
          numberEnd > end
              ? std::strtol(std::string(doc.substr(end, numberEnd - end)).c_str(), nullptr, 10)
              : 0;
      i = numberEnd;
      if (i < doc.size() && doc[i] == ' ') ++i;
      if (word == "bin") {  // binary data of the given length follows
        i += static_cast<std::size_t>(std::max(number, 0L));
        continue;
      }
      Group* g = groups.empty() ? nullptr : &groups.back();
      if (g && g->fresh) {
        g->fresh = false;
        if (g->kind == Kind::kText) {
          if (word == "fonttbl") g->kind = Kind::kFonts;
          if (word == "colortbl") g->kind = Kind::kColors;
          if (IsDestination(word)) g->kind = Kind::kSkip;
        }
      }
      if (inherited() == Kind::kFonts && word == "f")
        layout.lastFont = std::max(layout.lastFont, number);
      if (inherited() == Kind::kText) {
        if (IsParagraphEnd(word)) layout.paragraphEnded = true;
        if (IsTextWord(word)) layout.paragraphEnded = false;
      }
    } else {
      if (inherited() == Kind::kColors && c == ';' && layout.colorTableEnd == kNone)
        ++layout.colors;
      if (c != '\r' && c != '\n') text();
      ++i;
    }
  }
  if (layout.documentEnd == kNone || layout.fontTableEnd == kNone) return std::nullopt;
  return layout;
}

// The document may declare another code page than ours: characters outside ASCII are written
// as Unicode, with our code page's byte as the fallback for readers without Unicode.
std::string WithUnicodeEscapes(std::string_view body) {
  std::string out;
  for (std::size_t i = 0; i < body.size(); ++i) {
    if (body[i] == '\\' && i + 3 < body.size() && body[i + 1] == '\'') {
      const auto byte = static_cast<unsigned char>(
          std::strtol(std::string(body.substr(i + 2, 2)).c_str(), nullptr, 16));
      if (byte >= 0x80)
        out += "\\u" + std::to_string(static_cast<std::uint32_t>(Cp1252CodePoint(byte)));
      out += body.substr(i, 4);
      i += 3;
    } else if (body[i] == '\\' && i + 1 < body.size()) {
      out += body.substr(i, 2);
      ++i;
    } else {
      out += body[i];
    }
  }
  return out;
}

}  // namespace

std::optional<std::string> AppendToRtf(std::string_view existing,
                                       const std::vector<StyledRun>& runs) {
  const std::optional<RtfLayout> layout = Scan(existing);
  if (!layout) return std::nullopt;
  RtfBuilder rtf;
  rtf.fontBase = static_cast<std::size_t>(layout->lastFont + 1);
  const bool colorTable = layout->colorTableEnd != kNone;
  rtf.colorBase = colorTable ? std::max<std::size_t>(layout->colors, 1) : 1;
  rtf.Add(runs);

  // The insertions, each at a position of the document, in the order of their positions.
  std::vector<std::pair<std::size_t, std::string>> inserts;
  inserts.emplace_back(layout->fontTableEnd, rtf.FontEntries());
  if (colorTable)
    inserts.emplace_back(layout->colorTableEnd, rtf.ColorEntries());
  else
    inserts.emplace_back(layout->fontTableEnd + 1, "{\\colortbl ;" + rtf.ColorEntries() + "}");
  inserts.emplace_back(layout->documentEnd, std::string(layout->paragraphEnded ? "" : "\\par ") +
                                                "{\\pard\\plain\\uc1 " +
                                                WithUnicodeEscapes(rtf.body) + "}");
  std::stable_sort(inserts.begin(), inserts.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::string out;
  out.reserve(existing.size() + rtf.body.size() + 256);
  std::size_t from = 0;
  for (const auto& [at, piece] : inserts) {
    out += existing.substr(from, at - from);
    out += piece;
    from = at;
  }
  out += existing.substr(from);
  return out;
}

}  // namespace stavbas
