// Where a window shows a picture: drawing units to pixels, y up on paper and
// down on the screen, with the steps a drawing view takes (fit the drawing
// and its sheet, zoom about a point, pan). A uniform scale and a shift, so
// one picture drawn under one view is shown under another by a scale and a
// shift of its pixels.
#pragma once

#include "picture/DisplayList.h"

namespace orvik {

struct PictureView {
    double scale = 1;  // pixels per drawing unit
    double dx = 0;  // the pixel of drawing x = 0
    double dy = 0;  // the pixel of drawing y = 0

    PicturePoint ToPixels(PicturePoint p) const { return {p.x * scale + dx, dy - p.y * scale}; }
    PicturePoint ToDrawing(PicturePoint pixel) const { return {(pixel.x - dx) / scale, (dy - pixel.y) / scale}; }
    // Zoomed by `factor` about the pixel `at`, which stays where it is.
    PictureView ZoomedAt(PicturePoint at, double factor) const {
        return {scale * factor, at.x + (dx - at.x) * factor, at.y + (dy - at.y) * factor};
    }
    PictureView Panned(double byX, double byY) const { return {scale, dx + byX, dy + byY}; }
    friend bool operator==(const PictureView&, const PictureView&) = default;
};

// The view showing the list's shapes and its sheet whole, centred, in a
// view of `width` × `height` pixels (with FrameFor's margin).
PictureView FitView(const DisplayList& list, int width, int height);

}  // namespace orvik
