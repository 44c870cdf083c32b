#pragma once
// "Välj karttyp" (TKartVal): the map command shows the inscription on a Google Maps page or in
// Google Earth.

#include <memory>

#include "app/gui/choice_dialog.h"

namespace Ui {
class TKartVal;
}

namespace stavbas::gui {

class TKartVal : public ChoiceDialog {
  Q_OBJECT

 public:
  explicit TKartVal(QWidget* parent = nullptr);
  ~TKartVal() override;

 protected:
  void RetranslateUi() override;

 private:
  std::unique_ptr<::Ui::TKartVal> ui_;
};

}  // namespace stavbas::gui
