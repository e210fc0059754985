#include "convert/EntitySection.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "convert/EntityWriters.h"
#include "numeric/Extended.h"
#include "output/OrderedChunks.h"

namespace orvik {
namespace {

// Curve-run marks in the top two bits of DrawingLine::curveMark.
constexpr std::uint8_t kCurveBits = 192;
constexpr std::uint8_t kCurveFirst = 64, kCurveMiddle = 128, kCurveLast = 192;

// Records per chunk when the section is formatted on several threads: a
// few megabytes of text each.
constexpr std::size_t kChunkRecords = 4096;

// A line of length 0 is not written.
bool IsDrawn(const DrawingLine& s) { return !(s.x1 == s.x2 && s.y1 == s.y2); }

enum class RecordKind { Lines, Arcs, Texts, VirtualPoints, RealPoints, Solids, Inserts };

// The lists of one set of elements: the drawing's own or a block's.
struct ElementLists {
    std::span<const DrawingLine> lines;
    std::span<const DrawingArc> arcs;
    std::span<const DrawingText> texts;
    std::span<const VirtualPoint> virtualPoints;
    std::span<const DrawingPoint> points;
    std::span<const DrawingSolid> solids;
    std::span<const BlockInsert> inserts;
};

template <class Set>
ElementLists ListsOf(const Set& s) {
    return {s.lines, s.arcs, s.texts, s.virtualPoints, s.points, s.solids, s.inserts};
}

// Records [begin, end) of one kind's list.
struct RecordRange {
    RecordKind kind;
    std::size_t begin, end;
};

// Stands in for EntityWriters to count the handles records take.
struct HandleTally {
    OutputFormat format;
    std::int64_t handles = 0;
    template <class... Args>
    void WriteLine(const Args&...) {
        handles += 1;
    }
    template <class... Args>
    void WriteCurveStart(const Args&...) {
        handles += WritesLightPolylines(format) ? 1 : kCurveStartHandles;
    }
    template <class... Args>
    void WriteCurveVertex(const Args&...) {
        handles += WritesLightPolylines(format) ? 0 : 1;
    }
    template <class... Args>
    void WriteCurveEnd(const Args&...) {
        handles += WritesLightPolylines(format) ? 0 : kCurveEndHandles;
    }
    template <class... Args>
    void WriteSequenceEnd(const Args&...) {
        handles += WritesLightPolylines(format) ? 0 : 1;
    }
    template <class... Args>
    void WriteCircleArcOrEllipse(const Args&...) {
        handles += 1;
    }
    template <class... Args>
    void WriteText(std::string_view text, bool vertical, const Args&...) {
        handles += static_cast<std::int64_t>(TextRecordCount(text, vertical, format));
    }
    template <class... Args>
    void WritePoint(const Args&...) {
        handles += 1;
    }
    template <class... Args>
    void WriteFilledPoint(const Args&...) {
        handles += kFilledPointHandles;
    }
    template <class... Args>
    void WriteCircle(const Args&...) {
        handles += 1;
    }
    template <class... Args>
    void WriteSolid(const Args&...) {
        handles += 1;
    }
    template <class... Args>
    void WriteInsert(const Args&...) {
        handles += 1;
    }
};

// The loops over the drawing's records, writing through `Records`
// (EntityWriters, or a HandleTally that only counts).
template <class Records>
class EntityLoops {
public:
    EntityLoops(Records& e, const EntityInputs& in, const ElementLists& lists, const CoordinateMapping& map)
        : in_(in), d_(lists), e_(e), map_(map) {}

    void Run(RecordRange r) {
        switch (r.kind) {
            case RecordKind::Lines: Lines(r.begin, r.end); break;
            case RecordKind::Arcs: Arcs(r.begin, r.end); break;
            case RecordKind::Texts: Texts(r.begin, r.end); break;
            case RecordKind::VirtualPoints: VirtualPoints(r.begin, r.end); break;
            case RecordKind::RealPoints: RealPoints(r.begin, r.end); break;
            case RecordKind::Solids: Solids(r.begin, r.end); break;
            case RecordKind::Inserts: Inserts(r.begin, r.end); break;
        }
    }

private:
    Extended X(Extended v) const { return map_.X(v); }
    Extended Y(Extended v) const { return map_.Y(v); }
    Extended R(Extended v) const { return map_.R(v); }

    void Line(const DrawingLine& s) { e_.WriteLine(s.lineType, s.pen, s.layer, X(s.x1), Y(s.y1), X(s.x2), Y(s.y2)); }

    // A range ends with its open curve run closed: ranges start only where a
    // run cannot continue (see ChunkMayStartAt).
    void Lines(std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            const DrawingLine& s = d_.lines[i];
            if (!IsDrawn(s)) continue;
            if (in_.settings.curvesAsPolylines)
                CurvePiece(i);
            else
                Line(s);
        }
        if (chainOpen_) CloseChain(end);
    }

