// A picture as a one-page PDF file drawn by Qt: a paint engine turns the Qt
// painter's work onto the toolkit-free PDF page (picture/PdfPage.h) as it is
// done, so a picture of any size takes no more memory than its largest
// shape. Texts are drawn with the outlines of Qt's glyphs, which the page
// keeps as Type 3 glyphs: no font file is embedded or needed, and the
// Japanese texts show in every PDF reader.
#pragma once

#include "output/ByteSink.h"
#include "picture/PictureSource.h"
#include "picture/SvgPicture.h"

namespace orvik {

// Throws what the sink throws.
void WritePdfPicture(const PictureSource& source, const PictureOptions& options, ByteSink& sink);

}  // namespace orvik
