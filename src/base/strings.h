#pragma once
// The string table: every user-visible text of the core, looked up by name.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace stavbas {

enum class Str : unsigned {
#define STAVBAS_STR(name, text) name,
#include "base/strings_sv.inc"
#undef STAVBAS_STR
  Count
};

class StringTable {
 public:
  // The Swedish table, texts in Windows-1252.
  static const StringTable& Swedish();
  // The English table: the Swedish one with every text that has a translation replaced, so a
  // text added without one still shows, in Swedish.
  static const StringTable& English();
  static const StringTable& ForLanguage(bool english) { return english ? English() : Swedish(); }

  const std::string& operator[](Str id) const { return texts_[static_cast<unsigned>(id)]; }
  // Replaces one text (Windows-1252); used to build the table of another language.
  void Set(Str id, std::string text) { texts_[static_cast<unsigned>(id)] = std::move(text); }

  static std::string_view NameOf(Str id);
  static std::optional<Str> FindName(std::string_view name);

 private:
  std::array<std::string, static_cast<unsigned>(Str::Count)> texts_;
};

}  // namespace stavbas
