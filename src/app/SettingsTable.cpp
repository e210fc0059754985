#include "app/SettingsTable.h"

#include <algorithm>
#include <array>

#include "app/OutputFormatChoices.h"
#include "app/SettingChecks.h"
#include "app/WindowTexts.h"
#include "text/Messages.h"

namespace orvik {
namespace {

namespace t = window_text;

template <bool ConversionSettings::*Member>
std::string SwitchText(const ConversionSettings& s) {
    return std::string(s.*Member ? kTrue : kFalse);
}

template <bool ConversionSettings::*Member>
bool TakeSwitch(ConversionSettings& s, std::string_view text) {
    if (text != kTrue && text != kFalse) return false;
    s.*Member = text == kTrue;
    return true;
}

template <std::uint8_t ConversionSettings::*Member>
std::string PercentText(const ConversionSettings& s) {
    return std::to_string(s.*Member);
}

template <std::uint8_t ConversionSettings::*Member>
bool TakePercent(ConversionSettings& s, std::string_view text) {
    const std::optional<int> percent = ParsePercentage(text);
    if (percent) s.*Member = static_cast<std::uint8_t>(*percent);
    return percent.has_value();
}

std::string PointModeText(const ConversionSettings& s) { return std::to_string(static_cast<int>(s.pointMode)); }

bool TakePointMode(ConversionSettings& s, std::string_view text) {
    if (text.size() != 1 || text[0] < '1' || text[0] > '3') return false;
    s.pointMode = static_cast<PointMode>(text[0] - '0');
    return true;
}

std::string RadiusOf(const ConversionSettings& s) { return RadiusText(s.pointRadiusMm); }

bool TakeRadius(ConversionSettings& s, std::string_view text) {
    const std::optional<float> radius = ParsePointRadius(text);
    if (radius) s.pointRadiusMm = *radius;
    return radius.has_value();
}

std::string FormatText(const ConversionSettings& s) { return std::string(ChoiceOf(s.outputFormat).name); }

bool TakeFormat(ConversionSettings& s, std::string_view text) {
    const std::optional<OutputFormat> format = OutputFormatNamed(text);
    if (format) s.outputFormat = *format;
    return format.has_value();
}

std::string PenColorsOf(const ConversionSettings& s) { return PenColorsText(s.penColors); }

// Six colour numbers 1..7 separated by commas.
bool TakePenColors(ConversionSettings& s, std::string_view text) {
    const std::array<int, 6> colors = PenColorNumbers(text);
    if (PenColorsText(colors) != text || std::find(colors.begin(), colors.end(), 0) != colors.end()) return false;
    s.penColors = colors;
    return true;
}

constexpr SettingChoice kPointModes[] = {
    {"1", t::kFilledCircle, "filled", ""}, {"2", t::kCircle, "circle", ""}, {"3", t::kPointAsIs, "point", ""}};
constexpr SettingChoice kLineTypeSets[] = {{kTrue, t::kJwLineTypes, "jw", ""}, {kFalse, t::kAcadLineTypes, "acad", ""}};

constexpr std::array<SettingChoice, std::size(kOutputFormatChoices)> FormatChoices() {
    std::array<SettingChoice, std::size(kOutputFormatChoices)> choices{};
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const std::string_view name = kOutputFormatChoices[i].name;
        choices[i] = {name, name, name, kOutputFormatChoices[i].readers};
    }
    return choices;
}
constexpr auto kFormats = FormatChoices();

// A switch: its row without choices, field or refusal.
constexpr Setting Switch(std::string_view name, int column, std::string_view group, std::string_view groupTip,
                         std::string_view caption, std::string_view option, std::string_view offOption,
                         std::string_view help, std::string (*textOf)(const ConversionSettings&),
                         bool (*take)(ConversionSettings&, std::string_view)) {
    return {name,   SettingKind::Switch, column, group, groupTip, caption, "",     {},
            option, offOption,           help,   "",    "",       false,   textOf, take};
}

constexpr Setting kSettings[] = {
    Switch("roundCoordinates", 1, t::kNumbersGroup, t::kNumbersTip, t::kRoundCoordinates, "", "--no-round",
           "  --no-round                 数値を補正しない\n", SwitchText<&ConversionSettings::roundCoordinates>,
           TakeSwitch<&ConversionSettings::roundCoordinates>),
    {"pointMode", SettingKind::Choice, 1, t::kPointsGroup, t::kPointsTip, "", "", kPointModes, "--points", "",
     "  --points filled|circle|point  実点の変換方法（既定: filled 塗りつぶし円）\n", "", "", false, PointModeText,
     TakePointMode},
    {"pointRadius",
     SettingKind::Field,
     1,
     t::kPointsGroup,
     t::kPointsTip,
     t::kRadius,
     t::kMillimetres,
     {},
     "--point-radius",
     "",
     "  --point-radius mm          点の半径（用紙上の mm、既定: 0.5）\n",
     "",
     kRadiusMessage,
     false,
     RadiusOf,
     TakeRadius},
    {"jwLineTypes", SettingKind::Choice, 1, t::kLineTypesGroup, t::kLineTypesTip, "", "", kLineTypeSets, "--linetypes",
     "", "  --linetypes jw|acad        線種 JW_CAD準処 / AutoCAD準処（既定: jw）\n", "", "", false,
     SwitchText<&ConversionSettings::jwLineTypes>, TakeSwitch<&ConversionSettings::jwLineTypes>},
    {"curvesAsPolylines",
     SettingKind::Switch,
     1,
     t::kCurvesGroup,
     "",
     t::kPolylines,
     "",
     {},
     "--polylines",
     "",
     "  --polylines                曲線をポリラインに変換する\n",
     "",
     "",
     true,
     SwitchText<&ConversionSettings::curvesAsPolylines>,
     TakeSwitch<&ConversionSettings::curvesAsPolylines>},
    Switch("explodeBlocks", 1, t::kBlocksGroup, t::kBlocksTip, t::kExplodeBlocks, "--explode-blocks", "",
           "  --explode-blocks           JWW のブロックを BLOCK と INSERT でなく、要素をその場に置いて書き出す\n",
           SwitchText<&ConversionSettings::explodeBlocks>, TakeSwitch<&ConversionSettings::explodeBlocks>),
    Switch("shrinkTexts", 1, t::kTextShrinkGroup, t::kTextShrinkTip, t::kShrinkTexts, "", "--no-text-reduction",
           "  --no-text-reduction        文字を縮小しない\n", SwitchText<&ConversionSettings::shrinkTexts>,
           TakeSwitch<&ConversionSettings::shrinkTexts>),
    {"textShrink",
     SettingKind::Field,
     1,
     t::kTextShrinkGroup,
     t::kTextShrinkTip,
     t::kShrink,
     t::kPercent,
     {},
     "--text-reduction",
     "",
     "  --text-reduction %         文字の縮小率 1〜99（既定: 90）\n",
     "shrinkTexts",
     kReductionMessage,
     false,
     PercentText<&ConversionSettings::textShrinkPercent>,
     TakePercent<&ConversionSettings::textShrinkPercent>},
    Switch("narrowHalfWidthTexts", 1, t::kHalfWidthGroup, "", t::kNarrowHalfWidth, "", "--no-halfwidth-aspect",
           "  --no-halfwidth-aspect      半角文字の縦横比を変えない\n",
           SwitchText<&ConversionSettings::narrowHalfWidthTexts>,
           TakeSwitch<&ConversionSettings::narrowHalfWidthTexts>),
    {"halfWidthAspect",
     SettingKind::Field,
     1,
     t::kHalfWidthGroup,
     "",
     t::kAspect,
     t::kPercent,
     {},
     "--halfwidth-aspect",
     "",
     "  --halfwidth-aspect %       半角文字の縦横比 1〜99（既定: 70）\n",
     "narrowHalfWidthTexts",
     kAspectMessage,
     false,
     PercentText<&ConversionSettings::halfWidthAspectPercent>,
     TakePercent<&ConversionSettings::halfWidthAspectPercent>},
    {"outputFormat", SettingKind::Choice, 2, t::kOutputFormatGroup, "", "", "", kFormats, "--format", "",
     "  --format 形式              出力形式（既定: dos932）\n"
     "                             dos932: AutoCAD R13J と同じファイル。AutoCAD と ezdxf 向け\n"
     "                             r12: AutoCAD R12。JW_CAD、LibreOffice、Inkscape、レーザー加工機や CNC など向け\n"
     "                             r2000: AutoCAD 2000。AutoCAD、GDAL/QGIS など向け\n"
     "                             r2007: AutoCAD 2007（UTF-8）。LibreCAD、FreeCAD、新しい AutoCAD 向け\n"
     "                             ansi932: dos932 のコードページ名を ANSI_932 に（R13 を読むソフト向け）\n"
     "                             utf8: dos932 の記録を UTF-8 で（AC1021 と名乗る R13 の記録）\n",
     "", "", false, FormatText, TakeFormat},
    Switch("plainLayerNames", 2, t::kLayerNamesGroup, t::kLayerNamesTip, t::kPlainLayerNames, "", "--layer-numbers",
           "  --layer-numbers            レイヤ名に 0_0_ のような連番を加える\n",
           SwitchText<&ConversionSettings::plainLayerNames>, TakeSwitch<&ConversionSettings::plainLayerNames>),
    Switch("auxiliaryOnDefpoints", 2, t::kAuxiliaryGroup, t::kAuxiliaryTip, t::kAuxiliaryOnDefpoints, "",
           "--no-defpoints", "  --no-defpoints             補助線を DEFPOINTS に集めない\n",
           SwitchText<&ConversionSettings::auxiliaryOnDefpoints>,
           TakeSwitch<&ConversionSettings::auxiliaryOnDefpoints>),
    {"penColors",
     SettingKind::PenColors,
     2,
     t::kPenColorsGroup,
     t::kPenColorsTip,
     t::kPen,
     "",
     {},
     "--pen-colors",
     "",
     "  --pen-colors C1,...,C6     ペン1〜6の色（1〜7 または red, yellow, green, cyan,\n"
     "                             blue, magenta, white。既定: 4,7,3,2,6,5）\n",
     "",
     "",
     false,
     PenColorsOf,
     TakePenColors},
};

}  // namespace

