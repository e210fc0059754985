// The records of the ENTITIES section and of blocks: LINE, curve-run
// POLYLINE/VERTEX/SEQEND, filled points, POINT, CIRCLE, ARC, ELLIPSE, TEXT,
// SOLID and INSERT.
//
// Every record starts with its name, a running handle and its owner: the
// model space 1F, or the BLOCK_RECORD of the block it belongs to. An entity states its line type (6) and colour (62) only where they
// differ from its layer's. Auxiliary records (line type 9) go to DEFPOINTS
// when the settings gather them there. Coordinates arrive mapped (model
// units); angles in degrees.
#pragma once

#include <array>

#include <string_view>
#include <vector>

#include "convert/ConversionSettings.h"
#include "convert/LayerStyleWriter.h"
#include "convert/OutputFormat.h"
#include "dxf/DxfWriter.h"
#include "numeric/Extended.h"

namespace orvik {

// The handles a record takes from the running count: one for each entity,
// but a curve run's start takes three (POLYLINE and its first two VERTEXes),
// its end two (VERTEX and SEQEND) and a filled point four (POLYLINE, two
// VERTEXes and SEQEND). A curve run written as an LWPOLYLINE takes one, at
// its start.
inline constexpr int kCurveStartHandles = 3;
inline constexpr int kCurveEndHandles = 2;
inline constexpr int kFilledPointHandles = 4;
// What $HANDSEED allows each line when curves are written as polylines: more
// than any line of a run takes (kCurveStartHandles at most).
inline constexpr int kCurveLineHandleAllowance = 4;

// The TEXT records a text takes: one, or in a format for readers one per
// character of a vertical text (whose column readers without vertical
// writing would lay flat), none for a blank one.
std::size_t TextRecordCount(std::string_view text, bool vertical, OutputFormat format);

// The oblique angle (TEXT group 51) of an italic text, degrees to the right.
inline constexpr int kItalicObliqueDegrees = 15;

class EntityWriters {
public:
    static constexpr std::int32_t kModelSpace = 0x1F;

    // `paperMillimetre`: the model units of a millimetre on the paper (the
    // reference scale), which the tolerance of curves drawn as polylines is measured in.
    EntityWriters(DxfWriter& w, const LayerTables& tables, const ConversionSettings& settings,
                  std::int32_t owner = kModelSpace, Extended paperMillimetre = 1)
        : w_(w), style_(w, tables), settings_(settings), owner_(owner), paperMillimetre_(paperMillimetre) {}

    // Lines and curve runs. In a format of LWPOLYLINEs a run is held from its
    // start and written at its end.
    void WriteLine(int lineType, int pen, int layer, Extended x1, Extended y1, Extended x2, Extended y2);
    void WriteCurveStart(int lineType, int pen, int layer, Extended x1, Extended y1, Extended x2, Extended y2);
    void WriteCurveVertex(int lineType, int pen, int layer, Extended x, Extended y);
    void WriteCurveEnd(int lineType, int pen, int layer, Extended x, Extended y);
    void WriteSequenceEnd(int lineType, int pen, int layer);

    // Points: a disc of radius `width` (a closed wide polyline), or a POINT.
    // Pens above 6 draw in colour 7 on DEFPOINTS; pen -1 writes no colour.
    void WriteFilledPoint(int pen, int layer, Extended x, Extended y, Extended width);
    void WritePoint(int pen, int layer, Extended x, Extended y);

    // Circles, arcs and ellipses; `flatness` is the minor-to-major axis ratio.
    // An ellipse of radius 0 is written as a POINT at its centre.
    void WriteCircleArcOrEllipse(int lineType, int pen, int layer, Extended cx, Extended cy, Extended r,
                                 Extended flatness, Extended startAngle, Extended endAngle, Extended tilt);
    void WriteArc(int lineType, int pen, int layer, Extended cx, Extended cy, Extended r, Extended startAngle,
                  Extended endAngle, Extended tilt);
    // `colorFirst`: the colour group stands before the entity marker (points drawn as circles).
    void WriteCircle(int lineType, int pen, int layer, Extended cx, Extended cy, Extended r, bool colorFirst);

    // A filled quadrilateral, its corners in drawing order (mapped).
    void WriteSolid(int pen, int layer, const std::array<std::array<Extended, 2>, 4>& corners);

    // A single-line TEXT: (x, y) the mapped start of its base line, (dx, dy)
    // the unmapped direction, w and h the character size in model units; pen
    // 0 draws in colour 7; an italic text is slanted by kItalicObliqueDegrees;
    // `style` names the text style of its font, else the format's own is named.
    // A vertical text in a format for readers is a TEXT per character down
    // its column, `length` (model units; 0: a character's height each) long.
    void WriteText(std::string_view text, bool vertical, bool italic, std::string_view style, int attr, int pen,
                   int layer, Extended x, Extended y, Extended dx, Extended dy, Extended w, Extended h,
                   Extended length = 0);

    // An insertion of the block named `block` at (x, y) (mapped), scaled
    // and turned (degrees).
    void WriteInsert(std::string_view block, int pen, int layer, Extended x, Extended y, Extended scaleX,
                     Extended scaleY, Extended rotation);

private:
    std::int32_t Head(std::string_view name);
    // One TEXT record of `value` (written as it is) at its base line's start.
    struct TextRecord {
        std::string_view value, style;
        bool vertical, italic;
        Extended x, y, angle, height, widthFactor;
        bool hasWidthFactor;
    };
    void TextEntity(const TextRecord& t, int pen, int layer);
    // The entity marker and the layer, line-type and colour groups; auxiliary
    // records go to DEFPOINTS when the settings gather them there.
    void LayerBlock(int lineType, int pen, int layer, bool withColor = true);
    // A point in 2D: X in `code`, Y in code + 10, elevation 0 in code + 20.
    void Point(int code, Extended x, Extended y);
    void Vertex(int lineType, int pen, int layer, Extended x, Extended y);
    // An R12 VERTEX with its layer and place only: its polyline gives the
    // rest (and R12 has no handles, which it would need).
    void PlainVertex(int lineType, int layer, Extended x, Extended y);
    // A POINT in the place of an ellipse without extent, on the ellipse's layer.
    void DegeneratePoint(int lineType, int pen, int layer, Extended x, Extended y);
    void Ellipse(int lineType, int pen, int layer, Extended cx, Extended cy, Extended major, Extended axisAngle,
                 Extended ratio, Extended startAngle, Extended endAngle, bool whole);
    // An ellipse or elliptic arc (angles: its parameter, degrees) as a 2D
    // POLYLINE, for R12.
    struct EllipseCurve {
        Extended cx, cy, major, axisAngle, ratio, startAngle, endAngle;
        bool whole;
    };
    void EllipseAsPolyline(int lineType, int pen, int layer, const EllipseCurve& e);
    // The curve run held so far as one LWPOLYLINE, in the style of its start.
    void LightPolyline();
    // The chords of an ellipse of major radius `major` over `sweep` degrees.
    int EllipseSteps(Extended major, Extended sweep) const;

    DxfWriter& w_;
    LayerStyleWriter style_;
    const ConversionSettings& settings_;
    std::int32_t owner_;
    Extended paperMillimetre_;
    struct HeldRun {
        int lineType = 0, pen = 0, layer = 0;
        std::vector<std::array<Extended, 2>> points;
    } run_;
};

}  // namespace orvik
