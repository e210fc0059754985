#include "dxf/DxfEntities.h"

#include <algorithm>
#include <cmath>

#include "dxf/DxfGeometry.h"
#include "geometry/Trigonometry.h"

namespace orvik {
namespace {

// Past this magnitude (millimetres) a number means no real drawing.
constexpr double kFarthest = 1e15;
constexpr double kLineSpacing = 5.0 / 3.0;  // MTEXT's line pitch, in text heights
// A JW_CAD text's height (its characters' cell) per DXF text height: the
// inverse of the 90 % ORVIK's DXF files give JW_CAD's texts.
constexpr double kCellPerHeight = 10.0 / 9.0;
// What entities may add beyond one element each (a spline's lines, a
// MINSERT's copies) in one file: past it they are left out, so that a small
// file cannot make the reader hold gigabytes.
constexpr std::int64_t kMostAdded = 20'000'000;

double Degrees(double radians) { return static_cast<double>(Extended(radians) * 180 / kPi); }

// The text's width in full-width characters (a single-byte one is half).
double Ems(const std::string& cp932) {
    double ems = 0;
    for (std::size_t i = 0; i < cp932.size(); ++i) {
        const auto b = static_cast<unsigned char>(cp932[i]);
        const bool lead = ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) && i + 1 < cp932.size();
        ems += lead ? 1 : 0.5;
        i += lead ? 1 : 0;
    }
    return ems;
}

// The sizes of every list of a set, to take back an entity that proved broken.
struct Sizes {
    explicit Sizes(const ElementSet& s)
        : lines(s.lines.size()),
          arcs(s.arcs.size()),
          texts(s.texts.size()),
          points(s.points.size()),
          virtualPoints(s.virtualPoints.size()),
          solids(s.solids.size()),
          inserts(s.inserts.size()) {}
    void Restore(ElementSet& s) const {
        s.lines.resize(lines), s.arcs.resize(arcs), s.texts.resize(texts), s.points.resize(points);
        s.virtualPoints.resize(virtualPoints), s.solids.resize(solids), s.inserts.resize(inserts);
    }
    std::size_t lines, arcs, texts, points, virtualPoints, solids, inserts;
};

}  // namespace

// An entity's groups by code: the first of each, numbers checked.
class DxfEntities::Fields {
public:
    Fields(DxfGroups groups, double unit) : groups_(groups), unit_(unit) { mirror_ = Real(230, 1) < 0; }

    DxfGroups All() const { return groups_; }
    bool Has(int code) const { return Find(code) != nullptr; }
    std::string_view Text(int code) const {
        const DxfGroup* g = Find(code);
        return g ? std::string_view(g->value) : std::string_view();
    }
    double Real(int code, double fallback = 0) const { return Number(Find(code), fallback); }
    double Number(const DxfGroup* g, double fallback) const {
        double v = fallback;
        if (g && !DxfReal(g->value, v)) broken_ = true;
        if (!(std::fabs(v) <= kFarthest)) broken_ = true;
        return std::isfinite(v) ? v : fallback;
    }
    std::int64_t Int(int code, std::int64_t fallback = 0) const {
        const DxfGroup* g = Find(code);
        std::int64_t v = fallback;
        if (g && !DxfInteger(g->value, v)) {
            double real = 0;
            if (DxfReal(g->value, real) && std::fabs(real) < 1e9)
                v = static_cast<std::int64_t>(real);
            else
                broken_ = true;
        }
        return v;
    }
    // A length or coordinate in millimetres; x mirrored in an entity seen from below.
    double Length(int code, double fallback = 0) const { return Checked(Real(code, fallback) * unit_); }
    double X(int code) const { return (mirror_ ? -1 : 1) * Length(code); }
    double Y(int code) const { return Length(code); }
    double Checked(double v) const {
        if (!(std::fabs(v) <= kFarthest)) broken_ = true;
        return v;
    }
    bool Mirror() const { return mirror_; }
    bool Broken() const { return broken_; }
    void Break() const { broken_ = true; }

private:
    const DxfGroup* Find(int code) const {
        for (const DxfGroup& g : groups_)
            if (g.code == code) return &g;
        return nullptr;
    }

    DxfGroups groups_;
    double unit_;
    bool mirror_ = false;
    mutable bool broken_ = false;
};

