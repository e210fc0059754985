#include "cli/QtPictures.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>

#include <memory>

#include "paint/PdfPicture.h"
#include "paint/PicturePainter.h"
#include "text/Messages.h"

namespace orvik::cli {

void StartQtPictures() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "orvik-cli";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static const std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

void PngPicture(const PictureSource& source, const PictureOptions& options, ByteSink& sink) {
    StartQtPictures();
    const QImage image = RenderPicture(source, options);
    if (image.isNull()) throw ConversionError(WithReason(kPictureNotMade, kOutOfMemory));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG") || bytes.isEmpty()) throw ConversionError(std::string(kPictureNotMade));
    sink.Write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void PdfPicture(const PictureSource& source, const PictureOptions& options, ByteSink& sink) {
    StartQtPictures();  // the glyph outlines of the texts need Qt's fonts
    WritePdfPicture(source, options, sink);
}

}  // namespace orvik::cli
