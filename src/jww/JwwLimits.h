// What the JWW reader allows a file before it stops reading it: nesting,
// image sizes, and what back-references may repeat.
#pragma once

#include <cstdint>

namespace orvik {

// Block definitions inside block definitions, at the most.
inline constexpr int kJwwNestingLimit = 32;
// An embedded image's bytes, stored or inflated, at the most.
inline constexpr std::int64_t kJwwImageLimit = std::int64_t{256} << 20;
// What elements repeated by back-references (two bytes each, whole elements
// with their strings) may hold together beyond the file's own size.
inline constexpr std::int64_t kJwwRepeatedBytesFloor = std::int64_t{64} << 20;
// The images a drawing keeps, and their bytes together, at the most: those
// past either are left out (and counted), so that a small file cannot make
// the reader hold, or the conversion write, gigabytes or thousands of files.
inline constexpr std::int64_t kJwwImageCountLimit = 1000;
inline constexpr std::int64_t kJwwImagesTotalLimit = kJwwImageLimit;

}  // namespace orvik
