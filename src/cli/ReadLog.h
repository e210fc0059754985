// Reading one input file as the window's read command does, printed for the
// terminal: refusals with their reasons, the read report (path, empty line,
// header texts and counts), and the reason of an incomplete read.
#pragma once

#include <iosfwd>
#include <string>

#include "app/ReadDrawing.h"
#include "jwc/JwcDrawing.h"

namespace orvik::cli {

enum class ReadOutcome { Refused, Incomplete, Complete };

// Refusals and the reason of an incomplete read go to `err`; the report of
// whatever was read goes to `out`. `anyName`: a file found by its signature,
// whatever its name, is not refused for the name. `refusal` receives why a
// refused file was refused.
ReadOutcome ReadAndReport(const std::string& path, JwcDrawing& drawing, std::ostream& out, std::ostream& err,
                          bool anyName = false, FileRefusal* refusal = nullptr);

}  // namespace orvik::cli
