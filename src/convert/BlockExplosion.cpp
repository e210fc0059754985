#include "convert/BlockExplosion.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "geometry/Placement.h"

namespace orvik {
namespace {

// Appends each insertion's elements, placed, to the exploded drawing.
class Exploder {
public:
    Exploder(ExplodedDrawing& out, const std::vector<Block>& blocks) : out_(out), d_(out.drawing), blocks_(blocks) {}

    void Insert(const BlockInsert& insert, const Placement& outer, int depth) {
        if (insert.block >= blocks_.size() || depth >= kBlockNestingLimit) {
            ++out_.insertsLeftOut;
            return;
        }
        const Block& b = blocks_[insert.block];
        const std::int64_t elements =
            static_cast<std::int64_t>(b.lines.size() + b.arcs.size() + b.texts.size() + b.points.size() +
                                      b.virtualPoints.size() + b.solids.size() + b.inserts.size());
        if (placed_ + elements > kElementsFromBlocksLimit) {
            ++out_.insertsLeftOut;
            return;
        }
        placed_ += elements;
        const Placement at =
            outer.Then(Placement::Of(insert.x, insert.y, insert.scaleX, insert.scaleY, insert.rotation));
        for (DrawingLine l : b.lines) {
            std::tie(l.x1, l.y1) = Pair(at(l.x1, l.y1));
            std::tie(l.x2, l.y2) = Pair(at(l.x2, l.y2));
            d_.lines.push_back(l);
        }
        for (DrawingArc a : b.arcs) {
            const EllipseArc e = at.Place({a.cx, a.cy, a.radius, a.flatness, a.startAngle, a.endAngle, a.tilt});
            a.cx = e.cx, a.cy = e.cy, a.radius = e.radius, a.flatness = e.flatness;
            a.startAngle = e.startAngle, a.endAngle = e.endAngle, a.tilt = e.tilt;
            d_.arcs.push_back(a);
        }
        for (DrawingText t : b.texts) {
            std::tie(t.x1, t.y1) = Pair(at(t.x1, t.y1));
            std::tie(t.x2, t.y2) = Pair(at(t.x2, t.y2));
            if (t.width >= 0) t.width *= at.ScaleOfX();
            if (t.height >= 0) t.height *= at.ScaleOfY();
            d_.texts.push_back(std::move(t));
        }
        for (DrawingPoint p : b.points) {
            std::tie(p.x, p.y) = Pair(at(p.x, p.y));
            d_.points.push_back(p);
        }
        for (VirtualPoint p : b.virtualPoints) {
            std::tie(p.x, p.y) = Pair(at(p.x, p.y));
            d_.virtualPoints.push_back(p);
        }
        for (DrawingSolid s : b.solids) {
            for (std::array<double, 2>* p : {&s.p1, &s.p2, &s.p3, &s.p4}) *p = at((*p)[0], (*p)[1]);
            d_.solids.push_back(s);
        }
        for (const BlockInsert& inner : b.inserts) Insert(inner, at, depth + 1);
    }

private:
    static std::pair<double, double> Pair(const std::array<double, 2>& p) { return {p[0], p[1]}; }

    ExplodedDrawing& out_;
    Drawing& d_;
    const std::vector<Block>& blocks_;
    std::int64_t placed_ = 0;
};

}  // namespace

ExplodedDrawing ExplodeBlocks(const Drawing& drawing) {
    // Everything the drawing holds (its paper, tables, colours of its own,
    // elements), without blocks and insertions; placed elements follow its own.
    ExplodedDrawing out{drawing};
    Drawing& d = out.drawing;
    std::vector<Block>().swap(d.blocks);
    std::vector<BlockInsert>().swap(d.inserts);
    Exploder exploder(out, drawing.blocks);
    for (const BlockInsert& insert : drawing.inserts) exploder.Insert(insert, Placement{}, 0);
    return out;
}

}  // namespace orvik
