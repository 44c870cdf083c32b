#pragma once
// The file types of the open and save dialogs, given as the program's texts give them:
// "RTF-filer (.RTF)|*.RTF|Textfiler (.TXT)|*.TXT", description and patterns taking turns.

#include <string>
#include <string_view>
#include <vector>

namespace stavbas {

struct FileFilter {
  std::string description;            // without a parenthesised list of patterns at its end
  std::vector<std::string> patterns;  // each as given and in lower case: file names on this
                                      // system are told apart by case
};

std::vector<FileFilter> ParseFileFilter(std::string_view filter);

}  // namespace stavbas
