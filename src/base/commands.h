#pragma once
// The names by which the core enables and disables the front end's menu commands and buttons.

#include <string_view>

namespace stavbas::command {

// The three exports that need something to narrow the selection.
inline constexpr std::string_view kSkapaUrvalsfil = "SkapaUrvalsfil";
inline constexpr std::string_view kSkapaShapeFil = "SkapaShapeFil";
inline constexpr std::string_view kSkapaCsvFil = "SkapaCsvFil";

}  // namespace stavbas::command

namespace stavbas::command {

// The run menu that replaces the main menu while a display run is in progress ("enabled" means
// it is in place), and its items.
inline constexpr std::string_view kRunMenu = "RunMenu";
inline constexpr std::string_view kNasta = "Nasta";
inline constexpr std::string_view kResten = "Resten";
inline constexpr std::string_view kInskriftsinfo = "Inskriftsinfo";
inline constexpr std::string_view kEngelskOversattning = "EngelskOversattning";
inline constexpr std::string_view kVisaPaKarta = "VisaPaKarta";
inline constexpr std::string_view kInskriftsbibliografi = "Inskriftsbibliografi";
inline constexpr std::string_view kFortsatt = "Fortsatt";
// Toolbar buttons.
inline constexpr std::string_view kButtonLasFil = "ButtonLasFil";
inline constexpr std::string_view kButtonSpara = "ButtonSpara";
inline constexpr std::string_view kButtonSkrivUt = "ButtonSkrivUt";
inline constexpr std::string_view kButtonSignum = "ButtonSignum";
inline constexpr std::string_view kButtonAlla = "ButtonAlla";
inline constexpr std::string_view kButtonInfo = "ButtonInfo";
inline constexpr std::string_view kButtonEngelsk = "ButtonEngelsk";
inline constexpr std::string_view kButtonKarta = "ButtonKarta";
inline constexpr std::string_view kButtonLitteratur = "ButtonLitteratur";
inline constexpr std::string_view kButtonFelrapport = "ButtonFelrapport";
// The "Paus" button shown during runs without pauses ("enabled" means shown); its caption
// and hint come through Host::SetCommandText.
inline constexpr std::string_view kButtonPaus = "ButtonPaus";
// The busy cursor.
inline constexpr std::string_view kBusyCursor = "BusyCursor";
// The entry row of the main window.
inline constexpr std::string_view kEntryRow = "EntryRow";

}  // namespace stavbas::command
