#include "jww/JwwMapping.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "jww/CircularSolids.h"
#include "jww/JwwLinetypes.h"
#include "text/Substitution.h"

namespace orvik {
namespace {

constexpr int kJwwPenCount = 10;  // pens 0..9 of JW_CAD; the drawing's own colours from pen 10
// The AutoCAD colours of pens 7, 8 and 9 (pens 1..6 take the settings'
// colours): dark green, red and grey, as JW_CAD shows them.
constexpr std::int32_t kJwwFixedPenColors[] = {94, 1, 8};

std::uint8_t LayerOf(const JwwCommon& c) {
    return static_cast<std::uint8_t>((c.layerGroup % kJwwGroupCount) * kJwwLayersPerGroup +
                                     c.layer % kJwwLayersPerGroup);
}

// 0xRRGGBB of a Windows COLORREF (red in the low byte), as JW_CAD stores colours.
std::uint32_t RgbOfColorref(std::uint32_t c) { return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF); }

// The pens of the model: JW_CAD's pens 1..9 as they are; a colour of the
// drawing's own (an SXF colour, 100 and up, from the header's table; a
// solid's RGB, colour 10) as a pen from 10 on, one per distinct colour; past
// kMaxPens, the pen of the nearest colour already given one.
//
// Each pen's printed width: pens 1..9 take the header's printer widths, in
// hundredths of a millimetre when maxDrawWidth says so, else in dots at the
// resolution printOptions gives (from version 600); an SXF colour's pen the
// width of its colour, which JW_CAD keeps in hundredths of a millimetre (the
// SXF widths, 0.18 mm stored as 18, in either mode).
class PenMapper {
public:
    PenMapper(const JwwHeader& header, std::vector<std::uint32_t>& colors, std::vector<double>& widths)
        : header_(header), colors_(colors), widths_(widths) {
        const double unit = WidthUnit(header);
        widths_.assign(kJwwPenCount, 0);
        for (std::size_t pen = 1; pen < kJwwPenCount; ++pen) widths_[pen] = header.printerPens[pen].width * unit;
    }

    std::uint8_t Of(const JwwCommon& c, std::uint32_t solidColor = 0) {
        if (c.penColor < kJwwPenCount) return static_cast<std::uint8_t>(c.penColor);
        if (c.penColor == kJwwRgbSolidColor) return ColorPen(RgbOfColorref(solidColor), 0);
        const std::size_t sxf = c.penColor - kJwwSxfColorBase;
        if (c.penColor >= kJwwSxfColorBase && sxf < header_.sxfScreenPens.size()) {
            const double width =
                sxf < header_.sxfPrinterPens.size() ? header_.sxfPrinterPens[sxf].width * kHundredth : 0;
            return ColorPen(RgbOfColorref(header_.sxfScreenPens[sxf].color), width);
        }
        return 0;
    }

private:
    static constexpr double kHundredth = 0.01;

    // Millimetres of one unit of a pen's printed width; 0 when unknown.
    static double WidthUnit(const JwwHeader& h) {
        const std::int32_t w = h.maxDrawWidth;
        if (w == -101 || (w <= -201 && w >= -300) || (w <= -401 && w >= -500)) return kHundredth;
        const std::uint32_t dpi = h.version >= 600 ? h.printOptions / 10 % 10 : 0;
        constexpr double kMillimetresPerInch = 25.4;
        return dpi == 1 ? kMillimetresPerInch / 300 : dpi == 2 ? kMillimetresPerInch / 600 : 0;
    }

    std::uint8_t ColorPen(std::uint32_t rgb, double width) {
        const auto pen = [](std::size_t n) { return static_cast<std::uint8_t>(kJwwPenCount + n); };
        if (const auto at = std::find(colors_.begin(), colors_.end(), rgb); at != colors_.end())
            return pen(static_cast<std::size_t>(at - colors_.begin()));
        if (colors_.size() < kMaxPens - kJwwPenCount) {
            colors_.push_back(rgb);
            widths_.push_back(width);
            return pen(colors_.size() - 1);
        }
        const auto nearer = [&](std::uint32_t a, std::uint32_t b) { return RgbDistance(rgb, a) < RgbDistance(rgb, b); };
        return pen(
            static_cast<std::size_t>(std::min_element(colors_.begin(), colors_.end(), nearer) - colors_.begin()));
    }

