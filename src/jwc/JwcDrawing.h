// The in-memory JW_CAD drawing: everything a .jwc file holds, as plain records.
//
// Units: coordinates and lengths are in drawing units (the paper's long
// side in millimetres divided by PaperDivisor), stored in the file as 32-bit
// reals and kept as doubles (exactly); angles are degrees; text sizes are
// tenths of a millimetre on paper. Texts are CP932 byte strings.
//
// Layer numbers: every element carries an 8-bit layer number L = group * 16 +
// layer in group. L indexes Layers; L / 16 indexes layerGroups.
//
// A default-constructed JwcDrawing is the reset state: empty counted arrays,
// zeroed fixed tables and the header defaults below.
//
// The conversion works on this model for both formats: a JWW drawing is
// mapped onto it (convert/JwwMapping.h) with `source` saying so; the few
// rules that differ by format (units, pens 7..9) read `source`.
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
    std::string ident;        // bytes 1-40: the signature and the 20 bytes after it
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
    std::int32_t hdr2_19 = 0, hdr2_20 = 0, hdr2_21 = 0, hdr2_22 = 0, hdr2_23 = 0, hdr2_24 = 0,
                 hdr2_25 = 0;
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
    float hdr3_11 = 0.0f, hdr3_12 = 0.0f, hdr3_13 = 0.0f, hdr3_14 = 0.0f, hdr3_15 = 0.0f,
          hdr3_16 = 0.0f;
    std::int32_t hdr3_17 = 0, hdr3_18 = 0, hdr3_19 = 0;
    float hdr3_20 = 100.0f, hdr3_21 = 100.0f, hdr3_22 = 100.0f, hdr3_23 = 100.0f,
          hdr3_24 = 100.0f, hdr3_25 = 100.0f;
    float hdr3_26 = 0.0f, hdr3_27 = 0.0f;
    float hdr3_28 = 1.0f;

    // Block 4.
    std::int32_t poolStart = kDefaultPoolAddress;  // linear address of the text pool's first byte
    std::int32_t poolEnd = kDefaultPoolAddress;    // one past its last byte
    float hdr4_03 = 0.0f, hdr4_04 = 0.0f, hdr4_05 = 0.0f, hdr4_06 = 0.0f, hdr4_07 = 0.0f,
          hdr4_08 = 0.0f, hdr4_09 = 0.0f, hdr4_10 = 0.0f, hdr4_11 = 0.0f, hdr4_12 = 0.0f,
          hdr4_13 = 0.0f, hdr4_14 = 0.0f, hdr4_15 = 0.0f, hdr4_16 = 0.0f, hdr4_17 = 0.0f,
          hdr4_18 = 0.0f, hdr4_19 = 0.0f, hdr4_20 = 0.0f;
    std::int32_t hdr4_21 = 0, hdr4_22 = 0;
};

// A straight line segment; the file record is these 22 bytes in this order.
struct JwcLine {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::uint8_t lineType = 0;  // 1..9; 9 is the auxiliary line type
    std::uint8_t pen = 0;
    std::uint8_t layer = 0;
    std::uint8_t byte19 = 0;
    std::uint8_t curveMark = 0;  // AND 192: 0 ordinary line; 64, 128, 192 parts of a curve
    std::uint8_t byte21 = 0;
};

// A circle, arc, ellipse or elliptic arc.
struct JwcArc {
    double cx = 0, cy = 0;
    double radius = 0;      // semi-axis in the direction of Tilt
    double flatness = 0;    // other semi-axis / Radius; 1.0 is a circle
    double startAngle = 0;  // degrees; equal start and end: a whole circle or ellipse
    double endAngle = 0;
    double tilt = 0;  // rotation of the Radius axis, degrees
    std::uint8_t lineType = 0;
    std::uint8_t pen = 0;
    std::uint8_t layer = 0;
    std::uint8_t byte29 = 0, byte30 = 0, byte31 = 0;
};

inline constexpr std::uint8_t kVerticalTextFlag = 32;

// A text: its base line runs from (X1, Y1) to (X2, Y2).
struct JwcText {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::int32_t address = 0;    // linear address of the string in the text pool
    std::uint8_t textType = 0;   // index into textTypes; values above 11 read as entry 11
    std::uint8_t layer = 0;
    std::uint8_t flags = 0;      // kVerticalTextFlag: vertical writing
    std::uint8_t byte23 = 0;
    std::string text;            // CP932 bytes from the pool
    // A JWW text carries its own size (mm on paper); -1: its text type's.
    double width = -1, height = -1;
    std::uint8_t pen = 0;  // a JWW text's pen; 0: colour 7, as every JWC text
    bool italic = false;   // a JWW text's: written slanted
    bool bold = false;     // a JWW text's: written bold
    std::uint16_t font = 0;  // a JWW text's font: 1 + its index in JwcDrawing::fonts; 0 none
};

// A real point; the file record is these 12 bytes in this order.
struct JwcPoint {
    double x = 0, y = 0;
    std::uint8_t layer = 0;
    std::uint8_t pen = 0;
    std::uint8_t byte10 = 0, byte11 = 0;
};

// A virtual point: no pen, written on the layer DEFPOINTS.
struct JwcVirtualPoint {
    double x = 0, y = 0;
    std::uint8_t layer = 0;
};

