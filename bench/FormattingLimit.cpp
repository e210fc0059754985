// The formatting limit of the speed benchmark: the real numbers of a DXF
// file ORVIK wrote, formatted with std::to_chars (shortest form) into memory
// and written to a file, the least any writer of that file must do. Prints
// the seconds and the count.
//
// Usage: formatting_limit ORVIK.dxf OUTPUT
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include "ToolArguments.h"

namespace {

// Group codes of real values in DXF.
bool IsRealCode(int code) {
    return (code >= 10 && code <= 59) || (code >= 110 && code <= 149) || (code >= 210 && code <= 239) ||
           (code >= 1010 && code <= 1059);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args = orvik::ToolArguments(argc, argv, "formatting_limit ORVIK.dxf OUTPUT", 2, 2);
    std::ifstream in(args[0], std::ios::binary);
    std::string code, value;
    std::vector<double> reals;
    while (std::getline(in, code) && std::getline(in, value))
        if (IsRealCode(std::atoi(code.c_str()))) reals.push_back(std::strtod(value.c_str(), nullptr));

    const auto started = std::chrono::steady_clock::now();
    std::string buffer;
    buffer.reserve(reals.size() * 20);
    char text[32];
    for (double v : reals) {
        const auto r = std::to_chars(text, text + sizeof text, v);
        buffer.append(text, r.ptr);
        buffer += "\r\n";
    }
    std::FILE* out = std::fopen(args[1].c_str(), "wb");
    if (!out) return 1;
    std::fwrite(buffer.data(), 1, buffer.size(), out);
    std::fclose(out);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("%.3f %zu\n", seconds, reals.size());
    return 0;
}
