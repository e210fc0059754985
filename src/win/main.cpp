// orvik.exe: the desktop program on Windows.
#include <windows.h>
// After windows.h, which they need.
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/ConvertBeside.h"
#include "app/DrawingJob.h"
#include "win/MainFrame.h"
#include "win/RegistryStore.h"
#include "win/VerbSelection.h"
#include "win/Win32Dialogs.h"
#include "winpaint/GdiplusPainter.h"
#include "winpaint/Wide.h"

namespace {

// "/convert drawing...": the Explorer verb "DXFに変換". The drawings of
// one selection, gathered into one run, each to a DXF file beside it with
// the kept settings, no window: a question before an existing DXF is
// replaced, and one box at the end only for what the user must know (the
// drawings not converted whole).
int ConvertSelectionBeside(HINSTANCE instance, std::vector<std::string> own, const orvik::SettingsStore& store,
                           orvik::win::Win32Dialogs& dialogs) {
    const std::vector<std::string> drawings = orvik::win::GatherSelection(instance, std::move(own));
    if (drawings.empty()) return 0;  // handed to the run gathering the selection
    const orvik::BesideRun run = orvik::ConvertAllBeside(
        drawings, store, [&](const std::string& text, bool more) { return dialogs.AskReplace(text, more); });
    const std::string report = orvik::BesideRunReport(run);
    if (!report.empty()) dialogs.ShowWarning(report);
    return run.AllDone() ? 0 : 1;
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
    orvik::win::Win32Dialogs dialogs(store);
    if (!paths.empty() && paths.front() == "/convert")
        return ConvertSelectionBeside(instance, {paths.begin() + 1, paths.end()}, store, dialogs);
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
