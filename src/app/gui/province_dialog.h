#pragma once
// "Välj land/landskap" (TGetCounty): a check box per province and country, the radio buttons
// that choose groups of them, and "OK", which makes the checked boxes the selection. A view
// over the province dialog's model, which keeps the boxes between openings.

#include <QList>
#include <memory>

#include "app/gui/stavbas_dialog.h"
#include "conditions/province_dialog.h"

class QCheckBox;
class QRadioButton;

namespace Ui {
class TGetCounty;
}

namespace stavbas::gui {

class TGetCounty : public StavbasDialog {
  Q_OBJECT

 public:
  explicit TGetCounty(ProvinceDialog& model, QWidget* parent = nullptr);
  ~TGetCounty() override;

  // Shows the model's boxes and radio buttons (before each opening).
  void Sync();
  QCheckBox* box(int province) const { return boxes_.value(province - 1); }

 protected:
  void Retranslate() override;

 private:
  QRadioButton* Radio(ProvinceRadio radio) const;

  std::unique_ptr<::Ui::TGetCounty> ui_;
  ProvinceDialog& model_;
  QList<QCheckBox*> boxes_;
};

}  // namespace stavbas::gui
