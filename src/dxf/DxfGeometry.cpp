#include "dxf/DxfGeometry.h"

#include <algorithm>
#include <cmath>

#include "geometry/Trigonometry.h"

namespace orvik {
namespace {

double Cross(DxfPoint o, DxfPoint a, DxfPoint b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

double Area(const std::vector<DxfPoint>& ring) {
    double sum = 0;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
        sum += ring[j].x * ring[i].y - ring[i].x * ring[j].y;
    return sum / 2;
}

bool Inside(DxfPoint p, DxfPoint a, DxfPoint b, DxfPoint c) {
    return Cross(a, b, p) >= 0 && Cross(b, c, p) >= 0 && Cross(c, a, p) >= 0;
}

// The point of a NURBS curve at u (de Boor's algorithm on homogeneous points).
DxfPoint Evaluate(int p, const std::vector<double>& t, const std::vector<DxfPoint>& c, const std::vector<double>& w,
                  double u) {
    const std::size_t n = c.size();
    std::size_t k = static_cast<std::size_t>(p);
    while (k + 1 < n && u >= t[k + 1]) ++k;
    std::vector<std::array<double, 3>> d(static_cast<std::size_t>(p) + 1);
    for (std::size_t j = 0; j <= static_cast<std::size_t>(p); ++j) {
        const std::size_t i = j + k - static_cast<std::size_t>(p);
        const double weight = w.empty() ? 1 : w[i];
        d[j] = {c[i].x * weight, c[i].y * weight, weight};
    }
    for (int r = 1; r <= p; ++r)
        for (int j = p; j >= r; --j) {
            const std::size_t i = static_cast<std::size_t>(j) + k - static_cast<std::size_t>(p);
            const double span = t[i + static_cast<std::size_t>(p - r) + 1] - t[i];
            const double a = span > 0 ? (u - t[i]) / span : 0;
            for (int m = 0; m < 3; ++m)
                d[static_cast<std::size_t>(j)][static_cast<std::size_t>(m)] =
                    (1 - a) * d[static_cast<std::size_t>(j - 1)][static_cast<std::size_t>(m)] +
                    a * d[static_cast<std::size_t>(j)][static_cast<std::size_t>(m)];
        }
    const auto& h = d[static_cast<std::size_t>(p)];
    return {h[0] / h[2], h[1] / h[2]};
}

// The rightmost point of a ring.
std::size_t Rightmost(const std::vector<DxfPoint>& ring) {
    return static_cast<std::size_t>(
        std::max_element(ring.begin(), ring.end(), [](DxfPoint p, DxfPoint q) { return p.x < q.x; }) - ring.begin());
}

// The hole joins the outline (counter-clockwise, the hole clockwise) by a
// bridge from its rightmost point: to the far end of the nearest outline
// edge a ray to the right meets, or to the outline point inside the
// triangle between them that is most nearly straight ahead. False when no
// edge is met.
bool JoinHole(std::vector<DxfPoint>& outer, const std::vector<DxfPoint>& hole) {
    const std::size_t m = Rightmost(hole);
    const DxfPoint from = hole[m];
    std::size_t best = outer.size();
    double nearest = HUGE_VAL;
    for (std::size_t i = 0; i < outer.size(); ++i) {
        const DxfPoint a = outer[i], b = outer[(i + 1) % outer.size()];
        if (((a.y > from.y) == (b.y > from.y) && a.y != from.y) || a.y == b.y) continue;
        const double x = a.x + (from.y - a.y) * (b.x - a.x) / (b.y - a.y);
        if (x < from.x || x >= nearest) continue;
        nearest = x;
        best = a.x > b.x ? i : (i + 1) % outer.size();
    }
    if (best == outer.size()) return false;
    const DxfPoint hit{nearest, from.y}, seen = outer[best];
    double bestSlope = HUGE_VAL;
    for (std::size_t i = 0; i < outer.size(); ++i) {
        const DxfPoint p = outer[i];
        if (i == best || p.x <= from.x) continue;
        const bool inside = Cross(from, hit, p) * Cross(from, hit, seen) > 0 &&
                            Cross(hit, seen, p) * Cross(hit, seen, from) > 0 &&
                            Cross(seen, from, p) * Cross(seen, from, hit) > 0;
        if (!inside) continue;
        const double slope = std::fabs(p.y - from.y) / (p.x - from.x);
        if (slope < bestSlope) bestSlope = slope, best = i;
    }
    std::vector<DxfPoint> joined(outer.begin(), outer.begin() + static_cast<std::ptrdiff_t>(best) + 1);
    for (std::size_t k = 0; k <= hole.size(); ++k) joined.push_back(hole[(m + k) % hole.size()]);
    joined.insert(joined.end(), outer.begin() + static_cast<std::ptrdiff_t>(best), outer.end());
    outer = std::move(joined);
    return true;
}

// A counter-clockwise polygon cut into triangles, ear by ear.
std::vector<DxfTriangle> EarClip(const std::vector<DxfPoint>& polygon) {
    std::vector<DxfTriangle> triangles;
    std::vector<std::size_t> left(polygon.size());
    for (std::size_t i = 0; i < left.size(); ++i) left[i] = i;
    std::size_t misses = 0, i = 0;
    while (left.size() > 3 && misses < left.size()) {
        const std::size_t n = left.size();
        const DxfPoint a = polygon[left[(i + n - 1) % n]], b = polygon[left[i % n]], c = polygon[left[(i + 1) % n]];
        bool ear = Cross(a, b, c) > 0;
        for (std::size_t k = 0; k < n && ear; ++k) {
            const DxfPoint p = polygon[left[k]];
            const bool corner = (p.x == a.x && p.y == a.y) || (p.x == b.x && p.y == b.y) || (p.x == c.x && p.y == c.y);
            ear = corner || !Inside(p, a, b, c);
        }
        if (ear) {
            triangles.push_back({a, b, c});
            left.erase(left.begin() + static_cast<std::ptrdiff_t>(i % n));
            misses = 0;
        } else {
            ++misses;
            ++i;
        }
        i %= left.size();
    }
    if (left.size() == 3) triangles.push_back({polygon[left[0]], polygon[left[1]], polygon[left[2]]});
    return triangles;
}

}  // namespace

double DirectionOf(double dx, double dy) { return static_cast<double>(DirectionDegrees(Extended(dx), Extended(dy))); }

DxfPoint CosSinOf(double degrees) {
    const CosSin cs = CosAndSinDegrees(Extended(degrees));
    return {static_cast<double>(cs.cos), static_cast<double>(cs.sin)};
}

std::optional<DxfArc> BulgeArc(DxfPoint a, DxfPoint b, double bulge) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (!(d > 0) || bulge == 0 || !std::isfinite(bulge)) return std::nullopt;
    // The centre lies on the chord's perpendicular, d (1 - b^2) / (4 b) to its left.
    const double offset = (1 - bulge * bulge) / (4 * bulge);
    DxfArc arc;
    arc.cx = (a.x + b.x) / 2 - dy * offset;
    arc.cy = (a.y + b.y) / 2 + dx * offset;
    arc.radius = d * (1 + bulge * bulge) / (4 * std::fabs(bulge));
    const double from = DirectionOf(a.x - arc.cx, a.y - arc.cy), to = DirectionOf(b.x - arc.cx, b.y - arc.cy);
    arc.start = bulge > 0 ? from : to;
    arc.end = bulge > 0 ? to : from;
    return arc;
}

std::vector<DxfPoint> SplinePoints(int degree, const std::vector<double>& knots, const std::vector<DxfPoint>& controls,
                                   const std::vector<double>& weights, double tolerance) {
    const std::size_t n = controls.size();
    if (degree < 1 || degree > 25 || n <= static_cast<std::size_t>(degree) ||
        knots.size() != n + static_cast<std::size_t>(degree) + 1 || (!weights.empty() && weights.size() != n))
        return {};
    for (std::size_t i = 0; i < knots.size(); ++i)
        if (!std::isfinite(knots[i]) || (i > 0 && knots[i] < knots[i - 1])) return {};
    for (const double w : weights)
        if (!(w > 0) || !std::isfinite(w)) return {};
    std::vector<DxfPoint> points;
    const auto at = [&](double u) { return Evaluate(degree, knots, controls, weights, u); };
    const double first = knots[static_cast<std::size_t>(degree)], last = knots[n];
    if (!(first < last)) return {};
    points.push_back(at(first));
    // Each knot span in four, each piece halved until its chord is within
    // the tolerance at its middle (or the points run out).
    struct Piece {
        double u0, u1;
        DxfPoint p1;
        int depth;
    };
    for (std::size_t s = static_cast<std::size_t>(degree); s < n; ++s) {
        if (!(knots[s] < knots[s + 1])) continue;
        for (int q = 0; q < 4; ++q) {
            const double u0 = knots[s] + (knots[s + 1] - knots[s]) * q / 4;
            const double u1 = q == 3 ? knots[s + 1] : knots[s] + (knots[s + 1] - knots[s]) * (q + 1) / 4;
            std::vector<Piece> pending{{u0, u1, at(u1), 0}};
            while (!pending.empty()) {
                const Piece piece = pending.back();
                pending.pop_back();
                const DxfPoint p0 = points.back();
                const double um = (piece.u0 + piece.u1) / 2;
                const DxfPoint pm = at(um);
                const double ex = pm.x - (p0.x + piece.p1.x) / 2, ey = pm.y - (p0.y + piece.p1.y) / 2;
                if (std::sqrt(ex * ex + ey * ey) > tolerance && piece.depth < 12 && points.size() < kDxfCurvePoints) {
                    pending.push_back({um, piece.u1, piece.p1, piece.depth + 1});
                    pending.push_back({piece.u0, um, pm, piece.depth + 1});
                    continue;
                }
                points.push_back(piece.p1);
            }
        }
    }
    return points;
}

std::vector<DxfTriangle> Triangulate(std::vector<DxfPoint> outer, const std::vector<std::vector<DxfPoint>>& holes) {
    constexpr std::size_t kMostPoints = 2000;  // ear clipping takes the square of them, or more
    if (outer.size() < 3 || !(std::fabs(Area(outer)) > 0)) return {};
    if (Area(outer) < 0) std::reverse(outer.begin(), outer.end());
    std::vector<std::vector<DxfPoint>> rings;
    std::size_t total = outer.size();
    for (std::vector<DxfPoint> hole : holes) {
        if (hole.size() < 3 || !(std::fabs(Area(hole)) > 0)) continue;
        if (Area(hole) > 0) std::reverse(hole.begin(), hole.end());
        total += hole.size() + 2;
        rings.push_back(std::move(hole));
    }
    if (total > kMostPoints) return {};
    // The rightmost holes first, so that bridges do not cross.
    std::sort(rings.begin(), rings.end(),
              [](const auto& a, const auto& b) { return a[Rightmost(a)].x > b[Rightmost(b)].x; });
    for (const std::vector<DxfPoint>& hole : rings)
        if (!JoinHole(outer, hole)) return {};
    return EarClip(outer);
}

std::vector<DxfTriangle> FillRings(std::vector<std::vector<DxfPoint>> rings) {
    const auto size = [](const std::vector<DxfPoint>& r) { return r.size() < 3 ? 0 : std::fabs(Area(r)); };
    const auto outer =
        std::max_element(rings.begin(), rings.end(), [&](const auto& a, const auto& b) { return size(a) < size(b); });
    if (outer == rings.end()) return {};
    std::vector<DxfPoint> outline = std::move(*outer);
    rings.erase(outer);
    return Triangulate(std::move(outline), rings);
}

}  // namespace orvik
