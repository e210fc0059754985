// How long reading a large JWW drawing takes: 1,000,000 lines (a fifth of
// them in curves), 100,000 arcs, texts and points, written by the builder
// to FILE, then read with LoadJwwFile three times (the best is printed).
// The same drawing's DXF, from the JWC benchmark drawing of the same
// content, takes about half a second to write (docs/BENCHMARKS.md).
//
// Usage: bench_read_jww FILE.jww
#include <chrono>
#include <cstdio>
#include <fstream>

#include "ToolArguments.h"
#include "jww/JwwReader.h"
#include "support/JwwBuilder.h"

using namespace orvik;

int main(int argc, char** argv) {
    const std::vector<std::string> args = ToolArguments(argc, argv, "bench_read_jww FILE.jww", 1, 1);
    JwwDrawing d = NewJwwDrawing();
    for (int i = 0; i < 1000000; ++i) {
        JwwCommon c;
        c.penStyle = static_cast<std::uint8_t>(1 + i % 9);
        c.penColor = static_cast<std::uint16_t>(1 + i % 6);
        c.layer = static_cast<std::uint16_t>(i % 16);
        c.group = i % 5 == 0 ? static_cast<std::uint32_t>(i / 10) : 0;
        const double x = (i % 1000) * 0.37, y = (i / 1000) * 0.29;
        Append(d.elements, JwwLine{c, x, y, x + 0.31, y + 0.07});
    }
    for (int i = 0; i < 100000; ++i) {
        const double x = (i % 400) * 0.9, y = (i / 400) * 1.1;
        Append(d.elements, JwwArc{JwwCommon{}, x, y, 0.4, 0, 1.5, 0.2, 0.6, 0});
        Append(d.elements, JwwText{JwwCommon{}, x, y, x + 2, y, 3, 2.5, 2.5, 0, 0, "MS Gothic", "ROOM 101"});
        Append(d.elements, JwwPoint{JwwCommon{}, x, y, static_cast<std::uint32_t>(i % 2)});
    }
    d.form.utf16Strings = true;
    const std::string bytes = BuildJww(d).bytes;
    std::ofstream(args[0], std::ios::binary) << bytes;
    double best = 1e9;
    for (int round = 0; round < 3; ++round) {
        JwwDrawing read;
        const auto start = std::chrono::steady_clock::now();
        if (!LoadJwwFile(args[0], read)) {
            std::fprintf(stderr, "bench_read_jww: the drawing did not read\n");
            return 1;
        }
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::printf("%.1f MB read in %.3f s (%.0f MB/s), %zu elements\n", bytes.size() / 1e6, best,
                bytes.size() / 1e6 / best, d.elements.order.size());
    return 0;
}
