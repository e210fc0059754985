#include "picture/ShapePlan.h"

#include <gtest/gtest.h>

#include <numbers>

namespace orvik {
namespace {

using Draw = ShapePlan::Draw;

Shape Line(PicturePoint a, PicturePoint b) {
    Shape s;
    s.a = a;
    s.b = b;
    return s;
}

Shape Arc(ShapeKind kind, double start, double end) {
    Shape s;
    s.kind = kind;
    s.radius = 10;
    s.b = {10, 0};
    s.ratio = 0.5;
    s.start = start;
    s.end = end;
    return s;
}

// A point written as a closed polyline of two half circles `chord` across, `width` wide.
Shape Disc(double chord, double width) {
    Shape s;
    s.kind = ShapeKind::Polyline;
    s.closed = true;
    s.radius = width;
    s.vertices = {{{10 - chord / 2, 10}, 1}, {{10 + chord / 2, 10}, 1}};
    return s;
}

Shape Polyline(ShapeKind kind, double width, bool withVertices = true) {
    Shape s;
    s.kind = kind;
    s.radius = width;
    if (withVertices) s.vertices = {{{0, 0}, 0}, {{20, 0}, 0}, {{20, 20}, 0}};
    return s;
}

Shape Text(double height) {
    Shape s;
    s.kind = ShapeKind::Text;
    s.a = {5, 5};
    s.text = "A";
    s.height = height;
    return s;
}

// Every painter's rules, at a view of 0..100 drawing units at 2 pixels per unit.
TEST(ShapePlan, TheRulesEveryPainterDrawsBy) {
    const PictureBounds view{{0, 0}, {100, 100}};
    Shape point;
    point.kind = ShapeKind::Point;
    point.a = {3, 4};
    struct Case {
        const char* what;
        Shape shape;
        ShapePlan expected;
    };
    const auto plan = [](Draw draw, PicturePoint at = {}, double outer = 0, double inner = 0, double width = 0,
                         double sweep = 0) {
        ShapePlan p;
        p.draw = draw;
        p.at = at;
        p.outer = outer;
        p.inner = inner;
        p.width = width;
        p.sweep = sweep;
        return p;
    };
    const Case cases[] = {
        {"a line", Line({10, 10}, {50, 50}), plan(Draw::Stroke)},
        {"a line off the view", Line({200, 200}, {300, 300}), plan(Draw::Nothing)},
        {"a line touching the view's edge", Line({100, 50}, {150, 50}), plan(Draw::Stroke)},
        {"a line under two pixels: a dot at its middle", Line({10, 10}, {10.5, 10.25}),
         plan(Draw::Dot, {10.25, 10.125})},
        {"a ring", Disc(10, 2), plan(Draw::Disc, {10, 10}, 6, 4)},
        {"a disc", Disc(2, 4), plan(Draw::Disc, {10, 10}, 3, 0)},
        {"a wide polyline", Polyline(ShapeKind::Polyline, 1.5), plan(Draw::WideStroke, {}, 0, 0, 1.5)},
        {"a thin polyline", Polyline(ShapeKind::Polyline, 0), plan(Draw::Stroke)},
        {"a polyline without vertices", Polyline(ShapeKind::Polyline, 0, false), plan(Draw::Nothing)},
        {"a solid", Polyline(ShapeKind::Solid, 0), plan(Draw::FilledOutline)},
        {"an arc across 0 degrees", Arc(ShapeKind::Arc, 350, 10), plan(Draw::Stroke, {}, 0, 0, 0, 20)},
        {"an arc ending where it starts: whole", Arc(ShapeKind::Arc, 30, 30), plan(Draw::Stroke, {}, 0, 0, 0, 360)},
        {"an arc given backwards", Arc(ShapeKind::Arc, 90, -90), plan(Draw::Stroke, {}, 0, 0, 0, 180)},
        {"a whole ellipse", Arc(ShapeKind::Ellipse, 0, 0), plan(Draw::Stroke, {}, 0, 0, 0, 2 * std::numbers::pi)},
        {"a text a pixel high", Text(0.5), plan(Draw::Text)},
        {"a text under a pixel high", Text(0.4), plan(Draw::Nothing)},
        {"a point", point, plan(Draw::Point, {3, 4})},
    };
    for (const Case& c : cases) {
        const ShapePlan got = PlanShape(c.shape, view, 2);
        EXPECT_EQ(got.draw, c.expected.draw) << c.what;
        EXPECT_EQ(got.at.x, c.expected.at.x) << c.what;
        EXPECT_EQ(got.at.y, c.expected.at.y) << c.what;
        EXPECT_EQ(got.outer, c.expected.outer) << c.what;
        EXPECT_EQ(got.inner, c.expected.inner) << c.what;
        EXPECT_EQ(got.width, c.expected.width) << c.what;
        EXPECT_NEAR(got.sweep, c.expected.sweep, 1e-12) << c.what;
    }
}

}  // namespace
}  // namespace orvik
