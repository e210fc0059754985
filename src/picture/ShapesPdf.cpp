#include "picture/ShapesPdf.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "picture/PdfPage.h"
#include "picture/PictureView.h"
#include "picture/ShapeGeometry.h"
#include "picture/ShapePlan.h"
#include "text/Cp932.h"

namespace orvik {
namespace {

constexpr double kFontPixels = 100;  // glyph units: pixels of a 100-pixel font
constexpr int kSquare = 2, kRound = 1, kBevel = 2;  // PDF's caps and joins

using Affine = std::array<double, 6>;  // a b c d e f: x' = a x + c y + e, y' = b x + d y + f

Affine Then(const Affine& first, const Affine& second) {  // `first`, then `second`
    return {second[0] * first[0] + second[2] * first[1],
            second[1] * first[0] + second[3] * first[1],
            second[0] * first[2] + second[2] * first[3],
            second[1] * first[2] + second[3] * first[3],
            second[0] * first[4] + second[2] * first[5] + second[4],
            second[1] * first[4] + second[3] * first[5] + second[5]};
}

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
    if (move) path.push_back({PathElement::Kind::Move, at(start), {}, {}});
    for (int i = 0; i < pieces; ++i) {
        const double t0 = start + i * step, t1 = t0 + step;
        const PicturePoint p0 = at(t0), p1 = at(t1), d0 = tangent(t0), d1 = tangent(t1);
        path.push_back(
            {PathElement::Kind::Curve, p1, {p0.x + k * d0.x, p0.y + k * d0.y}, {p1.x - k * d1.x, p1.y - k * d1.y}});
    }
}

class ShapePdfPainter {
public:
    ShapePdfPainter(PdfPage& page, const DisplayList& header, const PictureView& view, int width, int height,
                    bool light, const GlyphOutlines& glyphs)
        : page_(page), header_(header), view_(view), light_(light), glyphs_(glyphs), font_(glyphs.FontName()) {
        visible_.Add(view.ToDrawing({0, 0}));
        visible_.Add(view.ToDrawing({static_cast<double>(width), static_cast<double>(height)}));
        if (!header_.sheet.Empty()) {
            const PictureBounds& s = header_.sheet;
            page_.SetStroke(PdfColorOf(0x808080), 0, kSquare, kBevel, {});
            page_.AppendPath({Move(At(s.min)), Line(At({s.max.x, s.min.y})), Line(At(s.max)),
                              Line(At({s.min.x, s.max.y})), Line(At(s.min))});
            page_.Paint(PdfPage::Painting::Stroke);
        }
    }

    void Paint(const Shape& s);

private:
    static PathElement Move(PicturePoint p) { return {PathElement::Kind::Move, p, {}, {}}; }
    static PathElement Line(PicturePoint p) { return {PathElement::Kind::Line, p, {}, {}}; }
    PicturePoint At(PicturePoint p) const { return view_.ToPixels(p); }
    // A circle's axes in pixels: counter-clockwise on paper.
    PicturePoint U(double r) const { return {r * view_.scale, 0}; }
    PicturePoint W(double r) const { return {0, -r * view_.scale}; }
    void Hairline(const Shape& s, PdfColor color) {
        std::vector<double> dashes;
        if (s.linetype >= 0)
            dashes = ScreenDashes(header_.linetypes[static_cast<std::size_t>(s.linetype)], view_.scale);
        page_.SetStroke(color, 0, kSquare, kBevel, dashes);
    }
    void AppendOutline(PicturePath& path, const Shape& s) const {
        const std::vector<PictureVertex>& v = s.vertices;
        path.push_back(Move(At(v[0].at)));
        const std::size_t n = v.size(), segments = s.closed || s.kind == ShapeKind::Solid ? n : n - 1;
        for (std::size_t i = 0; i < segments; ++i) {
            const PictureVertex& from = v[i];
            const PictureVertex& to = v[(i + 1) % n];
            if (from.bulge == 0) {
                path.push_back(Line(At(to.at)));
                continue;
            }
            const BulgeArc arc = ArcOfBulge(from.at, from.bulge, to.at);
            AppendArc(path, At(arc.centre), U(arc.radius), W(arc.radius), arc.start * std::numbers::pi / 180,
                      arc.sweep * std::numbers::pi / 180, false);
        }
    }
    void Text(const Shape& s, PdfColor color);
    void AppendFigure(PicturePath& path, const Shape& s, const ShapePlan& plan) const;

