#pragma once
// "Ange vad som söks" with an editable list of the values an information field takes
// (TMySelectBox). A value picked from the list is sought as it stands; typed text as typed.

#include <memory>
#include <string>
#include <vector>

#include "app/gui/condition_entry_dialog.h"

namespace Ui {
class TMySelectBox;
}

namespace stavbas::gui {

class TMySelectBox : public ConditionEntryDialog {
  Q_OBJECT

 public:
  explicit TMySelectBox(QWidget* parent = nullptr);
  ~TMySelectBox() override;

  // The field's values (Windows-1252), in one update; the text in the field stays.
  void SetValues(const std::vector<std::string>& values);

 protected:
  QLineEdit* Field() const override;
  bool Picked() const override { return picked_; }
  void Edited() override { picked_ = false; }
  void ShowStandardButtons() override;
  void Retranslate() override;

 private:
  std::unique_ptr<::Ui::TMySelectBox> ui_;
  bool picked_ = false;
};

}  // namespace stavbas::gui
