#include "app/WindowCommands.h"

#include "app/SettingChecks.h"
#include "text/Cp932.h"
#include "text/Messages.h"

namespace orvik {

// The fields' checks in layout order, then the controls copied into the
// settings. False when a check refused a field (its default is written back).
bool WindowCommands::CheckAndCopySettings() {
    const SettingTexts texts = view_.ReadControls();
    for (const Setting& field : SettingsTable()) {
        if (field.kind != SettingKind::Field) continue;
        const FieldCheck check = CheckWindowField(field, texts.at(std::string(field.name)));
        // A percentage that is not an integer at all can only be pasted: the
        // platform's conversion error, before anything is copied.
        if (check.verdict == FieldCheck::Verdict::NotANumber) throw FailureError(Reason::BadSetting, check.message);
        if (check.verdict == FieldCheck::Verdict::Refused) {
            dialogs_.ShowInfo(Cp932ToUtf8(check.message));
            view_.SetFieldText(field.name, check.text);
            return false;
        }
    }
    const std::optional<ConversionSettings> settings = WindowSettingsFrom(texts);
    if (settings) settings_ = *settings;
    return settings.has_value();
}

std::optional<ConversionSettings> WindowCommands::ControlSettings() const {
    return WindowSettingsFrom(view_.ReadControls());
}

}  // namespace orvik
