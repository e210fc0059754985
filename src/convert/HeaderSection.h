// The HEADER section: 162 variables in a fixed order. The version and code
// page come from the output format (AC1012 and dos932 by default; see
// OutputFormat.h); all but a few others are constants, and the rest come
// from the reference scale, the extents, the paper size, the source file's
// date and the handle seed.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "convert/ConversionResult.h"
#include "convert/OutputFormat.h"
#include "convert/ReferenceScale.h"
#include "dxf/DxfWriter.h"
#include "numeric/Extended.h"

namespace orvik {

// The drawing limits: the paper sheet (A0 for unknown codes) at the reference scale.
struct DrawingLimits {
    Extended width, height;
};
DrawingLimits LimitsFor(std::int32_t paperSize, Extended baseScale);

// The paper space's limits ($PLIMMAX from 0,0) as written: the sheet in millimetres
// where the format describes it, so that a reader printing the layout makes
// a page of the drawing's paper; AutoCAD R13J's 12 x 9 in the faithful one.
std::array<std::string, 2> PaperLimitsFor(std::int32_t paperSize, OutputFormat format);

struct HeaderInputs {
    const ConversionResult& result;  // the reference scale, the extents, the date and the handle seed
    const ScaleStatistics& scales;  // maps the extents like every coordinate
    Extended paperFactor;
    std::int32_t paperSize;
    OutputFormat format;  // gives $ACADVER and $DWGCODEPAGE
};

void WriteHeaderSection(DxfWriter& w, const HeaderInputs& in);

}  // namespace orvik
