// The line types a JWW drawing defines beyond JW_CAD's 1..9, from its header.
//
// Double-length types (16..19) are bit patterns like those of types 2..9: a
// unit of up to 32 bits, a set bit drawn and a clear one not, each bit as
// long as the pitch says; drawn on paper at the scale of the JW_CAD-like
// line types (kMillimetresPerPatternBit a bit at pitch 1). SXF types
// (30 + n, n = 0..32) give their dash and gap lengths in millimetres on
// paper, `segments` of them. Random lines (11..15) are waves no DXF line
// type can draw, and patterns without a gap are continuous lines: neither
// gets a line type of its own, so their elements are drawn as type 1.
#pragma once

#include <optional>

#include "jww/JwwDrawing.h"
#include "model/Drawing.h"

namespace orvik {

inline constexpr int kJwwDoubleLengthFirst = 16, kJwwDoubleLengthLast = 19;
inline constexpr int kJwwSxfLinetypeBase = 30;

// Line type `number` as `header` defines it, if it draws a pattern.
std::optional<DefinedLinetype> JwwLinetypeOf(const JwwHeader& header, int number);

}  // namespace orvik
