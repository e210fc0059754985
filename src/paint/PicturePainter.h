// The picture frontend's Qt backend: the window's drawing tab and, on
// Linux, the command line's PNG pictures, drawn with QPainter in device
// pixels, antialiased.
#pragma once

#include <QImage>
#include <QPainter>

#include "picture/DisplayList.h"
#include "picture/PictureSource.h"
#include "picture/PictureView.h"
#include "picture/SvgPicture.h"

namespace orvik {

// Draws the paper sheet's frame and the shapes under `view`; the background
// is the caller's.
void PaintDisplayList(QPainter& painter, const DisplayList& list, const PictureView& view, bool lightBackground);

// The whole drawing at `options.width` pixels, on its background (a null
// image when its memory cannot be had).
QImage RenderPicture(const PictureSource& source, const PictureOptions& options);

}  // namespace orvik
