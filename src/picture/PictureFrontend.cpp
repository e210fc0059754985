#include "picture/PictureFrontend.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "picture/ShapePlan.h"
#include "text/Cp932.h"

namespace orvik {
namespace {

constexpr double kDegrees = std::numbers::pi / 180;

PathElement Move(PicturePoint p) { return {PathElement::Kind::Move, p, {}, {}}; }
PathElement Line(PicturePoint p) { return {PathElement::Kind::Line, p, {}, {}}; }

// The arc of the ellipse centre + cos t U + sin t W for t from `start` over
// `sweep` (radians), as cubic curves of at most a quarter turn each.
void AppendArc(PicturePath& path, PicturePoint centre, PicturePoint u, PicturePoint w, double start, double sweep,
               bool move) {
    const auto at = [&](double t) {
        return PicturePoint{centre.x + std::cos(t) * u.x + std::sin(t) * w.x,
                            centre.y + std::cos(t) * u.y + std::sin(t) * w.y};
    };
    const auto tangent = [&](double t) {
        return PicturePoint{-std::sin(t) * u.x + std::cos(t) * w.x, -std::sin(t) * u.y + std::cos(t) * w.y};
    };
    const int pieces = std::max(1, static_cast<int>(std::ceil(std::abs(sweep) / (std::numbers::pi / 2) - 1e-9)));
    const double step = sweep / pieces, k = 4.0 / 3 * std::tan(step / 4);
    if (move) path.push_back(Move(at(start)));
    for (int i = 0; i < pieces; ++i) {
        const double t0 = start + i * step, t1 = t0 + step;
        const PicturePoint p0 = at(t0), p1 = at(t1), d0 = tangent(t0), d1 = tangent(t1);
        path.push_back(
            {PathElement::Kind::Curve, p1, {p0.x + k * d0.x, p0.y + k * d0.y}, {p1.x - k * d1.x, p1.y - k * d1.y}});
    }
}

}  // namespace

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

PictureTransform Then(const PictureTransform& first, const PictureTransform& second) {
    return {second[0] * first[0] + second[2] * first[1],
            second[1] * first[0] + second[3] * first[1],
            second[0] * first[2] + second[2] * first[3],
            second[1] * first[2] + second[3] * first[3],
            second[0] * first[4] + second[2] * first[5] + second[4],
            second[1] * first[4] + second[3] * first[5] + second[5]};
}

PictureView FrameView(const PictureFrame& frame) {
    return {frame.scale, -frame.origin.x * frame.scale, frame.origin.y * frame.scale};
}

PictureFrontend::PictureFrontend(PictureBackend& backend, const DisplayList& header, const PictureView& view, int width,
                                 int height, bool lightBackground)
    : backend_(backend), header_(header), view_(view), light_(lightBackground) {
    visible_.Add(view.ToDrawing({0, 0}));
    visible_.Add(view.ToDrawing({static_cast<double>(width), static_cast<double>(height)}));
    for (const DashPattern& pattern : header.linetypes) dashes_.push_back(ScreenDashes(pattern, view.scale));
    if (header.sheet.Empty()) return;
    const PictureBounds& s = header.sheet;
    path_ = {Move(At(s.min)), Line(At({s.max.x, s.min.y})), Line(At(s.max)), Line(At({s.min.x, s.max.y})),
             Line(At(s.min))};
    backend_.StrokePath(path_, {0x808080, 0, false, -1, {}});
}

void PictureFrontend::Draw(const Shape& s) {
    const ShapePlan plan = PlanShape(s, visible_, view_.scale);
    const std::uint32_t rgb = ScreenColor(s.color, light_);
    path_.clear();
    switch (plan.draw) {
        case ShapePlan::Draw::Nothing: return;
        case ShapePlan::Draw::Dot: backend_.Dot(At(plan.at), rgb, 1); return;
        case ShapePlan::Draw::Point: backend_.Dot(At(plan.at), rgb, 3); return;
        case ShapePlan::Draw::Disc:
            Circle(plan.at, plan.outer, true);
            if (plan.inner > 0) Circle(plan.at, plan.inner, true);
            backend_.FillPath(path_, rgb, plan.inner > 0 ? FillRule::EvenOdd : FillRule::NonZero, false);
            return;
        case ShapePlan::Draw::WideStroke:
            Outline(s);
            backend_.StrokePath(path_, {rgb, plan.width * view_.scale, true, -1, {}});
            return;
        case ShapePlan::Draw::FilledOutline:
            Outline(s);
            backend_.FillPath(path_, rgb, FillRule::NonZero, true);
            return;
        case ShapePlan::Draw::Text: Text(s, rgb); return;
        case ShapePlan::Draw::Stroke: break;
    }
    Figure(s, plan.sweep);
    StrokeStyle style{rgb, 0, false, -1, {}};
    if (s.linetype >= 0 && static_cast<std::size_t>(s.linetype) < dashes_.size()) {
        style.pattern = s.linetype;
        style.dashes = dashes_[static_cast<std::size_t>(s.linetype)];
    }
    backend_.StrokePath(path_, style);
}

// The shape's own figure, in pixels.
void PictureFrontend::Figure(const Shape& s, double sweep) {
    const double k = view_.scale;
    switch (s.kind) {
        case ShapeKind::Line: path_.insert(path_.end(), {Move(At(s.a)), Line(At(s.b))}); break;
        case ShapeKind::Polyline: Outline(s); break;
        case ShapeKind::Circle: Circle(s.a, s.radius, true); break;
        case ShapeKind::Arc:
            AppendArc(path_, At(s.a), {s.radius * k, 0}, {0, -s.radius * k}, s.start * kDegrees, sweep * kDegrees,
                      true);
            break;
        case ShapeKind::Ellipse:
            AppendArc(path_, At(s.a), {s.b.x * k, -s.b.y * k}, {-s.b.y * s.ratio * k, -s.b.x * s.ratio * k}, s.start,
                      sweep, true);
            break;
        default: break;
    }
}

// A polyline's or a solid's outline: straight segments and bulges' arcs; a
// closed one and a solid back to their start.
void PictureFrontend::Outline(const Shape& s) {
    const std::vector<PictureVertex>& v = s.vertices;
    path_.push_back(Move(At(v[0].at)));
    const std::size_t n = v.size(), segments = s.closed || s.kind == ShapeKind::Solid ? n : n - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        const PictureVertex& from = v[i];
        const PictureVertex& to = v[(i + 1) % n];
        if (from.bulge == 0) {
            path_.push_back(Line(At(to.at)));
            continue;
        }
        const BulgeArc arc = ArcOfBulge(from.at, from.bulge, to.at);
        AppendArc(path_, At(arc.centre), {arc.radius * view_.scale, 0}, {0, -arc.radius * view_.scale},
                  arc.start * kDegrees, arc.sweep * kDegrees, false);
    }
}

