// The drawing tab's view: the display list on a dark (or light) background
// like a CAD screen. It fits the drawing and its paper sheet to the view
// when a new drawing is shown; the wheel zooms around the cursor, dragging pans, and F, Home or a
// double click fit it again. Keeps the zoom when only the settings change.
#pragma once

#include <QPoint>
#include <QTransform>
#include <QWidget>

#include "picture/DisplayList.h"

namespace orvik {

class DrawingView : public QWidget {
    Q_OBJECT
public:
    explicit DrawingView(QWidget* parent = nullptr);

    // Shows the list; `fit`: a new drawing, fitted to the view.
    void SetPicture(DisplayList list, bool fit);
    void Clear();
    // A line of text shown at the top of the view, over the picture or in its
    // place (why there is none, or that it is partial); empty: none.
    void SetNote(const QString& note);
    const QString& Note() const { return note_; }
    bool HasPicture() const { return hasPicture_; }
    const DisplayList& Picture() const { return list_; }
    const QTransform& View() const { return view_; }

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
    DisplayList list_;
    QString note_;
    bool hasPicture_ = false;
    bool fitted_ = true;  // follows the view's size until the user zooms or pans
    bool light_ = false;
    QTransform view_;
    QPoint dragFrom_;
};

}  // namespace orvik
