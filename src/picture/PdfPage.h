// A picture as a one-page PDF file, streamed: what is drawn is turned into
// PDF operators as it comes and compressed into the sink, so a picture of
// any size takes no more memory than its largest shape. Toolkit-free: the
// picture's PDF backend (ShapesPdf) draws on it, with glyph outlines from
// the platform's fonts.
//
// The page is the picture's size, a pixel a point; what is drawn is in
// pixels, y down. Lines keep their colour, width (0: PDF's thinnest line)
// and dashes; fills their colour and rule; texts are drawn with the outlines
// of their glyphs, each glyph once as a glyph of a Type 3 font (255 to a
// font), so that no font is embedded and Japanese texts show in every reader.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "output/ByteSink.h"
#include "picture/PicturePath.h"

namespace orvik {

// A glyph's code in the page's glyph fonts: font /G<font>, code 1..255.
struct PdfGlyphCode {
    int font = 0;
    int code = 0;
};

// Red, green and blue from 0 to 1.
struct PdfColor {
    double r = 0, g = 0, b = 0;
};
PdfColor PdfColorOf(std::uint32_t rgb);  // 0xRRGGBB

class PdfPage {
public:
    virtual ~PdfPage() = default;
    // Line caps and joins as PDF numbers them: 0 butt/miter, 1 round, 2 square/bevel.
    virtual void SetStroke(PdfColor color, double width, int cap, int join, std::span<const double> dashes) = 0;
    virtual void SetFill(PdfColor color) = 0;
    virtual void AppendPath(const PicturePath& path) = 0;
    enum class Painting { Stroke, Fill, FillEvenOdd, FillAndStroke, FillEvenOddAndStroke };
    // Paints the path appended since the last painting.
    virtual void Paint(Painting how) = 0;
    // Dots: at each point a stroke of no length, shown by the stroke's round caps.
    virtual void Dots(const std::vector<PicturePoint>& points) = 0;
    // The glyph's code, its drawing made by `outline` (in the glyph's units:
    // pixels of a 100-pixel font, y down, from the base line's start) and
    // `box` when the page first meets it; `font` names the font and size.
    virtual PdfGlyphCode Glyph(const std::string& font, std::uint32_t glyph, double advance,
                               const std::function<void(PicturePath& outline, PictureBounds& box)>& outline) = 0;
    // The glyphs, in text space placed by `matrix` (a b c d e f: glyph units
    // of a 100-pixel font to pixels), filled with the fill colour.
    virtual void ShowGlyphs(const double (&matrix)[6], const std::vector<PdfGlyphCode>& glyphs) = 0;
};

// Writes the file: a page `width` × `height` with its background, on
// which `draw` draws. Throws what the sink throws.
void WritePdfPage(int width, int height, PdfColor background, ByteSink& sink,
                  const std::function<void(PdfPage&)>& draw);

}  // namespace orvik
