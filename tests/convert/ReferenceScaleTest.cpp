#include "convert/ReferenceScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "dxf/NumberFormat.h"

namespace orvik {
namespace {

TEST(PaperFactor, IsTheLongSideOverTheDivisor) {
    EXPECT_EQ(PaperFactor(3, 420), 1.0L);
    EXPECT_EQ(PaperFactor(3, 518), 420.0L / 518);
    EXPECT_EQ(PaperFactor(0, 1189), 1.0L);
    EXPECT_EQ(PaperFactor(14, 1000), 100.0L);
    for (int unknown : {5, 6, 7, -1, 15}) EXPECT_EQ(PaperFactor(unknown, 518), 1.0L) << unknown;
}

TEST(RoundHalfAway, RoundsHalvesAwayFromZero) {
    struct Case {
        long double x, rounded;
    };
    const Case cases[] = {
        {2.5L, 3},
        {-2.5L, -3},
        {2.4999L, 2},
        {-2.4999L, -2},
        {0, 0},
        {0.5L, 1},
        {-0.5L, -1},
        {3e9L, 3e9L},  // beyond 32 bits
        {4611686018427387904.5L, 4611686018427387905.0L},  // 2^62 + 0.5
        {-4611686018427387904.5L, -4611686018427387905.0L},
        {9223372036854775806.5L, 9223372036854775807.0L},  // 2^63 - 1.5: the last one below 2^63
        {std::nextafter(2.5L, 0.0L), 2},
        {std::nextafter(-2.5L, 0.0L), -2},
        {std::nextafter(1.5L, 0.0L), 1},
        {1E20L, 1E20L},
        {-1E20L, -1E20L},  // beyond 2^63: already whole
    };
    for (const auto& c : cases) EXPECT_EQ(RoundHalfAway(c.x), c.rounded) << static_cast<double>(c.x);
}

TEST(ScaleStatistics, KeepsOneEntryPerScaleWithItsBoxAndFirstPoint) {
    ScaleStatistics s;
    s.AddLine(100, 10, 20, 30, 5);
    s.AddPoint(50, 1, 1);
    s.AddText(100, -5, 40, 0, 0);
    ASSERT_EQ(s.Count(), 2);
    const ScaleEntry& e = s.Entry(0);
    EXPECT_EQ(e.scale, 100);
    EXPECT_EQ(std::tie(e.firstX, e.firstY), std::make_tuple(10.0f, 20.0f));
    EXPECT_EQ(std::tie(e.minX, e.maxX, e.minY, e.maxY), std::make_tuple(-5.0f, 30.0f, 0.0f, 40.0f));
    EXPECT_EQ(s.Entry(1).scale, 50);
}

TEST(ScaleStatistics, ArcsAddTheirExtremesOrTheirEnds) {
    struct Case {
        float start, end;
        float minX, maxX, minY, maxY;
    };
    const Case cases[] = {
        {0, 90, -10, 10, -5, 5},  // a start angle of 0 counts as whole
        {180, 90, -10, 10, -5, 5},  // so does 180
        {45, 45, -10, 10, -5, 5},  // equal angles
        {90, 180, -10, 0, 0, 5},  // the two end points only
    };
    for (const auto& c : cases) {
        ScaleStatistics s;
        s.AddArc(1, 0, 0, 10, 0.5L, c.start, c.end, 0);
        const ScaleEntry& e = s.Entry(0);
        EXPECT_NEAR(e.minX, c.minX, 1e-5) << c.start << " " << c.end;
        EXPECT_NEAR(e.maxX, c.maxX, 1e-5);
        EXPECT_NEAR(e.minY, c.minY, 1e-5);
        EXPECT_NEAR(e.maxY, c.maxY, 1e-5);
    }
}

TEST(ScaleStatistics, AnalyzeGivesSixSignificantDigitsAcrossTheExtent) {
    struct Case {
        float scale, extent;
        long double factor;
        int digits;
    };
    const Case cases[] = {
        {100, 400, 1, 1},  // log10(40000) = 4.60 -> 5
        {1, 0.5f, 1, 6},  // log10(0.5) = -0.30 -> 0
        {100, 20000, 1, -1},  // log10(2000000) = 6.30 -> 7
        {1, 1000, 1, 3},  // an exact power of ten
        {1, 0, 1, 0},  // no extent
        {0, 10, 1, 0},  // a zero or negative scale has no extent to speak of
        {-100, 10, 1, 0},
    };
    for (const auto& c : cases) {
        ScaleStatistics s;
        s.AddLine(c.scale, 0, 0, c.extent, c.extent);
        s.Analyze(c.factor);
        EXPECT_EQ(s.Entry(0).digitsX, c.digits) << c.scale << " " << c.extent;
        EXPECT_EQ(s.Entry(0).digitsY, c.digits);
    }
}

// The decimal places must come out the same on every processor: at an extent
// of exactly 10^k the ceiling is k, one float above it is k + 1. Powers that
// a float cannot hold are made from an exact extent times an exact scale;
// below 1 the extent is the float nearest to 10^k, on the side given.
TEST(ScaleStatistics, DecimalPlacesAtPowersOfTenAreExact) {
    for (int k = -3; k <= 12; ++k) {
        auto power = [](int n) { return std::strtof(("1e" + std::to_string(n)).c_str(), nullptr); };
        const float scale = k <= 10 ? 1.0f : power(k - 6);
        const float extent = power(k <= 10 ? k : 6);
        const bool floatAbove = k == -3 || k == -1;  // 0.001f and 0.1f lie above, 0.01f below
        struct Neighbour {
            float extent;
            int digits;
        };
        const Neighbour neighbours[] = {
            {std::nextafter(extent, 0.0f), 6 - k},
            {extent, floatAbove ? 5 - k : 6 - k},
            {std::nextafter(extent, 1e30f), 5 - k},
        };
        for (const auto& n : neighbours) {
            ScaleStatistics s;
            s.AddLine(scale, 0, 0, n.extent, n.extent);
            s.Analyze(1);
            EXPECT_EQ(s.Entry(0).digitsX, n.digits) << "10^" << k << " extent " << n.extent;
            EXPECT_EQ(s.Entry(0).digitsY, n.digits);
        }
    }
}

TEST(ScaleStatistics, MapsThroughTheReferenceScalesEntry) {
    ScaleStatistics s;
    s.AddLine(100, 10.0000001f, 0, 20, 0);
    s.AddLine(50, 0, 0, 1, 1);
    s.Analyze(1);
    // Rounding off: a plain product.
    EXPECT_EQ(s.MapX(100, 1, 12.5L), 1250);
    // Rounding on: the first point's noise is rounded away (extent 1000 -> 3 decimals).
    s.roundDelta = s.roundOffset = true;
    EXPECT_EQ(FormatReal(s.MapX(100, 1, 10.0000001f)), "1000");
    EXPECT_EQ(FormatReal(s.MapX(100, 1, 12.3456789L)), "1234.568");
    // Another group's elements are mapped with the reference scale's factors.
    EXPECT_EQ(FormatReal(s.MapX(50, 2, 1)), "100");
    // A scale without an entry maps everything to 0.
    EXPECT_EQ(s.MapX(25, 1, 123), 0);
    EXPECT_EQ(s.MapR(100, 1, 12.5L), s.MapX(100, 1, 12.5L));
}

TEST(ScaleStatistics, NegativeDigitsRoundToTens) {
    ScaleStatistics s;
    s.roundDelta = s.roundOffset = true;
    s.AddLine(100, 0, 0, 20000, 0);  // extent 20000 at scale 100: digits -1
    s.Analyze(1);
    EXPECT_EQ(FormatReal(s.MapX(100, 1, 1.234L)), "120");
    // A delta of exactly half a step rounds away on the exact grid of thousands.
    ScaleStatistics t;
    t.roundDelta = true;
    t.roundOffset = false;
    t.AddLine(1000, 0, 0, 1e6f, 0);  // extent 10^9 at 1:1000: digits -3, a 1 mm grid on paper
    t.Analyze(1);
    EXPECT_EQ(t.MapX(1000, 1, 12.5), 13000);
    EXPECT_EQ(t.MapX(1000, 1, -12.5), -13000);
    // A vertical line: DigitsX 0, every mapped X whole.
    ScaleStatistics v;
    v.roundDelta = v.roundOffset = true;
    v.AddLine(1, 3.3f, 0, 3.3f, 10);
    v.Analyze(1);
    EXPECT_EQ(FormatReal(v.MapX(1, 1, 3.3f)), "3");
}

// Where the extent would make the grid coarser than 1 mm on paper (an extent
// past a kilometre on paper: one damaged number far off), the group is left
// unrounded rather than flattened; every real sheet, up to 100 m, is rounded.
TEST(ScaleStatistics, OneCoordinateFarOffLeavesItsGroupUnrounded) {
    struct Case {
        const char* what;
        float scale, farOff;
        bool unrounded;
    };
    const Case cases[] = {
        {"a house plan at 1:100", 100, 420, false},        {"a 100 m sheet at 1:1", 1, 1e5f, false},
        {"one damaged number at 1:100", 100, 1e10f, true}, {"one damaged number at 1:1", 1, 1e30f, true},
        {"past a kilometre on paper", 200, 2e6f, true},
    };
    for (const Case& c : cases) {
        ScaleStatistics s;
        s.roundDelta = s.roundOffset = true;
        s.AddLine(c.scale, 0, 0, 91.5f, 0);
        s.AddPoint(c.scale, c.farOff, 0);
        s.Analyze(1);
        EXPECT_EQ(s.Entry(0).unrounded, c.unrounded) << c.what;
        EXPECT_EQ(s.UnroundedScales().size(), c.unrounded ? 1u : 0u) << c.what;
        if (c.unrounded) {
            EXPECT_EQ(s.MapX(c.scale, 1, 91.5f), 91.5L * c.scale) << c.what;  // the wall keeps its length
        }
    }
    ScaleStatistics unasked;  // without rounding there is nothing to leave out
    unasked.roundDelta = unasked.roundOffset = false;
    unasked.AddPoint(1, 1e30f, 0);
    unasked.AddPoint(1, 0, 0);
    unasked.Analyze(1);
    EXPECT_TRUE(unasked.UnroundedScales().empty());
}

}  // namespace
}  // namespace orvik
