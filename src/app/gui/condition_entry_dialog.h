#pragma once
// What the two dialogs of the condition entries share ("Ange vad som söks"): the prompt, the
// field, the character buttons that insert at the caret, "vara med" or "inte vara med", "Sök
// direkt", "OK" and "Avbryt". The answer goes to the core's condition entries. The dialogs live
// as long as the main window and keep their text and choices between uses.

#include "app/condition_entries.h"
#include "app/gui/stavbas_dialog.h"

class QAbstractButton;
class QLineEdit;

namespace stavbas::gui {

class ConditionEntryDialog : public StavbasDialog {
  Q_OBJECT

 public:
  // Sets the dialog for an entry: its prompt and help context; the entry for the third part of
  // the signum shows † instead of the letter buttons.
  void Prepare(const QString& prompt, int helpContext, bool signumPart);
  // The answer "OK" closed the dialog with.
  EntryAnswer Answer() const;

 protected:
  explicit ConditionEntryDialog(QWidget* parent) : StavbasDialog(parent) {}
  // Connects the buttons; called once the subclass's widgets are set up.
  void Wire();
  virtual QLineEdit* Field() const = 0;
  virtual bool Picked() const { return false; }
  virtual void Edited() {}
  // The character buttons shown when the dialog is not set for the signum entry.
  virtual void ShowStandardButtons();
  QAbstractButton* Button(const char* name) const;
  void showEvent(QShowEvent* event) override;

 private:
  void Insert(char cp1252);
};

}  // namespace stavbas::gui