// A filled area of a JWW drawing (a JWC file has none): four corners in
// drawing order (a triangle repeats one).
struct JwcSolid {
    std::array<double, 2> p1{}, p2{}, p3{}, p4{};
    std::uint8_t pen = 0;
    std::uint8_t layer = 0;
};

// A line type a JWW drawing defines beyond JW_CAD's 1..9 (double-length
// types 16..19, SXF types 30..62): the elements' line-type number, its name
// as the file gives it (CP932) and its pattern in millimetres on paper,
// dashes positive and gaps negative (a zero dash is a dot).
struct JwcLinetype {
    std::uint8_t number = 0;
    std::string name;
    std::vector<double> pattern;
};

// A block insertion of a JWW drawing (a JWC file has none): the elements of
// block `block` (an index into JwcDrawing::blocks) scaled by (scaleX, scaleY),
// turned by `rotation` degrees and moved to (x, y).
struct JwcInsert {
    double x = 0, y = 0;
    double scaleX = 1, scaleY = 1;
    double rotation = 0;
    std::uint32_t block = 0;
    std::uint8_t pen = 0;
    std::uint8_t layer = 0;
};

// A block definition of a JWW drawing: named elements in its own
// coordinates, each on its own layer, placed by insertions. Its lists are
// named as the drawing's own, so code over elements can take either.
struct JwcBlock {
    std::string name;  // CP932, as the file names it
    std::vector<JwcLine> lines;
    std::vector<JwcArc> arcs;
    std::vector<JwcText> texts;
    std::vector<JwcPoint> points;
    std::vector<JwcVirtualPoint> virtualPoints;  // all in use
    std::vector<JwcSolid> solids;
    std::vector<JwcInsert> inserts;  // only of blocks before this one in JwcDrawing::blocks
};

inline constexpr std::uint16_t kDefpointsTextAttribute = 7;

// A text type; sizes in tenths of a millimetre on paper.
struct JwcTextType {
    std::uint16_t attribute = 0;  // kDefpointsTextAttribute sends its texts to DEFPOINTS
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint16_t value3 = 0;
};

struct JwcLayerGroup {
    float scale = 0;  // the N of 1:N
    std::uint8_t flag1 = 0;
    std::uint8_t visible = 0;  // nonzero: shown
    std::uint8_t flag3 = 0;
    std::string name;  // at most 16 bytes
};

struct JwcLayer {
    std::uint8_t flag1 = 0;
    std::uint8_t visible = 0;  // nonzero: shown
    std::string name;          // at most 8 bytes
};

// Where the drawing came from: a JWC file (coordinates in drawing units,
// pens 1..6), or a JWW file mapped onto this model (coordinates in
// millimetres on paper, pens 1..9, temporary points as virtual points).
enum class DrawingSource { JwcFile, JwwFile };

struct JwcDrawing {
    DrawingSource source = DrawingSource::JwcFile;
    std::array<std::string, kHeaderBlockCount> headerBlocks;  // the raw 200-byte blocks read so far
    JwcHeader header;
    // The file's slots (a JWW drawing: as many as it has); the first header.virtualPointCount in use.
    std::vector<JwcVirtualPoint> virtualPoints = std::vector<JwcVirtualPoint>(kVirtualPointSlots);
    std::array<JwcTextType, kTextTypeSlots> textTypes{};
    std::array<JwcLayerGroup, kLayerGroupCount> layerGroups{};
    std::array<JwcLayer, kLayerCount> layers{};
    std::vector<JwcLine> lines;    // header.lineCount entries
    std::vector<JwcArc> arcs;      // header.arcCount entries
    std::vector<JwcText> texts;    // header.textCount entries
    std::vector<JwcPoint> points;  // header.pointCount entries
    std::vector<JwcSolid> solids;  // a JWW drawing's
    std::vector<JwcInsert> inserts;  // a JWW drawing's
    std::vector<JwcBlock> blocks;    // a JWW drawing's, each after the blocks it inserts
    // A JWW drawing's colours of its own (SXF colours, solids' RGB) as pens
    // 10 and up: extraPenColors[n] is the 0xRRGGBB of pen 10 + n.
    std::vector<std::uint32_t> extraPenColors;
    // A JWW drawing's printed line width of each pen (mm), by pen; 0 when
    // the file does not say it in a known unit.
    std::vector<double> penWidths;
    // A JWW drawing's font names (CP932), as its texts name them.
    std::vector<std::string> fonts;
    // A JWW drawing's line types beyond 1..9 that its elements use, by number.
    std::vector<JwcLinetype> extraLinetypes;
};

// Sets the header's element counts from the lists, every virtual point slot
// in use: for a drawing made in memory (a JWW drawing mapped, blocks placed).
inline void CountElements(JwcDrawing& d) {
    JwcHeader& h = d.header;
    h.lineCount = static_cast<std::int32_t>(d.lines.size());
    h.arcCount = static_cast<std::int32_t>(d.arcs.size());
    h.textCount = static_cast<std::int32_t>(d.texts.size());
    h.pointCount = static_cast<std::int32_t>(d.points.size());
    h.virtualPointCount = static_cast<std::int32_t>(d.virtualPoints.size());
}

// Calls `f` with the drawing and then with each of its blocks: every list of
// elements the drawing holds.
template <class F>
void ForEachElementSet(const JwcDrawing& drawing, F&& f) {
    f(drawing);
    for (const JwcBlock& block : drawing.blocks) f(block);
}

}  // namespace orvik
