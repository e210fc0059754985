// What the user chose for a conversion, with the defaults the window shows
// when it opens and restores with its initialise button, and that the
// command line starts from: a default-constructed ConversionSettings.
#pragma once

#include <array>
#include <cstdint>

#include "convert/OutputFormat.h"

namespace orvik {

// How JW_CAD's real points are written.
enum class PointMode : std::uint8_t {
    FilledCircle = 1,  // a disc: a closed polyline of width 2 x radius
    Circle = 2,  // a CIRCLE of the radius
    Point = 3,  // a POINT
};

struct ConversionSettings {
    bool roundCoordinates = true;  // round mapped coordinates to absorb single-precision noise
    PointMode pointMode = PointMode::FilledCircle;
    float pointRadiusMm = 0.5f;  // radius of a point drawn as a disc or circle, mm on paper
    bool jwLineTypes = true;  // true: JW_CAD-like line types; false: AutoCAD's own
    bool curvesAsPolylines = false;  // runs of curve segments become polylines
    bool shrinkTexts = true;  // text heights shrink ...
    std::uint8_t textShrinkPercent = 90;  // ... to this percentage
    bool narrowHalfWidthTexts = true;  // half-width-only strings get a width factor ...
    std::uint8_t halfWidthAspectPercent = 70;  // ... of this percentage
    bool plainLayerNames = true;  // layer names without the "G_L_" group and layer prefix
    bool auxiliaryOnDefpoints = true;  // auxiliary lines (line type 9) go to DEFPOINTS
    // AutoCAD colour 1..7 of JW_CAD pens 1..6 (penColors[n - 1] is pen n).
    std::array<std::int32_t, 6> penColors{4, 7, 3, 2, 6, 5};
    OutputFormat outputFormat = OutputFormat::Dos932;
    // Block insertions written as their blocks' elements in place, not as
    // BLOCK definitions and INSERTs.
    bool explodeBlocks = false;
};

}  // namespace orvik
