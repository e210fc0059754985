// CP932 as tables: what each byte and byte pair decodes to, and where
// encoding differs from the first code that decodes to a character (CP932
// holds several characters twice, as NEC's and as IBM's; and some
// characters, as U+00A5, are encoded without any code decoding to them).
// Made from glibc's iconv by tools/MakeCp932Tables.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvik::cp932_data {

// 0xFFFF in any table: no character, or no code.
inline constexpr std::uint16_t kNone = 0xFFFF;
// A character encoded as nothing (the tag characters U+E0000..U+E007F).
inline constexpr std::uint16_t kDropped = 0xFFFE;

// Lead bytes 0x81..0x9F and 0xE0..0xFC, trail bytes 0x40..0xFC.
inline constexpr int kLeadBytes = 60;
inline constexpr int kTrailBytes = 189;
inline constexpr int kFirstTrail = 0x40;

inline constexpr bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
inline constexpr int LeadIndex(unsigned char b) { return b <= 0x9F ? b - 0x81 : b - 0xE0 + 0x1F; }
inline constexpr unsigned char LeadByte(int index) {
    return static_cast<unsigned char>(index < 0x1F ? index + 0x81 : index - 0x1F + 0xE0);
}

// A byte that is not a lead byte as one character (UTF-16).
extern const std::uint16_t kSingleByte[256];
// A lead and trail byte as one character (UTF-16).
extern const std::uint16_t kDoubleByte[kLeadBytes][kTrailBytes];

// A character's code (one byte when below 0x100), kNone when CP932 has no
// code for it though a code decodes to it, or kDropped.
struct EncodeException {
    std::uint32_t character;
    std::uint16_t code;
};
extern const EncodeException kEncodeExceptions[];
extern const std::size_t kEncodeExceptionCount;

}  // namespace orvik::cp932_data
