#pragma once
// "Välj koordinater att använda" (TKoordValomnuv): for an export of a selection, always the place
// of origin, or the present place where an inscription has one.

#include <memory>

#include "app/gui/choice_dialog.h"

namespace Ui {
class TKoordValomnuv;
}

namespace stavbas::gui {

class TKoordValomnuv : public ChoiceDialog {
  Q_OBJECT

 public:
  explicit TKoordValomnuv(QWidget* parent = nullptr);
  ~TKoordValomnuv() override;

 protected:
  void RetranslateUi() override;

 private:
  std::unique_ptr<::Ui::TKoordValomnuv> ui_;
};

}  // namespace stavbas::gui
