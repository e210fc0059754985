// Drives orvik.exe's window from outside, as a user would, for the tests
// under Wine: one step per run, found by the window's class and its
// controls' identifiers. Steps:
//   wait-log TEXT      until the log holds TEXT (UTF-8), 60 s at most
//   command ID         a control's command (a button pressed, a shortcut)
//   click ID           the control clicked (a radio button checked, as the mouse does)
//   save-as PATH       in the open save or folder dialog: the name, then its OK button
//   answer ID          in the open task dialog: the button
//   text ID            prints a control's text
//   checked ID         whether the check box or radio button is checked (exit 0 when it is)
//   wait-text ID TEXT  until the control's text holds TEXT
//   when-text ID TEXT COMMAND  the same, then at once the control COMMAND's command
//   zoom ID X Y STEPS  the wheel turned STEPS notches over the control, at X, Y in it
//   answer-if TEXT ID OTHER  the button ID when the dialog says TEXT, else OTHER
//   dialog-says TEXT   a dialog says TEXT and lies wholly on the screen
//   no-dialog          no dialog shows within three seconds
// The steps of dialogs work without the window too (the Explorer verb's).
//   wait-drawing ID    until the drawing pane ID shows a picture: not busy, ink on it
//   tab-leaves ID      Tab pressed until the control ID has the focus; then Tab
//                      and Shift+Tab each move the focus on from it
//   resize W H         the window's size set to W x H pixels
//   fits               the window is at least its least size, and every control inside it
//   shot PNG           the window as it shows, saved as a PNG picture
//   shot-screen PNG    the whole screen (with the dialogs over the window)
//   close              closes the window, and waits for its end
// Exit code 0 when the step was done, 1 when it could not be.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "app/WindowTexts.h"
#include "win/ControlIds.h"
#include "winpaint/GdiplusPainter.h"
#include "winpaint/Wide.h"

namespace {

using namespace std::chrono_literals;
using orvik::win::Utf8;
using orvik::win::Wide;

HWND MainWindow() { return ::FindWindowW(orvik::win::kMainWindowClass, nullptr); }

std::wstring TextOf(HWND window) {
    const auto length = ::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, 256);
    return name;
}

