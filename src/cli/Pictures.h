// PNG and PDF pictures for `orvik-cli render` and thumbnails, where the
// build has a painter: Qt's on Linux (cli/QtPictures.cpp), GDI+ on Windows
// (cli/GdiplusPictures.cpp). SVG needs none; a build without a
// painter (cli/NoPictures.cpp) makes SVG alone.
#pragma once

#include "app/DrawingJob.h"
#include "output/ByteSink.h"
#include "picture/PictureSource.h"
#include "picture/SvgPicture.h"

namespace orvik::cli {

// Whether this build draws pictures of the type.
bool CanDrawPictures(PictureType type);

// Starts the painter on the calling (main) thread, before pictures are drawn
// on other threads.
void StartPictures();

// The picture file (PNG, or PDF: one page the picture's size, a pixel a
// point, in vectors), into the sink; one picture at a time. Throws
// FailureError (CP932) when it cannot be made.
void DrawPicture(const PictureSource& source, PictureType type, const PictureOptions& options, ByteSink& sink);

}  // namespace orvik::cli
