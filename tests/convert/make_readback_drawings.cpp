// Writes drawings for the read-back test: layer setups that stress names,
// colours, visibility and DEFPOINTS, and values readers could misread.
//
// Usage: make_readback_drawings FOLDER
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "jwc/JwcBuilder.h"
#include "text/Cp932.h"

using namespace orvik;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_readback_drawings FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];

    // Names that need rewriting, hidden layers and groups, odd pens, and
    // layers used only by texts or virtual points.
    JwcBuilder layers;
    layers.Paper(14, 1000).Group(0, 1, "G0").Group(2, 20, "hidden", false).Group(15, 500);
    layers.Layer(0x00, "a`b\x01" "c").Layer(0x01, Utf8ToCp932("ﾄﾞｱ(1)")).Layer(0x02, Utf8ToCp932("①㈱"));
    layers.Layer(0x03, "TEXT").Layer(0x23, "TEXT").Layer(0x24, "12345678", false).Layer(0xF0, "  ");
    layers.Layer(0xF1, Utf8ToCp932("仮想"));
    layers.Line(JwcLine{0, 0, 10, 0, 1, 1, 0x00}).Line(JwcLine{0, 1, 10, 1, 2, 8, 0x01}).Line(JwcLine{0, 2, 10, 2, 12, 6, 0x02});
    layers.Line(JwcLine{0, 3, 10, 3, 9, 2, 0x03}).Line(JwcLine{0, 4, 10, 4, 9, 0, 0x23}).Arc(ArcRecord{5, 5, 2, 10000, 0, 0, 0, 5, 200, 0x24});
    layers.Text(TextRecord{0, 6, 4, 6, "ABC", std::nullopt, 0, 0xF0});
    layers.VirtualPoint(1, 1, 0xF1);
    layers.TextType(4, 7, 30, 30);
    layers.WriteTo(folder + "/layers.jwc");

    // Word-sized scales, an unknown paper code, a vertical text, ellipses
    // flattened by more than 1 and by 0.
    JwcBuilder words;
    words.FloatScales(false).Paper(6, 518).Group(0, 200).Layer(0, "W");
    words.Line(JwcLine{-100, -50, 100, 50, 3, 3, 0}).Point(JwcPoint{0, 0, 0, 4});
    words.Arc(ArcRecord{10, 10, 5, 20000, AngleUnits(30), AngleUnits(200), AngleUnits(10), 1, 3, 0});
    words.Arc(ArcRecord{20, 10, 5, 0, 0, 0, 0, 1, 3, 0});
    words.Text(TextRecord{0, 0, 0, -5, Utf8ToCp932("縦書き"), std::nullopt, 1, 0, kVerticalTextFlag});
    words.WriteTo(folder + "/words.jwc");

    // What readers would misread: layer names that differ only in case or
    // repeat a fixed record's name, a text that spells out DXF records, an
    // ellipse whose radius rounds to 0.
    JwcBuilder hostile;
    hostile.Group(0, 100).Layer(0, "Wall").Layer(1, "WALL").Layer(2, "0").Layer(3, "wall");
    for (std::uint8_t layer = 0; layer < 4; ++layer) hostile.Line(JwcLine{0, static_cast<float>(layer), 10, 0, 1, 1, layer});
    hostile.Arc(ArcRecord{5, 5, 1e-30f, 5000, 0, 0, 0, 1, 1, 0});
    hostile.Text(TextRecord{0, 6, 4, 6, "x\r\n  0\r\nLINE\r\n  8\r\nINJECTED\r\n 10\r\n0\r\n 20\r\n0\r\n 11\r\n1\r\n"
                                        " 21\r\n1\r\n  0\r\nTEXT\r\n  1\r\ny^z"});
    hostile.WriteTo(folder + "/hostile.jwc");

    // Angles whose sines and cosines reach the file: arcs and tilted
    // ellipses at every half degree and the angles beside it (1/65536
    // degree apart), at random angles, and texts along every half degree and
    // random directions.
    JwcBuilder angles;
    angles.Group(0, 100).Layer(0, "A").PoolAt("0000:0000");
    std::uint32_t random = 12345;
    const auto next = [&] { return random = random * 1103515245u + 12345u; };
    for (int half = -720; half <= 720; ++half) {
        const float x = static_cast<float>(half % 40) * 10, y = static_cast<float>(half / 40) * 10;
        for (int beside = -1; beside <= 1; ++beside) {
            const std::int32_t angle = AngleUnits(half * 0.5) + beside;
            angles.Arc(ArcRecord{x, y, 3, 6000, angle, angle + AngleUnits(90), angle, 1, 1, 0});
            angles.Arc(ArcRecord{x, y, 2, 10000, angle, AngleUnits(90) - angle, 0, 1, 1, 0});
        }
        const double radians = half * 0.5 * 3.14159265358979323846 / 180;
        angles.Text(TextRecord{x, y, x + static_cast<float>(std::cos(radians)), y + static_cast<float>(std::sin(radians)), "T"});
    }
    for (int i = 0; i < 3000; ++i) {
        const auto start = static_cast<std::int32_t>(next()), end = static_cast<std::int32_t>(next());
        const auto tilt = static_cast<std::int32_t>(next() % (360u << 16));
        angles.Arc(ArcRecord{static_cast<float>(i % 50), static_cast<float>(i / 50), 1.5f, static_cast<std::uint16_t>(next() % 20000),
                             start % (720 << 16), end % (720 << 16), tilt, 1, 1, 0});
        const float dx = static_cast<float>(next() % 20001) / 1000 - 10, dy = static_cast<float>(next() % 20001) / 1000 - 10;
        angles.Text(TextRecord{0, static_cast<float>(i), dx, static_cast<float>(i) + dy, "R"});
    }
    angles.WriteTo(folder + "/angles.jwc");
    return 0;
}
