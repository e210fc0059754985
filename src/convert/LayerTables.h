// The layer, pen and line-type tables that carry the layer assignment's
// decisions to the writers: DXF layer names, colours and line types per
// layer (entry 256 is DEFPOINTS), AutoCAD colours per pen, and DXF line-type
// names per line-type number.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/Drawing.h"

namespace orvik {

inline constexpr int kDefpointsLayer = 256;
inline constexpr int kLayerEntries = 257;
inline constexpr int kPenCount = 7;  // pens 0..6 take the settings' colours (pen 0 the default)
inline constexpr std::int32_t kPenDefaultColor = 7;

struct DxfLayer {
    std::string name;  // CP932, at most 21 bytes
    bool used = false;  // the layer holds an element of the loaded drawing
    std::uint8_t lineType = 0;  // 1..9
    std::uint8_t color = 0;  // AutoCAD colour
    std::uint8_t visible = 0;  // nonzero: the JW_CAD layer is shown
};

struct LayerTables {
    std::array<DxfLayer, kLayerEntries> layers{};
    std::array<std::int32_t, kMaxPens> penColorTable{};
    // The true colour (0xRRGGBB) of pens that have one, else -1; written
    // beside the nearest AutoCAD colour when `trueColors` is on.
    std::array<std::int64_t, kMaxPens> penTrueColor = [] {
        std::array<std::int64_t, kMaxPens> none{};
        none.fill(-1);
        return none;
    }();
    bool trueColors = false;
    // The lineweight (group 370) of pens that have one in formats that
    // carry lineweights, else -1.
    std::array<std::int16_t, kMaxPens> penLineweight = [] {
        std::array<std::int16_t, kMaxPens> none{};
        none.fill(-1);
        return none;
    }();
    int penCount =
        kPenCount;  // the pens with a colour of their own: kPenCount, and the drawing's fixed and own colours
    // DXF names by line-type number: 1..9, and the drawing's own line types.
    std::array<std::string, kLinetypeNumbers> linetypeNames;

    // Pens without an entry of their own draw in colour 7.
    std::int32_t ColorOfPen(int pen) const {
        return pen >= 0 && pen < penCount ? penColorTable[static_cast<std::size_t>(pen)] : kPenDefaultColor;
    }
    // Numbers without a name (random lines, types the drawing does not
    // define) are drawn, counted and named as line type 1.
    int EffectiveLinetype(int number) const {
        return number >= 1 && number < kLinetypeNumbers && !linetypeNames[static_cast<std::size_t>(number)].empty()
                   ? number
                   : 1;
    }
    const std::string& LinetypeNameOf(int number) const {
        return linetypeNames[static_cast<std::size_t>(EffectiveLinetype(number))];
    }
};

}  // namespace orvik
