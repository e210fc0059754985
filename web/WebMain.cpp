// The page's way into the program. The page's worker writes the drawings
// into the module's memory file system, runs a command on them (the same
// arguments orvik-cli takes) and reads back the files it wrote and what it
// printed; nothing leaves the browser. The page's settings take their
// captions and defaults from here: the window's own.
#include <emscripten/emscripten.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/EntryNames.h"
#include "app/ReadDrawing.h"
#include "app/SettingChecks.h"
#include "app/SettingsTable.h"
#include "app/WindowTexts.h"
#include "cli/Cli.h"
#include "convert/ConversionSettings.h"
#include "convert/ProposedScales.h"
#include "text/Cp932.h"

namespace {

using namespace orvik;

std::string printed, problems, pageTexts, scales, options, checked, entry;

// A JSON string: the text (UTF-8) quoted, its quotes, backslashes and
// control characters escaped.
std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string Bool(bool b) { return b ? "true" : "false"; }

// A setting's text as the page keeps it (JSON): a switch or a choice of
// true/false as a boolean, a number choice as a number, the pen colours as
// an array of numbers, any other text as a string.
std::string Typed(const Setting& setting, std::string_view text) {
    if (setting.kind == SettingKind::PenColors) return "[" + std::string(text) + "]";
    if (setting.kind == SettingKind::Field) return Quoted(Cp932ToUtf8(text));
    if (text == kTrue || text == kFalse) return std::string(text);
    const bool number = !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
    return number ? std::string(text) : Quoted(text);
}

// The settings table's rows as the page builds its controls from them.
std::string SettingRows() {
    const SettingTexts defaults = TextsOf(ConversionSettings{});
    static constexpr const char* kKinds[] = {"switch", "choice", "field", "pens"};
    std::string json = "[";
    for (const Setting& s : SettingsTable()) {
        json += (json.size() > 1 ? ",{" : "{") + std::string("\"name\":") + Quoted(s.name) +
                ",\"kind\":" + Quoted(kKinds[static_cast<int>(s.kind)]) + ",\"group\":" + Quoted(s.group) +
                ",\"groupTip\":" + Quoted(s.groupTip) + ",\"caption\":" + Quoted(s.caption) +
                ",\"unit\":" + Quoted(s.unit) + ",\"keptByInitialise\":" + Bool(s.keptByInitialise) +
                ",\"default\":" + Typed(s, defaults.at(std::string(s.name))) + ",\"choices\":[";
        for (std::size_t i = 0; i < s.choices.size(); ++i)
            json += std::string(i ? ",{" : "{") + "\"value\":" + Typed(s, s.choices[i].value) +
                    ",\"caption\":" + Quoted(s.choices[i].caption) +
                    ",\"tip\":" + Quoted(Cp932ToUtf8(s.choices[i].tip)) + "}";
        json += "]}";
    }
    return json + "]";
}

// The job statuses as the report names them: the sign each puts before a
// drawing's name and whether it failed, for the page's list.
std::string StatusRows() {
    std::string json = "{";
    for (const StatusRow& row : kStatusRows) {
        if (json.size() > 1) json += ',';
        json.append(Quoted(row.name)).append(":{\"sign\":").append(Quoted(row.sign));
        json.append(",\"failed\":").append(row.exitCode == kExitSomeFailed ? "true}" : "false}");
    }
    return json + "}";
}

std::string MakePageTexts() {
    namespace t = window_text;
    std::ostringstream json;
    json << "{\"captions\":{";
    const std::pair<std::string_view, std::string_view> captions[] = {
        {"log", t::kLogTab},
        {"drawing", t::kDrawingTab},
        {"fit", t::kFitButton},
        {"fitTip", t::kFitTip},
        {"lightBackground", t::kLightBackground},
        {"scaleGroup", t::kScaleGroup},
        {"scaleTip", t::kScaleTip},
        {"defaults", t::kDefaultsButton},
        {"defaultsTip", t::kDefaultsTip},
        {"save", t::kSaveButton},
        {"saveTip", t::kSaveTip},
        {"cancel", t::kCancelButton},
    };
    const char* separator = "";
    for (const auto& [key, text] : captions) {
        json << separator << Quoted(key) << ':' << Quoted(text);
        separator = ",";
    }
    json << "},\"statuses\":" << StatusRows() << ",\"settings\":" << SettingRows() << '}';
    return json.str();
}

// The command line's options for the settings' texts, which stand one
// after the other in `pairs`, a name and its text each ended by a NUL byte:
// a JSON array of strings.
std::string OptionsJson(const char* pairs, int size) {
    SettingTexts texts;
    for (int at = 0; at < size;) {
        const std::string name(pairs + at);
        at += static_cast<int>(name.size()) + 1;
        if (at >= size) break;
        const std::string text(pairs + at);
        at += static_cast<int>(text.size()) + 1;
        texts[name] = text;
    }
    std::string json = "[";
    for (const std::string& option : OptionsOf(texts)) json += (json.size() > 1 ? "," : "") + Quoted(option);
    return json + "]";
}

// The reference scales the window lists for the drawing at `path`, the
// proposed one selected: {"items":[...],"selected":n}; none for a file
// that is no drawing.
std::string ScaleListOf(const std::string& path) {
    DrawingFile file(path);
    const FileCheck check = file.Check();
    ScaleList list;
    if (check.refusal == Reason::None) {
        Drawing drawing;
        file.Read(check.format, drawing);
        list = ListProposedScales(drawing);
    }
    std::string json = "{\"items\":[";
    const char* separator = "";
    for (const std::string& item : list.items) {
        json += separator + Quoted(item);
        separator = ",";
    }
    return json + "],\"selected\":" + std::to_string(list.selected) + "}";
}

// A settings field's text as the window checks it: {"verdict":
// "usable"|"refused"|"error","message":...,"text":...} (see CheckWindowField;
// the text UTF-8, as the page has it).
std::string FieldCheckJson(const std::string& name, const std::string& utf8) {
    const Setting* field = SettingNamed(name);
    if (!field || field->kind != SettingKind::Field) return "{\"verdict\":\"error\",\"message\":\"\",\"text\":\"\"}";
    const FieldCheck check = CheckWindowField(*field, Utf8ToCp932(utf8));
    static constexpr const char* kVerdicts[] = {"usable", "refused", "error"};
    return std::string("{\"verdict\":\"") + kVerdicts[static_cast<int>(check.verdict)] +
           "\",\"message\":" + Quoted(Cp932ToUtf8(check.message)) + ",\"text\":" + Quoted(Cp932ToUtf8(check.text)) +
           "}";
}

}  // namespace