void DxfEntities::Add(const DxfEntity& entity, ElementSet& set) {
    const Fields f(entity.groups, unit_);
    if (f.Int(67) == 1) {
        ++leftOut_.paperSpace;
        return;
    }
    const Sizes before(set);
    const std::size_t drawingsBefore = drawings_.size();
    const std::string& t = entity.type;
    if (t == "LINE")
        Line(f, set);
    else if (t == "CIRCLE")
        Circle(f, set, false);
    else if (t == "ARC")
        Circle(f, set, true);
    else if (t == "ELLIPSE")
        Ellipse(f, set);
    else if (t == "POINT")
        Point(f, set);
    else if (t == "TEXT")
        Text(f, set, false);
    else if (t == "ATTRIB")
        Text(f, set, true);
    else if (t == "MTEXT")
        Mtext(f, set);
    else if (t == "SOLID" || t == "TRACE")
        Solid(f, set);
    else if (t == "3DFACE")
        Face(f, set);
    else if (t == "LWPOLYLINE")
        Lwpolyline(f, set);
    else if (t == "POLYLINE")
        Polyline(f, entity, set);
    else if (t == "SPLINE")
        Spline(f, set);
    else if (t == "HATCH")
        Hatch(f, set);
    else if (t == "INSERT")
        Insert(f, entity, set);
    else if (t == "DIMENSION")
        BlockDrawing(f, set);
    else if (t == "LEADER")
        Leader(f, set);
    else
        LeaveOut(t);
    if (f.Broken()) {
        before.Restore(set);
        drawings_.resize(drawingsBefore);
        ++leftOut_.broken;
    }
}

DxfProperties DxfEntities::Properties(const Fields& f) {
    DxfProperties p;
    if (f.Has(8)) p.layer = text_.Name(f.Text(8));
    p.linetype = UpperName(text_.Name(f.Text(6)));
    p.color = static_cast<int>(f.Int(62, 256));
    if (f.Has(420)) p.trueColor = static_cast<std::uint32_t>(f.Int(420)) & 0xFFFFFF;
    p.linetypeScale = f.Real(48, 1);
    return p;
}

void DxfEntities::Line(const Fields& f, ElementSet& set) {
    const DxfStyle s = styles_.Of(Properties(f));
    set.lines.push_back({f.X(10), f.Y(20), f.X(11), f.Y(21), s.lineType, s.pen, s.layer, 0});
}

void DxfEntities::Circle(const Fields& f, ElementSet& set, bool arc) {
    const DxfStyle s = styles_.Of(Properties(f));
    DrawingArc a{f.X(10), f.Y(20), f.Length(40), 1, 0, 0, 0, s.lineType, s.pen, s.layer};
    if (arc) {
        const double start = f.Real(50), end = f.Real(51);
        a.startAngle = f.Mirror() ? 180 - end : start;
        a.endAngle = f.Mirror() ? 180 - start : end;
        if (a.startAngle == a.endAngle) a.endAngle += 360;  // a zero sweep is no whole circle
    }
    set.arcs.push_back(a);
}

void DxfEntities::Ellipse(const Fields& f, ElementSet& set) {
    const DxfStyle s = styles_.Of(Properties(f));
    // The centre and axis are in world coordinates; seen from below, the
    // parameter runs the other way.
    const double mx = f.Length(11), my = f.Length(21);
    double start = f.Real(41), end = f.Real(42, 2 * std::numbers::pi);
    if (f.Mirror()) std::tie(start, end) = std::pair(-end, -start);
    DrawingArc a{
        f.Length(10), f.Length(20), std::sqrt(mx * mx + my * my), f.Real(40, 1), 0, 0, DirectionOf(mx, my), s.lineType,
        s.pen,        s.layer};
    if (std::fabs(end - start) < 2 * std::numbers::pi - 1e-12) {
        a.startAngle = Degrees(start);
        a.endAngle = Degrees(end);
        if (a.startAngle == a.endAngle) a.endAngle += 360;
    }
    set.arcs.push_back(a);
}

