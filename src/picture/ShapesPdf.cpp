#include "picture/ShapesPdf.h"

#include "picture/PdfPage.h"
#include "picture/PictureFrontend.h"

namespace orvik {
namespace {

constexpr int kSquare = 2, kRound = 1, kBevel = 2;  // PDF's caps and joins

// The picture frontend's primitives as PDF operators on the page.
class PdfBackend final : public PictureBackend {
public:
    PdfBackend(PdfPage& page, const GlyphOutlines& glyphs) : page_(page), glyphs_(glyphs), font_(glyphs.FontName()) {}

    void StrokePath(const PicturePath& path, const StrokeStyle& style) override {
        page_.SetStroke(PdfColorOf(style.rgb), style.width, style.round ? kRound : kSquare,
                        style.round ? kRound : kBevel, style.dashes);
        page_.AppendPath(path);
        page_.Paint(PdfPage::Painting::Stroke);
    }
    void FillPath(const PicturePath& path, std::uint32_t rgb, FillRule rule, bool edge) override {
        const bool evenOdd = rule == FillRule::EvenOdd;
        page_.SetFill(PdfColorOf(rgb));
        if (edge) page_.SetStroke(PdfColorOf(rgb), 0, kSquare, kBevel, {});
        page_.AppendPath(path);
        using P = PdfPage::Painting;
        page_.Paint(edge ? (evenOdd ? P::FillEvenOddAndStroke : P::FillAndStroke)
                         : (evenOdd ? P::FillEvenOdd : P::Fill));
    }
    void Dot(PicturePoint at, std::uint32_t rgb, double diameter) override {
        page_.SetStroke(PdfColorOf(rgb), diameter, kRound, kBevel, {});
        page_.Dots({at});
    }
    double Advance(std::string_view character) override {
        const std::vector<GlyphOutlines::Glyph> run = glyphs_.GlyphsOf(character);
        return run.empty() ? 0 : run[0].advance;
    }
    void Text(std::string_view utf8, const PictureTransform& place, std::uint32_t rgb) override {
        page_.SetFill(PdfColorOf(rgb));
        std::vector<PdfGlyphCode> codes;
        for (const GlyphOutlines::Glyph& g : glyphs_.GlyphsOf(utf8))
            codes.push_back(page_.Glyph(font_, g.id, g.advance, [&](PicturePath& path, PictureBounds& box) {
                glyphs_.Outline(g.id, path, box);
            }));
        const double matrix[6] = {place[0], place[1], place[2], place[3], place[4], place[5]};
        page_.ShowGlyphs(matrix, codes);
    }

private:
    PdfPage& page_;
    const GlyphOutlines& glyphs_;
    std::string font_;
};

}  // namespace

void WriteShapesPdf(const PictureSource& source, const PictureOptions& options, const GlyphOutlines& glyphs,
                    ByteSink& sink) {
    const PictureFrame frame = FrameFor(source.Bounds(), options.width);
    WritePdfPage(frame.width, frame.height, PdfColorOf(options.lightBackground ? 0xFFFFFF : 0x000000), sink,
                 [&](PdfPage& page) {
                     PdfBackend backend(page, glyphs);
                     DrawPicture(backend, source, FrameView(frame), frame.width, frame.height, options.lightBackground);
                 });
}

}  // namespace orvik
