#include "cli/QtPictures.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>

#include <exception>
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

namespace {

// A device handing what Qt writes to a sink. A sink's failure cannot pass
// through Qt: it is kept, the device fails, and it is thrown again after.
class SinkDevice final : public QIODevice {
public:
    explicit SinkDevice(ByteSink& sink) : sink_(sink) { open(QIODevice::WriteOnly); }
    std::int64_t written() const { return written_; }
    void RethrowFailure() const {
        if (failure_) std::rethrow_exception(failure_);
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (failure_) return -1;
        try {
            sink_.Write(std::string_view(data, static_cast<std::size_t>(size)));
        } catch (...) {
            failure_ = std::current_exception();
            return -1;
        }
        written_ += size;
        return size;
    }

private:
    ByteSink& sink_;
    std::exception_ptr failure_;
    std::int64_t written_ = 0;
};

}  // namespace

void PdfPicture(const PictureSource& source, const PictureOptions& options, ByteSink& sink) {
    StartQtPictures();
    const PictureFrame frame = FrameFor(source.Bounds(), options.width);
    SinkDevice device(sink);
    {
        QPdfWriter pdf(&device);
        pdf.setCreator("ORVIK");
        pdf.setResolution(72);
        pdf.setPageSize(QPageSize(QSizeF(frame.width, frame.height), QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&pdf);
        if (!painter.isActive()) throw ConversionError(std::string(kPictureNotMade));
        painter.fillRect(QRectF(0, 0, frame.width, frame.height), options.lightBackground ? Qt::white : Qt::black);
        PaintPicture(painter, source, ViewTransform(frame), options.lightBackground);
    }
    device.RethrowFailure();
    if (device.written() == 0) throw ConversionError(std::string(kPictureNotMade));
}

}  // namespace orvik::cli