std::span<const Setting> SettingsTable() { return kSettings; }

const Setting* SettingNamed(std::string_view name) {
    for (const Setting& setting : kSettings)
        if (setting.name == name) return &setting;
    return nullptr;
}

std::array<int, 6> PenColorNumbers(std::string_view text) {
    std::array<int, 6> numbers{};
    for (int& number : numbers) {
        const std::string_view item = text.substr(0, text.find(','));
        number = item.size() == 1 && item[0] >= '1' && item[0] <= '7' ? item[0] - '0' : 0;
        text.remove_prefix(std::min(text.size(), item.size() + 1));
    }
    return numbers;
}

std::string PenColorsText(const std::array<int, 6>& numbers) {
    std::string text;
    for (const int number : numbers) {
        if (!text.empty()) text += ',';
        text += std::to_string(number);
    }
    return text;
}

std::string KeptKey(const Setting& setting) { return "conversion/" + std::string(setting.name); }

SettingTexts TextsOf(const ConversionSettings& settings) {
    SettingTexts texts;
    for (const Setting& setting : kSettings) texts.emplace(setting.name, setting.textOf(settings));
    return texts;
}

std::optional<ConversionSettings> SettingsFromTexts(const SettingTexts& texts) {
    ConversionSettings settings;
    for (const Setting& setting : kSettings) {
        const auto text = texts.find(setting.name);
        if (text != texts.end() && !setting.take(settings, text->second)) return std::nullopt;
    }
    return settings;
}

