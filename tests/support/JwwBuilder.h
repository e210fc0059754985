// Writes JWW files from a drawing model, for the tests, the fuzz seeds and
// the benchmark: every field of the given version in the description's
// order, the classes and objects with MFC's running index (new class tags,
// class tags, the 32-bit tags past 32,766), strings as CP932 or UTF-16.
// Breaking a file is left to the caller: Offset says where each part begins.
#pragma once

#include <cstdint>
#include <string>

#include "failure/Failure.h"
#include "jww/JwwDrawing.h"
#include "jww/JwwLimits.h"

namespace orvik {

struct JwwBuildOptions {
    bool utf16 = false;  // strings as JW_CAD 8 and later write them
};

struct JwwBuilt {
    std::string bytes;
    std::int64_t elementsAt = 0, blocksAt = 0, imagesAt = 0;  // where the parts begin
};

// The file of the drawing, for header.version (above 700 written as 700 with
// the version stored). Images are stored as their bytes; a name ending in
// ".gz" gets them deflated.
JwwBuilt BuildJww(const JwwDrawing& drawing, JwwBuildOptions options = {});

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
