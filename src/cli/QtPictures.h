// PNG and PDF pictures for `orvik-cli render`, where the build has Qt: the
// display list drawn by the window's painter into an image or a PDF page.
// The first call starts Qt's GUI application on the offscreen platform (no
// display needed) for the rest of the run, which text drawing requires.
#pragma once

#include <string>

#include "picture/DisplayList.h"
#include "picture/SvgPicture.h"

namespace orvik::cli {

// Starts Qt's GUI application on the offscreen platform, on the calling
// (main) thread, before pictures are drawn on other threads.
void StartQtPictures();

// The PNG file's bytes. Throws ConversionError (CP932) when the picture
// cannot be made; the same for PDF.
std::string PngPicture(const DisplayList& list, const PictureOptions& options);

// The PDF file's bytes: one page the picture's size (a pixel a point), in vectors.
std::string PdfPicture(const DisplayList& list, const PictureOptions& options);

}  // namespace orvik::cli
