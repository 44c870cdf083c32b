#include "output/text_format.h"

#include <algorithm>

#include "base/ui.h"
#include "conditions/conditions.h"
#include "database/databas.h"
#include "database/info_file.h"
#include "database/info_format.h"
#include "database/word_files.h"
#include "output/window_append.h"
#include "output/word_text.h"

namespace stavbas {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

void TTextFormat::RecordHit(Visit& visit) {
  visit.MarkHit();
}

void TTextFormat::FinishInscription(Visit& visit) {
  OutputContext& ctx = visit.ctx;
  ctx.somethingShown = false;
  ctx.stepFlag = false;
  SkrivUtText(visit);
  if (ctx.runInProgress) ctx.ui.host().ProcessEvents();
  if (ctx.somethingShown) ctx.lastShownSignum = ctx.db.currentSignum();
}

void TTextFormat::SkrivUtText(Visit& visit) {
  OutputContext& ctx = visit.ctx;
  TDatabas& db = ctx.db;
  StagingBuffer& out = ctx.staging;
  const auto& list = items();
  // With the filter mark first, an inscription without hits shows nothing, which most of a
  // search's inscriptions are: nothing else is looked at.
  if (!list.empty() && list.front().kind == kItemFilterMark && !visit.showWhole &&
      visit.hitCount == 0) {
    out.Clear();
    return;
  }
  const Styles& styles = StylesOf(ctx);
  const std::uint32_t plain = styles.plain;
  const bool fullStop = ctx.format && ctx.format->fullStop();
  const bool lineEndsAtMarks = ctx.format && ctx.format->lineEndsAtMarks();
  out.Clear();
  for (std::size_t index = 0; index < list.size(); ++index) {
    const FormatItem& item = list[index];
    bool wantLineEnd = item.lineEnd;
    auto shown = [&](std::string_view text, std::string_view after = {}) {
      out.AppendIn(text, after, plain);
      ctx.somethingShown = true;
    };
    switch (item.kind) {
      case kItemWordText:
      case kItemHitsWithGaps:
      case kItemHitsOnly:
        WriteWords(visit, item, styles, lineEndsAtMarks);
        break;
      case kItemPlainRecord: {
        const TKombifil& f = db.File(item.slot);
        if (item.headings) {
          shown(f.LineView());
        } else {
          if (item.title && !f.title.empty()) shown(f.title, ": ");
          shown(f.CursorView());
        }
        break;
      }
      case kItemInfoColumn: {
        const std::string text =
            FormattedField(db.File(item.slot), item.infoColumn, item.headings, ctx.links());
        shown(text);
        if (text.empty()) {
          wantLineEnd = false;
        } else if (index + 1 < list.size()) {
          if (list[index + 1].kind == kItemTab) wantLineEnd = false;
        } else {
          wantLineEnd = !(index > 0 && list[index - 1].kind == kItemTab) && fullStop;
        }
        break;
      }
      case kItemAllInfoColumns:
        WriteInfoColumns(visit, index, wantLineEnd);
        break;
      case kItemRawRecord:
        shown(item.rawWithSignum ? db.File(item.slot).LineView() : db.File(item.slot).CursorView());
        break;
      case kItemSignum:
        shown(db.SignumText(item.signumGiven, item.signumFull));
        break;
      case kItemSignumPart1:
      case kItemSignumPart2:
      case kItemSignumPart3:
        shown(db.SignumPart(item.kind), " ");
        break;
      case kItemFilterMark:
        if (!visit.showWhole && visit.hitCount == 0) {
          out.Clear();  // nothing of this inscription reaches the window
          ctx.somethingShown = false;
          return;
        }
        break;
      case kItemBlankLine:
        break;
      case kItemTab:
        shown("\t");
        break;
      default:
        ctx.ui.ShowMessage(
            ctx.ui.MessageOf(8666) + ctx.ui.S(Str::IRutin) + "TTextFormat.SkrivUtText",
            MsgKind::Warning);
        break;
    }
    if (wantLineEnd && (out.length() < 5 || !out.EndsWith("\r\n\r\n")))
      out.AppendIn(kLineEnd, plain);
  }
  AppendStaging(ctx.Out(), out, ctx.ui.S(Str::AldreTextBorttagen));
}

void TTextFormat::WriteWords(Visit& visit, const FormatItem& item, const Styles& styles,
                             bool lineEndsAtMarks) {
  OutputContext& ctx = visit.ctx;
  TKombifil& f = ctx.db.File(item.slot);
  StagingBuffer& out = ctx.staging;
  const std::uint32_t plain = styles.plain;
  const bool normalised = f.kind() == kNormtext;
  const std::uint32_t word = normalised ? styles.italic : styles.bold;
  // Hits are written like the other words where no search is set, and where the window keeps
  // no styles: the word text then passes the words after the line's last page mark together.
  const bool hitsShown = ctx.conditions.wordSearchFiles().all != 0 && ctx.Out().KeepsStyles();
  const std::uint32_t hit = !hitsShown ? word : normalised ? styles.italicHit : styles.boldHit;

  if (item.title && !f.title.empty()) {
    out.AppendIn(f.title, ": ", plain);
    ctx.somethingShown = true;
  }
  const bool runic = f.kind() == kRuntext;
  if (item.kind == kItemWordText && f.kind() <= kNormsok) {
    // The words as the split sees them, written a stretch of the line at a time.
    WordTextLayout layout;
    layout.runic = runic;
    layout.dropQuotes = normalised;
    layout.pageMarks = item.pageMarks;
    layout.breakAtMarks = item.lineBreaks;
    layout.markBreak = lineEndsAtMarks ? "\r\n" : " ";
    layout.plain = plain;
    layout.word = word;
    layout.hit = hit;
    const int lastSpecial = hit == word
                                ? visit.lastMarkWordNumber
                                : std::max(visit.lastMarkWordNumber, visit.lastHitWordNumber);
    if (WriteWordText(out, f.CursorView(), layout, visit.hitCodes, lastSpecial))
      ctx.somethingShown = true;
    return;
  }
  bool firstToken = true;
  bool dividerFirst = false;
  int number = 0;
  f.FirstWord();
  std::string scratch;  // a word's search text when it is not the word itself
  // A piece is appended as the blank before it and the text after, in one style: the two
  // merge into one run as if written together.
  auto write = [&](std::string_view before, std::string_view text, std::uint32_t style) {
    out.AppendIn(before, text, style);
  };
  while (f.NextToken()) {
    if (runic && IsDividerToken(f.Word())) {
      if (item.kind != kItemWordText) continue;
      if (number == 0) dividerFirst = true;
      write(number == 0 ? "" : " ", f.SearchText(scratch), word);
      ctx.somethingShown = true;
      continue;
    }
    ++number;
    auto blank = [&] { return BlankBefore(number, dividerFirst); };
    switch (visit.HitCode(number)) {
      case 0:
        if (IsPageMark(f.Word())) break;  // a page mark the main file does not have
        if (item.kind == kItemWordText) {
          write(blank(), f.SearchText(scratch), word);
          ctx.somethingShown = true;
        } else if (item.kind == kItemHitsWithGaps) {
          out.AppendIn(" ", plain);  // one blank in place of the word
        }
        continue;
      case 1:
        if (item.kind == kItemWordText)
          write(blank(), f.SearchText(scratch), hit);
        else
          write(blank(), f.WordText(), plain);
        ctx.somethingShown = true;
        continue;
      default:
        break;
    }
    // A page mark.
    std::string_view before;
    if (item.lineBreaks && !firstToken)
      before = lineEndsAtMarks ? "\r\n" : " ";
    else
      before = blank();
    firstToken = false;
    if (item.pageMarks) {
      write(before, f.Word(), plain);
      ctx.somethingShown = true;
    } else if (!before.empty()) {
      out.AppendIn(before, plain);
    }
  }
}

const TTextFormat::Styles& TTextFormat::StylesOf(OutputContext& ctx) {
  StagingBuffer& out = ctx.staging;
  if (styles_.serial == out.serial() && styles_.size == ctx.fontSize &&
      styles_.font == ctx.fontName)
    return styles_;
  const TextStyle plain = ctx.Plain();
  auto id = [&](bool bold, bool italic, std::uint32_t color) {
    TextStyle style = plain;
    style.bold = bold;
    style.italic = italic;
    style.color = color;
    return out.StyleId(style);
  };
  styles_.serial = out.serial();
  styles_.font = ctx.fontName;
  styles_.size = ctx.fontSize;
  styles_.plain = out.StyleId(plain);
  styles_.bold = id(true, false, plain.color);
  styles_.italic = id(false, true, plain.color);
  styles_.boldHit = id(true, false, kRed);
  styles_.italicHit = id(false, true, kRed);
  return styles_;
}

void TTextFormat::WriteInfoColumns(Visit& visit, std::size_t index, bool& /*wantLineEnd*/) {
  OutputContext& ctx = visit.ctx;
  const auto& list = items();
  const FormatItem& item = list[index];
  TKombifil& f = ctx.db.File(item.slot);
  const auto* info = dynamic_cast<const TInfoFil*>(&f);
  const std::string letters = info ? info->codeLetters() : std::string(kAllInfoCodes);
  // A line end before each column but the file's first, unless a tab stands next to the item.
  const FormatItem* neighbour = index + 1 < list.size() ? &list[index + 1]
                                : index > 0             ? &list[index - 1]
                                                        : nullptr;
  const bool breaks = item.lineBreaks && !(neighbour && neighbour->kind == kItemTab);
  const std::uint32_t plain = StylesOf(ctx).plain;
  for (std::size_t i = 0; i < letters.size(); ++i) {
    const std::string text = FormattedField(f, letters[i], item.headings, ctx.links());
    if (text.empty()) continue;
    if (i > 0 && breaks) ctx.staging.AppendIn("\r\n", plain);
    ctx.staging.AppendIn(text, plain);
    ctx.somethingShown = true;
  }
}

}  // namespace stavbas
