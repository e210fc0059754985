// `orvik-cli info FILE...`: the drawing report of each file, as the window's
// log shows it after reading that one file.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace orvik::cli {

int RunInfo(const std::vector<std::string>& files, std::ostream& out, std::ostream& err);

}  // namespace orvik::cli
