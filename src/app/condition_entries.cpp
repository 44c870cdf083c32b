#include "app/condition_entries.h"

#include "app/stavbas_app.h"
#include "base/char_tables.h"
#include "base/line_file.h"
#include "database/info_preparation.h"

namespace stavbas {
namespace {

using enum EntryDialog;
using enum PromptForm;

constexpr int kSearchHelp = 4;
constexpr int kSelectionHelp = 5;

}  // namespace

const std::vector<ConditionEntry>& WordSearchEntries() {
  static const std::vector<ConditionEntry> entries = {
      {"Runtext", "RUN:", kInput, kAngeVadSomSoksI, "Stavbas.RUN", 0, kSearchHelp},
      {"Nfs", "NFS:", kInput, kAngeVadSomSoksI, "Stavbas.NFS", 0, kSearchHelp},
      {"Fvn", "FVN:", kInput, kAngeVadSomSoksI, "Stavbas.FVN", 0, kSearchHelp},
  };
  return entries;
}

const std::vector<ConditionEntry>& InscriptionEntries() {
  static const std::vector<ConditionEntry> entries = {
      {"Signumdel3", "$3:", kInput, kSignumPart, "", 0, kSelectionHelp, true},
      {"Runtext", "RUN%:", kInput, kAngeVadSomSoksI, "Stavbas.RUN", 0, kSelectionHelp},
      {"Nfs", "NFS%:", kInput, kAngeVadSomSoksI, "Stavbas.NFS", 0, kSelectionHelp},
      {"Fvn", "FVN%:", kInput, kAngeVadSomSoksI, "Stavbas.FVN", 0, kSelectionHelp},
      {"Fritext", "INF%:", kInput, kAngeVadSomSoksI, "Stavbas.INF/.XLS", 0, kSelectionHelp},
      {"Eng", "ENG%:", kInput, kAngeVadSomSoksI, "Stavbas.ENG", 0, kSelectionHelp},
      {"Plats", "INF;P:", kSelect, kVilken, "", 'P', kSelectionHelp},
      {"Socken", "INF;S:", kSelect, kVilken, "", 'S', kSelectionHelp},
      {"Harad", "INF;T:", kSelect, kVilket, "", 'T', kSelectionHelp},
      {"Kommun", "INF;K:", kSelect, kVilken, "", 'K', kSelectionHelp},
      {"Placering", "INF;Q:", kInput, kVadSoksI, "", 0, kSelectionHelp},
      {"Koordinater", "INF;X:", kInput, kVadSoksI, "", 0, kSelectionHelp},
      {"UrsprPlats", "INF;U:", kSelect, kVadSoksI, "", 'U', kSelectionHelp},
      {"NuvKoord", "INF;Y:", kInput, kVadSoksI, "", 0, kSelectionHelp},
      {"Sockenkod", "INF;N:", kInput, kVilket, "", 0, kSelectionHelp},
      {"Runtyper", "INF;B:", kSelect, kVadSoksI, "", 'B', kSelectionHelp},
      {"Korsform", "INF;C:", kSelect, kVilken, "", 'C', kSelectionHelp},
      {"Period", "INF;D:", kSelect, kVadSoksI, "", 'D', kSelectionHelp},
      {"Stilgruppering", "INF;G:", kSelect, kVadSoksI, "", 'G', 130},
      {"Ristare", "INF;R:", kSelect, kVilken, "", 'R', 16},
      {"Materialtyp", "INF;I:", kSelect, kVilken, "", 'I', kSelectionHelp},
      {"Material", "INF;A:", kSelect, kVadSoksI, "", 'A', kSelectionHelp},
      {"Foremal", "INF;L:", kSelect, kVadSoksI, "", 'L', kSelectionHelp},
      {"AltSignum", "INF;E:", kInput, kVadSoksI, "", 0, kSelectionHelp},
      {"Referens", "INF;F:", kInput, kVadSoksI, "", 0, kSelectionHelp},
      {"Bildlank", "INF;H:", kInput, kVadSoksI, "", 0, kSelectionHelp},
      {"Ovrigt", "INF;O:", kInput, kVadSoksI, "", 0, kSelectionHelp},
  };
  return entries;
}

const ConditionEntry* FindEntry(const std::vector<ConditionEntry>& entries, std::string_view name) {
  for (const ConditionEntry& e : entries)
    if (name == e.name) return &e;
  return nullptr;
}

std::string EntryPrompt(const Ui& ui, const ConditionEntry& entry, const std::string& caption) {
  switch (entry.prompt) {
    case kAngeVadSomSoksI:
      return ui.S(Str::AngeVadSomSoksI) + entry.fileName;
    case kVilken:
      return ui.S(Str::VilkenPrompt) + caption + ui.S(Str::SoksFraga);
    case kVilket:
      return ui.S(Str::VilketPrompt) + caption + ui.S(Str::SoksFraga);
    case kVadSoksI:
      return ui.S(Str::VadSoksI) + caption + "?";
    case kSignumPart:
      break;
  }
  return ui.S(Str::VadSoksISignumdel);
}

EntryTarget TargetOf(const ConditionEntry& entry, bool wordSearch, bool further) {
  if (wordSearch) return further ? EntryTarget::kFurtherWordSearch : EntryTarget::kNewWordSearch;
  if (further) return EntryTarget::kFurtherCondition;
  return entry.signumPart ? EntryTarget::kNewSignumCondition : EntryTarget::kNewCondition;
}

std::vector<std::string> InfoFieldValues(const TDatabas& db, char field) {
  std::vector<std::string> values;
  const int slot = db.InfoSlot();
  if (!slot || field < 'A' || field > 'Z') return values;
  const bool introduced = db.DataFile(slot).kind() == kInfotext2;
  LineFile file;
  if (file.Open(db.DataFile(slot).path()) != 0) return values;
  std::vector<char> buffer(kLineCapacity + 1);
  std::size_t length = 0;
  const char mark = static_cast<char>(field & 0x1F);
  while (file.ReadLine(buffer.data(), kLineCapacity, length) == LineFile::Result::Line) {
    const std::string_view line(buffer.data(), length);
    if (line.empty() || line[0] == '!') continue;
    std::string_view value;
    if (introduced) {
      // Fields run from "\xBE" and the letter to the next "\xBE" or the end of the line.
      const std::string start = std::string("\xBE") + field;
      const std::size_t at = line.find(start);
      if (at == std::string_view::npos) continue;
      value = line.substr(at + 2);
      value = value.substr(0, value.find('\xBE'));
    } else {
      const std::size_t open = line.find(mark);
      if (open == std::string_view::npos) continue;
      const std::size_t close = line.find(mark, open + 1);
      if (close == std::string_view::npos) continue;
      value = line.substr(open + 1, close - open - 1);
    }
    value = Trim(value);
    if (!value.empty()) values.emplace_back(value);
  }
  SortWithoutDuplicates(values);
  return values;
}

std::string EscapedValue(std::string_view value) {
  std::string out;
  for (char c : value) {
    if (std::string_view("\\/&+:*@=#_{}").find(c) != std::string_view::npos) out += '\\';
    out += c;
  }
  return out;
}

bool AcceptEntry(StavbasApp& app, const ConditionEntry& entry, EntryTarget target,
                 const EntryAnswer& answer) {
  if (answer.text.empty()) return answer.searchDirectly;
  std::string prefix = answer.exclude ? "-" : "";
  prefix += entry.prefix;
  const std::string text = answer.picked ? EscapedValue(answer.text) : answer.text;
  CodeBuilder& b = app.builder;
  const bool replace =
      target != EntryTarget::kFurtherWordSearch && target != EntryTarget::kFurtherCondition;
  const bool accepted =
      target == EntryTarget::kNewWordSearch || target == EntryTarget::kFurtherWordSearch
          ? b.FixaVillkorsstrang(prefix, text, replace)
          : b.FixaUrvalsstrang(prefix, text, replace, target == EntryTarget::kNewSignumCondition);
  // The commands that need a selection follow the codes in force (a refused code left the
  // previous one).
  b.UpdateExportCommands();
  return accepted && answer.searchDirectly;
}

}  // namespace stavbas
