// The drawing rules every painter of a display list applies (the window's
// drawing tab, PNG and PDF pictures, on Qt and on GDI+), made once: what of
// a shape is drawn at a given view. A shape wholly outside the view is not
// drawn; one under two pixels across is a dot, which says as much far
// faster (a point is always its dot three pixels across, as in the SVG
// picture); a point written as a wide circle is a filled disc or ring; a
// polyline with a width is a wide stroke with round ends; a solid is filled
// and outlined by a hairline, so that solids sharing an edge leave no seam;
// a text under a pixel high is not drawn; an arc's and an ellipse's sweep
// runs counter-clockwise over at most a full turn. The painter draws what
// the plan says with its own toolkit.
#pragma once

#include <cstdint>

#include "picture/DisplayList.h"

namespace orvik {

struct ShapePlan {
    enum class Draw : std::uint8_t {
        Nothing,
        Dot,  // a one-pixel dot at `at`
        Disc,  // a filled circle about `at`, `outer` in radius, a ring when `inner` > 0
        Stroke,  // the shape's own figure with its hairline pen (line, polyline, circle, arc, ellipse)
        WideStroke,  // the polyline with a pen `width` wide, round ends and joins
        FilledOutline,  // the solid's outline filled, and stroked with a hairline of its colour
        Text,
        Point,  // a dot three pixels across at the shape's point
    };
    Draw draw = Draw::Nothing;
    PicturePoint at;  // drawing units
    double outer = 0, inner = 0;  // drawing units
    double width = 0;  // drawing units
    double sweep = 0;  // an arc's in degrees, an ellipse's in radians: above 0, at most a full turn
};

// The plan for the shape in a view showing `visible` (drawing units) at
// `pixelsPerUnit`.
ShapePlan PlanShape(const Shape& s, const PictureBounds& visible, double pixelsPerUnit);

// The counter-clockwise sweep of an arc (degrees) and of an ellipse (its
// parameter, radians) from their start to their end: above 0, at most a
// full turn (a zero sweep is a full one).
double ArcSweepDegrees(const Shape& arc);
double EllipseSweep(const Shape& ellipse);

// Vertical writing: each character upright, centred under the one before,
// a text height apart; the first one's base line this many heights below
// the insertion point.
inline constexpr double kTextAscent = 0.88;

}  // namespace orvik