    const JwwHeader& header_;
    std::vector<std::uint32_t>& colors_;
    std::vector<double>& widths_;
};

// The drawing's fonts: each name once, numbered from 1 in the order met;
// past the numbers a text can hold, none.
class Fonts {
public:
    explicit Fonts(std::vector<std::string>& names) : names_(names) {}

    std::uint16_t Of(const std::string& name) {
        if (name.empty()) return 0;
        if (const auto at = numbers_.find(name); at != numbers_.end()) return at->second;
        if (names_.size() >= std::numeric_limits<std::uint16_t>::max()) return 0;
        names_.push_back(name);
        const auto number = static_cast<std::uint16_t>(names_.size());
        numbers_.emplace(name, number);
        return number;
    }

private:
    std::vector<std::string>& names_;
    std::unordered_map<std::string, std::uint16_t> numbers_;
};

// A layer or group state: 0 hidden, 1 shown only (drawn and printed, not
// editable), 2 editable, 3 the write layer. Only a hidden one is off.
std::uint8_t Shown(std::uint32_t state) { return state == 0 ? 0 : 1; }

double Degrees(double radians) { return radians * 180 / std::numbers::pi; }

// The width each character of a horizontal text is drawn at. JW_CAD keeps a
// text's start and end points: its characters (a double-byte one as wide as
// the text's width, a single-byte one half) and the spacing between them.
// DXF has no spacing, so where the drawn length differs from what the
// characters alone take, the characters are widened to span it.
double DrawnCharacterWidth(const JwwText& t) {
    if (t.common.flags & kJwwVerticalTextFlag) return t.width;  // spacing runs down the column: not a width
    double ems = 0;  // the characters' widths in units of the text's width
    for (std::size_t i = 0; i < t.text.size(); ++i) {
        const bool full = IsLeadByte(static_cast<unsigned char>(t.text[i])) && i + 1 < t.text.size();
        ems += full ? 1 : 0.5;
        i += full ? 1 : 0;
    }
    const double dx = t.x2 - t.x1, dy = t.y2 - t.y1;
    const double length = std::sqrt(dx * dx + dy * dy), natural = ems * t.width;  // sqrt: the same bits everywhere
    constexpr double kSameLength = 1e-6;  // relative: a text without spacing keeps its width exactly
    if (!(natural > 0) || !std::isfinite(length) || !(length > 0) ||
        std::fabs(length - natural) <= kSameLength * natural)
        return t.width;
    return length / ems;
}

// Consecutive lines sharing a non-zero curve number form a curve run:
// first, middle, last. The mark of a line between lines of curve numbers
// `before` and `after`.
std::uint8_t CurveMark(std::uint32_t before, std::uint32_t group, std::uint32_t after) {
    constexpr std::uint8_t kFirst = 64, kMiddle = 128, kLast = 192;
    const bool joinsBefore = group != 0 && before == group, joinsAfter = group != 0 && after == group;
    return joinsBefore ? (joinsAfter ? kMiddle : kLast) : (joinsAfter ? kFirst : 0);
}

// The block definitions in the order the drawing model keeps them: each
// after every definition it inserts. An insertion that would close a cycle
// (a damaged file read in part) finds no earlier block and is dropped.
class BlockOrder {
public:
    explicit BlockOrder(const JwwDrawing& jww) {
        for (const auto& b : jww.blocks) Collect(*b);
        for (const auto& b : jww.elements.definitions) Collect(*b);
        std::stable_sort(byNumber_.begin(), byNumber_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<int> state(all_.size(), 0);  // 0 unseen, 1 on the path, 2 ordered
        for (std::size_t root = 0; root < all_.size(); ++root) {
            if (state[root] != 0) continue;
            std::vector<std::pair<std::size_t, std::size_t>> path{{root, 0}};  // definition, next insertion
            state[root] = 1;
            while (!path.empty()) {
                auto& [at, next] = path.back();
                const auto& inserts = all_[at]->elements.inserts;
                if (next == inserts.size()) {
                    state[at] = 2;
                    index_[at] = ordered_.size();
                    ordered_.push_back(at);
                    path.pop_back();
                    continue;
                }
                const std::optional<std::size_t> target = Find(inserts[next++].definition);
                if (target && state[*target] == 0) {
                    state[*target] = 1;
                    path.emplace_back(*target, 0);
                }
            }
        }
    }

    std::size_t Count() const { return ordered_.size(); }
    const JwwBlockDefinition& At(std::size_t k) const { return *all_[ordered_[k]]; }
    // The model's index of the definition numbered `number`, if there is one.
    std::optional<std::size_t> IndexOf(std::uint32_t number) const {
        const std::optional<std::size_t> found = Find(number);
        if (!found) return std::nullopt;
        return index_[*found];
    }

private:
    void Collect(const JwwBlockDefinition& b) {
        byNumber_.emplace_back(b.number, all_.size());
        all_.push_back(&b);
        index_.push_back(0);
        for (const auto& inner : b.elements.definitions) Collect(*inner);
    }

    std::optional<std::size_t> Find(std::uint32_t number) const {
        const auto it = std::lower_bound(byNumber_.begin(), byNumber_.end(), number,
                                         [](const auto& entry, std::uint32_t n) { return entry.first < n; });
        if (it == byNumber_.end() || it->first != number) return std::nullopt;
        return it->second;
    }

    std::vector<const JwwBlockDefinition*> all_;  // in file order
    std::vector<std::pair<std::uint32_t, std::size_t>> byNumber_;  // number, position in all_
    std::vector<std::size_t> index_;  // position in the model's blocks
    std::vector<std::size_t> ordered_;  // positions in all_, in the model's order
};

// Carries a list of elements into one set of the model (the drawing's own
// elements or a block's), dimensions as their lines and text, insertions as
// BlockInsert of the blocks carried before.
template <class Target>
class Carrier {
public:
    Carrier(Target& target, const BlockOrder& blocks, std::size_t blocksBefore, PenMapper& pens, Fonts& fonts,
            CircularSolidFill& fill, NotCarried& notCarried)
        : d_(target),
          blocks_(blocks),
          blocksBefore_(blocksBefore),
          pens_(pens),
          fonts_(fonts),
          fill_(fill),
          notCarried_(notCarried) {}

