#include "conditions/province_dialog.h"

#include "database/regions.h"

namespace stavbas {

bool ExportCommandsEnabled(bool wordSearchCodeSet, bool conditionCodeSet,
                           const ProvinceSelection& selection) {
  return wordSearchCodeSet || conditionCodeSet || !selection.set.IsFull();
}

ProvinceDialog::ProvinceDialog() {
  ChooseRadio(ProvinceRadio::ValjAlla);
}

ProvinceDialog::ProvinceDialog(const ProvinceSet& loaded) {
  SetBoxes(loaded);
  FollowBoxes();
}

bool ProvinceDialog::Checked(int province) const {
  return province >= 1 && province <= kAreaCount && boxes_[province];
}

ProvinceSet ProvinceDialog::Boxes() const {
  ProvinceSet set;
  for (int n = 1; n <= kAreaCount; ++n)
    if (boxes_[n]) set.Include(n);
  return set;
}

void ProvinceDialog::SetBoxes(const ProvinceSet& set) {
  for (int n = 1; n <= kAreaCount; ++n) boxes_[n] = set.Contains(n);
}

void ProvinceDialog::FollowBoxes() {
  const ProvinceSet set = Boxes();
  okEnabled_ = !set.IsEmpty();
  if (set.IsFull())
    radio_ = ProvinceRadio::ValjAlla;
  else if (set.IsEmpty())
    radio_ = ProvinceRadio::IngetVal;
  else if (set == ProvinceSet::Sweden())
    radio_ = ProvinceRadio::HelaSverige;
  else if (set == ProvinceSet::GreatBritain())
    radio_ = ProvinceRadio::Storbritannien;
  else
    radio_ = ProvinceRadio::Valfritt;
}

void ProvinceDialog::ClickBox(int province, bool checked) {
  if (province < 1 || province > kAreaCount) return;
  if (province == kOtherAreas && !otherAreasEnabled_) return;
  boxes_[province] = checked;
  FollowBoxes();
}

void ProvinceDialog::ChooseRadio(ProvinceRadio radio) {
  radio_ = radio;
  switch (radio) {
    case ProvinceRadio::Valfritt:
      return;
    case ProvinceRadio::ValjAlla:
      SetBoxes(ProvinceSet::All());
      break;
    case ProvinceRadio::HelaSverige:
      SetBoxes(ProvinceSet::Sweden());
      break;
    case ProvinceRadio::Storbritannien:
      SetBoxes(ProvinceSet::GreatBritain());
      break;
    case ProvinceRadio::IngetVal:
      SetBoxes(ProvinceSet());
      okEnabled_ = false;
      return;
  }
  okEnabled_ = true;
}

std::optional<ProvinceDialogResult> ProvinceDialog::Ok(ProvinceSelection& selection,
                                                       bool wordSearchCodeSet,
                                                       bool conditionCodeSet) const {
  if (!okEnabled_) return std::nullopt;
  selection.Assign(Boxes());
  ProvinceDialogResult result;
  result.allProvinces = selection.set.IsFull();
  result.exportCommandsEnabled =
      ExportCommandsEnabled(wordSearchCodeSet, conditionCodeSet, selection);
  return result;
}

}  // namespace stavbas
