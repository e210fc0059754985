#include "picture/ShapeGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvik {

BulgeArc ArcOfBulge(PicturePoint q, double bulge, PicturePoint p) {
    const double included = 4 * std::atan(bulge);  // radians, > 0 counter-clockwise
    const double chord = std::hypot(p.x - q.x, p.y - q.y);
    const double radius = chord / (2 * std::sin(std::abs(included) / 2));
    // The centre lies off the chord's middle, to the left for a left turn.
    const double mx = (q.x + p.x) / 2, my = (q.y + p.y) / 2;
    const double offset = radius * std::cos(included / 2) * (bulge > 0 ? 1 : -1);
    const PicturePoint centre{mx - (p.y - q.y) / chord * offset, my + (p.x - q.x) / chord * offset};
    return {centre, radius, std::atan2(q.y - centre.y, q.x - centre.x) * 180 / std::numbers::pi,
            included * 180 / std::numbers::pi};
}

std::vector<double> ScreenDashes(const DashPattern& pattern, double scale) {
    std::vector<double> dashes;
    double period = 0;
    bool lastIsGap = true;
    for (double v : pattern) {
        const bool gap = v < 0;
        const double length = std::max(std::abs(v) * scale, 1.0);
        period += length;
        if (!dashes.empty() && gap == lastIsGap)
            dashes.back() += length;
        else
            dashes.push_back(length);
        lastIsGap = gap;
    }
    if (period < 4) return {};
    if (dashes.size() % 2) dashes.push_back(dashes.size() == 1 ? dashes[0] : 1.0);
    return dashes;
}

PictureBounds ShapeReach(const Shape& s) {
    PictureBounds b;
    AddShapeBounds(b, s);
    if (b.Empty()) return b;
    double around = 0;
    if (s.kind == ShapeKind::Polyline) {
        around = s.radius;  // the width, and any bulge up to half a chord
        for (std::size_t i = 1; i < s.vertices.size(); ++i)
            around = std::max(around, std::hypot(s.vertices[i].at.x - s.vertices[i - 1].at.x,
                                                 s.vertices[i].at.y - s.vertices[i - 1].at.y));
    } else if (s.kind == ShapeKind::Text) {
        around = s.height * (1 + s.widthFactor) * static_cast<double>(s.text.size());  // any angle, any width
    }
    around += 1e-9 * (1 + std::abs(b.min.x) + std::abs(b.min.y));
    return {{b.min.x - around, b.min.y - around}, {b.max.x + around, b.max.y + around}};
}

bool IsWideCircle(const Shape& s) {
    return s.closed && s.radius > 0 && s.vertices.size() == 2 && std::abs(s.vertices[0].bulge) == 1 &&
           s.vertices[1].bulge == s.vertices[0].bulge;
}

}  // namespace orvik
