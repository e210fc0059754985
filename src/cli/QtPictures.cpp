// The pictures drawn with Qt (the window's painter), on the offscreen
// platform: no display needed. Qt's GUI application, which text drawing
// requires, is started by the first call for the rest of the run.
#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>

#include <memory>
#include <mutex>

#include "cli/Pictures.h"
#include "paint/PicturePainter.h"
#include "paint/QtGlyphOutlines.h"
#include "picture/ShapesPdf.h"
#include "text/Messages.h"

namespace orvik::cli {
namespace {

std::mutex drawing;  // Qt draws one picture at a time

void PngPicture(const PictureSource& source, const PictureOptions& options, ByteSink& sink) {
    const QImage image = RenderPicture(source, options);
    if (image.isNull()) throw FailureError(Reason::PictureNotMade, WithReason(kPictureNotMade, kOutOfMemory));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG") || bytes.isEmpty())
        throw FailureError(Reason::PictureNotMade, std::string(kPictureNotMade));
    sink.Write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace

bool CanDrawPictures(PictureType) { return true; }

void StartPictures() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "orvik-cli";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static const std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

void DrawPicture(const PictureSource& source, PictureType type, const PictureOptions& options, ByteSink& sink) {
    const std::lock_guard lock(drawing);
    StartPictures();
    if (type == PictureType::Png)
        PngPicture(source, options, sink);
    else
        WriteShapesPdf(source, options, QtGlyphOutlines(), sink);  // the texts' glyph outlines need Qt's fonts
}

}  // namespace orvik::cli
