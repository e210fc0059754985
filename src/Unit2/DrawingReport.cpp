#include "Unit2/DrawingReport.h"

#include <array>
#include <cmath>
#include <string_view>

#include "dxf/NumberFormat.h"

namespace orvik {
namespace {

constexpr std::size_t kPaddedNameWidth = 22;
constexpr std::string_view kUsedLayersTitle = "\x81\x75\x8E\x67\x97\x70\x89\xE6\x91\x77\x81\x76";  // 「使用画層」
constexpr std::string_view kColorLabel = "\x90\x46: ";                                              // 色:
constexpr std::string_view kLinetypeLabel = "  \x90\xFC\x8E\xED: ";                                  //   線種:

std::string LayerLine(std::string name, int color, std::string_view linetype) {
    if (name.size() < kPaddedNameWidth) name.resize(kPaddedNameWidth, ' ');
    return name + std::string(kColorLabel) + std::to_string(color) + std::string(kLinetypeLabel) + std::string(linetype);
}

}  // namespace

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

std::vector<std::string> UsedLayerReport(const DxfTables& tables, bool defpointsUsed) {
    std::vector<std::string> lines{std::string(kUsedLayersTitle)};
    for (int i = 0; i < kLayerCount; ++i) {
        const TDxfLayer& layer = tables.DxfLayers[i];
        if (layer.Used) lines.push_back(LayerLine(layer.Name, layer.Color, tables.LinetypeNameOf(layer.LineType)));
    }
    if (defpointsUsed) lines.push_back(LayerLine("DEFPOINTS", tables.DxfLayers[kDefpointsLayer].Color, "DOT"));
    return lines;
}

}  // namespace orvik
