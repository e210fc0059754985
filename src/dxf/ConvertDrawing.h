// One conversion of the loaded drawing into a DXF file.
//
// Order of work: pen colours; the reference scale from its text; layer
// usage, names, colours and line types; the handle seed and file date;
// the reference-scale statistics and extents; line-type names and the
// DEFPOINTS decision; the used-layer report (through `report`); then the
// HEADER, CLASSES, TABLES, BLOCKS, ENTITIES and OBJECTS sections, saved in
// one step at the end. Nothing reaches the disk before the whole text exists.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "dxf/DxfTables.h"
#include "dxf/DxfWriter.h"
#include "jwcunit/JwcDrawing.h"
#include "Unit2/HenkanInfo.h"

namespace orvik {

// Called once the layers are named, before the file is written.
using LayerReportSink = std::function<void(const DxfTables&, const THenkanInfo&)>;

struct ConversionRequest {
    std::string sourcePath;  // the JWC file; its modification time dates the DXF file
    std::string outputPath;  // created or replaced
    std::string scaleText;   // the reference scale, e.g. "100"
};

// Converts `drawing` (whose used layers FillScaleBox has marked in `tables`)
// with the settings in `info`, writing the work fields of `info`, the layer
// entries of `tables`, and line types outside 1..9 in `drawing` as 1.
// Throws ConversionError (CP932 message) when the scale text is not a number
// or the file cannot be written; nothing is written then.
void ConvertDrawing(JwcDrawing& drawing, THenkanInfo& info, DxfTables& tables, const ConversionRequest& request,
                    const LayerReportSink& report);

// The same up to the complete DXF text, without writing it anywhere
// (request.outputPath is not used).
DxfWriter BuildDxf(JwcDrawing& drawing, THenkanInfo& info, DxfTables& tables, const ConversionRequest& request,
                   const LayerReportSink& report);

// The scale text as a number: optional blanks, sign, digits with an optional
// fraction and exponent, "." as separator; nothing else.
std::optional<long double> ParseScaleText(std::string_view text);

// The $HANDSEED text: an upper bound of the running handles the file uses.
std::string HandSeedFor(const JwcDrawing& drawing, const THenkanInfo& info, int usedLayers);

// The $TDCREATE/$TDUPDATE text for a local date and time: the Julian day
// number with the time of day as its fraction (seconds rounded down to even).
std::string FileDateText(int year, int month, int day, int hour, int minute, int second);

// FileDateText of the file's modification time, or of now when it cannot be read.
std::string FileDateOf(const std::string& path);

}  // namespace orvik
