#include "jww/JwwFromDrawing.h"

#include <algorithm>
#include <cmath>

#include "geometry/Trigonometry.h"
#include "jww/JwwDefaults.h"

namespace orvik {
namespace {

constexpr int kJwwPenCount = 10;  // pens 0..9; the drawing's own colours from pen 10 on
constexpr std::uint32_t kShown = 2, kWriteState = 3, kHidden = 0;
constexpr std::size_t kSxfLinetypeBase = 30;  // pen style 30 + n: SXF line type n
// "ＭＳ ゴシック", JW_CAD's font where a text names none.
constexpr std::string_view kDefaultFont = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";

double RadiansOf(double degrees) { return static_cast<double>(Radians(Extended(degrees))); }

// A Windows COLORREF (red in the low byte) of 0xRRGGBB.
std::uint32_t ColorrefOf(std::uint32_t rgb) { return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16; }

// The layer groups and layers with their states, names and scales.
void Layers(const Drawing& d, JwwHeader& h) {
    const auto firstShown = [](auto begin, auto end) {
        const auto at = std::find_if(begin, end, [](const auto& x) { return x.visible != 0; });
        return at == end ? 0u : static_cast<std::uint32_t>(at - begin);
    };
    h.writeGroup = firstShown(d.layerGroups.begin(), d.layerGroups.end());
    for (std::size_t g = 0; g < kJwwGroupCount; ++g) {
        const LayerGroup& from = d.layerGroups[g];
        JwwLayerGroup& group = h.groups[g];
        group.state = from.visible ? (g == h.writeGroup ? kWriteState : kShown) : kHidden;
        group.scale = std::isfinite(from.scale) && from.scale > 0 ? from.scale : 1;
        group.name = from.name;
        group.protection = 0;
        const auto layers = d.layers.begin() + static_cast<std::ptrdiff_t>(g * kJwwLayersPerGroup);
        group.writeLayer = firstShown(layers, layers + kJwwLayersPerGroup);
        for (std::size_t l = 0; l < kJwwLayersPerGroup; ++l) {
            const Layer& layer = layers[static_cast<std::ptrdiff_t>(l)];
            group.layers[l] = {layer.visible ? (l == group.writeLayer ? kWriteState : kShown) : kHidden, 0, layer.name};
        }
    }
}

// The drawing's own pens as SXF colours, its own line types as SXF line types.
class Styles {
public:
    Styles(const Drawing& d, JwwHeader& h) : d_(d), h_(h) {
        const std::size_t firstOwn = 7 + d.pens.fixedColors.size();
        for (std::size_t n = 0; n < d.pens.ownColors.size(); ++n) {
            const std::size_t slot = kJwwFirstUserSxf + n;
            if (slot >= h.sxfScreenPens.size()) break;
            const double width = firstOwn + n < d.pens.widths.size() ? d.pens.widths[firstOwn + n] : 0;
            h.sxfScreenPens[slot] = {ColorrefOf(d.pens.ownColors[n]), h.sxfScreenPens[slot].width};
            h.sxfPrinterPens[slot].color = ColorrefOf(d.pens.ownColors[n]);
            if (width > 0) h.sxfPrinterPens[slot].width = static_cast<std::uint32_t>(std::lround(width * 100));
            h.sxfColorNames[slot] = ColorName(d.pens.ownColors[n]);
        }
        for (const DefinedLinetype& type : d.extraLinetypes) LineType(type);
    }

    // The pen colour of an element drawn with `pen`; a solid's own colour in `rgb`.
    std::uint16_t PenColor(std::uint8_t pen, std::uint32_t* rgb = nullptr) const {
        if (pen < kJwwPenCount) return pen;
        const std::size_t own = pen - 7 - d_.pens.fixedColors.size();
        if (own >= d_.pens.ownColors.size()) return 0;
        if (rgb) {
            *rgb = ColorrefOf(d_.pens.ownColors[own]);
            return kJwwRgbSolidColor;
        }
        const std::size_t slot = kJwwFirstUserSxf + own;
        return slot < h_.sxfScreenPens.size() ? static_cast<std::uint16_t>(kJwwSxfColorBase + slot) : 0;
    }

