#include "convert/LayerStyleWriter.h"

namespace orvik {

void LayerStyleWriter::WriteColorIfDiffers(std::int64_t color, std::int64_t layerColor) {
    if (color != layerColor) w_.WriteColor(color);
}

void LayerStyleWriter::WritePenColor(int pen, std::int64_t layerColor) {
    if (pen < 0) return;
    const std::int64_t trueColor =
        tables_.trueColors && pen < kMaxPens ? tables_.penTrueColor[static_cast<std::size_t>(pen)] : -1;
    if (trueColor < 0) {
        WriteColorIfDiffers(tables_.ColorOfPen(pen), layerColor);
        return;
    }
    // The nearest AutoCAD colour for readers that know no true colour.
    w_.WriteColor(tables_.ColorOfPen(pen));
    w_.WriteInt(420, trueColor, 0);
}

void LayerStyleWriter::WritePenLineweight(int pen) {
    if (pen >= 0 && pen < kMaxPens && tables_.penLineweight[static_cast<std::size_t>(pen)] >= 0)
        w_.WriteInt(370, tables_.penLineweight[static_cast<std::size_t>(pen)]);
}

void LayerStyleWriter::WriteColorForLayer(std::int64_t color, int layer) {
    WriteColorIfDiffers(color, tables_.layers[layer].color);
}

void LayerStyleWriter::WritePenColorForLayer(int pen, int layer) { WritePenColor(pen, tables_.layers[layer].color); }

void LayerStyleWriter::WriteLinetypeIfDiffers(std::string_view name, std::string_view layerLinetype) {
    if (name != layerLinetype) w_.WriteLinetype(name);
}

void LayerStyleWriter::WriteLinetypeNumberIfDiffers(int number, std::string_view layerLinetype) {
    WriteLinetypeIfDiffers(tables_.LinetypeNameOf(number), layerLinetype);
}

void LayerStyleWriter::WriteLinetypeNumbers(int number, int layerNumber) {
    WriteLinetypeNumberIfDiffers(number, tables_.LinetypeNameOf(layerNumber));
}

void LayerStyleWriter::WriteLinetypeForLayer(int number, int layer) {
    WriteLinetypeNumbers(number, tables_.layers[layer].lineType);
}

void LayerStyleWriter::WriteLayerNumber(int layer) {
    w_.WriteLayer(layer == kDefpointsLayer ? std::string_view("DEFPOINTS")
                                           : std::string_view(tables_.layers[layer].name));
}

}  // namespace orvik