    // Kind by kind; `done(items)` after each (the drawing's own list gives
    // each kind back once carried, so that the file's elements and their
    // carried copies are not all held at once).
    template <typename List, typename Done>
    void Carry(List& e, Done done) {
        for (const JwwArc& a : e.arcs) Arc(a);
        done(e.arcs);
        for (const JwwText& t : e.texts) Text(t);
        done(e.texts);
        for (const JwwPoint& p : e.points) Point(p);
        done(e.points);
        for (const JwwSolid& s : e.solids) Solid(s);
        done(e.solids);
        Lines(e.lines);
        done(e.lines);
        // A dimension: its line and text, its extension lines that have a
        // length, and when it is an SXF dimension (mode not 0) its end and
        // base points, as points are carried.
        for (const JwwDimension& m : e.dimensions) {
            Line(m.line);
            Text(m.text);
            for (const JwwLine& l : m.extensionLines)
                if (l.x1 != l.x2 || l.y1 != l.y2) Line(l);
            if (m.sxfMode != 0)
                for (const JwwPoint& p : m.points) Point(p);
        }
        done(e.dimensions);
        for (const JwwBlockInsert& insert : e.inserts) Insert(insert);
        done(e.inserts);
    }

private:
    void Line(const JwwLine& l, std::uint8_t curveMark = 0) {
        d_.lines.push_back(
            DrawingLine{l.x1, l.y1, l.x2, l.y2, l.common.penStyle, pens_.Of(l.common), LayerOf(l.common), curveMark});
    }

