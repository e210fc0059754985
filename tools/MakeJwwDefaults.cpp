// Prints jww/JwwDefaults.cpp: the header settings a JWW drawing made here
// starts from, taken from a drawing JW_CAD saved with its defaults (pens,
// line patterns, SXF colours and line types, text styles, and the fields
// the program does not use). Run by hand:
//   orvik-make-jww-defaults blank.jww | clang-format > src/jww/JwwDefaults.cpp
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>

#include "jww/JwwReader.h"

namespace {

using orvik::JwwHeader;

// A C++ literal of a double that reads back to the same bits.
std::string Real(double v) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

std::string Bytes(const std::string& bytes) {
    bool plain = true;
    for (const unsigned char c : bytes) plain = plain && c >= 0x20 && c < 0x7F && c != '"' && c != '\\';
    if (plain) return "\"" + bytes + "\"";
    std::string out = "std::string(\"";
    for (const unsigned char c : bytes) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        out += hex;
    }
    return out + "\", " + std::to_string(bytes.size()) + ")";
}

void Pens(const char* name, const auto& pens) {
    std::printf("    for (const auto& [n, color, width] : std::initializer_list<std::array<std::uint32_t, 3>>{\n");
    for (std::size_t n = 0; n < pens.size(); ++n)
        if (pens[n].color || pens[n].width)
            std::printf("             {%zu, %" PRIu32 ", %" PRIu32 "},\n", n, pens[n].color, pens[n].width);
    std::printf("         })\n        h.%s[n] = {color, width};\n", name);
}

void PrinterPens(const char* name, const auto& pens) {
    std::printf(
        "    for (const auto& [n, color, width, radius] :\n         std::initializer_list<std::tuple<std::size_t, std::uint32_t, std::uint32_t, double>>{\n");
    for (std::size_t n = 0; n < pens.size(); ++n)
        if (pens[n].color || pens[n].width || pens[n].pointRadius)
            std::printf("             {%zu, %" PRIu32 ", %" PRIu32 ", %s},\n", n, pens[n].color, pens[n].width,
                        Real(pens[n].pointRadius).c_str());
    std::printf("         })\n        h.%s[n] = {color, width, radius};\n", name);
}

void Patterns(const char* name, const auto& patterns) {
    std::printf(
        "    for (const auto& [n, pattern, unit, pitch, printerPitch, amplitude] :\n         std::initializer_list<std::array<std::uint32_t, 6>>{\n");
    for (std::size_t n = 0; n < patterns.size(); ++n) {
        const auto& p = patterns[n];
        if (p.pattern || p.unitDots || p.pitch || p.printerPitch || p.printerAmplitude)
            std::printf("             {%zu, %" PRIu32 ", %" PRIu32 ", %" PRIu32 ", %" PRIu32 ", %" PRIu32 "},\n", n,
                        p.pattern, p.unitDots, p.pitch, p.printerPitch, p.printerAmplitude);
    }
    std::printf("         })\n        h.%s[n] = {pattern, unit, pitch, printerPitch, amplitude};\n", name);
}

void Print(const JwwHeader& h) {
    std::printf(
        "// Printed by tools/MakeJwwDefaults.cpp (and clang-format) from a drawing JW_CAD saved with\n"
        "// its defaults; do not edit.\n"
        "#include \"jww/JwwDefaults.h\"\n\n"
        "#include <array>\n#include <initializer_list>\n#include <tuple>\n\n"
        "namespace orvik {\n\n"
        "JwwHeader DefaultJwwHeader() {\n"
        "    JwwHeader h;\n"
        "    h.version = %" PRIu32 ";\n",
        h.version);
    std::printf("    h.dimensionSettings = {");
    for (std::size_t i = 0; i < h.dimensionSettings.size(); ++i)
        std::printf("%s%" PRIu32, i ? ", " : "", h.dimensionSettings[i]);
    std::printf("};\n    h.maxDrawWidth = %" PRId32 ";\n", h.maxDrawWidth);
    std::printf("    h.printOriginX = %s;\n    h.printOriginY = %s;\n    h.printScale = %s;\n",
                Real(h.printOriginX).c_str(), Real(h.printOriginY).c_str(), Real(h.printScale).c_str());
    std::printf("    h.printSettings = %" PRIu32 ";\n    h.printOptions = %" PRIu32 ";\n", h.printSettings,
                h.printOptions);
    std::printf("    h.solidAnyColor = %" PRIu32 ";\n    h.solidColor = %" PRIu32 ";\n", h.solidAnyColor, h.solidColor);
    Pens("screenPens", h.screenPens);
    PrinterPens("printerPens", h.printerPens);
    Patterns("linePatterns", h.linePatterns);
    Patterns("randomPatterns", h.randomPatterns);
    Patterns("doublePatterns", h.doublePatterns);
    std::printf(
        "    h.sxfScreenPens.resize(%zu);\n    h.sxfPrinterPens.resize(%zu);\n    h.sxfColorNames.resize(%zu);\n",
        h.sxfScreenPens.size(), h.sxfPrinterPens.size(), h.sxfColorNames.size());
    Pens("sxfScreenPens", h.sxfScreenPens);
    PrinterPens("sxfPrinterPens", h.sxfPrinterPens);
    for (std::size_t n = 0; n < h.sxfColorNames.size(); ++n)
        if (!h.sxfColorNames[n].empty())
            std::printf("    h.sxfColorNames[%zu] = %s;\n", n, Bytes(h.sxfColorNames[n]).c_str());
    std::printf("    h.sxfPatterns.resize(%zu);\n", h.sxfPatterns.size());
    Patterns("sxfPatterns", h.sxfPatterns);
    std::printf("    h.sxfLineTypes.resize(%zu);\n", h.sxfLineTypes.size());
    for (std::size_t n = 0; n < h.sxfLineTypes.size(); ++n) {
        const auto& t = h.sxfLineTypes[n];
        if (t.name.empty() && t.segments == 0) continue;
        std::printf("    h.sxfLineTypes[%zu] = {%s, %" PRIu32 ", {", n, Bytes(t.name).c_str(), t.segments);
        for (std::size_t i = 0; i < t.pitches.size(); ++i)
            std::printf("%s%s", i ? ", " : "", Real(t.pitches[i]).c_str());
        std::printf("}};\n");
    }
    for (std::size_t n = 0; n < h.textStyles.size(); ++n) {
        const auto& s = h.textStyles[n];
        std::printf("    h.textStyles[%zu] = {%s, %s, %s, %" PRIu32 "};\n", n, Real(s.width).c_str(),
                    Real(s.height).c_str(), Real(s.spacing).c_str(), s.color);
    }
    std::printf("    h.textWidth = %s;\n    h.textHeight = %s;\n    h.textSpacing = %s;\n", Real(h.textWidth).c_str(),
                Real(h.textHeight).c_str(), Real(h.textSpacing).c_str());
    std::printf("    h.textColor = %" PRIu32 ";\n    h.textStyle = %" PRIu32 ";\n", h.textColor, h.textStyle);
    std::printf("    h.otherFields = {\n");
    for (const std::string& f : h.otherFields) std::printf("        %s,\n", Bytes(f).c_str());
    std::printf("    };\n    return h;\n}\n\n}  // namespace orvik\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvik-make-jww-defaults DRAWING.jww\n");
        return 2;
    }
    orvik::JwwDrawing drawing;
    orvik::Failure error;
    if (!orvik::LoadJwwFile(argv[1], drawing, &error, true)) {
        std::fprintf(stderr, "%s: not read whole\n", argv[1]);
        return 1;
    }
    Print(drawing.header);
    return 0;
}
