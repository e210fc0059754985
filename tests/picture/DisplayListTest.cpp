#include "picture/DisplayListBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <numbers>
#include <regex>
#include <set>

#include "convert/ProposedScales.h"
#include "dxf/ColorPalette.h"
#include "dxf/DxfLines.h"
#include "jwc/JwcLoader.h"
#include "jww/JwwMapping.h"
#include "picture/PictureSource.h"
#include "picture/SvgPicture.h"
#include "support/JwwBuilder.h"

namespace orvik {
namespace {

using testing::Records;
using testing::Value;

const char* const kKinds[] = {"LINE", "POLYLINE", "CIRCLE", "ARC", "ELLIPSE", "TEXT", "POINT", "SOLID"};

double Number(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

// The layers the file shows: not switched off (negative colour), not frozen (flag 1).
std::set<std::string> ShownLayers(const std::string& dxf) {
    std::set<std::string> shown;
    for (const auto& layer : Records(dxf, "LAYER"))
        if (Number(Value(layer, " 62")) > 0 && (std::atoi(Value(layer, " 70").c_str()) & 1) == 0)
            shown.insert(Value(layer, "  2"));
    return shown;
}

struct Variant {
    const char* name;
    ConversionSettings settings;
    std::string scale;  // empty: the proposed one
};

ConversionSettings With(void (*change)(ConversionSettings&)) {
    ConversionSettings s;
    change(s);
    return s;
}

// The picture holds exactly the entities the file shows, kind by kind, at the
// file's coordinates; so does its SVG. Each variant of the settings changes
// the file, and the picture with it.
TEST(PictureOfAConversion, HoldsTheShownEntitiesOfTheFileAtItsCoordinates) {
    JwcFile drawing;
    const std::string sample = std::string(ORVIK_SOURCE_DIR) + "/samples/plan.jwc";
    ASSERT_TRUE(LoadJwcFile(sample, drawing));
    const ScaleList scales = ListProposedScales(drawing);
    const Variant variants[] = {
        {"default", {}, ""},
        {"circles", With([](ConversionSettings& s) { s.pointMode = PointMode::Circle; }), ""},
        {"points", With([](ConversionSettings& s) { s.pointMode = PointMode::Point; }), ""},
        {"polylines", With([](ConversionSettings& s) { s.curvesAsPolylines = true; }), ""},
        {"acad 1:50", With([](ConversionSettings& s) { s.jwLineTypes = false; }), "50"},
        {"utf8, auxiliary lines kept", With([](ConversionSettings& s) {
             s.outputFormat = OutputFormat::Utf8;
             s.auxiliaryOnDefpoints = false;
         }),
         ""},
    };
    for (const Variant& v : variants) {
        SCOPED_TRACE(v.name);
        const Conversion conversion(
            drawing, v.settings, ConversionRequest{sample, v.scale.empty() ? scales.items[scales.selected] : v.scale});
        const std::string dxf = conversion.Text();
        const DisplayList list = PictureOf(conversion);
        const std::string svg = SvgPicture(list, {});
        StringSink streamed;  // shape by shape, as the file is read: the same picture
        WriteSvgPicture(PictureSource(conversion), {}, streamed);
        EXPECT_TRUE(streamed.Text() == svg);
        const std::set<std::string> shown = ShownLayers(dxf);

        std::map<std::string, int> inFile, inList, inSvg;
        for (const char* kind : kKinds) {
            for (const auto& record : Records(dxf, kind))
                if (shown.count(Value(record, "  8"))) ++inFile[kind];
            const std::string element = std::string("class=\"") + kind + '"';
            for (std::size_t at = svg.find(element); at != std::string::npos; at = svg.find(element, at + 1))
                ++inSvg[kind];
        }
        for (const Shape& s : list.shapes) ++inList[kKinds[static_cast<int>(s.kind)]];
        EXPECT_EQ(inList, inFile);
        EXPECT_EQ(inSvg, inFile);
        // The paper sheet lies round the drawing, centred on its origin.
        const PictureBounds drawn = list.Bounds();
        EXPECT_EQ(list.sheet.min.x, -list.sheet.max.x);
        EXPECT_EQ(list.sheet.min.y, -list.sheet.max.y);
        EXPECT_TRUE(list.sheet.min.x <= drawn.min.x && drawn.max.x <= list.sheet.max.x &&
                    list.sheet.min.y <= drawn.min.y && drawn.max.y <= list.sheet.max.y);

        // The first shown LINE, in the list and in the SVG.
        for (const auto& line : Records(dxf, "LINE")) {
            if (!shown.count(Value(line, "  8"))) continue;
            const Shape& first = list.shapes.front();
            ASSERT_EQ(first.kind, ShapeKind::Line);
            EXPECT_EQ(first.a.x, Number(Value(line, " 10")));
            EXPECT_EQ(first.a.y, Number(Value(line, " 20")));
            EXPECT_EQ(first.b.x, Number(Value(line, " 11")));
            EXPECT_EQ(first.b.y, Number(Value(line, " 21")));
            std::smatch m;
            ASSERT_TRUE(std::regex_search(svg, m, std::regex(R"re(class="LINE" x1="([^"]+)" y1="([^"]+)")re")));
            EXPECT_EQ(Number(m[1]), first.a.x);
            EXPECT_EQ(Number(m[2]), first.a.y);
            break;
        }
    }
}

// A layer table, one entity per case, and what the list must make of it.
TEST(DisplayListBuilder, ResolvesWhatTheEntityLeavesToItsLayer) {
    const std::string head =
        "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1012\r\n  9\r\n$LTSCALE\r\n 40\r\n10\r\n"
        "  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nTABLES\r\n"
        "  0\r\nLTYPE\r\n  2\r\nDASHED\r\n 49\r\n2.0\r\n 49\r\n-1.0\r\n"
        "  0\r\nLAYER\r\n  2\r\nA\r\n 70\r\n     0\r\n 62\r\n     3\r\n  6\r\nDASHED\r\n"
        "  0\r\nLAYER\r\n  2\r\nOFF\r\n 70\r\n     0\r\n 62\r\n    -3\r\n"
        "  0\r\nLAYER\r\n  2\r\nFROZEN\r\n 70\r\n     1\r\n 62\r\n     3\r\n"
        "  0\r\nSTYLE\r\n  2\r\nTATEGAKI\r\n 70\r\n     4\r\n"
        "  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
    const std::string tail = "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
    struct Case {
        const char* entity;
        bool drawn;
        int color;
        bool dashed;
        bool vertical;
    };
    const Case cases[] = {
        {"  0\r\nLINE\r\n  8\r\nA\r\n", true, 3, true, false},
        {"  0\r\nLINE\r\n  8\r\nA\r\n 62\r\n     1\r\n  6\r\nCONTINUOUS\r\n", true, 1, false, false},
        {"  0\r\nLINE\r\n  8\r\nOFF\r\n", false, 0, false, false},
        {"  0\r\nLINE\r\n  8\r\nFROZEN\r\n", false, 0, false, false},
        {"  0\r\nTEXT\r\n  8\r\nA\r\n  1\r\nx\r\n  7\r\nTATEGAKI\r\n", true, 3, true, true},
        {"  0\r\nTEXT\r\n  8\r\nA\r\n  1\r\nx\r\n", true, 3, true, false},
        {"  0\r\nPOLYLINE\r\n  8\r\nFROZEN\r\n  0\r\nVERTEX\r\n  8\r\nFROZEN\r\n  0\r\nSEQEND\r\n", false, 0, false,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entity);
        const std::string dxf = head + c.entity + tail;
        // Whole, and one byte at a time: lines split across writes read the same.
        for (std::size_t chunk : {dxf.size(), std::size_t{1}}) {
            DisplayListBuilder builder;
            for (std::size_t at = 0; at < dxf.size(); at += chunk)
                builder.Write(std::string_view(dxf).substr(at, chunk));
            const DisplayList list = builder.Take();
            ASSERT_EQ(list.shapes.size(), c.drawn ? 1u : 0u);
            if (!c.drawn) continue;
            const Shape& s = list.shapes[0];
            EXPECT_EQ(s.color, c.color);
            EXPECT_EQ(s.vertical, c.vertical);
            ASSERT_EQ(s.linetype >= 0, c.dashed);
            if (c.dashed) {
                EXPECT_EQ(list.linetypes[static_cast<std::size_t>(s.linetype)], (DashPattern{20, -10}));
            }
            EXPECT_EQ(list.encoding, TextEncoding::Cp932);
        }
    }
}

// A JWW drawing's picture: its blocks' elements in place and its solids
// filled, corners in their outline order, in the list and in the SVG.
TEST(PictureOfAConversion, ShowsJwwBlocksAndSolids) {
    JwwDrawing w = NewJwwDrawing();
    auto block = std::make_unique<JwwBlockDefinition>();
    block->number = 1;
    Append(block->elements, JwwLine{{}, 0, 0, 10, 0});
    w.blocks.push_back(std::move(block));
    Append(w.elements, JwwBlockInsert{{}, 5, 5, 1, 1, 0, 1});
    Append(w.elements, JwwSolid{{}, {0, 0}, {4, 0}, {4, 3}, {0, 3}, 0});
    Append(w.elements, JwwText{{}, 0, 10, 10, 10, kJwwItalicOffset, 20, 20, 0, 0, "", "I"});
    NotCarried notCarried;
    const Drawing drawing = DrawingOf(std::move(w), notCarried);
    ConversionSettings settings;
    settings.roundCoordinates = false;
    settings.shrinkTexts = false;
    settings.narrowHalfWidthTexts = false;
    DisplayList list = PictureOf(Conversion(drawing, settings, {"", "1"}));
    ASSERT_EQ(list.shapes.size(), 3u);
    const auto text =
        std::find_if(list.shapes.begin(), list.shapes.end(), [](const Shape& s) { return s.kind == ShapeKind::Text; });
    ASSERT_NE(text, list.shapes.end());
    EXPECT_EQ(text->oblique, 15);  // italic: slanted, in the SVG by its matrix's third column
    EXPECT_NE(SvgPicture(list, {}).find("matrix(1 0 -0.26794919"), std::string::npos);
    std::erase_if(list.shapes, [](const Shape& s) { return s.kind == ShapeKind::Text; });
    EXPECT_EQ(list.shapes[1].kind, ShapeKind::Line);  // the INSERT follows the solid
    EXPECT_EQ(list.shapes[1].a.x, 5);
    EXPECT_EQ(list.shapes[1].b.x, 15);
    const Shape& solid = list.shapes[0];
    ASSERT_EQ(solid.kind, ShapeKind::Solid);
    ASSERT_EQ(solid.vertices.size(), 4u);
    const PicturePoint corners[] = {{0, 0}, {4, 0}, {4, 3}, {0, 3}};
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(solid.vertices[k].at.x, corners[k].x) << k;
        EXPECT_EQ(solid.vertices[k].at.y, corners[k].y) << k;
    }
    EXPECT_NE(SvgPicture(list, {}).find("<path class=\"SOLID\" d=\"M0 0"), std::string::npos);
}

// Blocks nested so that a few kilobytes name billions of shapes: the
// picture places shapes and follows insertions within its limits, never
// holding a block expanded, and says so; a chain nested past the depth
// limit draws what lies within it.
TEST(PictureOfAConversion, NestedBlocksStayWithinThePicturesLimits) {
    struct Case {
        const char* what;
        int levels, perLevel;
        bool limitReached;
        std::int64_t tooDeep;
    };
    const Case cases[] = {
        {"ten insertions a level, seven levels", 7, 10, true, 0},
        {"a chain past the depth limit", kPlacedNestingLimit + 8, 1, false, 1},
    };
    for (const Case& c : cases) {
        JwwDrawing w = NewJwwDrawing();
        for (int level = 1; level <= c.levels; ++level) {
            auto block = std::make_unique<JwwBlockDefinition>();
            block->number = static_cast<std::uint32_t>(level);
            Append(block->elements, JwwLine{{}, 0, 0, 1, 0});
            for (int k = 0; level > 1 && k < c.perLevel; ++k)
                Append(block->elements,
                       JwwBlockInsert{{}, static_cast<double>(k), 0, 1, 1, 0, static_cast<std::uint32_t>(level - 1)});
            w.blocks.push_back(std::move(block));
        }
        for (int k = 0; k < c.perLevel; ++k)
            Append(w.elements,
                   JwwBlockInsert{{}, 0, static_cast<double>(k), 1, 1, 0, static_cast<std::uint32_t>(c.levels)});
        NotCarried notCarried;
        const Drawing drawing = DrawingOf(std::move(w), notCarried);
        const Conversion conversion(drawing, ConversionSettings{}, {"", "1"});
        const PictureSource source(conversion);
        EXPECT_EQ(source.Header().placedLimitReached, c.limitReached) << c.what;
        EXPECT_EQ(source.Header().insertsTooDeep, c.tooDeep) << c.what;
        std::int64_t shapes = 0;
        source.EachShape([&](const Shape&) { ++shapes; });
        EXPECT_LE(shapes, kPlacedShapeLimit) << c.what;
        EXPECT_GT(shapes, 0) << c.what;
    }
}

// A block's INSERTs drawn from the DXF file look as its elements written in
// place do: turned, scaled unevenly, mirrored, nested.
TEST(PictureOfAConversion, InsertsLookAsTheirBlocksInPlace) {
    JwwDrawing w = NewJwwDrawing();
    auto inner = std::make_unique<JwwBlockDefinition>();
    inner->number = 2;
    Append(inner->elements, JwwArc{{}, 1, 2, 3, 0.5, 2, 0.3, 0.6, 0});  // part of an ellipse
    auto outer = std::make_unique<JwwBlockDefinition>();
    outer->number = 1;
    Append(outer->elements, JwwLine{{}, 0, 0, 10, 0});
    Append(outer->elements, JwwArc{{}, 0, 0, 2, 0, 0, 0, 1, 1});  // a circle
    Append(outer->elements, JwwArc{{}, 5, 0, 2, 0.25, 1.5, 0, 1, 0});  // an arc
    Append(outer->elements, JwwText{{}, 0, 3, 4, 3, 0, 2, 3, 0, 0, "", "AB"});
    Append(outer->elements, JwwSolid{{}, {0, 0}, {1, 0}, {1, 1}, {0, 1}, 0});
    Append(outer->elements, JwwBlockInsert{{}, 3, 3, 1, 2, 0.2, 2});
    w.blocks.push_back(std::move(outer));
    w.blocks.push_back(std::move(inner));
    Append(w.elements, JwwBlockInsert{{}, 50, 20, 2, 2, 0.5, 1});
    Append(w.elements, JwwBlockInsert{{}, -40, 10, 2, 0.5, 1.1, 1});
    Append(w.elements, JwwBlockInsert{{}, 0, -30, -1, 1.5, -0.7, 1});
    NotCarried notCarried;
    const Drawing drawing = DrawingOf(std::move(w), notCarried);
    ConversionSettings settings;
    settings.roundCoordinates = false;
    const auto sorted = [&](bool explode) {
        settings.explodeBlocks = explode;
        DisplayList list = PictureOf(Conversion(drawing, settings, {"", "1"}));
        const auto key = [](const Shape& s) {
            return std::tuple{s.kind, std::round(s.a.x * 1e6), std::round(s.a.y * 1e6)};
        };
        std::sort(list.shapes.begin(), list.shapes.end(),
                  [&](const Shape& x, const Shape& y) { return key(x) < key(y); });
        return list.shapes;
    };
    const std::vector<Shape> inserted = sorted(false), placed = sorted(true);
    ASSERT_EQ(inserted.size(), placed.size());
    const auto sameAngle = [](double a, double b, double turn) {
        return std::fabs(std::remainder(a - b, turn)) < 1e-6;
    };
    for (std::size_t k = 0; k < placed.size(); ++k) {
        const Shape &x = inserted[k], &y = placed[k];
        ASSERT_EQ(x.kind, y.kind) << k;
        for (const auto& [u, v] : {std::pair{x.a.x, y.a.x},
                                   {x.a.y, y.a.y},
                                   {x.b.x, y.b.x},
                                   {x.b.y, y.b.y},
                                   {x.radius, y.radius},
                                   {x.ratio, y.ratio},
                                   {x.height, y.height},
                                   {x.widthFactor, y.widthFactor}})
            EXPECT_NEAR(u, v, 1e-6) << k << " kind " << static_cast<int>(x.kind);
        const double turn = x.kind == ShapeKind::Ellipse ? 2 * std::numbers::pi : 360;
        EXPECT_TRUE(sameAngle(x.start, y.start, turn) && sameAngle(x.end, y.end, turn) &&
                    sameAngle(x.angle, y.angle, 360))
            << k << " kind " << static_cast<int>(x.kind) << ": " << x.start << " " << y.start << " " << x.end << " "
            << y.end;
        ASSERT_EQ(x.vertices.size(), y.vertices.size());
        for (std::size_t v = 0; v < x.vertices.size(); ++v) {
            EXPECT_NEAR(x.vertices[v].at.x, y.vertices[v].at.x, 1e-6);
            EXPECT_NEAR(x.vertices[v].at.y, y.vertices[v].at.y, 1e-6);
        }
    }
}

// Colours as a CAD screen shows them; on white, light ones darkened with
// their hue kept.
TEST(ScreenColor, LightColoursAreDarkerOnWhite) {
    struct Case {
        int color;
        bool light;
        std::uint32_t rgb;
    };
    const Case cases[] = {
        {2, false, 0xFFFF00}, {2, true, 0x919100},  // yellow
        {4, false, 0x00FFFF}, {4, true, 0x00B7B7},  // cyan
        {5, true, 0x0000FF},  // blue: dark enough already
        {7, false, 0xFFFFFF}, {7, true, 0x000000}, {94, false, kAciRgb[94]},
    };
    for (const Case& c : cases) EXPECT_EQ(ScreenColor(c.color, c.light), c.rgb) << c.color << " " << c.light;
}

// A picture keeps the width asked for and the drawing's proportions, and
// is made smaller only as far as the largest picture demands.
TEST(PictureFrame, StaysWithinTheLargestPicture) {
    struct Case {
        double w, h;
        int width;
        int expectWidth;  // 0: smaller than asked
    };
    const Case cases[] = {
        {100, 50, 1200, 1200}, {50, 100, 1200, 1200}, {100, 100, 20000, 0},
        {1, 1000, 20000, 0},   {1, 1e9, 1200, 0},     {1000, 1, 20000, 20000},
    };
    for (const Case& c : cases) {
        const PictureFrame f = FrameFor(PictureBounds{{0, 0}, {c.w, c.h}}, c.width);
        EXPECT_LE(f.width, kMaxPictureSide);
        EXPECT_LE(f.height, kMaxPictureSide);
        EXPECT_LE(double(f.width) * f.height, kMaxPicturePixels * 1.001);
        if (c.expectWidth) {
            EXPECT_EQ(f.width, c.expectWidth) << c.w << 'x' << c.h;
        } else {
            EXPECT_LT(f.width, c.width) << c.w << 'x' << c.h;
        }
        // A clipped height aside, the drawing's proportions with its margins of 2 %.
        const double down = c.h + 0.04 * std::max(c.w, c.h);
        if (f.height < kMaxPictureSide) {
            EXPECT_NEAR(f.height / f.scale, down, 1.5 / f.scale) << c.w << 'x' << c.h;
        }
    }
}

}  // namespace
}  // namespace orvik