// A point on DEFPOINTS (where ORVIK writes JW_CAD's virtual points, and
// AutoCAD its dimensions' definition points) is a virtual point.
void DxfEntities::Point(const Fields& f, ElementSet& set) {
    const DxfProperties p = Properties(f);
    const DxfStyle s = styles_.Of(p);
    if (UpperName(p.layer) == "DEFPOINTS")
        set.virtualPoints.push_back({f.X(10), f.Y(20), s.layer});
    else
        set.points.push_back({f.X(10), f.Y(20), s.layer, s.pen});
}

void DxfEntities::PlaceText(std::string text, double x, double y, double height, double widthFactor, double angle,
                            int horizontal, int vertical, bool upright, const DxfStyle& style, ElementSet& set) {
    if (text.empty()) return;
    const double width = height * (widthFactor > 0 ? widthFactor : 1), length = Ems(text) * width;
    // The start of the base line from the anchor: left, centre, right (and
    // "middle", both centred); base line, bottom, middle, top.
    const double dx = horizontal == 1 || horizontal == 4 ? -length / 2 : horizontal == 2 ? -length : 0;
    const double dy = horizontal == 4 || vertical == 2 ? -height / 2 : vertical == 3 ? -height : 0;
    const DxfPoint along = CosSinOf(angle);
    DrawingText t;
    t.x1 = x + dx * along.x - dy * along.y;
    t.y1 = y + dx * along.y + dy * along.x;
    const DxfPoint run = upright ? DxfPoint{along.y, -along.x} : along;  // a column runs down
    t.x2 = t.x1 + length * run.x;
    t.y2 = t.y1 + length * run.y;
    t.textType = static_cast<std::uint8_t>(kFileTextTypes);
    t.layer = style.layer;
    t.pen = style.pen;
    t.vertical = upright;
    t.text = std::move(text);
    t.width = width;
    t.height = height * kCellPerHeight;
    t.font = 1;
    set.texts.push_back(std::move(t));
}

void DxfEntities::Text(const Fields& f, ElementSet& set, bool attribute) {
    if (attribute && (f.Int(70) & 1)) return;  // an invisible attribute
    const DxfStyle s = styles_.Of(Properties(f));
    const DxfStyles::TextStyle style = styles_.TextStyleOf(UpperName(text_.Name(f.Text(7))));
    const double height = f.Length(40, textSize_);
    const double factor = f.Real(41, style.widthFactor);
    const double angle = f.Mirror() ? 180 - f.Real(50) : f.Real(50);
    const int horizontal = static_cast<int>(f.Int(72)), vertical = static_cast<int>(f.Int(attribute ? 74 : 73));
    std::string text = text_.Text(f.Text(1));
    const bool aligned = (horizontal == 3 || horizontal == 5) && f.Has(11);
    if (aligned) {  // between the two points: the characters span them
        const double x1 = f.X(10), y1 = f.Y(20), x2 = f.X(11), y2 = f.Y(21), ems = Ems(text);
        const double span = std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
        const double width = ems > 0 ? span / ems : height;  // each full-width character's
        // Aligned keeps the characters' proportions, fit the height.
        const double h = horizontal == 3 ? width / (factor > 0 ? factor : 1) : height;
        if (!(h > 0)) return;
        PlaceText(std::move(text), x1, y1, h, width / h, DirectionOf(x2 - x1, y2 - y1), 0, 0, style.vertical, s, set);
        return;
    }
    const bool anchored = (horizontal != 0 || vertical != 0) && f.Has(11);
    PlaceText(std::move(text), anchored ? f.X(11) : f.X(10), anchored ? f.Y(21) : f.Y(20), height, factor, angle,
              horizontal, vertical, style.vertical, s, set);
}

