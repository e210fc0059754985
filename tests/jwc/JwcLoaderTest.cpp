// Reading well-formed drawings: every section lands in the right place.
#include "app/ReadReport.h"
#include "jwc/JwcLoader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "jwc/JwcBuilder.h"
#include "support/TempDir.h"

namespace orvik {
namespace {

using namespace std::string_literals;
using testing::TempDir;

class JwcLoaderTest : public ::testing::Test {
protected:
    // Loads the builder's bytes; the load must succeed.
    JwcDrawing Load(const JwcBuilder& builder) { return LoadBytes(builder.Bytes()); }

    JwcDrawing LoadBytes(const std::string& bytes) {
        JwcDrawing drawing;
        LoadError error;
        EXPECT_TRUE(LoadJwcFile(dir_.Write("d.jwc", bytes), drawing, &error)) << DescribeLoadError(error);
        EXPECT_EQ(error.failure, LoadFailure::None);
        return drawing;
    }

    TempDir dir_;
};

TEST_F(JwcLoaderTest, IsJwcFileTestsOnlyTheTwentyByteSignature) {
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
    for (const auto& c : cases) EXPECT_EQ(IsJwcFile(dir_.Write("f.jwc", c.bytes)), c.jwc) << c.name;
    EXPECT_FALSE(IsJwcFile(dir_.File("missing.jwc")));
    std::filesystem::create_directory(dir_.File("folder.jwc"));
    EXPECT_FALSE(IsJwcFile(dir_.File("folder.jwc")));
}

TEST_F(JwcLoaderTest, EmptyDrawingKeepsTheDefaults) {
    const JwcDrawing d = Load(JwcBuilder{});
    EXPECT_EQ(d.Header.LineCount, 0);
    EXPECT_EQ(d.Header.PaperSize, 3);
    EXPECT_EQ(d.Header.PaperDivisor, 518);
    EXPECT_EQ(d.Header.PoolStart, 0x60000);
    EXPECT_EQ(d.Header.PoolEnd, 0x60000);
    EXPECT_TRUE(d.Header.FloatScales);
    EXPECT_EQ(d.Header.Ident, "jw_cad(c)data.......  f");
    EXPECT_TRUE(d.Sen.empty() && d.Enko.empty() && d.Moji.empty() && d.Ten.empty());
    for (const auto& block : d.HeaderLines) EXPECT_EQ(block.size(), 200u);
}

TEST_F(JwcLoaderTest, ReadsEveryRecordField) {
    JwcBuilder b;
    b.HeaderTexts("first text", "second text")
        .Paper(2, 600)
        .Group(3, 50, "group three", false)
        .Layer(0x35, "name", false)
        .TextType(0, 7, 25, 30, 4)
        .TextType(10, 1, 70, 80, 9)
        .Line(TSen{1.5f, -2.25f, 3e5f, -4e-3f, 5, 6, 0x35, 19, 0xC3, 21})
        .Arc(ArcRecord{10, 20, 30, 5000, AngleUnits(45), AngleUnits(-90), AngleUnits(12.5), 9, 2, 0x30, 29, 30, 31})
        .Text(TextRecord{1, 2, 3, 4, "ABC", std::nullopt, 10, 0x31, 32, 23})
        .Point(TTen{7.5f, -8.5f, 0x34, 6, 10, 11})
        .VirtualPoint(100, 200, 0xFF)
        .VirtualPoint(-1, -2, 3);
    const JwcDrawing d = Load(b);

    EXPECT_EQ(d.Header.HeaderText1, "first text");
    EXPECT_EQ(d.Header.HeaderText2, "second text");
    EXPECT_EQ(d.Header.PaperSize, 2);
    EXPECT_EQ(d.Header.PaperDivisor, 600);

    ASSERT_EQ(d.Header.LineCount, 1);
    const TSen& s = d.Sen[0];
    EXPECT_EQ(std::tie(s.X1, s.Y1, s.X2, s.Y2), std::make_tuple(1.5f, -2.25f, 3e5f, -4e-3f));
    EXPECT_EQ((std::array<int, 6>{s.LineType, s.Pen, s.Layer, s.Byte19, s.CurveMark, s.Byte21}),
              (std::array<int, 6>{5, 6, 0x35, 19, 0xC3, 21}));

    ASSERT_EQ(d.Header.ArcCount, 1);
    const TEnko& e = d.Enko[0];
    EXPECT_EQ(std::tie(e.CX, e.CY, e.Radius, e.Flatness), std::make_tuple(10.0f, 20.0f, 30.0f, 0.5f));
    EXPECT_EQ(std::tie(e.StartAngle, e.EndAngle, e.Tilt), std::make_tuple(45.0f, -90.0f, 12.5f));
    EXPECT_EQ((std::array<int, 6>{e.LineType, e.Pen, e.Layer, e.Byte29, e.Byte30, e.Byte31}),
              (std::array<int, 6>{9, 2, 0x30, 29, 30, 31}));

    ASSERT_EQ(d.Header.TextCount, 1);
    const TMoji2& m = d.Moji[0];
    EXPECT_EQ(std::tie(m.X1, m.Y1, m.X2, m.Y2), std::make_tuple(1.0f, 2.0f, 3.0f, 4.0f));
    EXPECT_EQ(m.Text, "ABC");
    EXPECT_EQ(m.Address, 0x60000);
    EXPECT_EQ((std::array<int, 4>{m.TextType, m.Layer, m.Flags, m.Byte23}), (std::array<int, 4>{10, 0x31, 32, 23}));

    ASSERT_EQ(d.Header.PointCount, 1);
    const TTen& p = d.Ten[0];
    EXPECT_EQ(std::tie(p.X, p.Y, p.Layer, p.Pen, p.Byte10, p.Byte11),
              std::make_tuple(7.5f, -8.5f, std::uint8_t{0x34}, std::uint8_t{6}, std::uint8_t{10}, std::uint8_t{11}));

    ASSERT_EQ(d.Header.VirtualPointCount, 2);
    EXPECT_EQ(std::tie(d.KasouTen[0].X, d.KasouTen[0].Y, d.KasouTen[0].Layer),
              std::make_tuple(100.0f, 200.0f, std::uint8_t{0xFF}));
    EXPECT_EQ(std::tie(d.KasouTen[1].X, d.KasouTen[1].Y, d.KasouTen[1].Layer),
              std::make_tuple(-1.0f, -2.0f, std::uint8_t{3}));

    EXPECT_EQ(std::tie(d.MojiShu[0].Attr, d.MojiShu[0].Width, d.MojiShu[0].Height, d.MojiShu[0].Value3),
              std::make_tuple(7, 25, 30, 4));
    EXPECT_EQ(std::tie(d.MojiShu[10].Attr, d.MojiShu[10].Width, d.MojiShu[10].Height, d.MojiShu[10].Value3),
              std::make_tuple(1, 70, 80, 9));
    EXPECT_EQ(d.MojiShu[11].Height, 0);

    EXPECT_EQ(d.LayerGroups[3].Scale, 50.0f);
    EXPECT_EQ(d.LayerGroups[3].Name, "group three");
    EXPECT_EQ(d.LayerGroups[3].Visible, 0);
    EXPECT_EQ(d.LayerGroups[2].Visible, 1);
    EXPECT_EQ(d.Layers[0x35].Name, "name");
    EXPECT_EQ(d.Layers[0x35].Visible, 0);
    EXPECT_EQ(d.Layers[0x34].Visible, 1);
}

TEST_F(JwcLoaderTest, BothScaleLayoutsShiftTheLaterSections) {
    for (bool floatScales : {true, false}) {
        JwcBuilder b;
        b.FloatScales(floatScales).Group(0, 100).Group(15, 50).Layer(255, "last").Line(TSen{1, 2, 3, 4, 1, 1, 0x0F});
        const JwcDrawing d = Load(b);
        SCOPED_TRACE(floatScales);
        EXPECT_EQ(d.Header.FloatScales, floatScales);
        EXPECT_EQ(d.LayerGroups[0].Scale, 100.0f);
        EXPECT_EQ(d.LayerGroups[15].Scale, 50.0f);
        ASSERT_EQ(d.Sen.size(), 1u);
        EXPECT_EQ(d.Sen[0].X2, 3.0f);
        EXPECT_EQ(d.Sen[0].Layer, 0x0F);
        EXPECT_EQ(d.Layers[255].Name, "last");
    }
    // A fractional scale survives only in the 32-bit layout.
    EXPECT_EQ(Load(JwcBuilder{}.Group(1, 2.5f)).LayerGroups[1].Scale, 2.5f);
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
        const JwcDrawing d = Load(JwcBuilder{}.Arc(ArcRecord{0, 0, 1, c.flatnessWord, c.angleUnits, c.angleUnits, c.angleUnits}));
        ASSERT_EQ(d.Enko.size(), 1u);
        EXPECT_EQ(d.Enko[0].Flatness, c.flatness) << c.flatnessWord;
        EXPECT_EQ(d.Enko[0].StartAngle, c.angle) << c.angleUnits;
        EXPECT_EQ(d.Enko[0].EndAngle, c.angle);
        EXPECT_EQ(d.Enko[0].Tilt, c.angle);
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
        {start, "zero"},
        {start + 5, "one"},
        {start + 6, "ne"},       // any position, even inside another string
        {start + 4, ""},         // on a NUL
        {start + 13, "tail"},    // the pool's last bytes, no closing NUL
        {start + 16, "l"},
        {start + 17, ""},        // one past the pool
        {start - 1, ""},         // before the pool
        {0x7FFF0, ""},           // far outside
    };
    for (const auto& c : cases) b.Text(TextRecord{0, 0, 1, 0, "", c.address});
    const JwcDrawing d = Load(b);
    ASSERT_EQ(d.Moji.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(d.Moji[i].Address, cases[i].address);
        EXPECT_EQ(d.Moji[i].Text, cases[i].text) << "address " << cases[i].address;
    }
}

TEST_F(JwcLoaderTest, AnEmptyPoolGivesEmptyStrings) {
    JwcBuilder b;
    b.Text(TextRecord{0, 0, 1, 0, "", 0x60000}).Text(TextRecord{0, 0, 1, 0, "", 0x60004});
    for (const char* end : {"6000:0000", "5000:0000"}) {
        b.SetField(4, 2, end);
        const JwcDrawing d = Load(b);
        ASSERT_EQ(d.Moji.size(), 2u);
        EXPECT_EQ(d.Moji[0].Text, "");
        EXPECT_EQ(d.Moji[1].Text, "");
    }
}

TEST_F(JwcLoaderTest, OutOfRangeTextTypesAreKept) {
    const JwcDrawing d = Load(JwcBuilder{}.Text(TextRecord{0, 0, 1, 0, "x", std::nullopt, 200}));
    ASSERT_EQ(d.Moji.size(), 1u);
    EXPECT_EQ(d.Moji[0].TextType, 200);
    EXPECT_EQ(d.Moji[0].Text, "x");
}

TEST_F(JwcLoaderTest, NamesThatFillTheirFieldsAreReadWhole) {
    JwcBuilder b;
    b.Layer(0, "ABCDEFGH").Layer(1, "next").Layer(255, "12345678");
    b.Group(0, 1, "0123456789ABCDEF").Group(1, 1, "G1").Group(15, 1, "FEDCBA9876543210");
    b.HeaderTexts(std::string(32, 'A'), std::string(32, 'B'));
    const JwcDrawing d = Load(b.Trailer("trailing bytes are ignored"));
    EXPECT_EQ(d.Layers[0].Name, "ABCDEFGH");
    EXPECT_EQ(d.Layers[1].Name, "next");
    EXPECT_EQ(d.Layers[255].Name, "12345678");
    EXPECT_EQ(d.LayerGroups[0].Name, "0123456789ABCDEF");
    EXPECT_EQ(d.LayerGroups[1].Name, "G1");
    EXPECT_EQ(d.LayerGroups[15].Name, "FEDCBA9876543210");
    EXPECT_EQ(d.Header.HeaderText1, std::string(32, 'A'));
    EXPECT_EQ(d.Header.HeaderText2, std::string(32, 'B'));
}

TEST_F(JwcLoaderTest, ShortHeaderBlocksReadMissingFieldsAsZero) {
    JwcBuilder b;
    for (int i = 0; i < 3; ++i) b.Line(TSen{float(i), 0, 1, 1, 1, 1, 0});
    b.SetBlock(2, "3,0,0,0,0");
    const JwcDrawing d = Load(b);
    EXPECT_EQ(d.Sen.size(), 3u);
    EXPECT_EQ(d.Sen[2].X1, 2.0f);
    EXPECT_TRUE(d.Enko.empty() && d.Moji.empty() && d.Ten.empty());
    EXPECT_EQ(d.Header.PaperDivisor, 518);
    EXPECT_EQ(d.Header.PaperSize, 0);
    EXPECT_EQ(d.Header.Hdr2_06, 0);
    EXPECT_EQ(d.Header.Hdr2_10, 0.0f);
}

TEST_F(JwcLoaderTest, ZeroPaperDivisorMeans518) {
    EXPECT_EQ(Load(JwcBuilder{}.Paper(4, 0)).Header.PaperDivisor, 518);
    EXPECT_EQ(Load(JwcBuilder{}.Paper(4, 1000)).Header.PaperDivisor, 1000);
}

TEST_F(JwcLoaderTest, HeaderFieldsOfEveryBlockLandInTheirSlots) {
    JwcBuilder b;
    b.SetField(2, 10, "2.5").SetField(2, 32, "-7").SetField(3, 1, "1e2").SetField(3, 19, "19").SetField(3, 28, "-0.5");
    b.SetField(4, 3, "3.25").SetField(4, 20, "20").SetField(4, 22, "22");
    const THeader h = Load(b).Header;
    EXPECT_EQ(h.Hdr2_10, 2.5f);
    EXPECT_EQ(h.Hdr2_32, -7);
    EXPECT_EQ(h.Hdr3_01, 100.0f);
    EXPECT_EQ(h.Hdr3_19, 19);
    EXPECT_EQ(h.Hdr3_28, -0.5f);
    EXPECT_EQ(h.Hdr4_03, 3.25f);
    EXPECT_EQ(h.Hdr4_20, 20.0f);
    EXPECT_EQ(h.Hdr4_22, 22);
}

TEST_F(JwcLoaderTest, ALoadReplacesEverythingOfTheLastOne) {
    JwcDrawing d;
    ASSERT_TRUE(LoadJwcFile(dir_.Write("a.jwc", JwcBuilder{}.Layer(5, "old").Line(TSen{}).Bytes()), d));
    EXPECT_FALSE(LoadJwcFile(dir_.File("missing.jwc"), d));
    EXPECT_TRUE(d.Sen.empty());
    EXPECT_EQ(d.Header.LineCount, 0);
    EXPECT_EQ(d.Layers[5].Name, "");
    EXPECT_EQ(d.HeaderLines[0], "");
}

}  // namespace
}  // namespace orvik
