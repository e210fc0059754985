// JWW files for the tests, the fuzz seeds and the benchmark: the drawing
// written by the program's own writer (JwwWriter.h), with where each part
// begins, for tests that break a file there.
#pragma once

#include <cstdint>
#include <string>

#include "failure/Failure.h"
#include "jww/JwwDrawing.h"
#include "jww/JwwLimits.h"

namespace orvik {

struct JwwBuilt {
    std::string bytes;
    std::int64_t elementsAt = 0, blocksAt = 0, imagesAt = 0;  // where the parts begin
};

// The file of the drawing, for header.version (above 700 written as 700 with
// the version stored), its strings as `form.utf16Strings` says. Images are
// stored as their bytes; a name ending in ".gz" gets them deflated.
JwwBuilt BuildJww(const JwwDrawing& drawing);

// A drawing to start from: every group shown at 1:1 and editable, the
// other header fields JW_CAD's defaults where they matter.
JwwDrawing NewJwwDrawing(std::uint32_t version = kJwwNewestVersion);

// Appends an element to a list, in order.
void Append(JwwElementList& list, JwwLine e);
void Append(JwwElementList& list, JwwArc e);
void Append(JwwElementList& list, JwwPoint e);
void Append(JwwElementList& list, JwwText e);
void Append(JwwElementList& list, JwwSolid e);
void Append(JwwElementList& list, JwwBlockInsert e);
void Append(JwwElementList& list, JwwDimension e);
JwwBlockDefinition& Append(JwwElementList& list, std::unique_ptr<JwwBlockDefinition> e);

}  // namespace orvik
