#include "paint/QtGlyphOutlines.h"

#include <QFont>
#include <QPainterPath>

namespace orvik {
namespace {

PicturePath ToPicturePath(const QPainterPath& path) {
    PicturePath out;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const QPointF p(e.x, e.y);
        switch (e.type) {
            case QPainterPath::MoveToElement: out.push_back({PathElement::Kind::Move, {p.x(), p.y()}, {}, {}}); break;
            case QPainterPath::LineToElement: out.push_back({PathElement::Kind::Line, {p.x(), p.y()}, {}, {}}); break;
            case QPainterPath::CurveToElement: out.push_back({PathElement::Kind::Curve, {}, {p.x(), p.y()}, {}}); break;
            case QPainterPath::CurveToDataElement: {
                PathElement& curve = out.back();
                if (i + 1 < path.elementCount() && path.elementAt(i + 1).type == QPainterPath::CurveToDataElement)
                    curve.c2 = {p.x(), p.y()};
                else
                    curve.to = {p.x(), p.y()};
                break;
            }
        }
    }
    return out;
}

}  // namespace

QtGlyphOutlines::QtGlyphOutlines() {
    QFont font(QString::fromLatin1(kPictureFontFamily));
    font.setPixelSize(100);
    raw_ = QRawFont::fromFont(font);
}

std::string QtGlyphOutlines::FontName() const {
    return (raw_.familyName() + QChar('/') + raw_.styleName() + QChar('/') + QString::number(raw_.pixelSize()))
        .toStdString();
}

std::vector<GlyphOutlines::Glyph> QtGlyphOutlines::GlyphsOf(std::string_view utf8) const {
    const QList<quint32> glyphs =
        raw_.glyphIndexesForString(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    const QList<QPointF> advances = raw_.advancesForGlyphIndexes(glyphs);
    std::vector<Glyph> out;
    for (qsizetype i = 0; i < glyphs.size(); ++i) out.push_back({glyphs[i], advances[i].x()});
    return out;
}

void QtGlyphOutlines::Outline(std::uint32_t glyph, PicturePath& path, PictureBounds& box) const {
    const QPainterPath outline = raw_.pathForGlyph(glyph);
    const QRectF r = outline.boundingRect();
    path = ToPicturePath(outline);
    box.min = {r.left(), r.top()};
    box.max = {r.right(), r.bottom()};
}

}  // namespace orvik
