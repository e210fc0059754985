// The main window's layout: the two settings columns from their groups, the
// four buttons below them, and the tabs, their corner and the progress row
// on the left; sizes at 96 DPI, scaled to the window's. And the tooltips,
// whose areas over the group boxes the layout places.
#include "win/MainFrame.h"

#include <commctrl.h>

#include <algorithm>

#include "app/WindowTexts.h"
#include "text/Cp932.h"
#include "win/ControlIds.h"
#include "winpaint/Wide.h"

namespace orvik::win {
namespace {

namespace text = window_text;

// The settings columns' width and the rows' heights at 100 % scaling.
constexpr int kColumnWidth = 150, kMargin = 6, kGap = 4;
constexpr int kCaptionHeight = 16, kRowHeight = 18, kFieldHeight = 21, kGroupBottom = 6, kPenRowHeight = 22;

}  // namespace

void MainFrame::Layout() {
    RECT client{};
    ::GetClientRect(window_, &client);
    const int margin = Scaled(kMargin), gap = Scaled(kGap), column = Scaled(kColumnWidth);
    const int x1 = client.right - margin - column - gap - column, x2 = client.right - margin - column;
    const int settingsBottom = std::max(LayOutColumn(1, x1) - gap, LayOutColumn2(x2));
    const int leftLeast = LayOutLeftSide(x1 - gap, client.bottom);
    // The least the layout needs: the left side beside the two columns, everything above the bottom margin.
    minimumClient_ = {margin + leftLeast + gap + 2 * column + gap + margin, settingsBottom + margin};
    ::InvalidateRect(window_, nullptr, TRUE);
}

void MainFrame::Place(int id, int x, int y, int width, int height) {
    ::SetWindowPos(Item(id), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Group box `id` at x, y around contents `contentHeight` high, its
// tooltip's area with it; `y` moves below it. The top of its contents.
int MainFrame::PlaceGroup(int id, int x, int& y, int contentHeight) {
    const int column = Scaled(kColumnWidth), h = Scaled(kCaptionHeight) + contentHeight + Scaled(kGroupBottom);
    Place(id, x, y, column, h);
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = window_;
    info.uId = static_cast<UINT_PTR>(id);
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

// The height of a setting's controls in its group box.
int MainFrame::ControlHeight(const SettingControls::Control& control) const {
    if (SettingControls::IsList(control))
        return control.ids.size() == 6 ? 6 * Scaled(kPenRowHeight) : Scaled(kFieldHeight) + Scaled(3);
    if (control.setting->kind == SettingKind::Field) return Scaled(kFieldHeight) + Scaled(2);
    return static_cast<int>(control.ids.size()) * Scaled(kRowHeight);
}

// A setting's controls at x, top, `inner` wide; the top of what follows.
int MainFrame::PlaceControl(const SettingControls::Control& control, int x, int top, int inner) {
    const int row = Scaled(kRowHeight), listHeight = Scaled(240);
    if (control.ids.size() == 6) {  // the pens' colours
        const int penRow = Scaled(kPenRowHeight);
        for (int i = 0; i < 6; ++i) {
            Place(control.label + i, x, top + i * penRow, Scaled(40), penRow - Scaled(2));
            Place(control.ids[static_cast<std::size_t>(i)], x + Scaled(44), top + i * penRow, Scaled(73), listHeight);
        }
    } else if (SettingControls::IsList(control)) {
        Place(control.ids[0], x, top, inner, listHeight);
    } else if (control.setting->kind == SettingKind::Field) {
        const bool percent = control.spin.id != 0;
        PlaceFieldRow(x, top + Scaled(2), control.label, percent ? 40 : 28, control.ids[0], percent ? 30 : 50,
                      control.spin.id, control.unit);
    } else {
        for (std::size_t i = 0; i < control.ids.size(); ++i)
            Place(control.ids[i], x, top + static_cast<int>(i) * row, inner, row);
    }
    return top + ControlHeight(control);
}

// The groups of settings column `column` (1 or 2) at x from the top; the bottom of the last.
int MainFrame::LayOutColumn(int column, int x) {
    const int inner = Scaled(kColumnWidth) - 2 * Scaled(8);
    int y = Scaled(kMargin);
    for (const SettingControls::Group& group : controls_.Groups()) {
        if (group.column != column) continue;
        int height = 0;
        for (const std::size_t at : group.controls) height += ControlHeight(controls_.Controls()[at]);
        int top = PlaceGroup(group.id, x, y, height);
        for (const std::size_t at : group.controls)
            top = PlaceControl(controls_.Controls()[at], x + Scaled(8), top, inner);
    }
    return y;
}

// The second settings column at x, with the four buttons below it; the bottom of the buttons.
int MainFrame::LayOutColumn2(int x) {
    const int gap = Scaled(kGap), y = LayOutColumn(2, x);
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
    for (const SettingControls::Group& group : controls_.Groups()) {
        if (group.tip.empty()) continue;
        std::wstring wide = Wide(group.tip);
        TTTOOLINFOW info{};
        info.cbSize = sizeof info;
        info.uFlags = TTF_SUBCLASS;
        info.hwnd = window_;
        info.uId = static_cast<UINT_PTR>(group.id);
        info.lpszText = wide.data();
        ::SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    // A list's choices with what each is for, one line each.
    for (const SettingControls::Control& control : controls_.Controls()) {
        if (!control.setting || !SettingControls::IsList(control)) continue;
        std::string lines;
        for (const SettingChoice& choice : control.setting->choices)
            if (!choice.tip.empty())
                lines.append(lines.empty() ? "" : "\n")
                    .append(choice.caption)
                    .append(": ")
                    .append(Cp932ToUtf8(choice.tip));
        if (!lines.empty()) add(control.ids[0], lines);
    }
}

}  // namespace orvik::win
