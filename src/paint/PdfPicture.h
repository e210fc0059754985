// A picture as a one-page PDF file, streamed: the painter's work is turned
// into PDF path operators as it is done and compressed into the sink, so a
// picture of any size takes no more memory than its largest shape.
//
// The page is the picture's size, a pixel a point. Lines keep their colour,
// width (a cosmetic pen is PDF's thinnest line) and dashes; fills their
// colour and rule; texts are drawn as the outlines of their glyphs (no font
// is embedded, so the Japanese texts show in every PDF reader).
#pragma once

#include "output/ByteSink.h"
#include "picture/PictureSource.h"
#include "picture/SvgPicture.h"

namespace orvik {

// Throws what the sink throws.
void WritePdfPicture(const PictureSource& source, const PictureOptions& options, ByteSink& sink);

}  // namespace orvik
