// Little-endian values stored in JWC records, decoded from raw bytes.
#pragma once

#include <cstdint>
#include <cstring>

namespace orvik {

inline std::uint8_t LoadU8(const char* p) { return static_cast<std::uint8_t>(*p); }

inline std::uint16_t LoadU16(const char* p) { return static_cast<std::uint16_t>(LoadU8(p) | LoadU8(p + 1) << 8); }

inline std::uint32_t LoadU32(const char* p) {
    return std::uint32_t{LoadU8(p)} | std::uint32_t{LoadU8(p + 1)} << 8 | std::uint32_t{LoadU8(p + 2)} << 16 |
           std::uint32_t{LoadU8(p + 3)} << 24;
}

inline std::int32_t LoadI32(const char* p) { return static_cast<std::int32_t>(LoadU32(p)); }

inline float LoadF32(const char* p) {
    const std::uint32_t bits = LoadU32(p);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace orvik
