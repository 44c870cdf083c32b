#include "conditions/province_set.h"

#include "database/regions.h"

namespace stavbas {

int ProvinceOf(std::string_view signum, bool* otherAreasSeen) {
  return RegionOf(signum, otherAreasSeen);
}

std::string BuildProvinceText(const ProvinceSet& set) {
  std::string text;
  if (set.IsFull()) return text;
  int run = 0;  // length of the run of members that ends at the previous number
  // 44 is never a member here: it closes a run that ends at 43.
  for (int n = 1; n <= kAreaCount + 1; ++n) {
    const bool member = n <= kAreaCount && set.Contains(n);
    if (member) {
      if (run == 0) {
        if (!text.empty()) text += ',';
        text += RegionInfo(n).code;
      }
      ++run;
      continue;
    }
    if (run >= 2) {
      text += run == 2 ? "," : "..";
      text += RegionInfo(n - 1).code;
    }
    run = 0;
  }
  return text;
}

std::string ShownProvinceText(const ProvinceSelection& selection, std::string_view allProvinces) {
  return selection.set.IsFull() ? std::string(allProvinces) : selection.text;
}

}  // namespace stavbas