void DxfEntities::Mtext(const Fields& f, ElementSet& set) {
    const DxfStyle s = styles_.Of(Properties(f));
    const DxfStyles::TextStyle style = styles_.TextStyleOf(UpperName(text_.Name(f.Text(7))));
    std::string raw;
    for (const DxfGroup& g : f.All())
        if (g.code == 3) raw += g.value;
    raw += f.Text(1);
    const std::vector<std::string> lines = text_.MtextLines(raw);
    const double height = f.Length(40, textSize_);
    // The direction: the x-axis vector, else the rotation (in degrees, as AutoCAD writes it).
    double angle = f.Has(11) ? DirectionOf(f.Real(11), f.Real(21)) : f.Real(50);
    if (f.Mirror()) angle = 180 - angle;
    const int attachment = std::clamp(static_cast<int>(f.Int(71, 1)), 1, 9);
    const int row = (attachment - 1) / 3, column = (attachment - 1) % 3;
    const double pitch = height * kLineSpacing * f.Real(44, 1);
    const double total = height + pitch * static_cast<double>(lines.size() - 1);
    const double top = row == 0 ? 0 : row == 1 ? total / 2 : total;  // the first line's top above the insertion point
    const DxfPoint along = CosSinOf(angle);
    const double x = f.X(10), y = f.Y(20);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const double down = top - height - pitch * static_cast<double>(i);
        PlaceText(lines[i], x - down * along.y, y + down * along.x, height, style.widthFactor, angle, column, 0,
                  style.vertical || f.Int(72) == 3, s, set);
    }
}

void DxfEntities::Solid(const Fields& f, ElementSet& set) {
    const DxfStyle s = styles_.Of(Properties(f));
    // DXF takes the third and fourth corners crosswise: round the area, 1 2 4 3.
    const std::array<double, 2> p1{f.X(10), f.Y(20)}, p2{f.X(11), f.Y(21)}, p3{f.X(12), f.Y(22)};
    const std::array<double, 2> p4 = f.Has(13) ? std::array<double, 2>{f.X(13), f.Y(23)} : p3;
    set.solids.push_back({p1, p2, p4, p3, s.pen, s.layer});
}

void DxfEntities::Face(const Fields& f, ElementSet& set) {
    const DxfStyle s = styles_.Of(Properties(f));
    const std::array<DxfPoint, 4> p = {DxfPoint{f.X(10), f.Y(20)}, DxfPoint{f.X(11), f.Y(21)},
                                       DxfPoint{f.X(12), f.Y(22)},
                                       f.Has(13) ? DxfPoint{f.X(13), f.Y(23)} : DxfPoint{f.X(12), f.Y(22)}};
    const std::int64_t hidden = f.Int(70);
    for (std::size_t e = 0; e < 4; ++e) {
        const DxfPoint a = p[e], b = p[(e + 1) % 4];
        if ((hidden >> e & 1) || (a.x == b.x && a.y == b.y)) continue;
        set.lines.push_back({a.x, a.y, b.x, b.y, s.lineType, s.pen, s.layer, 0});
    }
}

void DxfEntities::Segments(const std::vector<Vertex>& v, bool closed, const DxfStyle& s, ElementSet& set) {
    std::size_t runStart = set.lines.size();
    const auto endRun = [&] {
        const std::size_t n = set.lines.size() - runStart;
        if (n >= 2) {
            set.lines[runStart].curveMark = 64;
            for (std::size_t i = runStart + 1; i + 1 < set.lines.size(); ++i) set.lines[i].curveMark = 128;
            set.lines.back().curveMark = 192;
        }
        runStart = set.lines.size();
    };
    const std::size_t segments = v.size() < 2 ? 0 : closed ? v.size() : v.size() - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        const Vertex& a = v[i];
        const Vertex& b = v[(i + 1) % v.size()];
        if (a.bulge != 0) {
            if (const std::optional<DxfArc> arc = BulgeArc({a.x, a.y}, {b.x, b.y}, a.bulge)) {
                endRun();
                set.arcs.push_back(
                    {arc->cx, arc->cy, arc->radius, 1, arc->start, arc->end, 0, s.lineType, s.pen, s.layer});
                if (a.startWidth > 0 || a.endWidth > 0) ++leftOut_.widths;
                continue;
            }
        }
        if (a.x == b.x && a.y == b.y) continue;
        if (a.startWidth > 0 || a.endWidth > 0) {  // a wide segment: the area it covers
            endRun();
            const double dx = b.x - a.x, dy = b.y - a.y, d = std::sqrt(dx * dx + dy * dy);
            const double nx = -dy / d, ny = dx / d, w0 = a.startWidth / 2, w1 = a.endWidth / 2;
            set.solids.push_back({{a.x + nx * w0, a.y + ny * w0},
                                  {a.x - nx * w0, a.y - ny * w0},
                                  {b.x - nx * w1, b.y - ny * w1},
                                  {b.x + nx * w1, b.y + ny * w1},
                                  s.pen,
                                  s.layer});
            runStart = set.lines.size();
            continue;
        }
        set.lines.push_back({a.x, a.y, b.x, b.y, s.lineType, s.pen, s.layer, 0});
    }
    endRun();
}

