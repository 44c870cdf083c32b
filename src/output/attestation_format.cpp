#include "output/attestation_format.h"

#include "base/ui.h"
#include "conditions/conditions.h"
#include "database/databas.h"
#include "database/info_file.h"
#include "database/info_format.h"
#include "output/text_format.h"

namespace stavbas {
namespace {

constexpr int kColumnStop = 10;

void EndWithBlank(std::string& line) {
  if (line.empty() || line.back() != ' ') line += ' ';
}

}  // namespace

void TBelaggFormat::BelaggFunnet(Visit& visit) {
  OutputContext& ctx = visit.ctx;
  TDatabas& db = ctx.db;
  ++visit.hitCount;
  ctx.lastShownSignum = db.currentSignum();
  ctx.somethingShown = false;

  std::string line;
  std::size_t stop = 0;
  for (const FormatItem& item : items()) {
    switch (item.kind) {
      case kItemWordText:
        line += db.File(item.slot).WordText() + " ";
        break;
      case kItemHitsWithGaps:
        line += db.File(item.slot).MarkedLine();
        break;
      case kItemPlainRecord:
        line += db.File(item.slot).Cursor();
        EndWithBlank(line);
        break;
      case kItemInfoColumn:
        line += FormattedField(db.File(item.slot), item.infoColumn, item.headings, ctx.links());
        break;
      case kItemAllInfoColumns: {
        const TKombifil& f = db.File(item.slot);
        const auto* info = dynamic_cast<const TInfoFil*>(&f);
        for (char letter : info ? info->codeLetters() : std::string(kAllInfoCodes))
          line += FormattedField(f, letter, item.headings, ctx.links());
        break;
      }
      case kItemRawRecord:
        line += db.File(item.slot).LineView();
        EndWithBlank(line);
        break;
      case kItemAttestationWord:
        line += std::string(db.File(item.slot).Word()) + " ";
        break;
      case kItemSignum: {
        line += db.SignumText(item.signumGiven, item.signumFull);
        if (item.pageMarks) line += visit.currentPageMark;
        if (item.number) {
          const int n = item.pageMarks ? visit.wordNumber - visit.lastMarkWordNumber
                                       : visit.wordNumber - visit.markCount;
          line += "#" + std::to_string(n) + " ";
        }
        if (item.alternative && visit.alternativeFlag) line += "/ ";
        break;
      }
      case kItemBlankLine:
        break;
      case kItemTab:
        line += "\t ";
        break;
      default:
        ctx.ui.ShowMessage(
            ctx.ui.MessageOf(8666) + ctx.ui.S(Str::IRutin) + "TBelaggFormat.BelaggFunnet",
            MsgKind::Error);
        break;
    }
    if (!item.lineEnd) continue;
    stop += kColumnStop;
    if (line.size() < stop) {
      line.append(std::min<std::size_t>(stop - line.size(), kColumnStop), ' ');
    } else if (!line.empty() && line.back() == ' ') {
      while (line.size() > stop && line.size() >= 2 && line[line.size() - 2] == ' ')
        line.pop_back();
    }
  }
  if (line == " ")
    line.clear();
  else
    while (!line.empty() && line.back() == ' ') line.pop_back();
  TextStyle courier;
  courier.font = "Courier New";
  courier.size = ctx.fontSize;
  ctx.Out().Append({{line + "\r\n", courier}});
  ctx.somethingShown = true;
}

void TBelaggFormat::FinishInscription(Visit& visit) {
  if (visit.ctx.runInProgress) visit.ctx.ui.host().ProcessEvents();
  visit.ctx.stepFlag = false;
}

void TDelatBelaggFormat::RecordHit(Visit& visit) {
  if (!visit.alternativeFlag) {
    BelaggFunnet(visit);
    return;
  }
  TDatabas& db = visit.ctx.db;
  TDatabas::SaveArea saved;
  for (;;) {
    db.UseAlternatives(visit.walked, saved);
    BelaggFunnet(visit);
    db.RestoreWords(visit.walked, saved);
    // The next reading that satisfies the search, if any.
    bool found = false;
    while (!found && !visit.stop && db.AnyMoreAlternatives(visit.walked)) {
      db.NextAlternatives(visit.walked);
      found = visit.ctx.conditions.WordPasses();
    }
    if (!found) break;
  }
}

std::unique_ptr<TFormat> MakeFormat(LayoutKind kind) {
  switch (kind) {
    case LayoutKind::kText:
      return std::make_unique<TTextFormat>();
    case LayoutKind::kAttestation:
      return std::make_unique<TBelaggFormat>();
    default:
      return std::make_unique<TDelatBelaggFormat>();
  }
}

}  // namespace stavbas
