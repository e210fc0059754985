// The window's kept settings (app/KeptSettings.h) in the registry, as
// string values under HKEY_CURRENT_USER\Software\ORVIK: per user, with no
// file of ours to create or lose, and one key the uninstaller removes.
#pragma once

#include <string>

#include "app/KeptSettings.h"

namespace orvik::win {

inline constexpr wchar_t kSettingsKey[] = L"Software\\ORVIK";

class RegistryStore : public SettingsStore {
public:
    // The values under HKEY_CURRENT_USER\`key`.
    explicit RegistryStore(std::wstring key = kSettingsKey) : key_(std::move(key)) {}
    std::optional<std::string> Value(std::string_view key) const override;
    void SetValue(std::string_view key, const std::string& value) override;

private:
    std::wstring key_;
};

}  // namespace orvik::win
