#include "dxf/DxfSheet.h"

#include <algorithm>
#include <cmath>

#include "dxf/PaperSizes.h"

namespace orvik {
namespace {

constexpr double kUsedPart = 0.9;  // of the paper the drawing may take
constexpr std::int32_t kA3 = 3;
// Paper codes from the smallest: A4 ... A0, 2A ... 5A.
constexpr std::int32_t kPapersBySize[] = {4, 3, 2, 1, 0, 8, 9, 10, 11};

struct Extents {
    double minX = HUGE_VAL, minY = HUGE_VAL, maxX = -HUGE_VAL, maxY = -HUGE_VAL;
    void Add(double x, double y) {
        if (!std::isfinite(x) || !std::isfinite(y)) return;
        minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
    void Add(const Extents& e, double dx, double dy) {
        if (e.Empty()) return;
        Add(e.minX + dx, e.minY + dy);
        Add(e.maxX + dx, e.maxY + dy);
    }
    bool Empty() const { return !(minX <= maxX); }
};

// The extents of a set's own elements (an insertion counts as its place,
// with the reach of its block's extents at the insertion's largest scale).
Extents ExtentsOf(const ElementSet& set, const std::vector<Extents>& blocks) {
    Extents e;
    for (const DrawingLine& l : set.lines) e.Add(l.x1, l.y1), e.Add(l.x2, l.y2);
    for (const DrawingArc& a : set.arcs) {
        const double r = a.radius * std::max(1.0, std::fabs(a.flatness));
        e.Add(a.cx - r, a.cy - r), e.Add(a.cx + r, a.cy + r);
    }
    for (const DrawingText& t : set.texts) e.Add(t.x1, t.y1), e.Add(t.x2, t.y2);
    for (const DrawingPoint& p : set.points) e.Add(p.x, p.y);
    for (const DrawingSolid& s : set.solids)
        for (const auto* p : {&s.p1, &s.p2, &s.p3, &s.p4}) e.Add((*p)[0], (*p)[1]);
    for (const BlockInsert& i : set.inserts) {
        e.Add(i.x, i.y);
        if (i.block >= blocks.size() || blocks[i.block].Empty()) continue;
        const Extents& b = blocks[i.block];
        const double reach = std::max(std::fabs(i.scaleX), std::fabs(i.scaleY)) *
                             std::max({std::fabs(b.minX), std::fabs(b.maxX), std::fabs(b.minY), std::fabs(b.maxY)});
        e.Add(i.x - reach, i.y - reach), e.Add(i.x + reach, i.y + reach);
    }
    return e;
}

bool Fits(const Extents& e, double scale, std::int32_t paper) {
    const auto sides = PaperSides(paper);
    const double w = (e.maxX - e.minX) / scale, h = (e.maxY - e.minY) / scale;
    return w <= sides->first * kUsedPart && h <= sides->second * kUsedPart;
}

// The drawing stays where it is when it lies on the paper so (the paper's
// centre is JW_CAD's origin); else its centre goes to the paper's centre.
Sheet Centred(Sheet sheet, const Extents& e) {
    if (e.Empty()) return sheet;
    const auto sides = PaperSides(sheet.paper);
    const double halfW = sides->first / 2 * sheet.scale, halfH = sides->second / 2 * sheet.scale;
    if (e.minX >= -halfW && e.maxX <= halfW && e.minY >= -halfH && e.maxY <= halfH) return sheet;
    sheet.originX = std::round((e.minX + e.maxX) / 2);
    sheet.originY = std::round((e.minY + e.maxY) / 2);
    return sheet;
}

}  // namespace

const std::vector<double>& StandardScales() {
    static const std::vector<double> scales = [] {
        std::vector<double> s = {1, 2, 5, 10, 20, 30, 50, 100, 200, 300, 500};
        for (double decade = 1000; decade <= 1e6; decade *= 10)
            for (const double step : {1.0, 2.0, 5.0}) s.push_back(decade * step);
        s.erase(std::remove_if(s.begin(), s.end(), [](double v) { return v > 1e6; }), s.end());
        return s;
    }();
    return scales;
}

std::optional<std::pair<double, double>> PaperSides(std::int32_t paper) {
    const PaperSheet* sheet = FindPaperSheet(paper);
    if (!sheet) return std::nullopt;
    return std::pair(static_cast<double>(sheet->width), static_cast<double>(sheet->height));
}

Sheet ChooseSheet(const Drawing& drawing, const SheetChoice& choice) {
    std::vector<Extents> blocks;
    for (const Block& b : drawing.blocks) blocks.push_back(ExtentsOf(b, blocks));
    const Extents e = ExtentsOf(drawing, blocks);
    Sheet sheet;
    sheet.paper = choice.paper && PaperSides(*choice.paper) ? *choice.paper : kA3;
    const std::vector<double>& scales = StandardScales();
    if (choice.scale) {
        sheet.scale = *choice.scale;
        if (!choice.paper && !e.Empty()) {
            const auto fits = std::find_if(std::begin(kPapersBySize), std::end(kPapersBySize),
                                           [&](std::int32_t p) { return Fits(e, sheet.scale, p); });
            sheet.paper = fits == std::end(kPapersBySize) ? kA3 : *fits;
        }
        return Centred(sheet, e);
    }
    if (e.Empty()) return sheet;
    const auto smallest = [&](std::int32_t paper) {
        return std::find_if(scales.begin(), scales.end(), [&](double s) { return Fits(e, s, paper); });
    };
    auto scale = smallest(sheet.paper);
    if (scale == scales.end() && !choice.paper)
        for (const std::int32_t paper : kPapersBySize)
            if (PaperSides(paper)->first > PaperSides(sheet.paper)->first &&
                (scale = smallest(paper)) != scales.end()) {
                sheet.paper = paper;
                break;
            }
    sheet.scale = scale == scales.end() ? scales.back() : *scale;
    return Centred(sheet, e);
}

void MoveAndDivide(ElementSet& set, double dx, double dy, double divisor) {
    const auto x = [&](double v) { return (v - dx) / divisor; };
    const auto y = [&](double v) { return (v - dy) / divisor; };
    for (DrawingLine& l : set.lines) l.x1 = x(l.x1), l.y1 = y(l.y1), l.x2 = x(l.x2), l.y2 = y(l.y2);
    for (DrawingArc& a : set.arcs) a.cx = x(a.cx), a.cy = y(a.cy), a.radius /= divisor;
    for (DrawingText& t : set.texts) {
        t.x1 = x(t.x1), t.y1 = y(t.y1), t.x2 = x(t.x2), t.y2 = y(t.y2);
        if (t.width >= 0) t.width /= divisor;
        if (t.height >= 0) t.height /= divisor;
    }
    for (DrawingPoint& p : set.points) p.x = x(p.x), p.y = y(p.y);
    for (VirtualPoint& p : set.virtualPoints) p.x = x(p.x), p.y = y(p.y);
    for (DrawingSolid& s : set.solids)
        for (auto* p : {&s.p1, &s.p2, &s.p3, &s.p4}) (*p)[0] = x((*p)[0]), (*p)[1] = y((*p)[1]);
    for (BlockInsert& i : set.inserts) i.x = x(i.x), i.y = y(i.y);
}

void PutOnSheet(Drawing& drawing, const Sheet& sheet) {
    MoveAndDivide(drawing, sheet.originX, sheet.originY, sheet.scale);
    for (Block& b : drawing.blocks) MoveAndDivide(b, 0, 0, sheet.scale);
    for (DefinedLinetype& t : drawing.extraLinetypes)
        for (double& v : t.pattern) v /= sheet.scale;
    for (LayerGroup& g : drawing.layerGroups) g.scale = static_cast<float>(sheet.scale);
    drawing.units = DrawingUnits::PaperMillimetres;
    drawing.paper.size = sheet.paper;
}

}  // namespace orvik
