// Where the elements of a block land when it is inserted: p -> origin + A p,
// where A scales along the block's own axes (unevenly, or mirrored, when the
// scales say so) and then turns. Insertions inside blocks compose.
//
// The explosion of blocks into their elements and the picture of an INSERT
// both place elements with it, so the two cannot disagree.
#pragma once

#include <array>

namespace orvik {

// A circle, ellipse or an arc of one, as the drawing model holds it: the
// semi-axis `radius` at `tilt` degrees, the other `flatness` times as long,
// parameter angles in degrees counter-clockwise from the first axis; equal
// angles make it whole.
struct EllipseArc {
    double cx = 0, cy = 0;
    double radius = 0, flatness = 1;
    double startAngle = 0, endAngle = 0;
    double tilt = 0;
};

struct Placement {
    double a = 1, b = 0, c = 0, d = 1;  // A, by rows
    double ox = 0, oy = 0;  // the origin

    // Scaled by (scaleX, scaleY), turned by `rotation` degrees, moved to (x, y).
    static Placement Of(double x, double y, double scaleX, double scaleY, double rotation);

    std::array<double, 2> operator()(double x, double y) const { return {ox + a * x + b * y, oy + c * x + d * y}; }
    // `inner` (a placement inside the block), then this one.
    Placement Then(const Placement& inner) const;
    bool Mirrored() const { return a * d - b * c < 0; }
    double ScaleOfX() const;  // how much A lengthens the first axis
    double ScaleOfY() const;  // ... and the second
    double Rotation() const;  // of the first axis, degrees

    // The image of an ellipse or arc: exact under every placement (an
    // ellipse's image is an ellipse); a circle under a placement that keeps
    // shapes stays a circle, its angles turned (and reversed when mirrored).
    EllipseArc Place(const EllipseArc& e) const;
};

}  // namespace orvik
