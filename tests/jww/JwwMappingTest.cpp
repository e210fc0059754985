// A JWW drawing through the conversion: what the mapping carries and how,
// and the DXF file the shared rules write from it.
#include "jww/JwwMapping.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <tuple>
#include <utility>

#include "convert/BlockExplosion.h"
#include "convert/BlockNames.h"
#include "convert/Conversion.h"
#include "dxf/ColorPalette.h"
#include "dxf/DxfLines.h"
#include "jww/JwwReader.h"
#include "support/JwwBuilder.h"
#include "support/JwwSamples.h"
#include "text/Cp932.h"

namespace orvik {
namespace {

JwwCommon On(std::uint16_t group, std::uint16_t layer, std::uint16_t pen = 1, std::uint8_t style = 1) {
    JwwCommon c;
    c.layerGroup = group;
    c.layer = layer;
    c.penColor = pen;
    c.penStyle = style;
    return c;
}

TEST(JwwMapping, CarriesEveryElementWithItsMeaning) {
    JwwDrawing w = NewJwwDrawing();
    w.header.groups[2].scale = 50;
    w.header.groups[2].layers[3].name = "WALL";
    w.header.groups[2].layers[4].state = 1;  // shown only: drawn, so on
    w.header.groups[2].layers[5].state = 0;  // hidden
    w.header.groups[5].state = 0;  // hidden
    w.header.groups[6].state = 1;  // shown only
    JwwCommon curve = On(2, 3);
    curve.group = 7;
    Append(w.elements, JwwLine{On(2, 3, 9, 2), 1.25, 2.5, 3.75, 5});
    for (int i = 0; i < 3; ++i) Append(w.elements, JwwLine{curve, double(i), 0, double(i + 1), 0});
    Append(w.elements, JwwArc{On(0, 0), 0, 0, 2, std::numbers::pi / 2, std::numbers::pi, 0, 1, 0});
    Append(w.elements,
           JwwArc{On(0, 0), 0, 0, 2, std::numbers::pi, -std::numbers::pi / 2, std::numbers::pi / 6, 0.5, 0});
    Append(w.elements, JwwArc{On(0, 0), 0, 0, 2, 1, 6.283185307179586, 0, 1, 1});
    JwwText vertical{On(1, 1), 0, 0, 0, -10, 3, 2.5, 4, 0, 270, "", "TATE"};
    vertical.common.flags = kJwwVerticalTextFlag;
    Append(w.elements, vertical);
    Append(w.elements, JwwText{On(0, 0), 0, -1000, 1, -1000, 0, 1, 1, 0, 0, "", "Printer_Orientation = 0"});
    Append(w.elements, JwwText{On(0, 0), 0, 0, 1, 0, 0, 1, 1, 0, 0, "", "^@BMa.bmp,1,1"});
    Append(w.elements, JwwPoint{On(0, 1, 3), 7, 8, 0});
    Append(w.elements, JwwPoint{On(0, 2), 9, 10, 1});
    Append(w.elements, JwwSolid{On(0, 1), {0, 0}, {1, 0}, {1, 1}, {0, 1}, 0});
    Append(w.elements, JwwSolid{On(0, 1, 2, 102)});  // a pen style no solid has
    // A circumference solid: its arc in the solid's colour, drawn continuous;
    // a whole circle solid: its filling pieces (CircularSolidsTest).
    Append(w.elements, JwwSolid{On(0, 1, kJwwRgbSolidColor, kJwwCircumferenceSolid),
                                {5, 6},
                                {3, 1},
                                {0, 0},
                                {std::numbers::pi, 0},
                                0x00FF00});
    Append(w.elements, JwwSolid{On(0, 1, 2, kJwwCircleSolid), {0, 0}, {1, 1}, {0, 0}, {0, 100}, 0});
    Append(w.elements, JwwBlockInsert{});  // of a definition that is not there

    NotCarried notCarried;
    const Drawing d = DrawingOf(std::move(w), notCarried);
    EXPECT_EQ(d.units, DrawingUnits::PaperMillimetres);
    ASSERT_EQ(d.lines.size(), 4u);
    EXPECT_EQ(d.lines[0].layer, 2 * 16 + 3);
    EXPECT_EQ(d.lines[0].pen, 9);
    EXPECT_EQ(d.lines[0].lineType, 2);
    EXPECT_EQ(d.lines[0].x1, 1.25);
    EXPECT_EQ(d.lines[0].curveMark, 0);
    EXPECT_EQ((std::array{d.lines[1].curveMark, d.lines[2].curveMark, d.lines[3].curveMark}),
              (std::array<std::uint8_t, 3>{64, 128, 192}));
    ASSERT_EQ(d.arcs.size(), 4u);
    EXPECT_EQ((std::array{d.arcs[3].cx, d.arcs[3].radius, d.arcs[3].startAngle, d.arcs[3].endAngle}),
              (std::array<double, 4>{5, 3, 0, 180}));
    EXPECT_EQ(d.arcs[3].lineType, 1);
    EXPECT_EQ(d.pens.ownColors.at(d.arcs[3].pen - 10u), 0x00FF00u);  // own colours from pen 10
    EXPECT_NEAR(d.arcs[0].startAngle, 90, 1e-12);
    EXPECT_NEAR(d.arcs[0].endAngle, 270, 1e-12);
    EXPECT_NEAR(d.arcs[1].startAngle, 90, 1e-12);  // a clockwise sweep turned round
    EXPECT_NEAR(d.arcs[1].endAngle, 180, 1e-12);
    EXPECT_NEAR(d.arcs[1].tilt, 30, 1e-12);
    EXPECT_EQ(d.arcs[2].startAngle, d.arcs[2].endAngle);  // whole: equal angles
    ASSERT_EQ(d.texts.size(), 1u);  // neither the settings text nor the image placement
    EXPECT_TRUE(d.texts[0].vertical);
    EXPECT_EQ(d.texts[0].height, 4);
    ASSERT_EQ(d.points.size(), 1u);
    EXPECT_EQ(d.points[0].pen, 3);
    ASSERT_EQ(d.virtualPoints.size(), 1u);
    EXPECT_EQ(d.virtualPoints[0].x, 9);
    EXPECT_EQ(d.layerGroups[2].scale, 50);
    EXPECT_EQ(d.layers[2 * 16 + 3].name, "WALL");
    EXPECT_EQ(d.layers[2 * 16 + 3].visible, 1);
    EXPECT_EQ(d.layers[2 * 16 + 4].visible, 1);
    EXPECT_EQ(d.layers[2 * 16 + 5].visible, 0);
    EXPECT_EQ(d.layerGroups[5].visible, 0);
    EXPECT_EQ(d.layerGroups[6].visible, 1);
    EXPECT_EQ((std::array{notCarried.solids, notCarried.inserts, notCarried.images}),
              (std::array<std::int64_t, 3>{1, 1, 1}));
    ASSERT_GT(d.solids.size(), 8u);  // the four-cornered one, and the triangles of a circle of 1 mm
    EXPECT_EQ(d.solids[0].p3, (std::array<double, 2>{1, 1}));
    EXPECT_EQ(d.solids[1].p1, (std::array<double, 2>{0, 0}));
    EXPECT_EQ(d.solids[1].pen, 2);
}

// Block definitions become blocks, each after those it inserts, and
// insertions refer to them; exploded, their elements land in place: moved,
// scaled (unevenly too), turned and mirrored, nested ones too. Dimensions
// become their line, text and extension lines.
TEST(JwwMapping, BlocksAreKeptOrPlacedAndDimensionsDrawn) {
    // Block 1 holds a quarter arc, a circle and an insertion of block 2, a line.
    const auto withBlocks = [] {
        JwwDrawing w = NewJwwDrawing();
        auto inner = std::make_unique<JwwBlockDefinition>();
        inner->number = 2;
        inner->name = "inner@@SfigorgFlag@@2";
        Append(inner->elements, JwwLine{On(0, 5), 0, 0, 1, 0});
        auto outer = std::make_unique<JwwBlockDefinition>();
        outer->number = 1;
        outer->name = "INNER";
        Append(outer->elements, JwwArc{On(0, 0), 0, 0, 1, 0, std::numbers::pi / 2, 0, 1, 0});
        Append(outer->elements, JwwArc{On(0, 0), 5, 5, 1, 0, 0, 0, 1, 1});
        Append(outer->elements, JwwBlockInsert{On(0, 0), 0, 1, 1, 1, 0, 2});
        w.blocks.push_back(std::move(outer));
        w.blocks.push_back(std::move(inner));
        return w;
    };
    {
        JwwDrawing drawing = withBlocks();
        Append(drawing.elements, JwwBlockInsert{On(1, 2, 3), 10, 20, 2, 3, std::numbers::pi, 1});
        NotCarried notCarried;
        const Drawing d = DrawingOf(std::move(drawing), notCarried);
        ASSERT_EQ(d.blocks.size(), 2u);
        EXPECT_EQ(d.blocks[0].lines.size(), 1u);  // the inner block first
        ASSERT_EQ(d.blocks[1].inserts.size(), 1u);
        EXPECT_EQ(d.blocks[1].inserts[0].block, 0u);
        ASSERT_EQ(d.inserts.size(), 1u);
        const BlockInsert& i = d.inserts[0];
        EXPECT_EQ((std::array{i.x, i.y, i.scaleX, i.scaleY, i.rotation}), (std::array<double, 5>{10, 20, 2, 3, 180}));
        EXPECT_EQ((std::array<int, 3>{static_cast<int>(i.block), i.layer, i.pen}), (std::array<int, 3>{1, 16 + 2, 3}));
        EXPECT_TRUE(d.lines.empty());
        EXPECT_EQ(BlockNamesOf(d), (std::vector<std::string>{"inner", "INNER_2"}));  // DXF names ignore case
    }
    struct Case {
        double scaleX, scaleY, rotation;  // degrees
        std::array<double, 4> line;  // the nested line's ends
    };
    const Case cases[] = {
        {2, 2, 90, {8, 20, 8, 22}},  // turned a quarter, twice the size
        {-1, 1, 0, {10, 21, 9, 21}},  // mirrored left to right
        {2, 1, 0, {10, 21, 12, 21}},  // uneven: the arc becomes part of an ellipse
        {-1,
         3,
         30,
         {10 - 3 * 0.5, 20 + 3 * std::sqrt(3.0) / 2, 10 - 3 * 0.5 - std::sqrt(3.0) / 2,
          20 + 3 * std::sqrt(3.0) / 2 - 0.5}},
    };
    for (const Case& c : cases) {
        JwwDrawing drawing = withBlocks();
        Append(drawing.elements,
               JwwBlockInsert{On(0, 0), 10, 20, c.scaleX, c.scaleY, c.rotation * std::numbers::pi / 180, 1});
        NotCarried notCarried;
        const ExplodedDrawing exploded = ExplodeBlocks(DrawingOf(std::move(drawing), notCarried));
        const Drawing& d = exploded.drawing;
        ASSERT_EQ(d.lines.size(), 1u) << c.scaleX;
        for (int k = 0; k < 4; ++k)
            EXPECT_NEAR((std::array{d.lines[0].x1, d.lines[0].y1, d.lines[0].x2, d.lines[0].y2})[k], c.line[k], 1e-12)
                << c.scaleX << " " << k;
        EXPECT_EQ(d.lines[0].layer, 5);  // each element keeps its own layer
        ASSERT_EQ(d.arcs.size(), 2u) << c.scaleX;
        // The quarter arc runs from (1, 0) to (0, 1) of the block, counter-clockwise.
        const double r = c.rotation * std::numbers::pi / 180;
        const auto placed = [&](double x, double y) {
            return std::array{10 + std::cos(r) * c.scaleX * x - std::sin(r) * c.scaleY * y,
                              20 + std::sin(r) * c.scaleX * x + std::cos(r) * c.scaleY * y};
        };
        const DrawingArc& a = d.arcs[0];
        const auto at = [&](double degrees) {
            const double t = degrees * std::numbers::pi / 180, tilt = a.tilt * std::numbers::pi / 180;
            const double u = a.radius * std::cos(t), v = a.radius * a.flatness * std::sin(t);
            return std::array{a.cx + u * std::cos(tilt) - v * std::sin(tilt),
                              a.cy + u * std::sin(tilt) + v * std::cos(tilt)};
        };
        const bool mirrored = c.scaleX * c.scaleY < 0;  // the arc runs the other way round
        const auto from = at(a.startAngle), to = at(a.endAngle);
        const auto expectedFrom = mirrored ? placed(0, 1) : placed(1, 0),
                   expectedTo = mirrored ? placed(1, 0) : placed(0, 1);
        for (int k = 0; k < 2; ++k) {
            EXPECT_NEAR(from[k], expectedFrom[k], 1e-9) << c.scaleX << " " << k;
            EXPECT_NEAR(to[k], expectedTo[k], 1e-9) << c.scaleX << " " << k;
        }
        EXPECT_NEAR(a.endAngle - a.startAngle, 90, 60) << "the shorter way round";
        EXPECT_EQ(exploded.insertsLeftOut, 0);
        EXPECT_TRUE(d.inserts.empty());
    }
    // An SXF dimension's end points are real points, its base points
    // temporary ones; a dimension of mode 0 keeps no points.
    for (const std::uint16_t sxfMode : {0, 1}) {
        JwwDrawing dims = NewJwwDrawing();
        JwwDimension dimension{On(0, 0), JwwLine{On(0, 0), 0, 0, 100, 0},
                               JwwText{On(0, 0), 40, 1, 60, 1, 1, 2, 2, 0, 0, "", "100"}};
        dimension.extensionLines[0] = JwwLine{On(0, 0), 0, 0, 0, -5};
        dimension.sxfMode = sxfMode;
        dimension.points = {JwwPoint{On(0, 0), 0, 0, 0}, JwwPoint{On(0, 0), 100, 0, 0}, JwwPoint{On(0, 0), 0, -5, 1},
                            JwwPoint{On(0, 0), 100, -5, 1}};
        Append(dims.elements, dimension);
        NotCarried notCarried;
        const Drawing d = DrawingOf(std::move(dims), notCarried);
        EXPECT_EQ(d.lines.size(), 2u);  // the line and the one extension line that has a length
        ASSERT_EQ(d.texts.size(), 1u);
        EXPECT_EQ(d.texts[0].text, "100");
        EXPECT_EQ(d.points.size(), sxfMode ? 2u : 0u);
        EXPECT_EQ(d.virtualPoints.size(), sxfMode ? 2u : 0u);
    }
}

// A damaged file read in part can hold blocks inserting each other: the
// insertion closing the cycle is dropped and counted, never followed.
TEST(JwwMapping, InsertionsInACycleAreDropped) {
    JwwDrawing w = NewJwwDrawing();
    for (std::uint32_t n : {1u, 2u}) {
        auto b = std::make_unique<JwwBlockDefinition>();
        b->number = n;
        Append(b->elements, JwwLine{On(0, 0), 0, 0, 1, 0});
        Append(b->elements, JwwBlockInsert{On(0, 0), 0, 0, 1, 1, 0, 3 - n});
        w.blocks.push_back(std::move(b));
    }
    Append(w.elements, JwwBlockInsert{On(0, 0), 0, 0, 1, 1, 0, 1});
    NotCarried notCarried;
    const Drawing d = DrawingOf(std::move(w), notCarried);
    EXPECT_EQ(notCarried.inserts, 1);
    const ExplodedDrawing exploded = ExplodeBlocks(d);
    EXPECT_EQ(exploded.drawing.lines.size(), 2u);
}

// Millimetres on paper times the reference scale; a text's own height times
// it too (before the reduction); pens 7..9 with their colours, texts' too.
TEST(JwwMapping, TheDxfHoldsPaperMillimetresAtTheReferenceScale) {
    JwwDrawing w = NewJwwDrawing();
    w.header.groups[0].scale = 100;
    Append(w.elements, JwwLine{On(0, 0, 8), 91.5, 0, 0, 0});
    Append(w.elements, JwwText{On(0, 0, 9), 0, 0, 10, 0, kJwwItalicOffset, 3, 5, 0, 0, "", "X"});
    Append(w.elements, JwwSolid{On(0, 0, 8), {0, 0}, {1, 0}, {1, 2}, {0, 2}, 0});
    NotCarried notCarried;
    const Drawing d = DrawingOf(std::move(w), notCarried);
    ConversionSettings settings;
    settings.shrinkTexts = false;
    settings.roundCoordinates = false;
    const std::string dxf = Conversion(d, settings, {"", "100"}).Text();
    const auto lines = testing::Records(dxf, "LINE");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(testing::Value(lines[0], " 10"), "9150");
    const std::string layerName = testing::Value(lines[0], "  8");
    const auto layers = testing::Records(dxf, "LAYER");
    EXPECT_TRUE(std::any_of(layers.begin(), layers.end(), [&](const auto& layer) {  // the line's layer takes pen 8: red
        return testing::Value(layer, "  2") == layerName && testing::Value(layer, " 62") == "     1";
    }));
    // A SOLID is outlined through its corners 10, 11, 13, 12.
    const auto solids = testing::Records(dxf, "SOLID");
    ASSERT_EQ(solids.size(), 1u);
    EXPECT_EQ((std::array{testing::Value(solids[0], " 11"), testing::Value(solids[0], " 21"),
                          testing::Value(solids[0], " 12"), testing::Value(solids[0], " 22"),
                          testing::Value(solids[0], " 13"), testing::Value(solids[0], " 23")}),
              (std::array<std::string, 6>{"100", "0", "0", "200", "100", "200"}));
    const auto texts = testing::Records(dxf, "TEXT");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(testing::Value(texts[0], " 40"), "500");
    EXPECT_EQ(testing::Value(texts[0], " 62"), "     8");  // pen 9: grey, on a red layer
    EXPECT_EQ(testing::Value(texts[0], " 51"), "15");  // italic: slanted
}

// A text spans the length JW_CAD drew it at, its start to its end point
// (characters and the spacing between them): where that differs from what
// its characters take (a double-byte one its width, a single-byte one half),
// its characters are drawn wider. Values from the real drawing Test2.jww.
TEST(JwwMapping, TextsSpanTheLengthTheyAreDrawnAt) {
    struct Case {
        const char* what;
        std::string text;
        double x2, width;
        std::uint16_t flags;
        double drawnWidth;
    };
    const Case cases[] = {
        {"no spacing", "9,000", 6.25, 2.5, 0, 2.5},
        {"spacing 1 between five double-byte characters", Utf8ToCp932("５ｍライン"), 79, 15, 0, 15.8},
        {"double- and single-byte characters", Utf8ToCp932("幅ab"), 5, 2, 0, 2.5},
        {"vertical: the spacing runs down the column", Utf8ToCp932("５ｍライン"), 79, 15, kJwwVerticalTextFlag, 15},
        {"no length (a damaged end point)", "AB", 0, 2, 0, 2},
    };
    for (const Case& c : cases) {
        JwwDrawing w = NewJwwDrawing();
        JwwText text{On(0, 0), 0, 0, c.x2, 0, 1, c.width, c.width, 1, 0, "", c.text};
        text.common.flags = c.flags;
        Append(w.elements, text);
        NotCarried notCarried;
        const Drawing d = DrawingOf(std::move(w), notCarried);
        ASSERT_EQ(d.texts.size(), 1u) << c.what;
        EXPECT_DOUBLE_EQ(d.texts[0].width, c.drawnWidth) << c.what;
    }
}

// Colours of the drawing's own, an SXF colour from the header's table and a
// solid's RGB (both stored red in the low byte), become pens from 10 on:
// the nearest AutoCAD colour, and the true colour too where the format
// has it.
TEST(JwwMapping, ColoursOfTheDrawingsOwnKeepTheirRgb) {
    JwwDrawing w = NewJwwDrawing();
    w.header.sxfScreenPens.resize(257);
    w.header.sxfScreenPens[2].color = 0x0000FF;  // SXF red
    w.header.sxfScreenPens[9].color = 0x204080;
    Append(w.elements, JwwLine{On(0, 0, 102), 0, 0, 1, 0});
    Append(w.elements, JwwLine{On(0, 0, 109), 0, 1, 1, 1});
    Append(w.elements, JwwLine{On(0, 0, 1), 0, 2, 1, 2});
    Append(w.elements, JwwLine{On(0, 0, 1), 0, 3, 1, 3});
    Append(w.elements,
           JwwSolid{On(0, 0, kJwwRgbSolidColor), {0, 0}, {1, 0}, {1, 1}, {0, 1}, 0x0000FF});  // red again: one pen
    auto empty = std::make_unique<JwwBlockDefinition>();
    empty->number = 1;
    w.blocks.push_back(std::move(empty));
    Append(w.elements, JwwBlockInsert{On(0, 0), 0, 0, 1, 1, 0, 1});  // so that exploding has work to do
    NotCarried notCarried;
    const Drawing d = DrawingOf(std::move(w), notCarried);
    EXPECT_EQ(d.pens.ownColors, (std::vector<std::uint32_t>{0xFF0000, 0x804020}));
    EXPECT_EQ(d.solids[0].pen, 10);
    struct Case {
        OutputFormat format;
        bool explode;
        std::vector<std::string> colors, trueColors;  // of the two SXF lines and the solid
    };
    const Case cases[] = {
        {OutputFormat::Dos932, false, {"     1", "    15", "     1"}, {"<none>", "<none>", "<none>"}},
        {OutputFormat::Utf8, false, {"     1", "    15", "     1"}, {"16711680", "8405024", "16711680"}},
        {OutputFormat::Utf8, true, {"     1", "    15", "     1"}, {"16711680", "8405024", "16711680"}},
    };
    for (const Case& c : cases) {
        ConversionSettings settings;
        settings.outputFormat = c.format;
        settings.explodeBlocks = c.explode;
        const std::string dxf = Conversion(d, settings, {"", "1"}).Text();
        const auto lines = testing::Records(dxf, "LINE");
        const auto solids = testing::Records(dxf, "SOLID");
        ASSERT_EQ(lines.size(), 4u);
        ASSERT_EQ(solids.size(), 1u);
        const std::vector<std::string> colors{testing::Value(lines[0], " 62"), testing::Value(lines[1], " 62"),
                                              testing::Value(solids[0], " 62")};
        const std::vector<std::string> trueColors{testing::Value(lines[0], "420"), testing::Value(lines[1], "420"),
                                                  testing::Value(solids[0], "420")};
        EXPECT_EQ(colors, c.colors) << static_cast<int>(c.format) << c.explode;
        EXPECT_EQ(trueColors, c.trueColors) << static_cast<int>(c.format) << c.explode;
    }
}

// Every colour of AutoCAD's palette is its own nearest colour (the first of
// equal ones).
TEST(ColorPalette, EachColourIsItsOwnNearest) {
    for (int i = 1; i < 256; ++i) {
        const auto first =
            std::find(kAciRgb.begin() + 1, kAciRgb.end(), kAciRgb[static_cast<std::size_t>(i)]) - kAciRgb.begin();
        EXPECT_EQ(NearestAci(kAciRgb[static_cast<std::size_t>(i)]), first) << i;
    }
}

// The look in a text's style number: +10000 italic, +20000 bold, both +30000.
TEST(JwwMapping, ItalicAndBoldTextsAreKnownByTheirStyleNumber) {
    const std::tuple<std::uint32_t, bool, bool> cases[] = {
        {3, false, false}, {10003, true, false}, {20003, false, true}, {30010, true, true}};
    for (const auto& [style, italic, bold] : cases) {
        JwwText text;
        text.style = style;
        EXPECT_EQ(text.IsItalic(), italic) << style;
        EXPECT_EQ(text.IsBold(), bold) << style;
    }
}

// Printed widths become lineweights in utf8: hundredths of a millimetre
// when the header says so, dots at the resolution it gives (from version
// 600), an SXF colour's width in hundredths; nearest offered lineweight.
TEST(JwwMapping, PrintedPenWidthsBecomeLineweightsInUtf8) {
    struct Case {
        const char* what;
        std::uint32_t version;
        std::int32_t maxDrawWidth;
        std::uint32_t printOptions;
        std::vector<std::string> lineweights;  // of a pen 2 line (width 35) and an SXF line (width 18)
    };
    const Case cases[] = {
        {"hundredths", 700, -101, 10, {"35", "18"}},
        {"hundredths, saved width kept", 700, -300, 20, {"35", "18"}},
        {"dots at 600 dpi: 35 dots is 1.48 mm", 600, 100, 20, {"140", "18"}},
        {"dots at 300 dpi: 2.96 mm", 600, 100, 10, {"211", "18"}},
        {"dots of an unknown resolution", 420, 100, 0, {"<none>", "18"}},
    };
    for (const Case& c : cases) {
        JwwDrawing w = NewJwwDrawing(c.version);
        w.header.maxDrawWidth = c.maxDrawWidth;
        w.header.printOptions = c.printOptions;
        w.header.printerPens[2].width = 35;
        w.header.sxfScreenPens.resize(257);
        w.header.sxfPrinterPens.resize(257);
        w.header.sxfScreenPens[3].color = 0x0000FF;
        w.header.sxfPrinterPens[3].width = 18;
        Append(w.elements, JwwLine{On(0, 0, 2), 0, 0, 1, 0});
        Append(w.elements, JwwLine{On(0, 0, kJwwSxfColorBase + 3), 0, 1, 1, 1});
        NotCarried notCarried;
        const Drawing d = DrawingOf(std::move(w), notCarried);
        for (const OutputFormat format : {OutputFormat::Utf8, OutputFormat::Ansi932}) {
            ConversionSettings settings;
            settings.outputFormat = format;
            std::vector<std::string> found;
            for (const auto& line : testing::Records(Conversion(d, settings, {"", "1"}).Text(), "LINE"))
                found.push_back(testing::Value(line, "370").substr(testing::Value(line, "370").find_first_not_of(' ')));
            const std::vector<std::string> none{"<none>", "<none>"};
            EXPECT_EQ(found, format == OutputFormat::Utf8 ? c.lineweights : none) << c.what;
        }
    }
}

// In the formats for readers, a STYLE per font and weight the texts use,
// carrying the font's family and weight for AutoCAD (a vertical text takes
// the upright one, a character at a time); the faithful format names none.
TEST(JwwMapping, FontsBecomeTextStylesInUtf8) {
    JwwDrawing w = NewJwwDrawing();
    const std::string gothic = Utf8ToCp932("ＭＳ ゴシック"), mincho = Utf8ToCp932("ＭＳ 明朝");
    Append(w.elements, JwwText{On(0, 0), 0, 0, 10, 0, 1, 3, 3, 0, 0, gothic, "A"});
    Append(w.elements, JwwText{On(0, 0), 0, 5, 10, 5, kJwwBoldOffset + 1, 3, 3, 0, 0, gothic, "B"});
    JwwText vertical{On(0, 0), 0, 9, 0, 0, 1, 3, 3, 0, 270, mincho, "C"};
    vertical.common.flags = kJwwVerticalTextFlag;
    Append(w.elements, vertical);
    Append(w.elements, JwwText{On(0, 0), 0, 15, 10, 15, 1, 3, 3, 0, 0, "", "D"});
    NotCarried notCarried;
    const Drawing d = DrawingOf(std::move(w), notCarried);
    for (const OutputFormat format : {OutputFormat::Utf8, OutputFormat::Dos932}) {
        ConversionSettings settings;
        settings.outputFormat = format;
        const std::string dxf = Conversion(d, settings, {"", "1"}).Text();
        std::vector<std::string> named;
        for (const auto& text : testing::Records(dxf, "TEXT")) named.push_back(testing::Value(text, "  7"));
        std::vector<std::vector<std::string>> styles;
        for (const auto& style : testing::Records(dxf, "STYLE"))
            styles.push_back({testing::Value(style, "  2"), testing::Value(style, " 70"), testing::Value(style, "1000"),
                              testing::Value(style, "1071")});
        if (format == OutputFormat::Dos932) {
            EXPECT_EQ(named, (std::vector<std::string>{"<none>", "<none>", "TATEGAKI", "<none>"}));
            EXPECT_EQ(styles.size(), 2u);  // STANDARD, TATEGAKI
            continue;
        }
        const std::string g = "ＭＳゴシック", m = "ＭＳ明朝";  // the file is UTF-8
        EXPECT_EQ(named, (std::vector<std::string>{"KST32B#" + g, "KST32B#" + g + "#BOLD", "KST32B#" + m, "KST32B"}));
        ASSERT_EQ(styles.size(), 5u);  // STANDARD, KST32B and the three fonts'
        EXPECT_EQ(styles[2],
                  (std::vector<std::string>{"KST32B#" + g, "     0", "ＭＳ ゴシック", "32802"}));  // 0x22 | 128 << 8
        EXPECT_EQ(styles[3], (std::vector<std::string>{"KST32B#" + g + "#BOLD", "     0", "ＭＳ ゴシック",
                                                       std::to_string(32802 + 0x2000000)}));
        EXPECT_EQ(styles[4], (std::vector<std::string>{"KST32B#" + m, "     0", "ＭＳ 明朝", "32802"}));
    }
}

// The real drawings beside the project, when they are there: fields the
// model must hold as JW_CAD drew them (values read off the drawings).
TEST(JwwMapping, TheRealDrawingsKeepTheirKnownContent) {
    const std::filesystem::path folder = testing::JwwSamplesFolder();
    if (folder.empty()) GTEST_SKIP() << "no shared samples to read";
    const auto read = [&](const char* name) {
        JwwDrawing w;
        EXPECT_TRUE(LoadJwwFile((folder / name).string(), w)) << name;
        NotCarried notCarried;
        return DrawingOf(std::move(w), notCarried);
    };
    const Drawing test2 = read("Test2.jww");
    EXPECT_EQ(test2.layers[2].name, Utf8ToCp932("　方位"));  // group 0, layer 2: editable
    EXPECT_EQ(test2.layers[2].visible, 1);
    EXPECT_EQ(test2.layers[8].name, Utf8ToCp932("　敷地"));  // the write layer
    EXPECT_EQ(test2.layers[8].visible, 1);
    EXPECT_EQ(test2.layerGroups[0].scale, 100);
    const auto fiveMetres = std::find_if(test2.texts.begin(), test2.texts.end(),
                                         [](const DrawingText& t) { return t.text == Utf8ToCp932("５ｍライン"); });
    ASSERT_NE(fiveMetres, test2.texts.end());
    EXPECT_EQ(fiveMetres->x1, 123.84555984555982);
    EXPECT_EQ(fiveMetres->y1, -99.915056884058671);
    EXPECT_EQ(fiveMetres->y2 - fiveMetres->y1, 79);  // written upwards, 79 mm long
    EXPECT_DOUBLE_EQ(fiveMetres->width, 79.0 / 5);  // 15 mm characters and 1 mm between them
    EXPECT_EQ(fiveMetres->height, 15);

    const Drawing twoBlocks = read("2blocks.jww");
    ASSERT_EQ(twoBlocks.blocks.size(), 2u);
    EXPECT_EQ(BlockNamesOf(twoBlocks), (std::vector<std::string>{"2lines", "2circles"}));
    EXPECT_EQ(twoBlocks.blocks[0].lines.size(), 2u);
    EXPECT_EQ(twoBlocks.blocks[1].arcs.size(), 2u);
    ASSERT_EQ(twoBlocks.inserts.size(), 2u);
    EXPECT_EQ(twoBlocks.inserts[0].block, 0u);
    EXPECT_EQ(twoBlocks.inserts[0].x, -4.6323529411764692);
    EXPECT_EQ(twoBlocks.inserts[0].y, 18.854489164086687);
    EXPECT_EQ(twoBlocks.inserts[1].block, 1u);
    EXPECT_EQ(twoBlocks.inserts[1].x, 70.704334365325082);
    EXPECT_TRUE(twoBlocks.texts.empty());  // JW_CAD's settings texts are not drawn

    const Drawing nonBlock = read("non_block.jww");
    ASSERT_EQ(nonBlock.lines.size(), 4u);
    EXPECT_EQ((std::array{nonBlock.lines[0].x1, nonBlock.lines[0].y1, nonBlock.lines[0].x2, nonBlock.lines[0].y2}),
              (std::array{-118.55027932960895, 22.759776536312852, -54.142458100558642, 22.759776536312852}));
}

}  // namespace
}  // namespace orvik
