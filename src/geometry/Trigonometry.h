// Angles in degrees and the trigonometry of the conversion.
//
// These are the only transcendental functions whose results reach the DXF
// file: cosine and sine of arc end points and ellipse axes, the direction of
// a text line. A platform's Extended functions differ in their last bits
// (the x87 fcos and fpatan instructions, with a 66-bit pi and bits that
// depend on the processor; software in glibc), so they are computed here
// with integer arithmetic alone: the argument reduced by 448 bits of 2/pi,
// the series summed in 124-bit fixed point, the result rounded once to the
// nearest Extended. The bits are the same on every processor and system.
// Everything else that decides an output byte (decimal places, rounding
// grids) is computed exactly (ExactDecimal.h).
#pragma once

#include <numbers>
#include "numeric/Extended.h"

namespace orvik {

// pi rounded to the extended format.
inline const Extended kPi = ExtendedOf("3.141592653589793238462643383279502884");

inline Extended Radians(Extended degrees) { return degrees * kPi / 180; }

// The cosine and sine of an angle in radians; NaN for an infinite or NaN
// angle. An angle of 2^125 radians or more (no drawing's) is first reduced
// modulo 2 pi as a Extended.
Extended Cos(Extended radians);
Extended Sin(Extended radians);
// Both at once, the same bits as Cos and Sin: the angle reduced once.
struct CosSin {
    Extended cos, sin;
};
CosSin CosAndSin(Extended radians);

// The direction of (x, y) in radians, -pi to pi, as atan2 defines it
// (signed zeros and infinities included); NaN when either is NaN.
Extended Atan2(Extended y, Extended x);

inline Extended CosDegrees(Extended degrees) { return Cos(Radians(degrees)); }
inline Extended SinDegrees(Extended degrees) { return Sin(Radians(degrees)); }
inline CosSin CosAndSinDegrees(Extended degrees) { return CosAndSin(Radians(degrees)); }

// The direction of the vector (dx, dy) in degrees, -180 to 180; 0 for the zero vector.
inline Extended DirectionDegrees(Extended dx, Extended dy) {
    return dx == 0 && dy == 0 ? 0 : Atan2(dy, dx) * 180 / kPi;
}

}  // namespace orvik
