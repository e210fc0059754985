// What a conversion decided, for the writers of the sections and for the
// reports: the reference scale, the extents, the handle seed and date, and
// the layers with their DXF names, colours and line types.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "convert/FontStyles.h"
#include "convert/LayerTables.h"
#include "numeric/Extended.h"

namespace orvik {

// The drawing's extents in drawing units: lines, arcs and real points (texts
// and virtual points do not widen them); 1E20 / -1E20 when there are none.
struct Extents {
    Extended minX = 1E20, minY = 1E20, maxX = -1E20, maxY = -1E20;
    void Add(Extended x, Extended y);
};

// What a conversion decided.
struct ConversionResult {
    Extended referenceScale = 0;  // the N of 1:N
    Extents extents;
    std::string handleSeed;  // the text of $HANDSEED
    std::string fileDate;  // the text of $TDCREATE and $TDUPDATE
    bool defpointsUsed = false;
    // Elements with an infinite or NaN number (a damaged file): their DXF
    // files hold 0 in its place.
    std::int64_t nonFiniteElements = 0;
    // Group scales whose coordinates were left unrounded though rounding was
    // asked for: one coordinate far off made the grid too coarse.
    std::vector<float> unroundedScales;
    std::vector<std::string> blockNames;  // the DXF names of the drawing's blocks, by index
    FontStyles fontStyles;  // the text styles of the drawing's fonts
    // With blocks exploded: insertions nested too deep or past the element
    // limit, left out.
    std::int64_t insertsLeftOut = 0;
    // In a format for readers that cannot carry them: the elements drawn with
    // a pen of a printed width, written without it, and those of a pen of
    // the drawing's own colour, written in the nearest AutoCAD colour.
    std::int64_t widthsLeftOut = 0;
    std::int64_t colorsApproximated = 0;
    LayerTables layers;  // the used layers with their DXF names, colours and line types
};

}  // namespace orvik
