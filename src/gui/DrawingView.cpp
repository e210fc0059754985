#include "gui/DrawingView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

#include "paint/PicturePainter.h"
#include "picture/PictureView.h"

namespace orvik {

DrawingView::DrawingView(QWidget* parent) : QWidget(parent) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMilliseconds);
    connect(&settle_, &QTimer::timeout, this, [this] {
        moving_ = false;
        update();
    });
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::OpenHandCursor);
}

void DrawingView::SetPicture(DisplayList list, bool fit) {
    list_ = std::make_shared<const DisplayList>(std::move(list));
    hasPicture_ = true;
    cacheStale_ = true;
    if (fit || fitted_)
        FitToView();
    else
        update();
}

void DrawingView::Clear() {
    list_ = std::make_shared<const DisplayList>();
    hasPicture_ = false;
    cacheStale_ = true;
    update();
}

void DrawingView::SetNote(const QString& note) {
    note_ = note;
    update();
}

void DrawingView::Render() {
    if (rendering_.Busy()) {  // one is being drawn: the newest view follows it
        renderWanted_ = true;
        return;
    }
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    cacheStale_ = false;
    rendering_.Start(
        [list = list_, view = view_, light = light_, has = hasPicture_, pixels, ratio] {
            RenderedView done{QImage(pixels, QImage::Format_RGB32), view};
            if (done.image.isNull()) return done;  // no memory for it: the last picture stays
            done.image.setDevicePixelRatio(ratio);
            done.image.fill(light ? Qt::white : Qt::black);
            if (has) {
                QPainter painter(&done.image);
                PaintDisplayList(painter, *list, view, light);
            }
            return done;
        },
        [this] { QMetaObject::invokeMethod(this, &DrawingView::Rendered, Qt::QueuedConnection); });
}

void DrawingView::Rendered() {
    std::optional<RenderedView> rendered = rendering_.Take();
    if (!rendered) return;
    RenderedView& done = *rendered;
    if (!done.image.isNull()) {
        cache_ = std::move(done.image);
        cacheView_ = done.view;
    }
    if (renderWanted_) {
        renderWanted_ = false;
        cacheStale_ = true;
    }
    update();
}

void DrawingView::Moving() {
    moving_ = true;
    settle_.start();
    update();
}

void DrawingView::SetBusy(bool busy) {
    busy_ = busy;
    setCursor(busy ? Qt::BusyCursor : Qt::OpenHandCursor);
    update();
}

void DrawingView::FitToView() {
    fitted_ = true;
    const PictureView fit = FitView(*list_, width(), height());
    view_ = QTransform(fit.scale, 0, 0, -fit.scale, fit.dx, fit.dy);
    update();
}

void DrawingView::SetLightBackground(bool light) {
    light_ = light;
    cacheStale_ = true;
    update();
}

void DrawingView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), light_ ? Qt::white : Qt::black);
    // The last picture drawn, moved and scaled as the view has been since;
    // a new one is drawn on a worker once the view rests.
    if (!cache_.isNull()) {
        painter.setTransform(cacheView_.inverted() * view_);
        painter.drawImage(QPointF(0, 0), cache_);
        painter.resetTransform();
    }
    const QSize pixels = (QSizeF(size()) * devicePixelRatioF()).toSize();
    if (!moving_ && (cacheStale_ || cache_.size() != pixels || cacheView_ != view_)) Render();
    if (busy_) {
        painter.resetTransform();
        painter.setFont(font());
        painter.setPen(light_ ? Qt::darkGray : Qt::lightGray);
        painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("図面を作成中…"));
    }
    if (!note_.isEmpty()) {
        painter.resetTransform();
        painter.setFont(font());
        const QRect box = rect().adjusted(8, 8, -8, -8);
        const QRect text = painter.boundingRect(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, note_);
        painter.fillRect(text.adjusted(-4, -2, 4, 2), light_ ? QColor(255, 255, 224) : QColor(64, 48, 0));
        painter.setPen(light_ ? Qt::black : Qt::white);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, note_);
    }
}

void DrawingView::wheelEvent(QWheelEvent* event) {
    if (!hasPicture_) return;
    const double steps = event->angleDelta().y() / 120.0;
    const double factor = std::pow(1.25, steps);
    const QPointF at = event->position();
    // Zoom about the point under the cursor: it stays where it is.
    view_ = view_ * QTransform::fromTranslate(-at.x(), -at.y()) * QTransform::fromScale(factor, factor) *
            QTransform::fromTranslate(at.x(), at.y());
    fitted_ = false;
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
    view_ = view_ * QTransform::fromTranslate(to.x() - dragFrom_.x(), to.y() - dragFrom_.y());
    dragFrom_ = to;
    fitted_ = false;
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
    if (fitted_) FitToView();
}

}  // namespace orvik
