#include "win/DrawingPane.h"

#include <windowsx.h>

#include <algorithm>
#include <optional>

#include "app/WindowTexts.h"
#include "win/ObjectProcedure.h"
#include "winpaint/GdiplusPainter.h"
#include "winpaint/Wide.h"

namespace orvik::win {
namespace {

constexpr wchar_t kClassName[] = L"OrvikDrawingPane";
constexpr UINT kRenderedMessage = WM_APP + 1;  // the worker's picture is there
constexpr UINT_PTR kSettleTimer = 1;
constexpr UINT kSettleMilliseconds = 150;

Gdiplus::Color Background(bool light) {
    return light ? Gdiplus::Color(255, 255, 255, 255) : Gdiplus::Color(255, 0, 0, 0);
}

}  // namespace

DrawingPane::DrawingPane()
    : state_(
          [](const DisplayList& list, const PictureView& view, bool light, ViewSize size) {
              auto image = std::make_unique<Gdiplus::Bitmap>(size.width, size.height, PixelFormat32bppRGB);
              if (image->GetLastStatus() != Gdiplus::Ok) return std::optional<std::unique_ptr<Gdiplus::Bitmap>>();
              Gdiplus::Graphics graphics(image.get());
              graphics.Clear(Background(light));
              PaintPicture(graphics, PictureSource(list), view, size.width, size.height, light);
              return std::optional<std::unique_ptr<Gdiplus::Bitmap>>(std::move(image));
          },
          [this] { ::PostMessageW(window_, kRenderedMessage, 0, 0); }) {}

DrawingPane::~DrawingPane() = default;

HWND DrawingPane::Create(HWND parent, int id) {
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    if (!::GetClassInfoExW(instance, kClassName, &type)) {
        type.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        type.lpfnWndProc = &ObjectProcedure<DrawingPane>;
        type.hInstance = instance;
        type.hCursor = ::LoadCursorW(nullptr, IDC_SIZEALL);
        type.lpszClassName = kClassName;
        ::RegisterClassExW(&type);
    }
    window_ = ::CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS, 0, 0, 10, 10, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
    return window_;
}

ViewSize DrawingPane::Size() const {
    RECT r{};
    ::GetClientRect(window_, &r);
    return {std::max(static_cast<int>(r.right - r.left), 1), std::max(static_cast<int>(r.bottom - r.top), 1)};
}

void DrawingPane::ShowPicture(DisplayList list, bool fit) {
    state_.SetPicture(std::move(list), fit, Size());
    ::InvalidateRect(window_, nullptr, FALSE);
}

void DrawingPane::ClearPicture() {
    state_.Clear();
    ::InvalidateRect(window_, nullptr, FALSE);
}

void DrawingPane::ShowNote(const std::string& cp932) {
    note_ = WideFromCp932(cp932);
    SayWhatIsShown();
}

void DrawingPane::ShowBusy(bool busy) {
    busy_ = busy;
    SayWhatIsShown();
}

void DrawingPane::SayWhatIsShown() {
    ::SetWindowTextW(window_, busy_ ? Wide(window_text::kDrawingBusy).c_str() : note_.c_str());
    ::InvalidateRect(window_, nullptr, FALSE);
}

void DrawingPane::FitToView() {
    state_.Fit(Size());
    ::InvalidateRect(window_, nullptr, FALSE);
}

void DrawingPane::SetLightBackground(bool light) {
    state_.SetLightBackground(light);
    ::InvalidateRect(window_, nullptr, FALSE);
}

void DrawingPane::Moving() {
    ::SetTimer(window_, kSettleTimer, kSettleMilliseconds, nullptr);
    ::InvalidateRect(window_, nullptr, FALSE);
}

void DrawingPane::Paint() {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(window_, &paint);
    const ViewSize size = Size();
    const bool light = state_.Light();
    {
        // Drawn off screen first, so nothing flickers.
        Gdiplus::Bitmap buffer(size.width, size.height, PixelFormat32bppRGB);
        Gdiplus::Graphics g(&buffer);
        g.Clear(Background(light));
        // The last image drawn, moved and scaled as the view has been since.
        if (const std::unique_ptr<Gdiplus::Bitmap>* cache = state_.Cache()) {
            const ImagePlacement at = state_.CachePlacement();
            g.SetInterpolationMode(Gdiplus::InterpolationModeBilinear);
            g.DrawImage(cache->get(),
                        Gdiplus::RectF(static_cast<Gdiplus::REAL>(at.dx), static_cast<Gdiplus::REAL>(at.dy),
                                       static_cast<Gdiplus::REAL>((*cache)->GetWidth() * at.scale),
                                       static_cast<Gdiplus::REAL>((*cache)->GetHeight() * at.scale)));
        }
        Gdiplus::Font font(dc, font_ ? font_ : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
        const Gdiplus::RectF box(8, 8, static_cast<Gdiplus::REAL>(size.width - 16),
                                 static_cast<Gdiplus::REAL>(size.height - 16));
        if (busy_) {
            const std::wstring busy = Wide(window_text::kDrawingBusy);
            Gdiplus::StringFormat corner;
            corner.SetAlignment(Gdiplus::StringAlignmentFar);
            corner.SetLineAlignment(Gdiplus::StringAlignmentFar);
            Gdiplus::SolidBrush grey(light ? Gdiplus::Color(255, 0x80, 0x80, 0x80)
                                           : Gdiplus::Color(255, 0xC0, 0xC0, 0xC0));
            g.DrawString(busy.c_str(), static_cast<INT>(busy.size()), &font, box, &corner, &grey);
        }
        if (!note_.empty()) {
            Gdiplus::RectF text;
            g.MeasureString(note_.c_str(), static_cast<INT>(note_.size()), &font, box, &text);
            Gdiplus::SolidBrush back(light ? Gdiplus::Color(255, 255, 255, 224) : Gdiplus::Color(255, 64, 48, 0));
            g.FillRectangle(&back, text.X - 4, text.Y - 2, text.Width + 8, text.Height + 4);
            Gdiplus::SolidBrush ink(light ? Gdiplus::Color(255, 0, 0, 0) : Gdiplus::Color(255, 255, 255, 255));
            g.DrawString(note_.c_str(), static_cast<INT>(note_.size()), &font, box, nullptr, &ink);
        }
        Gdiplus::Graphics(dc).DrawImage(&buffer, 0, 0);
    }
    ::EndPaint(window_, &paint);
    state_.RenderIfStale(size);
}

LRESULT DrawingPane::Handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_PAINT: Paint(); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_SIZE:
            state_.Resized(Size());
            ::InvalidateRect(window_, nullptr, FALSE);
            return 0;
        case kRenderedMessage:
            state_.Rendered();
            ::InvalidateRect(window_, nullptr, FALSE);
            return 0;
        case WM_TIMER:
            if (w == kSettleTimer) {
                ::KillTimer(window_, kSettleTimer);
                state_.Settled();
                ::InvalidateRect(window_, nullptr, FALSE);
            }
            return 0;
        case WM_MOUSEWHEEL: {
            if (!state_.HasPicture()) return 0;
            POINT at{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
            ::ScreenToClient(window_, &at);
            state_.ZoomAt({static_cast<double>(at.x), static_cast<double>(at.y)},
                          GET_WHEEL_DELTA_WPARAM(w) / static_cast<double>(WHEEL_DELTA));
            Moving();
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_MBUTTONDOWN:
            ::SetFocus(window_);
            ::SetCapture(window_);
            dragging_ = true;
            dragFrom_ = {GET_X_LPARAM(l), GET_Y_LPARAM(l)};
            return 0;
        case WM_MOUSEMOVE:
            if (dragging_ && (w & (MK_LBUTTON | MK_MBUTTON))) {
                const POINT to{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
                state_.PanBy(to.x - dragFrom_.x, to.y - dragFrom_.y);
                dragFrom_ = to;
                Moving();
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_MBUTTONUP:
        case WM_CAPTURECHANGED:
            dragging_ = false;
            if (message != WM_CAPTURECHANGED) ::ReleaseCapture();
            return 0;
        case WM_LBUTTONDBLCLK: FitToView(); return 0;
        case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_WANTARROWS;
        case WM_KEYDOWN:
            if (w == 'F' || w == VK_HOME) {
                FitToView();
                return 0;
            }
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: return 0;
        default: break;
    }
    return ::DefWindowProcW(window_, message, w, l);
}

}  // namespace orvik::win
