#include "app/gui/province_dialog.h"

#include <QCheckBox>
#include <QSignalBlocker>

#include "app/gui/text_convert.h"
#include "database/regions.h"
#include "ui_province_dialog.h"

namespace stavbas::gui {

namespace {
// Sweden (1 to 21) fills the first two columns, the other countries the next two.
constexpr int kRows = 11;
constexpr int kLastSwedish = 21;
}  // namespace

TGetCounty::TGetCounty(ProvinceDialog& model, QWidget* parent)
    : StavbasDialog(parent), ui_(std::make_unique<::Ui::TGetCounty>()), model_(model) {
  ui_->setupUi(this);
  for (int n = 1; n <= kAreaCount; ++n) {
    const Region& r = RegionInfo(n);
    auto* box = new QCheckBox(Q(r.name) + " (" + Q(r.code) + ")", ui_->provinceGroup);
    box->setObjectName(QStringLiteral("province%1").arg(n));
    const int index = n <= kLastSwedish ? n - 1 : n - kLastSwedish - 1;
    const int column = (n <= kLastSwedish ? 0 : 2) + index / kRows;
    ui_->provinceGrid->addWidget(box, index % kRows, column);
    connect(box, &QCheckBox::clicked, this, [this, n](bool on) {
      model_.ClickBox(n, on);
      Sync();
    });
    boxes_ << box;
  }
  for (ProvinceRadio r :
       {ProvinceRadio::Valfritt, ProvinceRadio::ValjAlla, ProvinceRadio::HelaSverige,
        ProvinceRadio::Storbritannien, ProvinceRadio::IngetVal})
    connect(Radio(r), &QRadioButton::clicked, this, [this, r] {
      model_.ChooseRadio(r);
      Sync();
    });
  connect(ui_->ok, &QPushButton::clicked, this, &QDialog::accept);
  Sync();
}

TGetCounty::~TGetCounty() = default;

QRadioButton* TGetCounty::Radio(ProvinceRadio radio) const {
  switch (radio) {
    case ProvinceRadio::Valfritt:
      return ui_->valfritt;
    case ProvinceRadio::ValjAlla:
      return ui_->valjAlla;
    case ProvinceRadio::HelaSverige:
      return ui_->helaSverige;
    case ProvinceRadio::Storbritannien:
      return ui_->storbritannien;
    case ProvinceRadio::IngetVal:
      break;
  }
  return ui_->ingetVal;
}

void TGetCounty::Sync() {
  for (int n = 1; n <= kAreaCount; ++n) {
    const QSignalBlocker block(boxes_[n - 1]);
    boxes_[n - 1]->setChecked(model_.Checked(n));
  }
  boxes_[kOtherAreas - 1]->setEnabled(model_.otherAreasEnabled());
  Radio(model_.radio())->setChecked(true);
  ui_->ok->setEnabled(model_.okEnabled());
}

void TGetCounty::Retranslate() {
  ui_->retranslateUi(this);
}

}  // namespace stavbas::gui
