#include "picture/ShapePlan.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvik {
namespace {

using Draw = ShapePlan::Draw;

ShapePlan Plan(Draw draw, PicturePoint at = {}) {
    ShapePlan plan;
    plan.draw = draw;
    plan.at = at;
    return plan;
}

// A rough box of what the shape covers, never empty for a shape with a
// position (so that a horizontal or vertical line still meets a view).
PictureBounds ShapeReach(const Shape& s) {
    PictureBounds b;
    AddShapeBounds(b, s);
    if (b.Empty()) return b;
    double around = 0;
    if (s.kind == ShapeKind::Polyline) {
        around = s.radius;  // the width, and any bulge up to half a chord
        for (std::size_t i = 1; i < s.vertices.size(); ++i)
            around = std::max(around, std::hypot(s.vertices[i].at.x - s.vertices[i - 1].at.x,
                                                 s.vertices[i].at.y - s.vertices[i - 1].at.y));
    } else if (s.kind == ShapeKind::Text) {
        around = s.height * (1 + s.widthFactor) * static_cast<double>(s.text.size());  // any angle, any width
    }
    around += 1e-9 * (1 + std::abs(b.min.x) + std::abs(b.min.y));
    return {{b.min.x - around, b.min.y - around}, {b.max.x + around, b.max.y + around}};
}

// A closed polyline of two half circles (bulges of 1) with a width: a disc or a ring.
bool IsWideCircle(const Shape& s) {
    return s.closed && s.radius > 0 && s.vertices.size() == 2 && std::abs(s.vertices[0].bulge) == 1 &&
           s.vertices[1].bulge == s.vertices[0].bulge;
}

bool Meets(const PictureBounds& a, const PictureBounds& b) {
    return !a.Empty() && a.max.x >= b.min.x && a.min.x <= b.max.x && a.max.y >= b.min.y && a.min.y <= b.max.y;
}

// A point's disc or ring: centred between the two half circles' ends, the
// width straddling their radius.
ShapePlan DiscOf(const Shape& s) {
    const PicturePoint p = s.vertices[0].at, q = s.vertices[1].at;
    const double chord = std::hypot(q.x - p.x, q.y - p.y);
    ShapePlan plan = Plan(Draw::Disc, {(p.x + q.x) / 2, (p.y + q.y) / 2});
    plan.outer = chord / 2 + s.radius / 2;
    plan.inner = std::max(chord / 2 - s.radius / 2, 0.0);
    return plan;
}

}  // namespace

double ArcSweepDegrees(const Shape& arc) {
    const double sweep = std::fmod(arc.end - arc.start, 360.0);
    return sweep <= 0 ? sweep + 360 : sweep;
}

double EllipseSweep(const Shape& ellipse) {
    const double sweep = std::fmod(ellipse.end - ellipse.start, 2 * std::numbers::pi);
    return sweep <= 1e-12 ? sweep + 2 * std::numbers::pi : sweep;
}

ShapePlan PlanShape(const Shape& s, const PictureBounds& visible, double pixelsPerUnit) {
    const PictureBounds reach = ShapeReach(s);
    if (!Meets(reach, visible)) return Plan(Draw::Nothing);
    // A text has its own least size; a point is its dot three pixels across.
    if (std::max(reach.max.x - reach.min.x, reach.max.y - reach.min.y) * pixelsPerUnit < 2 &&
        s.kind != ShapeKind::Text && s.kind != ShapeKind::Point)
        return Plan(Draw::Dot, {(reach.min.x + reach.max.x) / 2, (reach.min.y + reach.max.y) / 2});
    switch (s.kind) {
        case ShapeKind::Polyline:
            if (s.vertices.empty()) return Plan(Draw::Nothing);
            if (IsWideCircle(s)) return DiscOf(s);
            if (s.radius > 0) {
                ShapePlan plan = Plan(Draw::WideStroke);
                plan.width = s.radius;
                return plan;
            }
            return Plan(Draw::Stroke);
        case ShapeKind::Solid: return Plan(s.vertices.empty() ? Draw::Nothing : Draw::FilledOutline);
        case ShapeKind::Arc: {
            ShapePlan plan = Plan(Draw::Stroke);
            plan.sweep = ArcSweepDegrees(s);
            return plan;
        }
        case ShapeKind::Ellipse: {
            ShapePlan plan = Plan(Draw::Stroke);
            plan.sweep = EllipseSweep(s);
            return plan;
        }
        case ShapeKind::Text: return Plan(s.height * pixelsPerUnit >= 1 ? Draw::Text : Draw::Nothing);
        case ShapeKind::Point: return Plan(Draw::Point, s.a);
        case ShapeKind::Line:
        case ShapeKind::Circle: break;
    }
    return Plan(Draw::Stroke);
}

}  // namespace orvik
