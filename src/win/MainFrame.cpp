#include "win/MainFrame.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <charconv>
#include <exception>
#include <thread>

#include "app/KeyFilters.h"
#include "app/OutputFormatChoices.h"
#include "app/SettingChecks.h"
#include "app/Version.h"
#include "app/WindowRules.h"
#include "app/WindowTexts.h"
#include "text/Cp932.h"
#include "text/Messages.h"
#include "win/ControlIds.h"
#include "win/ObjectProcedure.h"
#include "winpaint/Wide.h"

namespace orvik::win {
namespace {

namespace text = window_text;

// What the controls show at start-up and after initialise.
const ConversionSettings kDefaults{};

constexpr UINT kWorkDoneMessage = WM_APP + 10;  // the background work has ended
constexpr UINT_PTR kDrawingTimer = 1;  // the drawing follows the settings shortly after a change
constexpr UINT kDrawingDelay = 150;
constexpr int kQuitKeyId = 900;  // Ctrl+Q: closes even while a save has the buttons disabled
constexpr std::string_view kPlacementKey = "window/placement";

// The window's size at 100 % scaling, and the settings columns' width.
constexpr int kWidth = 630, kHeight = 470;

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The window's place as kept: "left,top,right,bottom,shown,dpi", numbers
// only, the rectangle in pixels at the scaling `dpi` it was left at (kept
// without it before: 96).
struct KeptPlace {
    WINDOWPLACEMENT placement{};
    UINT dpi = 96;
};

std::optional<KeptPlace> ParseKeptPlace(std::string_view text) {
    long values[6] = {0, 0, 0, 0, 0, 96};
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    int read = 0;
    for (long& value : values) {
        if (at == end && read == 5) break;
        const auto [next, error] = std::from_chars(at, end, value);
        if (error != std::errc()) return std::nullopt;
        ++read;
        at = next < end && *next == ',' ? next + 1 : next;
    }
    if (at != end || values[5] < 48 || values[5] > 960) return std::nullopt;
    KeptPlace kept;
    kept.placement.length = sizeof kept.placement;
    kept.placement.rcNormalPosition = {values[0], values[1], values[2], values[3]};
    kept.placement.showCmd = values[4] == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    kept.dpi = static_cast<UINT>(values[5]);
    return kept;
}

// The log, a multi-line edit, would take every key, Tab among them, and a
// read-only log does nothing with Tab: it goes on to the next control, as
// from any other; the arrows and page keys still move inside the log.
LRESULT CALLBACK LogProcedure(HWND log, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
    LRESULT result = ::DefSubclassProc(log, message, w, l);
    if (message == WM_GETDLGCODE) {
        const auto* key = reinterpret_cast<const MSG*>(l);
        if (key && key->message == WM_KEYDOWN && key->wParam == VK_TAB) result &= ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
    }
    return result;
}

std::wstring FileName(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return Wide(slash == std::string::npos ? path : path.substr(slash + 1));
}

}  // namespace

MainFrame::MainFrame(Dialogs& dialogs, Drawing& drawing, ConversionSettings& settings, WindowState& state,
                     SettingsStore& store)
    : dialogs_(dialogs), store_(store), commands_(dialogs, *this, drawing, settings, state) {}

MainFrame::~MainFrame() {
    for (HFONT font : {font_, logFont_})
        if (font) ::DeleteObject(font);
    if (accelerators_) ::DestroyAcceleratorTable(accelerators_);
}

HWND MainFrame::Create(HINSTANCE instance, int show) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = &ObjectProcedure<MainFrame>;
    type.hInstance = instance;
    type.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
    type.hIconSm = type.hIcon;
    type.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = kMainWindowClass;
    ::RegisterClassExW(&type);
    window_ = ::CreateWindowExW(WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES, kMainWindowClass, Wide(kWindowCaption).c_str(),
                                WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, kWidth, kHeight, nullptr, nullptr,
                                instance, this);
    if (!window_) return nullptr;
    dpi_ = ::GetDpiForWindow(window_);
    MakeFonts();
    CreateControls();
    ApplyDefaultsOnFirstShow();
    // The size at this scaling, then the place it was left in.
    RECT frame{0, 0, Scaled(kWidth), Scaled(kHeight)};
    ::AdjustWindowRectExForDpi(&frame, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_CONTROLPARENT, dpi_);
    ::SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER);
    Layout();  // the layout's minimum size, for the place kept
    if (std::optional<KeptPlace> kept = ParseKeptPlace(store_.Value(kPlacementKey).value_or(""))) {
        WINDOWPLACEMENT& placement = kept->placement;
        if (show != SW_SHOWNORMAL && show != SW_SHOWDEFAULT) placement.showCmd = static_cast<UINT>(show);
        // The size as it was at its own scaling, at least what the layout needs at this one.
        RECT& r = placement.rcNormalPosition;
        const SIZE least = MinimumWindowSize();
        const auto length = [&](LONG keptLength, LONG leastHere) {
            return std::max<LONG>(::MulDiv(keptLength, static_cast<int>(dpi_), static_cast<int>(kept->dpi)), leastHere);
        };
        r.right = r.left + length(r.right - r.left, least.cx);
        r.bottom = r.top + length(r.bottom - r.top, least.cy);
        ::SetWindowPlacement(window_, &placement);  // kept on a screen by the system
    } else {
        ::ShowWindow(window_, show);
    }
    Layout();
    ::DragAcceptFiles(window_, TRUE);
    ACCEL keys[] = {{FCONTROL | FVIRTKEY, 'O', kReadId},       {FCONTROL | FVIRTKEY, 'S', kSaveId},
                    {FCONTROL | FVIRTKEY, 'Q', kQuitKeyId},    {FVIRTKEY, VK_F1, kAboutId},
                    {FCONTROL | FVIRTKEY, VK_TAB, kNextTabId}, {FCONTROL | FVIRTKEY, VK_NEXT, kNextTabId}};
    accelerators_ = ::CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys)));
    ::SetFocus(Item(kRoundCoordinatesId));
    return window_;
}

