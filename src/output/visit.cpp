#include "output/visit.h"

#include <algorithm>

#include "base/ui.h"
#include "conditions/conditions.h"
#include "database/databas.h"

namespace stavbas {

const LinkSettings& OutputContext::links() const {
  static const LinkSettings defaults;
  return linkSettings ? *linkSettings : defaults;
}

TextStyle OutputContext::Plain() const {
  TextStyle s;
  s.font = fontName;
  s.size = fontSize;
  return s;
}

void Visit::GrowHitCodes(int word) {
  hitCodes.resize(std::max<std::size_t>(2 * hitCodes.size(), static_cast<std::size_t>(word) + 64),
                  0);
}

void Visit::Run(TFormat& format, bool whole) {
  showWhole = whole;
  stop = false;
  hitCount = 0;
  currentPageMark.clear();
  wordNumber = lastMarkWordNumber = lastHitWordNumber = markCount = alternativeMarkCount = 0;
  alternativeFlag = false;
  hitCodes.assign(hitCodes.size(), 0);

  TDatabas& db = ctx.db;
  walked = db.wordSet();
  db.FirstWords(walked);
  while (db.NextWords(walked)) {
    ++wordNumber;
    if (db.MainFileAtPageMark()) {
      currentPageMark = std::string(db.MainFileWordText().substr(0, 14)) + " ";
      lastMarkWordNumber = wordNumber;
      const std::string_view mark = db.MainFileWordText();
      if (mark.size() > 1 && static_cast<unsigned char>(mark[1]) > 'O') ++alternativeMarkCount;
      ++markCount;
      SetHitCode(wordNumber, 2);
      continue;
    }
    if (!ctx.conditions.EvalWordPosition(walked, alternativeFlag)) continue;
    if (alternativeMarkCount <= 1 || hitCount == 0) {
      format.RecordHit(*this);
      if (stop) break;
    } else {
      SetHitCode(wordNumber, 1);
    }
  }
  format.FinishInscription(*this);
  if (hitCount > 0 && !stop && !ctx.informationDisplay) {
    ++ctx.inscriptionCount;
    ctx.hitTotal += hitCount;
  }
  if (ctx.somethingShown) ++ctx.shownInscriptions;
  if (ctx.afterInscription) ctx.afterInscription();
  ctx.staging.Clear();
}

void WriteCountsLine(OutputContext& ctx) {
  Ui& ui = ctx.ui;
  std::string text;
  if (ctx.conditions.IsWordSearchActive()) {
    text = std::to_string(ctx.hitTotal) + ui.S(Str::OrdBelagg);
    if (ctx.inscriptionCount >= 0) text += ui.S(Str::I);
  }
  if (ctx.inscriptionCount == 1)
    text += ui.S(Str::EnInskrift);
  else if (ctx.inscriptionCount != -1)
    text += std::to_string(ctx.inscriptionCount) + ui.S(Str::Inskrifter);
  if (!text.empty() && !ctx.countsDone) ctx.Out().Append({{text, ctx.Plain()}});
  ctx.countsDone = true;
}

}  // namespace stavbas
