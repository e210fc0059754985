// The picture font's glyph outlines from GDI (GetGlyphOutlineW), for the
// PDF pictures drawn on Windows: the picture family where it is installed,
// else the Gothic every Japanese Windows has, at 100 pixels.
#pragma once

#include <windows.h>

#include "picture/ShapesPdf.h"

namespace orvik::win {

class GdiGlyphs : public GlyphOutlines {
public:
    GdiGlyphs();
    ~GdiGlyphs() override;
    GdiGlyphs(const GdiGlyphs&) = delete;
    GdiGlyphs& operator=(const GdiGlyphs&) = delete;

    std::string FontName() const override { return face_; }
    std::vector<Glyph> GlyphsOf(std::string_view utf8) const override;
    void Outline(std::uint32_t glyph, PicturePath& path, PictureBounds& box) const override;

private:
    HDC dc_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ old_ = nullptr;
    std::string face_;
};

}  // namespace orvik::win