bool MainFrame::PreTranslate(MSG& message) {
    if (accelerators_ && ::TranslateAcceleratorW(window_, accelerators_, &message)) return true;
    return ::IsDialogMessageW(window_, &message) != 0;
}

void MainFrame::MakeFonts() {
    for (HFONT font : {font_, logFont_})
        if (font) ::DeleteObject(font);
    // The system's message font at this scaling.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi_);
    font_ = ::CreateFontIndirectW(&metrics.lfMessageFont);
    // The log: a fixed-width Japanese font, one column per byte of CP932, so the report lines stay aligned.
    LOGFONTW fixed{};
    fixed.lfHeight = -Scaled(13);
    fixed.lfCharSet = SHIFTJIS_CHARSET;
    fixed.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    ::wcscpy(fixed.lfFaceName, L"MS Gothic");
    logFont_ = ::CreateFontIndirectW(&fixed);
    pane_.SetFont(font_);
}

void MainFrame::ApplyFonts() {
    ::EnumChildWindows(
        window_,
        [](HWND child, LPARAM font) {
            ::SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(font_));
    ::SendMessageW(Item(kLogId), WM_SETFONT, reinterpret_cast<WPARAM>(logFont_), TRUE);
}

void MainFrame::CreateControls() {
    HWND w = window_;
    constexpr DWORD tab = WS_TABSTOP, check = BS_AUTOCHECKBOX | WS_TABSTOP,
                    list = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
    // Created in tab order: the settings column by column, the buttons, then the left side.
    controls_.Create(w);
    MakeChild(w, WC_BUTTONW, text::kDefaultsButton, BS_PUSHBUTTON | tab | WS_GROUP, kDefaultsId);
    MakeChild(w, WC_BUTTONW, text::kQuitButton, BS_PUSHBUTTON | tab | WS_GROUP, kQuitId);
    MakeChild(w, WC_BUTTONW, text::kReadButton, BS_PUSHBUTTON | tab | WS_GROUP, kReadId);
    MakeChild(w, WC_BUTTONW, text::kSaveButton, BS_PUSHBUTTON | tab | WS_GROUP, kSaveId);
    HWND log = MakeChild(
        w, WC_EDITW, "",
        ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL | tab | WS_GROUP, kLogId,
        WS_EX_CLIENTEDGE);
    ::SendMessageW(log, EM_SETLIMITTEXT, 0, 0);
    MakeChild(w, WC_BUTTONW, text::kLightBackground, check | WS_GROUP, kLightBackgroundId);
    MakeChild(w, WC_BUTTONW, text::kFitButton, BS_PUSHBUTTON | tab | WS_GROUP, kFitId);
    MakeChild(w, WC_BUTTONW, text::kAboutButton, BS_PUSHBUTTON | tab | WS_GROUP, kAboutId);
    MakeChild(w, WC_COMBOBOXW, "", list | WS_GROUP, kBatchBoxId);
    ::ShowWindow(Item(kBatchBoxId), SW_HIDE);
    pane_.Create(w, kDrawingPaneId);
    MakeChild(w, PROGRESS_CLASSW, "", WS_GROUP, kProgressBarId);
    MakeChild(w, WC_STATICW, "", SS_LEFTNOWORDWRAP | SS_PATHELLIPSIS | SS_CENTERIMAGE, kProgressLabelId);
    MakeChild(w, WC_BUTTONW, text::kCancelButton, BS_PUSHBUTTON | tab | WS_GROUP, kCancelId);
    for (int id : {kProgressBarId, kProgressLabelId, kCancelId}) ::ShowWindow(Item(id), SW_HIDE);
    HWND tabs = MakeChild(w, WC_TABCONTROLW, "", WS_CLIPSIBLINGS | tab | WS_GROUP, kTabsId);
    for (std::string_view name : {text::kLogTab, text::kDrawingTab}) {
        std::wstring caption = Wide(name);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        TabCtrl_InsertItem(tabs, TabCtrl_GetItemCount(tabs), &item);
    }
    // Below everything, so the pages and the controls beside the tabs show over it.
    ::SetWindowPos(tabs, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    // The labels and group boxes last: below the controls they surround.
    controls_.CreateLabelsAndGroups();
    for (const SettingControls::Control& control : controls_.Controls())
        if (control.setting && control.setting->kind == SettingKind::Field)
            ::SetWindowSubclass(Item(control.ids[0]), &MainFrame::FieldProcedure, static_cast<UINT_PTR>(control.ids[0]),
                                reinterpret_cast<DWORD_PTR>(this));
    ::SetWindowSubclass(Item(kLogId), &LogProcedure, kLogId, 0);
    ApplyFonts();
    AddTooltips();
}

bool MainFrame::DrawingTabShown() const { return TabCtrl_GetCurSel(Item(kTabsId)) == 1; }

void MainFrame::ShowPage() {
    const bool drawing = DrawingTabShown();
    ::ShowWindow(Item(kLogId), drawing ? SW_HIDE : SW_SHOW);
    ::ShowWindow(pane_.Window(), drawing ? SW_SHOW : SW_HIDE);
    ::ShowWindow(Item(kBatchBoxId), drawing && commands_.State().fileCount > 1 ? SW_SHOW : SW_HIDE);
    Layout();
    // Shown, the drawing takes the keys: F and Home fit it without a click first.
    if (drawing) ::SetFocus(pane_.Window());
    UpdateDrawing();
}

LRESULT MainFrame::Handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_COMMAND: Command(LOWORD(w), HIWORD(w)); return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(l);
            if (header->idFrom == kTabsId && header->code == TCN_SELCHANGE) ShowPage();
            if (header->code == UDN_DELTAPOS) {
                const auto* change = reinterpret_cast<const NMUPDOWN*>(l);
                if (SettingControls::Control* control = controls_.WithId(static_cast<int>(header->idFrom)))
                    StepSpin(control->spin, change->iDelta > 0 ? 1 : -1);
                return 1;  // the control keeps no value of its own
            }
            return 0;
        }
        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
            item->itemHeight = static_cast<UINT>(Scaled(16));
            return TRUE;
        }
        case WM_DRAWITEM: DrawPenItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(l)); return TRUE;
        case WM_SIZE: Layout(); return 0;
        case WM_GETMINMAXINFO: {
            const SIZE least = MinimumWindowSize();
            if (least.cx > 0) reinterpret_cast<MINMAXINFO*>(l)->ptMinTrackSize = {least.cx, least.cy};
            return 0;
        }
        case WM_DPICHANGED: {
            dpi_ = HIWORD(w);
            MakeFonts();
            ApplyFonts();
            for (const int id : controls_.Of("penColors").ids)
                ::SendMessageW(Item(id), CB_SETITEMHEIGHT, 0, Scaled(16));
            const auto* suggested = reinterpret_cast<const RECT*>(l);
            ::SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                           suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            Layout();
            return 0;
        }
        case WM_DROPFILES: {
            const auto drop = reinterpret_cast<HDROP>(w);
            std::vector<std::string> paths;
            const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
            for (UINT i = 0; i < count; ++i) {
                std::wstring path(::DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
                path.resize(::DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
                paths.push_back(Utf8(path));
            }
            ::DragFinish(drop);
            if (!paths.empty() && !busy_) ReadFiles(paths);
            return 0;
        }
        case WM_TIMER:
            if (w == kDrawingTimer) UpdateDrawing();
            return 0;
        case kWorkDoneMessage: workDone_ = true; return 0;
        case kPictureBuiltMessage: picture_.Built(); return 0;
        case WM_CLOSE: Close(); return 0;
        case WM_DESTROY: ::PostQuitMessage(0); return 0;
        default: break;
    }
    return ::DefWindowProcW(window_, message, w, l);
}

