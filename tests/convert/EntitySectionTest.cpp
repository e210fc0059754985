#include "convert/EntitySection.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <random>
#include <tuple>

#include "convert/Conversion.h"
#include "convert/LayerAssignment.h"
#include "convert/ProposedScales.h"
#include "dxf/DxfLines.h"
#include "jwc/JwcLoader.h"
#include "support/JwcBuilder.h"
#include "support/ScopedTimeZone.h"
#include "support/TempDir.h"

namespace orvik {
namespace {

using testing::Groups;

// Each record as "TYPE" or "TYPE/pen colour" (group 62 where written).
std::vector<std::string> Summary(const std::string& text) {
    std::vector<std::string> out;
    for (const auto& [code, value] : testing::SplitGroups(text)) {
        if (code == "  0")
            out.push_back(value);
        else if (code == " 62")
            out.back().append(1, '/').append(value, value.find_first_not_of(' '));
    }
    return out;
}

// Lines on layer 0 (colour 7 = pen 2) with pens 1..6 telling them apart.
struct ChainFixture {
    Drawing drawing;
    ConversionResult result;
    ConversionSettings settings;

    ChainFixture() {
        LayerTables& tables = result.layers;
        tables.penColorTable = {7, 1, 7, 3, 4, 5, 6};
        FillLinetypeNames(true, {}, tables);
        tables.layers[0] = DxfLayer{"L", true, 1, 7, 1};
        result.referenceScale = 1;
        settings.curvesAsPolylines = true;
    }
    void Line(float x1, float y1, float x2, float y2, std::uint8_t pen, std::uint8_t mark) {
        drawing.lines.push_back(DrawingLine{x1, y1, x2, y2, 1, pen, 0, mark});
    }
    std::vector<std::string> Write() {
        ScaleStatistics scales;
        for (const DrawingLine& s : drawing.lines) scales.AddLine(1, s.x1, s.y1, s.x2, s.y2);
        scales.Analyze(1);
        DxfWriter w;
        WriteEntities(w, EntityInputs{drawing, settings, result, scales, 1});
        return Summary(w.Text());
    }
};

TEST(EntitySection, JoinsCurveRunsIntoPolylines) {
    using V = std::vector<std::string>;
    struct Case {
        const char* what;
        bool polylines;
        std::vector<std::tuple<float, float, float, float, int, int>> lines;  // x1 y1 x2 y2 pen mark
        V records;
    };
    const Case cases[] = {
        {"off: three LINEs",
         false,
         {{0, 0, 1, 0, 1, 64}, {1, 0, 2, 0, 3, 128}, {2, 0, 3, 0, 4, 192}},
         V{"LINE/1", "LINE/3", "LINE/4"}},
        {"64-128-192 continuous",
         true,
         {{0, 0, 1, 0, 1, 64}, {1, 0, 2, 0, 3, 128}, {2, 0, 3, 0, 4, 192}},
         V{"POLYLINE/1", "VERTEX/1", "VERTEX/1", "VERTEX/3", "VERTEX/4", "SEQEND/4"}},
        {"a gap before the last",
         true,
         {{0, 0, 1, 0, 1, 64}, {1, 0, 2, 0, 3, 128}, {5, 0, 6, 0, 4, 192}},
         V{"POLYLINE/1", "VERTEX/1", "VERTEX/1", "VERTEX/3", "SEQEND/3", "LINE/4"}},
        {"64-128 then an ordinary line",
         true,
         {{0, 0, 1, 0, 1, 64}, {1, 0, 2, 0, 3, 128}, {2, 0, 3, 0, 4, 0}},
         V{"POLYLINE/1", "VERTEX/1", "VERTEX/1", "VERTEX/3", "SEQEND/3", "LINE/4"}},
        {"64-128 at the end of the list",
         true,
         {{0, 0, 1, 0, 1, 64}, {1, 0, 2, 0, 3, 128}},
         V{"POLYLINE/1", "VERTEX/1", "VERTEX/1", "VERTEX/3", "SEQEND/3"}},
        {"a middle segment opens a run",
         true,
         {{0, 0, 1, 0, 1, 128}, {1, 0, 2, 0, 3, 192}},
         V{"POLYLINE/1", "VERTEX/1", "VERTEX/1", "VERTEX/3", "SEQEND/3"}},
        {"a lone last segment is a LINE", true, {{0, 0, 1, 0, 1, 192}}, V{"LINE/1"}},
        {"a new first segment closes the run",
         true,
         {{0, 0, 1, 0, 1, 64}, {1, 0, 2, 0, 3, 64}},
         V{"POLYLINE/1", "VERTEX/1", "VERTEX/1", "SEQEND/1", "POLYLINE/3", "VERTEX/3", "VERTEX/3", "SEQEND/3"}},
        {"the low bits are ignored",
         true,
         {{0, 0, 1, 0, 1, 64 + 5}, {1, 0, 2, 0, 3, 192 + 63}},
         V{"POLYLINE/1", "VERTEX/1", "VERTEX/1", "VERTEX/3", "SEQEND/3"}},
        {"zero-length lines are skipped", false, {{1, 1, 1, 1, 1, 0}, {0, 0, 1, 0, 3, 0}}, V{"LINE/3"}},
        // The closing SEQEND takes the record stored just before, even a skipped one.
        {"closing after a skipped line",
         true,
         {{0, 0, 1, 0, 1, 64}, {7, 7, 7, 7, 5, 0}, {2, 0, 3, 0, 4, 0}},
         V{"POLYLINE/1", "VERTEX/1", "VERTEX/1", "SEQEND/5", "LINE/4"}},
    };
    for (const auto& c : cases) {
        ChainFixture f;
        f.settings.curvesAsPolylines = c.polylines;
        for (const auto& [x1, y1, x2, y2, pen, mark] : c.lines)
            f.Line(x1, y1, x2, y2, static_cast<std::uint8_t>(pen), static_cast<std::uint8_t>(mark));
        EXPECT_EQ(f.Write(), c.records) << c.what;
    }
}

TEST(EntitySection, WritesEveryKindInOrderAndSkipsEmptyRecords) {
    ChainFixture f;
    f.settings.curvesAsPolylines = false;
    f.Line(0, 0, 1, 0, 2, 0);
    f.drawing.arcs.push_back(DrawingArc{0, 0, 1, 1, 0, 0, 0, 1, 2, 0});
    f.drawing.arcs.push_back(DrawingArc{0, 0, 0, 1, 0, 0, 0, 1, 2, 0});  // radius 0
    f.drawing.texts.push_back(DrawingText{0, 0, 1, 0, 0, 0, false, "T"});
    f.drawing.texts.push_back(DrawingText{0, 0, 1, 0, 0, 0, false, ""});  // no string
    f.drawing.textTypes[0] = TextType{0, 25, 25};
    f.drawing.points.push_back(DrawingPoint{0, 0, 0, 2});
    f.drawing.virtualPoints.push_back(VirtualPoint{5, 5, 0});
    const std::vector<std::string> modes[] = {
        {"LINE", "CIRCLE", "TEXT", "POINT", "POLYLINE", "VERTEX", "VERTEX", "SEQEND"},
        {"LINE", "CIRCLE", "TEXT", "POINT", "CIRCLE"},
        {"LINE", "CIRCLE", "TEXT", "POINT", "POINT"},
        {"LINE", "CIRCLE", "TEXT", "POINT"},
    };
    for (std::uint8_t mode = 1; mode <= 4; ++mode) {
        f.settings.pointMode = static_cast<PointMode>(mode);
        EXPECT_EQ(f.Write(), modes[mode - 1]) << int{mode};
    }
}

TEST(EntitySection, TheWorkedLineExample) {
    const testing::ScopedTimeZone utc;
    testing::TempDir dir;
    JwcBuilder b;
    b.Paper(3, 420).Group(0, 100).Layer(0, "A").Line(LineRecord{0, 0, 100, 0, 1, 1, 0});
    const std::string source = dir.Write("a.jwc", b.Bytes());
    JwcFile drawing;
    ASSERT_TRUE(LoadJwcFile(source, drawing));
    Conversion(drawing, ConversionSettings{}, ConversionRequest{source, "100"}).SaveAs(dir.File("a.dxf"));
    const auto lines = testing::Records(testing::ReadFileBytes(dir.File("a.dxf")), "LINE");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], (Groups{{"  0", "LINE"},
                                {"  5", "51"},
                                {"330", "1F"},
                                {"100", "AcDbEntity"},
                                {"  8", "A"},
                                {"100", "AcDbLine"},
                                {" 10", "0"},
                                {" 20", "0"},
                                {" 30", "0.0"},
                                {" 11", "10000"},
                                {" 21", "0"},
                                {" 31", "0.0"}}));
}

