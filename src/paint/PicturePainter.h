// Draws a display list with Qt's QPainter: the window's drawing tab, and the
// command line's PNG pictures (and, through Qt's PDF engine, its PDF ones). The geometry is drawn in drawing
// coordinates under a flipping view transform, with cosmetic (one-pixel)
// pens, so zooming and panning only change the transform.
#pragma once

#include <QImage>
#include <QPainter>
#include <QTransform>

#include "picture/DisplayList.h"
#include "picture/PictureSource.h"
#include "picture/SvgPicture.h"

namespace orvik {

// The transform that shows `frame` (SvgPicture's fit of a drawing) on a
// device: drawing units to pixels, y up.
QTransform ViewTransform(const PictureFrame& frame);

// Draws the paper sheet's frame and the shapes under `view`; the background is the
// caller's. Shapes wholly outside the device are skipped.
void PaintDisplayList(QPainter& painter, const DisplayList& list, const QTransform& view, bool lightBackground);
// The same, the shapes drawn as the source hands them out.
void PaintPicture(QPainter& painter, const PictureSource& source, const QTransform& view, bool lightBackground);

// The whole drawing at `options.width` pixels, on its background (a null
// image when its memory cannot be had).
QImage RenderPicture(const PictureSource& source, const PictureOptions& options);

}  // namespace orvik
