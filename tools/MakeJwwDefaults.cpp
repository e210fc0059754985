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
    std::string out = "std::string_view(\"";
    for (const unsigned char c : bytes) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        out += hex;
    }
    return out + "\", " + std::to_string(bytes.size()) + ")";
}

// What is printed: tables at namespace scope, the steps that apply them in
// the function.
struct Out {
    std::string tables, steps;
    void Table(const std::string& text) { tables += text; }
    void Step(const std::string& text) { steps += "    " + text + "\n"; }
};

std::string Format(const char* format, auto... values) {
    char text[256];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

// A table `table` of rows (its index first), and the step that sets `field[n]` from each.
void Rows(Out& out, const std::string& table, const std::string& type, const std::string& names,
          const std::vector<std::string>& rows, const std::string& field, const std::string& value) {
    out.Table("constexpr " + type + " " + table + "[] = {\n");
    for (const std::string& row : rows) out.Table("    {" + row + "},\n");
    out.Table("};\n\n");
    out.Step("for (const auto& [" + names + "] : " + table + ") h." + field + "[n] = {" + value + "};");
}

void Pens(Out& out, const std::string& table, const char* field, const auto& pens) {
    std::vector<std::string> rows;
    for (std::size_t n = 0; n < pens.size(); ++n)
        if (pens[n].color || pens[n].width)
            rows.push_back(Format("%zu, %" PRIu32 ", %" PRIu32, n, pens[n].color, pens[n].width));
    Rows(out, table, "std::array<std::uint32_t, 3>", "n, color, width", rows, field, "color, width");
}

void PrinterPens(Out& out, const std::string& table, const char* field, const auto& pens) {
    std::vector<std::string> rows;
    for (std::size_t n = 0; n < pens.size(); ++n)
        if (pens[n].color || pens[n].width || pens[n].pointRadius)
            rows.push_back(Format("%zu, %" PRIu32 ", %" PRIu32 ", %s", n, pens[n].color, pens[n].width,
                                  Real(pens[n].pointRadius).c_str()));
    Rows(out, table, "PrinterPenRow", "n, color, width, radius", rows, field, "color, width, radius");
}

void Patterns(Out& out, const std::string& table, const char* field, const auto& patterns) {
    std::vector<std::string> rows;
    for (std::size_t n = 0; n < patterns.size(); ++n) {
        const auto& p = patterns[n];
        if (p.pattern || p.unitDots || p.pitch || p.printerPitch || p.printerAmplitude)
            rows.push_back(Format("%zu, %" PRIu32 ", %" PRIu32 ", %" PRIu32 ", %" PRIu32 ", %" PRIu32, n, p.pattern,
                                  p.unitDots, p.pitch, p.printerPitch, p.printerAmplitude));
    }
    Rows(out, table, "std::array<std::uint32_t, 6>", "n, pattern, unit, pitch, printerPitch, amplitude", rows, field,
         "pattern, unit, pitch, printerPitch, amplitude");
}

void Print(const JwwHeader& h) {
    Out out;
    out.Step(Format("h.version = %" PRIu32 ";", h.version));
    std::string dimensions;
    for (std::size_t i = 0; i < h.dimensionSettings.size(); ++i)
        dimensions += Format("%s%" PRIu32, i ? ", " : "", h.dimensionSettings[i]);
    out.Step("h.dimensionSettings = {" + dimensions + "};");
    out.Step(Format("h.maxDrawWidth = %" PRId32 ";", h.maxDrawWidth));
    out.Step("h.printOriginX = " + Real(h.printOriginX) + ";");
    out.Step("h.printOriginY = " + Real(h.printOriginY) + ";");
    out.Step("h.printScale = " + Real(h.printScale) + ";");
    out.Step(Format("h.printSettings = %" PRIu32 ";", h.printSettings));
    out.Step(Format("h.printOptions = %" PRIu32 ";", h.printOptions));
    out.Step(Format("h.solidAnyColor = %" PRIu32 ";", h.solidAnyColor));
    out.Step(Format("h.solidColor = %" PRIu32 ";", h.solidColor));
    Pens(out, "kScreenPens", "screenPens", h.screenPens);
    PrinterPens(out, "kPrinterPens", "printerPens", h.printerPens);
    Patterns(out, "kLinePatterns", "linePatterns", h.linePatterns);
    Patterns(out, "kRandomPatterns", "randomPatterns", h.randomPatterns);
    Patterns(out, "kDoublePatterns", "doublePatterns", h.doublePatterns);
    out.Step(Format("h.sxfScreenPens.resize(%zu);", h.sxfScreenPens.size()));
    out.Step(Format("h.sxfPrinterPens.resize(%zu);", h.sxfPrinterPens.size()));
    out.Step(Format("h.sxfColorNames.resize(%zu);", h.sxfColorNames.size()));
    out.Step(Format("h.sxfPatterns.resize(%zu);", h.sxfPatterns.size()));
    out.Step(Format("h.sxfLineTypes.resize(%zu);", h.sxfLineTypes.size()));
    Pens(out, "kSxfScreenPens", "sxfScreenPens", h.sxfScreenPens);
    PrinterPens(out, "kSxfPrinterPens", "sxfPrinterPens", h.sxfPrinterPens);
    std::vector<std::string> names;
    for (std::size_t n = 0; n < h.sxfColorNames.size(); ++n)
        if (!h.sxfColorNames[n].empty()) names.push_back(Format("%zu, ", n) + Bytes(h.sxfColorNames[n]));
    Rows(out, "kSxfColorNames", "NameRow", "n, name", names, "sxfColorNames", "std::string(name)");
    Patterns(out, "kSxfPatterns", "sxfPatterns", h.sxfPatterns);
    std::vector<std::string> types;
    for (std::size_t n = 0; n < h.sxfLineTypes.size(); ++n) {
        const auto& t = h.sxfLineTypes[n];
        if (t.name.empty() && t.segments == 0) continue;
        std::string pitches;
        for (std::size_t i = 0; i < t.pitches.size(); ++i) pitches += (i ? ", " : "") + Real(t.pitches[i]);
        types.push_back(Format("%zu, ", n) + Bytes(t.name) + Format(", %" PRIu32 ", {", t.segments) + pitches + "}");
    }
    Rows(out, "kSxfLineTypes", "LineTypeRow", "n, name, segments, pitches", types, "sxfLineTypes",
         "std::string(name), segments, pitches");
    std::vector<std::string> styles;
    for (std::size_t n = 0; n < h.textStyles.size(); ++n) {
        const auto& t = h.textStyles[n];
        styles.push_back(Format("%zu, ", n) + Real(t.width) + ", " + Real(t.height) + ", " + Real(t.spacing) +
                         Format(", %" PRIu32, t.color));
    }
    Rows(out, "kTextStyles", "TextStyleRow", "n, width, height, spacing, color", styles, "textStyles",
         "width, height, spacing, color");
    out.Step("h.textWidth = " + Real(h.textWidth) + ";");
    out.Step("h.textHeight = " + Real(h.textHeight) + ";");
    out.Step("h.textSpacing = " + Real(h.textSpacing) + ";");
    out.Step(Format("h.textColor = %" PRIu32 ";", h.textColor));
    out.Step(Format("h.textStyle = %" PRIu32 ";", h.textStyle));
    out.Table(
        "// The header's other fields, each run as the file holds it.\nconst std::string_view kOtherFields[] = {\n");
    for (const std::string& f : h.otherFields) out.Table("    " + Bytes(f) + ",\n");
    out.Table("};\n\n");
    out.Step("for (const std::string_view fields : kOtherFields) h.otherFields.emplace_back(fields);");
    std::printf(
        "// Printed by tools/MakeJwwDefaults.cpp (and clang-format) from a drawing JW_CAD saved with\n"
        "// its defaults; do not edit.\n"
        "#include \"jww/JwwDefaults.h\"\n\n"
        "#include <array>\n#include <string_view>\n\n"
        "namespace orvik {\nnamespace {\n\n"
        "struct PrinterPenRow {\n    std::size_t n;\n    std::uint32_t color, width;\n    double radius;\n};\n"
        "struct NameRow {\n    std::size_t n;\n    std::string_view name;\n};\n"
        "struct LineTypeRow {\n    std::size_t n;\n    std::string_view name;\n    std::uint32_t segments;\n"
        "    std::array<double, 10> pitches;\n};\n"
        "struct TextStyleRow {\n    std::size_t n;\n    double width, height, spacing;\n    std::uint32_t color;\n};\n\n"
        "%s}  // namespace\n\nJwwHeader DefaultJwwHeader() {\n    JwwHeader h;\n%s    return h;\n}\n\n}  // namespace orvik\n",
        out.tables.c_str(), out.steps.c_str());
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
