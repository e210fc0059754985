// The command-line front end: parses the arguments, runs a command, and
// prints its log lines as UTF-8.
// It ends with the exit codes of app/JobStatuses.h.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "app/JobStatuses.h"

namespace orvik::cli {

// A number with `places` decimals and "." as the separator, whatever the
// locale (Qt's start-up applies the user's).
std::string Decimal(double value, int places);

// args excludes the program name.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace orvik::cli
