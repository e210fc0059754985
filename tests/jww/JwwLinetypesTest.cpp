// A JWW drawing's own line types: patterns from the header's bits or SXF
// pitches, and through the conversion, LTYPE records the elements name.
#include "jww/JwwLinetypes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "convert/Conversion.h"
#include "dxf/DxfLines.h"
#include "jww/JwwMapping.h"
#include "support/JwwBuilder.h"

namespace orvik {
namespace {

TEST(JwwLinetypes, PatternsComeFromTheHeader) {
    JwwHeader h;
    h.doublePatterns = {JwwLinePattern{0xFFF99FFF, 32, 2, 20}, JwwLinePattern{0x99999999, 4, 1, 10},
                        JwwLinePattern{0xFFFFFFFF, 32, 2, 20}, JwwLinePattern{0xFFFE7FFF, 32, 4, 40}};
    h.sxfLineTypes.resize(33);
    h.sxfLineTypes[2] = {"dashed", 2, {6, 1.5}};
    h.sxfLineTypes[7] = {"dotted", 2, {0.25, 1.5}};
    h.sxfLineTypes[1] = {"continuous", 0, {}};
    h.sxfLineTypes[3] = {"broken", 2, {6, NAN}};
    h.sxfLineTypes[4] = {"no gap", 2, {6, 0}};
    const std::pair<int, std::vector<double>> cases[] = {
        {16, {32.5, -2.5, 2.5, -2.5}},  // turned to start with its longest dash
        {17, {1.25, -1.25}},  // a unit of 4 bits: as line type 2 of the JW_CAD-like set
        {18, {}},  // every bit set: continuous
        {19, {75, -5}},
        {32, {6, -1.5}},
        {37, {0.25, -1.5}},
        {31, {}},
        {33, {}},
        {34, {}},
        {11, {}},  // a random line
        {63, {}},
    };
    for (const auto& [number, pattern] : cases) {
        const std::optional<DefinedLinetype> type = JwwLinetypeOf(h, number);
        EXPECT_EQ(type ? type->pattern : std::vector<double>{}, pattern) << number;
    }
    EXPECT_EQ(JwwLinetypeOf(h, 16)->name, "DOUBLE6");
    EXPECT_EQ(JwwLinetypeOf(h, 32)->name, "dashed");
}

TEST(JwwLinetypes, TheirRecordsAreWrittenAndNamedByTheElements) {
    JwwDrawing w = NewJwwDrawing();
    w.header.sxfLineTypes.resize(33);
    w.header.sxfLineTypes[3] = {"dashed spaced", 2, {6, 6}};
    JwwCommon sxf;
    sxf.penStyle = 33;
    sxf.penColor = 1;
    JwwCommon random = sxf;
    random.penStyle = 12;
    for (int i = 0; i < 3; ++i) Append(w.elements, JwwLine{sxf, 0, double(i), 10, double(i)});
    Append(w.elements, JwwLine{random, 0, 5, 10, 5});
    Append(w.elements, JwwArc{random, 0, 0, 2, 0, 1, 0, 1, 0});
    NotCarried notCarried;
    const Drawing d = DrawingOf(std::move(w), notCarried);
    ASSERT_EQ(d.extraLinetypes.size(), 1u);  // the random line has none
    const std::string dxf = Conversion(d, ConversionSettings{}, {"", "1"}).Text();
    const auto ltypes = testing::Records(dxf, "LTYPE");
    ASSERT_FALSE(ltypes.empty());
    const auto& own = ltypes.back();
    EXPECT_EQ(testing::Value(own, "  2"), "dashed_spaced");
    EXPECT_EQ(testing::Value(own, "  3"), "dashed spaced");
    EXPECT_EQ(testing::Value(own, " 73"), "     2");
    EXPECT_EQ(testing::Value(own, " 40"), "12");
    const auto layers = testing::Records(dxf, "LAYER");
    EXPECT_EQ(testing::Value(layers.back(), "  6"), "dashed_spaced");  // the layer's by majority
    const auto lines = testing::Records(dxf, "LINE");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(testing::Value(lines[3], "  6"), "CONTINUOUS");  // the random line
}

}  // namespace
}  // namespace orvik
