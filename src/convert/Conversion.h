// The conversion of a drawing into a DXF file: the one entry point.
//
// A Conversion is made from the drawing, the settings and the reference scale
// the user chose. Making it decides everything the file will hold, in this
// order: the used layers; the pen colours; the reference scale from its text;
// layer usage, names, colours and line types; the handle seed and the file
// date; the reference-scale statistics, extents and decimal places; the
// line-type names and whether DEFPOINTS is written. Result() reports those
// decisions (the log's used-layer report is built from it). Writing then
// streams the HEADER, CLASSES, TABLES, BLOCKS, ENTITIES and OBJECTS sections
// into a sink, or into a file that appears only complete (AtomicFile).
#pragma once

#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "convert/ConversionResult.h"
#include "convert/ConversionSettings.h"
#include "convert/ReferenceScale.h"
#include "failure/Failure.h"
#include "model/Drawing.h"
#include "numeric/Extended.h"
#include "output/AtomicFile.h"
#include "output/ByteSink.h"

namespace orvik {

struct ConversionRequest {
    std::string sourcePath;  // the drawing's file, which a save never replaces
    std::string scaleText;  // the reference scale as the user chose it, e.g. "100"
    std::time_t drawingTime = 0;  // when the drawing was last changed: dates the DXF file
};

class Conversion {
public:
    // Throws FailureError (CP932) when the scale text is not a positive
    // number. The drawing must outlive the conversion. With the settings'
    // explodeBlocks, the conversion works on a copy with its blocks in place.
    Conversion(const Drawing& drawing, const ConversionSettings& settings, const ConversionRequest& request);

    const ConversionResult& Result() const { return result_; }

    // Streams the DXF text into the sink. With `workers` above 1 the
    // ENTITIES section of a large drawing is formatted on that many threads;
    // the bytes are the same.
    void WriteTo(ByteSink& sink, int workers = 1) const;
    // Writes the DXF file at `outputPath`, replacing it only when complete
    // and the rules allow. Throws FailureError naming the file and the
    // reason when the output is the source drawing itself (always protected)
    // or another file the rules protect, not a regular file, or cannot be
    // written; the output is then left as it was. With `copy`, the text is
    // handed to it too as it is written (a picture made on the way).
    void SaveAs(const std::string& outputPath, SaveRules rules = {}, int workers = 1, ByteSink* copy = nullptr) const;
    // The whole DXF text in memory.
    std::string Text() const;

private:
    ConversionSettings settings_;
    std::string sourcePath_;
    ConversionResult result_;
    std::shared_ptr<const Drawing> exploded_;  // the drawing with its blocks in place, when asked
    const Drawing& drawing_;
    ScaleStatistics scales_;
    Extended paperFactor_ = 1;
};

// The scale text as a number: optional blanks, sign, digits with an optional
// fraction and exponent, "." as separator; nothing else.
std::optional<Extended> ParseScaleText(std::string_view text);

// A reference scale the conversion can use: greater than 0, and finite and
// not 0 as the 32-bit real the mapping keys its statistics by.
bool IsUsableScale(Extended scale);

// The $HANDSEED text: an upper bound of the running handles the file uses;
// `tableRecords`: the records of the drawing's own in the tables (layers,
// line types, text styles of fonts).
std::string HandSeedFor(const Drawing& drawing, const ConversionSettings& settings, int tableRecords);

// The $TDCREATE/$TDUPDATE text for a local date and time: the Julian day
// number with the time of day as its fraction (seconds rounded down to even).
std::string FileDateText(int year, int month, int day, int hour, int minute, int second);

// FileDateText of the time, in the local time zone.
std::string FileDateOf(std::time_t time);

}  // namespace orvik