    // Joins curve runs (first, middle..., last) into POLYLINEs while their
    // segments meet exactly after mapping.
    void CurvePiece(std::size_t i) {
        const DrawingLine& s = d_.lines[i];
        const std::uint8_t mark = s.curveMark & kCurveBits;
        const bool continuous = chainOpen_ && X(s.x1) == chainEndX_ && Y(s.y1) == chainEndY_;
        if (chainOpen_ && (mark == 0 || mark == kCurveFirst || !continuous)) CloseChain(i);
        switch (mark) {
            case 0: Line(s); break;
            case kCurveFirst: StartChain(s); break;
            case kCurveMiddle:
                if (chainOpen_) {
                    chainEndX_ = X(s.x2);
                    chainEndY_ = Y(s.y2);
                    e_.WriteCurveVertex(s.lineType, s.pen, s.layer, chainEndX_, chainEndY_);
                } else {
                    StartChain(s);
                }
                break;
            case kCurveLast:
                if (chainOpen_) {
                    e_.WriteCurveEnd(s.lineType, s.pen, s.layer, X(s.x2), Y(s.y2));
                    chainOpen_ = false;
                } else {
                    Line(s);
                }
                break;
        }
    }

    void StartChain(const DrawingLine& s) {
        chainEndX_ = X(s.x2);
        chainEndY_ = Y(s.y2);
        e_.WriteCurveStart(s.lineType, s.pen, s.layer, X(s.x1), Y(s.y1), chainEndX_, chainEndY_);
        chainOpen_ = true;
    }

    // The SEQEND takes the attributes of the line record stored just before
    // line `next` (the last record at the end of the list).
    void CloseChain(std::size_t next) {
        const DrawingLine& before = d_.lines[next - 1];
        e_.WriteSequenceEnd(before.lineType, before.pen, before.layer);
        chainOpen_ = false;
    }

    void Arcs(std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            const DrawingArc& a = d_.arcs[i];
            if (a.radius == 0) continue;
            e_.WriteCircleArcOrEllipse(a.lineType, a.pen, a.layer, X(a.cx), Y(a.cy), R(a.radius), a.flatness,
                                       a.startAngle, a.endAngle, a.tilt);
        }
    }

    void Texts(std::size_t begin, std::size_t end) {
        const Extended scale = in_.result.referenceScale;
        for (std::size_t i = begin; i < end; ++i) {
            const DrawingText& m = d_.texts[i];
            if (m.text.empty()) continue;
            // Types beyond the table read as its last, all-zero entry.
            const TextType& type = in_.drawing.textTypes[m.textType < kTextTypeSlots ? m.textType : kTextTypeSlots - 1];
            // A text type's sizes are tenths of a millimetre on paper; a text's own, millimetres.
            const Extended width = m.width >= 0 ? m.width * scale : type.width * scale / 10;
            const Extended height = m.height >= 0 ? m.height * scale : type.height * scale / 10;
            const Extended x1 = X(m.x1), y1 = Y(m.y1);
            const auto dx = static_cast<double>(X(m.x2) - x1), dy = static_cast<double>(Y(m.y2) - y1);
            e_.WriteText(m.text, m.vertical, m.italic, in_.result.fontStyles.NameOf(m), type.attribute, m.pen, m.layer,
                         x1, y1, static_cast<Extended>(m.x2) - m.x1, static_cast<Extended>(m.y2) - m.y1, width, height,
                         static_cast<Extended>(std::sqrt(dx * dx + dy * dy)));
        }
    }

    void VirtualPoints(std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i)
            e_.WritePoint(-1, kDefpointsLayer, X(d_.virtualPoints[i].x), Y(d_.virtualPoints[i].y));
    }

    void RealPoints(std::size_t begin, std::size_t end) {
        const Extended size = in_.result.referenceScale * in_.settings.pointRadiusMm;
        for (std::size_t i = begin; i < end; ++i) {
            const DrawingPoint& t = d_.points[i];
            switch (in_.settings.pointMode) {
                case PointMode::FilledCircle: e_.WriteFilledPoint(t.pen, t.layer, X(t.x), Y(t.y), size); break;
                case PointMode::Circle: e_.WriteCircle(1, t.pen, t.layer, X(t.x), Y(t.y), size, true); break;
                case PointMode::Point: e_.WritePoint(t.pen, t.layer, X(t.x), Y(t.y)); break;
                default: break;
            }
        }
    }

    void Solids(std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            const DrawingSolid& s = d_.solids[i];
            std::array<std::array<Extended, 2>, 4> corners{};
            const std::array<double, 2>* points[] = {&s.p1, &s.p2, &s.p3, &s.p4};
            for (std::size_t k = 0; k < 4; ++k) corners[k] = {X((*points[k])[0]), Y((*points[k])[1])};
            e_.WriteSolid(s.pen, s.layer, corners);
        }
    }

    void Inserts(std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            const BlockInsert& n = d_.inserts[i];
            e_.WriteInsert(in_.result.blockNames[n.block], n.pen, n.layer, X(n.x), Y(n.y), n.scaleX, n.scaleY,
                           n.rotation);
        }
    }

    const EntityInputs& in_;
    const ElementLists& d_;
    Records& e_;
    const CoordinateMapping& map_;
    bool chainOpen_ = false;
    Extended chainEndX_ = 0, chainEndY_ = 0;
};

