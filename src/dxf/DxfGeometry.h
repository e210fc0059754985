// The geometry a DXF reader works out: arcs of polyline bulges, NURBS
// curves as points, polygons as triangles. Through the project's own
// trigonometry, so that every system reads the same numbers.
#pragma once

#include <array>
#include <optional>
#include <vector>

namespace orvik {

struct DxfPoint {
    double x = 0, y = 0;
};

// An arc counter-clockwise from `start` to `end` (degrees).
struct DxfArc {
    double cx = 0, cy = 0, radius = 0, start = 0, end = 0;
};

// The direction of (dx, dy) in degrees; 0 for no direction.
double DirectionOf(double dx, double dy);
// The cosine and sine of an angle in degrees.
DxfPoint CosSinOf(double degrees);

// The arc from `a` to `b` whose bulge (the tangent of a quarter of its
// sweep, negative clockwise) is `bulge`; none when the points coincide.
std::optional<DxfArc> BulgeArc(DxfPoint a, DxfPoint b, double bulge);

// A NURBS curve of `degree` (knots, control points, weights: empty for 1
// each) as points along it, each chord within `tolerance` of the curve at
// its middle; empty when the definition does not make a curve. At most
// kDxfCurvePoints points.
inline constexpr std::size_t kDxfCurvePoints = 4096;
std::vector<DxfPoint> SplinePoints(int degree, const std::vector<double>& knots, const std::vector<DxfPoint>& controls,
                                   const std::vector<double>& weights, double tolerance);

// A polygon with holes (each a closed ring, first point not repeated) as
// triangles that fill the outer ring and leave the holes; empty when the
// rings do not make one or hold more than 2,000 points.
using DxfTriangle = std::array<DxfPoint, 3>;
std::vector<DxfTriangle> Triangulate(std::vector<DxfPoint> outer, const std::vector<std::vector<DxfPoint>>& holes);

// Rings of which the largest is the outline and the others its holes (as
// a solid hatch's boundaries), as triangles; empty when there are none.
std::vector<DxfTriangle> FillRings(std::vector<std::vector<DxfPoint>> rings);

}  // namespace orvik
