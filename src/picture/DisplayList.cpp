#include "picture/DisplayList.h"

#include <algorithm>
#include <cmath>

#include "dxf/ColorPalette.h"

namespace orvik {

void PictureBounds::Add(PicturePoint p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
    min = {std::min(min.x, p.x), std::min(min.y, p.y)};
    max = {std::max(max.x, p.x), std::max(max.y, p.y)};
}

void PictureBounds::Unite(const PictureBounds& other) {
    if (other.Empty()) return;
    Add(other.min);
    Add(other.max);
}

void AddShapeBounds(PictureBounds& bounds, const Shape& s) {
    switch (s.kind) {
        case ShapeKind::Line:
            bounds.Add(s.a);
            bounds.Add(s.b);
            break;
        case ShapeKind::Polyline:
        case ShapeKind::Solid:
            for (const PictureVertex& v : s.vertices) bounds.Add(v.at);
            break;
        case ShapeKind::Circle:
        case ShapeKind::Arc:
            bounds.Add({s.a.x - s.radius, s.a.y - s.radius});
            bounds.Add({s.a.x + s.radius, s.a.y + s.radius});
            break;
        case ShapeKind::Ellipse: {
            const double major = std::hypot(s.b.x, s.b.y);
            bounds.Add({s.a.x - major, s.a.y - major});
            bounds.Add({s.a.x + major, s.a.y + major});
            break;
        }
        case ShapeKind::Text:
            bounds.Add(s.a);
            bounds.Add({s.a.x, s.a.y + s.height});
            break;
        case ShapeKind::Point: bounds.Add(s.a); break;
    }
}

PictureBounds DisplayList::Bounds() const {
    PictureBounds bounds;
    for (const Shape& s : shapes) AddShapeBounds(bounds, s);
    return bounds.Empty() ? sheet : bounds;
}

std::uint32_t ScreenColor(int color, bool lightBackground) {
    if (color == 7 && lightBackground) return 0x000000;
    const std::uint32_t rgb = color >= 1 && color <= 255 ? kAciRgb[static_cast<std::size_t>(color)] : 0xC0C0C0;
    if (!lightBackground) return rgb;
    // On white, a light colour (yellow, cyan) is drawn darker, its hue kept,
    // so that it shows: no brighter than kBrightestOnWhite.
    const auto r = static_cast<int>(rgb >> 16 & 0xFF), g = static_cast<int>(rgb >> 8 & 0xFF),
               b = static_cast<int>(rgb & 0xFF);
    const int brightness = (299 * r + 587 * g + 114 * b) / 1000;
    if (brightness <= kBrightestOnWhite) return rgb;
    const auto darker = [&](int c) { return static_cast<std::uint32_t>(c * kBrightestOnWhite / brightness); };
    return darker(r) << 16 | darker(g) << 8 | darker(b);
}

}  // namespace orvik
