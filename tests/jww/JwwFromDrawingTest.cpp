#include "jww/JwwFromDrawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "jww/JwwMapping.h"
#include "jww/JwwReader.h"
#include "jww/JwwWriter.h"
#include "output/ByteSink.h"
#include "support/JwwBuilder.h"
#include "support/JwwSamples.h"
#include "text/Cp932.h"

namespace orvik {
namespace {

JwwCommon On(std::uint8_t style, std::uint16_t color, std::uint16_t layer = 0, std::uint16_t group = 0) {
    JwwCommon c;
    c.penStyle = style;
    c.penColor = color;
    c.layer = layer;
    c.layerGroup = group;
    return c;
}

// A drawing of what the model carries: curve runs, SXF and RGB colours, a
// defined line type, every kind of arc, texts of every style, both kinds of
// point, nested blocks, hidden and named layers.
JwwDrawing Varied() {
    JwwDrawing d = NewJwwDrawing();
    d.header.groups[1].scale = 50;
    d.header.groups[1].state = 0;
    d.header.groups[0].layers[3].state = 0;
    d.header.groups[0].layers[2].name = Utf8ToCp932("壁");
    d.header.groups[2].name = "site";
    d.header.sxfScreenPens.assign(257, {});
    d.header.sxfPrinterPens.assign(257, {});
    d.header.sxfScreenPens[20] = {0x336699, 1};
    d.header.sxfPrinterPens[20] = {0x336699, 35, 0};
    d.header.doublePatterns[1] = {0xFFF0FFF0, 32, 2, 20, 0};
    JwwElementList& e = d.elements;
    for (int i = 0; i < 3; ++i) {
        JwwLine run{On(2, 1, 2), double(i), 0, double(i + 1), 1};
        run.common.group = 7;
        Append(e, run);
    }
    Append(e, JwwLine{On(17, kJwwSxfColorBase + 20, 1, 2), -5, -5, 5, 5});
    Append(e, JwwArc{On(1, 3), 1, 2, 3, 0.5, 1.5, 0, 1, 0});
    Append(e, JwwArc{On(1, 4), 0, 0, 10, 0, 6.283185307179586, 0, 1, 1});
    Append(e, JwwArc{On(3, 5), 4, 4, 6, 1, -2, 0.3, 0.5, 0});
    Append(e, JwwPoint{On(1, 6), 7, 8, 0});
    Append(e, JwwPoint{On(1, 1, 4), 9, 10, 1});
    JwwText vertical{On(1, 2),
                     0,
                     0,
                     0,
                     -10,
                     kJwwBoldOffset + kJwwItalicOffset,
                     5,
                     5,
                     0,
                     -90,
                     Utf8ToCp932("ＭＳ ゴシック"),
                     Utf8ToCp932("縦書き")};
    vertical.common.flags = kJwwVerticalTextFlag;
    Append(e, vertical);
    Append(e, JwwText{On(1, 1), 0, 0, 12, 5, 3, 4, 4, 0, 22.6, Utf8ToCp932("ＭＳ 明朝"), "ABC"});
    Append(e, JwwSolid{On(1, kJwwRgbSolidColor), {0, 0}, {1, 0}, {1, 1}, {0, 1}, 0x00A0B0C0});
    Append(e, JwwSolid{On(1, 8), {0, 10}, {0, 0}, {4, 0}, {4, 10}, 0});
    Append(e, JwwBlockInsert{On(1, 1), 10, 20, 2, 0.5, 0.7854, 1});
    auto inner = std::make_unique<JwwBlockDefinition>();
    inner->number = 2;
    inner->name = "inner";
    Append(inner->elements, JwwArc{On(1, 1), 0, 0, 1, 0, 1, 0, 1, 0});
    auto outer = std::make_unique<JwwBlockDefinition>();
    outer->number = 1;
    outer->name = Utf8ToCp932("窓");
    Append(outer->elements, JwwLine{On(1, 1), 0, 0, 1, 1});
    Append(outer->elements, JwwBlockInsert{On(1, 1), 0, 0, 1, 1, 0, 2});
    d.blocks.push_back(std::move(outer));
    d.blocks.push_back(std::move(inner));
    return d;
}

Drawing ModelOf(const std::string& bytes) {
    JwwDrawing jww;
    EXPECT_TRUE(ReadJww(bytes, jww));
    NotCarried notCarried;
    return DrawingOf(std::move(jww), notCarried);
}

std::string Written(const Drawing& d) {
    StringSink sink;
    WriteJww(JwwDrawingOf(d), sink);
    return sink.Text();
}

// Angles come back through radians: within a few units in the last place.
bool Near(double a, double b) { return a == b || std::fabs(a - b) <= 1e-12 * std::max(1.0, std::fabs(a)); }

// Line types by what they draw: JW_CAD's by number, the drawing's own by pattern.
struct Types {
    const Drawing& a;
    const Drawing& b;
    static std::vector<double> Of(const Drawing& d, std::uint8_t n) {
        if (n <= kLastStandardLineType) return {double(n)};
        for (const DefinedLinetype& t : d.extraLinetypes)
            if (t.number == n) return t.pattern;
        return {1};  // drawn as type 1
    }
    bool Same(std::uint8_t x, std::uint8_t y) const { return Of(a, x) == Of(b, y); }
};

void ExpectSameElements(const ElementSet& a, const ElementSet& b, const Types& types, const std::string& where) {
    ASSERT_EQ(a.lines.size(), b.lines.size()) << where;
    for (std::size_t i = 0; i < a.lines.size(); ++i) {
        const DrawingLine &x = a.lines[i], &y = b.lines[i];
        EXPECT_TRUE(x.x1 == y.x1 && x.y1 == y.y1 && x.x2 == y.x2 && x.y2 == y.y2 &&
                    types.Same(x.lineType, y.lineType) && x.pen == y.pen && x.layer == y.layer &&
                    x.curveMark == y.curveMark)
            << where << " line " << i;
    }
    ASSERT_EQ(a.arcs.size(), b.arcs.size()) << where;
    for (std::size_t i = 0; i < a.arcs.size(); ++i) {
        const DrawingArc &x = a.arcs[i], &y = b.arcs[i];
        EXPECT_TRUE(x.cx == y.cx && x.cy == y.cy && x.radius == y.radius && x.flatness == y.flatness &&
                    Near(x.startAngle, y.startAngle) && Near(x.endAngle, y.endAngle) && Near(x.tilt, y.tilt) &&
                    types.Same(x.lineType, y.lineType) && x.pen == y.pen && x.layer == y.layer)
            << where << " arc " << i << ": " << x.startAngle << ' ' << y.startAngle << ' ' << x.endAngle << ' '
            << y.endAngle;
    }
    ASSERT_EQ(a.texts.size(), b.texts.size()) << where;
    for (std::size_t i = 0; i < a.texts.size(); ++i) {
        const DrawingText &x = a.texts[i], &y = b.texts[i];
        EXPECT_TRUE(x.x1 == y.x1 && x.y1 == y.y1 && x.x2 == y.x2 && x.y2 == y.y2 && x.text == y.text &&
                    x.vertical == y.vertical && x.width == y.width && x.height == y.height && x.pen == y.pen &&
                    x.italic == y.italic && x.bold == y.bold && x.font == y.font && x.layer == y.layer)
            << where << " text " << i;
    }
    ASSERT_EQ(a.points.size(), b.points.size()) << where;
    for (std::size_t i = 0; i < a.points.size(); ++i)
        EXPECT_TRUE(a.points[i].x == b.points[i].x && a.points[i].y == b.points[i].y &&
                    a.points[i].pen == b.points[i].pen && a.points[i].layer == b.points[i].layer)
            << where << " point " << i;
    ASSERT_EQ(a.virtualPoints.size(), b.virtualPoints.size()) << where;
    ASSERT_EQ(a.solids.size(), b.solids.size()) << where;
    for (std::size_t i = 0; i < a.solids.size(); ++i)
        EXPECT_TRUE(a.solids[i].p1 == b.solids[i].p1 && a.solids[i].p3 == b.solids[i].p3 &&
                    a.solids[i].pen == b.solids[i].pen)
            << where << " solid " << i;
    ASSERT_EQ(a.inserts.size(), b.inserts.size()) << where;
    for (std::size_t i = 0; i < a.inserts.size(); ++i)
        EXPECT_TRUE(a.inserts[i].x == b.inserts[i].x && a.inserts[i].block == b.inserts[i].block &&
                    a.inserts[i].scaleY == b.inserts[i].scaleY && Near(a.inserts[i].rotation, b.inserts[i].rotation))
            << where << " insert " << i;
}

void ExpectSameDrawing(const Drawing& a, const Drawing& b, const std::string& what) {
    const Types types{a, b};
    ExpectSameElements(a, b, types, what);
    ASSERT_EQ(a.blocks.size(), b.blocks.size()) << what;
    for (std::size_t k = 0; k < a.blocks.size(); ++k) {
        EXPECT_EQ(a.blocks[k].name, b.blocks[k].name) << what;
        ExpectSameElements(a.blocks[k], b.blocks[k], types, what + " block " + std::to_string(k));
    }
    for (std::size_t n = 0; n < a.layers.size(); ++n)
        EXPECT_TRUE(a.layers[n].name == b.layers[n].name && a.layers[n].visible == b.layers[n].visible) << what << n;
    for (std::size_t g = 0; g < a.layerGroups.size(); ++g)
        EXPECT_TRUE(a.layerGroups[g].scale == b.layerGroups[g].scale &&
                    a.layerGroups[g].visible == b.layerGroups[g].visible &&
                    a.layerGroups[g].name == b.layerGroups[g].name)
            << what << g;
    EXPECT_EQ(a.paper.size, b.paper.size) << what;
    EXPECT_EQ(a.pens.ownColors, b.pens.ownColors) << what;
    EXPECT_EQ(a.pens.widths.size(), b.pens.widths.size()) << what;
    EXPECT_TRUE(a.fonts == b.fonts) << what;
    ASSERT_EQ(a.extraLinetypes.size(), b.extraLinetypes.size()) << what;
    for (std::size_t n = 0; n < a.extraLinetypes.size(); ++n)
        EXPECT_EQ(a.extraLinetypes[n].pattern, b.extraLinetypes[n].pattern) << what;
}

std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A drawing of the model written as a JWW file and read back is the same
// drawing: for a varied one and for each real drawing.
TEST(JwwFromDrawing, TheModelComesBackThroughJww) {
    std::vector<std::pair<std::string, std::string>> files = {{"varied", BuildJww(Varied()).bytes}};
    if (const auto folder = testing::JwwSamplesFolder(); !folder.empty())
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.path().extension() == ".jww")
                files.emplace_back(entry.path().filename().string(), FileBytes(entry.path()));
    for (const auto& [name, bytes] : files) {
        const Drawing first = ModelOf(bytes);
        const std::string written = Written(first);
        ExpectSameDrawing(first, ModelOf(written), name);
    }
}

}  // namespace
}  // namespace orvik
