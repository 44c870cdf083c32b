#pragma once
// "Välj plats att visa på karta" (TKoordVal): the place of origin or the present place of an
// inscription that has both.

#include <memory>

#include "app/gui/choice_dialog.h"

namespace Ui {
class TKoordVal;
}

namespace stavbas::gui {

class TKoordVal : public ChoiceDialog {
  Q_OBJECT

 public:
  explicit TKoordVal(QWidget* parent = nullptr);
  ~TKoordVal() override;

 protected:
  void RetranslateUi() override;

 private:
  std::unique_ptr<::Ui::TKoordVal> ui_;
};

}  // namespace stavbas::gui
