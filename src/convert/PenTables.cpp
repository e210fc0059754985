#include "convert/PenTables.h"

#include <algorithm>

#include "convert/Lineweights.h"
#include "dxf/ColorPalette.h"

namespace orvik {

void FillPenTables(const Pens& pens, const ConversionSettings& settings, LayerTables& tables) {
    tables.penColorTable[0] = kPenDefaultColor;
    for (int pen = 1; pen < kPenCount; ++pen) tables.penColorTable[pen] = settings.penColors[pen - 1];
    std::size_t pen = kPenCount;
    for (const std::int32_t color : pens.fixedColors)
        if (pen < kMaxPens) tables.penColorTable[pen++] = color;
    for (const std::uint32_t rgb : pens.ownColors)
        if (pen < kMaxPens) {
            tables.penColorTable[pen] = NearestAci(rgb);
            tables.penTrueColor[pen++] = rgb;
        }
    tables.penCount = static_cast<int>(pen);
    tables.trueColors = HasTrueColors(settings.outputFormat);
    if (HasLineweights(settings.outputFormat))
        for (std::size_t p = 0; p < std::min<std::size_t>(pens.widths.size(), kMaxPens); ++p)
            tables.penLineweight[p] = static_cast<std::int16_t>(NearestLineweight(pens.widths[p]));
}

}  // namespace orvik
