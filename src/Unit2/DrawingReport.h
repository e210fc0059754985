// What a loaded drawing tells the user and the conversion: which layers are
// used, the reference scales to choose from (with the busiest group's scale
// proposed), and the report of the used layers once they are named.
#pragma once

#include <string>
#include <vector>

#include "dxf/DxfTables.h"
#include "jwcunit/JwcDrawing.h"
#include "Unit2/HenkanInfo.h"

namespace orvik {

struct ScaleList {
    std::vector<std::string> items;  // distinct positive scales of the used groups, largest first
    int selected = -1;               // the proposed item; -1 when the list is empty
};

// Marks the used layers in `tables` (Used, Visible) and lists the scales.
// Elements are walked by the drawing's counts, which always match its arrays.
ScaleList FillScaleBox(const JwcDrawing& drawing, DxfTables& tables);

// The used-layer report (CP932): "「使用画層」", then one line per used layer
// (name padded to 22 bytes, colour, line type), then DEFPOINTS when written.
std::vector<std::string> UsedLayerReport(const DxfTables& tables, bool defpointsUsed);

}  // namespace orvik
