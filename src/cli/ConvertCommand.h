// `orvik-cli convert [options] FILE.jwc...`: reads and converts each drawing
// as the window does, printing the same log lines. `orvik-cli render` does the
// same and writes a picture of each DXF file instead of the file.
#pragma once

#include <iosfwd>

#include "cli/ConvertOptions.h"

namespace orvik::cli {

int RunConvert(const ConvertOptions& options, OutputKind kind, std::ostream& out, std::ostream& err);

}  // namespace orvik::cli
