#include "win/DrawingPane.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

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

DrawingPane::DrawingPane() = default;

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

SIZE DrawingPane::Size() const {
    RECT r{};
    ::GetClientRect(window_, &r);
    return {std::max<LONG>(r.right - r.left, 1), std::max<LONG>(r.bottom - r.top, 1)};
}

void DrawingPane::SetPicture(DisplayList list, bool fit) {
    list_ = std::make_shared<const DisplayList>(std::move(list));
    hasPicture_ = true;
    cacheStale_ = true;
    if (fit || fitted_)
        FitToView();
    else
        ::InvalidateRect(window_, nullptr, FALSE);
}

void DrawingPane::Clear() {
    list_ = std::make_shared<const DisplayList>();
    hasPicture_ = false;
    cacheStale_ = true;
    ::InvalidateRect(window_, nullptr, FALSE);
}

void DrawingPane::SetNote(const std::wstring& note) {
    note_ = note;
    SayWhatIsShown();
}

void DrawingPane::SetBusy(bool busy) {
    busy_ = busy;
    SayWhatIsShown();
}

void DrawingPane::SayWhatIsShown() {
    ::SetWindowTextW(window_, busy_ ? Wide(window_text::kDrawingBusy).c_str() : note_.c_str());
    ::InvalidateRect(window_, nullptr, FALSE);
}

void DrawingPane::FitToView() {
    fitted_ = true;
    const SIZE size = Size();
    view_ = FitView(*list_, size.cx, size.cy);
    ::InvalidateRect(window_, nullptr, FALSE);
}

void DrawingPane::SetLightBackground(bool light) {
    light_ = light;
    cacheStale_ = true;
    ::InvalidateRect(window_, nullptr, FALSE);
}

void DrawingPane::Moving() {
    moving_ = true;
    fitted_ = false;
    ::SetTimer(window_, kSettleTimer, kSettleMilliseconds, nullptr);
    ::InvalidateRect(window_, nullptr, FALSE);
}

void DrawingPane::Render() {
    if (rendering_.Busy()) {  // one is being drawn: the newest view follows it
        renderWanted_ = true;
        return;
    }
    const SIZE size = Size();
    cacheStale_ = false;
    HWND window = window_;
    rendering_.Start(
        [list = list_, view = view_, light = light_, has = hasPicture_, size] {
            RenderedView done{std::make_unique<Gdiplus::Bitmap>(size.cx, size.cy, PixelFormat32bppRGB), view};
            if (done.image->GetLastStatus() != Gdiplus::Ok) {
                done.image.reset();  // no memory for it: the last picture stays
            } else {
                Gdiplus::Graphics graphics(done.image.get());
                graphics.Clear(Background(light));
                if (has) PaintPicture(graphics, PictureSource(*list), view, size.cx, size.cy, light);
            }
            return done;
        },
        [window] { ::PostMessageW(window, kRenderedMessage, 0, 0); });
}

void DrawingPane::Rendered() {
    std::optional<RenderedView> rendered = rendering_.Take();
    if (!rendered) return;
    RenderedView& done = *rendered;
    if (done.image) {
        cacheSize_ = {static_cast<LONG>(done.image->GetWidth()), static_cast<LONG>(done.image->GetHeight())};
        cache_ = std::move(done.image);
        cacheView_ = done.view;
    }
    if (renderWanted_) {
        renderWanted_ = false;
        cacheStale_ = true;
    }
    ::InvalidateRect(window_, nullptr, FALSE);
}

void DrawingPane::Paint() {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(window_, &paint);
    const SIZE size = Size();
    {
        // Drawn off screen first, so nothing flickers.
        Gdiplus::Bitmap buffer(size.cx, size.cy, PixelFormat32bppRGB);
        Gdiplus::Graphics g(&buffer);
        g.Clear(Background(light_));
        // The last picture drawn, moved and scaled as the view has been since.
        if (cache_) {
            const double k = view_.scale / cacheView_.scale;
            g.SetInterpolationMode(Gdiplus::InterpolationModeBilinear);
            g.DrawImage(cache_.get(), Gdiplus::RectF(static_cast<Gdiplus::REAL>(view_.dx - cacheView_.dx * k),
                                                     static_cast<Gdiplus::REAL>(view_.dy - cacheView_.dy * k),
                                                     static_cast<Gdiplus::REAL>(cacheSize_.cx * k),
                                                     static_cast<Gdiplus::REAL>(cacheSize_.cy * k)));
        }
        Gdiplus::Font font(dc, font_ ? font_ : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
        const Gdiplus::RectF box(8, 8, static_cast<Gdiplus::REAL>(size.cx - 16),
                                 static_cast<Gdiplus::REAL>(size.cy - 16));
        if (busy_) {
            const std::wstring busy = Wide(window_text::kDrawingBusy);
            Gdiplus::StringFormat corner;
            corner.SetAlignment(Gdiplus::StringAlignmentFar);
            corner.SetLineAlignment(Gdiplus::StringAlignmentFar);
            Gdiplus::SolidBrush grey(light_ ? Gdiplus::Color(255, 0x80, 0x80, 0x80)
                                            : Gdiplus::Color(255, 0xC0, 0xC0, 0xC0));
            g.DrawString(busy.c_str(), static_cast<INT>(busy.size()), &font, box, &corner, &grey);
        }
        if (!note_.empty()) {
            Gdiplus::RectF text;
            g.MeasureString(note_.c_str(), static_cast<INT>(note_.size()), &font, box, &text);
            Gdiplus::SolidBrush back(light_ ? Gdiplus::Color(255, 255, 255, 224) : Gdiplus::Color(255, 64, 48, 0));
            g.FillRectangle(&back, text.X - 4, text.Y - 2, text.Width + 8, text.Height + 4);
            Gdiplus::SolidBrush ink(light_ ? Gdiplus::Color(255, 0, 0, 0) : Gdiplus::Color(255, 255, 255, 255));
            g.DrawString(note_.c_str(), static_cast<INT>(note_.size()), &font, box, nullptr, &ink);
        }
        Gdiplus::Graphics(dc).DrawImage(&buffer, 0, 0);
    }
    ::EndPaint(window_, &paint);
    if (!moving_ && (cacheStale_ || cacheSize_.cx != size.cx || cacheSize_.cy != size.cy || !(cacheView_ == view_)))
        Render();
}

LRESULT DrawingPane::Handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_PAINT: Paint(); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_SIZE:
            if (fitted_) FitToView();
            return 0;
        case kRenderedMessage: Rendered(); return 0;
        case WM_TIMER:
            if (w == kSettleTimer) {
                ::KillTimer(window_, kSettleTimer);
                moving_ = false;
                ::InvalidateRect(window_, nullptr, FALSE);
            }
            return 0;
        case WM_MOUSEWHEEL: {
            if (!hasPicture_) return 0;
            POINT at{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
            ::ScreenToClient(window_, &at);
            const double steps = GET_WHEEL_DELTA_WPARAM(w) / static_cast<double>(WHEEL_DELTA);
            // Zoom about the point under the cursor: it stays where it is.
            view_ = view_.ZoomedAt({static_cast<double>(at.x), static_cast<double>(at.y)}, std::pow(1.25, steps));
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
                view_ = view_.Panned(to.x - dragFrom_.x, to.y - dragFrom_.y);
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
