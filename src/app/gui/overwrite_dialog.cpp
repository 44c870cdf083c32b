#include "app/gui/overwrite_dialog.h"

#include "ui_overwrite_dialog.h"

namespace stavbas::gui {

TOverWrite::TOverWrite(QWidget* parent)
    : ChoiceDialog(parent), ui_(std::make_unique<::Ui::TOverWrite>()) {
  ui_->setupUi(this);
  Wire();
}

TOverWrite::~TOverWrite() = default;

void TOverWrite::SetFile(const QString& path) {
  ui_->fileName->setText(path);
}

void TOverWrite::RetranslateUi() {
  ui_->retranslateUi(this);
}

}  // namespace stavbas::gui
