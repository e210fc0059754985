// Writes the sample drawing samples/plan.jwc: a small house plan at 1:100 in
// layer group 0 and a wall detail at 1:50 in layer group 1, on A2 paper.
//
// Usage: make_sample OUTPUT.jwc
//
// The output is fully determined by this file, so the committed sample can
// be checked against a fresh run.
#include <cmath>
#include <cstdio>
#include <string>

#include "ToolArguments.h"
#include "support/JwcBuilder.h"
#include "text/Cp932.h"

using orvik::AngleUnits;
using orvik::ArcRecord;
using orvik::DrawingPoint;
using orvik::JwcBuilder;
using orvik::LineRecord;
using orvik::TextRecord;
using orvik::Utf8ToCp932;

namespace {

constexpr int kPaperA2 = 2;
constexpr double kLongSideMm = 594.0;
constexpr int kDivisor = 518;

// Curve marks of JW_CAD's joined short segments.
constexpr std::uint8_t kCurveFirst = 64, kCurveMiddle = 128, kCurveLast = 192;
constexpr std::uint8_t kSolid = 1, kCentre = 5, kAuxiliary = 9;

// A real-world length in millimetres, drawn at 1:scale, in drawing units.
float U(double realMm, double scale) { return static_cast<float>(realMm / scale * kDivisor / kLongSideMm); }

struct Sheet {
    JwcBuilder& b;
    double scale;
    double ox, oy;  // where the part's origin sits on the sheet, real mm

    float X(double x) const { return U(ox + x, scale); }
    float Y(double y) const { return U(oy + y, scale); }

