#include "gui/StoredSettings.h"

namespace orvik {
namespace {

QString Key(std::string_view key) { return QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size())); }

}  // namespace

std::optional<std::string> QtSettingsStore::Value(std::string_view key) const {
    if (!settings_.contains(Key(key))) return std::nullopt;
    return settings_.value(Key(key)).toString().toStdString();
}

void QtSettingsStore::SetValue(std::string_view key, const std::string& value) {
    settings_.setValue(Key(key), QString::fromStdString(value));
}

}  // namespace orvik
