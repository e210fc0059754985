#include "cli/ConvertOptions.h"

#include <algorithm>
#include <functional>
#include <map>
#include <utility>

#include "app/ReadReport.h"
#include "app/SettingChecks.h"
#include "app/SettingsTable.h"
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

using OptionTable = std::vector<std::pair<std::string, Option>>;

// A switch of the run.
Option RunSwitch(bool ConvertOptions::*option) {
    return {false, [option](ConvertOptions& o, const std::string&) {
                o.*option = true;
                return std::optional<std::string>{};
            }};
}

// "--points には filled, circle, point のいずれかを指定してください: " (two words: "jw か acad を").
std::string ChoiceRefusal(const Setting& setting, const std::string& value) {
    std::string words;
    for (const SettingChoice& choice : setting.choices)
        words += (words.empty() ? "" : setting.choices.size() == 2 ? " か " : ", ") + std::string(choice.word);
    return std::string(setting.option) + " には " + words +
           (setting.choices.size() == 2 ? " を指定してください: " : " のいずれかを指定してください: ") + value;
}

// Pen colours as the command line takes them: each a number 1..7 or an
// AutoCAD colour's name; the setting's text, or "" when one is neither.
std::string PenColorNumbers(const std::string& value) {
    static const std::map<std::string, char, std::less<>> kNames = {
        {"red", '1'}, {"yellow", '2'}, {"green", '3'}, {"cyan", '4'}, {"blue", '5'}, {"magenta", '6'}, {"white", '7'}};
    std::string numbers, word;
    for (std::size_t at = 0; at <= value.size(); ++at) {
        if (at < value.size() && value[at] != ',') {
            word += value[at];
            continue;
        }
        const auto named = kNames.find(word);
        numbers += named != kNames.end() ? std::string(1, named->second) : word;
        if (at < value.size()) numbers += ',';
        word.clear();
    }
    return numbers;
}

// The value the setting's option was given, taken into the settings; the
// message when it is none of the setting's values.
std::optional<std::string> TakeValue(const Setting& setting, ConvertOptions& o, const std::string& value) {
    std::string text = value;
    if (setting.kind == SettingKind::Choice) {
        text.clear();
        for (const SettingChoice& choice : setting.choices)
            if (choice.word == value) text = choice.value;
    } else if (setting.kind == SettingKind::PenColors) {
        text = PenColorNumbers(value);
    }
    if (setting.take(o.settings, text)) {
        if (!setting.owner.empty()) SettingNamed(setting.owner)->take(o.settings, kTrue);
        return std::nullopt;
    }
    if (setting.kind == SettingKind::Choice) return ChoiceRefusal(setting, value);
    if (setting.kind == SettingKind::PenColors)
        return "ペンの色は 1〜7 の色番号か red, yellow, green, cyan, blue, magenta, white で6つ、"
               "カンマで区切って指定してください: " +
               value;
    return Fail(setting.refusal);
}

// The options of the conversion's settings, from the settings table; and
// the reference scale.
OptionTable SettingOptions() {
    OptionTable options = {
        {"--scale",
         {true,
          [](ConvertOptions& o, const std::string& v) -> std::optional<std::string> {
              const auto scale = ParseScaleText(v);
              if (!scale || !IsUsableScale(*scale)) return "基準縮尺は0より大きい数値で指定してください: " + v;
              o.scale = v;
              o.sheet.scale = static_cast<double>(*scale);
              return std::nullopt;
          }}},
        {"--paper",
         {true, [](ConvertOptions& o, const std::string& v) -> std::optional<std::string> {
              static constexpr std::pair<std::string_view, std::int32_t> kPapers[] = {
                  {"A0", 0}, {"A1", 1}, {"A2", 2}, {"A3", 3}, {"A4", 4}, {"2A", 8}, {"3A", 9}, {"4A", 10}, {"5A", 11}};
              for (const auto& [name, code] : kPapers)
                  if (name.size() == v.size() && std::equal(v.begin(), v.end(), name.begin(), [](char a, char b) {
                          return std::toupper(static_cast<unsigned char>(a)) == b;
                      })) {
                      o.sheet.paper = code;
                      return std::nullopt;
                  }
              return "--paper には A0〜A4, 2A〜5A のいずれかを指定してください: " + v;
          }}}};
    for (const Setting& setting : SettingsTable()) {
        const Setting* row = &setting;
        const auto turn = [row](std::string_view text) {
            return Option{false, [row, text](ConvertOptions& o, const std::string&) {
                              row->take(o.settings, text);
                              return std::optional<std::string>{};
                          }};
        };
        if (setting.kind != SettingKind::Switch)
            options.push_back({std::string(setting.option), {true, [row](ConvertOptions& o, const std::string& v) {
                                                                 return TakeValue(*row, o, v);
                                                             }}});
        else if (!setting.option.empty())
            options.push_back({std::string(setting.option), turn(kTrue)});
        if (!setting.offOption.empty()) options.push_back({std::string(setting.offOption), turn(kFalse)});
    }
    return options;
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
              if (HasExtension(v, ".jww") && !o.toGiven) o.jww = true;
              return std::nullopt;
          }}},
        {"--to",
         {true,
          [](ConvertOptions& o, const std::string& v) -> std::optional<std::string> {
              if (v != "dxf" && v != "jww") return "--to には dxf か jww を指定してください: " + v;
              o.jww = v == "jww";
              o.toGiven = true;
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
