// A JWC file: its fixed layout, and its header's values.
//
// A JWC file's coordinates are divisions of the paper's long side
// (DrawingUnits::PaperDivisions), its pens 1..7, its texts' sizes those of
// their text types. Every element record carries an 8-bit layer number.
//
// A default-constructed JwcFile is the reset state: empty lists, zeroed
// tables and the header defaults below.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Drawing.h"

namespace orvik {

inline constexpr int kHeaderBlockCount = 4;
inline constexpr int kHeaderBlockSize = 200;
inline constexpr int kHeaderSize = kHeaderBlockCount * kHeaderBlockSize;
inline constexpr int kVirtualPointSlots = 101;
inline constexpr int kLayerNameSize = 8;
inline constexpr int kLayerGroupNameSize = 16;

// Sizes of the records as stored in the file.
inline constexpr int kLineRecordSize = 22;
inline constexpr int kArcRecordSize = 32;
inline constexpr int kTextRecordSize = 24;
inline constexpr int kPointRecordSize = 12;

// The first 20 bytes of every JWC file.
inline constexpr char kJwcSignature[] = "jw_cad(c)data.......";
inline constexpr int kJwcSignatureSize = sizeof(kJwcSignature) - 1;

// Linear address of segment 6000h, offset 0: where DOS-era JW_CAD kept texts.
inline constexpr std::int32_t kDefaultPoolAddress = 0x6000 * 16;

// Values parsed from the four text header blocks. Fields named HdrB_NN are
// kept as read (block B, field NN) but carry no meaning for the conversion.
struct JwcHeader {
    // Block 1.
    std::string ident;  // bytes 1-40: the signature and the 20 bytes after it
    std::string headerText1;  // bytes 41-72
    std::string headerText2;  // bytes 73-104
    bool floatScales = true;  // byte 23 is "f": group scales stored as reals, else as words

    // Block 2.
    std::int32_t lineCount = 0;
    std::int32_t arcCount = 0;
    std::int32_t textCount = 0;
    std::int32_t pointCount = 0;
    std::int32_t virtualPointCount = 0;
    std::int32_t hdr2_06 = 1, hdr2_07 = 1, hdr2_08 = 1, hdr2_09 = 1;
    float hdr2_10 = 1.0f;
    std::int32_t hdr2_11 = 0;
    std::int32_t paperSize = 3;  // 0 = A0 ... 4 = A4; further codes known to the conversion
    std::int32_t hdr2_13 = 2;
    std::int32_t hdr2_14 = 1;
    float hdr2_15 = 0.0f, hdr2_16 = 0.0f;
    float hdr2_17 = 5.0f;
    float hdr2_18 = 10.0f;
    std::int32_t hdr2_19 = 0, hdr2_20 = 0, hdr2_21 = 0, hdr2_22 = 0, hdr2_23 = 0, hdr2_24 = 0, hdr2_25 = 0;
    float hdr2_26 = 5.0f, hdr2_27 = 5.0f;
    float hdr2_28 = 0.0f, hdr2_29 = 0.0f, hdr2_30 = 0.0f;
    std::int32_t paperDivisor = 518;  // drawing units along the paper's long side; 0 reads as 518
    std::int32_t hdr2_32 = 0;

    // Block 3.
    float hdr3_01 = 0.0f, hdr3_02 = 0.0f;
    float hdr3_03 = 3.0f;
    float hdr3_04 = 15.0f;
    std::int32_t hdr3_05 = 0, hdr3_06 = 0, hdr3_07 = 0, hdr3_08 = 0, hdr3_09 = 0;
    std::int32_t hdr3_10 = 1;
    float hdr3_11 = 0.0f, hdr3_12 = 0.0f, hdr3_13 = 0.0f, hdr3_14 = 0.0f, hdr3_15 = 0.0f, hdr3_16 = 0.0f;
    std::int32_t hdr3_17 = 0, hdr3_18 = 0, hdr3_19 = 0;
    float hdr3_20 = 100.0f, hdr3_21 = 100.0f, hdr3_22 = 100.0f, hdr3_23 = 100.0f, hdr3_24 = 100.0f, hdr3_25 = 100.0f;
    float hdr3_26 = 0.0f, hdr3_27 = 0.0f;
    float hdr3_28 = 1.0f;

    // Block 4.
    std::int32_t poolStart = kDefaultPoolAddress;  // linear address of the text pool's first byte
    std::int32_t poolEnd = kDefaultPoolAddress;  // one past its last byte
    float hdr4_03 = 0.0f, hdr4_04 = 0.0f, hdr4_05 = 0.0f, hdr4_06 = 0.0f, hdr4_07 = 0.0f, hdr4_08 = 0.0f,
          hdr4_09 = 0.0f, hdr4_10 = 0.0f, hdr4_11 = 0.0f, hdr4_12 = 0.0f, hdr4_13 = 0.0f, hdr4_14 = 0.0f,
          hdr4_15 = 0.0f, hdr4_16 = 0.0f, hdr4_17 = 0.0f, hdr4_18 = 0.0f, hdr4_19 = 0.0f, hdr4_20 = 0.0f;
    std::int32_t hdr4_21 = 0, hdr4_22 = 0;
};

// A text record's flag byte: vertical writing.
inline constexpr std::uint8_t kVerticalTextFlag = 32;

// A JWC file as read: its raw header blocks, the values parsed from them,
// and the drawing its sections hold. The header's element counts are the
// file's; after a read they equal the drawing's lists' sizes.
struct JwcFile : Drawing {
    std::array<std::string, kHeaderBlockCount> headerBlocks;  // the raw 200-byte blocks read so far
    JwcHeader header;
};

}  // namespace orvik
