// Reading one input file as the window's read command does: existence,
// extension and signature checks with their refusals, the load, and the
// read report (path, empty line, header texts and counts).
#pragma once

#include <iosfwd>
#include <string>

#include "jwcunit/JwcLoader.h"

namespace orvik::cli {

enum class ReadOutcome { Refused, Incomplete, Complete };

// Refusals and the reason of an incomplete read go to `err`; the report of
// whatever was read goes to `out`.
ReadOutcome ReadDrawing(const std::string& path, JwcDrawing& drawing, std::ostream& out, std::ostream& err);

}  // namespace orvik::cli
