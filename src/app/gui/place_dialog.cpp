#include "app/gui/place_dialog.h"

#include "ui_place_dialog.h"

namespace stavbas::gui {

TKoordVal::TKoordVal(QWidget* parent)
    : ChoiceDialog(parent), ui_(std::make_unique<::Ui::TKoordVal>()) {
  ui_->setupUi(this);
  Wire();
}

TKoordVal::~TKoordVal() = default;

void TKoordVal::RetranslateUi() {
  ui_->retranslateUi(this);
}

}  // namespace stavbas::gui