    std::uint8_t PenStyle(std::uint8_t lineType) const {
        if (lineType <= kLastStandardLineType) return lineType;
        return lineType < kLinetypeNumbers && penStyles_[lineType] ? penStyles_[lineType] : 1;
    }

private:
    static std::string ColorName(std::uint32_t rgb) {
        static constexpr char kDigits[] = "0123456789ABCDEF";
        std::string name = "#";
        for (int shift = 20; shift >= 0; shift -= 4) name += kDigits[rgb >> shift & 0xF];
        return name;
    }

    // The next user SXF line type: its dashes and gaps from a dash on, each
    // run of one sign as one length.
    void LineType(const DefinedLinetype& type) {
        const std::size_t slot = kJwwFirstUserSxf + next_++;
        if (slot >= h_.sxfLineTypes.size()) return;
        std::vector<double> lengths;
        const auto start = std::find_if(type.pattern.begin(), type.pattern.end(), [](double v) { return v >= 0; });
        for (std::size_t i = 0; i < type.pattern.size(); ++i) {
            const double v =
                type.pattern[(static_cast<std::size_t>(start - type.pattern.begin()) + i) % type.pattern.size()];
            const bool gap = v < 0;
            if (!lengths.empty() && (lengths.size() % 2 == 0) == gap) {
                lengths.back() += std::fabs(v);
                continue;
            }
            lengths.push_back(std::fabs(v));
        }
        JwwSxfLineType& t = h_.sxfLineTypes[static_cast<std::size_t>(slot)];
        t.name = type.name;
        t.segments = static_cast<std::uint32_t>(std::min(lengths.size(), t.pitches.size()) & ~std::size_t{1});
        t.pitches = {};
        std::copy_n(lengths.begin(), t.segments, t.pitches.begin());
        if (type.number < kLinetypeNumbers)
            penStyles_[type.number] = static_cast<std::uint8_t>(kSxfLinetypeBase + slot);
    }

    const Drawing& d_;
    JwwHeader& h_;
    std::array<std::uint8_t, kLinetypeNumbers> penStyles_{};  // by the model's number: 0 none
    std::size_t next_ = 0;
};

template <class T>
void Add(JwwElementList& list, std::deque<T>& items, JwwKind kind, T element) {
    items.push_back(std::move(element));
    list.order.push_back(kind);
}

// One set of elements (the drawing's or a block's) as a list.
class Lister {
public:
    Lister(const Drawing& d, const Styles& styles) : d_(d), styles_(styles) {}

    void List(const ElementSet& set, JwwElementList& list) {
        for (const DrawingLine& l : set.lines) Add(list, list.lines, JwwKind::Line, Line(l));
        for (const DrawingArc& a : set.arcs) Add(list, list.arcs, JwwKind::Arc, Arc(a));
        for (const DrawingPoint& p : set.points)
            Add(list, list.points, JwwKind::Point, JwwPoint{Common(1, p.pen, p.layer), p.x, p.y, 0});
        for (const VirtualPoint& p : set.virtualPoints)
            Add(list, list.points, JwwKind::Point, JwwPoint{Common(1, 1, p.layer), p.x, p.y, 1});
        for (const DrawingText& t : set.texts) Add(list, list.texts, JwwKind::Text, Text(t));
        for (const DrawingSolid& s : set.solids) {
            JwwSolid solid{Common(1, 0, s.layer), s.p1, s.p2, s.p3, s.p4, 0};
            solid.common.penColor = styles_.PenColor(s.pen, &solid.rgb);
            Add(list, list.solids, JwwKind::Solid, solid);
        }
        for (const BlockInsert& b : set.inserts)
            Add(list, list.inserts, JwwKind::BlockInsert,
                JwwBlockInsert{Common(1, b.pen, b.layer), b.x, b.y, b.scaleX, b.scaleY, RadiansOf(b.rotation),
                               b.block + 1});
    }

private:
    JwwCommon Common(std::uint8_t lineType, std::uint8_t pen, std::uint8_t layer) const {
        JwwCommon c;
        c.penStyle = styles_.PenStyle(lineType);
        c.penColor = styles_.PenColor(pen);
        c.layer = layer % kJwwLayersPerGroup;
        c.layerGroup = static_cast<std::uint16_t>(layer / kJwwLayersPerGroup);
        return c;
    }

