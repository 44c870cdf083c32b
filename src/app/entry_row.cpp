#include "app/entry_row.h"

#include "app/stavbas_app.h"

namespace stavbas {

EntryRow::View EntryRow::Open(EntryPurpose purpose, int comboEntries) {
  purpose_ = purpose;
  open_ = true;
  View view;
  switch (purpose) {
    case EntryPurpose::kSignum:
    case EntryPurpose::kFirstSignum:
      view.text = app_.run.lastRequest;
      if (comboEntries < 2) view.entries = app_.info.valueLists()[0];
      break;
    case EntryPurpose::kFormatCode:
      view.text = app_.format.code();
      break;
    case EntryPurpose::kInscriptionCode:
      view.text = app_.conditions.inscriptionCode();
      break;
    case EntryPurpose::kWordSearchCode:
      view.text = app_.conditions.wordSearchCode();
      break;
  }
  if (purpose != EntryPurpose::kSignum && purpose != EntryPurpose::kFirstSignum) {
    view.entries = {view.text};
    view.searchButton = false;
  }
  return view;
}

bool EntryRow::EnterConditionCode(std::string& text, bool wordSearch) {
  Conditions& c = app_.conditions;
  auto parse = [&](const std::string& code) {
    return wordSearch ? c.ParseWordSearchCode(code) : c.ParseInscriptionCode(code);
  };
  const int panel = wordSearch ? 1 : 2;
  const std::string previous = wordSearch ? c.wordSearchCode() : c.inscriptionCode();
  if (parse(text)) {
    app_.ui.host().SetStatusPanel(panel, text);
    app_.builder.UpdateExportCommands();
    open_ = false;
    return true;
  }
  parse(previous);
  app_.ui.host().SetStatusPanel(panel, previous);
  text = previous;
  return false;
}

bool EntryRow::Enter(std::string& text) {
  switch (purpose_) {
    case EntryPurpose::kSignum:
      open_ = false;
      app_.run.SignumRun(text);
      return true;
    case EntryPurpose::kFirstSignum:
      open_ = false;
      app_.run.abortFlag = false;
      app_.run.AllFromRun(text);
      return true;
    case EntryPurpose::kFormatCode:
      if (app_.format.SetFromEntry(text)) {
        open_ = false;
        return true;
      }
      text = app_.format.code();
      return false;
    case EntryPurpose::kInscriptionCode:
      return EnterConditionCode(text, false);
    case EntryPurpose::kWordSearchCode:
      return EnterConditionCode(text, true);
  }
  return true;
}

}  // namespace stavbas
