#include "app/SettingChecks.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "app/WindowTexts.h"
#include "convert/ConversionSettings.h"
#include "numeric/DecimalText.h"

namespace orvik {

std::optional<float> ParsePointRadius(std::string_view text) {
    int dots = 0, digits = 0;
    for (char c : text) {
        if (c == '.')
            ++dots;
        else if (c >= '0' && c <= '9')
            ++digits;
        else
            return std::nullopt;
    }
    if (digits == 0 || dots > 1) return std::nullopt;
    double value = 0;
    if (!ReadDouble(text, value)) return std::nullopt;
    // A value beyond the 32-bit range would become infinite, one below it 0.
    const auto radius = static_cast<float>(value);
    if (!(radius > 0) || !std::isfinite(radius)) return std::nullopt;
    return radius;
}

std::optional<int> ParsePercentage(std::string_view text) {
    if (text.empty() || text.size() > 2) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value <= 0 || value > kMaxPercent) return std::nullopt;
    return value;
}

std::optional<long> ParseInteger(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    long value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc{} || result.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<long> WindowPercentage(const std::string& text) {
    const auto value = text.empty() ? std::optional<long>(0) : ParseInteger(text);
    if (!value) return std::nullopt;
    return std::min<long>(*value, kMaxPercent);
}

std::optional<ConversionSettings> WindowSettingsFrom(const SettingTexts& texts) {
    SettingTexts read = texts;
    for (const Setting& field : SettingsTable()) {
        const auto text = read.find(field.name);
        if (field.kind != SettingKind::Field || text == read.end()) continue;
        const FieldCheck check = CheckWindowField(field, text->second);
        if (check.verdict != FieldCheck::Verdict::Usable) return std::nullopt;
        text->second = check.text;
    }
    return SettingsFromTexts(read);
}

FieldCheck CheckWindowField(const Setting& field, const std::string& text) {
    using Verdict = FieldCheck::Verdict;
    if (field.unit != window_text::kPercent) {
        if (ParsePointRadius(text)) return {Verdict::Usable, {}, text};
        return {Verdict::Refused, std::string(field.refusal), DefaultRadiusText()};
    }
    const std::optional<long> percent = WindowPercentage(text);
    if (!percent) return {Verdict::NotANumber, NotAnInteger(text), {}};
    if (*percent > 0) return {Verdict::Usable, {}, std::to_string(*percent)};
    // The aspect is reset to 60, not to its default of 70.
    const std::string reset = field.name == "halfWidthAspect"
                                  ? std::string(kFallbackAspectText)
                                  : TextsOf(ConversionSettings{}).at(std::string(field.name));
    return {Verdict::Refused, std::string(field.refusal), reset};
}

std::string RadiusText(float mm) { return FixedText(mm, 4); }

std::string DefaultRadiusText() { return RadiusText(ConversionSettings{}.pointRadiusMm); }

std::string DefaultReductionText() { return std::to_string(ConversionSettings{}.textShrinkPercent); }

std::string PathWithExtension(std::string_view path, std::string_view extension) {
    return std::string(path.substr(0, path.size() - ExtensionOf(path).size())) + std::string(extension);
}

std::string DxfPathFor(std::string_view path) { return PathWithExtension(path, ".dxf"); }

}  // namespace orvik