// A drawing of several chunks of every kind: curve runs of every length
// (some crossing where a chunk would end), lines of length 0 among them,
// circles, arcs, ellipses and arcs of radius 0, texts (empty, vertical, with
// special characters), points and virtual points, on layers and pens of all kinds.
std::string ManyChunksDrawing() {
    std::mt19937 random(15);
    auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    JwcBuilder b;
    b.Paper(3, 420).Group(0, 100).Group(1, 50).VirtualPoint(1, 2, 0).VirtualPoint(3, 4, 5);
    for (int layer = 0; layer < 32; layer += 3) b.Layer(layer, std::string(1, 'L') + std::to_string(layer));
    float x = 0, y = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::uint8_t mark = static_cast<std::uint8_t>(64 * pick(4));
        const bool zeroLength = pick(20) == 0;
        const float nx = zeroLength ? x : x + static_cast<float>(pick(100)) / 7;
        const float ny = zeroLength ? y : y + static_cast<float>(pick(50)) / 3;
        b.Line(LineRecord{x, y, nx, ny, static_cast<std::uint8_t>(1 + pick(9)), static_cast<std::uint8_t>(pick(8)),
                          static_cast<std::uint8_t>(pick(32)), 0, mark});
        if (pick(3)) std::tie(x, y) = std::make_pair(nx, ny);
    }
    const char* words[] = {"", "A", "\x87\x40\x95\x94", "\xB1\xCA", " ^u "};
    for (int i = 0; i < 9000; ++i) {
        const float cx = static_cast<float>(pick(1000)), cy = static_cast<float>(pick(1000));
        b.Arc(ArcRecord{cx, cy, static_cast<float>(pick(4)), static_cast<std::uint16_t>(5000 * pick(4)),
                        pick(2) * 30 << 16, pick(3) * 100 << 16, pick(45) << 16, static_cast<std::uint8_t>(1 + pick(9)),
                        static_cast<std::uint8_t>(pick(7)), static_cast<std::uint8_t>(pick(32))});
        b.Text(TextRecord{cx, cy, cx + 2, cy + static_cast<float>(pick(2)), words[pick(5)], std::nullopt,
                          static_cast<std::uint8_t>(pick(11)), static_cast<std::uint8_t>(pick(32)),
                          static_cast<std::uint8_t>(pick(2) ? kVerticalTextFlag : 0)});
        b.Point(DrawingPoint{cx, cy, static_cast<std::uint8_t>(pick(32)), static_cast<std::uint8_t>(pick(9))});
    }
    return b.Bytes();
}

