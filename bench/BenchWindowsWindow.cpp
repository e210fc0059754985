// The Windows window's answer to the drawing tab, as bench_window_answers
// measures Qt's: the longest pause of the window's message loop (a thread
// timer asks every 5 ms) from showing the tab until the picture of a
// 390,000-element drawing is built and drawn; five wheel steps and five drag
// steps, each painted at once (the time of each frame); the full picture
// drawn again once the view rests.
//
// Under Wine on a display: xvfb-run -a /usr/lib/wine/wine64 build/windows/bin/bench_windows_window.exe
#include <windows.h>
// After windows.h, which it needs.
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

#include "WindowBenchDrawing.h"
#include "win/ControlIds.h"
#include "win/MainFrame.h"
#include "win/RegistryStore.h"
#include "win/Win32Dialogs.h"
#include "winpaint/GdiplusPainter.h"
#include "winpaint/Wide.h"

using namespace orvik;
using Clock = std::chrono::steady_clock;

namespace {

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Runs the message loop until `done`, at most a minute; the longest pause
// between two of its 5 ms ticks.
double LongestPauseUntil(const std::function<bool()>& done, win::MainFrame& frame) {
    const UINT_PTR tick = ::SetTimer(nullptr, 0, 5, nullptr);
    Clock::time_point last = Clock::now();
    const Clock::time_point end = last + std::chrono::minutes(1);
    double longest = 0;
    MSG message;
    while (!done() && Clock::now() < end && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr) {
            const Clock::time_point now = Clock::now();
            longest = std::max(longest, Milliseconds(now - last));
            last = now;
            continue;
        }
        if (frame.PreTranslate(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    ::KillTimer(nullptr, tick);
    return longest;
}

}  // namespace

int wmain() {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const win::GdiplusSession gdiplus;
    win::RegistryStore store(L"Software\\ORVIK-bench");
    win::Win32Dialogs dialogs(store);
    Drawing drawing;
    ConversionSettings settings;
    WindowState state;
    win::MainFrame frame(dialogs, drawing, settings, state, store);
    if (!frame.Create(::GetModuleHandleW(nullptr), SW_SHOWNORMAL)) return 1;
    dialogs.SetOwner(frame.Window());
    ::SetWindowPos(frame.Window(), nullptr, 0, 0, 1000, 700, SWP_NOMOVE | SWP_NOZORDER);
    wchar_t folder[MAX_PATH];
    ::GetTempPathW(MAX_PATH, folder);
    const std::string path = WriteWindowBenchDrawing(win::Utf8(folder) + "orvik-bench-window.jwc");
    frame.ReadFiles({path});

    const Clock::time_point start = Clock::now();
    ::SendMessageW(frame.Window(), WM_COMMAND, win::kNextTabId, 0);
    const double longest = LongestPauseUntil([&] { return frame.DrawingSettled(); }, frame);
    if (!frame.DrawingSettled()) {
        std::fprintf(stderr, "bench_windows_window: the picture was not built within a minute\n");
        return 1;
    }
    std::printf("picture of 390,000 elements built and drawn in %.0f ms; the window's longest pause %.0f ms\n",
                Milliseconds(Clock::now() - start), std::max(longest, 0.0));

    HWND pane = frame.DrawingWindow();
    RECT r{};
    ::GetClientRect(pane, &r);
    POINT centre{r.right / 2, r.bottom / 2};
    POINT screen = centre;
    ::ClientToScreen(pane, &screen);
    double slowest = 0;
    const auto frameTime = [&](UINT message, WPARAM w, LPARAM l) {
        const Clock::time_point before = Clock::now();
        ::SendMessageW(pane, message, w, l);
        ::RedrawWindow(pane, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        slowest = std::max(slowest, Milliseconds(Clock::now() - before));
    };
    for (int i = 0; i < 5; ++i) frameTime(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(screen.x, screen.y));
    ::SendMessageW(pane, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    for (int i = 1; i <= 5; ++i) frameTime(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(centre.x + 20 * i, centre.y + 10 * i));
    ::SendMessageW(pane, WM_LBUTTONUP, 0, MAKELPARAM(centre.x + 100, centre.y + 50));
    std::printf("zoom and pan: slowest frame %.1f ms\n", slowest);

    const Clock::time_point rest = Clock::now();
    const double pause = LongestPauseUntil([&] { return frame.DrawingSettled(); }, frame);
    std::printf("the view at rest drawn again in %.0f ms (after the 150 ms rest); the window's longest pause %.0f ms\n",
                Milliseconds(Clock::now() - rest), pause);
    ::DeleteFileW(win::Wide(path).c_str());
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\ORVIK-bench");
    return 0;
}
