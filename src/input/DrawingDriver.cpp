#include "input/DrawingDriver.h"

#include <algorithm>
#include <cctype>

namespace orvik {

std::string_view ExtensionOf(std::string_view path) {
#ifdef _WIN32
    const auto nameStart = path.find_last_of("/\\") + 1;  // npos + 1 == 0
#else
    const auto nameStart = path.find_last_of('/') + 1;
#endif
    const auto dot = path.rfind('.');
    return dot != std::string_view::npos && dot >= nameStart ? path.substr(dot) : std::string_view();
}

bool HasExtension(std::string_view path, std::string_view extension) {
    const std::string_view own = ExtensionOf(path);
    return std::equal(own.begin(), own.end(), extension.begin(), extension.end(),
                      [](unsigned char a, unsigned char b) { return std::toupper(a) == std::toupper(b); });
}

}  // namespace orvik