    // With their curve marks.
    template <class List>
    void Lines(const List& lines) {
        std::uint32_t before = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::uint32_t group = lines[i].common.group;
            Line(lines[i], CurveMark(before, group, i + 1 < lines.size() ? lines[i + 1].common.group : 0));
            before = group;
        }
    }

    void Arc(const JwwArc& a) { Arc(a, pens_.Of(a.common)); }
    void Arc(const JwwArc& a, std::uint8_t pen) {
        DrawingArc arc{
            a.cx, a.cy, a.radius, a.flatness, 0, 0, Degrees(a.tilt), a.common.penStyle, pen, LayerOf(a.common)};
        if (!a.wholeCircle) {  // a whole one keeps equal angles
            const double start = a.sweep >= 0 ? a.start : a.start + a.sweep;
            arc.startAngle = Degrees(start);
            arc.endAngle = Degrees(start + std::fabs(a.sweep));
        }
        d_.arcs.push_back(arc);
    }

    void Text(const JwwText& t) {
        if (t.IsSetting()) return;  // JW_CAD's settings: never drawn
        if (t.IsImagePlacement()) {
            ++notCarried_.images;
            return;
        }
        DrawingText text;
        text.x1 = t.x1;
        text.y1 = t.y1;
        text.x2 = t.x2;
        text.y2 = t.y2;
        text.textType = static_cast<std::uint8_t>(kFileTextTypes);  // the empty type: the text's own size counts
        text.layer = LayerOf(t.common);
        text.pen = pens_.Of(t.common);
        text.italic = t.IsItalic();
        text.bold = t.IsBold();
        text.font = fonts_.Of(t.font);
        text.vertical = (t.common.flags & kJwwVerticalTextFlag) != 0;
        text.text = t.text;
        text.width = DrawnCharacterWidth(t);
        text.height = t.height;
        d_.texts.push_back(std::move(text));
    }

    // A four-cornered solid as it is; a circle, sector, bow or ring solid as
    // the solids that fill it; a circumference solid as its curve in the
    // solid's colour. Other pen styles from 101 on, and circular solids of
    // values that draw nothing, are counted.
    void Solid(const JwwSolid& s) {
        const std::uint8_t style = s.common.penStyle, pen = pens_.Of(s.common, s.rgb), layer = LayerOf(s.common);
        if (style < kJwwCircleSolid) {
            d_.solids.push_back(DrawingSolid{s.p1, s.p2, s.p3, s.p4, pen, layer});
            return;
        }
        if (style == kJwwCircumferenceSolid) {
            if (const std::optional<JwwArc> curve = CurveOfCircumferenceSolid(s)) return Arc(*curve, pen);
        } else if (style == kJwwCircleSolid || style == kJwwRingSolid1 || style == kJwwRingSolid2) {
            const std::vector<SolidCorners> pieces = fill_.Pieces(s);
            for (const SolidCorners& p : pieces) d_.solids.push_back(DrawingSolid{p[0], p[1], p[2], p[3], pen, layer});
            if (!pieces.empty()) return;
        }
        ++notCarried_.solids;
    }

    void Point(const JwwPoint& p) {
        if (p.temporary)
            d_.virtualPoints.push_back(VirtualPoint{p.x, p.y, LayerOf(p.common)});
        else
            d_.points.push_back(DrawingPoint{p.x, p.y, LayerOf(p.common), pens_.Of(p.common)});
    }

    // An insertion of a block carried before this set; others (a definition
    // the file lacks, one that would insert itself) are counted.
    void Insert(const JwwBlockInsert& insert) {
        const std::optional<std::size_t> block = blocks_.IndexOf(insert.definition);
        if (!block || *block >= blocksBefore_) {
            ++notCarried_.inserts;
            return;
        }
        d_.inserts.push_back(BlockInsert{insert.x, insert.y, insert.scaleX, insert.scaleY, Degrees(insert.rotation),
                                         static_cast<std::uint32_t>(*block), pens_.Of(insert.common),
                                         LayerOf(insert.common)});
    }

