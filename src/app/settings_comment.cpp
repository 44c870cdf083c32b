#include "app/settings_comment.h"

#include "base/char_tables.h"
#include "base/ui.h"

namespace stavbas {

std::vector<std::string> CodeCommentItems(const Ui& ui, const CodeSettings& codes,
                                          const std::string& provinceText,
                                          const std::string& baseName) {
  std::vector<std::string> items;
  auto add = [&](Str label, const std::string& value) {
    if (!value.empty()) items.push_back(ui.S(label) + value);
  };
  add(Str::KommentarVillkor, codes.parameterCode);
  add(Str::KommentarLandskapsurval, provinceText);
  add(Str::KommentarTextvillkorkod, codes.selectionCode);
  add(Str::KommentarFormatkod, codes.formatCode);
  // Names are matched without regard to case, so "stavbas" is the default database too.
  if (!EqualsNoCase(baseName, kDefaultBaseName)) add(Str::KommentarDatafilnamn, baseName);
  return items;
}

void WriteCodeComment(Ui& ui, const CodeSettings& codes, const std::string& provinceText,
                      const std::string& baseName) {
  ui.host().ClearComments();
  for (const std::string& item : CodeCommentItems(ui, codes, provinceText, baseName))
    ui.CommentLine(item);
}

}  // namespace stavbas
