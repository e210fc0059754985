#include "cli/ConvertOptions.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <functional>
#include <map>
#include <utility>

#include "app/OutputFormatChoices.h"
#include "app/ReadReport.h"
#include "app/SettingChecks.h"
#include "convert/Conversion.h"
#include "os/System.h"
#include "text/Cp932.h"

namespace orvik::cli {
namespace {

using Setter = std::function<std::optional<std::string>(ConvertOptions&, const std::string&)>;

struct Option {
    bool takesValue;
    Setter apply;  // returns the error message, if any
};

std::optional<std::string> Fail(std::string_view cp932Message) { return Cp932ToUtf8(cp932Message); }

// AutoCAD colours 1..7 by number or by name.
std::optional<int> ColorNumber(const std::string& text) {
    static const std::map<std::string, int> kNames = {{"red", 1},  {"yellow", 2},  {"green", 3}, {"cyan", 4},
                                                      {"blue", 5}, {"magenta", 6}, {"white", 7}};
    if (auto it = kNames.find(text); it != kNames.end()) return it->second;
    if (text.size() == 1 && text[0] >= '1' && text[0] <= '7') return text[0] - '0';
    return std::nullopt;
}

std::optional<std::string> SetPenColors(ConvertOptions& o, const std::string& value) {
    std::vector<std::string> items{""};
    for (char c : value) {
        if (c == ',')
            items.emplace_back();
        else
            items.back() += c;
    }
    std::array<std::int32_t, 6> colors{};
    bool valid = items.size() == colors.size();
    for (std::size_t i = 0; valid && i < colors.size(); ++i) {
        const auto color = ColorNumber(items[i]);
        valid = color.has_value();
        if (valid) colors[i] = *color;
    }
    if (!valid)
        return "ペンの色は 1〜7 の色番号か red, yellow, green, cyan, blue, magenta, white で6つ、"
               "カンマで区切って指定してください: " +
               value;
    o.settings.penColors = colors;
    return std::nullopt;
}

using OptionTable = std::vector<std::pair<std::string, Option>>;

// A switch that sets one of the conversion's settings.
Option SettingSwitch(bool ConversionSettings::*setting, bool value) {
    return {false, [setting, value](ConvertOptions& o, const std::string&) {
                o.settings.*setting = value;
                return std::optional<std::string>{};
            }};
}

// A switch of the run.
Option RunSwitch(bool ConvertOptions::*option) {
    return {false, [option](ConvertOptions& o, const std::string&) {
                o.*option = true;
                return std::optional<std::string>{};
            }};
}

// The options of the conversion's settings.
OptionTable SettingOptions() {
    return {
        {"--scale",
         {true,
          [](ConvertOptions& o, const std::string& v) -> std::optional<std::string> {
              const auto scale = ParseScaleText(v);
              if (!scale || !IsUsableScale(*scale)) return "基準縮尺は0より大きい数値で指定してください: " + v;
              o.scale = v;
              return std::nullopt;
          }}},
        {"--points",
         {true,
          [](ConvertOptions& o, const std::string& v) -> std::optional<std::string> {
              static const std::map<std::string, PointMode> kModes = {
                  {"filled", PointMode::FilledCircle}, {"circle", PointMode::Circle}, {"point", PointMode::Point}};
              const auto it = kModes.find(v);
              if (it == kModes.end()) return "--points には filled, circle, point のいずれかを指定してください: " + v;
              o.settings.pointMode = it->second;
              return std::nullopt;
          }}},
        {"--point-radius",
         {true,
          [](ConvertOptions& o, const std::string& v) -> std::optional<std::string> {
              const auto radius = ParsePointRadius(v);
              if (!radius) return Fail(kRadiusMessage);
              o.settings.pointRadiusMm = *radius;
              return std::nullopt;
          }}},
        {"--linetypes",
         {true,
          [](ConvertOptions& o, const std::string& v) -> std::optional<std::string> {
              if (v != "jw" && v != "acad") return "--linetypes には jw か acad を指定してください: " + v;
              o.settings.jwLineTypes = v == "jw";
              return std::nullopt;
          }}},
        {"--text-reduction",
         {true,
          [](ConvertOptions& o, const std::string& v) -> std::optional<std::string> {
              const auto percent = ParsePercentage(v);
              if (!percent) return Fail(kReductionMessage);
              o.settings.shrinkTexts = true;
              o.settings.textShrinkPercent = static_cast<std::uint8_t>(*percent);
              return std::nullopt;
          }}},
        {"--halfwidth-aspect",
         {true,
          [](ConvertOptions& o, const std::string& v) -> std::optional<std::string> {
              const auto percent = ParsePercentage(v);
              if (!percent) return Fail(kAspectMessage);
              o.settings.narrowHalfWidthTexts = true;
              o.settings.halfWidthAspectPercent = static_cast<std::uint8_t>(*percent);
              return std::nullopt;
          }}},
        {"--pen-colors", {true, SetPenColors}},
        {"--format",
         {true,
          [](ConvertOptions& o, const std::string& v) -> std::optional<std::string> {
              const auto format = OutputFormatNamed(v);
              if (!format) return "--format には " + OutputFormatNames() + " のいずれかを指定してください: " + v;
              o.settings.outputFormat = *format;
              return std::nullopt;
          }}},
        {"--polylines", SettingSwitch(&ConversionSettings::curvesAsPolylines, true)},
        {"--explode-blocks", SettingSwitch(&ConversionSettings::explodeBlocks, true)},
        {"--no-round", SettingSwitch(&ConversionSettings::roundCoordinates, false)},
        {"--no-text-reduction", SettingSwitch(&ConversionSettings::shrinkTexts, false)},
        {"--no-halfwidth-aspect", SettingSwitch(&ConversionSettings::narrowHalfWidthTexts, false)},
        {"--layer-numbers", SettingSwitch(&ConversionSettings::plainLayerNames, false)},
        {"--no-defpoints", SettingSwitch(&ConversionSettings::auxiliaryOnDefpoints, false)},
    };
}

// The options of the pictures render makes.
OptionTable PictureOptions() {
    return {
        {"--width",
         {true,
          [](ConvertOptions& o, const std::string& v) -> std::optional<std::string> {
              const auto width = ParseInteger(v);
              if (!width || *width < 16 || *width > 20000)
                  return "--width には 16〜20000 のピクセル数を指定してください: " + v;
              o.picture.width = static_cast<int>(*width);
              o.pictureOptionGiven = true;
              return std::nullopt;
          }}},
        {"--background",
         {true,
          [](ConvertOptions& o, const std::string& v) -> std::optional<std::string> {
              if (v != "dark" && v != "light") return "--background には dark か light を指定してください: " + v;
              o.picture.lightBackground = v == "light";
              o.pictureOptionGiven = true;
              return std::nullopt;
          }}},
        {"--picture",
         {true,
          [](ConvertOptions& o, const std::string& v) -> std::optional<std::string> {
              const auto type = PictureTypeNamed("." + v);
              if (!type || v.find('.') != std::string::npos)
                  return "--picture には svg, png, pdf のいずれかを指定してください: " + v;
              o.pictureType = *type;
              o.pictureOptionGiven = true;
              return std::nullopt;
          }}},
    };
}

// Where the run reads and writes, and how.
OptionTable RunOptions() {
    return {
        {"--output",
         {true,
          [](ConvertOptions& o, const std::string& v) -> std::optional<std::string> {
              if (v.empty()) return "-o には出力ファイルかフォルダ、標準出力なら - を指定してください";
              o.output = v;
              if (const auto type = PictureTypeNamed(v)) o.pictureType = *type;
              return std::nullopt;
          }}},
        {"--output-dir",
         {true,
          [](ConvertOptions& o, const std::string& v) -> std::optional<std::string> {
              if (v.empty()) return "--output-dir には出力先のフォルダを指定してください";
              o.outputDir = v;
              return std::nullopt;
          }}},
        {"--jobs",
         {true,
          [](ConvertOptions& o, const std::string& v) -> std::optional<std::string> {
              const auto jobs = ParseInteger(v);
              if (!jobs || *jobs < 1 || *jobs > 256) return "-j には 1〜256 の数を指定してください: " + v;
              o.jobs = static_cast<int>(*jobs);
              return std::nullopt;
          }}},
        {"--report",
         {true,
          [](ConvertOptions& o, const std::string& v) -> std::optional<std::string> {
              if (v.empty()) return "--report には報告ファイルを指定してください";
              o.report = v;
              return std::nullopt;
          }}},
        {"--report-format",
         {true,
          [](ConvertOptions& o, const std::string& v) -> std::optional<std::string> {
              if (v != "jsonl" && v != "csv") return "--report-format には jsonl か csv を指定してください: " + v;
              o.reportFormat = v == "csv" ? ReportFormat::Csv : ReportFormat::JsonLines;
              return std::nullopt;
          }}},
        {"--recursive", RunSwitch(&ConvertOptions::recursive)},
        {"--update", RunSwitch(&ConvertOptions::update)},
        {"--quiet", RunSwitch(&ConvertOptions::quiet)},
        {"--thumbnail", RunSwitch(&ConvertOptions::thumbnail)},
        {"--force", RunSwitch(&ConvertOptions::force)},
        {"--allow-partial", RunSwitch(&ConvertOptions::allowPartial)},
        {"--help", RunSwitch(&ConvertOptions::help)},
    };
}

const std::map<std::string, Option>& Options() {
    static const std::map<std::string, Option> kOptions = [] {
        std::map<std::string, Option> all;
        for (const OptionTable& table : {SettingOptions(), PictureOptions(), RunOptions()})
            all.insert(table.begin(), table.end());
        return all;
    }();
    return kOptions;
}

}  // namespace

int DefaultJobs() { return os::ProcessorCount(); }

int WritersPerDrawing(int jobs, std::size_t drawings) {
    const int atOnce =
        static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(jobs), std::max<std::size_t>(drawings, 1)));
    return std::max(1, std::min(jobs, os::ProcessorCount()) / atOnce);
}

