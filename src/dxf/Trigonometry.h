// Angles in degrees and the trigonometry of the conversion.
//
// These are the only transcendental functions whose results reach the DXF
// file: cosine and sine of arc end points and ellipse axes, the direction of
// a text line. glibc computes them for long double with the x87 unit, whose
// last bit may differ between processors; everything else that decides an
// output byte (decimal places, rounding grids) is computed exactly
// (ExactDecimal.h), so a difference can only ever show in the last digit of
// a value computed here.
#pragma once

#include <cmath>

namespace orvik {

inline constexpr long double kPi = 3.141592653589793238462643383279502884L;

constexpr long double Radians(long double degrees) { return degrees * kPi / 180; }

inline long double CosDegrees(long double degrees) { return std::cos(Radians(degrees)); }
inline long double SinDegrees(long double degrees) { return std::sin(Radians(degrees)); }

// The direction of the vector (dx, dy) in degrees, -180 to 180; 0 for the zero vector.
inline long double DirectionDegrees(long double dx, long double dy) {
    return dx == 0 && dy == 0 ? 0 : std::atan2(dy, dx) * 180 / kPi;
}

}  // namespace orvik
