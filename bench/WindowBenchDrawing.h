// The drawing both window benchmarks show (Qt's and Windows'): written to
// `path`, which is returned.
#pragma once

#include <string>

#include "support/JwcBuilder.h"

namespace orvik {

// 270,000 lines, 40,000 arcs, 40,000 texts and 40,000 points over 16 layers.
inline std::string WriteWindowBenchDrawing(const std::string& path) {
    JwcBuilder b;
    b.Paper(2, 518).Group(0, 100, "plan").PoolAt("0000:0000");
    for (int layer = 0; layer < 16; ++layer) b.Layer(layer, std::string(1, 'L') + std::to_string(layer));
    for (int type = 0; type < 11; ++type) b.TextType(type, 0, 20, 25);
    for (int i = 0; i < 270000; ++i) {
        const float x = static_cast<float>(i % 600) * 0.6f, y = static_cast<float>(i / 600) * 0.5f;
        b.Line(LineRecord{x, y, x + 0.5f, y + 0.2f, static_cast<std::uint8_t>(1 + i % 9),
                          static_cast<std::uint8_t>(1 + i % 6), static_cast<std::uint8_t>(i % 16)});
    }
    for (int i = 0; i < 40000; ++i) {
        const float x = static_cast<float>(i % 200) * 1.8f, y = static_cast<float>(i / 200) * 1.1f;
        b.Arc(ArcRecord{x, y, 0.4f, 10000, AngleUnits(0), AngleUnits(i % 2 ? 0 : 180), 0, 1,
                        static_cast<std::uint8_t>(1 + i % 6), static_cast<std::uint8_t>(i % 16)});
        b.Text(TextRecord{x, y, x + 1, y, "ROOM", std::nullopt, static_cast<std::uint8_t>(i % 11),
                          static_cast<std::uint8_t>(i % 16), 0});
        b.Point(
            DrawingPoint{x + 0.3f, y + 0.3f, static_cast<std::uint8_t>(i % 16), static_cast<std::uint8_t>(1 + i % 6)});
    }
    b.WriteTo(path);
    return path;
}

}  // namespace orvik