void DxfEntities::Lwpolyline(const Fields& f, ElementSet& set) {
    const DxfStyle s = styles_.Of(Properties(f));
    const double width = f.Length(43);
    std::vector<Vertex> v;
    for (const DxfGroup& g : f.All()) {
        const double value =
            g.code == 10 || g.code == 20 || g.code == 40 || g.code == 41 || g.code == 42 ? f.Number(&g, 0) : 0;
        if (g.code == 10) v.push_back({(f.Mirror() ? -1 : 1) * f.Checked(value * unit_), 0, 0, width, width});
        if (v.empty()) continue;
        if (g.code == 20) v.back().y = f.Checked(value * unit_);
        if (g.code == 42) v.back().bulge = f.Mirror() ? -value : value;
        if (g.code == 40) v.back().startWidth = value * unit_;
        if (g.code == 41) v.back().endWidth = value * unit_;
    }
    Segments(v, f.Int(70) & 1, s, set);
}

void DxfEntities::Polyline(const Fields& f, const DxfEntity& entity, ElementSet& set) {
    const std::int64_t flags = f.Int(70);
    if (flags & (16 | 64)) return LeaveOut("POLYLINE");  // a mesh or a polyface: a 3D surface
    const DxfStyle s = styles_.Of(Properties(f));
    std::vector<Vertex> v;
    for (const std::vector<DxfGroup>& groups : entity.followers) {
        const Fields vertex(groups, unit_);
        if (vertex.Int(70) & 16) continue;  // a spline's frame point, not on the curve
        v.push_back({(f.Mirror() ? -1 : 1) * vertex.Length(10), vertex.Length(20),
                     (f.Mirror() ? -1 : 1) * vertex.Real(42), vertex.Length(40, f.Length(40)),
                     vertex.Length(41, f.Length(41))});
        if (vertex.Broken()) f.Break();
    }
    Segments(v, flags & 1, s, set);
}

void DxfEntities::Spline(const Fields& f, ElementSet& set) {
    const DxfStyle s = styles_.Of(Properties(f));
    std::vector<double> knots, weights;
    std::vector<DxfPoint> controls, fits;
    for (const DxfGroup& g : f.All()) {
        if (g.code == 40) knots.push_back(f.Number(&g, 0));
        if (g.code == 41) weights.push_back(f.Number(&g, 1));
        if (g.code == 10) controls.push_back({f.Checked(f.Number(&g, 0) * unit_), 0});
        if (g.code == 20 && !controls.empty()) controls.back().y = f.Checked(f.Number(&g, 0) * unit_);
        if (g.code == 11) fits.push_back({f.Checked(f.Number(&g, 0) * unit_), 0});
        if (g.code == 21 && !fits.empty()) fits.back().y = f.Checked(f.Number(&g, 0) * unit_);
    }
    double low = kFarthest, high = -kFarthest;
    for (const DxfPoint& p : controls) low = std::min({low, p.x, p.y}), high = std::max({high, p.x, p.y});
    // Within a ten-thousandth of the spline's size.
    const double tolerance = std::max((high - low) * 1e-4, 1e-9);
    std::vector<DxfPoint> points = SplinePoints(static_cast<int>(f.Int(71, 3)), knots, controls, weights, tolerance);
    if (points.empty() && fits.size() >= 2) {
        points = fits;
        ++leftOut_.curves;
    }
    if (points.size() < 2 || added_ + static_cast<std::int64_t>(points.size()) > kMostAdded) return LeaveOut("SPLINE");
    added_ += static_cast<std::int64_t>(points.size());
    std::vector<Vertex> v;
    for (const DxfPoint& p : points) v.push_back({f.Mirror() ? -p.x : p.x, p.y, 0, 0, 0});
    Segments(v, false, s, set);
}

// A hatch's boundary paths, read in order from its count (91) on: each a
// ring of points, arcs and elliptic arcs through points 5 degrees apart.
class DxfEntities::Boundary {
public:
    Boundary(const Fields& f, double unit) : f_(f), g_(f.All()), unit_(unit) {
        while (k_ < g_.size() && g_[k_].code != 91) ++k_;
    }

