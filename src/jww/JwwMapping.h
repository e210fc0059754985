// A JWW drawing mapped onto the drawing model the conversion works on, so
// that both formats share every rule: layers, pens, line types, the
// reference scale, the coordinate mapping with its rounding, texts, points.
//
// Carried: the 16 layer groups with their scales and names, the 256 layers
// with their names (a hidden layer or group is off, as JWC's hidden ones;
// shown-only ones are drawn, so on), the paper, lines (consecutive lines of one curve number as a
// curve run), circles, arcs and ellipses (angles to degrees, the sweep
// counter-clockwise), the line types beyond 1..9 that the header defines
// and the elements use (JwwLinetypes.h), texts with their own size, pen,
// vertical writing, italic, bold and font, real points, temporary points as
// virtual points, solids (circular ones as the solids that fill them,
// CircularSolids.h), dimensions as their line, text and extension lines,
// block definitions as blocks (each after the blocks it inserts) and
// insertions as insertions of them. JW_CAD's settings texts are left out, as
// they are not drawn. What is not carried (solids of unknown pen styles,
// image placements, insertions of definitions the file lacks) is counted.
//
// The JWW drawing is taken by value: its elements are given back kind by kind
// as they are carried (pass it with std::move to keep one copy in memory).
#pragma once

#include <cstdint>

#include "jww/JwwDrawing.h"
#include "model/Drawing.h"

namespace orvik {

Drawing DrawingOf(JwwDrawing jww, NotCarried& notCarried);

// The same for a drawing that is kept (to be written back): nothing given back.
Drawing DrawingOfKept(const JwwDrawing& jww, NotCarried& notCarried);

}  // namespace orvik