// A whole circle, counter-clockwise on paper.
void PictureFrontend::Circle(PicturePoint centre, double radius, bool move) {
    AppendArc(path_, At(centre), {radius * view_.scale, 0}, {0, -radius * view_.scale}, 0, 2 * std::numbers::pi, move);
}

// Glyph units to drawing units (y up), turned and placed, then to pixels;
// a vertical text has each character upright, centred under the one before.
void PictureFrontend::Text(const Shape& s, std::uint32_t rgb) {
    const std::string utf8 = header_.encoding == TextEncoding::Utf8 ? s.text : Cp932ToUtf8(s.text);
    const double c = std::cos(s.angle * kDegrees), n = std::sin(s.angle * kDegrees);
    const double across = s.widthFactor * s.height / kTextFontPixels, up = -s.height / kTextFontPixels;
    const PictureTransform glyphToText = {across, 0, -std::tan(s.oblique * kDegrees) * across, up, 0, 0};
    const PictureTransform textToDrawing = {c, n, -n, c, s.a.x, s.a.y};
    const PictureTransform drawingToPixels = {view_.scale, 0, 0, -view_.scale, view_.dx, view_.dy};
    const PictureTransform place = Then(Then(glyphToText, textToDrawing), drawingToPixels);
    if (!s.vertical) {
        backend_.Text(utf8, place, rgb);
        return;
    }
    double y = kTextAscent * kTextFontPixels;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::string_view rest = std::string_view(utf8).substr(i);
        const std::string_view character = rest.substr(0, Utf8SequenceLength(rest));
        backend_.Text(character, Then({1, 0, 0, 1, -backend_.Advance(character) / 2, y}, place), rgb);
        y += kTextFontPixels;
        i += character.size();
    }
}

void DrawPicture(PictureBackend& backend, const PictureSource& source, const PictureView& view, int width, int height,
                 bool lightBackground) {
    PictureFrontend frontend(backend, source.Header(), view, width, height, lightBackground);
    source.EachShape([&](const Shape& s) { frontend.Draw(s); });
}

}  // namespace orvik
