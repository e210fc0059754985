#include "paint/PicturePainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QPen>

#include <map>
#include <tuple>

#include "picture/PictureFrontend.h"

namespace orvik {
namespace {

QPointF ToQt(PicturePoint p) { return {p.x, p.y}; }
QColor ColorOf(std::uint32_t rgb) { return QColor::fromRgb(rgb); }

QPainterPath ToQt(const PicturePath& path) {
    QPainterPath out;
    for (const PathElement& e : path) switch (e.kind) {
            case PathElement::Kind::Move: out.moveTo(ToQt(e.to)); break;
            case PathElement::Kind::Line: out.lineTo(ToQt(e.to)); break;
            case PathElement::Kind::Curve: out.cubicTo(ToQt(e.c1), ToQt(e.c2), ToQt(e.to)); break;
        }
    return out;
}

QString FromUtf8(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

// The picture frontend's primitives with QPainter, in device pixels.
class QtBackend final : public PictureBackend {
public:
    explicit QtBackend(QPainter& painter) : painter_(painter), font_(kPictureFontFamily) {
        font_.setPixelSize(static_cast<int>(kTextFontPixels));
        painter_.setRenderHint(QPainter::Antialiasing);
        painter_.setFont(font_);
        painter_.setBrush(Qt::NoBrush);
    }

    void StrokePath(const PicturePath& path, const StrokeStyle& style) override {
        UsePen(PenFor(style));
        if (path.size() == 2 && path[1].kind == PathElement::Kind::Line)
            painter_.drawLine(ToQt(path[0].to), ToQt(path[1].to));
        else
            painter_.drawPath(ToQt(path));
    }
    void FillPath(const PicturePath& path, std::uint32_t rgb, FillRule rule, bool edge) override {
        UsePen(edge ? QPen(ColorOf(rgb), 0) : QPen(Qt::NoPen));
        QPainterPath figure = ToQt(path);
        figure.setFillRule(rule == FillRule::EvenOdd ? Qt::OddEvenFill : Qt::WindingFill);
        painter_.setBrush(ColorOf(rgb));
        painter_.drawPath(figure);
        painter_.setBrush(Qt::NoBrush);
    }
    void Dot(PicturePoint at, std::uint32_t rgb, double diameter) override {
        QPen dot(ColorOf(rgb), diameter > 1 ? diameter : 0);
        dot.setCapStyle(Qt::RoundCap);
        UsePen(dot);
        painter_.drawPoint(ToQt(at));
    }
    double Advance(std::string_view character) override {
        return QFontMetricsF(font_).horizontalAdvance(FromUtf8(character));
    }
    void Text(std::string_view utf8, const PictureTransform& place, std::uint32_t rgb) override {
        UsePen(QPen(ColorOf(rgb)));
        painter_.setTransform(QTransform(place[0], place[1], place[2], place[3], place[4], place[5]), true);
        painter_.drawText(QPointF(0, 0), FromUtf8(utf8));
        painter_.setTransform(base_);
    }

private:
    // A hairline's pen, made once per colour and line type.
    const QPen& PenFor(const StrokeStyle& style) {
        auto [at, added] = pens_.try_emplace({style.rgb, style.pattern, style.width, style.round});
        if (!added) return at->second;
        QPen pen(ColorOf(style.rgb), style.width);
        if (style.round) {
            pen.setCapStyle(Qt::RoundCap);
            pen.setJoinStyle(Qt::RoundJoin);
        }
        if (!style.dashes.empty()) {
            // Qt's dashes are in pen widths; a hairline's is one pixel.
            pen.setDashPattern(QList<qreal>(style.dashes.begin(), style.dashes.end()));
        }
        at->second = pen;
        return at->second;
    }
    // Setting a pen costs even when it is the same.
    void UsePen(const QPen& pen) {
        if (pen == current_) return;
        painter_.setPen(pen);
        current_ = pen;
    }

    QPainter& painter_;
    QFont font_;
    QTransform base_ = painter_.transform();
    std::map<std::tuple<std::uint32_t, int, double, bool>, QPen> pens_;
    QPen current_;
};

}  // namespace

void PaintDisplayList(QPainter& painter, const DisplayList& list, const PictureView& view, bool lightBackground) {
    QtBackend backend(painter);
    const QRect device = painter.viewport();
    PictureFrontend frontend(backend, list, view, device.width(), device.height(), lightBackground);
    for (const Shape& s : list.shapes) frontend.Draw(s);
}

QImage RenderPicture(const PictureSource& source, const PictureOptions& options) {
    const PictureFrame frame = FrameFor(source.Bounds(), options.width);
    QImage image(frame.width, frame.height, QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(options.lightBackground ? Qt::white : Qt::black);
    QPainter painter(&image);
    QtBackend backend(painter);
    DrawPicture(backend, source, FrameView(frame), frame.width, frame.height, options.lightBackground);
    return image;
}

}  // namespace orvik
