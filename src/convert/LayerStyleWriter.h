// The groups by which an entity names its layer and states its colour (62)
// and line type (6): only where they differ from its layer's, since an
// entity inherits both from its layer otherwise; and its pen's lineweight
// (370) where the format carries one. Layer numbers, pens and
// line-type numbers are the drawing's; the layer tables give the names and
// colours they became.
#pragma once

#include <cstdint>
#include <string_view>

#include "convert/LayerTables.h"
#include "dxf/DxfWriter.h"

namespace orvik {

class LayerStyleWriter {
public:
    LayerStyleWriter(DxfWriter& w, const LayerTables& tables) : w_(w), tables_(tables) {}

    void WriteColorForLayer(std::int64_t color, int layer);
    void WritePenColorForLayer(int pen, int layer);
    // The pen's lineweight, where it has one (group 370).
    void WritePenLineweight(int pen);

    // Line-type numbers outside 1..9 read as 1; names are compared, not numbers.
    void WriteLinetypeNumberIfDiffers(int number, std::string_view layerLinetype);
    void WriteLinetypeNumbers(int number, int layerNumber);
    void WriteLinetypeForLayer(int number, int layer);

    // The layer's DXF name; layer 256 is "DEFPOINTS".
    void WriteLayerNumber(int layer);

private:
    void WriteColorIfDiffers(std::int64_t color, std::int64_t layerColor);
    // The pen's colour (pens without a colour of their own draw in 7); pen -1 writes nothing.
    void WritePenColor(int pen, std::int64_t layerColor);
    void WriteLinetypeIfDiffers(std::string_view name, std::string_view layerLinetype);

    DxfWriter& w_;
    const LayerTables& tables_;
};

}  // namespace orvik
