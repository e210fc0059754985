#include "convert/JwwMapping.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <type_traits>
#include <vector>

#include "jww/JwwLoadError.h"

namespace orvik {
namespace {

std::uint8_t LayerOf(const JwwCommon& c) {
    return static_cast<std::uint8_t>((c.layerGroup % kJwwGroupCount) * kJwwLayersPerGroup + c.layer % kJwwLayersPerGroup);
}

// Pens 1..9; the SXF colours (100 and up) are drawn in colour 7 for now.
std::uint8_t PenOf(const JwwCommon& c) { return static_cast<std::uint8_t>(c.penColor < 10 ? c.penColor : 0); }

// Editable and write layers are shown; hidden and shown-only ones are off.
std::uint8_t Shown(std::uint32_t state) { return state >= 2 ? 1 : 0; }

double Degrees(double radians) { return radians * 180 / std::numbers::pi; }

// Consecutive lines sharing a curve number form a curve run: first, middle,
// last. `lines` from `first` on were carried from `source`, one for one.
void MarkCurves(std::vector<JwcLine>& lines, std::size_t first, const std::deque<JwwLine>& source) {
    constexpr std::uint8_t kFirst = 64, kMiddle = 128, kLast = 192;
    for (std::size_t i = 0; i < source.size();) {
        std::size_t end = i + 1;
        if (source[i].common.group != 0)
            while (end < source.size() && source[end].common.group == source[i].common.group) ++end;
        if (end - i >= 2) {
            lines[first + i].curveMark = kFirst;
            for (std::size_t k = i + 1; k + 1 < end; ++k) lines[first + k].curveMark = kMiddle;
            lines[first + end - 1].curveMark = kLast;
        }
        i = end;
    }
}

// Where a block's elements land: p -> origin + A p, A = R(rotation) diag(sx, sy).
struct Placement {
    double a = 1, b = 0, c = 0, d = 1, ox = 0, oy = 0;

    std::array<double, 2> operator()(double x, double y) const { return {ox + a * x + b * y, oy + c * x + d * y}; }
    // This placement after the insertion's own (a block inside a block).
    Placement Then(const JwwBlockInsert& insert) const {
        const double cs = std::cos(insert.rotation), sn = std::sin(insert.rotation);
        const double ia = cs * insert.scaleX, ib = -sn * insert.scaleY, ic = sn * insert.scaleX, id = cs * insert.scaleY;
        const auto [x, y] = (*this)(insert.x, insert.y);
        return {a * ia + b * ic, a * ib + b * id, c * ia + d * ic, c * ib + d * id, x, y};
    }
    bool Mirrored() const { return a * d - b * c < 0; }
    // The scale of a placement that keeps shapes (the same in every direction), else 0.
    double UniformScale() const {
        const double sx = std::hypot(a, c), sy = std::hypot(b, d);
        const bool square = std::fabs(a * b + c * d) <= 1e-12 * sx * sy;
        return square && std::fabs(sx - sy) <= 1e-12 * std::max(sx, sy) ? sx : 0;
    }
    double Rotation() const { return std::atan2(c, a); }  // of the first axis
};

// At most this many elements come out of block insertions: a hostile file
// nesting insertions of insertions cannot make more.
constexpr std::int64_t kCarriedFromBlocksLimit = 20'000'000;

// Carries a list of elements into the model, block insertions as the
// elements of their definitions in place, dimensions as their lines and text.
class Carrier {
public:
    Carrier(const JwwDrawing& jww, JwcDrawing& d, JwwNotCarried& notCarried) : d_(d), notCarried_(notCarried) {
        for (const auto& b : jww.blocks) Collect(*b);
        for (const auto& b : jww.elements.definitions) Collect(*b);
    }

    void Carry(const JwwElementList& e, const Placement& at, int depth) {
        CarryEach(e, at, depth, [](const auto&) {});
    }

