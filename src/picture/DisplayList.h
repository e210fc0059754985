// A picture of what a DXF file holds: the shapes its ENTITIES section draws,
// in drawing coordinates, with everything a viewer must otherwise look up
// already resolved (BYLAYER colours and line types, layers that are off or
// frozen left out, the vertical text style). Toolkit-free: the SVG writer and
// the window's painter draw the same list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dxf/DxfWriter.h"

namespace orvik {

struct PicturePoint {
    double x = 0;
    double y = 0;
};

struct PictureBounds {
    PicturePoint min{1e300, 1e300};
    PicturePoint max{-1e300, -1e300};

    bool Empty() const { return min.x > max.x || min.y > max.y; }
    void Add(PicturePoint p);
    void Unite(const PictureBounds& other);
};

// One POLYLINE vertex: the bulge is the tangent of a quarter of the included
// angle of the arc to the next vertex (0: a straight segment; > 0 turns left).
struct PictureVertex {
    PicturePoint at;
    double bulge = 0;
};

// The DXF entity kinds a conversion writes, in the order of the DXF names.
enum class ShapeKind : std::uint8_t { Line, Polyline, Circle, Arc, Ellipse, Text, Point, Solid };

struct Shape {
    ShapeKind kind = ShapeKind::Line;
    int color = 7;  // AutoCAD colour number 1..255, BYLAYER resolved
    int linetype = -1;  // index into DisplayList::linetypes; -1: continuous
    // Line: the ends. Circle, Arc, Ellipse: a is the centre; Ellipse: b is the
    // end of the major axis relative to the centre. Text: a is the insertion
    // point. Point: a.
    PicturePoint a, b;
    double radius = 0;  // Circle, Arc; Polyline: its width (0: thin)
    double ratio = 1;  // Ellipse: minor to major axis
    double start = 0;  // Arc: degrees counter-clockwise; Ellipse: parameter in radians
    double end = 0;
    std::vector<PictureVertex> vertices;  // Polyline; Solid: its corners in outline order, filled
    bool closed = false;  // Polyline
    std::string text;  // Text, in the list's encoding, caret notation kept
    double height = 0;  // Text
    double angle = 0;  // Text: degrees
    double widthFactor = 1;  // Text
    bool vertical = false;  // Text: characters stacked downwards, each upright
    double oblique = 0;  // Text: slant, degrees to the right
};

// Widens `bounds` by what the shape covers (a text by its insertion point and height).
void AddShapeBounds(PictureBounds& bounds, const Shape& shape);

// A dash pattern as DXF writes it (group 49): a dash of that length, a gap
// of minus that length, or a dot for 0; in drawing units, $LTSCALE applied.
using DashPattern = std::vector<double>;

// The shapes (and insertions inside blocks) the INSERTs of one picture
// place at the most, and how deep insertions inside blocks are followed: a
// few kilobytes of nested blocks can name billions of shapes, more than any
// picture can show.
inline constexpr std::int64_t kPlacedShapeLimit = 2'000'000;
inline constexpr int kPlacedNestingLimit = 32;

struct DisplayList {
    TextEncoding encoding = TextEncoding::Cp932;  // of the texts: UTF-8 in files of AutoCAD 2007 and later
    // The paper sheet at the reference scale where JW_CAD lays it: centred on
    // the drawing's origin (the DXF's $LIMMIN..$LIMMAX, 0,0 to the sheet's
    // size, moved by half of it).
    PictureBounds sheet;
    std::vector<DashPattern> linetypes;
    std::vector<Shape> shapes;
    // What the INSERTs did not place: everything once kPlacedShapeLimit was
    // reached, and insertions nested deeper than kPlacedNestingLimit.
    bool placedLimitReached = false;
    std::int64_t insertsTooDeep = 0;

    // What the shapes cover (texts by their insertion point and height); the
    // sheet when there are none.
    PictureBounds Bounds() const;
};

// The on-screen RGB (0xRRGGBB) of an AutoCAD colour number 1..255 as AutoCAD
// shows it, 7 white on a dark background and black on a light one; any
// other number a light grey. On a light background a light colour is
// darkened to the brightness kBrightestOnWhite (0..255, as 0.299 R +
// 0.587 G + 0.114 B), as CAD viewers draw yellow and cyan on white.
inline constexpr int kBrightestOnWhite = 128;
std::uint32_t ScreenColor(int color, bool lightBackground);

}  // namespace orvik
