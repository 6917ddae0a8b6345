#pragma once

#include <string_view>

namespace tl {

// The program's name: the caption of its message boxes and main window.
inline constexpr std::string_view kCaption = "Tessara Lines";

// The program's version, as "major.minor.patch".
const char* Version();

} // namespace tl
