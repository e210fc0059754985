// The DXF group codes that the conversion writes and the picture reads back
// from what it wrote, each once: for every entity and table entry ORVIK
// makes, which group holds what. A point's X is the code given, its Y the
// code + 10 (kY) and its Z the code + 20.
#pragma once

namespace orvik::group {

inline constexpr int kY = 10;  // added to a point's code: its Y

// Every record of a section.
inline constexpr int kRecord = 0;  // the record's type: "LINE", "ENDSEC" ...
inline constexpr int kName = 2;  // a table entry's or a block's name
inline constexpr int kVariable = 9;  // a HEADER variable's name

// The header variables read back.
inline constexpr struct {
    int version = 1;  // $ACADVER
    int limitsCorner = 10;  // $LIMMIN, $LIMMAX
    int linetypeScale = 40;  // $LTSCALE
} kHeader;

// Every entity.
inline constexpr struct {
    int linetype = 6;  // absent: BYLAYER
    int layer = 8;
    int color = 62;  // absent or 256: the layer's; 0: the block's
} kEntity;

// A LAYER entry's colour (negative: the layer is off) and line type are an entity's groups.
inline constexpr struct {
    int flags = 70;  // 1: frozen
} kLayer;

inline constexpr struct {
    int dash = 49;  // a dash (> 0), dot (0) or gap (< 0) of the pattern
} kLinetype;

inline constexpr struct {
    int flags = 70;  // 4: vertical text
} kStyle;

inline constexpr struct { int start = 10, end = 11; } kLine;

inline constexpr struct { int centre = 10, radius = 40; } kCircle;

// An ARC's centre and radius are a CIRCLE's.
inline constexpr struct {
    int startAngle = 50, endAngle = 51;  // degrees
} kArc;

inline constexpr struct {
    int centre = 10;
    int majorAxis = 11;  // the end of the major axis, from the centre
    int ratio = 40;  // minor to major
    int start = 41, end = 42;  // parameters, radians
} kEllipse;

inline constexpr struct {
    int insertion = 10, height = 40, string = 1, angle = 50, widthFactor = 41, oblique = 51, style = 7;
} kText;

// A SOLID's corners: drawn 1, 2, 4, 3.
inline constexpr struct { int first = 10, second = 11, third = 12, fourth = 13; } kSolid;

inline constexpr struct {
    int flags = 70;  // 1: closed
    int width = 40;  // the default start width
} kPolyline;

inline constexpr struct { int at = 10, bulge = 42; } kVertex;

inline constexpr struct { int at = 10; } kPoint;

inline constexpr struct { int block = 2, at = 10, scaleX = 41, scaleY = 42, angle = 50; } kInsert;

}  // namespace orvik::group
