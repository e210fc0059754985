// A picture as a one-page PDF (PdfPage): the picture frontend's drawing
// with glyph outlines from a port (Qt's fonts on Linux, GDI's on Windows).
// The page looks as the window draws the shapes: the sheet's grey frame,
// hairlines with their dashes, wide polylines with round ends, filled
// solids, discs and rings, texts as their glyphs, points as dots.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "output/ByteSink.h"
#include "picture/PicturePath.h"
#include "picture/PictureSource.h"
#include "picture/SvgPicture.h"

namespace orvik {

// The glyphs of the picture font (kPictureFontFamily or the platform's
// Japanese Gothic) at 100 pixels.
class GlyphOutlines {
public:
    virtual ~GlyphOutlines() = default;
    struct Glyph {
        std::uint32_t id = 0;
        double advance = 0;  // pixels
    };
    // The font, for the page's glyph table.
    virtual std::string FontName() const = 0;
    // One glyph per character of the text (UTF-8).
    virtual std::vector<Glyph> GlyphsOf(std::string_view utf8) const = 0;
    // The glyph's outline and box: pixels, y down, from the base line's start.
    virtual void Outline(std::uint32_t glyph, PicturePath& path, PictureBounds& box) const = 0;
};

// Throws what the sink throws.
void WriteShapesPdf(const PictureSource& source, const PictureOptions& options, const GlyphOutlines& glyphs,
                    ByteSink& sink);

}  // namespace orvik
