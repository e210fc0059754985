#include "app/WindowCommands.h"

#include <algorithm>

#include "app/SettingChecks.h"
#include "text/Cp932.h"
#include "text/Messages.h"

namespace orvik {

// The three numeric checks, then the controls copied into the settings.
// False when a check refused a field (its default is written back).
bool WindowCommands::CheckAndCopySettings() {
    const SettingTexts texts = view_.ReadControls();
    if (!ParsePointRadius(texts.at("pointRadius"))) {
        dialogs_.ShowInfo(Cp932ToUtf8(kRadiusMessage));
        view_.SetFieldText("pointRadius", DefaultRadiusText());
        return false;
    }
    // A percentage that is not an integer at all can only be pasted: the
    // platform's conversion error, before anything is copied.
    const std::string& shrink = texts.at("textShrink");
    const std::string& aspect = texts.at("halfWidthAspect");
    const auto reduction = WindowPercentage(shrink);
    if (!reduction) throw ConversionError(FailureReason::BadSetting, NotAnInteger(shrink));
    if (*reduction <= 0) {
        dialogs_.ShowInfo(Cp932ToUtf8(kReductionMessage));
        view_.SetFieldText("textShrink", DefaultReductionText());
        return false;
    }
    const auto aspectPercent = WindowPercentage(aspect);
    if (!aspectPercent) throw ConversionError(FailureReason::BadSetting, NotAnInteger(aspect));
    if (*aspectPercent <= 0) {
        dialogs_.ShowInfo(Cp932ToUtf8(kAspectMessage));
        view_.SetFieldText("halfWidthAspect", std::string(kFallbackAspectText));
        return false;
    }
    const std::optional<ConversionSettings> settings = WindowSettingsFrom(texts);
    if (settings) settings_ = *settings;
    return settings.has_value();
}

std::optional<ConversionSettings> WindowCommands::ControlSettings() const {
    return WindowSettingsFrom(view_.ReadControls());
}

}  // namespace orvik
