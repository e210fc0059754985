#include "win/SettingControls.h"

#include <commctrl.h>

#include <algorithm>

#include "app/WindowRules.h"
#include "app/WindowTexts.h"
#include "text/Cp932.h"
#include "win/ControlIds.h"
#include "winpaint/Wide.h"

namespace orvik::win {
namespace {

// A choice of more than this many is a drop-down list.
constexpr std::size_t kMostRadioButtons = 3;

constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP, kField = ES_AUTOHSCROLL | WS_TABSTOP,
                kList = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;

bool IsPercent(const Setting& setting) { return setting.unit == window_text::kPercent; }

}  // namespace

HWND MakeChild(HWND parent, const wchar_t* type, std::string_view caption, DWORD style, int id, DWORD extended) {
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    return ::CreateWindowExW(extended, type, Wide(caption).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

void SettingControls::Create(HWND window) {
    window_ = window;
    int next = kRoundCoordinatesId;
    for (const Setting& setting : SettingsTable()) {
        if (setting.column == 2 &&
            std::none_of(controls_.begin(), controls_.end(), [](const Control& c) { return c.setting == nullptr; })) {
            groups_.push_back({kFirstGroupId + static_cast<int>(groups_.size()),
                               2,
                               window_text::kScaleGroup,
                               window_text::kScaleTip,
                               {}});
            Add(nullptr, next);
        }
        if (groups_.empty() || groups_.back().caption != setting.group)
            groups_.push_back({kFirstGroupId + static_cast<int>(groups_.size()),
                               setting.column,
                               setting.group,
                               setting.groupTip,
                               {}});
        Add(&setting, next);
    }
}

SettingControls::Control& SettingControls::Add(const Setting* setting, int& next) {
    groups_.back().controls.push_back(controls_.size());
    Control& control = controls_.emplace_back();
    control.setting = setting;
    const auto make = [&](const wchar_t* type, std::string_view caption, DWORD style, DWORD extended = 0) {
        MakeChild(window_, type, caption, style, next, extended);
        control.ids.push_back(next++);
    };
    if (!setting || (setting->kind == SettingKind::Choice && setting->choices.size() > kMostRadioButtons)) {
        make(WC_COMBOBOXW, "", kList | WS_GROUP);
        if (setting)
            for (const SettingChoice& choice : setting->choices)
                ::SendMessageW(Item(control.ids[0]), CB_ADDSTRING, 0,
                               reinterpret_cast<LPARAM>(Wide(choice.caption).c_str()));
    } else if (setting->kind == SettingKind::Switch) {
        make(WC_BUTTONW, setting->caption, kCheck | WS_GROUP);
    } else if (setting->kind == SettingKind::Choice) {
        for (const SettingChoice& choice : setting->choices)
            make(WC_BUTTONW, choice.caption, BS_AUTORADIOBUTTON | (control.ids.empty() ? WS_TABSTOP | WS_GROUP : 0));
    } else if (setting->kind == SettingKind::Field) {
        make(WC_EDITW, "", kField | WS_GROUP, WS_EX_CLIENTEDGE);
        if (IsPercent(*setting)) {
            ::SendMessageW(Item(control.ids[0]), EM_LIMITTEXT, 2, 0);
            control.spin = {next, control.ids[0], 0};
            MakeChild(window_, UPDOWN_CLASSW, "", UDS_ARROWKEYS, next++);
            ::SendMessageW(Item(control.spin.id), UDM_SETRANGE32, 0, 100);
        }
    } else {
        for (int i = 0; i < 6; ++i) make(WC_COMBOBOXW, "", kList | CBS_OWNERDRAWFIXED | (i == 0 ? WS_GROUP : 0));
    }
    return control;
}

void SettingControls::CreateLabelsAndGroups() {
    int next = kFirstLabelId;
    for (Control& control : controls_) {
        if (!control.setting) continue;
        const Setting& setting = *control.setting;
        if (setting.kind == SettingKind::Field) {
            control.label = next;
            MakeChild(window_, WC_STATICW, setting.caption, SS_LEFT | SS_CENTERIMAGE, next++);
            control.unit = next;
            MakeChild(window_, WC_STATICW, setting.unit, SS_LEFT | SS_CENTERIMAGE, next++);
        } else if (setting.kind == SettingKind::PenColors) {
            control.label = next;
            for (int i = 0; i < 6; ++i)
                MakeChild(window_, WC_STATICW, std::string(setting.caption) + std::to_string(i + 1),
                          SS_LEFT | SS_CENTERIMAGE, next++);
        }
    }
    for (const Group& group : groups_)
        MakeChild(window_, WC_BUTTONW, group.caption, BS_GROUPBOX | WS_CLIPSIBLINGS, group.id);
}

const SettingControls::Control& SettingControls::Of(std::string_view setting) const {
    return *std::find_if(controls_.begin(), controls_.end(),
                         [&](const Control& c) { return c.setting && c.setting->name == setting; });
}

SettingControls::Control* SettingControls::WithId(int id) {
    for (Control& control : controls_)
        if (control.spin.id == id || std::find(control.ids.begin(), control.ids.end(), id) != control.ids.end())
            return &control;
    return nullptr;
}

bool SettingControls::IsList(const Control& control) {
    return !control.setting || control.setting->kind == SettingKind::PenColors ||
           (control.setting->kind == SettingKind::Choice && control.ids.size() != control.setting->choices.size());
}

void SettingControls::Show(const SettingTexts& texts) {
    for (const Control& control : controls_)
        if (control.setting)
            if (const auto text = texts.find(control.setting->name); text != texts.end()) Show(control, text->second);
}

SettingTexts SettingControls::Read() const {
    SettingTexts texts;
    for (const Control& control : controls_)
        if (control.setting) texts.emplace(control.setting->name, Read(control));
    return texts;
}

void SettingControls::Show(const Control& control, const std::string& text) {
    const Setting& setting = *control.setting;
    if (setting.kind == SettingKind::PenColors) {
        const std::array<int, 6> numbers = PenColorNumbers(text);
        for (std::size_t i = 0; i < control.ids.size(); ++i)
            for (std::size_t k = 0; k < std::size(kPenColors); ++k)
                if (kPenColors[k].second == numbers[i]) ::SendMessageW(Item(control.ids[i]), CB_SETCURSEL, k, 0);
    } else if (setting.kind == SettingKind::Field) {
        ::SetWindowTextW(Item(control.ids[0]), WideFromCp932(text).c_str());
    } else if (setting.kind == SettingKind::Switch) {
        ::SendMessageW(Item(control.ids[0]), BM_SETCHECK, text == kTrue ? BST_CHECKED : BST_UNCHECKED, 0);
    } else {
        for (std::size_t i = 0; i < setting.choices.size(); ++i) {
            if (setting.choices[i].value != text) continue;
            if (IsList(control))
                ::SendMessageW(Item(control.ids[0]), CB_SETCURSEL, i, 0);
            else
                ::CheckRadioButton(window_, control.ids.front(), control.ids.back(), control.ids[i]);
        }
    }
}

std::string SettingControls::Read(const Control& control) const {
    const Setting& setting = *control.setting;
    const auto checked = [&](int id) { return ::SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; };
    const auto listed = [&](int id) { return ::SendMessageW(Item(id), CB_GETCURSEL, 0, 0); };
    if (setting.kind == SettingKind::PenColors) {
        std::array<int, 6> numbers{};
        for (std::size_t i = 0; i < control.ids.size(); ++i) {
            const auto at = listed(control.ids[i]);
            numbers[i] = at < 0 ? 0 : kPenColors[static_cast<std::size_t>(at)].second;
        }
        return PenColorsText(numbers);
    }
    if (setting.kind == SettingKind::Field) {
        std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(Item(control.ids[0]))) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            ::GetWindowTextW(Item(control.ids[0]), text.data(), static_cast<int>(text.size()))));
        return Cp932FromWide(text);
    }
    if (setting.kind == SettingKind::Switch) return std::string(checked(control.ids[0]) ? kTrue : kFalse);
    std::size_t at = setting.choices.size() - 1;
    if (IsList(control))
        at = static_cast<std::size_t>(std::max<LRESULT>(listed(control.ids[0]), 0));
    else
        for (std::size_t i = 0; i < control.ids.size(); ++i)
            if (checked(control.ids[i])) at = i;
    return std::string(setting.choices[at].value);
}

}  // namespace orvik::win
