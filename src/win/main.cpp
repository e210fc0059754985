// orvik.exe: the desktop program on Windows.
#include <windows.h>
// After windows.h, which they need.
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/ConvertBeside.h"
#include "app/DrawingJob.h"
#include "win/GdiplusPainter.h"
#include "win/MainFrame.h"
#include "win/RegistryStore.h"
#include "win/Wide.h"
#include "win/Win32Dialogs.h"

namespace {

// "/convert drawing...": the Explorer verb "DXFに変換". Each drawing to a DXF
// file beside it with the kept settings, no window; a box only for what the
// user must know (a drawing not converted whole, a newer DXF kept).
int ConvertAllBeside(const std::vector<std::string>& drawings, const orvik::SettingsStore& store) {
    int code = 0;
    for (const std::string& drawing : drawings) {
        const orvik::BesideConversion done = orvik::ConvertBeside(drawing, store);
        const std::string report = orvik::BesideConversionReport(drawing, done);
        if (!done.upToDate && done.outcome.status != orvik::JobStatus::Converted) code = 1;
        if (!report.empty())
            ::MessageBoxW(nullptr, orvik::win::WideFromCp932(report).c_str(), L"ORVIK",
                          MB_OK | (code ? MB_ICONWARNING : MB_ICONINFORMATION));
    }
    return code;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    orvik::RemoveTemporaryFilesOnSignals();
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    orvik::win::GdiplusSession gdiplus;
    orvik::win::RegistryStore store;
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> paths;
    for (int i = 1; i < count; ++i) paths.push_back(orvik::win::Utf8(arguments[i]));
    ::LocalFree(arguments);
    if (!paths.empty() && paths.front() == "/convert") return ConvertAllBeside({paths.begin() + 1, paths.end()}, store);
    orvik::win::Win32Dialogs dialogs(store);
    orvik::Drawing drawing;
    orvik::ConversionSettings settings;
    orvik::WindowState state;
    orvik::win::MainFrame frame(dialogs, drawing, settings, state, store);
    if (!frame.Create(instance, show)) return 1;
    dialogs.SetOwner(frame.Window());
    // Drawings named on the command line (Explorer's "Open with", a double-click) are read as if dropped.
    if (!paths.empty()) frame.ReadFiles(paths);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (frame.PreTranslate(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    ::CoUninitialize();
    return 0;
}
