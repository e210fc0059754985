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
//   shot PNG           the window as it shows, saved as a PNG picture
//   shot-screen PNG    the whole screen (with the dialogs over the window)
//   close              closes the window, and waits for its end
// Exit code 0 when the step was done, 1 when it could not be.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "win/ControlIds.h"
#include "win/GdiplusPainter.h"
#include "win/Wide.h"

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

// The dialog the program shows over its window (class #32770), if any.
HWND OpenDialog() {
    struct Search {
        DWORD process;
        HWND found;
    } search{0, nullptr};
    ::GetWindowThreadProcessId(MainWindow(), &search.process);
    ::EnumWindows(
        [](HWND window, LPARAM data) {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD process = 0;
            ::GetWindowThreadProcessId(window, &process);
            if (process == s->process && ::IsWindowVisible(window) && ClassOf(window) == L"#32770") {
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

bool Answer(int button) {
    HWND dialog = nullptr;
    if (!WaitFor([&] { return (dialog = OpenDialog()) != nullptr; })) return false;
    std::this_thread::sleep_for(300ms);
    ::PostMessageW(dialog, TDM_CLICK_BUTTON, static_cast<WPARAM>(button), 0);
    return WaitFor([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); });
}

bool Shot(const std::string& png, bool screen) {
    HWND window = MainWindow();
    if (!screen) ::SetForegroundWindow(window);
    std::this_thread::sleep_for(1500ms);  // painted
    RECT r{};
    ::GetWindowRect(screen ? ::GetDesktopWindow() : window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC desktop = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(desktop);
    HBITMAP bitmap = ::CreateCompatibleBitmap(desktop, width, height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, desktop, r.left, r.top, SRCCOPY);
    ::SelectObject(memory, old);
    orvik::win::GdiplusSession gdiplus;
    bool saved = false;
    {
        Gdiplus::Bitmap picture(bitmap, nullptr);
        std::vector<char> bytes;
        if (orvik::win::EncodePng(picture, bytes)) {
            HANDLE file = ::CreateFileW(Wide(png).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            DWORD written = 0;
            saved = file != INVALID_HANDLE_VALUE &&
                    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
            if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
        }
    }
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, desktop);
    return saved;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 1;
    const std::wstring step = argv[1];
    const std::string arg = argc > 2 ? Utf8(argv[2]) : std::string();
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
    if (step == L"answer") return Answer(std::stoi(arg)) ? 0 : 1;
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
