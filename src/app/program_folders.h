#pragma once
// Where the program finds its files. Read-only things (the language modules and the help pages)
// lie beside the program. The settings file and the database lie in the work folder: the
// program's own folder when the user may write there (a copy unpacked anywhere), otherwise a
// folder of the user's own (a system-wide installation), which is then given copies of the
// bundled database and settings file the first time, so that the index, the information file
// converted from the spreadsheet, logs and settings can be written.

#include <filesystem>
#include <string>
#include <vector>

#include "app/settings.h"

namespace stavbas {

std::filesystem::path ChooseWorkFolder(const std::filesystem::path& programFolder,
                                       const std::filesystem::path& userFolder);
// Copies the bundled database of the default base name and the settings file into the user's
// work folder, each only when the folder lacks it, keeping their time stamps.
void SeedWorkFolder(const std::filesystem::path& programFolder,
                    const std::filesystem::path& userFolder);

// The language module of a language: the program file's name with the language's three-letter
// extension ("SVE", "ENG"), then with its first two letters ("SV", "EN"), each found without
// regard to case. Only the names that exist, in that order; the caller takes the first that
// loads as a module (the three-letter name may be a data file of the same base name).
std::vector<std::filesystem::path> LanguageModuleCandidates(
    const std::filesystem::path& programFile, Language language);

}  // namespace stavbas
