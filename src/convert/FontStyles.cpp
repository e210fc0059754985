#include "convert/FontStyles.h"

#include <unordered_set>

#include "convert/LayerAssignment.h"
#include "text/Substitution.h"

namespace orvik {
namespace {

constexpr std::size_t kFontNameLimit = 64;  // bytes of the font's name in a style's name
constexpr int kVariants = 2;  // regular and bold

int VariantOf(const DrawingText& text) { return text.bold ? 1 : 0; }

}  // namespace

std::int64_t FontStyle::FontFlags() const {
    constexpr std::int64_t kSwissVariablePitch = 0x22, kShiftJisCharset = 128 << 8, kBold = 0x2000000;
    return kSwissVariablePitch | kShiftJisCharset | (bold ? kBold : 0);
}

std::string_view FontStyles::NameOf(const DrawingText& text) const {
    if (text.font == 0) return {};
    const std::size_t at =
        static_cast<std::size_t>(text.font - 1) * kVariants + static_cast<std::size_t>(VariantOf(text));
    if (at >= byFont_.size() || byFont_[at] < 0) return {};
    return styles_[static_cast<std::size_t>(byFont_[at])].name;
}

FontStyles FontStylesOf(const Drawing& drawing, OutputFormat format) {
    FontStyles out;
    const TextStyleNames base = TextStyleNamesOf(format);
    if (base.horizontal.empty() || drawing.fonts.empty()) return out;
    std::vector<bool> used(drawing.fonts.size() * kVariants, false);
    ForEachElementSet(drawing, [&](const auto& set) {
        for (const DrawingText& t : set.texts)
            if (t.font != 0 && t.font <= drawing.fonts.size())
                used[static_cast<std::size_t>(t.font - 1) * kVariants + static_cast<std::size_t>(VariantOf(t))] = true;
    });
    // Fitted names of fonts, distinct without regard to letter case.
    std::vector<std::string> fitted;
    std::unordered_set<std::string> taken;  // the keys of the fitted names
    const auto isTaken = [&](std::string_view candidate) { return taken.contains(DxfNameKey(candidate)); };
    for (std::size_t f = 0; f < drawing.fonts.size(); ++f) {
        std::string name = CutToCharacters(LayerNameForDxf(drawing.fonts[f]), kFontNameLimit);
        const std::string number = std::to_string(f + 1);
        if (name.empty()) name = "FONT_" + number;
        if (isTaken(name)) name += "_" + number;
        for (int extra = 2; isTaken(name); ++extra) name = "FONT_" + number + "_" + std::to_string(extra);
        taken.insert(DxfNameKey(name));
        fitted.push_back(std::move(name));
    }
    out.byFont_.assign(used.size(), -1);
    for (std::size_t at = 0; at < used.size(); ++at) {
        if (!used[at]) continue;
        const std::size_t font = at / kVariants;
        const bool bold = at % kVariants == 1;
        std::string name(base.horizontal);
        name += "#" + fitted[font] + (bold ? "#BOLD" : "");
        out.byFont_[at] = static_cast<std::int32_t>(out.styles_.size());
        out.styles_.push_back(FontStyle{std::move(name), drawing.fonts[font], bold});
    }
    return out;
}

}  // namespace orvik
