// The program's version, set once in the top-level CMakeLists.txt (project
// VERSION) and handed to the code as ORVIK_VERSION, as the window shows it.
#pragma once

#include <string_view>

namespace orvik {

// The main window's caption.
inline constexpr std::string_view kWindowCaption = "ORVIK Ver " ORVIK_VERSION;

}  // namespace orvik
