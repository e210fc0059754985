// A DXF file's layers, colours, line types and text styles as the drawing
// model's layers, pens and line types (JW_CAD's sheet).
//
// Layers: the LAYER table's in order ("0" first), then those only elements
// name, each a layer of its own: layer n of the model is layer n % 16 of
// group n / 16. Past 255 layers, the rest share the last one (counted). A
// layer that is off (negative colour) or frozen is hidden.
//
// Colours: AutoCAD's colours of JW_CAD's pens become those pens (4 pen 1,
// 7 pen 2, 3 pen 3, 2 pen 4, 6 pen 5, 5 pen 6, 94 pen 7, 1 pen 8, 8 pen
// 9: the pens' colours ORVIK's own DXF files give them); any other colour,
// and every true colour, a pen of its own colour (from pen 10), past the
// model's 64 pens the nearest of those. BYLAYER takes the layer's colour;
// BYBLOCK the default pen.
//
// Line types: CONTINUOUS is type 1; a named type the LTYPE table defines
// with dashes and gaps becomes a line type of the drawing's own, its
// pattern in the drawing's units times $LTSCALE and the element's scale (one
// per name and scale, numbered from 47 as JWW's user SXF line types, at
// most 16: past them JW_CAD's dashed type 2, counted). BYLAYER takes the
// layer's type.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/Drawing.h"

namespace orvik {

inline constexpr std::uint8_t kDxfFirstOwnLinetype = 47;

// A name in upper case (DXF's names are the same in any case); the bytes of
// CP932's double-byte characters as they are.
std::string UpperName(std::string_view cp932);
inline constexpr int kDxfOwnLinetypes = 16;

// What an element says of its layer, colour and line type.
struct DxfProperties {
    std::string layer = "0";  // CP932
    std::string linetype;  // CP932, upper case; empty: BYLAYER
    int color = 256;  // 256 BYLAYER, 0 BYBLOCK
    std::optional<std::uint32_t> trueColor;  // 0xRRGGBB
    double linetypeScale = 1;
};

struct DxfLayerEntry {
    std::string name;  // CP932
    int color = 7;  // negative: off
    std::optional<std::uint32_t> trueColor;
    std::string linetype;  // upper case
    bool frozen = false;
};

// What the model was given of the element's layer, pen and line type.
struct DxfStyle {
    std::uint8_t layer = 0, pen = 0, lineType = 1;
};

class DxfStyles {
public:
    explicit DxfStyles(Drawing& drawing);

    void AddLayer(const DxfLayerEntry& entry);
    // A line type of the LTYPE table: its dashes (+), gaps (-) and dots (0).
    void AddLinetype(const std::string& name, std::vector<double> pattern) {
        patterns_[name] = std::move(pattern);
        last_.reset();
    }
    void SetLinetypeScale(double scale) {
        globalScale_ = scale;
        last_.reset();
    }
    // A text style's vertical flag and width factor.
    void AddTextStyle(const std::string& name, bool vertical, double widthFactor) {
        textStyles_[name] = {vertical, widthFactor};
    }
    struct TextStyle {
        bool vertical = false;
        double widthFactor = 1;
    };
    TextStyle TextStyleOf(const std::string& name) const;

    DxfStyle Of(const DxfProperties& p);
    std::uint8_t LayerOf(const std::string& name);

    std::int64_t MergedLayers() const { return merged_; }
    std::int64_t LinetypesApproximated() const { return linetypesApproximated_; }

private:
    DxfStyle Resolve(const DxfProperties& p);
    std::uint8_t PenOf(int color, std::optional<std::uint32_t> trueColor);
    std::uint8_t PenOfRgb(std::uint32_t rgb);
    std::uint8_t LineTypeOf(const std::string& name, double scale);

    Drawing& d_;
    std::unordered_map<std::string, std::uint8_t> layers_;
    std::vector<DxfLayerEntry> entries_;  // by model layer
    int nextLayer_ = 0;
    std::int64_t merged_ = 0;
    std::map<std::string, std::vector<double>> patterns_;
    std::map<std::pair<std::string, double>, std::uint8_t> ownLinetypes_;
    double globalScale_ = 1;
    std::int64_t linetypesApproximated_ = 0;
    std::map<std::string, TextStyle> textStyles_;
    std::optional<std::pair<DxfProperties, DxfStyle>> last_;  // the last properties asked for
};

}  // namespace orvik