SettingTexts TextsAfterInitialise(const SettingTexts& shown) {
    SettingTexts texts = TextsOf(ConversionSettings{});
    for (const Setting& setting : kSettings)
        if (const auto kept = shown.find(setting.name); setting.keptByInitialise && kept != shown.end())
            texts[std::string(setting.name)] = kept->second;
    return texts;
}

std::vector<std::string> OptionsOf(const SettingTexts& texts) {
    std::vector<std::string> options;
    const SettingTexts defaults = TextsOf(ConversionSettings{});
    const auto on = [&](std::string_view name) {
        const auto text = texts.find(name);
        return (text != texts.end() ? text->second : defaults.find(name)->second) == kTrue;
    };
    for (const Setting& setting : kSettings) {
        const auto found = texts.find(setting.name);
        if (found == texts.end() || (!setting.owner.empty() && !on(setting.owner))) continue;
        const std::string& text = found->second;
        if (setting.kind == SettingKind::Switch) {
            const std::string_view option = text == kTrue ? setting.option : setting.offOption;
            if (!option.empty()) options.emplace_back(option);
            continue;
        }
        options.emplace_back(setting.option);
        std::string value = text;
        for (const SettingChoice& choice : setting.choices)
            if (choice.value == text) value = choice.word;
        options.push_back(value);
    }
    return options;
}

}  // namespace orvik
