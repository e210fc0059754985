#include "dxf/DxfStyles.h"

#include <algorithm>
#include <cmath>

#include "dxf/ColorPalette.h"

namespace orvik {
namespace {

constexpr std::uint8_t kFirstOwnPen = 10;
// AutoCAD's colours of JW_CAD's pens 1..9 (pen n at n - 1).
constexpr int kPenColors[] = {4, 7, 3, 2, 6, 5, 94, 1, 8};
constexpr std::uint8_t kDashedLineType = 2;

}  // namespace

std::string UpperName(std::string_view cp932) {
    std::string out(cp932);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto b = static_cast<unsigned char>(out[i]);
        if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC))
            ++i;
        else if (b >= 'a' && b <= 'z')
            out[i] = static_cast<char>(b - 'a' + 'A');
    }
    return out;
}

DxfStyles::DxfStyles(Drawing& drawing) : d_(drawing) {
    d_.pens.fixedColors = {94, 1, 8};
    d_.pens.count = kFirstOwnPen;
    d_.pens.widths.assign(kFirstOwnPen, 0);
    for (LayerGroup& g : d_.layerGroups) g.visible = 1;
    for (Layer& l : d_.layers) l.visible = 1;
}

void DxfStyles::AddLayer(const DxfLayerEntry& entry) {
    last_.reset();
    const std::uint8_t n = LayerOf(entry.name);
    if (entries_.size() <= n) entries_.resize(n + 1u);
    if (!entries_[n].name.empty() && entries_[n].name != entry.name) return;  // a merged layer keeps the first's style
    entries_[n] = entry;
    d_.layers[n].visible = entry.color >= 0 && !entry.frozen ? 1 : 0;
}

std::uint8_t DxfStyles::LayerOf(const std::string& name) {
    if (const auto at = layers_.find(name); at != layers_.end()) return at->second;
    std::uint8_t n = static_cast<std::uint8_t>(kLayerCount - 1);
    if (nextLayer_ < kLayerCount) {
        n = static_cast<std::uint8_t>(nextLayer_++);
        d_.layers[n].name = name;
    } else {
        ++merged_;
    }
    layers_.emplace(name, n);
    return n;
}

DxfStyles::TextStyle DxfStyles::TextStyleOf(const std::string& name) const {
    const auto at = textStyles_.find(name);
    return at == textStyles_.end() ? TextStyle{} : at->second;
}

DxfStyle DxfStyles::Of(const DxfProperties& p) {
    // Elements mostly come in runs of the same properties.
    if (last_ && p.layer == last_->first.layer && p.linetype == last_->first.linetype &&
        p.color == last_->first.color && p.trueColor == last_->first.trueColor &&
        p.linetypeScale == last_->first.linetypeScale)
        return last_->second;
    const DxfStyle style = Resolve(p);
    last_.emplace(p, style);
    return style;
}

DxfStyle DxfStyles::Resolve(const DxfProperties& p) {
    DxfStyle style;
    style.layer = LayerOf(p.layer);
    const DxfLayerEntry* layer = style.layer < entries_.size() ? &entries_[style.layer] : nullptr;
    const bool byLayer = p.color == 256 && !p.trueColor;
    if (byLayer && layer)
        style.pen = PenOf(std::abs(layer->color), layer->trueColor);
    else if (byLayer || p.color == 0)
        style.pen = PenOf(7, std::nullopt);
    else
        style.pen = PenOf(std::abs(p.color), p.trueColor);
    std::string type = p.linetype;
    if (type.empty() || type == "BYLAYER") type = layer ? layer->linetype : std::string();
    style.lineType = LineTypeOf(type, p.linetypeScale);
    return style;
}

std::uint8_t DxfStyles::PenOf(int color, std::optional<std::uint32_t> trueColor) {
    if (trueColor) return PenOfRgb(*trueColor & 0xFFFFFF);
    for (std::size_t pen = 0; pen < std::size(kPenColors); ++pen)
        if (kPenColors[pen] == color) return static_cast<std::uint8_t>(pen + 1);
    if (color < 1 || color > 255) return 2;  // not a colour: JW_CAD's default pen
    return PenOfRgb(kAciRgb[static_cast<std::size_t>(color)]);
}

std::uint8_t DxfStyles::PenOfRgb(std::uint32_t rgb) {
    std::vector<std::uint32_t>& own = d_.pens.ownColors;
    const auto pen = [](std::size_t n) { return static_cast<std::uint8_t>(kFirstOwnPen + n); };
    if (const auto at = std::find(own.begin(), own.end(), rgb); at != own.end())
        return pen(static_cast<std::size_t>(at - own.begin()));
    if (own.size() < static_cast<std::size_t>(kMaxPens - kFirstOwnPen)) {
        own.push_back(rgb);
        d_.pens.widths.push_back(0);
        d_.pens.count = kFirstOwnPen + static_cast<int>(own.size());
        return pen(own.size() - 1);
    }
    const auto nearer = [&](std::uint32_t a, std::uint32_t b) { return RgbDistance(rgb, a) < RgbDistance(rgb, b); };
    return pen(static_cast<std::size_t>(std::min_element(own.begin(), own.end(), nearer) - own.begin()));
}

std::uint8_t DxfStyles::LineTypeOf(const std::string& name, double scale) {
    if (name.empty() || name == "CONTINUOUS" || name == "BYBLOCK") return 1;
    const auto defined = patterns_.find(name);
    if (defined == patterns_.end()) return 1;  // a type the file does not define draws continuous
    const std::vector<double>& pattern = defined->second;
    if (std::none_of(pattern.begin(), pattern.end(), [](double v) { return v < 0; })) return 1;
    const double factor = globalScale_ * (std::isfinite(scale) && scale > 0 ? scale : 1);
    const auto key = std::make_pair(name, factor);
    if (const auto at = ownLinetypes_.find(key); at != ownLinetypes_.end()) return at->second;
    if (ownLinetypes_.size() >= static_cast<std::size_t>(kDxfOwnLinetypes)) {
        ++linetypesApproximated_;
        return kDashedLineType;
    }
    DefinedLinetype type;
    type.number = static_cast<std::uint8_t>(kDxfFirstOwnLinetype + ownLinetypes_.size());
    type.name = name;
    // The same type at another scale: a name of its own.
    const auto sameName = std::count_if(ownLinetypes_.begin(), ownLinetypes_.end(),
                                        [&](const auto& entry) { return entry.first.first == name; });
    if (sameName > 0) type.name.append(1, '-').append(std::to_string(sameName + 1));
    for (const double v : pattern) type.pattern.push_back(v * factor);
    ownLinetypes_.emplace(key, type.number);
    d_.extraLinetypes.push_back(std::move(type));
    return d_.extraLinetypes.back().number;
}

}  // namespace orvik