    // The drawing's own list, each kind given back once carried, so that the
    // file's elements and their carried copies are not all held at once.
    void CarryAndRelease(JwwElementList& e) {
        CarryEach(e, Placement{}, 0, [](auto& items) { std::remove_cvref_t<decltype(items)>().swap(items); });
    }

private:
    // Kind by kind; `done(items)` after each. Every kind's own order is the
    // file's: the lines, then the dimensions' lines, then the blocks' lines.
    template <typename List, typename Done>
    void CarryEach(List& e, const Placement& at, int depth, Done done) {
        for (const JwwArc& a : e.arcs) Arc(a, at);
        done(e.arcs);
        for (const JwwText& t : e.texts) Text(t, at);
        done(e.texts);
        for (const JwwPoint& p : e.points) Point(p, at);
        done(e.points);
        for (const JwwSolid& s : e.solids) Solid(s, at);
        done(e.solids);
        const std::size_t firstLine = d_.lines.size();
        for (const JwwLine& l : e.lines) Line(l, at);
        MarkCurves(d_.lines, firstLine, e.lines);
        done(e.lines);
        for (const JwwDimension& m : e.dimensions) {
            Line(m.line, at);
            Text(m.text, at);
            for (const JwwLine& l : m.extensionLines)
                if (l.x1 != l.x2 || l.y1 != l.y2) Line(l, at);
        }
        done(e.dimensions);
        for (const JwwBlockInsert& insert : e.inserts) {
            const JwwBlockDefinition* definition = Find(insert.definition);
            if (!definition || depth >= kJwwNestingLimit || carried_ > kCarriedFromBlocksLimit) {
                ++notCarried_.inserts;
                continue;
            }
            carried_ += static_cast<std::int64_t>(definition->elements.order.size());
            Carry(definition->elements, at.Then(insert), depth + 1);
        }
        done(e.inserts);
    }

    void Collect(const JwwBlockDefinition& b) {
        definitions_.push_back(&b);
        for (const auto& inner : b.elements.definitions) Collect(*inner);
    }

    const JwwBlockDefinition* Find(std::uint32_t number) const {
        for (const JwwBlockDefinition* b : definitions_)
            if (b->number == number) return b;
        return nullptr;
    }

    void Line(const JwwLine& l, const Placement& at) {
        const auto [x1, y1] = at(l.x1, l.y1);
        const auto [x2, y2] = at(l.x2, l.y2);
        d_.lines.push_back(JwcLine{x1, y1, x2, y2, l.common.penStyle, PenOf(l.common), LayerOf(l.common)});
    }

    // A circle, arc or ellipse; under a placement that does not keep shapes,
    // only a circle stays one (its centre moved, its radius scaled along the
    // first axis); other arcs are counted as not carried.
    void Arc(const JwwArc& a, const Placement& at) {
        double scale = at.UniformScale();
        if (scale == 0 && !(a.flatness == 1 && a.wholeCircle)) {
            ++notCarried_.distortedArcs;
            return;
        }
        if (scale == 0) scale = std::hypot(at.a, at.c);
        const auto [cx, cy] = at(a.cx, a.cy);
        const bool mirrored = at.Mirrored();
        // Mirrored, the arc runs the other way: its angles turn sign.
        const double tilt = mirrored ? at.Rotation() - a.tilt : at.Rotation() + a.tilt;
        JwcArc arc{cx, cy, a.radius * scale, a.flatness, 0, 0, Degrees(tilt), a.common.penStyle, PenOf(a.common), LayerOf(a.common)};
        if (!a.wholeCircle) {  // a whole one keeps equal angles
            double start = a.sweep >= 0 ? a.start : a.start + a.sweep;
            const double sweep = std::fabs(a.sweep);
            if (mirrored) start = -(start + sweep);
            arc.startAngle = Degrees(start);
            arc.endAngle = Degrees(start + sweep);
        }
        d_.arcs.push_back(arc);
    }

