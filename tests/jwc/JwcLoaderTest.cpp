// Reading well-formed drawings: every section lands in the right place.
#include "app/ReadReport.h"
#include "jwc/JwcLoader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/JwcBuilder.h"
#include "support/TempDir.h"

namespace orvik {
namespace {

using namespace std::string_literals;
using testing::TempDir;

class JwcLoaderTest : public ::testing::Test {
protected:
    // Loads the builder's bytes; the load must succeed.
    JwcFile Load(const JwcBuilder& builder) { return LoadBytes(builder.Bytes()); }

    JwcFile LoadBytes(const std::string& bytes) {
        JwcFile drawing;
        Failure error;
        EXPECT_TRUE(LoadJwcFile(dir_.Write("d.jwc", bytes), drawing, &error)) << DescribeReadError(error);
        EXPECT_EQ(error.reason, Reason::None);
        return drawing;
    }

    TempDir dir_;
};

TEST_F(JwcLoaderTest, IsJwcStartTestsOnlyTheTwentyByteSignature) {
    struct Case {
        const char* name;
        std::string bytes;
        bool jwc;
    };
    const Case cases[] = {
        {"exact signature", "jw_cad(c)data.......", true},
        {"signature and more", "jw_cad(c)data.......anything at all", true},
        {"19 bytes", "jw_cad(c)data......", false},
        {"20th byte not a dot", "jw_cad(c)data......x", false},
        {"NUL among the first 20", "jw_cad(c)da\0a......."s, false},
        {"upper case", "JW_CAD(C)DATA.......", false},
        {"empty", "", false},
    };
    for (const auto& c : cases) {
        FileReader file(dir_.Write("f.jwc", c.bytes));
        EXPECT_EQ(IsJwcStart(file.Start(kJwcSignatureSize)), c.jwc) << c.name;
        EXPECT_EQ(file.Read(c.bytes.size() + 1), c.bytes) << c.name;  // the start looked at is read again
    }
    // A path that is no regular file has no bytes to look at.
    std::filesystem::create_directory(dir_.File("folder.jwc"));
    for (const char* path : {"missing.jwc", "folder.jwc"})
        EXPECT_EQ(FileReader(dir_.File(path)).Start(kJwcSignatureSize), "") << path;
}

TEST_F(JwcLoaderTest, EmptyDrawingKeepsTheDefaults) {
    const JwcFile d = Load(JwcBuilder{});
    EXPECT_EQ(d.header.lineCount, 0);
    EXPECT_EQ(d.header.paperSize, 3);
    EXPECT_EQ(d.header.paperDivisor, 518);
    EXPECT_EQ(d.header.poolStart, 0x60000);
    EXPECT_EQ(d.header.poolEnd, 0x60000);
    EXPECT_TRUE(d.header.floatScales);
    EXPECT_EQ(d.header.ident, "jw_cad(c)data.......  f");
    EXPECT_TRUE(d.lines.empty() && d.arcs.empty() && d.texts.empty() && d.points.empty());
    for (const auto& block : d.headerBlocks) EXPECT_EQ(block.size(), 200u);
}

TEST_F(JwcLoaderTest, ReadsEveryRecordField) {
    JwcBuilder b;
    b.HeaderTexts("first text", "second text")
        .Paper(2, 600)
        .Group(3, 50, "group three", false)
        .Layer(0x35, "name", false)
        .TextType(0, 7, 25, 30, 4)
        .TextType(10, 1, 70, 80, 9)
        .Line(LineRecord{1.5f, -2.25f, 3e5f, -4e-3f, 5, 6, 0x35, 19, 0xC3, 21})
        .Arc(ArcRecord{10, 20, 30, 5000, AngleUnits(45), AngleUnits(-90), AngleUnits(12.5), 9, 2, 0x30, 29, 30, 31})
        .Text(TextRecord{1, 2, 3, 4, "ABC", std::nullopt, 10, 0x31, 32, 23})
        .Point(DrawingPoint{7.5f, -8.5f, 0x34, 6})
        .VirtualPoint(100, 200, 0xFF)
        .VirtualPoint(-1, -2, 3);
    const JwcFile d = Load(b);

    EXPECT_EQ(d.header.headerText1, "first text");
    EXPECT_EQ(d.header.headerText2, "second text");
    EXPECT_EQ(d.header.paperSize, 2);
    EXPECT_EQ(d.header.paperDivisor, 600);

    ASSERT_EQ(d.header.lineCount, 1);
    const DrawingLine& s = d.lines[0];
    EXPECT_EQ(std::tie(s.x1, s.y1, s.x2, s.y2), std::make_tuple(1.5f, -2.25f, 3e5f, -4e-3f));
    EXPECT_EQ((std::array<int, 4>{s.lineType, s.pen, s.layer, s.curveMark}), (std::array<int, 4>{5, 6, 0x35, 0xC3}));

    ASSERT_EQ(d.header.arcCount, 1);
    const DrawingArc& e = d.arcs[0];
    EXPECT_EQ(std::tie(e.cx, e.cy, e.radius, e.flatness), std::make_tuple(10.0f, 20.0f, 30.0f, 0.5f));
    EXPECT_EQ(std::tie(e.startAngle, e.endAngle, e.tilt), std::make_tuple(45.0f, -90.0f, 12.5f));
    EXPECT_EQ((std::array<int, 3>{e.lineType, e.pen, e.layer}), (std::array<int, 3>{9, 2, 0x30}));

    ASSERT_EQ(d.header.textCount, 1);
    const DrawingText& m = d.texts[0];
    EXPECT_EQ(std::tie(m.x1, m.y1, m.x2, m.y2), std::make_tuple(1.0f, 2.0f, 3.0f, 4.0f));
    EXPECT_EQ(m.text, "ABC");
    EXPECT_EQ((std::array<int, 3>{m.textType, m.layer, m.vertical}), (std::array<int, 3>{10, 0x31, 1}));

    ASSERT_EQ(d.header.pointCount, 1);
    const DrawingPoint& p = d.points[0];
    EXPECT_EQ(std::tie(p.x, p.y, p.layer, p.pen), std::make_tuple(7.5f, -8.5f, std::uint8_t{0x34}, std::uint8_t{6}));

    ASSERT_EQ(d.header.virtualPointCount, 2);
    ASSERT_EQ(d.virtualPoints.size(), 2u);
    EXPECT_EQ(std::tie(d.virtualPoints[0].x, d.virtualPoints[0].y, d.virtualPoints[0].layer),
              std::make_tuple(100.0f, 200.0f, std::uint8_t{0xFF}));
    EXPECT_EQ(std::tie(d.virtualPoints[1].x, d.virtualPoints[1].y, d.virtualPoints[1].layer),
              std::make_tuple(-1.0f, -2.0f, std::uint8_t{3}));

    EXPECT_EQ(std::tie(d.textTypes[0].attribute, d.textTypes[0].width, d.textTypes[0].height),
              std::make_tuple(7, 25, 30));
    EXPECT_EQ(std::tie(d.textTypes[10].attribute, d.textTypes[10].width, d.textTypes[10].height),
              std::make_tuple(1, 70, 80));
    EXPECT_EQ(d.textTypes[11].height, 0);

    EXPECT_EQ(d.layerGroups[3].scale, 50.0f);
    EXPECT_EQ(d.layerGroups[3].name, "group three");
    EXPECT_EQ(d.layerGroups[3].visible, 0);
    EXPECT_EQ(d.layerGroups[2].visible, 1);
    EXPECT_EQ(d.layers[0x35].name, "name");
    EXPECT_EQ(d.layers[0x35].visible, 0);
    EXPECT_EQ(d.layers[0x34].visible, 1);
}

TEST_F(JwcLoaderTest, BothScaleLayoutsShiftTheLaterSections) {
    for (bool floatScales : {true, false}) {
        JwcBuilder b;
        b.FloatScales(floatScales)
            .Group(0, 100)
            .Group(15, 50)
            .Layer(255, "last")
            .Line(LineRecord{1, 2, 3, 4, 1, 1, 0x0F});
        const JwcFile d = Load(b);
        SCOPED_TRACE(floatScales);
        EXPECT_EQ(d.header.floatScales, floatScales);
        EXPECT_EQ(d.layerGroups[0].scale, 100.0f);
        EXPECT_EQ(d.layerGroups[15].scale, 50.0f);
        ASSERT_EQ(d.lines.size(), 1u);
        EXPECT_EQ(d.lines[0].x2, 3.0f);
        EXPECT_EQ(d.lines[0].layer, 0x0F);
        EXPECT_EQ(d.layers[255].name, "last");
    }
    // A fractional scale survives only in the 32-bit layout.
    EXPECT_EQ(Load(JwcBuilder{}.Group(1, 2.5f)).layerGroups[1].scale, 2.5f);
}

TEST_F(JwcLoaderTest, ArcValuesAreConvertedInSinglePrecision) {
    struct Case {
        std::uint16_t flatnessWord;
        float flatness;
        std::int32_t angleUnits;
        float angle;
    };
    const Case cases[] = {
        {10000, 1.0f, 0, 0.0f},
        {5000, 0.5f, 65536 * 90, 90.0f},
        {1, 0.0001f, -65536 * 45, -45.0f},
        {65535, 6.5535f, 1, 1.52587890625E-5f},
        {3333, 0.3333f, 16777217, 256.0f},  // the long is rounded to 24 bits first
        {0, 0.0f, -2147483647 - 1, -32768.0f},
    };
    for (const auto& c : cases) {
        const JwcFile d =
            Load(JwcBuilder{}.Arc(ArcRecord{0, 0, 1, c.flatnessWord, c.angleUnits, c.angleUnits, c.angleUnits}));
        ASSERT_EQ(d.arcs.size(), 1u);
        EXPECT_EQ(d.arcs[0].flatness, c.flatness) << c.flatnessWord;
        EXPECT_EQ(d.arcs[0].startAngle, c.angle) << c.angleUnits;
        EXPECT_EQ(d.arcs[0].endAngle, c.angle);
        EXPECT_EQ(d.arcs[0].tilt, c.angle);
    }
}

TEST_F(JwcLoaderTest, TextsTakeTheirStringsFromThePoolByAddress) {
    JwcBuilder b;
    b.PoolAt("5000:0000").PoolBytes("zero\0one\0two\0tail"s);
    const std::int32_t start = 0x50000;
    struct Case {
        std::int32_t address;
        std::string text;
    };
    const Case cases[] = {
        {start, "zero"},      {start + 5, "one"}, {start + 6, "ne"},  // any position, even inside another string
        {start + 4, ""},  // on a NUL
        {start + 13, "tail"},  // the pool's last bytes, no closing NUL
        {start + 16, "l"},    {start + 17, ""},  // one past the pool
        {start - 1, ""},  // before the pool
        {0x7FFF0, ""},  // far outside
    };
    for (const auto& c : cases) b.Text(TextRecord{0, 0, 1, 0, "", c.address});
    const JwcFile d = Load(b);
    ASSERT_EQ(d.texts.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(d.texts[i].text, cases[i].text) << "address " << cases[i].address;
    }
}

TEST_F(JwcLoaderTest, AnEmptyPoolGivesEmptyStrings) {
    JwcBuilder b;
    b.Text(TextRecord{0, 0, 1, 0, "", 0x60000}).Text(TextRecord{0, 0, 1, 0, "", 0x60004});
    for (const char* end : {"6000:0000", "5000:0000"}) {
        b.SetField(4, 2, end);
        const JwcFile d = Load(b);
        ASSERT_EQ(d.texts.size(), 2u);
        EXPECT_EQ(d.texts[0].text, "");
        EXPECT_EQ(d.texts[1].text, "");
    }
}

TEST_F(JwcLoaderTest, OutOfRangeTextTypesAreKept) {
    const JwcFile d = Load(JwcBuilder{}.Text(TextRecord{0, 0, 1, 0, "x", std::nullopt, 200}));
    ASSERT_EQ(d.texts.size(), 1u);
    EXPECT_EQ(d.texts[0].textType, 200);
    EXPECT_EQ(d.texts[0].text, "x");
}

TEST_F(JwcLoaderTest, NamesThatFillTheirFieldsAreReadWhole) {
    JwcBuilder b;
    b.Layer(0, "ABCDEFGH").Layer(1, "next").Layer(255, "12345678");
    b.Group(0, 1, "0123456789ABCDEF").Group(1, 1, "G1").Group(15, 1, "FEDCBA9876543210");
    b.HeaderTexts(std::string(32, 'A'), std::string(32, 'B'));
    const JwcFile d = Load(b.Trailer("trailing bytes are ignored"));
    EXPECT_EQ(d.layers[0].name, "ABCDEFGH");
    EXPECT_EQ(d.layers[1].name, "next");
    EXPECT_EQ(d.layers[255].name, "12345678");
    EXPECT_EQ(d.layerGroups[0].name, "0123456789ABCDEF");
    EXPECT_EQ(d.layerGroups[1].name, "G1");
    EXPECT_EQ(d.layerGroups[15].name, "FEDCBA9876543210");
    EXPECT_EQ(d.header.headerText1, std::string(32, 'A'));
    EXPECT_EQ(d.header.headerText2, std::string(32, 'B'));
}

TEST_F(JwcLoaderTest, ShortHeaderBlocksReadMissingFieldsAsZero) {
    JwcBuilder b;
    for (int i = 0; i < 3; ++i) b.Line(LineRecord{float(i), 0, 1, 1, 1, 1, 0});
    b.SetBlock(2, "3,0,0,0,0");
    const JwcFile d = Load(b);
    EXPECT_EQ(d.lines.size(), 3u);
    EXPECT_EQ(d.lines[2].x1, 2.0f);
    EXPECT_TRUE(d.arcs.empty() && d.texts.empty() && d.points.empty());
    EXPECT_EQ(d.header.paperDivisor, 518);
    EXPECT_EQ(d.header.paperSize, 0);
    EXPECT_EQ(d.header.hdr2_06, 0);
    EXPECT_EQ(d.header.hdr2_10, 0.0f);
}

TEST_F(JwcLoaderTest, ZeroPaperDivisorMeans518) {
    EXPECT_EQ(Load(JwcBuilder{}.Paper(4, 0)).header.paperDivisor, 518);
    EXPECT_EQ(Load(JwcBuilder{}.Paper(4, 1000)).header.paperDivisor, 1000);
}

TEST_F(JwcLoaderTest, HeaderFieldsOfEveryBlockLandInTheirSlots) {
    JwcBuilder b;
    b.SetField(2, 10, "2.5").SetField(2, 32, "-7").SetField(3, 1, "1e2").SetField(3, 19, "19").SetField(3, 28, "-0.5");
    b.SetField(4, 3, "3.25").SetField(4, 20, "20").SetField(4, 22, "22");
    const JwcHeader h = Load(b).header;
    EXPECT_EQ(h.hdr2_10, 2.5f);
    EXPECT_EQ(h.hdr2_32, -7);
    EXPECT_EQ(h.hdr3_01, 100.0f);
    EXPECT_EQ(h.hdr3_19, 19);
    EXPECT_EQ(h.hdr3_28, -0.5f);
    EXPECT_EQ(h.hdr4_03, 3.25f);
    EXPECT_EQ(h.hdr4_20, 20.0f);
    EXPECT_EQ(h.hdr4_22, 22);
}

TEST_F(JwcLoaderTest, ALoadReplacesEverythingOfTheLastOne) {
    JwcFile d;
    ASSERT_TRUE(LoadJwcFile(dir_.Write("a.jwc", JwcBuilder{}.Layer(5, "old").Line(LineRecord{}).Bytes()), d));
    EXPECT_FALSE(LoadJwcFile(dir_.File("missing.jwc"), d));
    EXPECT_TRUE(d.lines.empty());
    EXPECT_EQ(d.header.lineCount, 0);
    EXPECT_EQ(d.layers[5].name, "");
    EXPECT_EQ(d.headerBlocks[0], "");
}

}  // namespace
}  // namespace orvik
