#include "convert/ProposedScales.h"

#include <array>
#include <cmath>
#include <string_view>

#include "dxf/NumberFormat.h"

namespace orvik {

namespace {

// Which layers hold something, and how many lines, arcs, texts and real
// points each group holds (virtual points make their layer used but do not
// count for the busiest group). Elements are walked by the drawing's arrays,
// whose sizes always match its counts; a block's elements count once, and
// each insertion as one element of its own layer.
struct Usage {
    std::array<bool, kLayerCount> used{};
    std::array<std::int32_t, kLayerGroupCount> elementsPerGroup{};
};

Usage UsageOf(const Drawing& drawing) {
    Usage usage;
    auto use = [&](std::uint8_t layer) {
        usage.used[layer] = true;
        ++usage.elementsPerGroup[layer / kLayersPerGroup];
    };
    ForEachElementSet(drawing, [&](const auto& set) {
        for (const auto& line : set.lines) use(line.layer);
        for (const auto& arc : set.arcs) use(arc.layer);
        for (const auto& text : set.texts) use(text.layer);
        for (const auto& point : set.points) use(point.layer);
        for (const auto& solid : set.solids) use(solid.layer);
        for (const auto& insert : set.inserts) use(insert.layer);
        for (const auto& point : set.virtualPoints)
            usage.used[point.layer] = true;  // marks the layer, counts for no group
    });
    return usage;
}

}  // namespace

void MarkUsedLayers(const Drawing& drawing, LayerTables& tables) {
    const Usage usage = UsageOf(drawing);
    for (int i = 0; i < kLayerCount; ++i) {
        tables.layers[i].used = usage.used[i];
        tables.layers[i].visible = drawing.layers[i].visible;
    }
}

ScaleList ListProposedScales(const Drawing& drawing) {
    const Usage usage = UsageOf(drawing);
    ScaleList list;
    std::array<float, kLayerGroupCount> scaleInUse{};
    for (int i = 0; i < kLayerCount; ++i) {
        if (!usage.used[i]) continue;
        const float scale = drawing.layerGroups[i / kLayersPerGroup].scale;
        if (scale > 0 && std::isfinite(scale))
            scaleInUse[i / kLayersPerGroup] = scale;
        else
            list.unusableInUse = true;
    }

    const auto& useCount = usage.elementsPerGroup;
    int main = 0;
    for (int g = 1; g < kLayerGroupCount; ++g)
        if (useCount[g] > useCount[main]) main = g;

    while (true) {
        float largest = 0;
        for (float scale : scaleInUse)
            if (scale > largest) largest = scale;
        if (!(largest > 0)) break;
        if (drawing.layerGroups[main].scale == largest) list.selected = static_cast<int>(list.items.size());
        list.items.push_back(FormatReal(largest));
        for (float& scale : scaleInUse)
            if (scale == largest) scale = 0;
    }
    if (!list.items.empty() && list.selected < 0) list.selected = 0;
    return list;
}

}  // namespace orvik
