// The output formats as every front end offers them: the name the command
// line takes and the window lists, and one line on which readers want it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "convert/ConversionSettings.h"
#include "convert/OutputFormat.h"
#include "text/Messages.h"

namespace orvik {

struct OutputFormatChoice {
    OutputFormat format;
    std::string_view name;
    std::string_view readers;  // CP932
    std::string_view fileType;  // what the file is, for the save dialog and the About box (ASCII)
};

inline constexpr OutputFormatChoice kOutputFormatChoices[] = {
    {OutputFormat::Dos932, "dos932", kDos932Readers, "AutoCAD R13J DXF"},
    {OutputFormat::Ansi932, "ansi932", kAnsi932Readers, "AutoCAD R13 DXF (ANSI_932)"},
    {OutputFormat::Utf8, "utf8", kUtf8Readers, "AutoCAD 2007 DXF (UTF-8)"},
    {OutputFormat::R12, "r12", kR12Readers, "AutoCAD R12 DXF"},
    {OutputFormat::R2000, "r2000", kR2000Readers, "AutoCAD 2000 DXF"},
    {OutputFormat::R2007, "r2007", kR2007Readers, "AutoCAD 2007 DXF"},
};

// The names, for messages: "dos932, ansi932, ..." (ASCII).
inline std::string OutputFormatNames() {
    std::string names;
    for (const OutputFormatChoice& choice : kOutputFormatChoices)
        names += (names.empty() ? "" : ", ") + std::string(choice.name);
    return names;
}

constexpr const OutputFormatChoice& ChoiceOf(OutputFormat format) {
    for (const OutputFormatChoice& choice : kOutputFormatChoices)
        if (choice.format == format) return choice;
    return kOutputFormatChoices[0];
}

constexpr std::optional<OutputFormat> OutputFormatNamed(std::string_view name) {
    for (const OutputFormatChoice& choice : kOutputFormatChoices)
        if (choice.name == name) return choice.format;
    return std::nullopt;
}

// The log line naming the format of a conversion, or "" for the default one,
// whose log stays as it has always been.
inline std::string OutputFormatLogLine(OutputFormat format) {
    if (format == ConversionSettings{}.outputFormat) return {};
    return std::string(kOutputFormatLabel) + std::string(ChoiceOf(format).name);
}

// The warning naming what the file of a format for readers could not carry:
// the elements whose printed widths or own colours it lacks, and the
// drawing's images, saved beside it but not placed; "" when nothing.
inline std::string FormatLeftOutLine(std::int64_t widths, std::int64_t colors, std::int64_t images) {
    std::string line;
    const auto part = [&](std::string_view name, std::int64_t count) {
        if (count == 0) return;
        line += (line.empty() ? std::string(kFormatLeftOutLabel) : std::string()) + " " + std::string(name) + " " +
                std::to_string(count) + std::string(kCountSuffix);
    };
    part(kWidthsName, widths);
    part(kOwnColorsName, colors);
    part(kImagesNotPlacedName, images);
    return line;
}

}  // namespace orvik
