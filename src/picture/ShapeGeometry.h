// What every painter of a display list works out the same way, whatever it
// draws with: a bulge's arc, a dash pattern in pixels, a rough box of what a
// shape covers (to skip what lies off the device), and which polylines are
// the discs and rings points are written as.
#pragma once

#include <vector>

#include "picture/DisplayList.h"

namespace orvik {

// The arc a POLYLINE bulge draws from q to p: centre, radius, the start
// angle at q and the sweep to p (degrees, counter-clockwise positive).
struct BulgeArc {
    PicturePoint centre;
    double radius = 0;
    double start = 0;
    double sweep = 0;
};
BulgeArc ArcOfBulge(PicturePoint q, double bulge, PicturePoint p);

// A DXF dash pattern in pixels at `scale` pixels per unit: dash and gap
// lengths alternating, starting with a dash, of even count. A pattern whose
// period is under four pixels would only grey the line, at great cost: it
// is drawn solid (empty).
std::vector<double> ScreenDashes(const DashPattern& pattern, double scale);

// A rough box of what the shape covers, never empty for a shape with a
// position (so that a horizontal or vertical line still meets a view).
PictureBounds ShapeReach(const Shape& s);

// A closed polyline of two half circles (bulges of 1) with a width: a disc or a ring.
bool IsWideCircle(const Shape& s);

// A text's base line below its characters' top, in text heights: where a
// vertical text's first character stands.
inline constexpr double kTextAscent = 0.88;

}  // namespace orvik
