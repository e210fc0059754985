// The drawing as the conversion and the pictures take it, whatever file it
// came from: plain records a reader fills (jwc/, jww/) and the conversion
// reads. Nothing here knows a file layout.
//
// Units: coordinates and lengths are in the drawing's units (Drawing::units):
// divisions of the paper's long side, or millimetres on paper. Angles are
// degrees, counter-clockwise. Text sizes of text types are tenths of a
// millimetre on paper, a text's own size millimetres. Names and texts are
// CP932 byte strings.
//
// Layer numbers: every element carries an 8-bit layer number L = group * 16 +
// layer in group. L indexes Drawing::layers; L / 16 indexes layerGroups.
//
// Element counts are the lists' sizes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orvik {

inline constexpr int kLayerGroupCount = 16;
inline constexpr int kLayersPerGroup = 16;
inline constexpr int kLayerCount = kLayerGroupCount * kLayersPerGroup;
inline constexpr int kFileTextTypes = 11;  // text types 0..10 of JW_CAD
inline constexpr int kTextTypeSlots = kFileTextTypes + 1;  // entry 11 stays all zero: a text's own size

inline constexpr int kMaxPens = 64;  // pens 0..63
inline constexpr int kLastStandardLineType = 9;  // JW_CAD's own line types are 1..9
inline constexpr int kAuxiliaryLineType = 9;
// Line-type numbers a drawing may use: JW_CAD's 1..9 and its own beyond.
inline constexpr int kLinetypeNumbers = 64;
// JW_CAD draws one bit of its 32-bit line patterns as this many millimetres
// on paper (type 2, 1001, is 1.25 drawn, 1.25 not).
inline constexpr double kMillimetresPerPatternBit = 0.625;

// How the drawing's coordinates are measured.
enum class DrawingUnits {
    PaperDivisions,  // the paper's long side is Paper::divisor units (JW_CAD for DOS)
    PaperMillimetres,  // millimetres on paper (JW_CAD for Windows)
};

struct Paper {
    std::int32_t size = 3;  // 0 = A0 ... 4 = A4; further codes known to the conversion
    std::int32_t divisor = 518;  // PaperDivisions: units along the paper's long side
};

// The pens: 1..6 take the colours the user sets; a drawing may have pens
// beyond with colours of their own. Pen 0 and pens past `count` draw in the
// default colour.
struct Pens {
    int count = 8;  // pens 0..count-1 (at most kMaxPens) are told apart when a layer's colour is chosen
    // The AutoCAD colours of pens 7, 8, ... that the drawing's program fixes.
    std::vector<std::int32_t> fixedColors;
    // The 0xRRGGBB of the pens after those: pen 7 + fixedColors.size() + n.
    std::vector<std::uint32_t> ownColors;
    // The printed line width of each pen (mm), by pen; 0 when unknown.
    std::vector<double> widths;
};

// A straight line segment.
struct DrawingLine {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::uint8_t lineType = 0;  // 1..9, 9 the auxiliary line type; or one of Drawing::extraLinetypes
    std::uint8_t pen = 0;
    std::uint8_t layer = 0;
    std::uint8_t curveMark = 0;  // AND 192: 0 ordinary line; 64, 128, 192 parts of a curve run
};

// A circle, arc, ellipse or elliptic arc.
struct DrawingArc {
    double cx = 0, cy = 0;
    double radius = 0;  // semi-axis in the direction of tilt
    double flatness = 0;  // other semi-axis / radius; 1.0 is a circle
    double startAngle = 0;  // degrees; equal start and end: a whole circle or ellipse
    double endAngle = 0;
    double tilt = 0;  // rotation of the radius axis, degrees
    std::uint8_t lineType = 0;
    std::uint8_t pen = 0;
    std::uint8_t layer = 0;
};

// A text: its base line runs from (x1, y1) to (x2, y2).
struct DrawingText {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::uint8_t textType = 0;  // index into textTypes; values above 11 read as entry 11
    std::uint8_t layer = 0;
    bool vertical = false;  // vertical writing
    std::string text;
    double width = -1, height = -1;  // its own size (mm on paper); -1: its text type's
    std::uint8_t pen = 0;  // 0: colour 7
    bool italic = false;
    bool bold = false;
    std::uint16_t font = 0;  // 1 + its index in Drawing::fonts; 0: the text style's
};

