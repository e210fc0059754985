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
#include "win/Wide.h"

namespace orvik::win {
namespace {

namespace text = window_text;

// What the controls show at start-up and after initialise.
const ConversionSettings kDefaults{};

constexpr UINT kWorkDoneMessage = WM_APP + 10;  // the background work has ended
constexpr UINT kPictureBuiltMessage = WM_APP + 11;  // the drawing tab's picture is there
constexpr UINT_PTR kDrawingTimer = 1;  // the drawing follows the settings shortly after a change
constexpr UINT kDrawingDelay = 150;
constexpr int kQuitKeyId = 900;  // Ctrl+Q: closes even while a save has the buttons disabled
constexpr std::string_view kPlacementKey = "window/placement";

// The window's size at 100 % scaling, and the settings columns' width.
constexpr int kWidth = 630, kHeight = 470, kColumnWidth = 150, kMargin = 6, kGap = 4;
constexpr int kCaptionHeight = 16, kRowHeight = 18, kFieldHeight = 21, kGroupBottom = 6;

struct Group {
    std::string_view caption;
    std::string_view tooltip;
};
// The group boxes in layout order: column 1, then column 2.
constexpr Group kGroups[] = {
    {text::kNumbersGroup, text::kNumbersTip},
    {text::kPointsGroup, text::kPointsTip},
    {text::kLineTypesGroup, text::kLineTypesTip},
    {text::kCurvesGroup, {}},
    {text::kBlocksGroup, text::kBlocksTip},
    {text::kTextShrinkGroup, text::kTextShrinkTip},
    {text::kHalfWidthGroup, {}},
    {text::kScaleGroup, text::kScaleTip},
    {text::kOutputFormatGroup, {}},
    {text::kLayerNamesGroup, text::kLayerNamesTip},
    {text::kAuxiliaryGroup, text::kAuxiliaryTip},
    {text::kPenColorsGroup, text::kPenColorsTip},
};
constexpr int kColumn1Groups = 7;
// The labels beside the fields, identified after the groups.
enum Label : int {
    kRadiusLabel = kFirstGroupId + 20,
    kMillimetresLabel,
    kShrinkLabel,
    kShrinkPercentLabel,
    kAspectLabel,
    kAspectPercentLabel,
    kPenLabel1
};

HWND Make(HWND parent, const wchar_t* type, std::string_view caption, DWORD style, int id, DWORD extended = 0) {
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    return ::CreateWindowExW(extended, type, Wide(caption).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

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
    constexpr DWORD tab = WS_TABSTOP, check = BS_AUTOCHECKBOX | WS_TABSTOP, field = ES_AUTOHSCROLL | WS_TABSTOP,
                    list = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
    // Created in tab order: the settings column by column, the buttons, then the left side.
    Make(w, WC_BUTTONW, text::kRoundCoordinates, check | WS_GROUP, kRoundCoordinatesId);
    Make(w, WC_BUTTONW, text::kFilledCircle, BS_AUTORADIOBUTTON | tab | WS_GROUP, kFilledCircleId);
    Make(w, WC_BUTTONW, text::kCircle, BS_AUTORADIOBUTTON, kCircleId);
    Make(w, WC_BUTTONW, text::kPointAsIs, BS_AUTORADIOBUTTON, kPointId);
    Make(w, WC_EDITW, "", field | WS_GROUP, kPointRadiusId, WS_EX_CLIENTEDGE);
    Make(w, WC_BUTTONW, text::kJwLineTypes, BS_AUTORADIOBUTTON | tab | WS_GROUP, kJwLineTypesId);
    Make(w, WC_BUTTONW, text::kAcadLineTypes, BS_AUTORADIOBUTTON, kAcadLineTypesId);
    Make(w, WC_BUTTONW, text::kPolylines, check | WS_GROUP, kPolylinesId);
    Make(w, WC_BUTTONW, text::kExplodeBlocks, check | WS_GROUP, kExplodeBlocksId);
    Make(w, WC_BUTTONW, text::kShrinkTexts, check | WS_GROUP, kShrinkTextsId);
    Make(w, WC_EDITW, "", field | WS_GROUP, kTextShrinkId, WS_EX_CLIENTEDGE);
    Make(w, UPDOWN_CLASSW, "", UDS_ARROWKEYS, kTextShrinkSpinId);
    Make(w, WC_BUTTONW, text::kNarrowHalfWidth, check | WS_GROUP, kNarrowHalfWidthId);
    Make(w, WC_EDITW, "", field | WS_GROUP, kHalfWidthAspectId, WS_EX_CLIENTEDGE);
    Make(w, UPDOWN_CLASSW, "", UDS_ARROWKEYS, kHalfWidthAspectSpinId);
    Make(w, WC_COMBOBOXW, "", list | WS_GROUP, kScaleId);
    Make(w, WC_COMBOBOXW, "", list | WS_GROUP, kOutputFormatId);
    Make(w, WC_BUTTONW, text::kPlainLayerNames, check | WS_GROUP, kPlainLayerNamesId);
    Make(w, WC_BUTTONW, text::kAuxiliaryOnDefpoints, check | WS_GROUP, kAuxiliaryOnDefpointsId);
    for (int i = 0; i < 6; ++i)
        Make(w, WC_COMBOBOXW, "", list | CBS_OWNERDRAWFIXED | (i == 0 ? WS_GROUP : 0), kPenColor1Id + i);
    Make(w, WC_BUTTONW, text::kDefaultsButton, BS_PUSHBUTTON | tab | WS_GROUP, kDefaultsId);
    Make(w, WC_BUTTONW, text::kQuitButton, BS_PUSHBUTTON | tab | WS_GROUP, kQuitId);
    Make(w, WC_BUTTONW, text::kReadButton, BS_PUSHBUTTON | tab | WS_GROUP, kReadId);
    Make(w, WC_BUTTONW, text::kSaveButton, BS_PUSHBUTTON | tab | WS_GROUP, kSaveId);
    HWND log =
        Make(w, WC_EDITW, "",
             ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL | tab | WS_GROUP,
             kLogId, WS_EX_CLIENTEDGE);
    ::SendMessageW(log, EM_SETLIMITTEXT, 0, 0);
    Make(w, WC_BUTTONW, text::kLightBackground, check | WS_GROUP, kLightBackgroundId);
    Make(w, WC_BUTTONW, text::kFitButton, BS_PUSHBUTTON | tab | WS_GROUP, kFitId);
    Make(w, WC_BUTTONW, text::kAboutButton, BS_PUSHBUTTON | tab | WS_GROUP, kAboutId);
    Make(w, WC_COMBOBOXW, "", list | WS_GROUP, kBatchBoxId);
    ::ShowWindow(Item(kBatchBoxId), SW_HIDE);
    pane_.Create(w, kDrawingPaneId);
    Make(w, PROGRESS_CLASSW, "", WS_GROUP, kProgressBarId);
    Make(w, WC_STATICW, "", SS_LEFTNOWORDWRAP | SS_PATHELLIPSIS | SS_CENTERIMAGE, kProgressLabelId);
    Make(w, WC_BUTTONW, text::kCancelButton, BS_PUSHBUTTON | tab | WS_GROUP, kCancelId);
    for (int id : {kProgressBarId, kProgressLabelId, kCancelId}) ::ShowWindow(Item(id), SW_HIDE);
    HWND tabs = Make(w, WC_TABCONTROLW, "", WS_CLIPSIBLINGS | tab | WS_GROUP, kTabsId);
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
    const std::pair<int, std::string_view> labels[] = {
        {kRadiusLabel, text::kRadius}, {kMillimetresLabel, text::kMillimetres},
        {kShrinkLabel, text::kShrink}, {kShrinkPercentLabel, text::kPercent},
        {kAspectLabel, text::kAspect}, {kAspectPercentLabel, text::kPercent}};
    for (const auto& [id, caption] : labels) Make(w, WC_STATICW, caption, SS_LEFT | SS_CENTERIMAGE, id);
    for (int i = 0; i < 6; ++i)
        Make(w, WC_STATICW, std::string(text::kPen) + std::to_string(i + 1), SS_LEFT | SS_CENTERIMAGE, kPenLabel1 + i);
    for (int i = 0; i < static_cast<int>(std::size(kGroups)); ++i)
        Make(w, WC_BUTTONW, kGroups[i].caption, BS_GROUPBOX | WS_CLIPSIBLINGS, kFirstGroupId + i);
    ::SendMessageW(Item(kTextShrinkId), EM_LIMITTEXT, 2, 0);
    ::SendMessageW(Item(kHalfWidthAspectId), EM_LIMITTEXT, 2, 0);
    for (int id : {kPointRadiusId, kTextShrinkId, kHalfWidthAspectId})
        ::SetWindowSubclass(Item(id), &MainFrame::FieldProcedure, static_cast<UINT_PTR>(id),
                            reinterpret_cast<DWORD_PTR>(this));
    ::SetWindowSubclass(Item(kLogId), &LogProcedure, kLogId, 0);
    for (int id : {kTextShrinkSpinId, kHalfWidthAspectSpinId}) ::SendMessageW(Item(id), UDM_SETRANGE32, 0, 100);
    textShrinkSpin_.field = kTextShrinkId;
    halfWidthAspectSpin_.field = kHalfWidthAspectId;
    for (const OutputFormatChoice& choice : kOutputFormatChoices)
        ::SendMessageW(Item(kOutputFormatId), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(choice.name).c_str()));
    settingControls_ = SettingControls();
    ApplyFonts();
    AddTooltips();
}

std::vector<MainFrame::SettingControl> MainFrame::SettingControls() {
    std::vector<int> pens;
    for (int i = 0; i < 6; ++i) pens.push_back(kPenColor1Id + i);
    return {
        {"roundCoordinates", {kRoundCoordinatesId}},
        {"pointMode", {kFilledCircleId, kCircleId, kPointId}},
        {"pointRadius", {kPointRadiusId}},
        {"jwLineTypes", {kJwLineTypesId, kAcadLineTypesId}},
        {"curvesAsPolylines", {kPolylinesId}},
        {"explodeBlocks", {kExplodeBlocksId}},
        {"shrinkTexts", {kShrinkTextsId}},
        {"textShrink", {kTextShrinkId}},
        {"", {kTextShrinkSpinId}},
        {"narrowHalfWidthTexts", {kNarrowHalfWidthId}},
        {"halfWidthAspect", {kHalfWidthAspectId}},
        {"", {kHalfWidthAspectSpinId}},
        {"", {kScaleId}},  // chosen from each drawing's scales
        {"outputFormat", {kOutputFormatId}},
        {"plainLayerNames", {kPlainLayerNamesId}},
        {"auxiliaryOnDefpoints", {kAuxiliaryOnDefpointsId}},
        {"penColors", pens},
    };
}

// Shows the setting's text in its controls: a check box, radio buttons or
// a list for its choices, a field, or the six pen colour lists.
void MainFrame::ShowSetting(const Setting& setting, const std::vector<int>& ids, const std::string& text) {
    if (setting.kind == SettingKind::PenColors) {
        const std::array<int, 6> numbers = PenColorNumbers(text);
        for (std::size_t i = 0; i < ids.size() && i < numbers.size(); ++i)
            for (std::size_t k = 0; k < std::size(kPenColors); ++k)
                if (kPenColors[k].second == numbers[i]) ::SendMessageW(Item(ids[i]), CB_SETCURSEL, k, 0);
    } else if (setting.kind == SettingKind::Field) {
        SetFieldText(ids[0], text);
    } else if (setting.kind == SettingKind::Switch) {
        Check(ids[0], text == kTrue);
    } else {
        for (std::size_t i = 0; i < setting.choices.size(); ++i) {
            if (setting.choices[i].value != text) continue;
            if (ids.size() == setting.choices.size())
                ::CheckRadioButton(window_, ids.front(), ids.back(), ids[i]);
            else
                ::SendMessageW(Item(ids[0]), CB_SETCURSEL, i, 0);
        }
    }
}

// The setting's text as its controls show it.
std::string MainFrame::ReadSetting(const Setting& setting, const std::vector<int>& ids) const {
    if (setting.kind == SettingKind::PenColors) {
        std::array<int, 6> numbers{};
        for (std::size_t i = 0; i < ids.size() && i < numbers.size(); ++i) {
            const auto at = ::SendMessageW(Item(ids[i]), CB_GETCURSEL, 0, 0);
            numbers[i] = at < 0 ? 0 : kPenColors[static_cast<std::size_t>(at)].second;
        }
        return PenColorsText(numbers);
    }
    if (setting.kind == SettingKind::Field) return FieldText(ids[0]);
    if (setting.kind == SettingKind::Switch) return std::string(Checked(ids[0]) ? kTrue : kFalse);
    if (ids.size() != setting.choices.size()) {
        const auto at = ::SendMessageW(Item(ids[0]), CB_GETCURSEL, 0, 0);
        return std::string(setting.choices[static_cast<std::size_t>(std::max<LRESULT>(at, 0))].value);
    }
    for (std::size_t i = 0; i < ids.size(); ++i)
        if (Checked(ids[i])) return std::string(setting.choices[i].value);
    return std::string(setting.choices.back().value);
}

void MainFrame::AddTooltips() {
    tooltips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, nullptr,
                                  nullptr);
    ::SendMessageW(tooltips_, TTM_SETMAXTIPWIDTH, 0, Scaled(400));
    ::SendMessageW(tooltips_, TTM_SETDELAYTIME, TTDT_AUTOPOP, 30000);
    const auto add = [this](int id, std::string_view tip) {
        if (tip.empty()) return;
        std::wstring wide = Wide(tip);
        TTTOOLINFOW info{};
        info.cbSize = sizeof info;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = window_;
        info.uId = reinterpret_cast<UINT_PTR>(Item(id));
        info.lpszText = wide.data();
        ::SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    };
    add(kLogId, text::kLogTip);
    add(kFitId, text::kFitTip);
    add(kBatchBoxId, text::kBatchBoxTip);
    add(kCancelId, text::kCancelTip);
    add(kDefaultsId, text::kDefaultsTip);
    add(kQuitId, text::kQuitTip);
    add(kReadId, text::kReadTip);
    add(kSaveId, text::kSaveTip);
    add(kAboutId, text::kAboutTip);
    // A group box lets the mouse through to the window: its tip is the window's, over the group's area (see Layout).
    for (int i = 0; i < static_cast<int>(std::size(kGroups)); ++i) {
        if (kGroups[i].tooltip.empty()) continue;
        std::wstring wide = Wide(kGroups[i].tooltip);
        TTTOOLINFOW info{};
        info.cbSize = sizeof info;
        info.uFlags = TTF_SUBCLASS;
        info.hwnd = window_;
        info.uId = static_cast<UINT_PTR>(kFirstGroupId + i);
        info.lpszText = wide.data();
        ::SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    // The output format's readers, one line each.
    std::string readers;
    for (const OutputFormatChoice& choice : kOutputFormatChoices) {
        if (!readers.empty()) readers += '\n';
        readers += std::string(choice.name) + ": " + Cp932ToUtf8(std::string(choice.readers));
    }
    add(kOutputFormatId, readers);
}

void MainFrame::Layout() {
    RECT client{};
    ::GetClientRect(window_, &client);
    const int margin = Scaled(kMargin), gap = Scaled(kGap), column = Scaled(kColumnWidth);
    const int x1 = client.right - margin - column - gap - column, x2 = client.right - margin - column;
    const int settingsBottom = std::max(LayOutColumn1(x1), LayOutColumn2(x2));
    const int leftLeast = LayOutLeftSide(x1 - gap, client.bottom);
    // The least the layout needs: the left side beside the two columns, everything above the bottom margin.
    minimumClient_ = {margin + leftLeast + gap + 2 * column + gap + margin, settingsBottom + margin};
    ::InvalidateRect(window_, nullptr, TRUE);
}

void MainFrame::Place(int id, int x, int y, int width, int height) {
    ::SetWindowPos(Item(id), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Group box `group` at x, y around contents `contentHeight` high, its
// tooltip's area with it; `y` moves below it. The top of its contents.
int MainFrame::PlaceGroup(int group, int x, int& y, int contentHeight) {
    const int column = Scaled(kColumnWidth), h = Scaled(kCaptionHeight) + contentHeight + Scaled(kGroupBottom);
    Place(kFirstGroupId + group, x, y, column, h);
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = window_;
    info.uId = static_cast<UINT_PTR>(kFirstGroupId + group);
    info.rect = {x, y, x + column, y + h};
    if (tooltips_) ::SendMessageW(tooltips_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
    const int top = y + Scaled(kCaptionHeight);
    y += h + Scaled(kGap);
    return top;
}

// A row of a label, a field (and its spin control, if any) and a unit; widths at 96 DPI.
void MainFrame::PlaceFieldRow(int x, int y, int label, int labelWidth, int field, int fieldWidth, int spin, int unit) {
    const int height = Scaled(kFieldHeight);
    Place(label, x, y, Scaled(labelWidth), height);
    int at = x + Scaled(labelWidth) + Scaled(3);
    Place(field, at, y, Scaled(fieldWidth), height);
    at += Scaled(fieldWidth);
    if (spin) {
        Place(spin, at, y, Scaled(15), height);
        at += Scaled(15);
    }
    Place(unit, at + Scaled(3), y, Scaled(24), height);
}

// The first settings column at x; the bottom of its last group.
int MainFrame::LayOutColumn1(int x) {
    const int c = x + Scaled(8), inner = Scaled(kColumnWidth) - 2 * Scaled(8), row = Scaled(kRowHeight),
              fieldHeight = Scaled(kFieldHeight);
    int group = 0, y = Scaled(kMargin);
    int top = PlaceGroup(group++, x, y, row);
    Place(kRoundCoordinatesId, c, top, inner, row);
    top = PlaceGroup(group++, x, y, 3 * row + fieldHeight + Scaled(2));
    for (int id : {kFilledCircleId, kCircleId, kPointId}) {
        Place(id, c, top, inner, row);
        top += row;
    }
    PlaceFieldRow(c, top + Scaled(2), kRadiusLabel, 28, kPointRadiusId, 50, 0, kMillimetresLabel);
    top = PlaceGroup(group++, x, y, 2 * row);
    Place(kJwLineTypesId, c, top, inner, row);
    Place(kAcadLineTypesId, c, top + row, inner, row);
    top = PlaceGroup(group++, x, y, row);
    Place(kPolylinesId, c, top, inner, row);
    top = PlaceGroup(group++, x, y, row);
    Place(kExplodeBlocksId, c, top, inner, row);
    top = PlaceGroup(group++, x, y, row + fieldHeight + Scaled(2));
    Place(kShrinkTextsId, c, top, inner, row);
    PlaceFieldRow(c, top + row + Scaled(2), kShrinkLabel, 40, kTextShrinkId, 30, kTextShrinkSpinId,
                  kShrinkPercentLabel);
    top = PlaceGroup(group++, x, y, row + fieldHeight + Scaled(2));
    Place(kNarrowHalfWidthId, c, top, inner, row);
    PlaceFieldRow(c, top + row + Scaled(2), kAspectLabel, 40, kHalfWidthAspectId, 30, kHalfWidthAspectSpinId,
                  kAspectPercentLabel);
    return y - Scaled(kGap);
}

// The second settings column at x, with the four buttons below it; the bottom of the buttons.
int MainFrame::LayOutColumn2(int x) {
    const int c = x + Scaled(8), inner = Scaled(kColumnWidth) - 2 * Scaled(8), row = Scaled(kRowHeight),
              fieldHeight = Scaled(kFieldHeight), listHeight = Scaled(240), gap = Scaled(kGap);
    int group = kColumn1Groups, y = Scaled(kMargin);
    int top = PlaceGroup(group++, x, y, fieldHeight + Scaled(3));
    Place(kScaleId, c, top, inner, listHeight);
    top = PlaceGroup(group++, x, y, fieldHeight + Scaled(3));
    Place(kOutputFormatId, c, top, inner, listHeight);
    top = PlaceGroup(group++, x, y, row);
    Place(kPlainLayerNamesId, c, top, inner, row);
    top = PlaceGroup(group++, x, y, row);
    Place(kAuxiliaryOnDefpointsId, c, top, inner, row);
    const int penRow = Scaled(22);
    top = PlaceGroup(group++, x, y, 6 * penRow);
    for (int i = 0; i < 6; ++i) {
        Place(kPenLabel1 + i, c, top + i * penRow, Scaled(40), penRow - Scaled(2));
        Place(kPenColor1Id + i, c + Scaled(44), top + i * penRow, Scaled(73), listHeight);
    }
    const int buttonWidth = (Scaled(kColumnWidth) - gap) / 2, buttonHeight = Scaled(25);
    Place(kDefaultsId, x, y, buttonWidth, buttonHeight);
    Place(kQuitId, x + buttonWidth + gap, y, buttonWidth, buttonHeight);
    Place(kReadId, x, y + buttonHeight + gap, buttonWidth, buttonHeight);
    Place(kSaveId, x + buttonWidth + gap, y + buttonHeight + gap, buttonWidth, buttonHeight);
    return y + 2 * buttonHeight + gap;
}

// The left side up to `right`: the tabs, the controls beside them, and
// below them the progress of a save. The least width it needs: the tabs'
// captions beside the corner's controls.
int MainFrame::LayOutLeftSide(int right, int height) {
    const int margin = Scaled(kMargin), gap = Scaled(kGap), left = margin;
    const bool progress = ::IsWindowVisible(Item(kProgressBarId)) != 0;
    const int progressHeight = progress ? Scaled(24) + gap : 0;
    const int tabsBottom = height - margin - progressHeight;
    Place(kTabsId, left, margin, right - left, tabsBottom - margin);
    const int cornerHeight = Scaled(20);
    int cx = right - Scaled(22);
    Place(kAboutId, cx, margin, Scaled(22), cornerHeight);
    cx -= Scaled(70) + gap;
    Place(kFitId, cx, margin, Scaled(70), cornerHeight);
    cx -= Scaled(64) + gap;
    Place(kLightBackgroundId, cx, margin, Scaled(64), cornerHeight);
    RECT page{left, margin, right, tabsBottom};
    TabCtrl_AdjustRect(Item(kTabsId), FALSE, &page);
    Place(kLogId, page.left, page.top, page.right - page.left, page.bottom - page.top);
    const bool batch = ::IsWindowVisible(Item(kBatchBoxId)) || (commands_.State().fileCount > 1 && DrawingTabShown());
    const int batchHeight = batch ? Scaled(kFieldHeight) + Scaled(2) : 0;
    Place(kBatchBoxId, page.left, page.top, page.right - page.left, Scaled(240));
    Place(kDrawingPaneId, page.left, page.top + batchHeight, page.right - page.left,
          page.bottom - page.top - batchHeight);
    if (progress) {
        const int py = height - margin - Scaled(24);
        Place(kProgressBarId, left, py + Scaled(2), Scaled(110), Scaled(20));
        Place(kCancelId, right - Scaled(60), py, Scaled(60), Scaled(24));
        Place(kProgressLabelId, left + Scaled(116), py, right - Scaled(60) - gap - left - Scaled(116), Scaled(24));
    }
    RECT tabCaptions{};
    TabCtrl_GetItemRect(Item(kTabsId), TabCtrl_GetItemCount(Item(kTabsId)) - 1, &tabCaptions);
    return tabCaptions.right + gap + (right - cx);
}

SIZE MainFrame::MinimumWindowSize() const {
    if (minimumClient_.cx == 0) return {0, 0};  // not laid out yet
    RECT frame{0, 0, minimumClient_.cx, minimumClient_.cy};
    ::AdjustWindowRectExForDpi(&frame, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_CONTROLPARENT, dpi_);
    return {frame.right - frame.left, frame.bottom - frame.top};
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
                StepSpin(header->idFrom == kTextShrinkSpinId ? textShrinkSpin_ : halfWidthAspectSpin_,
                         change->iDelta > 0 ? 1 : -1);
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
            for (int i = 0; i < 6; ++i) ::SendMessageW(Item(kPenColor1Id + i), CB_SETITEMHEIGHT, 0, Scaled(16));
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
        case kPictureBuiltMessage: PictureBuilt(); return 0;
        case WM_CLOSE: Close(); return 0;
        case WM_DESTROY: ::PostQuitMessage(0); return 0;
        default: break;
    }
    return ::DefWindowProcW(window_, message, w, l);
}

void MainFrame::Command(int id, int code) {
    if (id >= kPenColor1Id && id < kPenColor1Id + 6 && code == CBN_SELCHANGE) return SettingsChanged();
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
                fitNextDrawing_ = true;
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
        case kShrinkTextsId:
        case kNarrowHalfWidthId: EnableFieldsOfChecks(); break;
        default: break;
    }
    const bool setting = std::any_of(settingControls_.begin(), settingControls_.end(), [id](const SettingControl& s) {
        return std::find(s.ids.begin(), s.ids.end(), id) != s.ids.end();
    });
    if (setting && (code == BN_CLICKED || code == EN_CHANGE || code == CBN_SELCHANGE)) SettingsChanged();
}

void MainFrame::DrawPenItem(const DRAWITEMSTRUCT& item) const {
    if (item.CtlType != ODT_COMBOBOX) return;
    const bool selected = (item.itemState & ODS_SELECTED) && !(item.itemState & ODS_COMBOBOXEDIT);
    ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= std::size(kPenColors)) return;
    // The swatch: inset 2 pixels, outlined in black.
    RECT swatch{item.rcItem.left + 2, item.rcItem.top + 2, item.rcItem.right - 2, item.rcItem.bottom - 2};
    HBRUSH fill = ::CreateSolidBrush(static_cast<COLORREF>(kPenColors[item.itemID].first));
    HGDIOBJ oldBrush = ::SelectObject(item.hDC, fill);
    HGDIOBJ oldPen = ::SelectObject(item.hDC, ::GetStockObject(BLACK_PEN));
    ::Rectangle(item.hDC, swatch.left, swatch.top, swatch.right, swatch.bottom);
    ::SelectObject(item.hDC, oldPen);
    ::SelectObject(item.hDC, oldBrush);
    ::DeleteObject(fill);
    if (item.itemState & ODS_FOCUS) ::DrawFocusRect(item.hDC, &item.rcItem);
}

LRESULT CALLBACK MainFrame::FieldProcedure(HWND field, UINT message, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR data) {
    auto* frame = reinterpret_cast<MainFrame*>(data);
    const bool percent = id != kPointRadiusId;
    Spin& spin = id == kTextShrinkId ? frame->textShrinkSpin_ : frame->halfWidthAspectSpin_;
    switch (message) {
        case WM_CHAR: {
            const auto c = static_cast<char32_t>(w);
            // Navigation and editing keys are not filtered.
            if (IsTypedCharacter(c) && !(percent ? PercentKeyAccepted(c) : PointRadiusKeyAccepted(c))) {
                frame->dialogs_.Beep();
                return 0;
            }
            break;
        }
        case WM_KEYDOWN:
            if (percent && (w == VK_UP || w == VK_DOWN)) {
                frame->StepSpin(spin, w == VK_UP ? 1 : -1);
                return 0;
            }
            break;
        case WM_GETDLGCODE:
            if (percent) return ::DefSubclassProc(field, message, w, l) | DLGC_WANTARROWS;
            break;
        case WM_MOUSEWHEEL:
            if (percent) {
                const int delta = GET_WHEEL_DELTA_WPARAM(w);
                if (delta != 0) frame->StepSpin(spin, delta > 0 ? 1 : -1);
                return 0;
            }
            break;
        default: break;
    }
    return ::DefSubclassProc(field, message, w, l);
}

void MainFrame::StepSpin(Spin& spin, int delta) {
    if (!::IsWindowEnabled(Item(spin.field))) return;
    spin.position = SpinStep(Utf8(WindowText(Item(spin.field))), spin.position, delta, kPercentMinimum, kMaxPercent);
    WriteSpinPosition(spin);
}

void MainFrame::SetSpinPosition(Spin& spin, int position) {
    position = std::clamp(position, kPercentMinimum, kMaxPercent);
    if (position == spin.position) return;
    spin.position = position;
    WriteSpinPosition(spin);
}

void MainFrame::WriteSpinPosition(const Spin& spin) {
    ::SetWindowTextW(Item(spin.field), std::to_wstring(spin.position).c_str());
}

void MainFrame::EnableFieldsOfChecks() {
    const bool shrink = Checked(kShrinkTextsId), narrow = Checked(kNarrowHalfWidthId);
    for (int id : {kTextShrinkId, kTextShrinkSpinId}) ::EnableWindow(Item(id), shrink && !busy_);
    for (int id : {kHalfWidthAspectId, kHalfWidthAspectSpinId}) ::EnableWindow(Item(id), narrow && !busy_);
}

bool MainFrame::Checked(int id) const { return ::SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void MainFrame::Check(int id, bool on) {
    ::SendMessageW(Item(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    if (id == kShrinkTextsId || id == kNarrowHalfWidthId) EnableFieldsOfChecks();
}

std::string MainFrame::FieldText(int id) const { return Cp932FromWide(WindowText(Item(id))); }

void MainFrame::SetFieldText(int id, const std::string& cp932) {
    ::SetWindowTextW(Item(id), WideFromCp932(cp932).c_str());
}

void MainFrame::ApplyDefaultsOnFirstShow() {
    for (int i = 0; i < 6; ++i) {
        HWND box = Item(kPenColor1Id + i);
        for (std::size_t k = 0; k < std::size(kPenColors); ++k)
            ::SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
        ::SendMessageW(box, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), Scaled(16));
    }
    SelectDefaults();
    EnableFieldsOfChecks();
    SetSpinPosition(textShrinkSpin_, kDefaults.textShrinkPercent);
    SetSpinPosition(halfWidthAspectSpin_, kDefaults.halfWidthAspectPercent);
    if (const auto stored = StoredSettingTexts(store_)) ShowControls(*stored);
    Check(kLightBackgroundId, store_.Value(kLightBackgroundKey) == kTrue);
    pane_.SetLightBackground(Checked(kLightBackgroundId));
    ShowPage();
}

void MainFrame::ShowControls(const SettingTexts& texts) {
    for (const SettingControl& control : settingControls_)
        if (const Setting* setting = SettingNamed(control.setting))
            if (const auto text = texts.find(control.setting); text != texts.end())
                ShowSetting(*setting, control.ids, text->second);
}

void MainFrame::SelectDefaults() { ShowControls(TextsAfterInitialise(ReadControls())); }

void MainFrame::RestoreDefaults() {
    SelectDefaults();
    commands_.Forget();
    DrawingRead();
    SetSpinPosition(textShrinkSpin_, kDefaults.textShrinkPercent);
    SetSpinPosition(halfWidthAspectSpin_, kDefaults.halfWidthAspectPercent);
    // The aspect shows the start-up value 70 again, whatever the spin control's last position.
    WriteSpinPosition(halfWidthAspectSpin_);
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
    fitNextDrawing_ = true;
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
            tip += "\n" + Cp932ToUtf8(state.batchMarks[at]->reason);
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
    if (commands_.State().fileCount == 0) {
        pane_.SetNote({});
        pane_.Clear();
        return;
    }
    if (!DrawingTabShown()) {
        if (fitNextDrawing_) pane_.Clear();  // the old drawing is not shown meanwhile
        return;
    }
    if (pictureWork_.Busy()) {  // one is being built: the newest request follows it
        pictureWanted_ = true;
        return;
    }
    const auto selected = ::SendMessageW(Item(kBatchBoxId), CB_GETCURSEL, 0, 0);
    std::function<DrawingPicture()> task =
        commands_.PictureTask(static_cast<std::size_t>(std::max<LRESULT>(selected, 0)));
    if (!task) {
        // A field holds no usable value: the last picture stays, unless it shows another drawing.
        if (fitNextDrawing_) pane_.Clear();
        return;
    }
    // Built on a worker: the window answers meanwhile, the view says it is busy.
    pane_.SetBusy(true);
    HWND window = window_;
    pictureWork_.Start(std::move(task), [window] { ::PostMessageW(window, kPictureBuiltMessage, 0, 0); });
}

void MainFrame::PictureBuilt() {
    std::optional<DrawingPicture> built = pictureWork_.Take();
    if (!built) return;
    DrawingPicture& shown = *built;
    pane_.SetBusy(false);
    if (pictureWanted_) {  // the settings or the drawing changed meanwhile: this one is old
        pictureWanted_ = false;
        UpdateDrawing();
        return;
    }
    pane_.SetNote(WideFromCp932(shown.note));
    if (!shown.picture) {
        if (fitNextDrawing_ || !shown.note.empty()) pane_.Clear();
        return;
    }
    pane_.SetPicture(std::move(*shown.picture), fitNextDrawing_ || !pane_.HasPicture());
    fitNextDrawing_ = false;
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

SettingTexts MainFrame::ReadControls() const {
    SettingTexts texts;
    for (const SettingControl& control : settingControls_)
        if (const Setting* setting = SettingNamed(control.setting))
            texts.emplace(control.setting, ReadSetting(*setting, control.ids));
    return texts;
}

void MainFrame::SetFieldText(std::string_view setting, const std::string& text) {
    ShowControls({{std::string(setting), text}});
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
    for (const SettingControl& setting : settingControls_)
        for (int id : setting.ids) ::EnableWindow(Item(id), !running);
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
