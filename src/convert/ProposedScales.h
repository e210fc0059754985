// What a loaded drawing proposes: which layers are used, and the reference
// scales to choose from, with the busiest group's scale proposed.
#pragma once

#include <string>
#include <vector>

#include "convert/LayerTables.h"
#include "jwc/JwcDrawing.h"

namespace orvik {

struct ScaleList {
    std::vector<std::string> items;  // distinct positive scales of the used groups, largest first
    int selected = -1;               // the proposed item; -1 when the list is empty
};

// Marks the used layers in `tables` (Used, Visible) and lists the scales.
// Elements are walked by the drawing's counts, which always match its arrays.
ScaleList FillScaleBox(const JwcDrawing& drawing, DxfTables& tables);

}  // namespace orvik
