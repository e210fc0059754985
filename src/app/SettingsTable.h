// The conversion's settings as every front end offers them, each once: its
// name (the control's, the page's and, after "conversion/", the kept
// settings' key), its kind, where the window shows it and with which words,
// the command line's options and help, and how its value is read from and
// written into ConversionSettings. The command line's parser and --help,
// the kept settings, both windows' controls and the page all read this
// table: a setting is added by adding a row.
//
// A setting's value travels as text, the same form the kept settings hold:
// a switch "true" or "false", a choice the value of one of its choices, a
// field the text as typed (CP932; checked when a conversion reads it), the
// pen colours six AutoCAD colour numbers "4,7,3,2,6,5".
#pragma once

#include <array>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "convert/ConversionSettings.h"

namespace orvik {

// A switch's two texts.
inline constexpr std::string_view kTrue = "true", kFalse = "false";

enum class SettingKind : std::uint8_t { Switch, Choice, Field, PenColors };

struct SettingChoice {
    std::string_view value;  // the setting's text when chosen ("1", "true", "dos932")
    std::string_view caption;  // the window's radio button or list item (UTF-8)
    std::string_view word;  // the command line's value ("filled", "jw", "dos932")
    std::string_view tip;  // what the choice is for (CP932), or ""
};

struct Setting {
    std::string_view name;  // "roundCoordinates"
    SettingKind kind;
    int column;  // the window's settings column, 1 or 2
    std::string_view group;  // the caption of the group the window shows it in (UTF-8)
    std::string_view groupTip;  // the group's tooltip (UTF-8), or ""
    std::string_view caption;  // a switch's or a field's caption (UTF-8), or ""
    std::string_view unit;  // a field's unit ("mm", "%"), or ""
    std::span<const SettingChoice> choices;
    // The command line: the option that takes the value, or that turns a
    // switch on; the option that turns a switch off; the --help lines.
    std::string_view option, offOption, help;
    std::string_view owner;  // a field used only while this switch is on; its option turns the switch on
    std::string_view refusal;  // what a field's or the pens' unusable value is told (CP932), or ""
    bool keptByInitialise;  // initialise leaves it as the user set it
    std::string (*textOf)(const ConversionSettings&);
    // Takes the text into the settings; false (nothing changed) when it is
    // no value of the setting.
    bool (*take)(ConversionSettings&, std::string_view text);
};

// Every setting, in the order of the window's layout (column by column).
std::span<const Setting> SettingsTable();

// The row of that name, or null.
const Setting* SettingNamed(std::string_view name);

// The key the kept settings hold the setting under: "conversion/" + name.
std::string KeptKey(const Setting& setting);

// The settings' texts by name.
using SettingTexts = std::map<std::string, std::string, std::less<>>;

SettingTexts TextsOf(const ConversionSettings& settings);

// The settings the texts describe (a setting missing keeps its default),
// when every text is a value of its setting.
std::optional<ConversionSettings> SettingsFromTexts(const SettingTexts& texts);

// What initialise shows: the defaults, but the settings it leaves as they
// are keep their texts in `shown`.
SettingTexts TextsAfterInitialise(const SettingTexts& shown);

// The command line's options that give the settings the texts describe
// (every setting, so the result holds whatever orvik-cli's defaults are);
// a field whose owning switch is off is left out.
std::vector<std::string> OptionsOf(const SettingTexts& texts);

// The pen colours' text as six numbers (0 where a place holds no colour
// number 1..7), and the text of six numbers.
std::array<int, 6> PenColorNumbers(std::string_view text);
std::string PenColorsText(const std::array<int, 6>& numbers);

}  // namespace orvik
