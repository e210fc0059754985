// What a loaded drawing proposes: which layers are used, and the reference
// scales to choose from, with the busiest group's scale proposed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "convert/LayerTables.h"
#include "model/Drawing.h"
#include "text/Messages.h"

namespace orvik {

struct ScaleList {
    std::vector<std::string> items;  // distinct positive finite scales of the used groups, largest first
    int selected = -1;  // the proposed item; -1 when the list is empty
    bool unusableInUse = false;  // a used group's scale is not a positive finite number (a damaged file)

    // Why the list is empty, in words: no element, or no usable scale.
    std::string_view WhyEmpty() const { return unusableInUse ? kUnusableScale : kNoScale; }
};

// Sets `used` of every layer that holds an element or a virtual point, and
// copies each layer's visibility.
void MarkUsedLayers(const Drawing& drawing, LayerTables& tables);

// The reference scales to choose from: the distinct positive finite scales
// of the groups with a used layer, largest first, the busiest group's proposed.
ScaleList ListProposedScales(const Drawing& drawing);

}  // namespace orvik
