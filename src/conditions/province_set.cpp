#include "conditions/province_set.h"

#include "base/char_tables.h"
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

namespace {

int ProvinceOfCode(std::string_view code) {
  code = Trim(code);
  for (int p = 1; p <= kAreaCount; ++p)
    if (EqualsNoCase(code, RegionInfo(p).code)) return p;
  return 0;
}

}  // namespace

std::optional<ProvinceSet> ParseProvinceText(std::string_view text) {
  if (Trim(text).empty()) return ProvinceSet::All();
  ProvinceSet set;
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    const std::string_view piece = text.substr(0, comma);
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    const std::size_t dots = piece.find("..");
    const int first = ProvinceOfCode(piece.substr(0, dots));
    const int last =
        dots == std::string_view::npos ? first : ProvinceOfCode(piece.substr(dots + 2));
    if (first == 0 || last == 0 || last < first) return std::nullopt;
    for (int p = first; p <= last; ++p) set.Include(p);
  }
  return set;
}

}  // namespace stavbas
