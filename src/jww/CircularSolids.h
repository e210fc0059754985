// The circular solids of a JWW drawing as the four-cornered solids that
// fill them.
//
// JW_CAD keeps a filled circle, sector, bow or ring in the record of a
// four-cornered solid, its pen style saying which: 101 a circle solid, 105
// and 106 a ring, 111 a circumference. The corner fields then hold a
// circle's values: corner 1 the centre, corner 4 (radius, flatness), corner
// 2 (tilt, start angle), corner 3 (sweep, and for 101 the kind: -1 the area
// between the arc and the corner its end tangents make, 0 a sector, 5 a bow,
// 100 the whole circle; for rings the inner radius). Angles are radians, the
// radius lies along the tilt, the other semi-axis is flatness times it. A
// ring's arc is whole when its sweep is; ring 1 has the outer ellipse's
// shape shrunk, ring 2 keeps the difference of the radii along both axes.
//
// DXF R13 has no filled curve, so every such area becomes SOLIDs: triangles
// and quadrilaterals whose outer edges are chords of the curve, never more
// than 0.01 mm (on paper) from it, 8 to 256 to a whole turn.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "jww/JwwDrawing.h"

namespace orvik {

// Four corners in outline order; a triangle repeats its third.
using SolidCorners = std::array<std::array<double, 2>, 4>;

// How many chords a drawing's circular solids may take together before
// every further one is drawn with the fewest (8 to a turn): a file of many
// large circle solids stays within memory.
inline constexpr std::int64_t kCircularSolidChordBudget = 4'000'000;

class CircularSolidFill {
public:
    explicit CircularSolidFill(std::int64_t chordBudget = kCircularSolidChordBudget) : budget_(chordBudget) {}

    // The pieces that fill a solid of pen style 101, 105 or 106; none when
    // its values are not finite or its radius not positive.
    std::vector<SolidCorners> Pieces(const JwwSolid& s);

private:
    std::int64_t budget_;
    std::int64_t chords_ = 0;
};

// The curve of a circumference solid (pen style 111), as the arc element it
// is drawn along (the whole circle when its kind is 100 or its sweep a
// turn); none when its values are not finite.
std::optional<JwwArc> CurveOfCircumferenceSolid(const JwwSolid& s);

}  // namespace orvik