    Target& d_;
    const BlockOrder& blocks_;
    std::size_t blocksBefore_;
    PenMapper& pens_;
    Fonts& fonts_;
    CircularSolidFill& fill_;
    NotCarried& notCarried_;
};

// The line types beyond 1..9 that the carried lines and arcs use and the
// header defines, by number.
std::vector<DefinedLinetype> LinetypesUsed(const Drawing& d, const JwwHeader& header) {
    std::array<bool, kLinetypeNumbers> used{};
    const auto mark = [&](std::uint8_t n) {
        if (n < kLinetypeNumbers) used[n] = true;
    };
    ForEachElementSet(d, [&](const auto& set) {
        for (const DrawingLine& l : set.lines) mark(l.lineType);
        for (const DrawingArc& a : set.arcs) mark(a.lineType);
    });
    std::vector<DefinedLinetype> types;
    for (int n = kLastStandardLineType + 1; n < kLinetypeNumbers; ++n)
        if (used[static_cast<std::size_t>(n)])
            if (std::optional<DefinedLinetype> type = JwwLinetypeOf(header, n)) types.push_back(std::move(*type));
    return types;
}

// The mapping; `done(items)` after each kind of the drawing's own list is carried.
template <class Jww, class Done>
Drawing Map(Jww& jww, NotCarried& notCarried, Done done) {
    Drawing d;
    d.units = DrawingUnits::PaperMillimetres;
    d.paper.size = static_cast<std::int32_t>(jww.header.paperSize);
    for (int g = 0; g < kJwwGroupCount; ++g) {
        const JwwLayerGroup& group = jww.header.groups[static_cast<std::size_t>(g)];
        LayerGroup& target = d.layerGroups[static_cast<std::size_t>(g)];
        target.scale = static_cast<float>(group.scale);
        target.visible = Shown(group.state);
        target.name = group.name;
        for (int l = 0; l < kJwwLayersPerGroup; ++l) {
            Layer& layer = d.layers[static_cast<std::size_t>(g * kJwwLayersPerGroup + l)];
            layer.visible = Shown(group.layers[static_cast<std::size_t>(l)].state);
            layer.name = group.layers[static_cast<std::size_t>(l)].name;
        }
    }
    // Room for the elements outside blocks (a dimension gives up to three
    // lines and a text); insertions add to it.
    auto& e = jww.elements;
    d.lines.reserve(e.lines.size() + 3 * e.dimensions.size());
    d.arcs.reserve(e.arcs.size());
    d.texts.reserve(e.texts.size() + e.dimensions.size());
    d.points.reserve(e.points.size());
    d.solids.reserve(e.solids.size());
    const BlockOrder order(jww);
    PenMapper pens(jww.header, d.pens.ownColors, d.pens.widths);
    Fonts fonts(d.fonts);
    CircularSolidFill fill;
    d.blocks.resize(order.Count());
    for (std::size_t k = 0; k < order.Count(); ++k) {
        d.blocks[k].name = order.At(k).name;
        Carrier<Block>(d.blocks[k], order, k, pens, fonts, fill, notCarried)
            .Carry(order.At(k).elements, [](const auto&) {});
    }
    Carrier<Drawing>(d, order, order.Count(), pens, fonts, fill, notCarried).Carry(e, done);
    d.extraLinetypes = LinetypesUsed(d, jww.header);
    d.pens.fixedColors.assign(std::begin(kJwwFixedPenColors), std::end(kJwwFixedPenColors));
    d.pens.count = kJwwPenCount + static_cast<int>(d.pens.ownColors.size());
    return d;
}

}  // namespace

Drawing DrawingOf(JwwDrawing jww, NotCarried& notCarried) {
    return Map(jww, notCarried, [](auto& items) { std::remove_cvref_t<decltype(items)>().swap(items); });
}

Drawing DrawingOfKept(const JwwDrawing& jww, NotCarried& notCarried) {
    return Map(jww, notCarried, [](const auto&) {});
}

}  // namespace orvik
