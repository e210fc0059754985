#include "convert/ProposedScales.h"

#include <array>
#include <cmath>
#include <string_view>

#include "dxf/NumberFormat.h"

namespace orvik {

ScaleList FillScaleBox(const JwcDrawing& drawing, DxfTables& tables) {
    for (int i = 0; i < kLayerCount; ++i) {
        tables.DxfLayers[i].Used = false;
        tables.DxfLayers[i].Visible = drawing.Layers[i].Visible;
    }
    std::array<std::int32_t, kLayerGroupCount> useCount{};
    auto use = [&](std::uint8_t layer) {
        tables.DxfLayers[layer].Used = true;
        ++useCount[layer / kLayersPerGroup];
    };
    for (const auto& s : drawing.Sen) use(s.Layer);
    for (const auto& e : drawing.Enko) use(e.Layer);
    for (const auto& m : drawing.Moji) use(m.Layer);
    for (const auto& t : drawing.Ten) use(t.Layer);
    // Virtual points make their layer used but do not count for the busiest group.
    for (int i = 0; i < drawing.Header.VirtualPointCount && i < kVirtualPointSlots; ++i)
        tables.DxfLayers[drawing.KasouTen[i].Layer].Used = true;

    std::array<float, kLayerGroupCount> scaleInUse{};
    for (int i = 0; i < kLayerCount; ++i)
        if (tables.DxfLayers[i].Used) scaleInUse[i / kLayersPerGroup] = drawing.LayerGroups[i / kLayersPerGroup].Scale;

    int main = 0;
    for (int g = 1; g < kLayerGroupCount; ++g)
        if (useCount[g] > useCount[main]) main = g;

    ScaleList list;
    while (true) {
        float largest = 0;
        for (float scale : scaleInUse)
            if (scale > largest) largest = scale;
        if (!(largest > 0)) break;
        if (drawing.LayerGroups[main].Scale == largest) list.selected = static_cast<int>(list.items.size());
        // A scale field of the file can hold infinity; "INF" says so where the number form would give "0".
        list.items.push_back(std::isinf(largest) ? "INF" : FormatReal(largest));
        for (float& scale : scaleInUse)
            if (scale == largest) scale = 0;
    }
    if (!list.items.empty() && list.selected < 0) list.selected = 0;
    return list;
}

}  // namespace orvik
