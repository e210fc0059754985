// The command line of a development tool (benchmarks, drawing makers): its
// plain arguments. "--help" or "-h" prints the usage on standard output and
// ends the tool (exit 0); any other argument starting with "-", or a number
// of arguments outside [fewest, most], prints it on standard error and ends
// the tool (exit 2), so that no tool mistakes an option for a file name.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace orvik {

inline std::vector<std::string> ToolArguments(int argc, char** argv, const char* usage, std::size_t fewest,
                                              std::size_t most) {
    std::vector<std::string> plain;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::printf("usage: %s\n", usage);
            std::exit(0);
        }
        if (argument.size() > 1 && argument.front() == '-') {
            std::fprintf(stderr, "unknown option %s\nusage: %s\n", argv[i], usage);
            std::exit(2);
        }
        plain.emplace_back(argument);
    }
    if (plain.size() < fewest || plain.size() > most) {
        std::fprintf(stderr, "usage: %s\n", usage);
        std::exit(2);
    }
    return plain;
}

}  // namespace orvik
