// Writes a large drawing for the conversion benchmark: about 1,000,000
// lines (a fifth of them in curve runs of ten segments), 100,000 circles,
// arcs and ellipses, 100,000 texts and 100,000 points over 16 layers; with
// LINES, that many lines and a tenth as many of the others.
//
// Usage: make_bench_drawing OUTPUT.jwc [LINES]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ToolArguments.h"
#include "support/JwcBuilder.h"

using namespace orvik;

int main(int argc, char** argv) {
    const std::vector<std::string> args = ToolArguments(argc, argv, "make_bench_drawing OUTPUT.jwc [LINES]", 1, 2);
    const int lines = args.size() == 2 ? std::atoi(args[1].c_str()) : 1000000;
    if (lines < 10) {
        std::fprintf(stderr, "make_bench_drawing: LINES must be at least 10\n");
        return 2;
    }
    JwcBuilder b;
    b.Paper(2, 518).Group(0, 100, "plan").Group(1, 50, "detail").PoolAt("0000:0000");  // room for 100,000 strings
    for (int layer = 0; layer < 32; ++layer) b.Layer(layer, std::string(1, 'L') + std::to_string(layer));
    for (int type = 0; type < 11; ++type) b.TextType(type, 0, static_cast<std::uint16_t>(20 + 5 * type), 25);

    constexpr int kSegments = 10;
    const int kLines = lines / 10 * 8, kCurves = lines / 10 * 2 / kSegments, kOthers = lines / 10;
    for (int i = 0; i < kLines; ++i) {
        const float x = static_cast<float>(i % 1000) * 0.37f, y = static_cast<float>(i / 1000) * 0.29f;
        b.Line(LineRecord{x, y, x + 0.31f, y + 0.07f, static_cast<std::uint8_t>(1 + i % 9),
                          static_cast<std::uint8_t>(1 + i % 6), static_cast<std::uint8_t>(i % 32)});
    }
    for (int c = 0; c < kCurves; ++c) {
        const float x0 = static_cast<float>(c % 200) * 1.9f, y0 = static_cast<float>(c / 200) * 2.3f;
        for (int s = 0; s < kSegments; ++s) {
            const float a0 = 0.3f * s, a1 = 0.3f * (s + 1);
            const std::uint8_t mark = s == 0 ? 64 : s == kSegments - 1 ? 192 : 128;
            b.Line(LineRecord{x0 + std::cos(a0), y0 + std::sin(a0), x0 + std::cos(a1), y0 + std::sin(a1), 1, 2,
                              static_cast<std::uint8_t>(c % 32), 0, mark});
        }
    }
    for (int i = 0; i < kOthers; ++i) {
        const float x = static_cast<float>(i % 400) * 0.9f, y = static_cast<float>(i / 400) * 1.1f;
        const std::uint16_t flat = i % 3 == 0 ? 10000 : i % 3 == 1 ? 6000 : 14000;
        b.Arc(ArcRecord{x, y, 0.4f, flat, AngleUnits(i % 2 ? 0 : 30), AngleUnits(i % 2 ? 0 : 250), AngleUnits(i % 45),
                        static_cast<std::uint8_t>(1 + i % 9), static_cast<std::uint8_t>(1 + i % 6),
                        static_cast<std::uint8_t>(i % 32)});
    }
    const char* words[] = {"\x8B\x8F\x8A\xD4", "ROOM 101", "\x87\x40\x95\x94\x89\xAE", "W=900", "\xB1\xCA\xDF\xB0\xC4"};
    for (int i = 0; i < kOthers; ++i) {
        const float x = static_cast<float>(i % 300) * 1.3f, y = static_cast<float>(i / 300) * 0.8f;
        b.Text(TextRecord{x, y, x + 2, y + (i % 4 == 0 ? 1.0f : 0.0f), words[i % 5], std::nullopt,
                          static_cast<std::uint8_t>(i % 11), static_cast<std::uint8_t>(i % 32),
                          static_cast<std::uint8_t>(i % 7 == 0 ? kVerticalTextFlag : 0)});
    }
    for (int i = 0; i < kOthers; ++i) {
        const float x = static_cast<float>(i % 500) * 0.7f, y = static_cast<float>(i / 500) * 0.6f;
        b.Point(DrawingPoint{x, y, static_cast<std::uint8_t>(i % 32), static_cast<std::uint8_t>(1 + i % 8)});
    }
    b.WriteTo(args[0]);
    return 0;
}
