#include "convert/EntityWriters.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "convert/OutputFormat.h"

#include "dxf/Groups.h"
#include "dxf/NumberFormat.h"
#include "geometry/Trigonometry.h"
#include "model/Drawing.h"
#include "numeric/Extended.h"
#include "text/Substitution.h"

namespace orvik {
namespace {

constexpr int kPointPenLimit = 6;  // pens above this draw in colour 7 on DEFPOINTS
// An ellipse in R12, which has no ELLIPSE, is a polyline whose chords stray
// from the curve by at most 0.01 mm on the paper, finer than a pen draws;
// its points are at most 2.5 degrees of the parameter apart (1 - cos 1.25
// degrees = 2.4e-4 of the major radius, within the 2.7e-4 of the cubic
// Bezier quarter arcs the pictures draw curves with) and at least 45.
const Extended kEllipseToleranceMm = ExtendedOf("0.01");
const Extended kEllipseFinestStepDegrees = ExtendedOf("2.5");
const Extended kEllipseCoarsestStepDegrees = 45;
// DXF requires an ellipse ratio in (0, 1]; a flattening of 0 becomes the smallest.
const Extended kSmallestRatio = ExtendedOf("1E-6");

}  // namespace

std::int32_t EntityWriters::Head(std::string_view name) {
    w_.WriteGroup(0, name);
    const std::int32_t handle = w_.NextHandle();
    w_.WriteHandle(5, handle);
    w_.WriteHandle(330, owner_);
    return handle;
}

void EntityWriters::Point(int code, Extended x, Extended y) {
    w_.WriteReal(code, x);
    w_.WriteReal(code + group::kY, y);
    w_.WriteGroup(code + 2 * group::kY, "0.0");
}

void EntityWriters::LayerBlock(int lineType, int pen, int layer, bool withColor) {
    w_.WriteGroup(100, "AcDbEntity");
    if (settings_.auxiliaryOnDefpoints && lineType == kAuxiliaryLineType) {
        w_.WriteLayer("DEFPOINTS");
        style_.WritePenColorForLayer(pen, kDefpointsLayer);
    } else {
        style_.WriteLayerNumber(layer);
        style_.WriteLinetypeForLayer(lineType, layer);
        if (withColor) style_.WritePenColorForLayer(pen, layer);
    }
    style_.WritePenLineweight(pen);
}

void EntityWriters::WriteLine(int lineType, int pen, int layer, Extended x1, Extended y1, Extended x2, Extended y2) {
    Head("LINE");
    LayerBlock(lineType, pen, layer);
    w_.WriteGroup(100, "AcDbLine");
    Point(group::kLine.start, x1, y1);
    Point(group::kLine.end, x2, y2);
}

void EntityWriters::Vertex(int lineType, int pen, int layer, Extended x, Extended y) {
    Head("VERTEX");
    LayerBlock(lineType, pen, layer);
    w_.WriteGroup(100, "AcDbVertex");
    w_.WriteGroup(100, "AcDb2dVertex");
    Point(group::kVertex.at, x, y);
}

void EntityWriters::PlainVertex(int lineType, int layer, Extended x, Extended y) {
    w_.WriteGroup(0, "VERTEX");
    if (settings_.auxiliaryOnDefpoints && lineType == kAuxiliaryLineType)
        w_.WriteLayer("DEFPOINTS");
    else
        style_.WriteLayerNumber(layer);
    w_.WriteReal(group::kVertex.at, x);
    w_.WriteReal(group::kVertex.at + group::kY, y);
}

void EntityWriters::WriteCurveStart(int lineType, int pen, int layer, Extended x1, Extended y1, Extended x2,
                                    Extended y2) {
    if (WritesLightPolylines(settings_.outputFormat)) {
        run_.lineType = lineType;
        run_.pen = pen;
        run_.layer = layer;
        run_.points.assign({{x1, y1}, {x2, y2}});
        return;
    }
    Head("POLYLINE");
    LayerBlock(lineType, pen, layer);
    w_.WriteGroup(100, "AcDb2dPolyline");
    w_.WriteInt(66, 1);
    // A 2D polyline's own point is unused: its vertices carry the geometry.
    w_.WriteGroup(10, "0.0");
    w_.WriteGroup(20, "0.0");
    w_.WriteGroup(30, "0.0");
    Vertex(lineType, pen, layer, x1, y1);
    Vertex(lineType, pen, layer, x2, y2);
}

void EntityWriters::WriteCurveVertex(int lineType, int pen, int layer, Extended x, Extended y) {
    if (WritesLightPolylines(settings_.outputFormat))
        run_.points.push_back({x, y});
    else
        Vertex(lineType, pen, layer, x, y);
}

void EntityWriters::WriteCurveEnd(int lineType, int pen, int layer, Extended x, Extended y) {
    WriteCurveVertex(lineType, pen, layer, x, y);
    WriteSequenceEnd(lineType, pen, layer);
}

void EntityWriters::WriteSequenceEnd(int lineType, int pen, int layer) {
    if (WritesLightPolylines(settings_.outputFormat)) {
        LightPolyline();
        return;
    }
    Head("SEQEND");
    LayerBlock(lineType, pen, layer);
}

void EntityWriters::LightPolyline() {
    Head("LWPOLYLINE");
    LayerBlock(run_.lineType, run_.pen, run_.layer);
    w_.WriteGroup(100, "AcDbPolyline");
    w_.WriteInt(90, static_cast<std::int64_t>(run_.points.size()));
    w_.WriteInt(70, 0);
    for (const auto& [x, y] : run_.points) {
        w_.WriteReal(10, x);
        w_.WriteReal(20, y);
    }
    run_.points.clear();
}

void EntityWriters::WriteFilledPoint(int pen, int layer, Extended x, Extended y, Extended width) {
    const std::int32_t owner = Head("POLYLINE");
    w_.WriteGroup(100, "AcDbEntity");
    if (pen > kPointPenLimit) {
        pen = kPenDefaultColor;
        layer = kDefpointsLayer;
    }
    style_.WriteLayerNumber(layer);
    if (pen == kPenDefaultColor)
        w_.WriteColor(kPenDefaultColor);
    else
        style_.WritePenColorForLayer(pen, layer);
    w_.WriteGroup(100, "AcDb2dPolyline");
    w_.WriteInt(66, 1);
    w_.WriteGroup(10, "0.0");
    w_.WriteGroup(20, "0.0");
    w_.WriteGroup(30, "0.0");
    w_.WriteInt(group::kPolyline.flags, 1);  // closed
    w_.WriteReal(group::kPolyline.width, width);
    w_.WriteReal(41, width);
    // Two half circles (bulge 1) of diameter `width`, drawn `width` wide: a disc.
    // The vertices and their SEQEND belong to the polyline just written.
    for (Extended vx : {x - width / 2, x + width / 2}) {
        w_.WriteGroup(0, "VERTEX");
        w_.WriteHandle(5, w_.NextHandle());
        w_.WriteHandle(330, owner);
        w_.WriteGroup(100, "AcDbEntity");
        style_.WriteLayerNumber(layer);
        w_.WriteGroup(100, "AcDbVertex");
        w_.WriteGroup(100, "AcDb2dVertex");
        Point(group::kVertex.at, vx, y);
        w_.WriteGroup(group::kVertex.bulge, "1.0");
    }
    w_.WriteGroup(0, "SEQEND");
    w_.WriteHandle(5, w_.NextHandle());
    w_.WriteHandle(330, owner);
    w_.WriteGroup(100, "AcDbEntity");
    style_.WriteLayerNumber(layer);
}

void EntityWriters::WriteSolid(int pen, int layer, const std::array<std::array<Extended, 2>, 4>& corners) {
    Head("SOLID");
    LayerBlock(1, pen, layer);
    w_.WriteGroup(100, "AcDbTrace");
    // DXF outlines a SOLID through its corners 1, 2, 4, 3: the drawing's
    // third corner goes to the fourth, its fourth to the third.
    Point(group::kSolid.first, corners[0][0], corners[0][1]);
    Point(group::kSolid.second, corners[1][0], corners[1][1]);
    Point(group::kSolid.third, corners[3][0], corners[3][1]);
    Point(group::kSolid.fourth, corners[2][0], corners[2][1]);
}

void EntityWriters::WritePoint(int pen, int layer, Extended x, Extended y) {
    Head("POINT");
    if (pen > kPointPenLimit) {
        pen = kPenDefaultColor;
        layer = kDefpointsLayer;
    }
    if (pen == kPenDefaultColor)
        w_.WriteColor(kPenDefaultColor);
    else
        style_.WritePenColorForLayer(pen, layer);
    w_.WriteGroup(100, "AcDbEntity");
    style_.WriteLayerNumber(layer);
    w_.WriteGroup(100, "AcDbPoint");
    Point(group::kPoint.at, x, y);
}

void EntityWriters::DegeneratePoint(int lineType, int pen, int layer, Extended x, Extended y) {
    Head("POINT");
    LayerBlock(lineType, pen, layer);
    w_.WriteGroup(100, "AcDbPoint");
    Point(group::kPoint.at, x, y);
}

void EntityWriters::WriteCircleArcOrEllipse(int lineType, int pen, int layer, Extended cx, Extended cy, Extended r,
                                            Extended flatness, Extended startAngle, Extended endAngle, Extended tilt) {
    const bool whole = SameAngle(startAngle, endAngle);
    // An ellipse needs a major axis; one of length 0 is only its centre, which
    // readers would drop as an invalid ELLIPSE.
    if (flatness != 1 && r == 0) {
        DegeneratePoint(lineType, pen, layer, cx, cy);
        return;
    }
    if (flatness == 1) {
        WriteArc(lineType, pen, layer, cx, cy, r, startAngle, endAngle, tilt);
        return;
    }
    if (flatness > 1) {
        // Taller than wide: the other axis is the major one, a quarter turn on,
        // and the angles are measured from it.
        Ellipse(lineType, pen, layer, cx, cy, r * flatness, tilt + 90, 1 / flatness, startAngle - 90, endAngle - 90,
                whole);
        return;
    }
    Ellipse(lineType, pen, layer, cx, cy, r, tilt, flatness > 0 ? flatness : kSmallestRatio, startAngle, endAngle,
            whole);
}

void EntityWriters::Ellipse(int lineType, int pen, int layer, Extended cx, Extended cy, Extended major,
                            Extended axisAngle, Extended ratio, Extended startAngle, Extended endAngle, bool whole) {
    if (whole) startAngle = endAngle = 0;
    if (IsR12(settings_.outputFormat)) {
        EllipseAsPolyline(lineType, pen, layer, {cx, cy, major, axisAngle, ratio, startAngle, endAngle, whole});
        return;
    }
    Head("ELLIPSE");
    LayerBlock(lineType, pen, layer);
    w_.WriteGroup(100, "AcDbEllipse");
    Point(group::kEllipse.centre, cx, cy);
    constexpr int axis = group::kEllipse.majorAxis;
    if (axisAngle != 0) {
        const CosSin direction = CosAndSinDegrees(axisAngle);
        w_.WriteReal(axis, major * direction.cos);
        w_.WriteReal(axis + group::kY, major * direction.sin);
    } else {
        w_.WriteReal(axis, major);
        w_.WriteGroup(axis + group::kY, "0.0");
    }
    w_.WriteGroup(31, "0.0");
    w_.WriteGroup(210, "0.0");
    w_.WriteGroup(220, "0.0");
    w_.WriteGroup(230, "1.0");
    w_.WriteReal(group::kEllipse.ratio, ratio);
    w_.WriteRadians(group::kEllipse.start, startAngle, 0, 0);
    w_.WriteRadians(group::kEllipse.end, endAngle < startAngle ? endAngle + 360 : endAngle, 360, 0);
}

int EntityWriters::EllipseSteps(Extended major, Extended sweep) const {
    // A chord of angle t strays from a circle of radius r by r (1 - cos t/2),
    // less than r t^2 / 8: steps of sqrt(8 tolerance / r) stay within it.
    const double tolerance = static_cast<double>(kEllipseToleranceMm * paperMillimetre_);
    const double radians = static_cast<double>(Radians(sweep));
    const double byTolerance = std::ceil(radians / std::sqrt(8 * tolerance / static_cast<double>(major)));
    const double finest = std::ceil(static_cast<double>(sweep / kEllipseFinestStepDegrees));
    const double coarsest = std::ceil(static_cast<double>(sweep / kEllipseCoarsestStepDegrees));
    const double steps = std::max(coarsest, std::min(byTolerance, finest));  // NaN for a curve not finite
    return steps >= 1 ? static_cast<int>(steps) : 1;
}

void EntityWriters::EllipseAsPolyline(int lineType, int pen, int layer, const EllipseCurve& e) {
    const Extended sweep = e.whole ? Extended(360) : NormalizeAngle(e.endAngle - e.startAngle, 360, 0);
    const int steps = EllipseSteps(e.major, sweep);
    const auto [cosAxis, sinAxis] = CosAndSinDegrees(e.axisAngle);
    const auto [cosStep, sinStep] = CosAndSinDegrees(sweep / steps);
    // The parameter's cosine and sine, turned by one step at a time.
    auto [c, s] = CosAndSinDegrees(e.startAngle);
    Head("POLYLINE");
    LayerBlock(lineType, pen, layer);
    w_.WriteInt(66, 1);
    w_.WriteGroup(10, "0.0");
    w_.WriteGroup(20, "0.0");
    w_.WriteGroup(30, "0.0");
    if (e.whole) w_.WriteInt(group::kPolyline.flags, 1);  // closed: the last vertex joins the first
    for (int k = 0; k < steps + (e.whole ? 0 : 1); ++k) {
        const Extended u = e.major * c, v = e.major * e.ratio * s;
        PlainVertex(lineType, layer, e.cx + u * cosAxis - v * sinAxis, e.cy + u * sinAxis + v * cosAxis);
        const Extended next = c * cosStep - s * sinStep;
        s = s * cosStep + c * sinStep;
        c = next;
    }
    WriteSequenceEnd(lineType, pen, layer);
}

void EntityWriters::WriteArc(int lineType, int pen, int layer, Extended cx, Extended cy, Extended r,
                             Extended startAngle, Extended endAngle, Extended tilt) {
    if (SameAngle(startAngle, endAngle)) {
        WriteCircle(lineType, pen, layer, cx, cy, r, false);
        return;
    }
    Head("ARC");
    LayerBlock(lineType, pen, layer);
    w_.WriteGroup(100, "AcDbCircle");
    Point(group::kCircle.centre, cx, cy);
    w_.WriteReal(group::kCircle.radius, r);
    w_.WriteGroup(100, "AcDbArc");
    w_.WriteDegrees(group::kArc.startAngle, startAngle + tilt, 0);
    w_.WriteDegrees(group::kArc.endAngle, endAngle + tilt, 0);
}

void EntityWriters::WriteCircle(int lineType, int pen, int layer, Extended cx, Extended cy, Extended r,
                                bool colorFirst) {
    Head("CIRCLE");
    if (colorFirst) style_.WritePenColorForLayer(pen, layer);
    LayerBlock(lineType, pen, layer, !colorFirst);
    w_.WriteGroup(100, "AcDbCircle");
    Point(group::kCircle.centre, cx, cy);
    w_.WriteReal(group::kCircle.radius, r);
}

namespace {

// The text's characters: a lead byte with its second byte, or one byte.
std::vector<std::string_view> Characters(std::string_view text) {
    std::vector<std::string_view> characters;
    for (std::size_t at = 0; at < text.size();) {
        const bool pair = IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size();
        characters.push_back(text.substr(at, pair ? 2 : 1));
        at += pair ? 2 : 1;
    }
    return characters;
}

std::string TextValue(std::string_view text) {
    std::string value = TextForDxf(text);
    while (!value.empty() && static_cast<unsigned char>(value.back()) < 33) value.pop_back();
    return value;
}

bool SplitsVertical(bool vertical, OutputFormat format) { return vertical && IsForReaders(format); }

}  // namespace

std::size_t TextRecordCount(std::string_view text, bool vertical, OutputFormat format) {
    return SplitsVertical(vertical, format) ? Characters(TextValue(text)).size() : 1;
}

void EntityWriters::WriteText(std::string_view text, bool vertical, bool italic, std::string_view style, int attr,
                              int pen, int layer, Extended x, Extended y, Extended dx, Extended dy, Extended w,
                              Extended h, Extended length) {
    const OutputFormat format = settings_.outputFormat;
    Extended angle = DirectionDegrees(dx, dy);
    if (vertical) angle += 90;
    angle = NormalizeAngle(angle, 0, 0);
    if (attr == kDefpointsTextAttribute) layer = kDefpointsLayer;
    TextRecord t{{}, style, vertical, italic,
                 x,  y,     angle,    settings_.shrinkTexts ? h * settings_.textShrinkPercent / 100 : h,
                 1,  false};
    if (w != h && h != 0) {
        t.widthFactor = w / h;
        t.hasWidthFactor = true;
    }
    const std::string value = TextValue(text);
    const bool halfWidth = settings_.narrowHalfWidthTexts && IsHalfWidthText(text);
    if (halfWidth) {
        t.widthFactor = t.widthFactor * settings_.halfWidthAspectPercent / 100;
        t.hasWidthFactor = true;
    }
    const auto [cosA, sinA] = CosAndSinDegrees(angle);
    if (!SplitsVertical(vertical, format)) {
        if (vertical) {
            // Vertical writing is centred on the base line: move half a character along it.
            t.x += cosA * h / 2;
            t.y += sinA * h / 2;
        }
        const std::string written = IsForReaders(format) ? CaretNotation(value) : value;
        t.value = written;
        TextEntity(t, pen, layer);
        return;
    }
    // Down the column (a quarter turn clockwise of the upright characters'
    // base lines), a full-width character taking two parts of its length
    // and a half-width one one; each character centred across the column,
    // its base line a character's height below its part's top.
    const std::vector<std::string_view> characters = Characters(value);
    std::size_t parts = 0;
    for (std::string_view c : characters) parts += c.size();
    const Extended step = length > 0 && parts > 0 ? length / static_cast<Extended>(parts) : h / 2;
    Extended along = 0;
    t.vertical = false;
    for (std::string_view c : characters) {
        const Extended across = h / 2 - (c.size() == 2 ? w : w / 2) / 2;
        const Extended down = along + h;
        t.x = x + cosA * across + sinA * down;
        t.y = y + sinA * across - cosA * down;
        const std::string written = CaretNotation(c);
        t.value = written;
        TextEntity(t, pen, layer);
        along += step * static_cast<Extended>(c.size());
    }
}

void EntityWriters::TextEntity(const TextRecord& t, int pen, int layer) {
    Head("TEXT");
    w_.WriteGroup(100, "AcDbEntity");
    style_.WriteLayerNumber(layer);
    if (pen > 0)
        style_.WritePenColorForLayer(pen, layer);
    else
        style_.WriteColorForLayer(kPenDefaultColor, layer);
    w_.WriteGroup(100, "AcDbText");
    Point(group::kText.insertion, t.x, t.y);
    w_.WriteReal(group::kText.height, t.height);
    w_.WriteGroup(group::kText.string, t.value);
    if (t.angle != 0) w_.WriteReal(group::kText.angle, t.angle);
    if (t.hasWidthFactor) w_.WriteReal(group::kText.widthFactor, t.widthFactor);
    if (t.italic) w_.WriteReal(group::kText.oblique, kItalicObliqueDegrees);
    const TextStyleNames styles = TextStyleNamesOf(settings_.outputFormat);
    if (!t.style.empty())
        w_.WriteGroup(group::kText.style, t.style);
    else if (t.vertical)
        w_.WriteGroup(group::kText.style, styles.vertical);
    else if (!styles.horizontal.empty())
        w_.WriteGroup(group::kText.style, styles.horizontal);
    w_.WriteGroup(100, "AcDbText");
}

void EntityWriters::WriteInsert(std::string_view block, int pen, int layer, Extended x, Extended y, Extended scaleX,
                                Extended scaleY, Extended rotation) {
    Head("INSERT");
    w_.WriteGroup(100, "AcDbEntity");
    style_.WriteLayerNumber(layer);
    style_.WritePenColorForLayer(pen, layer);
    w_.WriteGroup(100, "AcDbBlockReference");
    w_.WriteGroup(group::kInsert.block, block);
    Point(group::kInsert.at, x, y);
    w_.WriteReal(group::kInsert.scaleX, scaleX);
    w_.WriteReal(group::kInsert.scaleY, scaleY);
    w_.WriteGroup(43, "1.0");
    w_.WriteReal(group::kInsert.angle, rotation);
}

}  // namespace orvik
