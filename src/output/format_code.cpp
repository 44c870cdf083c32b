#include "output/format_code.h"

#include <utility>

#include "base/ui.h"
#include "database/databas.h"

namespace stavbas {
namespace {

constexpr char kEszett = '\xDF';   // ß: attestation formats
constexpr char kPound = '\xA3';    // £: title flag
constexpr char kSection = '\xA7';  // §: page marks flag

bool IsItemStart(char c) {
  return c == '$' || c == '?' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
         (c >= 'a' && c <= 'z');
}

}  // namespace

FormatCode::~FormatCode() = default;

LayoutKind FormatCode::KindOf(std::string_view code, std::size_t* bodyStart) {
  std::size_t i = code.find_first_not_of(' ');
  if (i == std::string_view::npos) i = code.size();
  LayoutKind kind = LayoutKind::kText;
  if (i < code.size() && code[i] == kEszett) {
    i = code.find_first_not_of(' ', i + 1);
    if (i == std::string_view::npos) i = code.size();
    kind = LayoutKind::kAttestation;
    if (i < code.size() && code[i] == '/') {
      kind = LayoutKind::kSplitAttestation;
      ++i;
    }
  }
  if (bodyStart) *bodyStart = i;
  return kind;
}

std::string FormatCode::DefaultCode(LayoutKind kind) const {
  std::string code = kind == LayoutKind::kText          ? ">.$"
                     : kind == LayoutKind::kAttestation ? std::string(1, kEszett) + "$"
                                                        : std::string(1, kEszett) + "/$";
  auto addKind = [&](int wanted, int fallback) {
    bool any = false;
    for (int pass = 0; pass < 2 && !any; ++pass)
      for (int slot = 1; slot <= db_.count(); ++slot)
        if (db_.DataFile(slot).kind() == (pass == 0 ? wanted : fallback)) {
          code += " " + db_.DataFile(slot).Extension();
          any = true;
        }
  };
  addKind(kRuntext, kRunsok);
  addKind(kNormtext, kNormsok);
  return code;
}

bool FormatCode::Fail(std::uint16_t error, const std::string& detail) {
  ui_.ShowMessage(ui_.S(Str::FelMedFormatkod) + detail + ", " + ui_.MessageOf(error),
                  MsgKind::Information);
  format_.reset();
  SetCode({});
  return false;
}

void FormatCode::SetCode(std::string code) {
  code_ = std::move(code);
  fullStop_ = code_.find('.') != std::string::npos;
  lineEndsAtMarks_ = fullStop_ && code_.find(',') == std::string::npos;
}

bool FormatCode::Validate(const std::string& code) {
  SetCode(code);
  std::size_t start = 0;
  const LayoutKind kind = KindOf(code, &start);
  const std::string_view body = Trim(
      std::string_view(code).substr(std::min(start, code.size())).substr(0, kMaxFormatCodeLength));
  if (body.empty()) {
    SetCode(DefaultCode(kind));
    return false;
  }
  format_.reset();
  const bool ok = Parse(kind, body);
  db_.SetFormatReferences(format_ ? format_->files : FileRefSets{});
  return ok;
}

bool FormatCode::ValidateOrRepair(const std::string& code) {
  if (Validate(code)) return true;
  if (Validate(DefaultCode(KindOf(code)))) return true;
  ui_.ShowMessage(ui_.S(Str::FelMedFormatkod), MsgKind::Error);
  return false;
}

bool FormatCode::SetFromEntry(const std::string& text) {
  const std::string previous = code_;
  if (Validate(text)) return true;
  Validate(previous);
  return false;
}

bool FormatCode::Parse(LayoutKind kind, std::string_view body) {
  auto format = MakeFormat(kind);
  auto& items = format->items();
  const bool text = kind == LayoutKind::kText;
  auto after = [&](char c, std::size_t upTo) {
    return std::string(1, c) + " (" + ui_.S(Str::Efter) + std::string(body.substr(0, upTo)) + ")";
  };
  bool separated = true;
  for (std::size_t i = 0; i < body.size();) {
    const char c = body[i];
    if (IsItemStart(c)) {
      if (!separated) return Fail(4242, std::string(body.substr(i)));
      FileRefSets sets;
      const FileReference ref = db_.ParseFileReference(body.substr(i), sets);
      if (ref.kind == kRefError) return Fail(ref.error, std::string(body.substr(i)));
      FormatItem item;
      item.slot = ref.slot;
      item.infoColumn = ref.letter;
      item.kind = static_cast<ItemKind>(ref.kind);  // the reference kinds are the item kinds
      items.push_back(item);
      format->files.all |= sets.all;
      format->files.words |= sets.words;
      separated = false;
      i += static_cast<std::size_t>(ref.length);
      continue;
    }
    switch (c) {
      case '>': {
        if (!text) return Fail(4243, ">");
        FormatItem mark;
        mark.kind = kItemFilterMark;
        mark.lineEnd = false;
        if (!items.empty()) {
          mark.lineEnd = items.back().lineEnd;
          items.back().lineEnd = false;
          mark.followsItems = true;
        }
        items.push_back(mark);
        separated = true;
        ++i;
        continue;
      }
      case '\\':
        if (i + 1 >= body.size()) {  // a backslash at the very end is ignored
          ++i;
          continue;
        }
        if (body[i + 1] == 't') {
          if (!items.empty()) items.back().lineEnd = false;
          FormatItem tab;
          tab.kind = kItemTab;
          tab.lineEnd = false;
          items.push_back(tab);
          separated = true;
          i += 2;
          continue;
        }
        // Before a separator the backslash is a format character of the item before it (it
        // keeps the item from breaking lines); before anything else it is a fault.
        if (std::string_view(" ,.").find(body[i + 1]) == std::string_view::npos)
          return Fail(4240, after(body[i + 1], i + 1));
        break;
      case '.': {
        FormatItem blank;
        blank.kind = kItemBlankLine;
        items.push_back(blank);
        separated = true;
        ++i;
        continue;
      }
      case ' ':
        separated = true;
        ++i;
        continue;
      case ',':
        separated = true;
        if (!items.empty()) items.back().lineEnd = false;
        ++i;
        continue;
      default:
        break;
    }
    if (separated || items.empty()) return Fail(4241, after(c, i));
    if (!format->Accept(c)) return Fail(4240, after(c, i));
    ++i;
  }
  if (items.empty()) return Fail(4244, std::string(body));
  items.back().lineEnd = text;
  format_ = std::move(format);
  return true;
}

// ---- format characters ----

bool AcceptTextCharacter(FormatItem& item, char c) {
  const ItemKind k = item.kind;
  const bool words = k == kItemWordText || k == kItemHitsWithGaps || k == kItemHitsOnly;
  if (k == kItemWordText && c == '-') return item.kind = kItemHitsOnly, true;
  if (k == kItemWordText && c == '_') return item.kind = kItemHitsWithGaps, true;
  if (k == kItemWordText && c == '=') {
    if (!item.pageMarks || !item.lineBreaks) return false;
    return item.kind = kItemRawRecord, true;
  }
  if (words && c == '\\') return item.lineBreaks = false, true;
  if (words && c == kSection) return item.pageMarks = false, true;
  if ((k == kItemWordText || k == kItemPlainRecord) && c == kPound) return item.title = true, true;
  const bool info = k == kItemInfoColumn || k == kItemAllInfoColumns;
  if ((k == kItemPlainRecord || info) && c == '+') return item.headings = true, true;
  if ((k == kItemPlainRecord || k == kItemInfoColumn) && c == '=') {
    if (item.headings) return false;
    return item.kind = kItemRawRecord, true;
  }
  if (k == kItemAllInfoColumns && c == '=') {
    if (item.headings || !item.lineBreaks) return false;
    return item.kind = kItemRawRecord, true;
  }
  if (k == kItemAllInfoColumns && c == '\\') return item.lineBreaks = false, true;
  if (k == kItemRawRecord && c == '-') return item.rawWithSignum = false, true;
  if (k == kItemSignum && c == '-') return item.signumFull = false, true;
  if (k == kItemSignum && c == '=') return item.signumGiven = true, true;
  return false;
}

bool AcceptAttestationCharacter(FormatItem& item, char c) {
  const ItemKind k = item.kind;
  if (k == kItemWordText && c == '=') return item.kind = kItemAttestationWord, true;
  if (k == kItemWordText && c == '_') return item.kind = kItemHitsWithGaps, true;
  if (k == kItemPlainRecord && c == '=') return item.kind = kItemRawRecord, true;
  const bool info = k == kItemInfoColumn || k == kItemAllInfoColumns;
  if (info && c == '+') return item.headings = true, true;
  if (info && c == '=') {
    if (item.headings) return false;
    return item.kind = kItemRawRecord, true;
  }
  if (k == kItemRawRecord && c == '-') return item.kind = kItemPlainRecord, true;
  if (k == kItemSignum) {
    switch (c) {
      case '#':
        return item.number = true, true;
      case '-':
        return item.signumFull = false, true;
      case '/':
        return item.alternative = true, true;
      case '=':
        return item.signumGiven = true, true;
      case kSection:
        return item.pageMarks = false, true;
      default:
        return false;
    }
  }
  return false;
}

}  // namespace stavbas
