#include "app/WindowCommands.h"

#include <algorithm>

#include "app/SettingChecks.h"
#include "text/Cp932.h"
#include "text/Messages.h"

namespace orvik {

namespace {

// The settings the controls describe, with the three numeric fields as checked.
ConversionSettings SettingsOf(const ControlValues& c, float radius, long reduction, long aspect) {
    ConversionSettings s;
    s.roundCoordinates = c.roundCoordinates;
    s.pointMode = c.pointMode;
    s.pointRadiusMm = radius;
    s.jwLineTypes = c.jwLineTypes;
    s.curvesAsPolylines = c.curvesAsPolylines;
    s.shrinkTexts = c.shrinkTexts;
    s.textShrinkPercent = static_cast<std::uint8_t>(std::min<long>(reduction, kMaxPercent));
    s.narrowHalfWidthTexts = c.narrowHalfWidthTexts;
    s.halfWidthAspectPercent = static_cast<std::uint8_t>(std::min<long>(aspect, kMaxPercent));
    s.plainLayerNames = c.plainLayerNames;
    s.auxiliaryOnDefpoints = c.auxiliaryOnDefpoints;
    s.explodeBlocks = c.explodeBlocks;
    s.penColors = c.penColors;
    s.outputFormat = c.outputFormat;
    return s;
}

}  // namespace

ControlValues ControlsOf(const ConversionSettings& s) {
    ControlValues c;
    c.roundCoordinates = s.roundCoordinates;
    c.pointMode = s.pointMode;
    c.pointRadius = RadiusText(s.pointRadiusMm);
    c.jwLineTypes = s.jwLineTypes;
    c.curvesAsPolylines = s.curvesAsPolylines;
    c.shrinkTexts = s.shrinkTexts;
    c.textShrink = std::to_string(s.textShrinkPercent);
    c.narrowHalfWidthTexts = s.narrowHalfWidthTexts;
    c.halfWidthAspect = std::to_string(s.halfWidthAspectPercent);
    c.plainLayerNames = s.plainLayerNames;
    c.auxiliaryOnDefpoints = s.auxiliaryOnDefpoints;
    c.explodeBlocks = s.explodeBlocks;
    c.penColors = s.penColors;
    c.outputFormat = s.outputFormat;
    return c;
}

// The three numeric checks, then the controls copied into the settings.
// False when a check refused a field (its default is written back).
bool WindowCommands::CheckAndCopySettings() {
    const ControlValues c = view_.ReadControls();
    const auto radius = ParsePointRadius(c.pointRadius);
    if (!radius) {
        dialogs_.ShowInfo(Cp932ToUtf8(kRadiusMessage));
        view_.SetPointRadiusText(DefaultRadiusText());
        return false;
    }
    // A percentage that is not an integer at all can only be pasted: the
    // platform's conversion error, before anything is copied.
    const auto reduction = c.textShrink.empty() ? std::optional<long>(0) : ParseInteger(c.textShrink);
    const auto aspect = c.halfWidthAspect.empty() ? std::optional<long>(0) : ParseInteger(c.halfWidthAspect);
    if (!reduction) throw ConversionError(FailureReason::BadSetting, NotAnInteger(c.textShrink));
    if (*reduction <= 0) {
        dialogs_.ShowInfo(Cp932ToUtf8(kReductionMessage));
        view_.SetTextShrinkText(DefaultReductionText());
        return false;
    }
    if (!aspect) throw ConversionError(FailureReason::BadSetting, NotAnInteger(c.halfWidthAspect));
    if (*aspect <= 0) {
        dialogs_.ShowInfo(Cp932ToUtf8(kAspectMessage));
        view_.SetHalfWidthAspectText(std::string(kFallbackAspectText));
        return false;
    }
    settings_ = SettingsOf(c, *radius, *reduction, *aspect);
    return true;
}

std::optional<ConversionSettings> WindowCommands::ControlSettings() const {
    return SettingsFromControls(view_.ReadControls());
}

std::optional<ConversionSettings> SettingsFromControls(const ControlValues& c) {
    const auto radius = ParsePointRadius(c.pointRadius);
    const auto reduction = c.textShrink.empty() ? std::optional<long>(0) : ParseInteger(c.textShrink);
    const auto aspect = c.halfWidthAspect.empty() ? std::optional<long>(0) : ParseInteger(c.halfWidthAspect);
    if (!radius || !reduction || *reduction <= 0 || !aspect || *aspect <= 0) return std::nullopt;
    return SettingsOf(c, *radius, *reduction, *aspect);
}

}  // namespace orvik
