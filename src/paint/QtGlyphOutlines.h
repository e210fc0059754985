// The picture font's glyph outlines from Qt's fonts: the glyph port of the
// PDF pictures (picture/ShapesPdf.h) on Linux, as GDI's is on Windows.
#pragma once

#include <QRawFont>

#include "picture/ShapesPdf.h"

namespace orvik {

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
