// The main window's commands that build the codes: the province choice, the entries of "Sök i
// text" and "Urval" with their dialogs, and the format dialog of the format commands.

#include <QAction>
#include <QMenu>

#include "app/condition_entries.h"
#include "app/format_dialog_model.h"
#include "app/gui/format_dialog.h"
#include "app/gui/input_box.h"
#include "app/gui/main_window.h"
#include "app/gui/province_dialog.h"
#include "app/gui/select_box.h"
#include "app/gui/text_convert.h"
#include "app/startup.h"
#include "app/stavbas_app.h"
#include "ui_main_window.h"

namespace stavbas::gui {

namespace {

// The caption of a menu entry without its access key ("&&" stands for "&").
QString PlainCaption(const QAction* action) {
  QString text = action->text();
  text.replace("&&", QChar(0x1)).remove('&').replace(QChar(0x1), '&');
  return text;
}

}  // namespace

void TForm1::ConnectConditionCommands() {
  auto& u = *ui_;
  On(u.actionLandskap, [this] { ChooseProvinces(); });
  // Every entry of the four submenus opens its dialog; the proper-name entries (in submenus of
  // their own) build their piece at once.
  const struct {
    QMenu* menu;
    const char* prefix;
    bool wordSearch, further;
  } menus[] = {{u.menuNySokning, "actionNy", true, false},
               {u.menuYtterligareSokning, "actionYtterligare", true, true},
               {u.menuNyttVillkor, "actionNytt", false, false},
               {u.menuFlerVillkor, "actionFler", false, true}};
  for (const auto& m : menus)
    for (QAction* entry : m.menu->actions()) {
      if (entry->menu() || entry->isSeparator()) continue;
      // The entry's name is what follows its menu's prefix.
      const std::string name = entry->objectName().mid(qstrlen(m.prefix)).toStdString();
      const bool wordSearch = m.wordSearch, further = m.further;
      On(entry, [this, entry, name, wordSearch, further] {
        ConditionEntryCommand(entry, name, wordSearch, further);
      });
    }
  On(u.actionTextformat, [this] { FormatCommand(LayoutKind::kText); });
  On(u.actionBelaggformat, [this] { FormatCommand(LayoutKind::kAttestation); });
  On(u.actionDelatBelaggformat, [this] { FormatCommand(LayoutKind::kSplitAttestation); });
}

void TForm1::ChooseProvinces() {
  if (app_->ui.otherAreasSeen) provinceModel_.EnableOtherAreas();
  TGetCounty* dialog = Dialog(provinceDialog_, provinceModel_);
  dialog->Sync();
  // "Avbryt" keeps the boxes as the user left them for the next "OK".
  if (dialog->exec() != QDialog::Accepted) return;
  const Conditions& c = app_->conditions;
  if (!provinceModel_.Ok(app_->settings.provinces, !c.wordSearchCode().empty(),
                         !c.inscriptionCode().empty()))
    return;
  ShowCodesInStatusBar(*app_);
  app_->builder.UpdateExportCommands();
}

void TForm1::ConditionEntryCommand(QAction* action, const std::string& name, bool wordSearch,
                                   bool further) {
  const ConditionEntry* entry =
      FindEntry(wordSearch ? WordSearchEntries() : InscriptionEntries(), name);
  if (!entry) {
    qWarning("Stavbas: no condition entry for %s", qPrintable(action->objectName()));
    return;
  }
  ConditionEntryDialog* dialog;
  if (entry->dialog == EntryDialog::kSelect) {
    TMySelectBox* select = Dialog(selectBox_);
    select->SetValues(InfoFieldValues(app_->db, entry->field));
    dialog = select;
  } else {
    dialog = Dialog(inputBox_);
  }
  dialog->Prepare(Q(EntryPrompt(app_->ui, *entry, W(PlainCaption(action)))), entry->helpContext,
                  entry->signumPart);
  if (dialog->exec() != QDialog::Accepted) return;
  if (AcceptEntry(*app_, *entry, TargetOf(*entry, wordSearch, further), dialog->Answer()))
    Run([this] { app_->run.AllRun(); });
}

void TForm1::FormatCommand(LayoutKind kind) {
  formatModel_->OpenForLayout(kind);
  TFormatval* dialog = Dialog(formatDialog_, *formatModel_);
  dialog->Sync();
  if (dialog->exec() != QDialog::Accepted) return;
  // The code in force, in the format code's entry row for a look or a change by hand.
  OpenEntryRow(EntryPurpose::kFormatCode);
}

}  // namespace stavbas::gui
