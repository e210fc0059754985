#include "convert/EntitySection.h"

#include "convert/EntityWriters.h"

namespace orvik {
namespace {

// JWC curve marks in the top two bits of TSen::CurveMark.
constexpr std::uint8_t kCurveBits = 192;
constexpr std::uint8_t kCurveFirst = 64, kCurveMiddle = 128, kCurveLast = 192;

class EntityLoops {
public:
    EntityLoops(DxfWriter& w, const EntityInputs& in)
        : in_(in), d_(in.drawing), e_(w, in.tables, in.info), key_(static_cast<float>(in.info.BaseScale)) {}

    void Run() {
        Lines();
        Arcs();
        Texts();
        VirtualPoints();
        RealPoints();
    }

private:
    long double X(long double v) const { return in_.scales.MapX(key_, in_.paperFactor, v); }
    long double Y(long double v) const { return in_.scales.MapY(key_, in_.paperFactor, v); }
    long double R(long double v) const { return in_.scales.MapR(key_, in_.paperFactor, v); }

    void Line(const TSen& s) { e_.WriteSen(s.LineType, s.Pen, s.Layer, X(s.X1), Y(s.Y1), X(s.X2), Y(s.Y2)); }

    void Lines() {
        for (std::size_t i = 0; i < d_.Sen.size(); ++i) {
            const TSen& s = d_.Sen[i];
            if (s.X1 == s.X2 && s.Y1 == s.Y2) continue;
            if (in_.info.CurvePline)
                CurvePiece(i);
            else
                Line(s);
        }
        if (chainOpen_) CloseChain(d_.Sen.size());
    }

    // Joins curve runs (first, middle..., last) into POLYLINEs while their
    // segments meet exactly after mapping.
    void CurvePiece(std::size_t i) {
        const TSen& s = d_.Sen[i];
        const std::uint8_t mark = s.CurveMark & kCurveBits;
        const bool continuous = chainOpen_ && X(s.X1) == chainEndX_ && Y(s.Y1) == chainEndY_;
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
                    chainEndX_ = X(s.X2);
                    chainEndY_ = Y(s.Y2);
                    e_.WriteSenVertex(s.LineType, s.Pen, s.Layer, chainEndX_, chainEndY_);
                } else {
                    StartChain(s);
                }
                break;
            case kCurveLast:
                if (chainOpen_) {
                    e_.WriteSenVertexEnd(s.LineType, s.Pen, s.Layer, X(s.X2), Y(s.Y2));
                    chainOpen_ = false;
                } else {
                    Line(s);
                }
                break;
        }
    }

    void StartChain(const TSen& s) {
        chainEndX_ = X(s.X2);
        chainEndY_ = Y(s.Y2);
        e_.WriteSenPline(s.LineType, s.Pen, s.Layer, X(s.X1), Y(s.Y1), chainEndX_, chainEndY_);
        chainOpen_ = true;
    }

    // The SEQEND takes the attributes of the line record stored just before
    // line `next` (the last record at the end of the list).
    void CloseChain(std::size_t next) {
        const TSen& before = d_.Sen[next - 1];
        e_.WriteSeqEnd(before.LineType, before.Pen, before.Layer);
        chainOpen_ = false;
    }

    void Arcs() {
        for (const TEnko& a : d_.Enko) {
            if (a.Radius == 0) continue;
            e_.WriteEnko(a.LineType, a.Pen, a.Layer, X(a.CX), Y(a.CY), R(a.Radius), a.Flatness, a.StartAngle,
                         a.EndAngle, a.Tilt);
        }
    }

    void Texts() {
        const long double scale = in_.info.BaseScale;
        for (const TMoji2& m : d_.Moji) {
            if (m.Text.empty()) continue;
            // Types beyond the table read as its last, all-zero entry.
            const TMojiShu& type = d_.MojiShu[m.TextType < kTextTypeSlots ? m.TextType : kTextTypeSlots - 1];
            e_.WriteMoji(m.Text, (m.Flags & kVerticalTextFlag) != 0, type.Attr, m.Layer, X(m.X1), Y(m.Y1),
                         static_cast<long double>(m.X2) - m.X1, static_cast<long double>(m.Y2) - m.Y1,
                         type.Width * scale / 10, type.Height * scale / 10);
        }
    }

    void VirtualPoints() {
        for (int i = 0; i < d_.Header.VirtualPointCount && i < kVirtualPointSlots; ++i)
            e_.WriteTen(-1, kDefpointsLayer, X(d_.KasouTen[i].X), Y(d_.KasouTen[i].Y));
    }

    void RealPoints() {
        const long double size = in_.info.BaseScale * in_.info.TenHankei;
        for (const TTen& t : d_.Ten) {
            switch (in_.info.TenMode) {
                case kTenFilledCircle:
                    e_.WriteTenNuri(t.Pen, t.Layer, X(t.X), Y(t.Y), size);
                    break;
                case kTenCircle:
                    e_.WriteEn(1, t.Pen, t.Layer, X(t.X), Y(t.Y), size, true);
                    break;
                case kTenPoint:
                    e_.WriteTen(t.Pen, t.Layer, X(t.X), Y(t.Y));
                    break;
                default:
                    break;
            }
        }
    }

    const EntityInputs& in_;
    const JwcDrawing& d_;
    EntityWriters e_;
    const float key_;
    bool chainOpen_ = false;
    long double chainEndX_ = 0, chainEndY_ = 0;
};

}  // namespace

void WriteEntities(DxfWriter& w, const EntityInputs& in) { EntityLoops(w, in).Run(); }

}  // namespace orvik
