// The drawing tab's view: the display list on a dark (or light) background
// like a CAD screen. It fits the drawing and its paper sheet to the view
// when a new drawing is shown. The picture is drawn into an image on a
// worker, so the window never waits for it: a repaint, and every step of a
// zoom or pan, shows the last image moved and scaled as the view has been
// since; the picture is drawn anew once the view rests; the wheel zooms around the cursor, dragging pans, and F, Home or a
// double click fit it again. Keeps the zoom when only the settings change.
#pragma once

#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include "app/DrawingTabPicture.h"
#include "app/DrawingViewState.h"
#include "picture/DisplayList.h"

namespace orvik {

class DrawingView : public QWidget, public DrawingTabView {
    Q_OBJECT
public:
    explicit DrawingView(QWidget* parent = nullptr);

    // DrawingTabView.
    void ShowPicture(DisplayList list, bool fit) override;
    void ClearPicture() override;
    void ShowNote(const std::string& cp932) override;
    void ShowBusy(bool busy) override;
    bool ShowsPicture() const override { return state_.HasPicture(); }

    const QString& Note() const { return note_; }
    const DisplayList& Picture() const { return state_.Picture(); }
    // Whether the view shows the picture of its current view, drawn.
    bool Drawn() const { return state_.Drawn(); }

public slots:
    void FitToView();
    void SetLightBackground(bool light);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // A zoom or pan step: shown at once from the last image, drawn anew once
    // the view has rested kSettleMilliseconds.
    void Moving();
    static constexpr int kSettleMilliseconds = 150;
    ViewSize Size() const { return {std::max(width(), 1), std::max(height(), 1), devicePixelRatioF()}; }

    QString note_;
    bool busy_ = false;
    QPoint dragFrom_;
    QTimer settle_;
    DrawingViewState<QImage> state_;
};

}  // namespace orvik
