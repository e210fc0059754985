// A path as painters and the PDF writer take it, toolkit-free: moves,
// straight segments and cubic Bézier curves, in the units of whoever made it.
#pragma once

#include <cstdint>
#include <vector>

#include "picture/DisplayList.h"

namespace orvik {

struct PathElement {
    enum class Kind : std::uint8_t { Move, Line, Curve };
    Kind kind = Kind::Move;
    PicturePoint to;  // Move, Line: the point; Curve: its end
    PicturePoint c1, c2;  // Curve: its two control points
};
using PicturePath = std::vector<PathElement>;

}  // namespace orvik
