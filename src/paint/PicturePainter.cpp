#include "paint/PicturePainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <utility>

#include "picture/ShapeGeometry.h"
#include "picture/ShapePlan.h"
#include "text/Cp932.h"

namespace orvik {
namespace {

constexpr int kFontPixels = 100;  // texts are drawn at this size, scaled to their height

QPointF ToQt(PicturePoint p) { return {p.x, p.y}; }

PictureBounds BoundsOf(const QRectF& r) { return {{r.left(), r.top()}, {r.right(), r.bottom()}}; }

// The bulge's arc from q to p appended to the path.
void ArcSegment(QPainterPath& path, PicturePoint q, double bulge, PicturePoint p) {
    if (bulge == 0) {
        path.lineTo(ToQt(p));
        return;
    }
    const BulgeArc arc = ArcOfBulge(q, bulge, p);
    // QPainterPath angles run the other way round in the flipped drawing.
    path.arcTo(QRectF(arc.centre.x - arc.radius, arc.centre.y - arc.radius, 2 * arc.radius, 2 * arc.radius), -arc.start,
               -arc.sweep);
}

QPainterPath PolylinePath(const Shape& s) {
    QPainterPath path;
    if (s.vertices.empty()) return path;
    path.moveTo(ToQt(s.vertices[0].at));
    for (std::size_t i = 1; i < s.vertices.size(); ++i)
        ArcSegment(path, s.vertices[i - 1].at, s.vertices[i - 1].bulge, s.vertices[i].at);
    if (s.closed && s.vertices.size() > 1)
        ArcSegment(path, s.vertices.back().at, s.vertices.back().bulge, s.vertices[0].at);
    return path;
}

QPainterPath EllipsePath(const Shape& s, double sweep) {
    const double major = std::hypot(s.b.x, s.b.y);
    QPainterPath path;
    const QRectF box(-major, -major * s.ratio, 2 * major, 2 * major * s.ratio);
    path.arcMoveTo(box, -s.start * 180 / std::numbers::pi);
    path.arcTo(box, -s.start * 180 / std::numbers::pi, -sweep * 180 / std::numbers::pi);
    QTransform place;
    place.translate(s.a.x, s.a.y);
    place.rotateRadians(std::atan2(s.b.y, s.b.x));
    return place.map(path);
}

void PaintText(QPainter& painter, const Shape& s, const QTransform& view, TextEncoding encoding, const QFont& font) {
    const std::string utf8 = encoding == TextEncoding::Utf8 ? s.text : Cp932ToUtf8(s.text);
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    QTransform t = view;
    t.translate(s.a.x, s.a.y);
    t.rotate(s.angle);
    t.scale(s.widthFactor * s.height / kFontPixels, -s.height / kFontPixels);
    t.shear(-std::tan(s.oblique * std::numbers::pi / 180), 0);  // slanted: upwards (font y < 0) moves right
    painter.setTransform(t);
    if (!s.vertical) {
        painter.drawText(QPointF(0, 0), text);
        return;
    }
    // Vertical writing: each character upright, centred under the one before.
    const QFontMetricsF metrics(font);
    double y = kTextAscent * kFontPixels;
    for (const QChar& c : text) {
        if (c.isLowSurrogate()) continue;
        painter.drawText(QPointF(-metrics.horizontalAdvance(c) / 2, y), QString(c));
        y += kFontPixels;
    }
}

}  // namespace

QTransform ViewTransform(const PictureFrame& frame) {
    return QTransform(frame.scale, 0, 0, -frame.scale, -frame.origin.x * frame.scale, frame.origin.y * frame.scale);
}

namespace {

// Draws shapes one at a time under a view: the sheet's frame first, one
// pen per colour and line type, made once.
class ShapePainter {
public:
    ShapePainter(QPainter& painter, const DisplayList& header, const QTransform& view, bool lightBackground)
        : painter_(painter),
          header_(header),
          view_(view),
          light_(lightBackground),
          visible_(BoundsOf(view.inverted().mapRect(QRectF(painter.viewport())))),
          scale_(std::hypot(view.m11(), view.m12())),
          font_(kPictureFontFamily) {
        painter_.setRenderHint(QPainter::Antialiasing);
        painter_.setTransform(view_);
        painter_.setBrush(Qt::NoBrush);
        if (!header_.sheet.Empty()) {
            UsePen(QPen(QColor(0x80, 0x80, 0x80), 0));
            painter_.drawRect(QRectF(ToQt(header_.sheet.min), ToQt(header_.sheet.max)));
        }
        font_.setPixelSize(kFontPixels);
        painter_.setFont(font_);
    }
    ~ShapePainter() { painter_.setTransform(QTransform()); }

    void Paint(const Shape& s);

private:
    void Stroke(const Shape& s, const ShapePlan& plan);
    // Setting a pen costs a state change in a PDF even when it is the same.
    void UsePen(const QPen& pen) {
        if (pen == current_) return;
        painter_.setPen(pen);
        current_ = pen;
    }

