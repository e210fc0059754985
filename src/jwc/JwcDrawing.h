// The in-memory JW_CAD drawing: everything a .jwc file holds, as plain records.
//
// Units: coordinates and lengths are 32-bit reals in drawing units (the
// paper's long side in millimetres divided by PaperDivisor); angles are
// degrees; text sizes are tenths of a millimetre on paper. Texts are CP932
// byte strings.
//
// Layer numbers: every element carries an 8-bit layer number L = group * 16 +
// layer in group. L indexes Layers; L / 16 indexes LayerGroups.
//
// A default-constructed JwcDrawing is the reset state: empty counted arrays,
// zeroed fixed tables and the header defaults below.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orvik {

inline constexpr int kHeaderBlockCount = 4;
inline constexpr int kHeaderBlockSize = 200;
inline constexpr int kHeaderSize = kHeaderBlockCount * kHeaderBlockSize;
inline constexpr int kVirtualPointSlots = 101;
inline constexpr int kFileTextTypes = 11;           // text types 0..10 stored in the file
inline constexpr int kTextTypeSlots = kFileTextTypes + 1;  // entry 11 stays all zero
inline constexpr int kLayerGroupCount = 16;
inline constexpr int kLayersPerGroup = 16;
inline constexpr int kLayerCount = kLayerGroupCount * kLayersPerGroup;
inline constexpr int kLayerNameSize = 8;
inline constexpr int kLayerGroupNameSize = 16;

// Sizes of the records as stored in the file.
inline constexpr int kSenRecordSize = 22;
inline constexpr int kEnkoRecordSize = 32;
inline constexpr int kMojiRecordSize = 24;
inline constexpr int kTenRecordSize = 12;

// The first 20 bytes of every JWC file.
inline constexpr char kJwcSignature[] = "jw_cad(c)data.......";
inline constexpr int kJwcSignatureSize = sizeof(kJwcSignature) - 1;

// Linear address of segment 6000h, offset 0: where DOS-era JW_CAD kept texts.
inline constexpr std::int32_t kDefaultPoolAddress = 0x6000 * 16;

// Values parsed from the four text header blocks. Fields named HdrB_NN are
// kept as read (block B, field NN) but carry no meaning for the conversion.
struct THeader {
    // Block 1.
    std::string Ident;        // bytes 1-40: the signature and the 20 bytes after it
    std::string HeaderText1;  // bytes 41-72
    std::string HeaderText2;  // bytes 73-104
    bool FloatScales = true;  // byte 23 is "f": group scales stored as reals, else as words

    // Block 2.
    std::int32_t LineCount = 0;
    std::int32_t ArcCount = 0;
    std::int32_t TextCount = 0;
    std::int32_t PointCount = 0;
    std::int32_t VirtualPointCount = 0;
    std::int32_t Hdr2_06 = 1, Hdr2_07 = 1, Hdr2_08 = 1, Hdr2_09 = 1;
    float Hdr2_10 = 1.0f;
    std::int32_t Hdr2_11 = 0;
    std::int32_t PaperSize = 3;  // 0 = A0 ... 4 = A4; further codes known to the conversion
    std::int32_t Hdr2_13 = 2;
    std::int32_t Hdr2_14 = 1;
    float Hdr2_15 = 0.0f, Hdr2_16 = 0.0f;
    float Hdr2_17 = 5.0f;
    float Hdr2_18 = 10.0f;
    std::int32_t Hdr2_19 = 0, Hdr2_20 = 0, Hdr2_21 = 0, Hdr2_22 = 0, Hdr2_23 = 0, Hdr2_24 = 0,
                 Hdr2_25 = 0;
    float Hdr2_26 = 5.0f, Hdr2_27 = 5.0f;
    float Hdr2_28 = 0.0f, Hdr2_29 = 0.0f, Hdr2_30 = 0.0f;
    std::int32_t PaperDivisor = 518;  // drawing units along the paper's long side; 0 reads as 518
    std::int32_t Hdr2_32 = 0;

    // Block 3.
    float Hdr3_01 = 0.0f, Hdr3_02 = 0.0f;
    float Hdr3_03 = 3.0f;
    float Hdr3_04 = 15.0f;
    std::int32_t Hdr3_05 = 0, Hdr3_06 = 0, Hdr3_07 = 0, Hdr3_08 = 0, Hdr3_09 = 0;
    std::int32_t Hdr3_10 = 1;
    float Hdr3_11 = 0.0f, Hdr3_12 = 0.0f, Hdr3_13 = 0.0f, Hdr3_14 = 0.0f, Hdr3_15 = 0.0f,
          Hdr3_16 = 0.0f;
    std::int32_t Hdr3_17 = 0, Hdr3_18 = 0, Hdr3_19 = 0;
    float Hdr3_20 = 100.0f, Hdr3_21 = 100.0f, Hdr3_22 = 100.0f, Hdr3_23 = 100.0f,
          Hdr3_24 = 100.0f, Hdr3_25 = 100.0f;
    float Hdr3_26 = 0.0f, Hdr3_27 = 0.0f;
    float Hdr3_28 = 1.0f;