    std::vector<std::vector<DxfPoint>> Rings() {
        const auto count = static_cast<std::int64_t>(Take(91));
        std::vector<std::vector<DxfPoint>> rings;
        for (std::int64_t path = 0; path < count && !f_.Broken() && k_ < g_.size(); ++path) {
            std::vector<DxfPoint>& ring = rings.emplace_back();
            if (static_cast<std::int64_t>(Take(92)) & 2)
                PolylinePath(ring);
            else
                EdgePath(ring);
            const auto sources = static_cast<std::int64_t>(Optional(97, 0));
            for (std::int64_t n = 0; n < sources && k_ < g_.size() && g_[k_].code == 330; ++n) ++k_;
        }
        return rings;
    }

private:
    // The next group's number, which must have the code (else the hatch is broken).
    double Take(int code, double fallback = 0) {
        if (k_ < g_.size() && g_[k_].code == code) return f_.Number(&g_[k_++], fallback);
        f_.Break();
        return fallback;
    }
    double Optional(int code, double fallback) {
        return k_ < g_.size() && g_[k_].code == code ? f_.Number(&g_[k_++], fallback) : fallback;
    }
    DxfPoint Point(int xCode) {
        const double x = Take(xCode) * unit_, y = Take(xCode + 10) * unit_;
        return DxfPoint{f_.Checked(f_.Mirror() ? -x : x), f_.Checked(y)};
    }

    // An arc or elliptic arc's points from `from` to `to` degrees (counter-clockwise unless not `ccw`).
    static void Curve(std::vector<DxfPoint>& ring, DxfPoint c, DxfPoint major, double ratio, double from, double to,
                      bool ccw) {
        if (!ccw) std::tie(from, to) = std::pair(-from, -to);
        double sweep = ccw ? to - from : from - to;
        while (sweep <= 0) sweep += 360;
        const int steps = std::clamp(static_cast<int>(sweep / 5) + 1, 8, 360);
        for (int i = 0; i <= steps; ++i) {
            const DxfPoint cs = CosSinOf(from + (ccw ? 1 : -1) * sweep * i / steps);
            ring.push_back(
                {c.x + cs.x * major.x - cs.y * ratio * major.y, c.y + cs.x * major.y + cs.y * ratio * major.x});
        }
    }

    // A polyline path: bulge flag, closed flag, its vertices.
    void PolylinePath(std::vector<DxfPoint>& ring) {
        const bool bulges = Take(72) != 0;
        Take(73);
        std::vector<Vertex> v(static_cast<std::size_t>(std::clamp<double>(Take(93), 0, double(g_.size()))));
        for (Vertex& vertex : v) {
            const DxfPoint p = Point(10);
            vertex = {p.x, p.y, bulges ? Optional(42, 0) * (f_.Mirror() ? -1 : 1) : 0, 0, 0};
        }
        for (std::size_t i = 0; i < v.size(); ++i) {
            const Vertex& a = v[i];
            const Vertex& b = v[(i + 1) % v.size()];
            const std::optional<DxfArc> arc = a.bulge != 0 ? BulgeArc({a.x, a.y}, {b.x, b.y}, a.bulge) : std::nullopt;
            if (!arc) {
                ring.push_back({a.x, a.y});
                continue;
            }
            Curve(ring, {arc->cx, arc->cy}, {arc->radius, 0}, 1, a.bulge > 0 ? arc->start : arc->end,
                  a.bulge > 0 ? arc->end : arc->start, a.bulge > 0);
            ring.pop_back();  // the next vertex begins the next segment
        }
    }