    const QPen& PenFor(const Shape& s) {
        auto [at, added] = pens_.try_emplace({s.color, s.linetype});
        if (!added) return at->second;
        QPen pen(QColor::fromRgb(ScreenColor(s.color, light_)), 0);  // cosmetic: one pixel at any zoom
        if (s.linetype >= 0) {
            const std::vector<double> dashes =
                ScreenDashes(header_.linetypes[static_cast<std::size_t>(s.linetype)], scale_);
            if (!dashes.empty()) pen.setDashPattern(QList<qreal>(dashes.begin(), dashes.end()));
        }
        at->second = pen;
        return at->second;
    }

    QPainter& painter_;
    const DisplayList& header_;
    QTransform view_;
    bool light_;
    PictureBounds visible_;
    double scale_;
    QFont font_;
    std::map<std::pair<int, int>, QPen> pens_;
    QPen current_;
    bool moved_ = false;
};

void ShapePainter::Paint(const Shape& s) {
    const ShapePlan plan = PlanShape(s, visible_, scale_);
    if (plan.draw == ShapePlan::Draw::Nothing) return;
    QPen pen = PenFor(s);
    const QColor color = pen.color();
    if (moved_) {  // a text moved the painter
        painter_.setTransform(view_);
        moved_ = false;
    }
    switch (plan.draw) {
        case ShapePlan::Draw::Nothing: break;
        case ShapePlan::Draw::Dot:
            UsePen(QPen(color, 0));
            painter_.drawPoint(ToQt(plan.at));
            break;
        case ShapePlan::Draw::Disc: {
            UsePen(QPen(Qt::NoPen));
            painter_.setBrush(color);
            if (plan.inner > 0) {
                QPainterPath ring;
                ring.addEllipse(ToQt(plan.at), plan.outer, plan.outer);
                ring.addEllipse(ToQt(plan.at), plan.inner, plan.inner);
                painter_.drawPath(ring);
            } else {
                painter_.drawEllipse(ToQt(plan.at), plan.outer, plan.outer);
            }
            painter_.setBrush(Qt::NoBrush);
            break;
        }
        case ShapePlan::Draw::WideStroke:
            pen.setWidthF(plan.width);
            pen.setCapStyle(Qt::RoundCap);
            pen.setJoinStyle(Qt::RoundJoin);
            UsePen(pen);
            painter_.drawPath(PolylinePath(s));
            break;
        case ShapePlan::Draw::FilledOutline:
            UsePen(QPen(color, 0));
            painter_.setBrush(color);
            painter_.drawPath(PolylinePath(s));
            painter_.setBrush(Qt::NoBrush);
            break;
        case ShapePlan::Draw::Text:
            UsePen(QPen(color));
            PaintText(painter_, s, view_, header_.encoding, font_);
            moved_ = true;
            break;
        case ShapePlan::Draw::Point: {
            QPen dot(color, 3);
            dot.setCosmetic(true);
            dot.setCapStyle(Qt::RoundCap);
            UsePen(dot);
            painter_.drawPoint(ToQt(plan.at));
            break;
        }
        case ShapePlan::Draw::Stroke:
            UsePen(pen);
            Stroke(s, plan);
            break;
    }
}

// The shape's own figure with the pen in use.
void ShapePainter::Stroke(const Shape& s, const ShapePlan& plan) {
    switch (s.kind) {
        case ShapeKind::Line: painter_.drawLine(ToQt(s.a), ToQt(s.b)); break;
        case ShapeKind::Polyline: painter_.drawPath(PolylinePath(s)); break;
        case ShapeKind::Circle: painter_.drawEllipse(ToQt(s.a), s.radius, s.radius); break;
        case ShapeKind::Arc: {
            const QRectF box(s.a.x - s.radius, s.a.y - s.radius, 2 * s.radius, 2 * s.radius);
            painter_.drawArc(box, static_cast<int>(std::lround(-s.start * 16)),
                             static_cast<int>(std::lround(-plan.sweep * 16)));
            break;
        }
        case ShapeKind::Ellipse: painter_.drawPath(EllipsePath(s, plan.sweep)); break;
        default: break;
    }
}

}  // namespace

void PaintDisplayList(QPainter& painter, const DisplayList& list, const QTransform& view, bool lightBackground) {
    ShapePainter shapes(painter, list, view, lightBackground);
    for (const Shape& s : list.shapes) shapes.Paint(s);
}

void PaintPicture(QPainter& painter, const PictureSource& source, const QTransform& view, bool lightBackground) {
    ShapePainter shapes(painter, source.Header(), view, lightBackground);
    source.EachShape([&](const Shape& s) { shapes.Paint(s); });
}

QImage RenderPicture(const PictureSource& source, const PictureOptions& options) {
    const PictureFrame frame = FrameFor(source.Bounds(), options.width);
    QImage image(frame.width, frame.height, QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(options.lightBackground ? Qt::white : Qt::black);
    QPainter painter(&image);
    PaintPicture(painter, source, ViewTransform(frame), options.lightBackground);
    return image;
}

}  // namespace orvik
