#include "winpaint/GdiplusPainter.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

#include "picture/PictureFrontend.h"
#include "winpaint/Wide.h"

namespace orvik::win {
namespace {

using Gdiplus::Color;
using Gdiplus::PointF;
using Gdiplus::REAL;
using Gdiplus::RectF;

Color ColorOf(std::uint32_t rgb) { return Color(255, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// The family the pictures ask for, or the Gothic every Japanese Windows has.
std::unique_ptr<Gdiplus::FontFamily> PictureFamily() {
    auto family = std::make_unique<Gdiplus::FontFamily>(Wide(kPictureFontFamily).c_str());
    if (family->GetLastStatus() != Gdiplus::Ok) family = std::make_unique<Gdiplus::FontFamily>(L"MS Gothic");
    if (family->GetLastStatus() != Gdiplus::Ok) family.reset(Gdiplus::FontFamily::GenericMonospace()->Clone());
    return family;
}

// The picture frontend's primitives with GDI+, in device pixels.
class GdiplusBackend final : public PictureBackend {
public:
    explicit GdiplusBackend(Gdiplus::Graphics& graphics)
        : g_(graphics),
          family_(PictureFamily()),
          font_(family_.get(), static_cast<REAL>(kTextFontPixels), Gdiplus::FontStyleRegular, Gdiplus::UnitPixel) {
        g_.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        g_.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        g_.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
        ascent_ = static_cast<REAL>(family_->GetCellAscent(Gdiplus::FontStyleRegular)) /
                  static_cast<REAL>(family_->GetEmHeight(Gdiplus::FontStyleRegular)) *
                  static_cast<REAL>(kTextFontPixels);
    }

    void StrokePath(const PicturePath& path, const StrokeStyle& style) override {
        Gdiplus::Pen& pen = PenFor(style);
        if (path.size() == 2 && path[1].kind == PathElement::Kind::Line) {
            g_.DrawLine(&pen, ToGdi(path[0].to), ToGdi(path[1].to));
            return;
        }
        Gdiplus::GraphicsPath figure;
        AddPath(figure, path);
        g_.DrawPath(&pen, &figure);
    }
    void FillPath(const PicturePath& path, std::uint32_t rgb, FillRule rule, bool edge) override {
        Gdiplus::GraphicsPath figure(rule == FillRule::EvenOdd ? Gdiplus::FillModeAlternate : Gdiplus::FillModeWinding);
        AddPath(figure, path);
        Gdiplus::SolidBrush brush(ColorOf(rgb));
        g_.FillPath(&brush, &figure);
        if (!edge) return;
        Gdiplus::Pen hairline(ColorOf(rgb), 1);
        g_.DrawPath(&hairline, &figure);
    }
    void Dot(PicturePoint at, std::uint32_t rgb, double diameter) override {
        Gdiplus::SolidBrush brush(ColorOf(rgb));
        const auto r = static_cast<REAL>(diameter / 2);
        const PointF c = ToGdi(at);
        if (diameter <= 1)
            g_.FillRectangle(&brush, c.X - r, c.Y - r, 2 * r, 2 * r);
        else
            g_.FillEllipse(&brush, c.X - r, c.Y - r, 2 * r, 2 * r);
    }
    double Advance(std::string_view character) override {
        const std::wstring text = Wide(character);
        RectF box;
        g_.MeasureString(text.c_str(), static_cast<INT>(text.size()), &font_, PointF(0, 0),
                         Gdiplus::StringFormat::GenericTypographic(), &box);
        return box.Width;
    }
    void Text(std::string_view utf8, const PictureTransform& place, std::uint32_t rgb) override {
        const std::wstring text = Wide(utf8);
        Gdiplus::Matrix matrix(static_cast<REAL>(place[0]), static_cast<REAL>(place[1]), static_cast<REAL>(place[2]),
                               static_cast<REAL>(place[3]), static_cast<REAL>(place[4]), static_cast<REAL>(place[5]));
        g_.SetTransform(&matrix);
        Gdiplus::SolidBrush brush(ColorOf(rgb));
        // GDI+ places a string by the top of its cell, the picture by its base line.
        g_.DrawString(text.c_str(), static_cast<INT>(text.size()), &font_, PointF(0, -ascent_),
                      Gdiplus::StringFormat::GenericTypographic(), &brush);
        g_.ResetTransform();
    }

private:
    static PointF ToGdi(PicturePoint p) { return {static_cast<REAL>(p.x), static_cast<REAL>(p.y)}; }
    static void AddPath(Gdiplus::GraphicsPath& figure, const PicturePath& path) {
        PointF last;
        for (const PathElement& e : path) switch (e.kind) {
                case PathElement::Kind::Move:
                    figure.StartFigure();
                    last = ToGdi(e.to);
                    break;
                case PathElement::Kind::Line:
                    figure.AddLine(last, ToGdi(e.to));
                    last = ToGdi(e.to);
                    break;
                case PathElement::Kind::Curve:
                    figure.AddBezier(last, ToGdi(e.c1), ToGdi(e.c2), ToGdi(e.to));
                    last = ToGdi(e.to);
                    break;
            }
    }
    // One pen per colour, width and line type, made once.
    Gdiplus::Pen& PenFor(const StrokeStyle& style) {
        const auto key = std::make_tuple(style.rgb, style.pattern, style.width, style.round);
        auto found = pens_.find(key);
        if (found != pens_.end()) return *found->second;
        auto pen = std::make_unique<Gdiplus::Pen>(ColorOf(style.rgb), static_cast<REAL>(std::max(style.width, 1.0)));
        if (style.round) {
            pen->SetLineCap(Gdiplus::LineCapRound, Gdiplus::LineCapRound, Gdiplus::DashCapRound);
            pen->SetLineJoin(Gdiplus::LineJoinRound);
        }
        if (!style.dashes.empty()) {
            const std::vector<REAL> lengths(style.dashes.begin(), style.dashes.end());
            pen->SetDashPattern(lengths.data(), static_cast<INT>(lengths.size()));
        }
        return *pens_.emplace(key, std::move(pen)).first->second;
    }

    Gdiplus::Graphics& g_;
    std::unique_ptr<Gdiplus::FontFamily> family_;
    Gdiplus::Font font_;
    REAL ascent_ = 88;
    std::map<std::tuple<std::uint32_t, int, double, bool>, std::unique_ptr<Gdiplus::Pen>> pens_;
};

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
    GdiplusBackend backend(graphics);
    DrawPicture(backend, source, view, width, height, lightBackground);
}

std::unique_ptr<Gdiplus::Bitmap> RenderPicture(const PictureSource& source, const PictureOptions& options) {
    const PictureFrame frame = FrameFor(source.Bounds(), options.width);
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(frame.width, frame.height, PixelFormat32bppRGB);
    if (bitmap->GetLastStatus() != Gdiplus::Ok) return nullptr;
    Gdiplus::Graphics graphics(bitmap.get());
    graphics.Clear(options.lightBackground ? Color(255, 255, 255, 255) : Color(255, 0, 0, 0));
    PaintPicture(graphics, source, FrameView(frame), frame.width, frame.height, options.lightBackground);
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
