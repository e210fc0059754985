#include "cli/PngPicture.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>

#include <memory>

#include "paint/PicturePainter.h"

namespace orvik::cli {
namespace {

void StartGuiApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "orvik-cli";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static const std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

std::string PngPicture(const DisplayList& list, const PictureOptions& options) {
    StartGuiApplication();
    const QImage image = RenderPicture(list, options);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

}  // namespace orvik::cli
