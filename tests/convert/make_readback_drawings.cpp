// Writes drawings for the read-back test: layer setups that stress names,
// colours, visibility and DEFPOINTS, and values readers could misread.
//
// Usage: make_readback_drawings FOLDER
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "ToolArguments.h"
#include "support/JwcBuilder.h"
#include "support/JwwBuilder.h"
#include "text/Cp932.h"

using namespace orvik;

int main(int argc, char** argv) {
    const std::vector<std::string> args = ToolArguments(argc, argv, "make_readback_drawings FOLDER", 1, 1);
    const std::string folder = args[0];

    // Names that need rewriting, hidden layers and groups, odd pens, and
    // layers used only by texts or virtual points.
    JwcBuilder layers;
    layers.Paper(14, 1000).Group(0, 1, "G0").Group(2, 20, "hidden", false).Group(15, 500);
    layers
        .Layer(0x00,
               "a`b\x01"
               "c")
        .Layer(0x01, Utf8ToCp932("ﾄﾞｱ(1)"))
        .Layer(0x02, Utf8ToCp932("①㈱"));
    layers.Layer(0x03, "TEXT").Layer(0x23, "TEXT").Layer(0x24, "12345678", false).Layer(0xF0, "  ");
    layers.Layer(0xF1, Utf8ToCp932("仮想"));
    layers.Line(LineRecord{0, 0, 10, 0, 1, 1, 0x00})
        .Line(LineRecord{0, 1, 10, 1, 2, 8, 0x01})
        .Line(LineRecord{0, 2, 10, 2, 12, 6, 0x02});
    layers.Line(LineRecord{0, 3, 10, 3, 9, 2, 0x03})
        .Line(LineRecord{0, 4, 10, 4, 9, 0, 0x23})
        .Arc(ArcRecord{5, 5, 2, 10000, 0, 0, 0, 5, 200, 0x24});
    layers.Text(TextRecord{0, 6, 4, 6, "ABC", std::nullopt, 0, 0xF0});
    layers.VirtualPoint(1, 1, 0xF1);
    layers.TextType(4, 7, 30, 30);
    layers.WriteTo(folder + "/layers.jwc");

    // Word-sized scales, an unknown paper code, a vertical text, ellipses
    // flattened by more than 1 and by 0.
    JwcBuilder words;
    words.FloatScales(false).Paper(6, 518).Group(0, 200).Layer(0, "W");
    words.Line(LineRecord{-100, -50, 100, 50, 3, 3, 0}).Point(DrawingPoint{0, 0, 0, 4});
    words.Arc(ArcRecord{10, 10, 5, 20000, AngleUnits(30), AngleUnits(200), AngleUnits(10), 1, 3, 0});
    words.Arc(ArcRecord{20, 10, 5, 0, 0, 0, 0, 1, 3, 0});
    words.Text(TextRecord{0, 0, 0, -5, Utf8ToCp932("縦書き"), std::nullopt, 1, 0, kVerticalTextFlag});
    words.WriteTo(folder + "/words.jwc");

    // What readers would misread: layer names that differ only in case or
    // repeat a fixed record's name, a text that spells out DXF records, an
    // ellipse whose radius rounds to 0.
    JwcBuilder hostile;
    hostile.Group(0, 100).Layer(0, "Wall").Layer(1, "WALL").Layer(2, "0").Layer(3, "wall");
    for (std::uint8_t layer = 0; layer < 4; ++layer)
        hostile.Line(LineRecord{0, static_cast<float>(layer), 10, 0, 1, 1, layer});
    hostile.Arc(ArcRecord{5, 5, 1e-30f, 5000, 0, 0, 0, 1, 1, 0});
    hostile.Text(TextRecord{0, 6, 4, 6,
                            "x\r\n  0\r\nLINE\r\n  8\r\nINJECTED\r\n 10\r\n0\r\n 20\r\n0\r\n 11\r\n1\r\n"
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
        angles.Text(TextRecord{x, y, x + static_cast<float>(std::cos(radians)),
                               y + static_cast<float>(std::sin(radians)), "T"});
    }
    for (int i = 0; i < 3000; ++i) {
        const auto start = static_cast<std::int32_t>(next()), end = static_cast<std::int32_t>(next());
        const auto tilt = static_cast<std::int32_t>(next() % (360u << 16));
        angles.Arc(ArcRecord{static_cast<float>(i % 50), static_cast<float>(i / 50), 1.5f,
                             static_cast<std::uint16_t>(next() % 20000), start % (720 << 16), end % (720 << 16), tilt,
                             1, 1, 0});
        const float dx = static_cast<float>(next() % 20001) / 1000 - 10,
                    dy = static_cast<float>(next() % 20001) / 1000 - 10;
        angles.Text(TextRecord{0, static_cast<float>(i), dx, static_cast<float>(i) + dy, "R"});
    }
    angles.WriteTo(folder + "/angles.jwc");

    // A JWW plan (UTF-16 strings, as JW_CAD 8 writes them): named layers,
    // one shown only and one hidden; lines, a curve, arcs, texts, points and a temporary
    // one, solids (four-cornered, a ring, a circumference), a dimension, a
    // block inserted twice, turned and mirrored; lines of an SXF and a
    // double-length line type; a bold text in a font of its own.
    JwwDrawing plan = NewJwwDrawing();
    plan.header.memo = Utf8ToCp932("木造平屋 平面図");
    plan.header.paperSize = 3;
    plan.header.groups[0].scale = 100;
    plan.header.maxDrawWidth = -101;  // printed widths in hundredths of a millimetre
    for (std::size_t pen = 1; pen < plan.header.printerPens.size(); ++pen)
        plan.header.printerPens[pen].width = static_cast<std::uint32_t>(10 * pen);
    plan.header.groups[0].name = Utf8ToCp932("平面図");
    plan.header.groups[0].layers[0].name = Utf8ToCp932("壁");
    plan.header.groups[0].layers[1].name = Utf8ToCp932("建具");
    plan.header.groups[0].layers[2].name = Utf8ToCp932("補助");
    plan.header.groups[0].layers[1].state = 1;  // shown only: on in the DXF, as JW_CAD draws it
    plan.header.groups[0].layers[2].state = 0;  // hidden: off
    const auto on = [](std::uint16_t layer, std::uint16_t pen, std::uint8_t style = 1) {
        JwwCommon c;
        c.layer = layer;
        c.penColor = pen;
        c.penStyle = style;
        return c;
    };
    for (const auto& [x1, y1, x2, y2] : {std::array{-45.5, -30.0, 45.5, -30.0},
                                         {45.5, -30.0, 45.5, 30.0},
                                         {45.5, 30.0, -45.5, 30.0},
                                         {-45.5, 30.0, -45.5, -30.0}})
        Append(plan.elements, JwwLine{on(0, 2), x1, y1, x2, y2});
    JwwCommon curve = on(0, 7);
    curve.group = 1;
    for (int i = 0; i < 4; ++i)
        Append(plan.elements, JwwLine{curve, -40.0 + i, -20.0 + i * i, -39.0 + i, -20.0 + (i + 1) * (i + 1)});
    Append(plan.elements, JwwLine{on(2, 9, 9), -45.5, 0, 45.5, 0});
    plan.header.sxfLineTypes.resize(33);
    plan.header.sxfLineTypes[4] = {"long dashed dotted", 4, {12, 1.5, 0.25, 1.5}};
    plan.header.doublePatterns[0] = {0xFFF99FFF, 32, 2, 20};
    Append(plan.elements, JwwLine{on(0, 2, 34), -45.5, 10, 45.5, 10});
    Append(plan.elements, JwwLine{on(0, 2, 16), -45.5, 15, 45.5, 15});
    Append(plan.elements, JwwArc{on(1, 3), 0, 0, 8, 0, 1.5707963267948966, 0, 1, 0});
    Append(plan.elements, JwwArc{on(1, 3), 20, 10, 4, 0, 0, 0.5, 0.5, 1});
    Append(plan.elements, JwwText{on(1, 5), -30, 5, -20, 5, kJwwBoldOffset + 3, 3, 3, 0, 0,
                                  Utf8ToCp932("ＭＳ ゴシック"), Utf8ToCp932("居間")});
    Append(plan.elements, JwwText{on(1, 5), 0, -1000, 1, -1000, 0, 1, 1, 0, 0, "", "Printer_Orientation = 0"});
    Append(plan.elements, JwwPoint{on(0, 1), 30, -20, 0});
    Append(plan.elements, JwwPoint{on(0, 1), 31, -20, 1});
    Append(plan.elements, JwwSolid{on(0, 4), {-10, -10}, {-5, -10}, {-5, -5}, {-10, -5}, 0});
    Append(plan.elements, JwwSolid{on(0, 4, kJwwRingSolid1), {35, 20}, {3, 1}, {0, 0}, {6.283185307179586, 2}, 0});
    Append(plan.elements, JwwSolid{on(0, 4, kJwwCircumferenceSolid), {-35, 20}, {2, 1}, {0, 0}, {0, 100}, 0});
    Append(plan.elements, JwwDimension{on(0, 1), JwwLine{on(0, 1), -45.5, -35, 45.5, -35},
                                       JwwText{on(0, 1), -5, -34, 5, -34, 1, 2.5, 2.5, 0, 0, "", "9,100"}});
    auto door = std::make_unique<JwwBlockDefinition>();
    door->number = 1;
    door->name = Utf8ToCp932("片開き戸@@SfigorgFlag@@4");
    Append(door->elements, JwwLine{on(1, 3), 0, 0, 8, 0});
    Append(door->elements, JwwArc{on(1, 3), 0, 0, 8, 0, 1.5707963267948966, 0, 1, 0});
    plan.blocks.push_back(std::move(door));
    Append(plan.elements, JwwBlockInsert{on(1, 1), -30, -30, 1, 1, 0, 1});
    Append(plan.elements, JwwBlockInsert{on(1, 1), 30, 30, -1, 1, 1.5707963267948966, 1});
    plan.form.utf16Strings = true;
    std::ofstream(folder + "/plan.jww", std::ios::binary) << BuildJww(plan).bytes;
    return 0;
}
