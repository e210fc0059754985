// The window's kept settings (app/KeptSettings.h) in Qt's QSettings.
#pragma once

#include <QSettings>

#include "app/KeptSettings.h"

namespace orvik {

class QtSettingsStore : public SettingsStore {
public:
    explicit QtSettingsStore(QSettings& settings) : settings_(settings) {}
    std::optional<std::string> Value(std::string_view key) const override;
    void SetValue(std::string_view key, const std::string& value) override;
    QSettings& Settings() { return settings_; }

private:
    QSettings& settings_;
};

}  // namespace orvik
