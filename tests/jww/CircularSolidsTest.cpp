// Circular solids filled with four-cornered ones: each kind covers its area
// (to the chords' tolerance) and lies where it should.
#include "jww/CircularSolids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvik {
namespace {

constexpr double kPi = std::numbers::pi;

double Area(const SolidCorners& c) {
    double twice = 0;
    for (std::size_t i = 0; i < c.size(); ++i) {
        const auto& p = c[i];
        const auto& q = c[(i + 1) % c.size()];
        twice += p[0] * q[1] - q[0] * p[1];
    }
    return std::fabs(twice) / 2;
}

TEST(CircularSolids, EachKindFillsItsArea) {
    struct Case {
        const char* what;
        std::uint8_t style;
        double radius, flatness, tilt, start, sweep, extra;
        double area;
        std::array<double, 4> box;  // min x, min y, max x, max y, the centre at (100, 50)
    };
    const double r = 10;
    // Chords lie within 0.01 mm of their curve: the area misses at most that
    // along every curved edge (two whole circles at most), the box that much.
    const double chordError = 0.01, areaError = chordError * 2 * (2 * kPi * r);
    const Case cases[] = {
        {"whole circle", kJwwCircleSolid, r, 1, 0, 0, 0, 100, kPi * r * r, {90, 40, 110, 60}},
        {"sector, clockwise sweep",
         kJwwCircleSolid,
         r,
         1,
         0,
         kPi / 2,
         -kPi / 2,
         0,
         kPi * r * r / 4,
         {100, 50, 110, 60}},
        {"bow of a half", kJwwCircleSolid, r, 1, 0, 0, kPi, 5, kPi * r * r / 2, {90, 50, 110, 60}},
        {"outside of a quarter", kJwwCircleSolid, r, 1, 0, 0, kPi / 2, -1, r * r * (1 - kPi / 4), {100, 50, 110, 60}},
        {"tilted ellipse", kJwwCircleSolid, r, 0.5, kPi / 2, 0, 0, 100, kPi * r * r / 2, {95, 40, 105, 60}},
        {"ring 1, whole", kJwwRingSolid1, r, 0.5, 0, 0, 2 * kPi, 4, kPi * (r * r - 4 * 4) / 2, {90, 45, 110, 55}},
        {"ring 2, half", kJwwRingSolid2, r, 0.8, 0, 0, kPi, 4, kPi * (r * 8 - 4 * (8 - 6)) / 2, {90, 50, 110, 58}},
    };
    for (const Case& c : cases) {
        JwwSolid s{{}, {100, 50}, {c.radius, c.flatness}, {c.tilt, c.start}, {c.sweep, c.extra}, 0};
        s.common.penStyle = c.style;
        const std::vector<SolidCorners> pieces = CircularSolidFill().Pieces(s);
        ASSERT_FALSE(pieces.empty()) << c.what;
        double area = 0;
        std::array<double, 4> box{1e300, 1e300, -1e300, -1e300};
        for (const SolidCorners& p : pieces) {
            area += Area(p);
            for (const auto& v : p)
                box = {std::min(box[0], v[0]), std::min(box[1], v[1]), std::max(box[2], v[0]), std::max(box[3], v[1])};
        }
        EXPECT_NEAR(area, c.area, areaError) << c.what;
        for (std::size_t k = 0; k < 4; ++k) EXPECT_NEAR(box[k], c.box[k], chordError) << c.what << " box " << k;
    }
}

TEST(CircularSolids, DrawNothingFromValuesThatDrawNothing) {
    struct Case {
        double radius, sweep, kind;
    };
    // The last: the outside of an arc past half a turn, whose end tangents meet behind it.
    const Case cases[] = {{0, 1, 0}, {-1, 1, 0}, {NAN, 1, 0}, {1, INFINITY, 0}, {1, 0, 0}, {1, 4, -1}};
    for (const auto& [radius, sweep, kind] : cases) {
        JwwSolid s{{}, {0, 0}, {radius, 1}, {0, 0}, {sweep, kind}, 0};
        s.common.penStyle = kJwwCircleSolid;
        EXPECT_TRUE(CircularSolidFill().Pieces(s).empty()) << radius << " " << sweep;
    }
}

TEST(CircularSolids, PastTheBudgetCirclesTakeTheFewestChords) {
    JwwSolid big{{}, {0, 0}, {1000, 1}, {0, 0}, {0, 100}, 0};
    big.common.penStyle = kJwwCircleSolid;
    CircularSolidFill fill(300);
    EXPECT_EQ(fill.Pieces(big).size(), 256u);
    EXPECT_EQ(fill.Pieces(big).size(), 256u);
    EXPECT_EQ(fill.Pieces(big).size(), 8u);
}

}  // namespace
}  // namespace orvik
