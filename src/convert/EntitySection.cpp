#include "convert/EntitySection.h"

#include "convert/EntityWriters.h"

namespace orvik {
namespace {

// JWC curve marks in the top two bits of JwcLine::curveMark.
constexpr std::uint8_t kCurveBits = 192;
constexpr std::uint8_t kCurveFirst = 64, kCurveMiddle = 128, kCurveLast = 192;

class EntityLoops {
public:
    EntityLoops(DxfWriter& w, const EntityInputs& in)
        : in_(in),
          d_(in.drawing),
          e_(w, in.result.layers, in.settings),
          map_(in.scales.MappingFor(static_cast<float>(in.result.referenceScale), in.paperFactor)) {}

    void Run() {
        Lines();
        Arcs();
        Texts();
        VirtualPoints();
        RealPoints();
    }

private:
    long double X(long double v) const { return map_.X(v); }
    long double Y(long double v) const { return map_.Y(v); }
    long double R(long double v) const { return map_.R(v); }

    void Line(const JwcLine& s) { e_.WriteLine(s.lineType, s.pen, s.layer, X(s.x1), Y(s.y1), X(s.x2), Y(s.y2)); }

    void Lines() {
        for (std::size_t i = 0; i < d_.lines.size(); ++i) {
            const JwcLine& s = d_.lines[i];
            if (s.x1 == s.x2 && s.y1 == s.y2) continue;
            if (in_.settings.curvesAsPolylines)
                CurvePiece(i);
            else
                Line(s);
        }
        if (chainOpen_) CloseChain(d_.lines.size());
    }

    // Joins curve runs (first, middle..., last) into POLYLINEs while their
    // segments meet exactly after mapping.
    void CurvePiece(std::size_t i) {
        const JwcLine& s = d_.lines[i];
        const std::uint8_t mark = s.curveMark & kCurveBits;
        const bool continuous = chainOpen_ && X(s.x1) == chainEndX_ && Y(s.y1) == chainEndY_;
        if (chainOpen_ && (mark == 0 || mark == kCurveFirst || !continuous)) CloseChain(i);
        switch (mark) {
            case 0:
                Line(s);
                break;
            case kCurveFirst:
                StartChain(s);
                break;
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

    void StartChain(const JwcLine& s) {
        chainEndX_ = X(s.x2);
        chainEndY_ = Y(s.y2);
        e_.WriteCurveStart(s.lineType, s.pen, s.layer, X(s.x1), Y(s.y1), chainEndX_, chainEndY_);
        chainOpen_ = true;
    }

    // The SEQEND takes the attributes of the line record stored just before
    // line `next` (the last record at the end of the list).
    void CloseChain(std::size_t next) {
        const JwcLine& before = d_.lines[next - 1];
        e_.WriteSequenceEnd(before.lineType, before.pen, before.layer);
        chainOpen_ = false;
    }

    void Arcs() {
        for (const JwcArc& a : d_.arcs) {
            if (a.radius == 0) continue;
            e_.WriteCircleArcOrEllipse(a.lineType, a.pen, a.layer, X(a.cx), Y(a.cy), R(a.radius), a.flatness, a.startAngle,
                         a.endAngle, a.tilt);
        }
    }

    void Texts() {
        const long double scale = in_.result.referenceScale;
        for (const JwcText& m : d_.texts) {
            if (m.text.empty()) continue;
            // Types beyond the table read as its last, all-zero entry.
            const JwcTextType& type = d_.textTypes[m.textType < kTextTypeSlots ? m.textType : kTextTypeSlots - 1];
            e_.WriteText(m.text, (m.flags & kVerticalTextFlag) != 0, type.attribute, m.layer, X(m.x1), Y(m.y1),
                         static_cast<long double>(m.x2) - m.x1, static_cast<long double>(m.y2) - m.y1,
                         type.width * scale / 10, type.height * scale / 10);
        }
    }

    void VirtualPoints() {
        for (int i = 0; i < d_.header.virtualPointCount && i < kVirtualPointSlots; ++i)
            e_.WritePoint(-1, kDefpointsLayer, X(d_.virtualPoints[i].x), Y(d_.virtualPoints[i].y));
    }

    void RealPoints() {
        const long double size = in_.result.referenceScale * in_.settings.pointRadiusMm;
        for (const JwcPoint& t : d_.points) {
            switch (in_.settings.pointMode) {
                case PointMode::FilledCircle:
                    e_.WriteFilledPoint(t.pen, t.layer, X(t.x), Y(t.y), size);
                    break;
                case PointMode::Circle:
                    e_.WriteCircle(1, t.pen, t.layer, X(t.x), Y(t.y), size, true);
                    break;
                case PointMode::Point:
                    e_.WritePoint(t.pen, t.layer, X(t.x), Y(t.y));
                    break;
                default:
                    break;
            }
        }
    }

    const EntityInputs& in_;
    const JwcDrawing& d_;
    EntityWriters e_;
    const CoordinateMapping map_;  // every element at the reference scale
    bool chainOpen_ = false;
    long double chainEndX_ = 0, chainEndY_ = 0;
};

}  // namespace

void WriteEntities(DxfWriter& w, const EntityInputs& in) { EntityLoops(w, in).Run(); }

}  // namespace orvik
