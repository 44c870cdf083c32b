#include "app/gui/coordinate_dialog.h"

#include "ui_coordinate_dialog.h"

namespace stavbas::gui {

TKoordValomnuv::TKoordValomnuv(QWidget* parent)
    : ChoiceDialog(parent), ui_(std::make_unique<::Ui::TKoordValomnuv>()) {
  ui_->setupUi(this);
  Wire();
}

TKoordValomnuv::~TKoordValomnuv() = default;

void TKoordValomnuv::RetranslateUi() {
  ui_->retranslateUi(this);
}

}  // namespace stavbas::gui
