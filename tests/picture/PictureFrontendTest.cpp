#include "picture/PictureFrontend.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "numeric/DecimalText.h"

namespace orvik {
namespace {

// A number as the records write it: to a millionth, "-0" as "0".
std::string Num(double v) {
    v = std::round(v * 1e6) / 1e6;
    return v == 0 ? "0" : ShortestText(v);
}

std::string Hex(std::uint32_t rgb) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (int shift = 20; shift >= 0; shift -= 4) out += digits[(rgb >> shift) & 0xF];
    return out;
}

std::string PathText(const PicturePath& path) {
    std::string out;
    for (const PathElement& e : path) {
        out += e.kind == PathElement::Kind::Move ? " M" : e.kind == PathElement::Kind::Line ? " L" : " C";
        out += Num(e.to.x) + ',' + Num(e.to.y);
    }
    return out;
}

// Writes down every primitive it is handed, one line each; a character is 50 glyph units wide.
class RecordingBackend final : public PictureBackend {
public:
    std::vector<std::string> records;

    void StrokePath(const PicturePath& path, const StrokeStyle& style) override {
        std::string dashes;
        for (double d : style.dashes) dashes += ' ' + Num(d);
        records.push_back("stroke " + Hex(style.rgb) + " width " + Num(style.width) +
                          (style.round ? " round" : " square") + (dashes.empty() ? "" : " dashes" + dashes) + ':' +
                          PathText(path));
    }
    void FillPath(const PicturePath& path, std::uint32_t rgb, FillRule rule, bool edge) override {
        records.push_back("fill " + Hex(rgb) + (rule == FillRule::EvenOdd ? " even-odd" : " non-zero") +
                          (edge ? " edged" : "") + ':' + PathText(path));
    }
    void Dot(PicturePoint at, std::uint32_t rgb, double diameter) override {
        records.push_back("dot " + Hex(rgb) + ' ' + Num(diameter) + " at " + Num(at.x) + ',' + Num(at.y));
    }
    double Advance(std::string_view) override { return 50; }
    void Text(std::string_view utf8, const PictureTransform& place, std::uint32_t rgb) override {
        std::string matrix;
        for (double v : place) matrix += ' ' + Num(v);
        records.push_back("text " + Hex(rgb) + " \"" + std::string(utf8) + "\"" + matrix);
    }
};

Shape Make(ShapeKind kind, PicturePoint a = {}, PicturePoint b = {}) {
    Shape s;
    s.kind = kind;
    s.color = 1;
    s.a = a;
    s.b = b;
    return s;
}

Shape Polyline(ShapeKind kind, double width, std::vector<PictureVertex> vertices, bool closed = false) {
    Shape s = Make(kind);
    s.radius = width;
    s.vertices = std::move(vertices);
    s.closed = closed;
    return s;
}

Shape Arc(double radius, double start, double end) {
    Shape s = Make(ShapeKind::Arc, {50, 50});
    s.radius = radius;
    s.start = start;
    s.end = end;
    return s;
}

Shape Text(const char* text, double height, bool vertical = false) {
    Shape s = Make(ShapeKind::Text, {5, 5});
    s.text = text;
    s.height = height;
    s.vertical = vertical;
    return s;
}

Shape Dashed(Shape s) {
    s.linetype = 0;
    return s;
}

// Every drawing rule as the primitives a backend is handed, on a device of
// 200 × 200 pixels showing drawing units 0..100 at 2 pixels per unit (y up
// on paper, down in pixels); colour 1 is red on the dark background, the
// texts CP932, handed on as UTF-8.
TEST(PictureFrontend, HandsEachShapeToTheBackendAsTheRulesSay) {
    DisplayList header;
    header.linetypes = {{5, -2.5}, {0.5, -0.5}};
    struct Case {
        const char* what;
        Shape shape;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"a line", Make(ShapeKind::Line, {10, 10}, {50, 50}), {"stroke FF0000 width 0 square: M20,180 L100,100"}},
        {"a line off the view", Make(ShapeKind::Line, {200, 200}, {300, 300}), {}},
        {"a line touching the view's edge",
         Make(ShapeKind::Line, {100, 50}, {150, 50}),
         {"stroke FF0000 width 0 square: M200,100 L300,100"}},
        {"a line under two pixels: a one-pixel dot at its middle",
         Make(ShapeKind::Line, {10, 10}, {10.5, 10.25}),
         {"dot FF0000 1 at 20.5,179.75"}},
        {"a dashed line: its pattern in pixels",
         Dashed(Make(ShapeKind::Line, {10, 10}, {50, 10})),
         {"stroke FF0000 width 0 square dashes 10 5: M20,180 L100,180"}},
        {"a pattern under four pixels: solid",
         [] {
             Shape s = Make(ShapeKind::Line, {10, 10}, {50, 10});
             s.linetype = 1;
             return s;
         }(),
         {"stroke FF0000 width 0 square: M20,180 L100,180"}},
        {"a point: a dot three pixels across", Make(ShapeKind::Point, {3, 4}), {"dot FF0000 3 at 6,192"}},
        {"a circle: four quarter curves, counter-clockwise on paper",
         [] {
             Shape s = Make(ShapeKind::Circle, {50, 50});
             s.radius = 10;
             return s;
         }(),
         {"stroke FF0000 width 0 square: M120,100 C100,80 C80,100 C100,120 C120,100"}},
        {"an arc across the top", Arc(10, 0, 180), {"stroke FF0000 width 0 square: M120,100 C100,80 C80,100"}},
        {"an arc across 0 degrees",
         Arc(10, 350, 10),
         {"stroke FF0000 width 0 square: M119.696155,103.472964 C119.696155,96.527036"}},
        {"an arc ending where it starts: whole",
         Arc(10, 30, 30),
         {"stroke FF0000 width 0 square: M117.320508,90 C90,82.679492 C82.679492,110 C110,117.320508 "
          "C117.320508,90"}},
        {"a whole ellipse",
         [] {
             Shape s = Make(ShapeKind::Ellipse, {50, 50}, {10, 0});
             s.ratio = 0.5;
             return s;
         }(),
         {"stroke FF0000 width 0 square: M120,100 C100,90 C80,100 C100,110 C120,100"}},
        {"an arc given backwards: the counter-clockwise half",
         Arc(10, 90, -90),
         {"stroke FF0000 width 0 square: M100,80 C80,100 C100,120"}},
        {"a ring: two circles filled even-odd",
         Polyline(ShapeKind::Polyline, 2, {{{5, 10}, 1}, {{15, 10}, 1}}, true),
         {"fill FF0000 even-odd: M32,180 C20,168 C8,180 C20,192 C32,180 M28,180 C20,172 C12,180 C20,188 C28,180"}},
        {"a disc: one circle filled",
         Polyline(ShapeKind::Polyline, 4, {{{9, 10}, 1}, {{11, 10}, 1}}, true),
         {"fill FF0000 non-zero: M26,180 C20,174 C14,180 C20,186 C26,180"}},
        {"a wide polyline: its width in pixels, round",
         Polyline(ShapeKind::Polyline, 1.5, {{{0, 0}, 0}, {{20, 0}, 0}, {{20, 20}, 0}}),
         {"stroke FF0000 width 3 round: M0,200 L40,200 L40,160"}},
        {"a polyline's bulge: its arc",
         Polyline(ShapeKind::Polyline, 0, {{{10, 10}, 1}, {{30, 10}, 0}}),
         {"stroke FF0000 width 0 square: M20,180 C40,200 C60,180"}},
        {"a closed polyline: back to its start",
         Polyline(ShapeKind::Polyline, 0, {{{0, 0}, 0}, {{20, 0}, 0}, {{20, 20}, 0}}, true),
         {"stroke FF0000 width 0 square: M0,200 L40,200 L40,160 L0,200"}},
        {"a solid: filled and edged, closed",
         Polyline(ShapeKind::Solid, 0, {{{0, 0}, 0}, {{20, 0}, 0}, {{20, 20}, 0}}),
         {"fill FF0000 non-zero edged: M0,200 L40,200 L40,160 L0,200"}},
        {"a polyline without vertices", Polyline(ShapeKind::Polyline, 0, {}), {}},
        {"a text: glyph units to pixels", Text("A", 10), {"text FF0000 \"A\" 0.2 0 0 0.2 10 190"}},
        {"a text a pixel high", Text("A", 0.5), {"text FF0000 \"A\" 0.01 0 0 0.01 10 190"}},
        {"a text under a pixel high", Text("A", 0.4), {}},
        {"a vertical text: each character centred under the one before",
         Text("A\x82\xA0", 10, true),
         {"text FF0000 \"A\" 0.2 0 0 0.2 5 207.6", "text FF0000 \"\xE3\x81\x82\" 0.2 0 0 0.2 5 227.6"}},
    };
    const PictureView view{2, 0, 200};
    for (const Case& c : cases) {
        RecordingBackend backend;
        PictureFrontend frontend(backend, header, view, 200, 200, false);
        frontend.Draw(c.shape);
        EXPECT_EQ(backend.records, c.expected) << c.what;
    }
}

// The sheet's frame comes first, a grey hairline, whatever is drawn after it.
TEST(PictureFrontend, DrawsTheSheetsFrameFirst) {
    DisplayList header;
    header.sheet = {{0, 0}, {100, 50}};
    RecordingBackend backend;
    PictureFrontend frontend(backend, header, {2, 0, 200}, 200, 200, true);
    frontend.Draw(Make(ShapeKind::Point, {10, 10}));
    EXPECT_EQ(backend.records, (std::vector<std::string>{"stroke 808080 width 0 square: M0,200 L200,200 L200,100 "
                                                         "L0,100 L0,200",
                                                         "dot FF0000 3 at 20,180"}));
}

}  // namespace
}  // namespace orvik