// A real point.
struct DrawingPoint {
    double x = 0, y = 0;
    std::uint8_t layer = 0;
    std::uint8_t pen = 0;
};

// A virtual point: no pen, written on the layer DEFPOINTS.
struct VirtualPoint {
    double x = 0, y = 0;
    std::uint8_t layer = 0;
};

// A filled area: four corners going round it (a triangle repeats one).
struct DrawingSolid {
    std::array<double, 2> p1{}, p2{}, p3{}, p4{};
    std::uint8_t pen = 0;
    std::uint8_t layer = 0;
};

// A line type of the drawing's own beyond 1..9: the elements' line-type
// number, its name (CP932) and its pattern in millimetres on paper, dashes
// positive and gaps negative (a zero dash is a dot).
struct DefinedLinetype {
    std::uint8_t number = 0;
    std::string name;
    std::vector<double> pattern;
};

// A block insertion: the elements of block `block` (an index into
// Drawing::blocks) scaled by (scaleX, scaleY), turned by `rotation` degrees
// and moved to (x, y).
struct BlockInsert {
    double x = 0, y = 0;
    double scaleX = 1, scaleY = 1;
    double rotation = 0;
    std::uint32_t block = 0;
    std::uint8_t pen = 0;
    std::uint8_t layer = 0;
};

// Every element of a drawing, or of a block, each kind in a list of its own.
struct ElementSet {
    std::vector<DrawingLine> lines;
    std::vector<DrawingArc> arcs;
    std::vector<DrawingText> texts;
    std::vector<DrawingPoint> points;
    std::vector<VirtualPoint> virtualPoints;
    std::vector<DrawingSolid> solids;
    std::vector<BlockInsert> inserts;  // a block's: only of blocks before it in Drawing::blocks
};

// A block definition: named elements in its own coordinates, each on its own
// layer, placed by insertions.
struct Block : ElementSet {
    std::string name;
};

inline constexpr std::uint16_t kDefpointsTextAttribute = 7;

// A text type; sizes in tenths of a millimetre on paper.
struct TextType {
    std::uint16_t attribute = 0;  // kDefpointsTextAttribute sends its texts to DEFPOINTS
    std::uint16_t width = 0;
    std::uint16_t height = 0;
};

struct LayerGroup {
    float scale = 0;  // the N of 1:N
    std::uint8_t visible = 0;  // nonzero: shown
    std::string name;
};

struct Layer {
    std::uint8_t visible = 0;  // nonzero: shown
    std::string name;
};

// The drawing: its own elements (ElementSet), and what they are drawn with.
struct Drawing : ElementSet {
    DrawingUnits units = DrawingUnits::PaperDivisions;
    Paper paper;
    Pens pens;
    std::array<TextType, kTextTypeSlots> textTypes{};
    std::array<LayerGroup, kLayerGroupCount> layerGroups{};
    std::array<Layer, kLayerCount> layers{};
    std::vector<Block> blocks;  // each after the blocks it inserts
    std::vector<std::string> fonts;  // font names (CP932), as texts name them
    std::vector<DefinedLinetype> extraLinetypes;  // the line types beyond 1..9 its elements use
};

// What a file held that its drawing in this model leaves out, counted: a
// reader's (solids of unknown kinds, insertions of definitions a file lacks
// or of one inserting itself, image placements) or the conversion's
// (insertions past what placing blocks in the drawing allows).
struct NotCarried {
    std::int64_t solids = 0;
    std::int64_t inserts = 0;
    std::int64_t images = 0;
    bool Any() const { return solids + inserts + images > 0; }
};

// How far apart two colours 0xRRGGBB are: the sum of the squared channel differences.
inline long RgbDistance(std::uint32_t a, std::uint32_t b) {
    long sum = 0;
    for (const int shift : {16, 8, 0}) {
        const long d = static_cast<long>(a >> shift & 0xFF) - static_cast<long>(b >> shift & 0xFF);
        sum += d * d;
    }
    return sum;
}

// Calls `f` with the drawing and then with each of its blocks: every list of
// elements the drawing holds.
template <class F>
void ForEachElementSet(const Drawing& drawing, F&& f) {
    f(static_cast<const ElementSet&>(drawing));
    for (const Block& block : drawing.blocks) f(static_cast<const ElementSet&>(block));
}

}  // namespace orvik
