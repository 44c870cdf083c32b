#pragma once
// The province selection: which provinces and countries (regions 1 to 43) a display run and
// the exports walk, and its short text form such as "Öl..U,M".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace stavbas {

// The province number of a signum: its region 1 to 43, or 44 for a signum that begins with no
// province code. Sets `otherAreasSeen` (never clears it) when the code could name one of the
// other areas, which enables the dialog's box for them.
int ProvinceOf(std::string_view signum, bool* otherAreasSeen = nullptr);

// A set of province numbers held in 48 bits; only 1 to 43 are ever members in practice.
class ProvinceSet {
 public:
  constexpr ProvinceSet() = default;
  // The numbers first to last.
  static constexpr ProvinceSet Range(int first, int last) {
    ProvinceSet s;
    for (int n = first; n <= last; ++n) s.Include(n);
    return s;
  }
  static constexpr ProvinceSet All() { return Range(1, 43); }
  static constexpr ProvinceSet Sweden() { return Range(1, 21); }
  static constexpr ProvinceSet GreatBritain() { return Range(28, 32); }  // Sh, Or, Sc, E, IM

  // A number outside 0 to 47 is never a member.
  constexpr bool Contains(int n) const { return n >= 0 && n < kBits && ((bits_ >> n) & 1) != 0; }
  constexpr void Include(int n) {
    if (n >= 0 && n < kBits) bits_ |= std::uint64_t{1} << n;
  }
  constexpr void Exclude(int n) {
    if (n >= 0 && n < kBits) bits_ &= ~(std::uint64_t{1} << n);
  }
  // Every province 1 to 43 is a member.
  constexpr bool IsFull() const { return (bits_ & All().bits_) == All().bits_; }
  // No province 1 to 43 is a member.
  constexpr bool IsEmpty() const { return (bits_ & All().bits_) == 0; }
  constexpr bool operator==(const ProvinceSet&) const = default;

 private:
  static constexpr int kBits = 48;
  std::uint64_t bits_ = 0;
};

inline bool IsProvinceSelected(const ProvinceSet& set, int number) {
  return set.Contains(number);
}

// The codes of the members in province order, joined by ","; a run of three or more
// neighbours is written first code, "..", last code. Empty for the full and the empty set.
std::string BuildProvinceText(const ProvinceSet& set);

// The selection in force with its text, kept in step.
struct ProvinceSelection {
  ProvinceSet set = ProvinceSet::All();
  std::string text;  // BuildProvinceText(set)

  void Assign(const ProvinceSet& s) {
    set = s;
    text = BuildProvinceText(s);
  }
  bool operator==(const ProvinceSelection&) const = default;
};

// The set a text such as "Öl..U,M" names (codes matched without regard to case); the empty
// text names every province. Nothing for a text with an unknown code or a backward range.
std::optional<ProvinceSet> ParseProvinceText(std::string_view text);

// What the province label and the fourth status-bar panel show: the text, or `allProvinces`
// (the "Alla landskap" of the string table) when every province is selected.
std::string ShownProvinceText(const ProvinceSelection& selection, std::string_view allProvinces);

}  // namespace stavbas
