// The command-line front end: parses the arguments, runs a command, and
// prints its log lines as UTF-8.
//
// Exit codes: 0 every drawing was read and converted completely, 1 some
// input failed, 2 usage error, 3 every input was converted but some only in
// part (--allow-partial).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace orvik::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitSomeFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitPartial = 3;

// A number with `places` decimals and "." as the separator, whatever the
// locale (Qt's start-up applies the user's).
std::string Decimal(double value, int places);

// args excludes the program name.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace orvik::cli
