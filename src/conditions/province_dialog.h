#pragma once
// The behaviour of the province dialog ("Välj land/landskap"): 43 check boxes in province
// order, five radio buttons that choose groups of boxes and follow the boxes the user clicks,
// and the "OK" button that makes the boxes the selection in force. The window is a thin view
// over this model; it lives from start-up to exit, so the boxes keep what the user left in them.

#include <array>
#include <optional>

#include "conditions/province_set.h"

namespace stavbas {

enum class ProvinceRadio { Valfritt, ValjAlla, HelaSverige, Storbritannien, IngetVal };

// What "OK" asks of the main window.
struct ProvinceDialogResult {
  bool allProvinces = false;  // label and status panel show "Alla landskap"
  // "Skapa urvalsfil", "Skapa Shape-fil" and "Skapa CSV-fil": off when there is nothing to
  // narrow the export (no word search code, no inscription condition code, all provinces).
  bool exportCommandsEnabled = true;
};

// The rule for the three export commands.
bool ExportCommandsEnabled(bool wordSearchCodeSet, bool conditionCodeSet,
                           const ProvinceSelection& selection);

class ProvinceDialog {
 public:
  // Every box checked, "Välj alla" chosen.
  ProvinceDialog();
  // The boxes show a loaded selection and the radio buttons follow them.
  explicit ProvinceDialog(const ProvinceSet& loaded);

  // Box 1 to 43; false outside.
  bool Checked(int province) const;
  ProvinceRadio radio() const { return radio_; }
  bool okEnabled() const { return okEnabled_; }
  // The box for the other areas (X) starts disabled; a signum of such an area enables it.
  bool otherAreasEnabled() const { return otherAreasEnabled_; }
  void EnableOtherAreas() { otherAreasEnabled_ = true; }

  // The user sets box 1 to 43; the radio buttons and "OK" follow. Clicks on a number outside
  // 1 to 43 or on the disabled box are ignored.
  void ClickBox(int province, bool checked);
  // The user chooses a radio button, which sets its group of boxes ("Valfritt" sets none).
  void ChooseRadio(ProvinceRadio radio);

  // "OK": the checked boxes become the selection. Nothing, and nothing changes, while "OK" is
  // disabled; since that is so whenever no box is checked, "OK" never leaves an empty selection
  // and the warning that no province was chosen cannot arise.
  std::optional<ProvinceDialogResult> Ok(ProvinceSelection& selection, bool wordSearchCodeSet,
                                         bool conditionCodeSet) const;
  // "Avbryt" needs nothing: the selection stays, the boxes keep their states for the next "OK".

 private:
  ProvinceSet Boxes() const;
  void SetBoxes(const ProvinceSet& set);  // sets many boxes; the radio buttons stay
  void FollowBoxes();

  std::array<bool, 44> boxes_{};  // index 1 to 43
  ProvinceRadio radio_ = ProvinceRadio::Valfritt;
  bool okEnabled_ = true;
  bool otherAreasEnabled_ = false;
};

}  // namespace stavbas
