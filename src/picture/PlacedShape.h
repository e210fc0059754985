// A shape of a block as an INSERT places it: moved, scaled, turned,
// mirrored. Lines, polylines, solids and points exactly; circles, arcs and
// ellipses exactly (a circle scaled unevenly becomes an ellipse); a text at
// its placed insertion point, along its placed base line, its height and
// width scaled with it.
#pragma once

#include "geometry/Placement.h"
#include "picture/DisplayList.h"

namespace orvik {

Shape PlacedShape(const Shape& shape, const Placement& at);

}  // namespace orvik
