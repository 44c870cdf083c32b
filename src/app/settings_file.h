#pragma once
// The settings file: the program's own name with ".ini", beside the program. It is read once at
// start-up and written only at exit, when the user asks for it.

#include <filesystem>

#include "app/settings.h"

namespace stavbas {

// The exit dialog's choices for the settings.
enum class SaveChoice {
  Keep = 0,      // "Behåll startvärde": nothing is written
  Settings = 1,  // "Spara inställningar": links, constants, base name and font
  All = 2,       // "Spara allt": those and the codes, the provinces, the run record and exports
};

// stavbas.ini beside the program file stavbas (or stavbas.exe).
std::filesystem::path SettingsFileOf(const std::filesystem::path& programFile);

// The settings of the file. A missing or unreadable file, a missing key and a value that does
// not read as its type all give the defaults, without a message.
Settings ReadSettings(const std::filesystem::path& file);

// Writes the keys of the choice into the file (created when missing). Every line the choice
// does not write stays as it was. The file is replaced whole, so a failure leaves the old one
// intact; false then, and also when the existing file cannot be read, with the system's error
// number in `error` for the message (Ui::CheckIOResult). A file that is a link (a symbolic
// link, or one with other names) is not written: kLinkRefused.
bool SaveSettings(const Settings& settings, SaveChoice choice, const std::filesystem::path& file,
                  int* error = nullptr);

}  // namespace stavbas
