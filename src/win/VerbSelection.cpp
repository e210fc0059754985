#include "win/VerbSelection.h"

#include <algorithm>

#include "winpaint/Wide.h"

namespace orvik::win {
namespace {

constexpr wchar_t kGathererClass[] = L"OrvikVerbSelection";
constexpr wchar_t kGathererMutex[] = L"Local\\ORVIK.ConvertToDxf";
constexpr ULONG_PTR kPathsTag = 0x4F525649;  // "ORVI": a WM_COPYDATA of drawing paths
// The gathering ends once no run has handed anything over for this long, and
// lasts at most the second. Runs of one selection start within a moment of
// one another, but a loaded machine (or Wine) may start them a second apart.
constexpr DWORD kQuietMilliseconds = 2000, kLongestMilliseconds = 10000;
// How often a later run looks for the gatherer's window to appear: while
// the gatherer lives, as long as it may gather (a loaded machine may take
// seconds to start it), and never once it has ended.
constexpr DWORD kLookMilliseconds = 50;

struct Gathered {
    std::vector<std::string> paths;
    ULONGLONG last = 0;
};

// The paths as one UTF-16 block, each ended by a NUL.
std::wstring Joined(const std::vector<std::string>& paths) {
    std::wstring block;
    for (const std::string& path : paths) block += Wide(path) + L'\0';
    return block;
}

LRESULT CALLBACK GathererProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message != WM_COPYDATA) return ::DefWindowProcW(window, message, w, l);
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(l);
    auto* gathered = reinterpret_cast<Gathered*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!gathered || data->dwData != kPathsTag || data->cbData % sizeof(wchar_t) != 0) return FALSE;
    const std::wstring_view block(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
    for (std::size_t at = 0; at < block.size();) {
        const std::size_t end = std::min(block.find(L'\0', at), block.size());
        if (end > at) gathered->paths.push_back(Utf8(block.substr(at, end - at)));
        at = end + 1;
    }
    gathered->last = ::GetTickCount64();
    return TRUE;
}

// Hands the paths to the run gathering them; false when none is gathering now.
bool HandOver(const std::vector<std::string>& paths) {
    const std::wstring block = Joined(paths);
    for (DWORD waited = 0; waited < kLongestMilliseconds; waited += kLookMilliseconds) {
        if (HWND gatherer = ::FindWindowExW(HWND_MESSAGE, nullptr, kGathererClass, nullptr)) {
            COPYDATASTRUCT data{kPathsTag, static_cast<DWORD>(block.size() * sizeof(wchar_t)),
                                const_cast<wchar_t*>(block.data())};
            DWORD_PTR taken = FALSE;
            return ::SendMessageTimeoutW(gatherer, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                                         5000, &taken) &&
                   taken == TRUE;
        }
        HANDLE gathering = ::OpenMutexW(SYNCHRONIZE, FALSE, kGathererMutex);
        if (!gathering) return false;  // the gatherer has ended
        ::CloseHandle(gathering);
        ::Sleep(kLookMilliseconds);
    }
    return false;
}

// Takes the paths handed over until it has been quiet for a moment.
void Gather(HINSTANCE instance, Gathered& gathered) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = &GathererProcedure;
    type.hInstance = instance;
    type.lpszClassName = kGathererClass;
    ::RegisterClassExW(&type);
    HWND window = ::CreateWindowExW(0, kGathererClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    if (!window) return;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&gathered));
    const ULONGLONG start = ::GetTickCount64();
    gathered.last = start;
    for (;;) {
        const ULONGLONG now = ::GetTickCount64();
        if (now - gathered.last >= kQuietMilliseconds || now - start >= kLongestMilliseconds) break;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    }
    ::DestroyWindow(window);
}

}  // namespace

std::vector<std::string> GatherSelection(HINSTANCE instance, std::vector<std::string> own) {
    HANDLE mutex = ::CreateMutexW(nullptr, FALSE, kGathererMutex);
    const bool first = mutex && ::GetLastError() != ERROR_ALREADY_EXISTS;
    if (!first) {
        if (mutex) ::CloseHandle(mutex);
        if (HandOver(own)) return {};
        return own;  // none is gathering now: this run converts its own
    }
    Gathered gathered{std::move(own), 0};
    Gather(instance, gathered);
    ::CloseHandle(mutex);  // from now on a new run gathers again
    return std::move(gathered.paths);
}

}  // namespace orvik::win