    void Text(const JwwText& t, const Placement& at) {
        if (t.IsSetting()) return;  // JW_CAD's settings: never drawn
        if (t.IsImagePlacement()) {
            ++notCarried_.images;
            return;
        }
        JwcText text;
        const auto [x1, y1] = at(t.x1, t.y1);
        const auto [x2, y2] = at(t.x2, t.y2);
        text.x1 = x1;
        text.y1 = y1;
        text.x2 = x2;
        text.y2 = y2;
        text.textType = static_cast<std::uint8_t>(kFileTextTypes);  // the empty type: the text's own size counts
        text.layer = LayerOf(t.common);
        text.pen = PenOf(t.common);
        text.italic = t.IsItalic();
        text.flags = (t.common.flags & kJwwVerticalTextFlag) ? kVerticalTextFlag : 0;
        text.text = t.text;
        text.width = t.width * std::hypot(at.a, at.c);
        text.height = t.height * std::hypot(at.b, at.d);
        d_.texts.push_back(std::move(text));
    }

    // A four-cornered solid; the circle and ring solids are not carried yet.
    void Solid(const JwwSolid& s, const Placement& at) {
        if (s.common.penStyle >= kJwwCircleSolid) {
            ++notCarried_.solids;
            return;
        }
        JwcSolid solid{at(s.p1[0], s.p1[1]), at(s.p2[0], s.p2[1]), at(s.p3[0], s.p3[1]), at(s.p4[0], s.p4[1]), PenOf(s.common),
                       LayerOf(s.common)};
        d_.solids.push_back(solid);
    }

    void Point(const JwwPoint& p, const Placement& at) {
        const auto [x, y] = at(p.x, p.y);
        if (p.temporary)
            d_.virtualPoints.push_back(JwcVirtualPoint{x, y, LayerOf(p.common)});
        else
            d_.points.push_back(JwcPoint{x, y, LayerOf(p.common), PenOf(p.common)});
    }

    JwcDrawing& d_;
    JwwNotCarried& notCarried_;
    std::vector<const JwwBlockDefinition*> definitions_;
    std::int64_t carried_ = 0;
};

}  // namespace

JwcDrawing DrawingOf(JwwDrawing jww, JwwNotCarried& notCarried) {
    JwcDrawing d;
    d.source = DrawingSource::JwwFile;
    d.header.paperSize = static_cast<std::int32_t>(jww.header.paperSize);
    for (int g = 0; g < kJwwGroupCount; ++g) {
        const JwwLayerGroup& group = jww.header.groups[static_cast<std::size_t>(g)];
        JwcLayerGroup& target = d.layerGroups[static_cast<std::size_t>(g)];
        target.scale = static_cast<float>(group.scale);
        target.visible = Shown(group.state);
        target.name = group.name;
        for (int l = 0; l < kJwwLayersPerGroup; ++l) {
            JwcLayer& layer = d.layers[static_cast<std::size_t>(g * kJwwLayersPerGroup + l)];
            layer.visible = Shown(group.layers[static_cast<std::size_t>(l)].state);
            layer.name = group.layers[static_cast<std::size_t>(l)].name;
        }
    }
    d.virtualPoints.clear();
    // Room for the elements outside blocks (a dimension gives up to three
    // lines and a text); insertions add to it.
    JwwElementList& e = jww.elements;
    d.lines.reserve(e.lines.size() + 3 * e.dimensions.size());
    d.arcs.reserve(e.arcs.size());
    d.texts.reserve(e.texts.size() + e.dimensions.size());
    d.points.reserve(e.points.size());
    d.solids.reserve(e.solids.size());
    Carrier(jww, d, notCarried).CarryAndRelease(e);
    JwcHeader& h = d.header;
    h.lineCount = static_cast<std::int32_t>(d.lines.size());
    h.arcCount = static_cast<std::int32_t>(d.arcs.size());
    h.textCount = static_cast<std::int32_t>(d.texts.size());
    h.pointCount = static_cast<std::int32_t>(d.points.size());
    h.virtualPointCount = static_cast<std::int32_t>(d.virtualPoints.size());
    return d;
}

}  // namespace orvik
