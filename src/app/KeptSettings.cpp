#include "app/KeptSettings.h"

#include <charconv>

#include "app/OutputFormatChoices.h"
#include "text/Cp932.h"

namespace orvik {
namespace {

// The settings kept as they are, by key: switches and field texts.
struct FlagKey {
    std::string_view key;
    bool ControlValues::*value;
};
constexpr FlagKey kFlags[] = {
    {"conversion/roundCoordinates", &ControlValues::roundCoordinates},
    {"conversion/jwLineTypes", &ControlValues::jwLineTypes},
    {"conversion/curvesAsPolylines", &ControlValues::curvesAsPolylines},
    {"conversion/shrinkTexts", &ControlValues::shrinkTexts},
    {"conversion/narrowHalfWidthTexts", &ControlValues::narrowHalfWidthTexts},
    {"conversion/plainLayerNames", &ControlValues::plainLayerNames},
    {"conversion/auxiliaryOnDefpoints", &ControlValues::auxiliaryOnDefpoints},
    {"conversion/explodeBlocks", &ControlValues::explodeBlocks},
};
struct TextKey {
    std::string_view key;
    std::string ControlValues::*value;
};
constexpr TextKey kTexts[] = {
    {"conversion/pointRadius", &ControlValues::pointRadius},
    {"conversion/textShrink", &ControlValues::textShrink},
    {"conversion/halfWidthAspect", &ControlValues::halfWidthAspect},
};
constexpr std::string_view kPointModeKey = "conversion/pointMode";
constexpr std::string_view kPenColorsKey = "conversion/penColors";
constexpr std::string_view kOutputFormatKey = "conversion/outputFormat";

int NumberIn(std::string_view text) {
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace

void StoreControls(SettingsStore& store, const ControlValues& c) {
    for (const FlagKey& flag : kFlags) store.SetValue(flag.key, std::string(c.*flag.value ? kTrue : kFalse));
    for (const TextKey& text : kTexts) store.SetValue(text.key, Cp932ToUtf8(c.*text.value));
    store.SetValue(kPointModeKey, std::to_string(static_cast<int>(c.pointMode)));
    std::string pens;
    for (int color : c.penColors) {
        if (!pens.empty()) pens += ',';
        pens += std::to_string(color);
    }
    store.SetValue(kPenColorsKey, pens);
    store.SetValue(kOutputFormatKey, std::string(ChoiceOf(c.outputFormat).name));
}

std::optional<ControlValues> StoredControls(const SettingsStore& store) {
    const std::optional<std::string> mode = store.Value(kPointModeKey);
    if (!mode) return std::nullopt;
    // A key missing (kept by an older version) keeps its default.
    const ControlValues defaults = ControlsOf(ConversionSettings{});
    ControlValues c = defaults;
    for (const FlagKey& flag : kFlags)
        if (const auto value = store.Value(flag.key)) c.*flag.value = *value == kTrue;
    for (const TextKey& text : kTexts)
        if (const auto value = store.Value(text.key)) c.*text.value = Utf8ToCp932(*value);
    const int m = NumberIn(*mode);
    c.pointMode = m >= 1 && m <= 3 ? static_cast<PointMode>(m) : defaults.pointMode;
    const std::string pens = store.Value(kPenColorsKey).value_or("");
    std::size_t from = 0;
    for (std::size_t i = 0; i < c.penColors.size(); ++i) {
        const std::size_t comma = pens.find(',', from);
        const int color = from <= pens.size() ? NumberIn(std::string_view(pens).substr(from, comma - from)) : 0;
        c.penColors[i] = color >= 1 && color <= 7 ? color : defaults.penColors[i];
        from = comma == std::string::npos ? pens.size() + 1 : comma + 1;
    }
    c.outputFormat = OutputFormatNamed(store.Value(kOutputFormatKey).value_or("")).value_or(defaults.outputFormat);
    return c;
}

}  // namespace orvik
