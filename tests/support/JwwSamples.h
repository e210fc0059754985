// The real JWW drawings beside the project (../shared/jww-samples), which
// the Linux build reads when they are there.
#pragma once

#include <filesystem>

namespace orvik::testing {

// The samples' folder; empty where there are none to read (a Windows build,
// a clone without ../shared).
inline std::filesystem::path JwwSamplesFolder() {
#ifdef _WIN32
    return {};
#else
    const std::filesystem::path folder = ORVIK_SOURCE_DIR "/../shared/jww-samples";
    return std::filesystem::exists(folder) ? folder : std::filesystem::path();
#endif
}

}  // namespace orvik::testing
