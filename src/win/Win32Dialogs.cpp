#include "win/Win32Dialogs.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "app/WindowTexts.h"
#include "text/Cp932.h"
#include "win/ControlIds.h"
#include "winpaint/Wide.h"

namespace orvik::win {
namespace {

// A task dialog: its caption, icon (none: nullptr), text and buttons; the
// button chosen (IDCANCEL when it was closed).
int Ask(HWND owner, std::string_view caption, PCWSTR icon, const std::string& utf8Text,
        std::initializer_list<std::pair<int, std::string_view>> buttons, int defaultButton) {
    const std::wstring title = Wide(caption), text = Wide(utf8Text);
    std::vector<std::wstring> labels;
    std::vector<TASKDIALOG_BUTTON> list;
    for (const auto& [id, label] : buttons) labels.push_back(Wide(label));
    int i = 0;
    for (const auto& [id, label] : buttons) list.push_back({id, labels[static_cast<std::size_t>(i++)].c_str()});
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.hwndParent = owner;
    config.dwFlags = TDF_POSITION_RELATIVE_TO_WINDOW | TDF_ALLOW_DIALOG_CANCELLATION;
    config.pszWindowTitle = title.c_str();
    config.pszMainIcon = icon;
    config.pszContent = text.c_str();
    config.cButtons = static_cast<UINT>(list.size());
    config.pButtons = list.data();
    config.nDefaultButton = defaultButton;
    int chosen = IDCANCEL;
    if (FAILED(::TaskDialogIndirect(&config, &chosen, nullptr, nullptr))) return IDCANCEL;
    return chosen;
}

bool IsFolder(const std::string& folder) {
    const DWORD attributes = folder.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(Wide(folder).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A folder as a shell item, or none when it does not exist.
IShellItem* FolderItem(const std::string& folder) {
    IShellItem* item = nullptr;
    if (!IsFolder(folder) || FAILED(::SHCreateItemFromParsingName(Wide(folder).c_str(), nullptr, IID_PPV_ARGS(&item))))
        return nullptr;
    return item;
}

std::string PathOf(IShellItem* item) {
    PWSTR name = nullptr;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &name))) return {};
    std::string path = Utf8(name);
    ::CoTaskMemFree(name);
    return path;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// Shows the dialog and takes the one file or folder chosen; the dialog is released.
template <class Dialog>
std::optional<std::string> ChosenPath(Dialog* dialog, HWND owner) {
    std::optional<std::string> path;
    IShellItem* item = nullptr;
    if (SUCCEEDED(dialog->Show(owner)) && SUCCEEDED(dialog->GetResult(&item))) {
        if (std::string chosen = PathOf(item); !chosen.empty()) path = std::move(chosen);
        item->Release();
    }
    dialog->Release();
    return path;
}

template <class Dialog>
void StartIn(Dialog* dialog, const std::string& folder) {
    if (IShellItem* item = FolderItem(folder)) {
        dialog->SetFolder(item);
        item->Release();
    }
}

}  // namespace

void Win32Dialogs::ShowInfo(const std::string& text) {
    Ask(owner_, window_text::kInfoCaption, nullptr, text, {{IDOK, "OK"}}, IDOK);
}

void Win32Dialogs::ShowWarning(const std::string& text) {
    Ask(owner_, window_text::kWarningCaption, TD_WARNING_ICON, text, {{IDOK, "OK"}}, IDOK);
}

bool Win32Dialogs::AskYesNo(const std::string& text) {
    return Ask(owner_, window_text::kWarningCaption, TD_WARNING_ICON, text,
               {{kYesButtonId, window_text::kYesButton}, {kNoButtonId, window_text::kNoButton}},
               kNoButtonId) == kYesButtonId;
}

ReplaceAnswer Win32Dialogs::AskReplace(const std::string& text, bool more) {
    const std::pair<int, std::string_view> yes{kYesButtonId, window_text::kYesButton},
        no{kNoButtonId, window_text::kNoButton}, all{kReplaceAllButtonId, window_text::kReplaceAllButton};
    const int chosen =
        more ? Ask(owner_, window_text::kWarningCaption, TD_WARNING_ICON, text, {yes, no, all}, kNoButtonId)
             : Ask(owner_, window_text::kWarningCaption, TD_WARNING_ICON, text, {yes, no}, kNoButtonId);
    return chosen == kYesButtonId          ? ReplaceAnswer::Yes
           : chosen == kReplaceAllButtonId ? ReplaceAnswer::All
                                           : ReplaceAnswer::No;
}

void Win32Dialogs::ShowError(const std::string& text) {
    Ask(owner_, window_text::kInfoCaption, TD_ERROR_ICON, text, {{IDOK, "OK"}}, IDOK);
}

bool Win32Dialogs::ShowSaveFinished(const std::string& text) {
    return Ask(owner_, window_text::kInfoCaption, nullptr, text,
               {{kOpenFolderButtonId, window_text::kOpenFolderButton}, {IDOK, "OK"}}, IDOK) == kOpenFolderButtonId;
}

void Win32Dialogs::OpenFolder(const std::string& folder) {
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(owner_, L"explore", Wide(folder).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) ShowWarning(std::string(window_text::kCannotOpenFolder) + "\n" + folder);
}

void Win32Dialogs::Beep() { ::MessageBeep(MB_OK); }

std::vector<std::string> Win32Dialogs::ChooseOpenFiles() {
    std::vector<std::string> paths;
    IFileOpenDialog* dialog = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog))))
        return paths;
    const std::wstring drawings = Wide(std::string(window_text::kDrawingsFilterName) + " (" +
                                       std::string(window_text::kDrawingsFilterPatterns) + ")");
    const std::wstring all = Wide(std::string(window_text::kAllFilesFilterName) + "(" +
                                  std::string(window_text::kAllFilesFilterPattern) + ")");
    const COMDLG_FILTERSPEC filters[] = {{drawings.c_str(), L"*.jwc;*.jww"}, {all.c_str(), L"*.*"}};
    dialog->SetFileTypes(2, filters);
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_ALLOWMULTISELECT | FOS_FILEMUSTEXIST | FOS_FORCEFILESYSTEM);
    StartIn(dialog, store_.Value(kReadFolderKey).value_or(""));
    IShellItemArray* chosen = nullptr;
    if (SUCCEEDED(dialog->Show(owner_)) && SUCCEEDED(dialog->GetResults(&chosen))) {
        DWORD count = 0;
        chosen->GetCount(&count);
        for (DWORD i = 0; i < count; ++i) {
            IShellItem* item = nullptr;
            if (FAILED(chosen->GetItemAt(i, &item))) continue;
            if (std::string path = PathOf(item); !path.empty()) paths.push_back(std::move(path));
            item->Release();
        }
        chosen->Release();
    }
    dialog->Release();
    if (!paths.empty()) store_.SetValue(kReadFolderKey, FolderOf(paths.front()));
    return paths;
}

