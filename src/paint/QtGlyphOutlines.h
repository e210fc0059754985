// The picture font's glyph outlines from Qt's fonts: the glyph port of the
// PDF written straight from the shapes (picture/ShapesPdf.h), as GDI's is on
// Windows; and a painter's path as the PDF page takes it.
#pragma once

#include <QPainterPath>
#include <QRawFont>
#include <QTransform>

#include "picture/ShapesPdf.h"

namespace orvik {

PicturePath ToPicturePath(const QPainterPath& path, const QTransform& transform = QTransform());

// Needs Qt's GUI application (fonts).
class QtGlyphOutlines : public GlyphOutlines {
public:
    QtGlyphOutlines();
    std::string FontName() const override;
    std::vector<Glyph> GlyphsOf(std::string_view utf8) const override;
    void Outline(std::uint32_t glyph, PicturePath& path, PictureBounds& box) const override;

private:
    QRawFont raw_;
};

}  // namespace orvik
