// The options of `orvik-cli convert` and `orvik-cli render`, with the
// window's defaults.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/DrawingJob.h"
#include "cli/RunReport.h"
#include "picture/SvgPicture.h"

namespace orvik::cli {

// The output name that sends the DXF to standard output (and the log to
// standard error).
inline constexpr std::string_view kStandardOutput = "-";

// The picture type an output name asks for by its extension (.svg, .png,
// .pdf, in any case), if any.
std::optional<PictureType> PictureTypeNamed(const std::string& path);

// The number of cores, the default of -j.
int DefaultJobs();

// The threads that format each drawing's ENTITIES section when `jobs`
// drawings are converted at once out of `drawings`: the cores not taken by
// a drawing of their own help write the drawings.
int WritersPerDrawing(int jobs, std::size_t drawings);

// Whether standard error is a terminal, which shows a progress line.
bool ErrorsOnTerminal();

struct ConvertOptions {
    ConversionSettings settings;
    std::optional<std::string> output;  // one input: the DXF file or "-"; several: a folder
    std::optional<std::string> scale;  // the reference scale; default: the proposed one
    bool force = false;  // overwrite existing outputs
    bool allowPartial = false;  // convert drawings that were not read completely
    bool help = false;
    std::vector<std::string> files;
    PictureOptions picture;  // render: the size and background of the pictures
    PictureType pictureType = PictureType::Svg;  // render: --picture, or the -o name's extension
    bool pictureOptionGiven = false;  // --width, --background or --picture, which only render takes
    bool thumbnail = false;  // convert: a small PNG picture beside each DXF file
    bool jww = false;  // convert: JWW files, not DXF (--to jww, or an -o name ending in .jww)
    bool toGiven = false;  // --to, which only convert takes
    SheetChoice sheet;  // a DXF drawing's JW_CAD paper (--paper) and scale (--scale)
    bool recursive = false;  // -r: folders are searched for drawings
    std::optional<std::string> outputDir;  // --output-dir: outputs mirror the input tree under it
    int jobs = DefaultJobs();  // -j: drawings converted at once
    bool update = false;  // --update: skip drawings whose output is newer
    std::optional<std::string> report;  // --report FILE
    ReportFormat reportFormat = ReportFormat::JsonLines;
    bool quiet = false;  // -q: only problems and the summary
};

// The options, or the message (UTF-8) of the first usage error.
struct ParsedOptions {
    ConvertOptions options;
    std::string error;  // empty: the options are usable
};
ParsedOptions ParseConvertOptions(const std::vector<std::string>& args);

}  // namespace orvik::cli