bool ErrorsOnTerminal() { return os::IsTerminal(os::StandardError()); }

std::optional<PictureType> PictureTypeNamed(const std::string& path) {
    for (const PictureType type : {PictureType::Svg, PictureType::Png, PictureType::Pdf})
        if (HasExtension(path, PictureExtension(type))) return type;
    return std::nullopt;
}

ParsedOptions ParseConvertOptions(const std::vector<std::string>& args) {
    ParsedOptions parsed;
    ConvertOptions& options = parsed.options;
    const auto refuse = [&](std::string message) {
        parsed.error = std::move(message);
        return parsed;
    };
    bool optionsDone = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (optionsDone || arg.size() < 2 || arg[0] != '-') {
            options.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsDone = true;
            continue;
        }
        static const std::map<std::string, std::string> kShort = {
            {"-o", "--output"}, {"-h", "--help"}, {"-r", "--recursive"}, {"-j", "--jobs"}, {"-q", "--quiet"}};
        if (const auto it = kShort.find(arg); it != kShort.end()) arg = it->second;
        std::optional<std::string> inlineValue;
        if (const auto eq = arg.find('='); eq != std::string::npos) {
            inlineValue = arg.substr(eq + 1);
            arg.resize(eq);
        }
        const auto it = Options().find(arg);
        if (it == Options().end()) return refuse("不明なオプションです: " + args[i]);
        const Option& option = it->second;
        std::string value;
        if (option.takesValue) {
            if (inlineValue) {
                value = *inlineValue;
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                return refuse(arg + " には値が必要です");
            }
        } else if (inlineValue) {
            return refuse(arg + " は値をとりません");
        }
        if (auto error = option.apply(options, value)) return refuse(*error);
    }
    return parsed;
}

}  // namespace orvik::cli