    void Line(double x1, double y1, double x2, double y2, std::uint8_t layer, std::uint8_t pen,
              std::uint8_t type = kSolid, std::uint8_t curveMark = 0) const {
        b.Line(LineRecord{X(x1), Y(y1), X(x2), Y(y2), type, pen, layer, 0, curveMark, 0});
    }
    void Rect(double x1, double y1, double x2, double y2, std::uint8_t layer, std::uint8_t pen) const {
        Line(x1, y1, x2, y1, layer, pen);
        Line(x2, y1, x2, y2, layer, pen);
        Line(x2, y2, x1, y2, layer, pen);
        Line(x1, y2, x1, y1, layer, pen);
    }
    void Arc(double cx, double cy, double r, double start, double end, std::uint8_t layer, std::uint8_t pen,
             double flatness = 1.0, double tilt = 0.0) const {
        b.Arc(ArcRecord{X(cx), Y(cy), U(r, scale), static_cast<std::uint16_t>(std::lround(flatness * 10000)),
                        AngleUnits(start), AngleUnits(end), AngleUnits(tilt), kSolid, pen, layer});
    }
    // A text whose base line runs along (dx, dy) for `length` real mm.
    void Text(double x, double y, const char* utf8, std::uint8_t type, std::uint8_t layer, double length,
              bool vertical = false) const {
        const double dx = vertical ? 0 : length, dy = vertical ? -length : 0;
        b.Text(TextRecord{X(x), Y(y), X(x + dx), Y(y + dy), Utf8ToCp932(utf8), std::nullopt, type, layer,
                          static_cast<std::uint8_t>(vertical ? orvik::kVerticalTextFlag : 0)});
    }
};

void DrawPlan(JwcBuilder& b) {
    const Sheet s{b, 100, -9000, -3000};
    constexpr std::uint8_t kWall = 0x00, kDoor = 0x01, kGrid = 0x02, kRoomName = 0x03, kLowWall = 0x04,
                           kFurniture = 0x05, kGarden = 0x06, kDimension = 0x07, kAux = 0x0F;

    // Grid lines (centre lines) through the wall centres.
    for (double x : {0.0, 4500.0, 9000.0}) s.Line(x, -1200, x, 7200, kGrid, 1, kCentre);
    for (double y : {0.0, 6000.0}) s.Line(-1200, y, 10200, y, kGrid, 1, kCentre);

    // Outer walls, 150 thick, and two partitions.
    s.Rect(-75, -75, 9075, 6075, kWall, 2);
    s.Rect(75, 75, 8925, 5925, kWall, 2);
    s.Line(4425, 75, 4425, 5925, kWall, 2);
    s.Line(4575, 75, 4575, 2175, kWall, 2);
    s.Line(4575, 3075, 4575, 5925, kWall, 2);
    s.Line(4575, 2925, 8925, 2925, kLowWall, 2);
    s.Line(4575, 3075, 8925, 3075, kLowWall, 2);

    // Two doors: the leaf and its swing.
    s.Line(4575, 2175, 5375, 2175, kDoor, 3);
    s.Arc(4575, 2175, 800, 0, 90, kDoor, 3);
    s.Line(2000, 75, 2000, 875, kDoor, 3);
    s.Arc(2000, 75, 800, 90, 180, kDoor, 3);

    // A round table, an oval bath and an elliptic arc of a bay window.
    s.Arc(2200, 3800, 450, 0, 0, kFurniture, 4);
    s.Arc(6700, 4500, 800, 0, 0, kFurniture, 4, 0.55, 30);
    s.Arc(6700, 6075, 1500, 0, 180, kFurniture, 4, 0.4, 0);

    // A garden path drawn as one curve of short segments.
    constexpr int kSegments = 8;
    for (int i = 0; i < kSegments; ++i) {
        const double t0 = static_cast<double>(i) / kSegments, t1 = static_cast<double>(i + 1) / kSegments;
        const std::uint8_t mark = i == 0 ? kCurveFirst : i == kSegments - 1 ? kCurveLast : kCurveMiddle;
        s.Line(-1000 + 11000 * t0, -900 - 400 * std::sin(t0 * 3.14159), -1000 + 11000 * t1,
               -900 - 400 * std::sin(t1 * 3.14159), kGarden, 5, kSolid, mark);
    }

    // A dimension line with its ticks, and auxiliary construction lines.
    s.Line(0, 6900, 9000, 6900, kDimension, 1);
    s.Line(0, 6800, 0, 7000, kDimension, 1);
    s.Line(9000, 6800, 9000, 7000, kDimension, 1);
    s.Line(0, 0, 9000, 6000, kAux, 1, kAuxiliary);
    s.Line(0, 6000, 9000, 0, kAux, 1, kAuxiliary);

    // Room names: three text types of different sizes, one written vertically.
    s.Text(1500, 4500, "居間", 4, kRoomName, 1000);
    s.Text(6200, 1500, "寝室", 3, kRoomName, 800);
    s.Text(6200, 4000, "浴室", 2, kRoomName, 600);
    s.Text(4000, 5400, "納戸", 3, kRoomName, 800, true);
    s.Text(3500, 6950, "9,000", 1, kDimension, 500);
    s.Text(-1000, -1500, "ｱﾌﾟﾛｰﾁ（庭）", 2, kGarden, 1400);
    s.Text(4500, 3000, "中心", 10, kAux, 400);

    // Real points at the grid crossings, virtual points at the wall corners.
    for (double x : {0.0, 4500.0, 9000.0})
        for (double y : {0.0, 6000.0}) b.Point(DrawingPoint{s.X(x), s.Y(y), kGrid, 1});
    b.VirtualPoint(s.X(-75), s.Y(-75), kAux);
    b.VirtualPoint(s.X(9075), s.Y(6075), kAux);
    b.VirtualPoint(s.X(4500), s.Y(3000), kAux);
}

void DrawDetail(JwcBuilder& b) {
    const Sheet s{b, 50, 3000, -4500};
    constexpr std::uint8_t kSection = 0x10, kFinish = 0x11, kNote = 0x12, kColumn = 0x13;

    // A wall section: the concrete body and its finishes.
    s.Rect(0, 0, 150, 2400, kSection, 2);
    s.Line(-12, 0, -12, 2400, kFinish, 1);
    s.Line(162, 0, 162, 2400, kFinish, 1);
    for (int i = 1; i < 8; ++i) s.Line(0, 300.0 * i - 150, 150, 300.0 * i, kFinish, 1);
    s.Arc(900, 1200, 200, 0, 0, kColumn, 2);
    s.Arc(900, 1200, 150, 0, 0, kColumn, 1);
    s.Text(400, 2000, "外壁 RC t=150", 1, kNote, 900);
    s.Text(400, 1700, "ﾓﾙﾀﾙ 12", 1, kNote, 500);
    b.Point(DrawingPoint{s.X(900), s.Y(1200), kColumn, 2});
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args = orvik::ToolArguments(argc, argv, "make_sample OUTPUT.jwc", 1, 1);
    JwcBuilder b;
    b.HeaderTexts(Utf8ToCp932("ORVIK 見本図面 木造平屋"), Utf8ToCp932("平面図 1:100 / 部分詳細 1:50"))
        .Paper(kPaperA2, kDivisor)
        .Group(0, 100, Utf8ToCp932("平面図"))
        .Group(1, 50, Utf8ToCp932("部分詳細図 S=1/50"))  // exactly 16 bytes
        .Layer(0x00, Utf8ToCp932("壁"))
        .Layer(0x01, Utf8ToCp932("建具"))
        .Layer(0x02, Utf8ToCp932("通り芯"))
        .Layer(0x03, Utf8ToCp932("ｼﾂﾒｲ"))  // half-width katakana
        .Layer(0x04, Utf8ToCp932("壁"))  // the same name as layer 0
        .Layer(0x05, Utf8ToCp932("家具"))
        // layer 0x06 (the garden) has no name
        .Layer(0x07, Utf8ToCp932("寸法補助"))  // exactly 8 bytes
        .Layer(0x0F, Utf8ToCp932("補助線"), false)
        .Layer(0x10, Utf8ToCp932("躯体"))
        .Layer(0x11, Utf8ToCp932("仕上"))
        .Layer(0x12, Utf8ToCp932("注記"))
        .Layer(0x13, Utf8ToCp932("柱"));
    // Text types 1-10 grow from 2 mm to 7 mm; type 10 is an auxiliary (DEFPOINTS) type.
    for (int type = 0; type < 11; ++type) {
        const auto size = static_cast<std::uint16_t>(20 + 5 * type);
        b.TextType(type, type == 10 ? orvik::kDefpointsTextAttribute : 0, size, size);
    }
    b.TextType(1, 0, 20, 25);  // narrow characters for dimension figures
    DrawPlan(b);
    DrawDetail(b);
    b.WriteTo(args[0]);
    return 0;
}
