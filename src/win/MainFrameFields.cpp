// The main window's settings fields: the pens' colour lists drawn, the keys
// and the wheel in a field, the spin controls' steps, and the fields that
// follow their switches.
#include "win/MainFrame.h"

#include <commctrl.h>

#include <algorithm>

#include "app/KeyFilters.h"
#include "app/WindowRules.h"
#include "text/Cp932.h"
#include "text/Messages.h"

namespace orvik::win {

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
    SettingControls::Spin& spin = frame->controls_.WithId(static_cast<int>(id))->spin;
    const bool percent = spin.id != 0;
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

void MainFrame::StepSpin(SettingControls::Spin& spin, int delta) {
    if (!::IsWindowEnabled(Item(spin.field))) return;
    spin.position = SpinStep(FieldText(spin.field), spin.position, delta, kPercentMinimum, kMaxPercent);
    WriteSpinPosition(spin);
}

void MainFrame::SetSpinPosition(SettingControls::Spin& spin, int position) {
    position = std::clamp(position, kPercentMinimum, kMaxPercent);
    if (position == spin.position) return;
    spin.position = position;
    WriteSpinPosition(spin);
}

void MainFrame::WriteSpinPosition(const SettingControls::Spin& spin) {
    ::SetWindowTextW(Item(spin.field), std::to_wstring(spin.position).c_str());
}

void MainFrame::EnableFieldsOfChecks() {
    for (const SettingControls::Control& control : controls_.Controls()) {
        if (!control.setting || control.setting->owner.empty()) continue;
        const bool on = Checked(controls_.Of(control.setting->owner).ids[0]) && !busy_;
        for (const int id : {control.ids[0], control.spin.id})
            if (id != 0) ::EnableWindow(Item(id), on);
    }
}

}  // namespace orvik::win
