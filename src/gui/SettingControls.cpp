#include "gui/SettingControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <algorithm>

#include "app/WindowRules.h"
#include "text/Cp932.h"

namespace orvik {
namespace {

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString Name(std::string_view name, const char* suffix) { return FromUtf8(name) + QString::fromLatin1(suffix); }

// A choice of more than this many is a list.
constexpr std::size_t kMostRadioButtons = 3;

// The group's column of controls, made with the first control.
QVBoxLayout* Column(QGroupBox* group) {
    if (auto* column = qobject_cast<QVBoxLayout*>(group->layout())) return column;
    return new QVBoxLayout(group);
}

}  // namespace

void FitGroup(QGroupBox* group) {
    group->layout()->setContentsMargins(6, 2, 6, 4);
    group->layout()->setSpacing(2);
    group->setFixedWidth(150);
}

void SettingControls::BuildColumn(QWidget* parent, int column, QVBoxLayout* layout) {
    QGroupBox* group = nullptr;
    for (const Setting& setting : SettingsTable()) {
        if (setting.column != column) continue;
        if (!group || group->title() != FromUtf8(setting.group)) {
            if (group) FitGroup(group);
            group = Group(parent, setting);
            layout->addWidget(group);
        }
        Add(group, setting);
    }
    if (group) FitGroup(group);
}

QGroupBox* SettingControls::Group(QWidget* parent, const Setting& first) {
    auto* group = new QGroupBox(FromUtf8(first.group), parent);
    group->setObjectName(Name(first.name, "Group"));
    group->setToolTip(FromUtf8(first.groupTip));
    return group;
}

void SettingControls::Add(QGroupBox* group, const Setting& setting) {
    Control& control = controls_.emplace_back(Control{&setting, {}});
    if (setting.kind == SettingKind::Field) return AddField(group, control);
    if (setting.kind == SettingKind::PenColors) return AddPenColors(group, control);
    if (setting.kind == SettingKind::Choice && setting.choices.size() > kMostRadioButtons)
        return AddList(group, control);
    if (setting.kind == SettingKind::Switch) {
        auto* box = new QCheckBox(FromUtf8(setting.caption), group);
        box->setObjectName(Name(setting.name, "Box"));
        control.widgets.push_back(box);
    }
    for (const SettingChoice& choice : setting.choices) {
        auto* button = new QRadioButton(FromUtf8(choice.caption), group);
        button->setObjectName(Name(setting.name, "_") + FromUtf8(choice.value));
        control.widgets.push_back(button);
    }
    for (QWidget* w : control.widgets) Column(group)->addWidget(w);
}

// Caption, field and unit in a row; a percentage two characters with a spin control.
void SettingControls::AddField(QGroupBox* group, Control& control) {
    const Setting& setting = *control.setting;
    const bool percent = setting.unit == window_text::kPercent;
    auto* field = new QLineEdit(group);
    field->setObjectName(Name(setting.name, "Field"));
    field->setFixedWidth(percent ? 30 : 50);
    if (percent) field->setMaxLength(2);
    control.widgets.push_back(field);
    auto* row = new QHBoxLayout;
    row->setSpacing(3);
    row->addWidget(new QLabel(FromUtf8(setting.caption), group));
    row->addWidget(field);
    if (percent) {
        control.spin = new SpinControl(group);
        control.spin->setObjectName(Name(setting.name, "Spin"));
        control.spin->Associate(field);
        control.spin->SetRange(kPercentMinimum, kMaxPercent);
        row->addWidget(control.spin);
    }
    row->addWidget(new QLabel(FromUtf8(setting.unit), group));
    row->addStretch();
    Column(group)->addLayout(row);
}

void SettingControls::AddPenColors(QGroupBox* group, Control& control) {
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(2);
    for (int i = 0; i < 6; ++i) {
        auto* box = new ColorComboBox(group);
        box->setObjectName(QStringLiteral("penColorBox%1").arg(i + 1));
        box->setFixedWidth(73);
        for (const auto& [color, number] : kPenColors) box->AddColor(color, number);
        grid->addWidget(new QLabel(FromUtf8(control.setting->caption) + QString::number(i + 1), group), i, 0);
        grid->addWidget(box, i, 1);
        control.widgets.push_back(box);
    }
}

// A list of the choices, each with its tip; the group's tooltip lists them all.
void SettingControls::AddList(QGroupBox* group, Control& control) {
    auto* list = new QComboBox(group);
    list->setObjectName(Name(control.setting->name, "Box"));
    QString tips;
    for (const SettingChoice& choice : control.setting->choices) {
        const QString line = FromUtf8(choice.caption) + ": " + FromUtf8(Cp932ToUtf8(choice.tip));
        list->addItem(FromUtf8(choice.caption));
        list->setItemData(list->count() - 1, line, Qt::ToolTipRole);
        tips += (tips.isEmpty() ? "" : "\n") + line;
    }
    group->setToolTip(tips);
    control.widgets.push_back(list);
    Column(group)->addWidget(list);
}

void SettingControls::Show(const SettingTexts& texts) {
    for (const Control& control : controls_)
        if (const auto text = texts.find(control.setting->name); text != texts.end()) Show(control, text->second);
}

SettingTexts SettingControls::Read() const {
    SettingTexts texts;
    for (const Control& control : controls_) texts.emplace(control.setting->name, Read(control));
    return texts;
}

void SettingControls::Show(const Control& control, const std::string& text) {
    const Setting& setting = *control.setting;
    const auto chosen = std::find_if(setting.choices.begin(), setting.choices.end(),
                                     [&](const SettingChoice& choice) { return choice.value == text; });
    const auto at = static_cast<std::size_t>(chosen - setting.choices.begin());
    if (setting.kind == SettingKind::PenColors) {
        const std::array<int, 6> numbers = PenColorNumbers(text);
        for (std::size_t i = 0; i < numbers.size(); ++i)
            static_cast<ColorComboBox*>(control.widgets[i])->SetColorNumber(numbers[i]);
    } else if (setting.kind == SettingKind::Field) {
        static_cast<QLineEdit*>(control.widgets[0])->setText(FromUtf8(Cp932ToUtf8(text)));
    } else if (setting.kind == SettingKind::Switch) {
        static_cast<QAbstractButton*>(control.widgets[0])->setChecked(text == kTrue);
    } else if (auto* list = qobject_cast<QComboBox*>(control.widgets[0])) {
        if (chosen != setting.choices.end()) list->setCurrentIndex(static_cast<int>(at));
    } else if (chosen != setting.choices.end()) {
        static_cast<QAbstractButton*>(control.widgets[at])->setChecked(true);
    }
}

std::string SettingControls::Read(const Control& control) const {
    const Setting& setting = *control.setting;
    if (setting.kind == SettingKind::PenColors) {
        std::array<int, 6> numbers{};
        for (std::size_t i = 0; i < numbers.size(); ++i)
            numbers[i] = static_cast<ColorComboBox*>(control.widgets[i])->ColorNumber();
        return PenColorsText(numbers);
    }
    if (setting.kind == SettingKind::Field) {
        const QByteArray utf8 = static_cast<QLineEdit*>(control.widgets[0])->text().toUtf8();
        return Utf8ToCp932(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    }
    if (setting.kind == SettingKind::Switch)
        return std::string(static_cast<QAbstractButton*>(control.widgets[0])->isChecked() ? kTrue : kFalse);
    std::size_t at = setting.choices.size() - 1;
    if (auto* list = qobject_cast<QComboBox*>(control.widgets[0]))
        at = static_cast<std::size_t>(std::max(list->currentIndex(), 0));
    else
        for (std::size_t i = 0; i < control.widgets.size(); ++i)
            if (static_cast<QAbstractButton*>(control.widgets[i])->isChecked()) at = i;
    return std::string(setting.choices[at].value);
}

const SettingControls::Control& SettingControls::Of(std::string_view name) const {
    return *std::find_if(controls_.begin(), controls_.end(),
                         [&](const Control& control) { return control.setting->name == name; });
}

QAbstractButton* SettingControls::ChoiceButton(std::string_view name, std::string_view value) const {
    const Control& control = Of(name);
    for (std::size_t i = 0; i < control.setting->choices.size(); ++i)
        if (control.setting->choices[i].value == value) return static_cast<QAbstractButton*>(control.widgets[i]);
    return nullptr;
}

QLineEdit* SettingControls::Field(std::string_view name) const { return static_cast<QLineEdit*>(Of(name).widgets[0]); }

}  // namespace orvik
