// The pictures on Windows: PNG drawn with GDI+, PDF drawn from the shapes
// with GDI's glyph outlines.
#include <mutex>
#include <vector>

#include "cli/Pictures.h"
#include "text/Messages.h"
#include "winpaint/GdiGlyphs.h"
#include "winpaint/GdiplusPainter.h"

namespace orvik::cli {
namespace {

std::mutex drawing;  // one picture at a time, as on Linux

}  // namespace

bool CanDrawPictures(PictureType) { return true; }

void StartPictures() { static const win::GdiplusSession gdiplus; }

void DrawPicture(const PictureSource& source, PictureType type, const PictureOptions& options, ByteSink& sink) {
    const std::lock_guard lock(drawing);
    StartPictures();
    if (type == PictureType::Pdf) {
        static const win::GdiGlyphs glyphs;
        WriteShapesPdf(source, options, glyphs, sink);
        return;
    }
    std::unique_ptr<Gdiplus::Bitmap> bitmap = win::RenderPicture(source, options);
    if (!bitmap) throw FailureError(Reason::PictureNotMade, WithReason(kPictureNotMade, kOutOfMemory));
    std::vector<char> png;
    if (!win::EncodePng(*bitmap, png)) throw FailureError(Reason::PictureNotMade, std::string(kPictureNotMade));
    sink.Write(std::string_view(png.data(), png.size()));
}

}  // namespace orvik::cli
