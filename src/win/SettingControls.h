// The Win32 window's settings controls, built from the settings table as
// the Qt window's are: for each group of a column's rows a group box, in it
// a check box for a switch, radio buttons for a choice of a few (a
// drop-down list for more), a caption, field and unit for a field (a
// percentage with an up-down control), a colour list for each pen; the
// second column headed by the scale list, which is no setting (each drawing
// proposes its own). Identifiers are given in layout order from
// kRoundCoordinatesId on, the labels' from kFirstLabelId and the group
// boxes' from kFirstGroupId, so they are the ones ControlIds.h names.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/SettingsTable.h"

namespace orvik::win {

// A child control of `parent`: its class, caption (UTF-8), style and identifier.
HWND MakeChild(HWND parent, const wchar_t* type, std::string_view caption, DWORD style, int id, DWORD extended = 0);

class SettingControls {
public:
    // A percentage's up-down control, the field it steps and its last position.
    struct Spin {
        int id = 0;
        int field = 0;
        int position = 0;
    };
    struct Control {
        const Setting* setting = nullptr;  // none: the scale list
        std::vector<int> ids;  // in tab order
        int label = 0, unit = 0;  // a field's caption and unit; the pens' first caption
        Spin spin;  // a percentage field's
    };
    struct Group {
        int id;
        int column;
        std::string_view caption, tip;  // UTF-8
        std::vector<std::size_t> controls;  // indexes into Controls()
    };

    // Creates the controls in `window` in tab order, column by column.
    void Create(HWND window);
    // Creates the labels and group boxes: below the controls they surround,
    // so made after every other control of the window.
    void CreateLabelsAndGroups();

    const std::vector<Control>& Controls() const { return controls_; }
    std::vector<Control>& Controls() { return controls_; }
    const std::vector<Group>& Groups() const { return groups_; }
    const Control& Of(std::string_view setting) const;
    // The control one of whose identifiers (its spin's too) is `id`, or null.
    Control* WithId(int id);
    // Whether the control is a drop-down list (the scale, a choice of many, a pen).
    static bool IsList(const Control& control);

    void Show(const SettingTexts& texts);
    SettingTexts Read() const;
    void Show(const Control& control, const std::string& text);
    std::string Read(const Control& control) const;

private:
    HWND Item(int id) const { return ::GetDlgItem(window_, id); }
    Control& Add(const Setting* setting, int& next);

    HWND window_ = nullptr;
    std::vector<Control> controls_;
    std::vector<Group> groups_;
};

}  // namespace orvik::win
