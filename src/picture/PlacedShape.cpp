#include "picture/PlacedShape.h"

#include <cmath>
#include <numbers>

namespace orvik {
namespace {

constexpr double kDegree = std::numbers::pi / 180;

PicturePoint Placed(const Placement& at, PicturePoint p) {
    const auto [x, y] = at(p.x, p.y);
    return {x, y};
}

// A circle, arc or ellipse shape as an ellipse arc (degrees; whole ones with
// equal angles), placed, and back.
EllipseArc ArcOf(const Shape& s) {
    switch (s.kind) {
        case ShapeKind::Circle: return {s.a.x, s.a.y, s.radius, 1, 0, 0, 0};
        case ShapeKind::Arc: return {s.a.x, s.a.y, s.radius, 1, s.start, s.end, 0};
        default: {
            const bool whole = std::fabs(s.end - s.start - 2 * std::numbers::pi) < 1e-9;
            return {s.a.x,
                    s.a.y,
                    std::hypot(s.b.x, s.b.y),
                    s.ratio,
                    whole ? 0 : s.start / kDegree,
                    whole ? 0 : s.end / kDegree,
                    std::atan2(s.b.y, s.b.x) / kDegree};
        }
    }
}

void SetArc(Shape& s, const EllipseArc& e) {
    s.a = {e.cx, e.cy};
    const bool whole = e.startAngle == e.endAngle;
    if (e.flatness == 1) {
        s.kind = whole ? ShapeKind::Circle : ShapeKind::Arc;
        s.radius = e.radius;
        s.start = whole ? 0 : e.startAngle + e.tilt;
        s.end = whole ? 0 : e.endAngle + e.tilt;
        return;
    }
    s.kind = ShapeKind::Ellipse;
    s.radius = 0;
    s.b = {e.radius * std::cos(e.tilt * kDegree), e.radius * std::sin(e.tilt * kDegree)};
    s.ratio = e.flatness;
    s.start = whole ? 0 : e.startAngle * kDegree;
    s.end = whole ? 2 * std::numbers::pi : e.endAngle * kDegree;
}

}  // namespace

Shape PlacedShape(const Shape& shape, const Placement& at) {
    Shape s = shape;
    switch (s.kind) {
        case ShapeKind::Line:
            s.a = Placed(at, s.a);
            s.b = Placed(at, s.b);
            break;
        case ShapeKind::Point: s.a = Placed(at, s.a); break;
        case ShapeKind::Solid:
            s.a = Placed(at, s.a);  // its first corner, as read
            [[fallthrough]];
        case ShapeKind::Polyline:
            for (PictureVertex& v : s.vertices) {
                v.at = Placed(at, v.at);
                if (at.Mirrored()) v.bulge = -v.bulge;  // arcs turn the other way
            }
            s.radius *= std::sqrt(std::fabs(at.a * at.d - at.b * at.c));  // a wide polyline's width
            break;
        case ShapeKind::Circle:
        case ShapeKind::Arc:
        case ShapeKind::Ellipse: SetArc(s, at.Place(ArcOf(shape))); break;
        case ShapeKind::Text: {
            s.a = Placed(at, s.a);
            const double c = std::cos(s.angle * kDegree), n = std::sin(s.angle * kDegree);
            const double alongX = at.a * c + at.b * n, alongY = at.c * c + at.d * n;  // the base line
            const double upX = -at.a * n + at.b * c, upY = -at.c * n + at.d * c;  // and across it
            const double along = std::hypot(alongX, alongY), up = std::hypot(upX, upY);
            s.angle = std::atan2(alongY, alongX) / kDegree;
            s.height *= up;
            if (up > 0) s.widthFactor *= along / up;
            break;
        }
    }
    return s;
}

}  // namespace orvik
