// Text at the Windows window system's edge: its wide (UTF-16) strings from
// and to the core's UTF-8 paths, the window's UTF-8 texts and CP932.
#pragma once

#include <string>
#include <string_view>

namespace orvik::win {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);
std::wstring WideFromCp932(const std::string& cp932);
// What CP932 cannot hold becomes "?".
std::string Cp932FromWide(std::wstring_view wide);

}  // namespace orvik::win
