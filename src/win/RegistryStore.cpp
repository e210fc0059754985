#include "win/RegistryStore.h"

#include <windows.h>

#include <vector>

#include "winpaint/Wide.h"

namespace orvik::win {

std::optional<std::string> RegistryStore::Value(std::string_view key) const {
    DWORD bytes = 0;
    const std::wstring name = Wide(key);
    if (::RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (::RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, text.data(), &bytes) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return Utf8(text.data());
}

void RegistryStore::SetValue(std::string_view key, const std::string& value) {
    const std::wstring text = Wide(value);
    ::RegSetKeyValueW(HKEY_CURRENT_USER, key_.c_str(), Wide(key).c_str(), REG_SZ, text.c_str(),
                      static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

}  // namespace orvik::win
