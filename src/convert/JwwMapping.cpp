#include "convert/JwwMapping.h"

#include <numbers>

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

// Consecutive lines sharing a curve number form a curve run: first, middle, last.
void MarkCurves(std::vector<JwcLine>& lines, const std::deque<JwwLine>& source) {
    constexpr std::uint8_t kFirst = 64, kMiddle = 128, kLast = 192;
    for (std::size_t i = 0; i < lines.size();) {
        std::size_t end = i + 1;
        if (source[i].common.group != 0)
            while (end < lines.size() && source[end].common.group == source[i].common.group) ++end;
        if (end - i >= 2) {
            lines[i].curveMark = kFirst;
            for (std::size_t k = i + 1; k + 1 < end; ++k) lines[k].curveMark = kMiddle;
            lines[end - 1].curveMark = kLast;
        }
        i = end;
    }
}

}  // namespace

JwcDrawing DrawingOf(const JwwDrawing& jww, JwwNotCarried& notCarried) {
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
    const JwwElementList& e = jww.elements;
    for (const JwwLine& l : e.lines)
        d.lines.push_back(JwcLine{l.x1, l.y1, l.x2, l.y2, l.common.penStyle, PenOf(l.common), LayerOf(l.common)});
    MarkCurves(d.lines, e.lines);
    for (const JwwArc& a : e.arcs) {
        JwcArc arc{a.cx, a.cy, a.radius, a.flatness, 0, 0, Degrees(a.tilt), a.common.penStyle, PenOf(a.common), LayerOf(a.common)};
        if (!a.wholeCircle) {  // a whole one keeps equal angles
            const double start = a.sweep >= 0 ? a.start : a.start + a.sweep;
            arc.startAngle = Degrees(start);
            arc.endAngle = Degrees(start + (a.sweep >= 0 ? a.sweep : -a.sweep));
        }
        d.arcs.push_back(arc);
    }
    for (const JwwText& t : e.texts) {
        if (t.IsSetting()) continue;  // JW_CAD's settings: never drawn
        if (t.IsImagePlacement()) {
            ++notCarried.images;
            continue;
        }
        JwcText text;
        text.x1 = t.x1;
        text.y1 = t.y1;
        text.x2 = t.x2;
        text.y2 = t.y2;
        text.textType = static_cast<std::uint8_t>(kFileTextTypes);  // the empty type: the text's own size counts
        text.layer = LayerOf(t.common);
        text.flags = (t.common.flags & kJwwVerticalTextFlag) ? kVerticalTextFlag : 0;
        text.text = t.text;
        text.width = t.width;
        text.height = t.height;
        d.texts.push_back(std::move(text));
    }
    d.virtualPoints.clear();
    for (const JwwPoint& p : e.points) {
        if (p.temporary)
            d.virtualPoints.push_back(JwcVirtualPoint{p.x, p.y, LayerOf(p.common)});
        else
            d.points.push_back(JwcPoint{p.x, p.y, LayerOf(p.common), PenOf(p.common)});
    }
    JwcHeader& h = d.header;
    h.lineCount = static_cast<std::int32_t>(d.lines.size());
    h.arcCount = static_cast<std::int32_t>(d.arcs.size());
    h.textCount = static_cast<std::int32_t>(d.texts.size());
    h.pointCount = static_cast<std::int32_t>(d.points.size());
    h.virtualPointCount = static_cast<std::int32_t>(d.virtualPoints.size());
    notCarried.solids += static_cast<std::int64_t>(e.solids.size());
    notCarried.inserts += static_cast<std::int64_t>(e.inserts.size());
    notCarried.dimensions += static_cast<std::int64_t>(e.dimensions.size());
    return d;
}

}  // namespace orvik
