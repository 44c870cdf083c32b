#pragma once
// The names by which the core enables and disables the front end's menu commands and buttons.

#include <string_view>

namespace stavbas::command {

// The three exports that need something to narrow the selection.
inline constexpr std::string_view kSkapaUrvalsfil = "SkapaUrvalsfil";
inline constexpr std::string_view kSkapaShapeFil = "SkapaShapeFil";
inline constexpr std::string_view kSkapaCsvFil = "SkapaCsvFil";

}  // namespace stavbas::command