extern "C" {

// Runs the command whose arguments stand one after the other in `arguments`,
// each ended by a NUL byte; answers its exit code.
EMSCRIPTEN_KEEPALIVE int orvik_run(const char* arguments, int size) {
    std::vector<std::string> args;
    for (int at = 0; at < size;) {
        args.emplace_back(arguments + at);
        at += static_cast<int>(args.back().size()) + 1;
    }
    std::ostringstream out, err;
    const int code = cli::RunCli(args, out, err);
    printed = out.str();
    problems = err.str();
    return code;
}

// What the last command printed (UTF-8): its standard output and its
// standard error.
EMSCRIPTEN_KEEPALIVE const char* orvik_output() { return printed.c_str(); }
EMSCRIPTEN_KEEPALIVE const char* orvik_errors() { return problems.c_str(); }

// The reference scales of the drawing at `path` (UTF-8), as JSON.
EMSCRIPTEN_KEEPALIVE const char* orvik_scales(const char* path) {
    scales = ScaleListOf(path);
    return scales.c_str();
}

// The window's captions the page shows, and the settings table's rows
// (JSON, UTF-8).
EMSCRIPTEN_KEEPALIVE const char* orvik_page_texts() {
    if (pageTexts.empty()) pageTexts = MakePageTexts();
    return pageTexts.c_str();
}

// The name of a ZIP entry for a file the user's folders name (UTF-8): inside
// the archive's folder, shown as what it is (ArchiveEntryName).
EMSCRIPTEN_KEEPALIVE const char* orvik_entry_name(const char* name) {
    entry = ArchiveEntryName(name);
    return entry.c_str();
}

// The window's check of a settings field's text (see FieldCheckJson).
EMSCRIPTEN_KEEPALIVE const char* orvik_check_field(const char* name, const char* text) {
    checked = FieldCheckJson(name, text);
    return checked.c_str();
}

// The command line's options that give the settings (see OptionsJson).
EMSCRIPTEN_KEEPALIVE const char* orvik_options(const char* pairs, int size) {
    options = OptionsJson(pairs, size);
    return options.c_str();
}
}
