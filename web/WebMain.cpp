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

#include "app/OutputFormatChoices.h"
#include "app/ReadDrawing.h"
#include "app/WindowPorts.h"
#include "app/WindowTexts.h"
#include "cli/Cli.h"
#include "convert/ConversionSettings.h"
#include "convert/ProposedScales.h"
#include "text/Cp932.h"

namespace {

using namespace orvik;

std::string printed, problems, pageTexts, scales;

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
        {"numbersGroup", t::kNumbersGroup},
        {"roundCoordinates", t::kRoundCoordinates},
        {"numbersTip", t::kNumbersTip},
        {"pointsGroup", t::kPointsGroup},
        {"filledCircle", t::kFilledCircle},
        {"circle", t::kCircle},
        {"pointAsIs", t::kPointAsIs},
        {"radius", t::kRadius},
        {"millimetres", t::kMillimetres},
        {"pointsTip", t::kPointsTip},
        {"lineTypesGroup", t::kLineTypesGroup},
        {"jwLineTypes", t::kJwLineTypes},
        {"acadLineTypes", t::kAcadLineTypes},
        {"lineTypesTip", t::kLineTypesTip},
        {"curvesGroup", t::kCurvesGroup},
        {"polylines", t::kPolylines},
        {"blocksGroup", t::kBlocksGroup},
        {"explodeBlocks", t::kExplodeBlocks},
        {"blocksTip", t::kBlocksTip},
        {"textShrinkGroup", t::kTextShrinkGroup},
        {"shrinkTexts", t::kShrinkTexts},
        {"shrink", t::kShrink},
        {"textShrinkTip", t::kTextShrinkTip},
        {"halfWidthGroup", t::kHalfWidthGroup},
        {"narrowHalfWidth", t::kNarrowHalfWidth},
        {"aspect", t::kAspect},
        {"percent", t::kPercent},
        {"outputFormatGroup", t::kOutputFormatGroup},
        {"layerNamesGroup", t::kLayerNamesGroup},
        {"plainLayerNames", t::kPlainLayerNames},
        {"layerNamesTip", t::kLayerNamesTip},
        {"auxiliaryGroup", t::kAuxiliaryGroup},
        {"auxiliaryOnDefpoints", t::kAuxiliaryOnDefpoints},
        {"auxiliaryTip", t::kAuxiliaryTip},
        {"penColorsGroup", t::kPenColorsGroup},
        {"pen", t::kPen},
        {"penColorsTip", t::kPenColorsTip},
        {"scaleGroup", t::kScaleGroup},
        {"scaleTip", t::kScaleTip},
        {"defaults", t::kDefaultsButton},
        {"defaultsTip", t::kDefaultsTip},
        {"save", t::kSaveButton},
        {"saveTip", t::kSaveTip},
        {"cancel", t::kCancelButton},
        {"partlyReadMark", t::kPartlyReadMark},
        {"failedMark", t::kFailedMark},
    };
    const char* separator = "";
    for (const auto& [key, text] : captions) {
        json << separator << Quoted(key) << ':' << Quoted(text);
        separator = ",";
    }
    json << "},\"outputFormats\":[";
    separator = "";
    for (const OutputFormatChoice& choice : kOutputFormatChoices) {
        json << separator << "{\"name\":" << Quoted(choice.name)
             << ",\"readers\":" << Quoted(Cp932ToUtf8(choice.readers)) << '}';
        separator = ",";
    }
    const ControlValues c = ControlsOf(ConversionSettings{});
    json << "],\"defaults\":{\"roundCoordinates\":" << Bool(c.roundCoordinates)
         << ",\"pointMode\":" << static_cast<int>(c.pointMode) << ",\"pointRadius\":" << Quoted(c.pointRadius)
         << ",\"jwLineTypes\":" << Bool(c.jwLineTypes) << ",\"curvesAsPolylines\":" << Bool(c.curvesAsPolylines)
         << ",\"shrinkTexts\":" << Bool(c.shrinkTexts) << ",\"textShrink\":" << Quoted(c.textShrink)
         << ",\"narrowHalfWidthTexts\":" << Bool(c.narrowHalfWidthTexts)
         << ",\"halfWidthAspect\":" << Quoted(c.halfWidthAspect) << ",\"plainLayerNames\":" << Bool(c.plainLayerNames)
         << ",\"auxiliaryOnDefpoints\":" << Bool(c.auxiliaryOnDefpoints)
         << ",\"explodeBlocks\":" << Bool(c.explodeBlocks) << ",\"penColors\":[";
    separator = "";
    for (const int color : c.penColors) {
        json << separator << color;
        separator = ",";
    }
    json << "],\"outputFormat\":" << Quoted(ChoiceOf(c.outputFormat).name) << "}}";
    return json.str();
}

// The reference scales the window lists for the drawing at `path`, the
// proposed one selected: {"items":[...],"selected":n}; none for a file
// that is no drawing.
std::string ScaleListOf(const std::string& path) {
    DrawingFile file(path);
    const FileCheck check = file.Check();
    ScaleList list;
    if (check.refusal == FileRefusal::None) {
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

// The settings' captions and defaults as the window has them, and the
// output formats (JSON, UTF-8).
EMSCRIPTEN_KEEPALIVE const char* orvik_page_texts() {
    if (pageTexts.empty()) pageTexts = MakePageTexts();
    return pageTexts.c_str();
}
}
