// One conversion of the loaded drawing into a DXF file.
//
// Order of work: pen colours; the reference scale from its text; layer
// usage, names, colours and line types; the handle seed and file date;
// the reference-scale statistics and extents; line-type names and the
// DEFPOINTS decision; the used-layer report (through `report`); then the
// HEADER, CLASSES, TABLES, BLOCKS, ENTITIES and OBJECTS sections, streamed
// into the output as they are written. A file output appears only complete
// (AtomicFile): a conversion that fails leaves an existing output untouched.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "dxf/ByteSink.h"
#include "dxf/ConversionError.h"
#include "convert/LayerTables.h"
#include "jwc/JwcDrawing.h"
#include "convert/ConversionSettings.h"

namespace orvik {

// Called once the layers are named, before the file is written.
using LayerReportSink = std::function<void(const DxfTables&, const THenkanInfo&)>;

struct ConversionRequest {
    std::string sourcePath;  // the JWC file; its modification time dates the DXF file
    std::string outputPath;  // created or replaced
    std::string scaleText;   // the reference scale, e.g. "100"
};

// Converts `drawing` (whose used layers FillScaleBox has marked in `tables`)
// with the settings in `info` into the file request.outputPath, writing the
// work fields of `info`, the layer entries of `tables`, and line types
// outside 1..9 in `drawing` as 1.
// Throws ConversionError (CP932 message naming the file and the reason) when
// the output is the source drawing itself or not a regular file, the scale
// text is not a positive number, or the file cannot be written; the output
// is then left as it was.
void ConvertDrawing(JwcDrawing& drawing, THenkanInfo& info, DxfTables& tables, const ConversionRequest& request,
                    const LayerReportSink& report);

// The same conversion into a sink (standard output, memory);
// request.outputPath is not used.
void ConvertDrawingTo(JwcDrawing& drawing, THenkanInfo& info, DxfTables& tables, const ConversionRequest& request,
                      const LayerReportSink& report, ByteSink& sink);

// The complete DXF text in memory.
std::string BuildDxf(JwcDrawing& drawing, THenkanInfo& info, DxfTables& tables, const ConversionRequest& request,
                     const LayerReportSink& report);

// The scale text as a number: optional blanks, sign, digits with an optional
// fraction and exponent, "." as separator; nothing else.
std::optional<long double> ParseScaleText(std::string_view text);

// A reference scale the conversion can use: greater than 0, and finite and
// not 0 as the 32-bit real the mapping keys its statistics by.
bool IsUsableScale(long double scale);

// The $HANDSEED text: an upper bound of the running handles the file uses.
std::string HandSeedFor(const JwcDrawing& drawing, const THenkanInfo& info, int usedLayers);

// The $TDCREATE/$TDUPDATE text for a local date and time: the Julian day
// number with the time of day as its fraction (seconds rounded down to even).
std::string FileDateText(int year, int month, int day, int hour, int minute, int second);

// FileDateText of the file's modification time, or of now when it cannot be read.
std::string FileDateOf(const std::string& path);

}  // namespace orvik
