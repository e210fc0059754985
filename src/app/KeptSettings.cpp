#include "app/KeptSettings.h"

#include "text/Cp932.h"

namespace orvik {
namespace {

// The setting whose presence tells that settings were kept at all.
constexpr std::string_view kFirstKept = "pointMode";

}  // namespace

void StoreSettingTexts(SettingsStore& store, const SettingTexts& texts) {
    for (const auto& [name, text] : texts)
        if (const Setting* setting = SettingNamed(name)) store.SetValue(KeptKey(*setting), Cp932ToUtf8(text));
}

std::optional<SettingTexts> StoredSettingTexts(const SettingsStore& store) {
    if (!store.Value(KeptKey(*SettingNamed(kFirstKept)))) return std::nullopt;
    SettingTexts texts = TextsOf(ConversionSettings{});
    for (const Setting& setting : SettingsTable()) {
        const std::optional<std::string> kept = store.Value(KeptKey(setting));
        if (!kept) continue;
        const std::string text = Utf8ToCp932(*kept);
        ConversionSettings scratch;
        if (setting.kind == SettingKind::Field || setting.take(scratch, text)) texts[std::string(setting.name)] = text;
    }
    return texts;
}

}  // namespace orvik