// Each kind's whole list, in the order the section holds them.
std::vector<RecordRange> WholeLists(const ElementLists& d) {
    return {{RecordKind::Lines, 0, d.lines.size()},       {RecordKind::Arcs, 0, d.arcs.size()},
            {RecordKind::Texts, 0, d.texts.size()},       {RecordKind::VirtualPoints, 0, d.virtualPoints.size()},
            {RecordKind::RealPoints, 0, d.points.size()}, {RecordKind::Solids, 0, d.solids.size()},
            {RecordKind::Inserts, 0, d.inserts.size()}};
}

// Where a chunk of lines may start: anywhere, unless curve runs become
// polylines; then only at a line that is drawn and cannot continue a run
// (no curve mark, or the first of a run), so a run never spans two chunks.
bool ChunkMayStartAt(const ElementLists& d, bool curvesAsPolylines, std::size_t i) {
    if (!curvesAsPolylines) return true;
    const DrawingLine& s = d.lines[i];
    const std::uint8_t mark = s.curveMark & kCurveBits;
    return IsDrawn(s) && (mark == 0 || mark == kCurveFirst);
}

// The lists cut into chunks of about kChunkRecords records.
std::vector<RecordRange> Chunks(const std::vector<RecordRange>& lists, const ElementLists& d, bool curvesAsPolylines) {
    std::vector<RecordRange> chunks;
    for (const RecordRange& list : lists) {
        std::size_t begin = list.begin;
        while (begin < list.end) {
            std::size_t end = std::min(list.end, begin + kChunkRecords);
            if (list.kind == RecordKind::Lines)
                while (end < list.end && !ChunkMayStartAt(d, curvesAsPolylines, end)) ++end;
            chunks.push_back({list.kind, begin, end});
            begin = end;
        }
    }
    return chunks;
}

}  // namespace

void WriteEntities(DxfWriter& w, const EntityInputs& in, int workers) {
    const CoordinateMapping map = in.scales.MappingFor(static_cast<float>(in.result.referenceScale), in.paperFactor);
    const ElementLists elements = ListsOf(in.drawing);
    const std::vector<RecordRange> lists = WholeLists(elements);
    std::size_t records = 0;
    for (const RecordRange& list : lists) records += list.end - list.begin;
    // A small drawing is written sooner than threads start.
    if (workers <= 1 || records < 2 * kChunkRecords) {
        EntityWriters e(w, in.result.layers, in.settings, EntityWriters::kModelSpace, in.result.referenceScale);
        EntityLoops<EntityWriters> loops(e, in, elements, map);
        for (const RecordRange& list : lists) loops.Run(list);
        return;
    }
    const std::vector<RecordRange> chunks = Chunks(lists, elements, in.settings.curvesAsPolylines);
    // Each chunk's handles follow those of the chunks before it.
    std::vector<std::int32_t> lastHandleBefore(chunks.size() + 1, w.LastHandle());
    for (std::size_t k = 0; k < chunks.size(); ++k) {
        HandleTally tally{in.settings.outputFormat};
        EntityLoops<HandleTally>(tally, in, elements, map).Run(chunks[k]);
        lastHandleBefore[k + 1] = lastHandleBefore[k] + static_cast<std::int32_t>(tally.handles);
    }
    MakeChunksInOrder(
        chunks.size(), workers,
        [&](std::size_t k, std::string& text) {
            DxfWriter part(nullptr, w.Encoding(), lastHandleBefore[k], std::move(text), w.Groups());
            EntityWriters e(part, in.result.layers, in.settings, EntityWriters::kModelSpace, in.result.referenceScale);
            EntityLoops<EntityWriters>(e, in, elements, map).Run(chunks[k]);
            text = part.TakeText();
        },
        [&](std::size_t k, const std::string& text) { w.AppendPart(text, lastHandleBefore[k + 1]); });
}

void WriteBlockEntities(DxfWriter& w, const EntityInputs& in, const Block& block, std::int32_t owner) {
    const CoordinateMapping map =
        in.scales.LinearMappingFor(static_cast<float>(in.result.referenceScale), in.paperFactor);
    const ElementLists elements = ListsOf(block);
    EntityWriters e(w, in.result.layers, in.settings, owner, in.result.referenceScale);
    EntityLoops<EntityWriters> loops(e, in, elements, map);
    for (const RecordRange& list : WholeLists(elements)) loops.Run(list);
}

}  // namespace orvik
