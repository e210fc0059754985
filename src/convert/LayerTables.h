// The layer, pen and line-type tables that carry the layer assignment's
// decisions to the writers: DXF layer names, colours and line types per JWC
// layer (entry 256 is DEFPOINTS), AutoCAD colours per pen, and DXF line-type
// names per JWC line-type number.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace orvik {

inline constexpr int kDefpointsLayer = 256;
inline constexpr int kLayerEntries = 257;
inline constexpr int kPenCount = 7;          // pens 0..6 have a colour
inline constexpr std::int32_t kPenDefaultColor = 7;
inline constexpr int kLineTypeCount = 9;     // line types 1..9
inline constexpr int kAuxiliaryLineType = 9;

struct TDxfLayer {
    std::string Name;           // CP932, at most 21 bytes
    bool Used = false;          // the layer holds an element of the loaded drawing
    std::uint8_t LineType = 0;  // 1..9
    std::uint8_t Color = 0;     // AutoCAD colour
    std::uint8_t Visible = 0;   // nonzero: the JW_CAD layer is shown
};

struct DxfTables {
    std::array<TDxfLayer, kLayerEntries> DxfLayers{};
    std::array<std::int32_t, kPenCount> PenColorTable{};
    std::array<std::string, kLineTypeCount + 1> LinetypeName;  // entries 1..9

    // Pens without an entry of their own draw in colour 7.
    std::int32_t PenColor(int pen) const {
        return pen >= 0 && pen < kPenCount ? PenColorTable[pen] : kPenDefaultColor;
    }
    // Line-type numbers outside 1..9 read as 1.
    const std::string& LinetypeNameOf(int number) const {
        return LinetypeName[number >= 1 && number <= kLineTypeCount ? number : 1];
    }
};

}  // namespace orvik