void MainFrame::Command(int id, int code) {
    switch (id) {
        case kDefaultsId: RestoreDefaults(); return;
        case kQuitId:
        case kQuitKeyId: Close(); return;
        case kReadId:
            if (::IsWindowEnabled(Item(kReadId))) OpenDrawings();
            return;
        case kSaveId:
            if (::IsWindowEnabled(Item(kSaveId))) ConvertAndSave();
            return;
        case kAboutId: ShowAbout(); return;
        case kFitId: pane_.FitToView(); return;
        case kNextTabId:
            TabCtrl_SetCurSel(Item(kTabsId), DrawingTabShown() ? 0 : 1);
            ShowPage();
            return;
        case kLightBackgroundId: pane_.SetLightBackground(Checked(kLightBackgroundId)); return;
        case kCancelId:
            cancelRequested_ = true;
            ::EnableWindow(Item(kCancelId), FALSE);
            return;
        case kBatchBoxId:
            if (code == CBN_SELCHANGE) {
                ShowBatchMarks();
                picture_.NewDrawing();
                UpdateDrawing();
            }
            return;
        case kPointId:
            if (code == BN_CLICKED && Checked(kPointId)) {
                dialogs_.Beep();
                if (!dialogs_.AskYesNo(Cp932ToUtf8(kPointModeQuestion)))
                    ::CheckRadioButton(window_, kFilledCircleId, kPointId, kFilledCircleId);
            }
            break;
        default: break;
    }
    if (!controls_.WithId(id)) return;
    if (code == BN_CLICKED) EnableFieldsOfChecks();  // a switch a field follows
    if (code == BN_CLICKED || code == EN_CHANGE || code == CBN_SELCHANGE) SettingsChanged();
}