std::optional<std::string> Win32Dialogs::ChooseSaveFile(const std::string& proposed, std::string_view fileType) {
    IFileSaveDialog* dialog = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog))))
        return std::nullopt;
    const std::wstring type = Wide(std::string(fileType) + " (*.dxf)");
    const COMDLG_FILTERSPEC filters[] = {{type.c_str(), L"*.dxf"}};
    dialog->SetFileTypes(1, filters);
    dialog->SetDefaultExtension(L"dxf");
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_OVERWRITEPROMPT | FOS_FORCEFILESYSTEM);
    // The proposed name in the folder saved to last, while it exists.
    const std::string kept = store_.Value(kSaveFolderKey).value_or("");
    const std::size_t slash = proposed.find_last_of("\\/");
    StartIn(dialog, IsFolder(kept) ? kept : FolderOf(proposed));
    dialog->SetFileName(Wide(slash == std::string::npos ? proposed : proposed.substr(slash + 1)).c_str());
    const std::optional<std::string> path = ChosenPath(dialog, owner_);
    if (path) store_.SetValue(kSaveFolderKey, FolderOf(*path));
    return path;
}

std::optional<std::string> Win32Dialogs::ChooseFolder(const std::string& title, const std::string& initial) {
    IFileOpenDialog* dialog = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog))))
        return std::nullopt;
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM);
    dialog->SetTitle(Wide(title).c_str());
    // The folder chosen last time, while it exists; else the one proposed.
    const std::string kept = store_.Value(kSaveFolderKey).value_or("");
    StartIn(dialog, IsFolder(kept) ? kept : initial);
    const std::optional<std::string> folder = ChosenPath(dialog, owner_);
    if (folder) store_.SetValue(kSaveFolderKey, *folder);
    return folder;
}

}  // namespace orvik::win
