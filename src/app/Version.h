// The program's version, set once in the top-level CMakeLists.txt (project
// VERSION) and handed to the code as ORVIK_VERSION.
#pragma once

#include <string_view>

namespace orvik {

inline constexpr std::string_view kVersion = ORVIK_VERSION;

// The main window's caption.
inline constexpr std::string_view kWindowCaption = "ORVIK Ver " ORVIK_VERSION;

}  // namespace orvik
