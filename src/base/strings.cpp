#include "base/strings.h"

#include "base/cp1252.h"

namespace stavbas {
namespace {

constexpr std::array<std::string_view, static_cast<unsigned>(Str::Count)> kNames = {
#define STAVBAS_STR(name, text) #name,
#include "base/strings_sv.inc"
#undef STAVBAS_STR
};

constexpr std::array<std::string_view, static_cast<unsigned>(Str::Count)> kSwedishUtf8 = {
#define STAVBAS_STR(name, text) text,
#include "base/strings_sv.inc"
#undef STAVBAS_STR
};

// Named by the enumerator, so a translation under a name the Swedish table lacks fails to compile.
struct Translation {
  Str id;
  std::string_view utf8;
};

constexpr Translation kEnglishUtf8[] = {
#define STAVBAS_STR(name, text) {Str::name, text},
#include "base/strings_en.inc"
#undef STAVBAS_STR
};

}  // namespace

const StringTable& StringTable::Swedish() {
  static const StringTable table = [] {
    StringTable t;
    for (unsigned i = 0; i < kSwedishUtf8.size(); ++i) t.texts_[i] = Utf8ToCp1252(kSwedishUtf8[i]);
    return t;
  }();
  return table;
}

const StringTable& StringTable::English() {
  static const StringTable table = [] {
    StringTable t = Swedish();
    for (const Translation& e : kEnglishUtf8) t.Set(e.id, Utf8ToCp1252(e.utf8));
    return t;
  }();
  return table;
}

std::string_view StringTable::NameOf(Str id) {
  return kNames[static_cast<unsigned>(id)];
}

std::optional<Str> StringTable::FindName(std::string_view name) {
  for (unsigned i = 0; i < kNames.size(); ++i)
    if (kNames[i] == name) return static_cast<Str>(i);
  return std::nullopt;
}

}  // namespace stavbas
