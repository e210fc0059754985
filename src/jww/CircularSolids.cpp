#include "jww/CircularSolids.h"

#include <algorithm>
#include <cmath>

#include "geometry/Trigonometry.h"

namespace orvik {
namespace {

const double kTurn = 2 * static_cast<double>(kPi);
constexpr double kTolerance = 0.01;  // mm on paper: a chord's greatest distance from its arc
constexpr double kFewestPerTurn = 8, kMostPerTurn = 256;

// Kinds of a circle solid (101); any other is a sector.
constexpr double kOuterKind = -1, kBowKind = 5, kWholeKind = 100;

using Point = std::array<double, 2>;

// The values a circular solid keeps in its corner fields.
struct Circular {
    double cx, cy, radius, flatness, tilt, start, sweep, extra;

    static Circular Of(const JwwSolid& s) {
        return {s.p1[0], s.p1[1], s.p2[0], s.p2[1], s.p3[0], s.p3[1], s.p4[0], s.p4[1]};
    }
    bool Finite() const {
        const std::array values{cx, cy, radius, flatness, tilt, start, sweep, extra};
        return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
    }
};

// Points of an ellipse of semi-axes a (along the tilt) and b.
class Ellipse {
public:
    Ellipse(const Circular& c, double a, double b)
        : cx_(c.cx),
          cy_(c.cy),
          a_(a),
          b_(b),
          ux_(static_cast<double>(Cos(c.tilt))),
          uy_(static_cast<double>(Sin(c.tilt))) {}

    Point At(double t) const {
        const auto x = a_ * static_cast<double>(Cos(t)), y = b_ * static_cast<double>(Sin(t));
        return {cx_ + x * ux_ - y * uy_, cy_ + x * uy_ + y * ux_};
    }
    // The direction the curve runs at t (counter-clockwise).
    Point Tangent(double t) const {
        const auto x = -a_ * static_cast<double>(Sin(t)), y = b_ * static_cast<double>(Cos(t));
        return {x * ux_ - y * uy_, x * uy_ + y * ux_};
    }

private:
    double cx_, cy_, a_, b_, ux_, uy_;
};

// The arc's first angle and its sweep, counter-clockwise, at most a turn.
std::array<double, 2> Sweep(double start, double sweep) {
    const double run = std::min(std::fabs(sweep), kTurn);
    return {sweep >= 0 ? start : start + sweep, run};
}

}  // namespace

std::vector<SolidCorners> CircularSolidFill::Pieces(const JwwSolid& s) {
    const Circular c = Circular::Of(s);
    if (!c.Finite() || !(c.radius > 0) || !(c.flatness > 0)) return {};
    const std::uint8_t style = s.common.penStyle;
    const bool ring = style == kJwwRingSolid1 || style == kJwwRingSolid2;
    const bool whole = ring ? (c.sweep == 0 || std::fabs(c.sweep) >= kTurn) : c.extra == kWholeKind;
    const std::array<double, 2> arc = whole ? std::array{c.start, kTurn} : Sweep(c.start, c.sweep);
    const double first = arc[0], run = arc[1];
    if (!(run > 0)) return {};

    // Chords of at most kTolerance's sagitta (about r t^2 / 8 for a step t),
    // computed without transcendental functions so that every system agrees.
    const double largest = c.radius * std::max(1.0, c.flatness);
    const double share = run / kTurn;
    const double fewest = std::max(1.0, std::ceil(share * kFewestPerTurn));
    double chords =
        std::clamp(std::ceil(run / std::sqrt(8 * kTolerance / largest)), fewest, std::ceil(share * kMostPerTurn));
    if (chords_ >= budget_) chords = fewest;
    chords_ += static_cast<std::int64_t>(chords);
    const int n = static_cast<int>(chords);
    const auto angle = [&](int i) { return i == n ? first + run : first + run * i / n; };

    const Ellipse outer(c, c.radius, c.radius * c.flatness);
    std::vector<SolidCorners> pieces;
    pieces.reserve(static_cast<std::size_t>(n));
    if (ring) {
        const double inner = std::clamp(c.extra, 0.0, c.radius);
        const double innerB =
            style == kJwwRingSolid1 ? inner * c.flatness : std::max(0.0, c.radius * c.flatness - (c.radius - inner));
        const Ellipse hole(c, inner, innerB);
        for (int i = 0; i < n; ++i)
            pieces.push_back({outer.At(angle(i)), outer.At(angle(i + 1)), hole.At(angle(i + 1)), hole.At(angle(i))});
        return pieces;
    }
    Point apex{c.cx, c.cy};
    if (c.extra == kBowKind) {
        apex = outer.At(first);
    } else if (c.extra == kOuterKind && !whole) {
        // The corner where the tangents at both ends meet, ahead of the first
        // end; an arc of half a turn or more has none there.
        const Point a = outer.At(first), b = outer.At(first + run), ta = outer.Tangent(first),
                    tb = outer.Tangent(first + run);
        const double cross = ta[0] * tb[1] - ta[1] * tb[0];
        if (!(std::fabs(cross) > 1e-12 * largest * largest)) return {};
        const double along = ((b[0] - a[0]) * tb[1] - (b[1] - a[1]) * tb[0]) / cross;
        if (!(along > 0)) return {};
        apex = {a[0] + along * ta[0], a[1] + along * ta[1]};
    }
    // A bow is fanned from its first point: its first chord would be empty.
    for (int i = c.extra == kBowKind && n > 1 ? 1 : 0; i < n; ++i) {
        const Point p = outer.At(angle(i)), q = outer.At(angle(i + 1));
        pieces.push_back({apex, p, q, q});
    }
    return pieces;
}

std::optional<JwwArc> CurveOfCircumferenceSolid(const JwwSolid& s) {
    const Circular c = Circular::Of(s);
    if (!c.Finite()) return std::nullopt;
    const bool whole = c.extra == kWholeKind || std::fabs(c.sweep) >= kTurn;
    JwwCommon common = s.common;
    common.penStyle = 1;  // a continuous line
    return JwwArc{common, c.cx, c.cy, c.radius, c.start, c.sweep, c.tilt, c.flatness, whole ? 1u : 0u};
}

}  // namespace orvik
