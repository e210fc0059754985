#include "gui/DrawingView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <optional>

#include "gui/QtDialogs.h"
#include "paint/PicturePainter.h"

namespace orvik {

DrawingView::DrawingView(QWidget* parent)
    : QWidget(parent),
      state_(
          [](const DisplayList& list, const PictureView& view, bool light, ViewSize size) {
              std::optional<QImage> image(std::in_place, (QSizeF(size.width, size.height) * size.pixelRatio).toSize(),
                                          QImage::Format_RGB32);
              if (image->isNull()) return std::optional<QImage>();
              image->setDevicePixelRatio(size.pixelRatio);
              image->fill(light ? Qt::white : Qt::black);
              QPainter painter(&*image);
              PaintDisplayList(painter, list, view, light);
              return image;
          },
          [this] {
              QMetaObject::invokeMethod(
                  this,
                  [this] {
                      state_.Rendered();
                      update();
                  },
                  Qt::QueuedConnection);
          }) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMilliseconds);
    connect(&settle_, &QTimer::timeout, this, [this] {
        state_.Settled();
        update();
    });
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::OpenHandCursor);
}

void DrawingView::ShowPicture(DisplayList list, bool fit) {
    state_.SetPicture(std::move(list), fit, Size());
    update();
}

void DrawingView::ClearPicture() {
    state_.Clear();
    update();
}

void DrawingView::ShowNote(const std::string& cp932) {
    note_ = FromCp932(cp932);
    update();
}

void DrawingView::Moving() {
    settle_.start();
    update();
}

void DrawingView::ShowBusy(bool busy) {
    busy_ = busy;
    setCursor(busy ? Qt::BusyCursor : Qt::OpenHandCursor);
    update();
}

void DrawingView::FitToView() {
    state_.Fit(Size());
    update();
}

void DrawingView::SetLightBackground(bool light) {
    state_.SetLightBackground(light);
    update();
}

void DrawingView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool light = state_.Light();
    painter.fillRect(rect(), light ? Qt::white : Qt::black);
    // The last image drawn, moved and scaled as the view has been since;
    // a new one is drawn on a worker once the view rests.
    if (const QImage* cache = state_.Cache()) {
        const ImagePlacement at = state_.CachePlacement();
        painter.setTransform(QTransform(at.scale, 0, 0, at.scale, at.dx, at.dy));
        painter.drawImage(QPointF(0, 0), *cache);
        painter.resetTransform();
    }
    state_.RenderIfStale(Size());
    if (busy_) {
        painter.resetTransform();
        painter.setFont(font());
        painter.setPen(light ? Qt::darkGray : Qt::lightGray);
        painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("図面を作成中…"));
    }
    if (!note_.isEmpty()) {
        painter.resetTransform();
        painter.setFont(font());
        const QRect box = rect().adjusted(8, 8, -8, -8);
        const QRect text = painter.boundingRect(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, note_);
        painter.fillRect(text.adjusted(-4, -2, 4, 2), light ? QColor(255, 255, 224) : QColor(64, 48, 0));
        painter.setPen(light ? Qt::black : Qt::white);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, note_);
    }
}

void DrawingView::wheelEvent(QWheelEvent* event) {
    if (!state_.HasPicture()) return;
    state_.ZoomAt({event->position().x(), event->position().y()}, event->angleDelta().y() / 120.0);
    Moving();
    event->accept();
}

void DrawingView::mousePressEvent(QMouseEvent* event) {
    dragFrom_ = event->position().toPoint();
    setCursor(Qt::ClosedHandCursor);
}

void DrawingView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & (Qt::LeftButton | Qt::MiddleButton))) return;
    const QPoint to = event->position().toPoint();
    state_.PanBy(to.x() - dragFrom_.x(), to.y() - dragFrom_.y());
    dragFrom_ = to;
    Moving();
}

void DrawingView::mouseReleaseEvent(QMouseEvent*) { setCursor(Qt::OpenHandCursor); }

void DrawingView::mouseDoubleClickEvent(QMouseEvent*) { FitToView(); }

void DrawingView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F || event->key() == Qt::Key_Home) {
        FitToView();
        return;
    }
    QWidget::keyPressEvent(event);
}

void DrawingView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    state_.Resized(Size());
}

}  // namespace orvik
