#include "paint/PdfPicture.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QTextItem>

#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "paint/PicturePainter.h"
#include "paint/QtGlyphOutlines.h"
#include "picture/PdfPage.h"

namespace orvik {
namespace {

PdfColor ColorOf(const QColor& c) { return {c.redF(), c.greenF(), c.blueF()}; }

// Turns what a painter draws into the page's paths and glyphs: paths
// stroked with the pen, filled with the brush, in device pixels.
class PdfEngine final : public QPaintEngine {
public:
    explicit PdfEngine(PdfPage& page) : QPaintEngine(AllFeatures & ~(PorterDuff | PerspectiveTransform)), page_(page) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState& state) override {
        const QPaintEngine::DirtyFlags dirty = state.state();
        if (dirty & DirtyPen) pen_ = state.pen();
        if (dirty & DirtyBrush) brush_ = state.brush();
        if (dirty & DirtyTransform) transform_ = state.transform();
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}  // pictures hold none

    void drawPath(const QPainterPath& path) override { Emit(path, true); }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        QPainterPath path;
        if (count == 0) return;
        path.moveTo(points[0]);
        for (int i = 1; i < count; ++i) path.lineTo(points[i]);
        if (mode != PolylineMode) path.closeSubpath();
        path.setFillRule(mode == OddEvenMode ? Qt::OddEvenFill : Qt::WindingFill);
        Emit(path, mode != PolylineMode);
    }
    void drawLines(const QLineF* lines, int count) override {
        QPainterPath path;
        for (int i = 0; i < count; ++i) {
            path.moveTo(lines[i].p1());
            path.lineTo(lines[i].p2());
        }
        Emit(path, false);
    }
    void drawTextItem(const QPointF& at, const QTextItem& item) override {
        const QRawFont raw = QRawFont::fromFont(item.font());
        const QList<quint32> glyphs = raw.glyphIndexesForString(item.text());
        if (glyphs.isEmpty() || !raw.isValid()) return;
        const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
        page_.SetFill(ColorOf(pen_.color()));
        // Text space: the painter's, from the text's start; a glyph unit a
        // pixel of the font (FontMatrix 0.01, size 100).
        const QTransform t = QTransform::fromTranslate(at.x(), at.y()) * transform_;
        const double matrix[6] = {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()};
        const std::string font =
            (raw.familyName() + QChar('/') + raw.styleName() + QChar('/') + QString::number(raw.pixelSize()))
                .toStdString();
        std::vector<PdfGlyphCode> codes;
        for (qsizetype i = 0; i < glyphs.size(); ++i)
            codes.push_back(
                page_.Glyph(font, glyphs[i], advances[i].x(), [&](PicturePath& outline, PictureBounds& box) {
                    // The glyph in its own units (pixels at the font's size, y down as the page's device space).
                    const QPainterPath path = raw.pathForGlyph(glyphs[i]);
                    const QRectF r = path.boundingRect();
                    outline = ToPicturePath(path);
                    box.min = {r.left(), r.top()};
                    box.max = {r.right(), r.bottom()};
                }));
        page_.ShowGlyphs(matrix, codes);
    }

    void drawPoints(const QPointF* points, int count) override {
        // A point: a line of no length with round ends, as wide as the pen (a pixel at least).
        QPen dot = pen_;
        dot.setCapStyle(Qt::RoundCap);
        SetStroke(dot, true);
        std::vector<PicturePoint> dots;
        for (int i = 0; i < count; ++i) {
            const QPointF at = transform_.map(points[i]);
            dots.push_back({at.x(), at.y()});
        }
        page_.Dots(dots);
    }

private:
    // `visible`: never PDF's thinnest line, which some readers leave out for a dot.
    void SetStroke(const QPen& pen, bool visible = false) {
        const double scale = pen.isCosmetic() ? 1 : std::sqrt(std::fabs(transform_.determinant()));
        double width = pen.widthF() * scale;
        if (visible)
            width = std::max(width, 1.0);
        else if (pen.isCosmetic() && pen.widthF() <= 1)
            width = 0;
        std::vector<double> dashes;
        if (pen.style() != Qt::SolidLine) {
            const double unit = width > 0 ? width : 1;  // dashes count in pen widths; a cosmetic pen's in pixels
            for (const qreal dash : pen.dashPattern()) dashes.push_back(dash * unit);
        }
        const int cap = pen.capStyle() == Qt::RoundCap ? 1 : pen.capStyle() == Qt::SquareCap ? 2 : 0;
        const int join = pen.joinStyle() == Qt::RoundJoin ? 1 : pen.joinStyle() == Qt::BevelJoin ? 2 : 0;
        page_.SetStroke(ColorOf(pen.color()), width, cap, join, dashes);
    }

    // The path stroked with the pen and, when `fill`, filled with the brush.
    void Emit(const QPainterPath& path, bool fill) {
        const bool filled = fill && brush_.style() != Qt::NoBrush;
        const bool stroked = pen_.style() != Qt::NoPen;
        if (path.isEmpty() || (!filled && !stroked)) return;
        if (filled) page_.SetFill(ColorOf(brush_.color()));
        if (stroked) SetStroke(pen_);
        page_.AppendPath(ToPicturePath(path, transform_));
        const bool evenOdd = path.fillRule() == Qt::OddEvenFill;
        using P = PdfPage::Painting;
        page_.Paint(filled && stroked ? (evenOdd ? P::FillEvenOddAndStroke : P::FillAndStroke)
                    : filled          ? (evenOdd ? P::FillEvenOdd : P::Fill)
                                      : P::Stroke);
    }

    PdfPage& page_;
    QPen pen_;
    QBrush brush_;
    QTransform transform_;
};

// The page a painter draws on: its size in pixels (points), and the engine.
class PdfDevice final : public QPaintDevice {
public:
    PdfDevice(int width, int height, PdfPage& page) : width_(width), height_(height), engine_(page) {}
    QPaintEngine* paintEngine() const override { return &engine_; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
            case PdmWidth: return width_;
            case PdmHeight: return height_;
            case PdmWidthMM: return static_cast<int>(width_ * 25.4 / 72);
            case PdmHeightMM: return static_cast<int>(height_ * 25.4 / 72);
            case PdmDpiX:
            case PdmDpiY:
            case PdmPhysicalDpiX:
            case PdmPhysicalDpiY: return 72;
            case PdmDevicePixelRatio: return 1;
            case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
            case PdmDepth: return 32;
            case PdmNumColors: return INT_MAX;
            default: return 0;
        }
    }

private:
    int width_, height_;
    mutable PdfEngine engine_;
};

}  // namespace

void WritePdfPicture(const PictureSource& source, const PictureOptions& options, ByteSink& sink) {
    const PictureFrame frame = FrameFor(source.Bounds(), options.width);
    WritePdfPage(frame.width, frame.height, PdfColorOf(options.lightBackground ? 0xFFFFFF : 0x000000), sink,
                 [&](PdfPage& page) {
                     PdfDevice device(frame.width, frame.height, page);
                     QPainter painter(&device);
                     PaintPicture(painter, source, ViewTransform(frame), options.lightBackground);
                 });
}

}  // namespace orvik
