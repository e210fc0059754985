#include "convert/Conversion.h"

#include <gtest/gtest.h>
#include <sys/time.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "dxf/DxfLines.h"
#include "jwc/JwcLoader.h"
#include "jwc/JwcBuilder.h"
#include "support/ScopedTimeZone.h"
#include "support/TempDir.h"
#include "text/Cp932.h"
#include "app/LayerReport.h"
#include "convert/ProposedScales.h"

namespace orvik {
namespace {

using testing::HeaderVariable;
using testing::TempDir;

// Local time is UTC for these tests, so file dates do not depend on the machine.
class ConvertDrawingTest : public ::testing::Test {
protected:
    // A copy of `jwc` whose modification time is 2005-03-01 12:00:01 UTC.
    std::string DatedCopy(const std::string& bytes) {
        const std::string path = dir_.Write("in.jwc", bytes);
        const timeval times[2] = {{1109678401, 0}, {1109678401, 0}};
        ::utimes(path.c_str(), times);
        return path;
    }
    // Loads and converts with the window's defaults; returns the DXF text.
    std::string Convert(const std::string& source, THenkanInfo info = DefaultHenkanInfo(), std::string scale = {}) {
        JwcDrawing drawing;
        LoadJwcFile(source, drawing);
        DxfTables tables;
        const ScaleList list = FillScaleBox(drawing, tables);
        if (scale.empty()) scale = list.items.at(list.selected);
        const std::string output = dir_.File("out.dxf");
        ConvertDrawing(drawing, info, tables, ConversionRequest{source, output, scale}, nullptr);
        return testing::ReadFileBytes(output);
    }
    testing::ScopedTimeZone utc_;
    TempDir dir_;
};

TEST_F(ConvertDrawingTest, HandSeedCountsTheHandlesTheFileMayUse) {
    JwcDrawing d;
    d.Header.LineCount = 10;
    d.Header.ArcCount = 2;
    d.Header.TextCount = 3;
    d.Header.PointCount = 5;
    THenkanInfo info = DefaultHenkanInfo();
    EXPECT_EQ(HandSeedFor(d, info, 4), "81");  // 10 + 2 + 3 + 0 + 20 + 4 + 90 = 129
    info.CurvePline = true;
    info.TenMode = kTenPoint;
    d.Header.VirtualPointCount = 1;
    EXPECT_EQ(HandSeedFor(d, info, 4), "91");  // 40 + 2 + 3 + 1 + 5 + 4 + 90 = 145
}

TEST_F(ConvertDrawingTest, FileDateIsAJulianDayWithTheTimeAsFraction) {
    EXPECT_EQ(FileDateText(2005, 3, 1, 12, 0, 0), "2453431.5");
    EXPECT_EQ(FileDateText(2005, 3, 1, 12, 0, 1), "2453431.5");  // two-second resolution
    EXPECT_EQ(FileDateText(1899, 12, 30, 0, 0, 0), "2415019");
    EXPECT_EQ(FileDateText(2026, 12, 7, 6, 0, 0), "2461382.25");
    EXPECT_EQ(FileDateOf(DatedCopy("x")), "2453431.5");
    // A source that is gone dates the file now: still a valid day number.
    const std::string now = FileDateOf(dir_.File("gone.jwc"));
    EXPECT_GT(std::stold(now), 2460000.0L);
}

TEST_F(ConvertDrawingTest, ParsesTheScaleText) {
    EXPECT_EQ(ParseScaleText("100"), 100.0L);
    EXPECT_EQ(ParseScaleText(" 2.5 "), 2.5L);
    EXPECT_EQ(ParseScaleText("1E2"), 100.0L);
    EXPECT_EQ(ParseScaleText("+50"), 50.0L);
    for (const char* bad : {"", " ", "abc", "1,5", "100x", "inf", "nan"}) EXPECT_FALSE(ParseScaleText(bad)) << bad;
}

TEST_F(ConvertDrawingTest, ABadScaleTextWritesNothing) {
    const std::string source = DatedCopy(JwcBuilder{}.Line(TSen{0, 0, 1, 1, 1, 1, 0}).Bytes());
    const std::string output = dir_.Write("out.dxf", "old contents");
    struct Case {
        std::string scale, message;
    };
    const Case cases[] = {
        {"", "'' は有効な浮動小数点数ではありません"},
        {"INF", "'INF' は有効な浮動小数点数ではありません"},
        {"0", "基準縮尺は0より大きい数値にしてください: 0"},
        {"-100", "基準縮尺は0より大きい数値にしてください: -100"},
        {"1E40", "基準縮尺は0より大きい数値にしてください: 1E40"},  // infinite as a 32-bit real
    };
    for (const auto& c : cases) {
        JwcDrawing drawing;
        LoadJwcFile(source, drawing);
        DxfTables tables;
        THenkanInfo info = DefaultHenkanInfo();
        bool reported = false;
        try {
            ConvertDrawing(drawing, info, tables, ConversionRequest{source, output, c.scale},
                           [&](const DxfTables&, const THenkanInfo&) { reported = true; });
            ADD_FAILURE() << "converted at the scale '" << c.scale << "'";
        } catch (const ConversionError& e) {
            EXPECT_EQ(Cp932ToUtf8(e.what()), c.message);
        }
        EXPECT_FALSE(reported);
        EXPECT_EQ(testing::ReadFileBytes(output), "old contents");
    }
}

TEST_F(ConvertDrawingTest, ReportsTheLayersBeforeWriting) {
    const std::string source = DatedCopy(JwcBuilder{}.Layer(2, "A").Line(TSen{0, 0, 1, 1, 1, 3, 2}).Bytes());
    JwcDrawing drawing;
    LoadJwcFile(source, drawing);
    DxfTables tables;
    FillScaleBox(drawing, tables);
    THenkanInfo info = DefaultHenkanInfo();
    std::vector<std::string> report;
    const std::string output = dir_.File("out.dxf");
    ConvertDrawing(drawing, info, tables, ConversionRequest{source, output, "1"},
                   [&](const DxfTables& t, const THenkanInfo& i) {
                       EXPECT_FALSE(std::filesystem::exists(output));
                       report = UsedLayerReport(t, i.DefpointsUsed);
                   });
    ASSERT_EQ(report.size(), 2u);
    EXPECT_EQ(report[1].substr(0, 2), "A ");
    EXPECT_EQ(info.BaseScale, 1.0L);
    EXPECT_EQ(info.HandSeed, "5C");  // 1 line + 1 layer + 90 = 92
    EXPECT_EQ(info.FileDate, "2453431.5");
    EXPECT_EQ(info.ExtMinX, 0.0L);
    EXPECT_EQ(info.ExtMaxY, 1.0L);
}

TEST_F(ConvertDrawingTest, TheSampleMatchesItsReviewedOutput) {
    const std::string source = DatedCopy(testing::ReadFileBytes(ORVIK_SOURCE_DIR "/samples/plan.jwc"));
    const std::string text = Convert(source);
    const std::string golden = ORVIK_SOURCE_DIR "/tests/convert/golden/plan-default.dxf";
    if (std::getenv("ORVIK_UPDATE_GOLDEN")) std::ofstream(golden, std::ios::binary) << text;
    const auto written = testing::SplitLines(text), reviewed = testing::SplitLines(testing::ReadFileBytes(golden));
    const auto [differs, _] = std::ranges::mismatch(written, reviewed);
    if (differs != written.end() || written.size() != reviewed.size()) {
        const auto line = static_cast<std::size_t>(differs - written.begin());
        ADD_FAILURE() << "line " << line + 1 << " is \"" << (line < written.size() ? written[line] : "<end>")
                      << "\", reviewed \"" << (line < reviewed.size() ? reviewed[line] : "<end>")
                      << "\"; set ORVIK_UPDATE_GOLDEN=1 to rewrite " << golden << " after review";
    }
    // The same drawing and settings give the same file again.
    EXPECT_TRUE(Convert(source) == text);
    EXPECT_EQ(HeaderVariable(text, "$EXTMIN"), (testing::Groups{{" 10", "-10200"}, {" 20", "-9000"}, {" 30", "0.0"}}));
    EXPECT_EQ(HeaderVariable(text, "$EXTMAX"), (testing::Groups{{" 10", "8200"}, {" 20", "4200"}, {" 30", "0.0"}}));
}

TEST_F(ConvertDrawingTest, AnotherReferenceScaleScalesEveryCoordinate) {
    const std::string source = DatedCopy(testing::ReadFileBytes(ORVIK_SOURCE_DIR "/samples/plan.jwc"));
    const std::string text = Convert(source, DefaultHenkanInfo(), "50");
    EXPECT_EQ(HeaderVariable(text, "$EXTMIN"), (testing::Groups{{" 10", "-5100"}, {" 20", "-4500"}, {" 30", "0.0"}}));
    EXPECT_EQ(HeaderVariable(text, "$LIMMAX"), (testing::Groups{{" 10", "29700"}, {" 20", "21000"}}));
}

}  // namespace
}  // namespace orvik
