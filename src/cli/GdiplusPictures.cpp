// The pictures drawn with GDI+ on Windows: PNG. (PDF pictures need the PDF
// writer, which still draws through Qt: not in this build.)
#include <mutex>
#include <vector>

#include "cli/Pictures.h"
#include "text/Messages.h"
#include "win/GdiplusPainter.h"

namespace orvik::cli {
namespace {

std::mutex drawing;  // one picture at a time, as on Linux

}  // namespace

bool CanDrawPictures(PictureType type) { return type != PictureType::Pdf; }

void StartPictures() { static const win::GdiplusSession gdiplus; }

void DrawPicture(const PictureSource& source, PictureType type, const PictureOptions& options, ByteSink& sink) {
    const std::lock_guard lock(drawing);
    StartPictures();
    if (type != PictureType::Png) throw ConversionError(std::string(kPictureNotMade));
    std::unique_ptr<Gdiplus::Bitmap> bitmap = win::RenderPicture(source, options);
    if (!bitmap) throw ConversionError(WithReason(kPictureNotMade, kOutOfMemory));
    std::vector<char> png;
    if (!win::EncodePng(*bitmap, png)) throw ConversionError(std::string(kPictureNotMade));
    sink.Write(std::string_view(png.data(), png.size()));
}

}  // namespace orvik::cli
