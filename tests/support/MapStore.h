// The window's settings store as a map: QSettings and the registry in tests.
#pragma once

#include <map>
#include <string>

#include "app/KeptSettings.h"

namespace orvik::testing {

class MapStore : public SettingsStore {
public:
    MapStore(std::initializer_list<std::pair<const std::string, std::string>> values = {}) : values_(values) {}
    std::optional<std::string> Value(std::string_view key) const override {
        const auto found = values_.find(std::string(key));
        return found == values_.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
    void SetValue(std::string_view key, const std::string& value) override { values_[std::string(key)] = value; }

private:
    std::map<std::string, std::string> values_;
};

}  // namespace orvik::testing
