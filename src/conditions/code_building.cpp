#include "conditions/code_building.h"

#include "base/char_tables.h"
#include "base/commands.h"
#include "base/ui.h"
#include "conditions/condition_parser.h"

namespace stavbas {
namespace {

constexpr int kWordSearchPanel = 1;
constexpr int kInscriptionPanel = 2;
constexpr int kProvincePanel = 3;

}  // namespace

std::string BytUtBlank(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != ' ') {
      out += c;
    } else if (i == 0 || i + 1 >= text.size() || (text[i + 1] != '&' && text[i + 1] != '+')) {
      out += '_';
    }
  }
  return out;
}

std::string BytUtAsterisk(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c == '*') c = '\xB7';
  return out;
}

bool CodeBuilder::Parse(CodeKind kind, const std::string& code) {
  return kind == CodeKind::kWordSearch ? conditions_.ParseWordSearchCode(code)
                                       : conditions_.ParseInscriptionCode(code);
}

bool CodeBuilder::Build(CodeKind kind, const std::string& prefix, std::string text, bool replace) {
  const bool word = kind == CodeKind::kWordSearch;
  const std::string previous = word ? conditions_.wordSearchCode() : conditions_.inscriptionCode();
  text = BytUtBlank(text);
  if (prefix.find("RUN") != std::string::npos) text = BytUtAsterisk(text);
  const std::string code =
      previous.empty() || replace ? prefix + text : previous + " & " + prefix + text;
  // A longer code would be cut by the parser and might still parse into something else.
  if (code.size() > kMaxCodeLength) {
    ui_.ShowMessage(ui_.S(Str::KodenForLang) + code, MsgKind::Information);
    return false;
  }
  if (codeFieldShows && setCodeField && codeFieldShows(kind)) setCodeField(code);
  const int panel = word ? kWordSearchPanel : kInscriptionPanel;
  if (Parse(kind, code)) {
    ui_.host().SetStatusPanel(panel, code);
    return true;
  }
  ui_.ShowMessage(
      ui_.S(word ? Str::FelaktigOrdsokningskod : Str::FelaktigInskriftsvillkorskod) + code,
      MsgKind::Information);
  Parse(kind, previous);
  ui_.host().SetStatusPanel(panel, previous);
  return false;
}

bool CodeBuilder::FixaVillkorsstrang(const std::string& prefix, const std::string& text,
                                     bool replace) {
  return Build(CodeKind::kWordSearch, prefix, text, replace);
}

bool CodeBuilder::FixaUrvalsstrang(const std::string& prefix, const std::string& text, bool replace,
                                   bool signumPart) {
  std::string t = text;
  if (signumPart && t.find_first_of("\x86$MmUu") == std::string::npos) t = SystemUpperCase(t);
  return Build(CodeKind::kInscription, prefix, t, replace);
}

void CodeBuilder::UpdateExportCommands() {
  const bool on = ExportCommandsEnabled(!conditions_.wordSearchCode().empty(),
                                        !conditions_.inscriptionCode().empty(), provinces_);
  for (std::string_view c :
       {command::kSkapaUrvalsfil, command::kSkapaShapeFil, command::kSkapaCsvFil})
    ui_.host().SetCommandEnabled(c, on);
}

void CodeBuilder::EnableExportCommands() {
  for (std::string_view c :
       {command::kSkapaUrvalsfil, command::kSkapaShapeFil, command::kSkapaCsvFil})
    ui_.host().SetCommandEnabled(c, true);
}

void CodeBuilder::Remove(CodeKind kind) {
  Parse(kind, "");
  ui_.host().SetStatusPanel(kind == CodeKind::kWordSearch ? kWordSearchPanel : kInscriptionPanel,
                            "");
  if (codeFieldShows && setCodeField && codeFieldShows(kind)) setCodeField("");
  // Only switched off here: with a code left, the commands stay as they were.
  if (!ExportCommandsEnabled(!conditions_.wordSearchCode().empty(),
                             !conditions_.inscriptionCode().empty(), provinces_))
    UpdateExportCommands();
}

void CodeBuilder::RemoveWordSearch() {
  Remove(CodeKind::kWordSearch);
}

void CodeBuilder::RemoveInscriptionCondition() {
  Remove(CodeKind::kInscription);
}

void CodeBuilder::ClearAll(ProvinceDialog* dialog) {
  RemoveWordSearch();
  RemoveInscriptionCondition();
  provinces_.Assign(ProvinceSet::All());
  ui_.host().SetStatusPanel(kProvincePanel, ui_.S(Str::AllaLandskap));
  if (dialog) dialog->ChooseRadio(ProvinceRadio::ValjAlla);
  UpdateExportCommands();
}

}  // namespace stavbas