    // An edge path: lines, arcs and elliptic arcs (a spline edge breaks the hatch).
    void EdgePath(std::vector<DxfPoint>& ring) {
        const auto edges = static_cast<std::int64_t>(Take(93));
        for (std::int64_t e = 0; e < edges && !f_.Broken(); ++e) {
            const auto type = static_cast<std::int64_t>(Take(72));
            if (type == 1) {
                ring.push_back(Point(10));
                Point(11);
            } else if (type == 2) {  // an arc: centre, radius, angles
                const DxfPoint c = Point(10);
                const double r = Take(40) * unit_, from = Take(50), to = Take(51);
                Curve(ring, c, {r, 0}, 1, from, to, Take(73, 1) != 0);
            } else if (type == 3) {  // an elliptic arc: centre, major axis end, ratio, angles
                const DxfPoint c = Point(10), major = Point(11);
                const double ratio = Take(40, 1), from = Take(50), to = Take(51);
                Curve(ring, c, major, ratio, from, to, Take(73, 1) != 0);
            } else {
                f_.Break();
            }
        }
    }

    const Fields& f_;
    DxfGroups g_;
    std::size_t k_ = 0;
    double unit_;
};

// A solid-filled hatch as triangles: its largest boundary filled, the
// others left open as holes. A pattern hatch is left out.
void DxfEntities::Hatch(const Fields& f, ElementSet& set) {
    if (f.Int(70) != 1 && UpperName(f.Text(2)) != "SOLID") return LeaveOut("HATCH");
    std::vector<std::vector<DxfPoint>> rings = Boundary(f, unit_).Rings();
    if (f.Broken()) return;
    const std::vector<DxfTriangle> triangles = FillRings(std::move(rings));
    if (triangles.empty()) return LeaveOut("HATCH");
    const DxfStyle s = styles_.Of(Properties(f));
    for (const DxfTriangle& t : triangles)
        set.solids.push_back({{t[0].x, t[0].y}, {t[1].x, t[1].y}, {t[2].x, t[2].y}, {t[2].x, t[2].y}, s.pen, s.layer});
}

void DxfEntities::Insert(const Fields& f, const DxfEntity& entity, ElementSet& set) {
    const DxfStyle s = styles_.Of(Properties(f));
    const std::uint32_t block = blockId_(UpperName(text_.Name(f.Text(2))));
    double rotation = f.Real(50), scaleX = f.Real(41, 1);
    if (f.Mirror()) rotation = -rotation, scaleX = -scaleX;
    const std::int64_t columns = std::max<std::int64_t>(1, f.Int(70, 1)),
                       rows = std::max<std::int64_t>(1, f.Int(71, 1));
    const double columnStep = f.Length(44), rowStep = f.Length(45);
    const DxfPoint along = CosSinOf(rotation);
    if (rows > kMostAdded || columns > kMostAdded || (rows * columns > 1 && added_ + rows * columns > kMostAdded))
        return LeaveOut("INSERT");
    added_ += rows * columns - 1;
    for (std::int64_t r = 0; r < rows; ++r)
        for (std::int64_t c = 0; c < columns; ++c) {
            const double dx = static_cast<double>(c) * columnStep, dy = static_cast<double>(r) * rowStep;
            set.inserts.push_back({f.X(10) + dx * along.x - dy * along.y, f.Y(20) + dx * along.y + dy * along.x, scaleX,
                                   f.Real(42, 1), rotation, block, s.pen, s.layer});
        }
    for (const std::vector<DxfGroup>& attribute : entity.followers) {
        const Fields a(attribute, unit_);
        Text(a, set, true);
        if (a.Broken()) f.Break();
    }
}

// A dimension's drawing is a block of its own in world coordinates: its
// elements take the dimension's place.
void DxfEntities::BlockDrawing(const Fields& f, ElementSet& set) {
    if (f.Text(2).empty()) return LeaveOut("DIMENSION");
    const DxfStyle s = styles_.Of(Properties(f));
    set.inserts.push_back({0, 0, 1, 1, 0, blockId_(UpperName(text_.Name(f.Text(2)))), s.pen, s.layer});
    drawings_.emplace_back(&set, set.inserts.size() - 1);
}

void DxfEntities::Leader(const Fields& f, ElementSet& set) {
    const DxfStyle s = styles_.Of(Properties(f));
    std::vector<Vertex> v;
    for (const DxfGroup& g : f.All()) {
        if (g.code == 10) v.push_back({(f.Mirror() ? -1 : 1) * f.Checked(f.Number(&g, 0) * unit_), 0, 0, 0, 0});
        if (g.code == 20 && !v.empty()) v.back().y = f.Checked(f.Number(&g, 0) * unit_);
    }
    Segments(v, false, s, set);
}

}  // namespace orvik
