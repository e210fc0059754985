// PNG and PDF pictures for `orvik-cli render`, where the build has Qt: the
// display list drawn by the window's painter into an image or a PDF page.
// The first call starts Qt's GUI application on the offscreen platform (no
// display needed) for the rest of the run, which text drawing requires.
#pragma once

#include <string>

#include "dxf/ByteSink.h"
#include "picture/PictureSource.h"
#include "picture/SvgPicture.h"

namespace orvik::cli {

// Starts Qt's GUI application on the offscreen platform, on the calling
// (main) thread, before pictures are drawn on other threads.
void StartQtPictures();

// The PNG file, into the sink. Throws ConversionError (CP932) when the
// picture cannot be made; the same for PDF.
void PngPicture(const PictureSource& source, const PictureOptions& options, ByteSink& sink);

// The PDF file, streamed into the sink as it is drawn: one page the
// picture's size (a pixel a point), in vectors (paint/PdfPicture.h).
void PdfPicture(const PictureSource& source, const PictureOptions& options, ByteSink& sink);

}  // namespace orvik::cli
