#include "cli/QtPictures.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>

#include <memory>

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

std::string PngPicture(const DisplayList& list, const PictureOptions& options) {
    StartQtPictures();
    const QImage image = RenderPicture(list, options);
    if (image.isNull()) throw ConversionError(WithReason(kPictureNotMade, kOutOfMemory));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG") || bytes.isEmpty()) throw ConversionError(std::string(kPictureNotMade));
    return bytes.toStdString();
}

std::string PdfPicture(const DisplayList& list, const PictureOptions& options) {
    StartQtPictures();
    const PictureFrame frame = FrameFor(list.Bounds(), options.width);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setCreator("ORVIK");
        pdf.setResolution(72);
        pdf.setPageSize(QPageSize(QSizeF(frame.width, frame.height), QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&pdf);
        if (!painter.isActive()) throw ConversionError(std::string(kPictureNotMade));
        painter.fillRect(QRectF(0, 0, frame.width, frame.height), options.lightBackground ? Qt::white : Qt::black);
        PaintDisplayList(painter, list, ViewTransform(frame), options.lightBackground);
    }
    if (bytes.isEmpty()) throw ConversionError(std::string(kPictureNotMade));
    return bytes.toStdString();
}

}  // namespace orvik::cli
