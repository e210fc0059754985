// `orvik-cli convert [options] FILE.jwc...`: reads and converts each drawing
// as the window does, printing the same log lines.
#pragma once

#include <iosfwd>

#include "cli/ConvertOptions.h"

namespace orvik::cli {

int RunConvert(const ConvertOptions& options, std::ostream& out, std::ostream& err);

}  // namespace orvik::cli
