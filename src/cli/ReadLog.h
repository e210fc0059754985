// Reading one drawing as the window's read command does, printed for the
// terminal: a refusal with its reason, the read report (path, empty line,
// header texts and counts), and the reason of an incomplete read. Names are
// printed with their control characters made visible.
#pragma once

#include <iosfwd>
#include <string>

#include "app/DrawingJob.h"

namespace orvik::cli {

// The refusal's or damage's text goes to `problems`, the report of
// whatever was read to `log`; returns the refusal's text (UTF-8, without
// its line break), or "" when the file was read.
std::string PrintRead(const std::string& path, const DrawingJobOutcome& outcome, std::ostream& log,
                      std::ostream& problems);

}  // namespace orvik::cli