    PdfPage& page_;
    const DisplayList& header_;
    PictureView view_;
    bool light_;
    const GlyphOutlines& glyphs_;
    std::string font_;
    PictureBounds visible_;
};

void ShapePdfPainter::Text(const Shape& s, PdfColor color) {
    const std::string utf8 = header_.encoding == TextEncoding::Utf8 ? s.text : Cp932ToUtf8(s.text);
    const double turn = s.angle * std::numbers::pi / 180, c = std::cos(turn), n = std::sin(turn);
    // Glyph units to drawing units (y up), turned and placed, then to pixels.
    const double across = s.widthFactor * s.height / kFontPixels, up = -s.height / kFontPixels;
    const Affine glyphToText = {across, 0, -std::tan(s.oblique * std::numbers::pi / 180) * across, up, 0, 0};
    const Affine textToDrawing = {c, n, -n, c, s.a.x, s.a.y};
    const Affine drawingToPixels = {view_.scale, 0, 0, -view_.scale, view_.dx, view_.dy};
    const Affine place = Then(Then(glyphToText, textToDrawing), drawingToPixels);
    page_.SetFill(color);
    const std::vector<GlyphOutlines::Glyph> run = glyphs_.GlyphsOf(utf8);
    const auto code = [&](const GlyphOutlines::Glyph& g) {
        return page_.Glyph(font_, g.id, g.advance,
                           [&](PicturePath& path, PictureBounds& box) { glyphs_.Outline(g.id, path, box); });
    };
    if (!s.vertical) {
        std::vector<PdfGlyphCode> codes;
        for (const GlyphOutlines::Glyph& g : run) codes.push_back(code(g));
        const double matrix[6] = {place[0], place[1], place[2], place[3], place[4], place[5]};
        page_.ShowGlyphs(matrix, codes);
        return;
    }
    // Vertical writing: each character upright, centred under the one before.
    double y = kTextAscent * kFontPixels;
    for (const GlyphOutlines::Glyph& g : run) {
        const Affine at = Then({1, 0, 0, 1, -g.advance / 2, y}, place);
        const double matrix[6] = {at[0], at[1], at[2], at[3], at[4], at[5]};
        page_.ShowGlyphs(matrix, {code(g)});
        y += kFontPixels;
    }
}

void ShapePdfPainter::Paint(const Shape& s) {
    const ShapePlan plan = PlanShape(s, visible_, view_.scale);
    const PdfColor color = PdfColorOf(ScreenColor(s.color, light_));
    PicturePath path;
    switch (plan.draw) {
        case ShapePlan::Draw::Nothing: return;
        case ShapePlan::Draw::Dot:
            page_.SetStroke(color, 1, kRound, kBevel, {});
            page_.Dots({At(plan.at)});
            return;
        case ShapePlan::Draw::Disc: {
            const PicturePoint centre = At(plan.at);
            AppendArc(path, centre, U(plan.outer), W(plan.outer), 0, 2 * std::numbers::pi, true);
            if (plan.inner > 0) AppendArc(path, centre, U(plan.inner), W(plan.inner), 0, 2 * std::numbers::pi, true);
            page_.SetFill(color);
            page_.AppendPath(path);
            page_.Paint(plan.inner > 0 ? PdfPage::Painting::FillEvenOdd : PdfPage::Painting::Fill);
            return;
        }
        case ShapePlan::Draw::WideStroke:
            AppendOutline(path, s);
            page_.SetStroke(color, plan.width * view_.scale, kRound, kRound, {});
            page_.AppendPath(path);
            page_.Paint(PdfPage::Painting::Stroke);
            return;
        case ShapePlan::Draw::FilledOutline:
            AppendOutline(path, s);
            page_.SetFill(color);
            page_.SetStroke(color, 0, kSquare, kBevel, {});
            page_.AppendPath(path);
            page_.Paint(PdfPage::Painting::FillAndStroke);
            return;
        case ShapePlan::Draw::Text: Text(s, color); return;
        case ShapePlan::Draw::Point:
            page_.SetStroke(color, 3, kRound, kBevel, {});
            page_.Dots({At(plan.at)});
            return;
        case ShapePlan::Draw::Stroke: break;
    }
    AppendFigure(path, s, plan);
    Hairline(s, color);
    page_.AppendPath(path);
    page_.Paint(PdfPage::Painting::Stroke);
}

// The shape's own figure, in pixels.
void ShapePdfPainter::AppendFigure(PicturePath& path, const Shape& s, const ShapePlan& plan) const {
    switch (s.kind) {
        case ShapeKind::Line: path.insert(path.end(), {Move(At(s.a)), Line(At(s.b))}); break;
        case ShapeKind::Polyline: AppendOutline(path, s); break;
        case ShapeKind::Circle:
            AppendArc(path, At(s.a), U(s.radius), W(s.radius), 0, 2 * std::numbers::pi, true);
            break;
        case ShapeKind::Arc:
            AppendArc(path, At(s.a), U(s.radius), W(s.radius), s.start * std::numbers::pi / 180,
                      plan.sweep * std::numbers::pi / 180, true);
            break;
        case ShapeKind::Ellipse: {
            const PicturePoint u{s.b.x * view_.scale, -s.b.y * view_.scale};
            const PicturePoint w{-s.b.y * s.ratio * view_.scale, -s.b.x * s.ratio * view_.scale};
            AppendArc(path, At(s.a), u, w, s.start, plan.sweep, true);
            break;
        }
        default: break;
    }
}

}  // namespace

void WriteShapesPdf(const PictureSource& source, const PictureOptions& options, const GlyphOutlines& glyphs,
                    ByteSink& sink) {
    const PictureFrame frame = FrameFor(source.Bounds(), options.width);
    const PictureView view{frame.scale, -frame.origin.x * frame.scale, frame.origin.y * frame.scale};
    WritePdfPage(frame.width, frame.height, PdfColorOf(options.lightBackground ? 0xFFFFFF : 0x000000), sink,
                 [&](PdfPage& page) {
                     ShapePdfPainter painter(page, source.Header(), view, frame.width, frame.height,
                                             options.lightBackground, glyphs);
                     source.EachShape([&](const Shape& s) { painter.Paint(s); });
                 });
}

}  // namespace orvik
