#include "app/gui/map_kind_dialog.h"

#include "ui_map_kind_dialog.h"

namespace stavbas::gui {

TKartVal::TKartVal(QWidget* parent)
    : ChoiceDialog(parent), ui_(std::make_unique<::Ui::TKartVal>()) {
  ui_->setupUi(this);
  Wire();
}

TKartVal::~TKartVal() = default;

void TKartVal::RetranslateUi() {
  ui_->retranslateUi(this);
}

}  // namespace stavbas::gui