TEST(EntitySection, WorkersWriteTheSameBytesAsOneThread) {
    const testing::ScopedTimeZone utc;
    testing::TempDir dir;
    const std::string source = dir.Write("many.jwc", ManyChunksDrawing());
    JwcFile drawing;
    ASSERT_TRUE(LoadJwcFile(source, drawing));
    ConversionSettings curves;
    curves.curvesAsPolylines = true;
    ConversionSettings unicode = curves;
    unicode.outputFormat = OutputFormat::Utf8;
    unicode.pointMode = PointMode::Circle;
    ConversionSettings points;
    points.pointMode = PointMode::Point;
    points.roundCoordinates = false;
    ConversionSettings light = curves;  // curve runs as LWPOLYLINEs, vertical texts a character at a time
    light.outputFormat = OutputFormat::R2007;
    ConversionSettings r12 = curves;  // no handles, ellipses as polylines
    r12.outputFormat = OutputFormat::R12;
    for (const ConversionSettings& settings : {ConversionSettings{}, curves, unicode, points, light, r12}) {
        const Conversion conversion(drawing, settings, ConversionRequest{source, "100"});
        StringSink one;
        conversion.WriteTo(one, 1);
        for (const int workers : {2, 3}) {
            StringSink many;
            conversion.WriteTo(many, workers);
            // The first difference, not a diff of megabytes.
            const std::string& a = many.Text();
            const std::string& b = one.Text();
            const auto at =
                static_cast<std::size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
            ASSERT_EQ(a.size(), b.size()) << workers << " workers; first difference at " << at << ": "
                                          << a.substr(at > 200 ? at - 200 : 0, 400) << "\n---\n"
                                          << b.substr(at > 200 ? at - 200 : 0, 400);
            ASSERT_EQ(at, a.size()) << workers << " workers: " << a.substr(at > 200 ? at - 200 : 0, 400) << "\n---\n"
                                    << b.substr(at > 200 ? at - 200 : 0, 400);
        }
    }
}

}  // namespace
}  // namespace orvik
