// The HEADER section: an AutoCAD R13 drawing (AC1012) in the Japanese code
// page (dos932), with 162 variables in a fixed order. All but a few are
// constants; the rest come from the reference scale, the extents, the paper
// size, the source file's date and the handle seed.
#pragma once

#include <cstdint>
#include <string_view>

#include "convert/ConversionResult.h"
#include "convert/OutputFormat.h"
#include "convert/ReferenceScale.h"
#include "dxf/DxfWriter.h"

namespace orvik {

// The drawing limits: the paper sheet (A0 for unknown codes) at the reference scale.
struct DrawingLimits {
    long double width, height;
};
DrawingLimits LimitsFor(std::int32_t paperSize, long double baseScale);

struct HeaderInputs {
    const ConversionResult& result;  // the reference scale, the extents, the date and the handle seed
    const ScaleStatistics& scales;   // maps the extents like every coordinate
    long double paperFactor;
    std::int32_t paperSize;
    OutputFormat format;  // gives $ACADVER and $DWGCODEPAGE
};

void WriteHeaderSection(DxfWriter& w, const HeaderInputs& in);

}  // namespace orvik