// The dialog the program shows (class #32770), if any: over its window, or
// of any process when there is no window (the Explorer verb's).
HWND OpenDialog() {
    struct Search {
        DWORD process;
        HWND found;
    } search{0, nullptr};
    if (HWND window = MainWindow()) ::GetWindowThreadProcessId(window, &search.process);
    ::EnumWindows(
        [](HWND window, LPARAM data) {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD process = 0;
            ::GetWindowThreadProcessId(window, &process);
            if ((s->process == 0 || process == s->process) && ::IsWindowVisible(window) &&
                ClassOf(window) == L"#32770") {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

template <class Test>
bool WaitFor(Test test, std::chrono::seconds limit = 60s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (test()) return true;
        std::this_thread::sleep_for(100ms);
    }
    return false;
}

// Every window inside `parent`, depth first.
std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> found;
    ::EnumChildWindows(
        parent,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The dialog's own text and its controls', one after another.
std::string DialogText(HWND dialog) {
    std::wstring text = TextOf(dialog);
    for (HWND child : Descendants(dialog)) text += L"\n" + TextOf(child);
    return Utf8(text);
}

// Waits for a dialog saying TEXT; exit 0 when it does and lies wholly on the screen.
bool DialogSays(const std::string& wanted) {
    HWND dialog = nullptr;
    if (!WaitFor([&] { return (dialog = OpenDialog()) != nullptr; })) return false;
    std::this_thread::sleep_for(300ms);
    RECT r{}, screen{};
    ::GetWindowRect(dialog, &r);
    ::GetWindowRect(::GetDesktopWindow(), &screen);
    const std::string text = DialogText(dialog);
    const bool inside =
        r.left >= screen.left && r.top >= screen.top && r.right <= screen.right && r.bottom <= screen.bottom;
    if (inside && text.find(wanted) != std::string::npos) return true;
    std::printf("dialog at %ld,%ld-%ld,%ld on a screen of %ld x %ld:\n%s\n", r.left, r.top, r.right, r.bottom,
                screen.right, screen.bottom, text.c_str());
    return false;
}

bool SaveAs(const std::string& path) {
    HWND dialog = nullptr;
    if (!WaitFor([&] { return (dialog = OpenDialog()) != nullptr; })) return false;
    std::this_thread::sleep_for(500ms);  // its controls filled
    for (HWND child : Descendants(dialog)) {
        if (ClassOf(child) != L"Edit" || !::IsWindowVisible(child)) continue;
        ::SendMessageW(child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(path).c_str()));
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
        return WaitFor([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); });
    }
    return false;
}

// Presses the button of the open task dialog; with `when`, `otherwise` when the dialog does not say `when`.
bool Answer(int button, const std::string& when = {}, int otherwise = 0) {
    HWND dialog = nullptr;
    if (!WaitFor([&] { return (dialog = OpenDialog()) != nullptr; })) {
        std::printf("no dialog showed\n");
        return false;
    }
    std::this_thread::sleep_for(300ms);
    const std::string text = DialogText(dialog);
    if (!when.empty() && text.find(when) == std::string::npos) button = otherwise;
    ::PostMessageW(dialog, TDM_CLICK_BUTTON, static_cast<WPARAM>(button), 0);
    if (WaitFor([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); })) return true;
    std::printf("the dialog did not close on button %d:\n%s\n", button, text.c_str());
    return false;
}

// The pixels of a window as the screen shows them, 32 bits each.
std::vector<std::uint32_t> PixelsOf(HWND window, int& width, int& height) {
    RECT r{};
    ::GetWindowRect(window, &r);
    width = r.right - r.left;
    height = r.bottom - r.top;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(std::max(width, 0) * std::max(height, 0)));
    if (pixels.empty()) return pixels;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    ::SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

// Whether the pane shows a picture: it says it is not busy (its window
// text), and more than a few hundred pixels differ from its background (the
// commonest colour).
bool ShowsDrawing(HWND pane, const std::wstring& busy) {
    if (!::IsWindowVisible(pane) || TextOf(pane) == busy) return false;
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels = PixelsOf(pane, width, height);
    if (pixels.empty()) return false;
    std::sort(pixels.begin(), pixels.end());
    std::size_t commonest = 0;
    for (std::size_t at = 0; at < pixels.size();) {
        const auto next = std::upper_bound(pixels.begin() + static_cast<std::ptrdiff_t>(at), pixels.end(), pixels[at]);
        const auto run = static_cast<std::size_t>(next - pixels.begin()) - at;
        commonest = std::max(commonest, run);
        at += run;
    }
    return pixels.size() - commonest > 300;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

void PressTab(bool shift) {
    std::vector<INPUT> keys;
    const auto key = [&](WORD code, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = code;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        keys.push_back(input);
    };
    if (shift) key(VK_SHIFT, false);
    key(VK_TAB, false);
    key(VK_TAB, true);
    if (shift) key(VK_SHIFT, true);
    ::SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
    std::this_thread::sleep_for(200ms);
}

bool TabLeaves(HWND window, HWND control) {
    ::SetForegroundWindow(window);
    std::this_thread::sleep_for(500ms);
    for (int i = 0; i < 80 && FocusOf(window) != control; ++i) PressTab(false);
    if (FocusOf(window) != control) return false;
    PressTab(false);
    const bool forward = FocusOf(window) != control;
    PressTab(true);
    if (FocusOf(window) != control) return false;  // back to it
    PressTab(true);
    return forward && FocusOf(window) != control;
}

// The window is at least the least size it asks for, and every visible control lies inside its client area.
bool Fits(HWND window) {
    MINMAXINFO limits{};
    ::SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    RECT frame{}, client{};
    ::GetWindowRect(window, &frame);
    ::GetClientRect(window, &client);
    bool fits = limits.ptMinTrackSize.x > 0 && frame.right - frame.left >= limits.ptMinTrackSize.x &&
                frame.bottom - frame.top >= limits.ptMinTrackSize.y;
    std::printf("window %ld x %ld, least %ld x %ld\n", frame.right - frame.left, frame.bottom - frame.top,
                limits.ptMinTrackSize.x, limits.ptMinTrackSize.y);
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        if (!::IsWindowVisible(child) || ClassOf(child) == L"ComboBox") continue;  // a list's height is its drop-down's
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        if (r.left < 0 || r.top < 0 || r.right > client.right || r.bottom > client.bottom) {
            std::printf("control %d lies outside the window\n", ::GetDlgCtrlID(child));
            fits = false;
        }
    }
    return fits;
}

bool Shot(const std::string& png, bool screen) {
    HWND window = MainWindow();
    if (!screen) ::SetForegroundWindow(window);
    std::this_thread::sleep_for(1500ms);  // painted
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels = PixelsOf(screen ? ::GetDesktopWindow() : window, width, height);
    if (pixels.empty()) return false;
    orvik::win::GdiplusSession gdiplus;
    Gdiplus::Bitmap picture(width, height, width * 4, PixelFormat32bppRGB, reinterpret_cast<BYTE*>(pixels.data()));
    std::vector<char> bytes;
    if (!orvik::win::EncodePng(picture, bytes)) return false;
    HANDLE file = ::CreateFileW(Wide(png).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool saved =
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    ::CloseHandle(file);
    return saved;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 1;
    const std::wstring step = argv[1];
    const std::string arg = argc > 2 ? Utf8(argv[2]) : std::string();
    if (step == L"answer") return Answer(std::stoi(arg)) ? 0 : 1;
    if (step == L"answer-if" && argc > 4)
        return Answer(std::stoi(Utf8(argv[3])), arg, std::stoi(Utf8(argv[4]))) ? 0 : 1;
    if (step == L"dialog-says") return DialogSays(arg) ? 0 : 1;
    if (step == L"no-dialog") return WaitFor([] { return OpenDialog() != nullptr; }, 3s) ? 1 : 0;
    if (!WaitFor([] { return MainWindow() != nullptr; })) return 1;
    HWND window = MainWindow();
    if (step == L"wait-log") {
        return WaitFor([&] {
            return Utf8(TextOf(::GetDlgItem(window, orvik::win::kLogId))).find(arg) != std::string::npos;
        })
                   ? 0
                   : 1;
    }
    if (step == L"command") {
        const int id = std::stoi(arg);
        ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(window, id)));
        return 0;
    }
    if (step == L"click") {
        ::PostMessageW(::GetDlgItem(window, std::stoi(arg)), BM_CLICK, 0, 0);
        return 0;
    }
    if (step == L"save-as") return SaveAs(arg) ? 0 : 1;
    if (step == L"text") {
        std::printf("%s\n", Utf8(TextOf(::GetDlgItem(window, std::stoi(arg)))).c_str());
        return 0;
    }
    if (step == L"checked")
        return ::SendMessageW(::GetDlgItem(window, std::stoi(arg)), BM_GETCHECK, 0, 0) == BST_CHECKED ? 0 : 1;
    if (step == L"wait-text" && argc > 3) {
        const std::string wanted = Utf8(argv[3]);
        return WaitFor(
                   [&] { return Utf8(TextOf(::GetDlgItem(window, std::stoi(arg)))).find(wanted) != std::string::npos; })
                   ? 0
                   : 1;
    }
    if (step == L"when-text" && argc > 4) {
        const std::string wanted = Utf8(argv[3]);
        if (!WaitFor(
                [&] { return Utf8(TextOf(::GetDlgItem(window, std::stoi(arg)))).find(wanted) != std::string::npos; }))
            return 1;
        const int id = std::stoi(Utf8(argv[4]));
        ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(window, id)));
        return 0;
    }
    if (step == L"zoom" && argc > 5) {
        HWND control = ::GetDlgItem(window, std::stoi(arg));
        POINT at{std::stoi(Utf8(argv[3])), std::stoi(Utf8(argv[4]))};
        ::ClientToScreen(control, &at);
        for (int i = std::stoi(Utf8(argv[5])); i > 0; --i) {
            ::PostMessageW(control, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(at.x, at.y));
            std::this_thread::sleep_for(100ms);
        }
        return 0;
    }
    if (step == L"wait-drawing") {
        HWND pane = ::GetDlgItem(window, std::stoi(arg));
        const std::wstring busy = Wide(orvik::window_text::kDrawingBusy);
        return WaitFor([&] { return ShowsDrawing(pane, busy); }, 30s) ? 0 : 1;
    }
    if (step == L"tab-leaves") return TabLeaves(window, ::GetDlgItem(window, std::stoi(arg))) ? 0 : 1;
    if (step == L"resize" && argc > 3) {
        ::SetWindowPos(window, nullptr, 0, 0, std::stoi(arg), std::stoi(Utf8(argv[3])), SWP_NOMOVE | SWP_NOZORDER);
        std::this_thread::sleep_for(300ms);
        return 0;
    }
    if (step == L"fits") return Fits(window) ? 0 : 1;
    if (step == L"shot" || step == L"shot-screen") return Shot(arg, step == L"shot-screen") ? 0 : 1;
    if (step == L"close") {
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        HANDLE handle = ::OpenProcess(SYNCHRONIZE, FALSE, process);
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        const bool ended = !handle || ::WaitForSingleObject(handle, 30000) == WAIT_OBJECT_0;
        if (handle) ::CloseHandle(handle);
        return ended ? 0 : 1;
    }
    return 1;
}