bool MainFrame::Checked(int id) const { return ::SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void MainFrame::Check(int id, bool on) { ::SendMessageW(Item(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

std::string MainFrame::FieldText(int id) const { return Cp932FromWide(WindowText(Item(id))); }

void MainFrame::SetFieldText(int id, const std::string& cp932) {
    ::SetWindowTextW(Item(id), WideFromCp932(cp932).c_str());
}

void MainFrame::ApplyDefaultsOnFirstShow() {
    for (const int id : controls_.Of("penColors").ids) {
        HWND box = Item(id);
        for (std::size_t k = 0; k < std::size(kPenColors); ++k)
            ::SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
        ::SendMessageW(box, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), Scaled(16));
    }
    SelectDefaults();
    EnableFieldsOfChecks();
    SetSpinPositions();
    if (const auto stored = StoredSettingTexts(store_)) ShowControls(*stored);
    Check(kLightBackgroundId, store_.Value(kLightBackgroundKey) == kTrue);
    pane_.SetLightBackground(Checked(kLightBackgroundId));
    ShowPage();
}

void MainFrame::ShowControls(const SettingTexts& texts) {
    controls_.Show(texts);
    EnableFieldsOfChecks();
}

// The spin controls start from the defaults.
void MainFrame::SetSpinPositions() {
    const SettingTexts defaults = TextsOf(kDefaults);
    for (SettingControls::Control& control : controls_.Controls())
        if (control.spin.id != 0)
            SetSpinPosition(control.spin, std::stoi(defaults.at(std::string(control.setting->name))));
}

void MainFrame::SelectDefaults() { ShowControls(TextsAfterInitialise(ReadControls())); }

void MainFrame::RestoreDefaults() {
    SelectDefaults();
    commands_.Forget();
    DrawingRead();
    SetSpinPositions();
}

void MainFrame::OpenDrawings() {
    commands_.OpenDrawings();
    DrawingRead();
}

void MainFrame::ReadFiles(const std::vector<std::string>& paths) {
    commands_.DropFiles(paths);
    DrawingRead();
}

void MainFrame::ConvertAndSave() {
    commands_.ConvertAndSave();
    ShowBatchMarks();
    if (closeWhenDone_) {
        closeWhenDone_ = false;
        Close();
    }
}

void MainFrame::ShowAbout() {
    const std::string_view format =
        ChoiceOf(WindowSettingsFrom(ReadControls()).value_or(kDefaults).outputFormat).fileType;
    const std::string about = std::string(kWindowCaption) + "\n\n" + std::string(text::kAboutLead) +
                              std::string(format) + "\n" + std::string(text::kAboutRights) +
                              "  zlib（zlib ライセンス）\n"
                              "  MinGW-w64 ランタイム、winpthreads（MIT ライセンスほか）\n"
                              "  GCC ランタイムライブラリ（GPL v3、GCC ランタイムライブラリ例外）";
    ::MessageBoxW(window_, Wide(about).c_str(), Wide(text::kAboutCaption).c_str(), MB_OK | MB_ICONINFORMATION);
}

void MainFrame::Close() {
    if (busy_) {
        // A save is under way: on yes, it stops after the drawing under way
        // (what is written stays) and the window closes then.
        if (!closeWhenDone_ && dialogs_.AskYesNo(Cp932ToUtf8(kCloseDuringBatch))) {
            cancelRequested_ = true;
            closeWhenDone_ = true;
        }
        return;
    }
    StoreOnClose();
    ::DestroyWindow(window_);
}

void MainFrame::StoreOnClose() {
    StoreSettingTexts(store_, ReadControls());
    store_.SetValue(kLightBackgroundKey, std::string(Checked(kLightBackgroundId) ? kTrue : kFalse));
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (::GetWindowPlacement(window_, &placement)) {
        const RECT& r = placement.rcNormalPosition;
        const UINT shown = placement.showCmd == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
        store_.SetValue(kPlacementKey, std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                                           std::to_string(r.right) + "," + std::to_string(r.bottom) + "," +
                                           std::to_string(shown) + "," + std::to_string(dpi_));
    }
}

// After a read, or another drawing of a batch chosen: that drawing, fitted,
// or nothing when none is loaded.
void MainFrame::DrawingRead() {
    const WindowState& state = commands_.State();
    HWND box = Item(kBatchBoxId);
    ::SendMessageW(box, CB_RESETCONTENT, 0, 0);
    if (state.fileCount > 1) {
        for (const std::string& path : state.batchFiles)
            ::SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FileName(path).c_str()));
        ::SendMessageW(box, CB_SETCURSEL, 0, 0);
        ::SendMessageW(box, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(Scaled(400)), 0);
    }
    ShowBatchMarks();
    picture_.NewDrawing();
    ShowPage();  // and the drawing tab's picture
}

void MainFrame::ShowBatchMarks() {
    const WindowState& state = commands_.State();
    HWND box = Item(kBatchBoxId);
    const auto selected = ::SendMessageW(box, CB_GETCURSEL, 0, 0);
    const auto count = static_cast<std::size_t>(std::max<LRESULT>(::SendMessageW(box, CB_GETCOUNT, 0, 0), 0));
    for (std::size_t i = 0; i < count && i < state.batchFiles.size(); ++i) {
        const std::optional<BatchMark> mark = i < state.batchMarks.size() ? state.batchMarks[i] : std::nullopt;
        const std::wstring name = Wide(BatchMarkSign(mark)) + FileName(state.batchFiles[i]);
        ::SendMessageW(box, CB_DELETESTRING, i, 0);
        ::SendMessageW(box, CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(name.c_str()));
    }
    ::SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(std::max<LRESULT>(selected, 0)), 0);
    // The tooltip names the shown drawing's path, and what the save found.
    if (tooltips_ && selected >= 0 && static_cast<std::size_t>(selected) < state.batchFiles.size()) {
        const auto at = static_cast<std::size_t>(selected);
        std::string tip = state.batchFiles[at];
        if (at < state.batchMarks.size() && state.batchMarks[at] && !state.batchMarks[at]->reason.empty())
            tip.append("\n").append(Cp932ToUtf8(state.batchMarks[at]->reason));
        std::wstring wide = Wide(tip);
        TTTOOLINFOW info{};
        info.cbSize = sizeof info;
        info.hwnd = window_;
        info.uId = reinterpret_cast<UINT_PTR>(box);
        info.lpszText = wide.data();
        ::SendMessageW(tooltips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void MainFrame::SettingsChanged() {
    drawingPending_ = true;
    ::SetTimer(window_, kDrawingTimer, kDrawingDelay, nullptr);
}

void MainFrame::UpdateDrawing() {
    ::KillTimer(window_, kDrawingTimer);
    drawingPending_ = false;
    const auto selected = ::SendMessageW(Item(kBatchBoxId), CB_GETCURSEL, 0, 0);
    picture_.Update(DrawingTabShown(), static_cast<std::size_t>(std::max<LRESULT>(selected, 0)));
}

void MainFrame::ClearLog() { ::SetWindowTextW(Item(kLogId), L""); }

void MainFrame::AppendLog(const std::string& text) {
    HWND log = Item(kLogId);
    std::wstring lines;
    bool first = ::GetWindowTextLengthW(log) == 0;
    for (const std::string& line : SplitLogText(text)) {
        if (!first) lines += L"\r\n";
        first = false;
        lines += Wide(line);
    }
    const int end = ::GetWindowTextLengthW(log);
    ::SendMessageW(log, EM_SETSEL, end, end);
    ::SendMessageW(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(lines.c_str()));
    // The caret at the start of the last line: the log shows its beginnings, not the end of the longest.
    const auto last = ::SendMessageW(log, EM_LINEINDEX, ::SendMessageW(log, EM_GETLINECOUNT, 0, 0) - 1, 0);
    ::SendMessageW(log, EM_SETSEL, last, last);
    ::SendMessageW(log, EM_SCROLLCARET, 0, 0);
}

void MainFrame::SetScaleList(const ScaleList& list) {
    HWND box = Item(kScaleId);
    ::SendMessageW(box, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : list.items)
        ::SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
    ::SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(list.selected), 0);
    // Long scales ("0.300000011920929") are shown whole in a list as wide as the longest.
    ::SendMessageW(box, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(Scaled(160)), 0);
}

std::string MainFrame::ScaleText() const {
    HWND box = Item(kScaleId);
    const auto at = ::SendMessageW(box, CB_GETCURSEL, 0, 0);
    if (at < 0) return {};
    std::wstring item(static_cast<std::size_t>(::SendMessageW(box, CB_GETLBTEXTLEN, at, 0)) + 1, L'\0');
    item.resize(static_cast<std::size_t>(::SendMessageW(box, CB_GETLBTEXT, at, reinterpret_cast<LPARAM>(item.data()))));
    return Utf8(item);
}

SettingTexts MainFrame::ReadControls() const { return controls_.Read(); }

void MainFrame::SetFieldText(std::string_view setting, const std::string& text) {
    controls_.Show(controls_.Of(setting), text);
}

void MainFrame::FocusWindow() { ::SetForegroundWindow(window_); }

void MainFrame::RunInBackground(const std::function<void()>& work) {
    std::exception_ptr failure;  // what the work threw, thrown again here
    workDone_ = false;
    HWND window = window_;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        ::PostMessageW(window, kWorkDoneMessage, 0, 0);
    });
    // The window repaints, and cancel can be pressed, until the work is done.
    MSG message;
    while (!workDone_ && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (PreTranslate(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    worker.join();
    if (failure) std::rethrow_exception(failure);
}

void MainFrame::ShowProgress(int done, int total, const std::string& current) {
    ShowBatchMarks();  // the drawings done so far
    const bool running = total > 0;
    if (running && !busy_) {
        cancelRequested_ = false;
        ::EnableWindow(Item(kCancelId), TRUE);
    }
    busy_ = running;
    // While a save runs, only cancel and the views answer.
    for (int id : {kDefaultsId, kQuitId, kReadId, kSaveId}) ::EnableWindow(Item(id), !running);
    for (const SettingControls::Control& control : controls_.Controls()) {
        for (const int id : control.ids) ::EnableWindow(Item(id), !running);
        if (control.spin.id != 0) ::EnableWindow(Item(control.spin.id), !running);
    }
    if (!running) EnableFieldsOfChecks();
    ::DragAcceptFiles(window_, !running);
    const bool wasShown = ::IsWindowVisible(Item(kProgressBarId)) != 0;
    for (int id : {kProgressBarId, kProgressLabelId}) ::ShowWindow(Item(id), running ? SW_SHOW : SW_HIDE);
    ::ShowWindow(Item(kCancelId), total > 1 ? SW_SHOW : SW_HIDE);  // a single drawing is one step
    if (wasShown != running) Layout();
    if (!running) return;
    ::SendMessageW(Item(kProgressBarId), PBM_SETRANGE32, 0, total);
    ::SendMessageW(Item(kProgressBarId), PBM_SETPOS, static_cast<WPARAM>(done), 0);
    const std::wstring label = std::to_wstring(done) + L" / " + std::to_wstring(total) + L"  " + Wide(current);
    ::SetWindowTextW(Item(kProgressLabelId), label.c_str());
}

}  // namespace orvik::win
