// Writing JWW files from their file model (JwwDrawing.h).
//
// The layout is the one the reader reads: "JwwData.", the version, the
// header with the fields of min(version, 700), the element list, the block
// list and, from 700, the images; MFC's archive around the objects (a new
// class tag the first time a class appears, its class tag after; one
// running index for classes and objects; the 32-bit tags past 32,766).
//
// A drawing read with `forWriting` (JwwReader.h) is written back byte for
// byte: its header's other fields, its strings' forms and its images as
// stored come with it. What cannot come back is the file's own choice of
// references to objects already written and of null objects (JW_CAD writes
// neither): they are written as copies and left out, and JwwArchiveForm
// counts them. A drawing made here has its other header fields written as
// zeros and its strings in the form `form.utf16Strings` says.
#pragma once

#include <cstdint>

#include "jww/JwwDrawing.h"
#include "output/ByteSink.h"

namespace orvik {

// Where each part of a written file begins, and its size.
struct JwwParts {
    std::int64_t elements = 0, blocks = 0, images = 0, end = 0;
};

// Writes the drawing's file into `sink` (a failed write throws the sink's FailureError).
JwwParts WriteJww(const JwwDrawing& drawing, ByteSink& sink);

}  // namespace orvik
