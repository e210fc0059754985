// The window's kept settings (app/KeptSettings.h) in the registry, as
// string values under HKEY_CURRENT_USER\Software\ORVIK: per user, with no
// file of ours to create or lose, and one key the uninstaller removes.
#pragma once

#include "app/KeptSettings.h"

namespace orvik::win {

inline constexpr wchar_t kSettingsKey[] = L"Software\\ORVIK";

class RegistryStore : public SettingsStore {
public:
    std::optional<std::string> Value(std::string_view key) const override;
    void SetValue(std::string_view key, const std::string& value) override;
};

}  // namespace orvik::win
