// The Qt window's settings controls, built from the settings table: for
// each group of a column's rows a QGroupBox, in it a check box for a
// switch, radio buttons for a choice of a few (a list for more), a caption,
// field and unit for a field (a percentage with a spin control), a list of
// colours for each pen. The controls show and read the settings' texts.
#pragma once

#include <QAbstractButton>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>
#include <string_view>
#include <vector>

#include "app/SettingsTable.h"
#include "gui/ColorComboBox.h"
#include "gui/SpinControl.h"

namespace orvik {

// A settings group's narrow margins and its column's width.
void FitGroup(QGroupBox* group);

class SettingControls {
public:
    // One setting's controls, in tab order; a field's spin control apart.
    struct Control {
        const Setting* setting;
        std::vector<QWidget*> widgets;
        SpinControl* spin = nullptr;
    };

    // Builds the groups of the rows of `column` under `parent` and adds them to `layout`.
    void BuildColumn(QWidget* parent, int column, QVBoxLayout* layout);

    void Show(const SettingTexts& texts);
    SettingTexts Read() const;
    void Show(const Control& control, const std::string& text);
    std::string Read(const Control& control) const;

    // Every setting's controls, in layout order.
    const std::vector<Control>& Controls() const { return controls_; }
    const Control& Of(std::string_view name) const;
    // The radio button of the choice of that value.
    QAbstractButton* ChoiceButton(std::string_view name, std::string_view value) const;
    QLineEdit* Field(std::string_view name) const;

private:
    QGroupBox* Group(QWidget* parent, const Setting& first);
    void Add(QGroupBox* group, const Setting& setting);
    void AddField(QGroupBox* group, Control& control);
    void AddPenColors(QGroupBox* group, Control& control);
    void AddList(QGroupBox* group, Control& control);

    std::vector<Control> controls_;
};

}  // namespace orvik
