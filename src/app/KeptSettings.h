// What the desktop windows keep per user between runs, in the same keys on
// every system: the settings the controls showed when the window closed
// (restored when it opens again; initialise still restores the defaults),
// the drawing tab's background and the folders used last. Values are text
// (UTF-8): the store is the platform's own (Qt's QSettings file on Linux,
// the registry under HKCU on Windows). The settings are kept as the
// settings table writes them, each under its KeptKey.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/SettingsTable.h"

namespace orvik {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The value kept under the key, or none.
    virtual std::optional<std::string> Value(std::string_view key) const = 0;
    virtual void SetValue(std::string_view key, const std::string& value) = 0;
};

inline constexpr std::string_view kReadFolderKey = "folders/read";  // where the open dialog read last
inline constexpr std::string_view kSaveFolderKey = "folders/save";  // where a save or a batch wrote last
inline constexpr std::string_view kLightBackgroundKey = "view/lightBackground";

// Keeps the settings' texts (CP932 fields as UTF-8).
void StoreSettingTexts(SettingsStore& store, const SettingTexts& texts);

// What was stored, or none when nothing was (the first run): then the
// window keeps its defaults. Keys missing (kept by an older version) and
// values that are none of their setting's take their defaults; a field's
// text comes back as it was typed (it is checked when a conversion uses it).
std::optional<SettingTexts> StoredSettingTexts(const SettingsStore& store);

}  // namespace orvik
