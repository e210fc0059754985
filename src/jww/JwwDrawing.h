// The drawing model of a JWW file (JW_CAD for Windows), as the file holds it.
//
// A JWW file is an MFC archive: "JwwData.", the data version, the header
// (settings of the document, in a fixed order with fields that exist only
// from a given version), the element list, the block-definition list, and
// from version 700 the embedded images. Coordinates are millimetres on
// paper, as doubles; angles of arcs are radians, of texts degrees. Strings
// are CP932 here, whether the file held CP932 or UTF-16.
//
// The names are English; the terms JW_CAD users know are explained in
// docs/GLOSSARY.md (layer group, write layer, temporary point, solid, block).
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "jww/MfcArchive.h"

namespace orvik {

// The data versions whose files differ in what they hold. JW_CAD 7 and later write 700.
inline constexpr std::uint32_t kJwwNewestVersion = 700;

inline constexpr int kJwwGroupCount = 16;
inline constexpr int kJwwLayersPerGroup = 16;

struct JwwLayer {
    std::uint32_t state = 0;  // 0 hidden, 1 shown only, 2 editable, 3 the write layer
    std::uint32_t protection = 0;  // 0 none, 1 state may change, 2 state fixed
    std::string name;
};

struct JwwLayerGroup {
    std::uint32_t state = 0;  // as a layer's
    std::uint32_t writeLayer = 0;
    double scale = 1;  // the N of 1:N
    std::uint32_t protection = 0;
    std::array<JwwLayer, kJwwLayersPerGroup> layers{};
    std::string name;
};

struct JwwPen {
    std::uint32_t color = 0;  // 0 background, 1..8 pen colours, 9 grey; a COLORREF for the SXF colours
    std::uint32_t width = 0;
};

struct JwwPrinterPen {
    std::uint32_t color = 0;
    std::uint32_t width = 0;
    double pointRadius = 0;
};

// A line-type pattern: the bits of the pattern and its pitches (random
// lines: amplitude in place of the unit's dots).
struct JwwLinePattern {
    std::uint32_t pattern = 0;
    std::uint32_t unitDots = 0;  // random lines: the screen amplitude
    std::uint32_t pitch = 0;
    std::uint32_t printerPitch = 0;
    std::uint32_t printerAmplitude = 0;  // random lines only
};

// An SXF line type: its name and the lengths of its dashes and gaps.
struct JwwSxfLineType {
    std::string name;
    std::uint32_t segments = 0;
    std::array<double, 10> pitches{};
};

// A text style (文字種 1..10): width, height and spacing on paper, and pen.
struct JwwTextStyle {
    double width = 0, height = 0, spacing = 0;
    std::uint32_t color = 0;
};

struct JwwHeader {
    std::uint32_t version = 0;  // as stored; the fields read are those of min(version, 700)
    std::string memo;
    std::uint32_t paperSize = 0;  // 0..4 A0..A4, 8 2A, 9 3A, 10 4A, 11 5A, 12 10 m, 13 50 m, 14 100 m
    std::uint32_t writeGroup = 0;
    std::array<JwwLayerGroup, kJwwGroupCount> groups{};
    std::array<std::uint32_t, 5> dimensionSettings{};
    std::int32_t maxDrawWidth = 0;
    double printOriginX = 0, printOriginY = 0, printScale = 1;
    std::uint32_t printSettings = 0;
    std::array<JwwPen, 10> screenPens{};
    std::array<JwwPrinterPen, 10> printerPens{};
    std::array<JwwLinePattern, 8> linePatterns{};  // line types 2..9
    std::array<JwwLinePattern, 5> randomPatterns{};  // random lines 11..15
    std::array<JwwLinePattern, 4> doublePatterns{};  // double-length types 16..19
    // Ones: shown-only layers are not printed; from version 600 the tens say
    // at what resolution the pens' printed widths are given in dots (1: 300
    // dpi, 2: 600 dpi), unless maxDrawWidth says hundredths of a millimetre
    // (-101, -201..-300, -401..-500).
    std::uint32_t printOptions = 0;
    std::uint32_t drawTime = 0;  // from version 223
    std::uint32_t solidAnyColor = 0, solidColor = 0;  // from version 230 (RGB)
    // From version 420: the SXF colours and line types.
    std::vector<JwwPen> sxfScreenPens;  // 257
    std::vector<std::string> sxfColorNames;  // 257
    std::vector<JwwPrinterPen> sxfPrinterPens;  // 257
    std::vector<JwwLinePattern> sxfPatterns;  // 33
    std::vector<JwwSxfLineType> sxfLineTypes;  // 33
    std::array<JwwTextStyle, 10> textStyles{};
    double textWidth = 0, textHeight = 0, textSpacing = 0;
    std::uint32_t textColor = 0, textStyle = 0;
    // The fields nothing here uses (grid and view settings, zoom marks,
    // sun shadow, 2.5D, parallel-line spacings, ...), as the file holds
    // them, one entry per run between two fields named above, in file
    // order; kept when the drawing is read for writing back. Empty: they are
    // written as zeros.
    std::vector<std::string> otherFields;
};

// What every element has.
struct JwwCommon {
    std::uint32_t group = 0;  // curve attribute number: elements of one curve share it
    std::uint8_t penStyle = 0;  // line type 1..9 (and the special codes of points, solids)
    std::uint16_t penColor = 0;  // 1..9, 10 an RGB solid, 100+ SXF colours
    std::uint16_t penWidth = 0;  // from version 351; a text's dimension-value flags
    std::uint16_t layer = 0;
    std::uint16_t layerGroup = 0;
    std::uint16_t flags = 0;
};

struct JwwLine {
    JwwCommon common;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// A circle, arc, ellipse or elliptic arc (angles in radians).
struct JwwArc {
    JwwCommon common;
    double cx = 0, cy = 0, radius = 0;
    double start = 0, sweep = 0, tilt = 0;
    double flatness = 1;  // the other semi-axis / radius
    std::uint32_t wholeCircle = 0;
};

inline constexpr std::uint8_t kJwwMarkerPointStyle = 100;

struct JwwPoint {
    JwwCommon common;
    double x = 0, y = 0;
    std::uint32_t temporary = 0;  // a temporary point: not printed
    // A marker point (pen style 100): its marker code, angle (radians) and scale.
    std::uint32_t code = 0;
    double angle = 0, scale = 1;
};

inline constexpr std::uint16_t kJwwVerticalTextFlag = 0x0020;
inline constexpr std::uint32_t kJwwItalicOffset = 10000;
inline constexpr std::uint32_t kJwwBoldOffset = 20000;

struct JwwText {
    JwwCommon common;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::uint32_t style = 0;  // 1..10 or 0 for a free size; +10000 italic, +20000 bold
    double width = 0, height = 0, spacing = 0;
    double angle = 0;  // degrees
    std::string font;
    std::string text;
    // Recognised texts: JW_CAD's settings (at 0, -1000: "Printer_Orientation = 0")
    // and image placements ("^@BM...").
    bool IsSetting() const { return x1 == 0 && y1 == -1000 && text.find(" = ") != std::string::npos; }
    bool IsImagePlacement() const { return text.rfind("^@BM", 0) == 0; }
    bool IsItalic() const { return (style / kJwwItalicOffset) % 2 == 1; }  // 10000 + n, or 30000 + n with bold
    bool IsBold() const { return (style / kJwwBoldOffset) % 2 == 1; }  // 20000 + n or 30000 + n
};

// The solid kinds by pen style: 101 and up are circular solids, whose
// fields carry a circle's values.
inline constexpr std::uint8_t kJwwCircleSolid = 101;
inline constexpr std::uint8_t kJwwRingSolid1 = 105;
inline constexpr std::uint8_t kJwwRingSolid2 = 106;
inline constexpr std::uint8_t kJwwCircumferenceSolid = 111;
inline constexpr std::uint16_t kJwwRgbSolidColor = 10;
inline constexpr std::uint16_t kJwwSxfColorBase = 100;  // pen colour 100 + n: SXF colour n

// A filled area: four corners in file order, which goes round the area (a
// column: top-left, bottom-left, bottom-right, top-right; a triangle repeats
// one). Circular solids (pen style 101..111) keep a circle's values in the
// same four fields: p1 the centre, p2 (radius, flatness), p3 (tilt, start),
// p4 (sweep, kind or inner radius).
struct JwwSolid {
    JwwCommon common;
    std::array<double, 2> p1{}, p2{}, p3{}, p4{};
    std::uint32_t rgb = 0;  // pen colour 10: the fill colour, a Windows COLORREF (red in the low byte)
};

struct JwwBlockInsert {
    JwwCommon common;
    double x = 0, y = 0;
    double scaleX = 1, scaleY = 1;
    double rotation = 0;  // radians
    std::uint32_t definition = 0;  // the number of the block definition
};

// A dimension: its line and its text, and from version 420 the SXF mode,
// two extension lines and four points (two arrows, two base points).
struct JwwDimension {
    JwwCommon common;
    JwwLine line;
    JwwText text;
    std::uint16_t sxfMode = 0;
    std::array<JwwLine, 2> extensionLines{};
    std::array<JwwPoint, 4> points{};
};

struct JwwBlockDefinition;

enum class JwwKind : std::uint8_t { Line, Arc, Point, Text, Solid, BlockInsert, Dimension, BlockDefinition };
inline constexpr std::size_t kJwwKindCount = static_cast<std::size_t>(JwwKind::BlockDefinition) + 1;

// A list of elements in file order, each kind kept on its own (an element
// takes the room of its kind only); `order` says which came when: its n-th
// entry of a kind is the n-th element of that kind's list. The deques keep
// every element where it is while the list grows.
struct JwwElementList {
    std::deque<JwwLine> lines;
    std::deque<JwwArc> arcs;
    std::deque<JwwPoint> points;
    std::deque<JwwText> texts;
    std::deque<JwwSolid> solids;
    std::deque<JwwBlockInsert> inserts;
    std::deque<JwwDimension> dimensions;
    std::vector<std::unique_ptr<JwwBlockDefinition>> definitions;  // definitions held inside a definition
    std::vector<JwwKind> order;
};

// A block definition: a named list of elements.
struct JwwBlockDefinition {
    JwwCommon common;
    std::uint32_t number = 0;
    std::uint32_t referenced = 0;
    std::uint32_t time = 0;  // when it was made, seconds since 1970
    std::string name;  // may end in "@@SfigorgFlag@@n", the kind of compound figure
    JwwElementList elements;
};

// An embedded image (version 700): its file name and its bytes, inflated
// when the name ends in ".gz".
enum class JwwImageFormat { Unknown, Bmp, Jpeg, Png, Gif, Tiff };

struct JwwImage {
    std::string name;
    std::uint32_t storedSize = 0;
    std::string bytes;
    JwwImageFormat format = JwwImageFormat::Unknown;
    // As the file holds it (deflated when the name ends in ".gz"), kept when
    // the drawing is read for writing back; empty: written from `bytes`.
    std::string stored{};
    bool leftOut = false;  // past the reader's budgets: no `bytes`, only `stored`
};

// How the archive was written, where the file model does not say it: what
// writing the drawing back needs to give the same bytes.
struct JwwArchiveForm {
    bool utf16Strings = false;  // strings as JW_CAD 8 and later write them
    // The strings ArchiveString would not give back (by their number in
    // file order), as the file holds them.
    std::vector<ArchiveStringBytes> keptStrings;
    // The schema word each class came with; 0: the version's.
    std::array<std::uint16_t, kJwwKindCount> schemas{};
    // Objects a list held as a reference to one already read, and null
    // objects: written back as copies, and left out.
    std::int64_t references = 0, nulls = 0;
};

struct JwwDrawing {
    JwwHeader header;
    JwwElementList elements;
    std::vector<std::unique_ptr<JwwBlockDefinition>> blocks;
    std::vector<JwwImage> images;
    std::int64_t imagesLeftOut =
        0;  // past kJwwImageCountLimit or kJwwImagesTotalLimit, or inflating past kJwwImageLimit
    std::int64_t replacedCharacters = 0;  // UTF-16 characters CP932 cannot hold, written "?"
    JwwArchiveForm form;
};

}  // namespace orvik
