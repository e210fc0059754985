#include "geometry/Placement.h"

#include <algorithm>
#include <cmath>

#include "geometry/Trigonometry.h"
#include "numeric/Extended.h"

namespace orvik {
namespace {

const Extended kDegreesPerRadian = 180 / kPi;

}  // namespace

Placement Placement::Of(double x, double y, double scaleX, double scaleY, double rotation) {
    const CosSin turn = CosAndSinDegrees(rotation);
    const auto cs = static_cast<double>(turn.cos), sn = static_cast<double>(turn.sin);
    return {cs * scaleX, -sn * scaleY, sn * scaleX, cs * scaleY, x, y};
}

Placement Placement::Then(const Placement& inner) const {
    const auto [x, y] = (*this)(inner.ox, inner.oy);
    return {a * inner.a + b * inner.c,
            a * inner.b + b * inner.d,
            c * inner.a + d * inner.c,
            c * inner.b + d * inner.d,
            x,
            y};
}

// Lengths by the square root, which IEEE arithmetic rounds correctly on every
// system (hypot is not the same everywhere), so placed elements write the same bytes.
double Placement::ScaleOfX() const { return std::sqrt(a * a + c * c); }
double Placement::ScaleOfY() const { return std::sqrt(b * b + d * d); }
double Placement::Rotation() const { return static_cast<double>(Atan2(c, a) * kDegreesPerRadian); }

EllipseArc Placement::Place(const EllipseArc& e) const {
    const bool whole = e.startAngle == e.endAngle;
    const auto [cx, cy] = (*this)(e.cx, e.cy);
    const double sx = ScaleOfX(), sy = ScaleOfY();
    const bool keepsShapes =
        std::fabs(a * b + c * d) <= 1e-12 * sx * sy && std::fabs(sx - sy) <= 1e-12 * std::max(sx, sy);
    const bool mirrored = Mirrored();
    if (keepsShapes) {
        // Mirrored, the arc runs the other way: its angles turn sign.
        EllipseArc placed{cx,
                          cy,
                          e.radius * sx,
                          e.flatness,
                          e.startAngle,
                          e.endAngle,
                          mirrored ? Rotation() - e.tilt : Rotation() + e.tilt};
        if (mirrored && !whole) {
            placed.startAngle = -e.endAngle;
            placed.endAngle = -e.startAngle;
        }
        return placed;
    }
    // The ellipse is c + u cos t + v sin t with conjugate semi-diameters u
    // (the first axis) and v; A carries them to A u and A v. Mirrored, v
    // turns round so that t still runs counter-clockwise (t becomes -t). The
    // image's axes lie at the parameter t0 where |u cos t + v sin t| is
    // largest: tan 2 t0 = 2 u.v / (|u|^2 - |v|^2).
    const CosSin tilt = CosAndSinDegrees(e.tilt);
    const Extended ux0 = e.radius * tilt.cos, uy0 = e.radius * tilt.sin;
    const Extended vx0 = -e.radius * e.flatness * tilt.sin, vy0 = e.radius * e.flatness * tilt.cos;
    const Extended sign = mirrored ? -1 : 1;
    const Extended ux = a * ux0 + b * uy0, uy = c * ux0 + d * uy0;
    const Extended vx = sign * (a * vx0 + b * vy0), vy = sign * (c * vx0 + d * vy0);
    const Extended t0 = Atan2(2 * (ux * vx + uy * vy), ux * ux + uy * uy - vx * vx - vy * vy) / 2;
    const auto [ct, st] = CosAndSin(t0);
    const Extended majorX = ux * ct + vx * st, majorY = uy * ct + vy * st;
    const Extended minorX = -ux * st + vx * ct, minorY = -uy * st + vy * ct;
    const Extended major = SquareRoot(majorX * majorX + majorY * majorY);
    EllipseArc placed{cx,
                      cy,
                      static_cast<double>(major),
                      major > 0 ? static_cast<double>(SquareRoot(minorX * minorX + minorY * minorY) / major) : 0,
                      0,
                      0,
                      static_cast<double>(Atan2(majorY, majorX) * kDegreesPerRadian)};
    if (!whole) {
        const Extended shift = t0 * kDegreesPerRadian;
        placed.startAngle = static_cast<double>((mirrored ? -e.endAngle : e.startAngle) - shift);
        placed.endAngle = static_cast<double>((mirrored ? -e.startAngle : e.endAngle) - shift);
    }
    return placed;
}

}  // namespace orvik