    // Block 4.
    std::int32_t PoolStart = kDefaultPoolAddress;  // linear address of the text pool's first byte
    std::int32_t PoolEnd = kDefaultPoolAddress;    // one past its last byte
    float Hdr4_03 = 0.0f, Hdr4_04 = 0.0f, Hdr4_05 = 0.0f, Hdr4_06 = 0.0f, Hdr4_07 = 0.0f,
          Hdr4_08 = 0.0f, Hdr4_09 = 0.0f, Hdr4_10 = 0.0f, Hdr4_11 = 0.0f, Hdr4_12 = 0.0f,
          Hdr4_13 = 0.0f, Hdr4_14 = 0.0f, Hdr4_15 = 0.0f, Hdr4_16 = 0.0f, Hdr4_17 = 0.0f,
          Hdr4_18 = 0.0f, Hdr4_19 = 0.0f, Hdr4_20 = 0.0f;
    std::int32_t Hdr4_21 = 0, Hdr4_22 = 0;
};

// A straight line segment; the file record is these 22 bytes in this order.
struct TSen {
    float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    std::uint8_t LineType = 0;  // 1..9; 9 is the auxiliary line type
    std::uint8_t Pen = 0;
    std::uint8_t Layer = 0;
    std::uint8_t Byte19 = 0;
    std::uint8_t CurveMark = 0;  // AND 192: 0 ordinary line; 64, 128, 192 parts of a curve
    std::uint8_t Byte21 = 0;
};

// A circle, arc, ellipse or elliptic arc.
struct TEnko {
    float CX = 0, CY = 0;
    float Radius = 0;      // semi-axis in the direction of Tilt
    float Flatness = 0;    // other semi-axis / Radius; 1.0 is a circle
    float StartAngle = 0;  // degrees; equal start and end: a whole circle or ellipse
    float EndAngle = 0;
    float Tilt = 0;  // rotation of the Radius axis, degrees
    std::uint8_t LineType = 0;
    std::uint8_t Pen = 0;
    std::uint8_t Layer = 0;
    std::uint8_t Byte29 = 0, Byte30 = 0, Byte31 = 0;
};

inline constexpr std::uint8_t kVerticalTextFlag = 32;

// A text: its base line runs from (X1, Y1) to (X2, Y2).
struct TMoji2 {
    float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    std::int32_t Address = 0;    // linear address of the string in the text pool
    std::uint8_t TextType = 0;   // index into MojiShu; values above 11 read as entry 11
    std::uint8_t Layer = 0;
    std::uint8_t Flags = 0;      // kVerticalTextFlag: vertical writing
    std::uint8_t Byte23 = 0;
    std::string Text;            // CP932 bytes from the pool
};

// A real point; the file record is these 12 bytes in this order.
struct TTen {
    float X = 0, Y = 0;
    std::uint8_t Layer = 0;
    std::uint8_t Pen = 0;
    std::uint8_t Byte10 = 0, Byte11 = 0;
};

// A virtual point: no pen, written on the layer DEFPOINTS.
struct TKasouTen {
    float X = 0, Y = 0;
    std::uint8_t Layer = 0;
};

inline constexpr std::uint16_t kDefpointsTextAttr = 7;

// A text type; sizes in tenths of a millimetre on paper.
struct TMojiShu {
    std::uint16_t Attr = 0;  // kDefpointsTextAttr sends its texts to DEFPOINTS
    std::uint16_t Width = 0;
    std::uint16_t Height = 0;
    std::uint16_t Value3 = 0;
};

struct TLayerGroup {
    float Scale = 0;  // the N of 1:N
    std::uint8_t Flag1 = 0;
    std::uint8_t Visible = 0;  // nonzero: shown
    std::uint8_t Flag3 = 0;
    std::string Name;  // at most 16 bytes
};

struct TLayer {
    std::uint8_t Flag1 = 0;
    std::uint8_t Visible = 0;  // nonzero: shown
    std::string Name;          // at most 8 bytes
};

struct JwcDrawing {
    std::array<std::string, kHeaderBlockCount> HeaderLines;  // the raw 200-byte blocks read so far
    THeader Header;
    std::array<TKasouTen, kVirtualPointSlots> KasouTen{};  // first VirtualPointCount in use
    std::array<TMojiShu, kTextTypeSlots> MojiShu{};
    std::array<TLayerGroup, kLayerGroupCount> LayerGroups{};
    std::array<TLayer, kLayerCount> Layers{};
    std::vector<TSen> Sen;     // Header.LineCount entries
    std::vector<TEnko> Enko;   // Header.ArcCount entries
    std::vector<TMoji2> Moji;  // Header.TextCount entries
    std::vector<TTen> Ten;     // Header.PointCount entries
};

}  // namespace orvik
