#include "app/LayerReport.h"

#include <string_view>

#include "text/Messages.h"

namespace orvik {
namespace {

constexpr std::size_t kPaddedNameWidth = 22;

std::string LayerLine(std::string name, int color, std::string_view linetype) {
    if (name.size() < kPaddedNameWidth) name.resize(kPaddedNameWidth, ' ');
    return name + std::string(kColorLabel) + std::to_string(color) + std::string(kLinetypeLabel) +
           std::string(linetype);
}

}  // namespace

std::vector<std::string> ReportUsedLayers(const ConversionResult& result) {
    const LayerTables& tables = result.layers;
    std::vector<std::string> lines{std::string(kUsedLayersTitle)};
    for (int i = 0; i < kLayerCount; ++i) {
        const DxfLayer& layer = tables.layers[i];
        if (layer.used) lines.push_back(LayerLine(layer.name, layer.color, tables.LinetypeNameOf(layer.lineType)));
    }
    if (result.defpointsUsed)
        lines.push_back(
            LayerLine("DEFPOINTS", tables.layers[kDefpointsLayer].color, tables.LinetypeNameOf(kAuxiliaryLineType)));
    return lines;
}

}  // namespace orvik