    // A curve run's lines share one curve number.
    JwwLine Line(const DrawingLine& l) {
        constexpr std::uint8_t kFirst = 64, kMiddle = 128, kLast = 192;
        const std::uint8_t mark = l.curveMark & 192;
        if (mark == kFirst) ++curve_;
        JwwLine line{Common(l.lineType, l.pen, l.layer), l.x1, l.y1, l.x2, l.y2};
        line.common.group = mark == kFirst || mark == kMiddle || mark == kLast ? curve_ : 0;
        return line;
    }

    JwwArc Arc(const DrawingArc& a) const {
        JwwArc arc{Common(a.lineType, a.pen, a.layer), a.cx, a.cy, a.radius, 0, 0, RadiansOf(a.tilt), a.flatness, 0};
        if (a.startAngle == a.endAngle) {
            arc.sweep = static_cast<double>(2 * kPi);
            arc.wholeCircle = 1;
        } else {
            double sweep = a.endAngle - a.startAngle;
            while (sweep <= 0) sweep += 360;
            arc.start = RadiansOf(a.startAngle);
            arc.sweep = RadiansOf(sweep);
        }
        return arc;
    }

    JwwText Text(const DrawingText& t) const {
        JwwText text;
        text.common = Common(1, t.pen, t.layer);
        if (t.vertical) text.common.flags |= kJwwVerticalTextFlag;
        text.x1 = t.x1, text.y1 = t.y1, text.x2 = t.x2, text.y2 = t.y2;
        const TextType& type = d_.textTypes[std::min<std::size_t>(t.textType, kTextTypeSlots - 1)];
        text.width = t.width >= 0 ? t.width : type.width / 10.0;
        text.height = t.height >= 0 ? t.height : type.height / 10.0;
        text.style = (t.italic ? kJwwItalicOffset : 0) + (t.bold ? kJwwBoldOffset : 0);
        text.angle = static_cast<double>(DirectionDegrees(Extended(t.x2 - t.x1), Extended(t.y2 - t.y1)));
        text.font = t.font > 0 && t.font <= d_.fonts.size() ? d_.fonts[t.font - 1u] : std::string(kDefaultFont);
        text.text = t.text;
        return text;
    }

    const Drawing& d_;
    const Styles& styles_;
    std::uint32_t curve_ = 0;
};

}  // namespace

JwwDrawing JwwDrawingOf(const Drawing& d) {
    JwwDrawing jww;
    jww.header = DefaultJwwHeader();
    jww.header.version = kJwwNewestVersion;
    jww.form.utf16Strings = true;
    jww.header.paperSize = static_cast<std::uint32_t>(d.paper.size);
    Layers(d, jww.header);
    const Styles styles(d, jww.header);
    Lister lister(d, styles);
    for (std::size_t k = 0; k < d.blocks.size(); ++k) {
        auto definition = std::make_unique<JwwBlockDefinition>();
        definition->common.penStyle = 1;
        definition->common.penColor = 2;
        definition->number = static_cast<std::uint32_t>(k + 1);
        definition->name = d.blocks[k].name;
        lister.List(d.blocks[k], definition->elements);
        jww.blocks.push_back(std::move(definition));
    }
    lister.List(d, jww.elements);
    return jww;
}

}  // namespace orvik
