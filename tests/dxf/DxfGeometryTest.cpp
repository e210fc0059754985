#include "dxf/DxfGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvik {
namespace {

double Area(const std::vector<DxfTriangle>& triangles) {
    double sum = 0;
    for (const DxfTriangle& t : triangles)
        sum += std::fabs((t[1].x - t[0].x) * (t[2].y - t[0].y) - (t[2].x - t[0].x) * (t[1].y - t[0].y)) / 2;
    return sum;
}

// Polygons with holes fill exactly their area, whichever way they turn.
TEST(DxfGeometry, TrianglesFillThePolygonAndLeaveItsHoles) {
    const std::vector<DxfPoint> square = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
    const std::vector<DxfPoint> clockwise = {{0, 4}, {4, 4}, {4, 0}, {0, 0}};
    const std::vector<DxfPoint> ell = {{0, 0}, {4, 0}, {4, 1}, {1, 1}, {1, 4}, {0, 4}};
    struct Case {
        std::vector<DxfPoint> outer;
        std::vector<std::vector<DxfPoint>> holes;
        double area;
    };
    const Case cases[] = {
        {square, {}, 16},
        {clockwise, {}, 16},
        {ell, {}, 7},
        {square, {{{1, 1}, {2, 1}, {2, 2}}}, 15.5},
        {square, {{{1, 1}, {2, 1}, {2, 2}, {1, 2}}, {{3, 3}, {3.5, 3}, {3.5, 3.5}}}, 14.875},
        {{{0, 0}, {1, 1}, {2, 2}}, {}, 0},  // no area: nothing
    };
    for (const Case& c : cases) EXPECT_NEAR(Area(Triangulate(c.outer, c.holes)), c.area, 1e-9) << c.area;
}

// A bulge's arc: its centre, radius and counter-clockwise angles.
TEST(DxfGeometry, BulgesAreArcs) {
    struct Case {
        DxfPoint a, b;
        double bulge, cx, cy, radius, start, end;
    };
    const Case cases[] = {
        {{0, 0}, {10, 0}, 1, 5, 0, 5, 180, 0},  // a half circle below, counter-clockwise from (0,0)
        {{0, 0}, {10, 0}, -1, 5, 0, 5, 0, 180},
        {{10, 0}, {0, 10}, std::tan(std::atan(1.0) / 2), 0, 0, 10, 0, 90},  // a quarter
    };
    for (const Case& c : cases) {
        const auto arc = BulgeArc(c.a, c.b, c.bulge);
        ASSERT_TRUE(arc);
        EXPECT_NEAR(arc->cx, c.cx, 1e-9);
        EXPECT_NEAR(arc->cy, c.cy, 1e-9);
        EXPECT_NEAR(arc->radius, c.radius, 1e-9);
        EXPECT_NEAR(std::fmod(arc->start + 360, 360), c.start, 1e-9);
        EXPECT_NEAR(std::fmod(arc->end + 360, 360), c.end, 1e-9);
    }
    EXPECT_FALSE(BulgeArc({1, 1}, {1, 1}, 1));
}

// A NURBS curve through its ends, within the tolerance of a circle it draws;
// definitions that make no curve give nothing.
TEST(DxfGeometry, SplinesAreFollowedWithinTheTolerance) {
    const double w = std::sqrt(0.5);
    // A quarter circle of radius 10 as a rational quadratic curve.
    const auto points = SplinePoints(2, {0, 0, 0, 1, 1, 1}, {{10, 0}, {10, 10}, {0, 10}}, {1, w, 1}, 0.001);
    ASSERT_GE(points.size(), 3u);
    EXPECT_NEAR(points.front().x, 10, 1e-12);
    EXPECT_NEAR(points.back().y, 10, 1e-12);
    for (std::size_t i = 1; i < points.size(); ++i) {
        const DxfPoint mid{(points[i - 1].x + points[i].x) / 2, (points[i - 1].y + points[i].y) / 2};
        EXPECT_LE(10 - std::hypot(mid.x, mid.y), 0.0011);
    }
    EXPECT_TRUE(SplinePoints(3, {0, 1}, {{0, 0}, {1, 1}}, {}, 0.1).empty());
    EXPECT_TRUE(SplinePoints(1, {0, 0, 1, 0}, {{0, 0}, {1, 1}}, {}, 0.1).empty());  // knots that go back
    EXPECT_TRUE(SplinePoints(1, {0, 0, 1, 1}, {{0, 0}, {1, 1}}, {1, -1}, 0.1).empty());
}

}  // namespace
}  // namespace orvik
