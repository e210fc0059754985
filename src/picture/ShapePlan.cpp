#include "picture/ShapePlan.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "picture/ShapeGeometry.h"

namespace orvik {
namespace {

using Draw = ShapePlan::Draw;

ShapePlan Plan(Draw draw, PicturePoint at = {}) {
    ShapePlan plan;
    plan.draw = draw;
    plan.at = at;
    return plan;
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
