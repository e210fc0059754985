#include "winpaint/GdiplusPainter.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <utility>
#include <vector>

#include "picture/ShapeGeometry.h"
#include "picture/ShapePlan.h"
#include "text/Cp932.h"
#include "winpaint/Wide.h"

namespace orvik::win {
namespace {

using Gdiplus::Color;
using Gdiplus::PointF;
using Gdiplus::REAL;
using Gdiplus::RectF;

constexpr REAL kFontPixels = 100;  // texts are drawn at this size, scaled to their height

Color ColorOf(std::uint32_t rgb) { return Color(255, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// The GDI+ angle of a drawing angle: measured clockwise on the screen.
REAL ScreenAngle(double degrees) { return static_cast<REAL>(-degrees); }

// The family the pictures ask for, or the Gothic every Japanese Windows has.
std::unique_ptr<Gdiplus::FontFamily> PictureFamily() {
    auto family = std::make_unique<Gdiplus::FontFamily>(Wide(kPictureFontFamily).c_str());
    if (family->GetLastStatus() != Gdiplus::Ok) family = std::make_unique<Gdiplus::FontFamily>(L"MS Gothic");
    if (family->GetLastStatus() != Gdiplus::Ok) family.reset(Gdiplus::FontFamily::GenericMonospace()->Clone());
    return family;
}

// Draws shapes one at a time under a view: the sheet's frame first, one
// pen per colour and line type, made once.
class ShapePainter {
public:
    ShapePainter(Gdiplus::Graphics& graphics, const DisplayList& header, const PictureView& view, int width, int height,
                 bool light)
        : g_(graphics),
          header_(header),
          view_(view),
          light_(light),
          family_(PictureFamily()),
          font_(family_.get(), kFontPixels, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel) {
        visible_.Add(view.ToDrawing({0, 0}));
        visible_.Add(view.ToDrawing({static_cast<double>(width), static_cast<double>(height)}));
        g_.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        g_.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        g_.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
        ascent_ = static_cast<REAL>(family_->GetCellAscent(Gdiplus::FontStyleRegular)) /
                  static_cast<REAL>(family_->GetEmHeight(Gdiplus::FontStyleRegular)) * kFontPixels;
        if (!header_.sheet.Empty()) {
            Gdiplus::Pen frame(Color(255, 0x80, 0x80, 0x80), 1);
            const PicturePoint a = view_.ToPixels({header_.sheet.min.x, header_.sheet.max.y});
            const PicturePoint b = view_.ToPixels({header_.sheet.max.x, header_.sheet.min.y});
            g_.DrawRectangle(&frame, static_cast<REAL>(a.x), static_cast<REAL>(a.y), static_cast<REAL>(b.x - a.x),
                             static_cast<REAL>(b.y - a.y));
        }
    }

    void Paint(const Shape& s);

private:
    PointF At(PicturePoint p) const {
        const PicturePoint q = view_.ToPixels(p);
        return {static_cast<REAL>(q.x), static_cast<REAL>(q.y)};
    }
    RectF Square(PicturePoint centre, double radius) const {
        const PointF c = At(centre);
        const auto r = static_cast<REAL>(radius * view_.scale);
        return {c.X - r, c.Y - r, 2 * r, 2 * r};
    }
    Gdiplus::Pen& PenFor(const Shape& s) {
        auto found = pens_.find({s.color, s.linetype});
        if (found != pens_.end()) return *found->second;
        auto pen = std::make_unique<Gdiplus::Pen>(ColorOf(ScreenColor(s.color, light_)), 1.0f);
        if (s.linetype >= 0) {
            const std::vector<double> dashes =
                ScreenDashes(header_.linetypes[static_cast<std::size_t>(s.linetype)], view_.scale);
            if (!dashes.empty()) {
                const std::vector<REAL> lengths(dashes.begin(), dashes.end());
                pen->SetDashPattern(lengths.data(), static_cast<INT>(lengths.size()));
            }
        }
        return *pens_.emplace(std::make_pair(s.color, s.linetype), std::move(pen)).first->second;
    }
    // The outline of a polyline or solid: straight segments and bulges' arcs.
    void AddOutline(Gdiplus::GraphicsPath& path, const Shape& s) const {
        const std::vector<PictureVertex>& v = s.vertices;
        const std::size_t n = v.size(), segments = s.closed || s.kind == ShapeKind::Solid ? n : n - 1;
        for (std::size_t i = 0; i < segments; ++i) {
            const PictureVertex& from = v[i];
            const PictureVertex& to = v[(i + 1) % n];
            if (from.bulge == 0) {
                path.AddLine(At(from.at), At(to.at));
                continue;
            }
            const BulgeArc arc = ArcOfBulge(from.at, from.bulge, to.at);
            path.AddArc(Square(arc.centre, arc.radius), ScreenAngle(arc.start), ScreenAngle(arc.sweep));
        }
        if (s.closed || s.kind == ShapeKind::Solid) path.CloseFigure();
    }
    void PaintText(const Shape& s, const Color& color);
    void Stroke(const Shape& s, const ShapePlan& plan, Gdiplus::Pen& pen);
    void StrokeEllipse(const Shape& s, double sweep, Gdiplus::Pen& pen);

    Gdiplus::Graphics& g_;
    const DisplayList& header_;
    PictureView view_;
    bool light_;
    PictureBounds visible_;
    std::unique_ptr<Gdiplus::FontFamily> family_;
    Gdiplus::Font font_;
    REAL ascent_ = 88;
    std::map<std::pair<int, int>, std::unique_ptr<Gdiplus::Pen>> pens_;
};

void ShapePainter::PaintText(const Shape& s, const Color& color) {
    const std::string utf8 = header_.encoding == TextEncoding::Utf8 ? s.text : Cp932ToUtf8(s.text);
    const std::wstring text = Wide(utf8);
    const PointF at = At(s.a);
    const double size = s.height * view_.scale / kFontPixels;
    Gdiplus::Matrix place;
    place.Translate(at.X, at.Y);
    place.Rotate(ScreenAngle(s.angle));
    place.Scale(static_cast<REAL>(s.widthFactor * size), static_cast<REAL>(size));
    place.Shear(static_cast<REAL>(-std::tan(s.oblique * std::numbers::pi / 180)), 0);  // slanted: upwards moves right
    g_.SetTransform(&place);
    Gdiplus::SolidBrush brush(color);
    const Gdiplus::StringFormat* format = Gdiplus::StringFormat::GenericTypographic();
    if (!s.vertical) {
        g_.DrawString(text.c_str(), static_cast<INT>(text.size()), &font_, PointF(0, -ascent_), format, &brush);
    } else {
        // Vertical writing: each character upright, centred under the one before.
        REAL y = static_cast<REAL>(kTextAscent) * kFontPixels - ascent_;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const std::size_t n = IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() ? 2 : 1;
            RectF box;
            g_.MeasureString(text.c_str() + i, static_cast<INT>(n), &font_, PointF(0, 0), format, &box);
            g_.DrawString(text.c_str() + i, static_cast<INT>(n), &font_, PointF(-box.Width / 2, y), format, &brush);
            y += kFontPixels;
            i += n - 1;
        }
    }
    g_.ResetTransform();
}

void ShapePainter::Paint(const Shape& s) {
    const ShapePlan plan = PlanShape(s, visible_, view_.scale);
    if (plan.draw == ShapePlan::Draw::Nothing) return;
    Gdiplus::Pen& pen = PenFor(s);
    Color color;
    pen.GetColor(&color);
    Gdiplus::SolidBrush brush(color);
    switch (plan.draw) {
        case ShapePlan::Draw::Nothing: break;
        case ShapePlan::Draw::Dot: {
            const PointF c = At(plan.at);
            g_.FillRectangle(&brush, c.X - 0.5f, c.Y - 0.5f, 1.0f, 1.0f);
            break;
        }
        case ShapePlan::Draw::Disc: {
            Gdiplus::GraphicsPath disc(Gdiplus::FillModeAlternate);
            disc.AddEllipse(Square(plan.at, plan.outer));
            if (plan.inner > 0) disc.AddEllipse(Square(plan.at, plan.inner));
            g_.FillPath(&brush, &disc);
            break;
        }
        case ShapePlan::Draw::WideStroke: {
            Gdiplus::GraphicsPath path;
            AddOutline(path, s);
            Gdiplus::Pen wide(color, static_cast<REAL>(plan.width * view_.scale));
            wide.SetLineCap(Gdiplus::LineCapRound, Gdiplus::LineCapRound, Gdiplus::DashCapRound);
            wide.SetLineJoin(Gdiplus::LineJoinRound);
            g_.DrawPath(&wide, &path);
            break;
        }
        case ShapePlan::Draw::FilledOutline: {
            Gdiplus::GraphicsPath path(Gdiplus::FillModeWinding);
            AddOutline(path, s);
            Gdiplus::Pen hairline(color, 1);
            g_.FillPath(&brush, &path);
            g_.DrawPath(&hairline, &path);
            break;
        }
        case ShapePlan::Draw::Text: PaintText(s, color); break;
        case ShapePlan::Draw::Point: {
            const PointF c = At(plan.at);
            g_.FillEllipse(&brush, c.X - 1.5f, c.Y - 1.5f, 3.0f, 3.0f);
            break;
        }
        case ShapePlan::Draw::Stroke: Stroke(s, plan, pen); break;
    }
}

// The shape's own figure with its hairline pen.
void ShapePainter::Stroke(const Shape& s, const ShapePlan& plan, Gdiplus::Pen& pen) {
    switch (s.kind) {
        case ShapeKind::Line: g_.DrawLine(&pen, At(s.a), At(s.b)); break;
        case ShapeKind::Polyline: {
            Gdiplus::GraphicsPath path;
            AddOutline(path, s);
            g_.DrawPath(&pen, &path);
            break;
        }
        case ShapeKind::Circle: g_.DrawEllipse(&pen, Square(s.a, s.radius)); break;
        case ShapeKind::Arc:
            g_.DrawArc(&pen, Square(s.a, s.radius), ScreenAngle(s.start), ScreenAngle(plan.sweep));
            break;
        case ShapeKind::Ellipse: StrokeEllipse(s, plan.sweep, pen); break;
        default: break;
    }
}

// An ellipse drawn about the origin in drawing units, then turned, flipped and placed.
void ShapePainter::StrokeEllipse(const Shape& s, double sweep, Gdiplus::Pen& pen) {
    const double major = std::hypot(s.b.x, s.b.y);
    Gdiplus::GraphicsPath path;
    // GDI+ takes the angles of the points on the ellipse, DXF their parameters.
    const auto angleAt = [&](double t) {
        return std::atan2(s.ratio * std::sin(t), std::cos(t)) * 180 / std::numbers::pi;
    };
    const double from = angleAt(s.start);
    double arc = sweep >= 2 * std::numbers::pi - 1e-12 ? 360 : std::fmod(angleAt(s.start + sweep) - from, 360.0);
    if (arc <= 0) arc += 360;
    path.AddArc(RectF(static_cast<REAL>(-major), static_cast<REAL>(-major * s.ratio), static_cast<REAL>(2 * major),
                      static_cast<REAL>(2 * major * s.ratio)),
                static_cast<REAL>(from), static_cast<REAL>(arc));
    const double turn = std::atan2(s.b.y, s.b.x), c = std::cos(turn), n = std::sin(turn);
    const PointF centre = At(s.a);
    const auto k = static_cast<REAL>(view_.scale);
    Gdiplus::Matrix place(static_cast<REAL>(c) * k, static_cast<REAL>(-n) * k, static_cast<REAL>(-n) * k,
                          static_cast<REAL>(-c) * k, centre.X, centre.Y);
    path.Transform(&place);
    g_.DrawPath(&pen, &path);
}

}  // namespace

GdiplusSession::GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    started_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
}

GdiplusSession::~GdiplusSession() {
    if (started_) Gdiplus::GdiplusShutdown(token_);
}

void PaintPicture(Gdiplus::Graphics& graphics, const PictureSource& source, const PictureView& view, int width,
                  int height, bool lightBackground) {
    ShapePainter shapes(graphics, source.Header(), view, width, height, lightBackground);
    source.EachShape([&](const Shape& s) { shapes.Paint(s); });
}

std::unique_ptr<Gdiplus::Bitmap> RenderPicture(const PictureSource& source, const PictureOptions& options) {
    const PictureFrame frame = FrameFor(source.Bounds(), options.width);
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(frame.width, frame.height, PixelFormat32bppRGB);
    if (bitmap->GetLastStatus() != Gdiplus::Ok) return nullptr;
    Gdiplus::Graphics graphics(bitmap.get());
    graphics.Clear(options.lightBackground ? Color(255, 255, 255, 255) : Color(255, 0, 0, 0));
    const PictureView view{frame.scale, -frame.origin.x * frame.scale, frame.origin.y * frame.scale};
    PaintPicture(graphics, source, view, frame.width, frame.height, options.lightBackground);
    return bitmap;
}

bool EncodePng(Gdiplus::Bitmap& bitmap, std::vector<char>& png) {
    UINT count = 0, bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
    std::vector<BYTE> buffer(bytes);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, encoders) != Gdiplus::Ok) return false;
    const Gdiplus::ImageCodecInfo* encoder = nullptr;
    for (UINT i = 0; i < count; ++i)
        if (std::wstring_view(encoders[i].MimeType) == L"image/png") encoder = &encoders[i];
    IStream* stream = nullptr;
    if (!encoder || FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return false;
    bool saved = bitmap.Save(stream, &encoder->Clsid, nullptr) == Gdiplus::Ok;
    STATSTG status{};
    if (saved && SUCCEEDED(stream->Stat(&status, STATFLAG_NONAME))) {
        png.resize(static_cast<std::size_t>(status.cbSize.QuadPart));
        LARGE_INTEGER start{};
        ULONG read = 0;
        saved = SUCCEEDED(stream->Seek(start, STREAM_SEEK_SET, nullptr)) &&
                SUCCEEDED(stream->Read(png.data(), static_cast<ULONG>(png.size()), &read)) && read == png.size();
    }
    stream->Release();
    return saved && !png.empty();
}

}  // namespace orvik::win
