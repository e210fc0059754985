#include "convert/Conversion.h"

#include <gtest/gtest.h>
#include <sys/time.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/DrawingJob.h"
#include "convert/ProposedScales.h"
#include "dxf/DxfLines.h"
#include "jwc/JwcLoader.h"
#include "support/JwcBuilder.h"
#include "support/ScopedTimeZone.h"
#include "support/TempDir.h"
#include "text/Cp932.h"

namespace orvik {
namespace {

using testing::HeaderVariable;
using testing::TempDir;

// Local time is UTC for these tests, so file dates do not depend on the machine.
class ConversionTest : public ::testing::Test {
protected:
    // A copy of `jwc` whose modification time is 2005-03-01 12:00:01 UTC.
    std::string DatedCopy(const std::string& bytes) {
        const std::string path = dir_.Write("in.jwc", bytes);
        const timeval times[2] = {{1109678401, 0}, {1109678401, 0}};
        ::utimes(path.c_str(), times);
        return path;
    }
    // Loads and converts with the window's defaults; returns the DXF text.
    std::string Convert(const std::string& source, const ConversionSettings& settings = {}, std::string scale = {}) {
        JwcFile drawing;
        LoadJwcFile(source, drawing);
        const ScaleList list = ListProposedScales(drawing);
        if (scale.empty()) scale = list.items.at(list.selected);
        const std::string output = dir_.File("out.dxf");
        Conversion(drawing, settings, ConversionRequest{source, scale, DrawingTimeOf(source)}).SaveAs(output);
        return testing::ReadFileBytes(output);
    }
    testing::ScopedTimeZone utc_;
    TempDir dir_;
};

TEST_F(ConversionTest, HandSeedCountsTheHandlesTheFileMayUse) {
    Drawing d;
    d.lines.resize(10);
    d.arcs.resize(2);
    d.texts.resize(3);
    d.points.resize(5);
    ConversionSettings settings;
    EXPECT_EQ(HandSeedFor(d, settings, 4), "81");  // 10 + 2 + 3 + 0 + 20 + 4 + 90 = 129
    settings.curvesAsPolylines = true;
    settings.pointMode = PointMode::Point;
    d.virtualPoints.resize(1);
    EXPECT_EQ(HandSeedFor(d, settings, 4), "91");  // 40 + 2 + 3 + 1 + 5 + 4 + 90 = 145
}

TEST_F(ConversionTest, FileDateIsAJulianDayWithTheTimeAsFraction) {
    EXPECT_EQ(FileDateText(2005, 3, 1, 12, 0, 0), "2453431.5");
    EXPECT_EQ(FileDateText(2005, 3, 1, 12, 0, 1), "2453431.5");  // two-second resolution
    EXPECT_EQ(FileDateText(1899, 12, 30, 0, 0, 0), "2415019");
    EXPECT_EQ(FileDateText(2026, 12, 7, 6, 0, 0), "2461382.25");
    EXPECT_EQ(FileDateOf(DrawingTimeOf(DatedCopy("x"))), "2453431.5");
    // A source that is gone dates the file now: still a valid day number.
    const std::string now = FileDateOf(DrawingTimeOf(dir_.File("gone.jwc")));
    EXPECT_GT(std::stold(now), 2460000.0L);
}

TEST_F(ConversionTest, ParsesTheScaleText) {
    EXPECT_EQ(ParseScaleText("100"), 100.0L);
    EXPECT_EQ(ParseScaleText(" 2.5 "), 2.5L);
    EXPECT_EQ(ParseScaleText("1E2"), 100.0L);
    EXPECT_EQ(ParseScaleText("+50"), 50.0L);
    for (const char* bad : {"", " ", "abc", "1,5", "100x", "inf", "nan"}) EXPECT_FALSE(ParseScaleText(bad)) << bad;
}

TEST_F(ConversionTest, ABadScaleTextWritesNothing) {
    const std::string source = DatedCopy(JwcBuilder{}.Line(LineRecord{0, 0, 1, 1, 1, 1, 0}).Bytes());
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
        JwcFile drawing;
        LoadJwcFile(source, drawing);
        try {
            Conversion(drawing, ConversionSettings{}, ConversionRequest{source, c.scale, DrawingTimeOf(source)})
                .SaveAs(output);
            ADD_FAILURE() << "converted at the scale '" << c.scale << "'";
        } catch (const FailureError& e) {
            EXPECT_EQ(Cp932ToUtf8(e.what()), c.message);
        }
        EXPECT_EQ(testing::ReadFileBytes(output), "old contents");
    }
}

TEST_F(ConversionTest, DecidesEverythingBeforeWriting) {
    const std::string source = DatedCopy(JwcBuilder{}.Layer(2, "A").Line(LineRecord{0, 0, 1, 1, 1, 3, 2}).Bytes());
    JwcFile drawing;
    LoadJwcFile(source, drawing);
    const Conversion conversion(drawing, ConversionSettings{}, ConversionRequest{source, "1", DrawingTimeOf(source)});
    const ConversionResult& result = conversion.Result();
    EXPECT_TRUE(result.layers.layers[2].used);  // the conversion marks the used layers itself
    EXPECT_EQ(result.layers.layers[2].name, "A");
    EXPECT_EQ(result.referenceScale, 1.0L);
    EXPECT_EQ(result.handleSeed, "5C");  // 1 line + 1 layer + 90 = 92
    EXPECT_EQ(result.fileDate, "2453431.5");
    EXPECT_EQ(result.extents.minX, 0.0L);
    EXPECT_EQ(result.extents.maxY, 1.0L);
    // The file saved holds exactly the text.
    const std::string output = dir_.File("saved.dxf");
    conversion.SaveAs(output);
    EXPECT_TRUE(testing::ReadFileBytes(output) == conversion.Text());
}

TEST_F(ConversionTest, TheSampleMatchesItsReviewedOutput) {
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

TEST_F(ConversionTest, AnotherReferenceScaleScalesEveryCoordinate) {
    const std::string source = DatedCopy(testing::ReadFileBytes(ORVIK_SOURCE_DIR "/samples/plan.jwc"));
    const std::string text = Convert(source, ConversionSettings{}, "50");
    EXPECT_EQ(HeaderVariable(text, "$EXTMIN"), (testing::Groups{{" 10", "-5100"}, {" 20", "-4500"}, {" 30", "0.0"}}));
    EXPECT_EQ(HeaderVariable(text, "$LIMMAX"), (testing::Groups{{" 10", "29700"}, {" 20", "21000"}}));
}

}  // namespace
}  // namespace orvik
