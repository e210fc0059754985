// One drawing from its file to its output, the one way every front end does
// it: check the file, read it, choose the reference scale, convert, write
// the DXF file or the picture (and a thumbnail), and say what came of it.
//
// The job touches nothing shared but the files it writes, so several run at
// once. A front end calls RemoveTemporaryFilesOnSignals (output/AtomicFile.h)
// at start-up, so that a job stopped by Ctrl+C leaves no temporary file. It
// prints nothing and asks nothing: the outcome says what happened in
// one structured form (a status, a reason from one list, the CP932 report
// lines, the counts), and each front end words and shows it as it shows
// everything else.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ReadDrawing.h"
#include "convert/ConversionSettings.h"
#include "convert/ProposedScales.h"
#include "failure/Failure.h"
#include "model/Drawing.h"
#include "output/AtomicFile.h"
#include "picture/DisplayList.h"
#include "picture/SvgPicture.h"

namespace orvik {

// What the job writes. Jww: a JWW drawing written back as its file was
// (JwwWriter.h), no conversion made. ReadOnly: nothing; it ends after the
// read, a complete one Converted, a damaged one PartlyRead.
enum class OutputKind { Dxf, Picture, Jww, ReadOnly };
enum class PictureType { Svg, Png, Pdf };

// The file name extension of a picture type (".svg", ".png", ".pdf").
std::string_view PictureExtension(PictureType type);

// What a picture's INSERTs did not draw (past kPlacedShapeLimit, nested past
// kPlacedNestingLimit), in words; empty when they drew everything.
std::string PictureLeftOutLine(const DisplayList& picture);

// Draws the picture a source streams (the conversion's shapes, read as its
// DXF text is made) as PNG or PDF bytes: the front end's part, where it has
// a painter (SVG needs none).
using PictureEncoder = std::function<void(const PictureSource&, PictureType, const PictureOptions&, ByteSink&)>;

// The width in pixels of a thumbnail.
inline constexpr int kThumbnailWidth = 256;

enum class JobStatus { Converted, PartlyRead, Skipped, Refused, Failed };

struct DrawingJobRequest {
    std::string input;  // the drawing's path (UTF-8)
    bool anyName = false;  // found by its signature: not refused for its name
    const Drawing* loaded = nullptr;  // the drawing, read before; null: the job reads it
    std::vector<EmbeddedImage> loadedImages;  // with `loaded`: the images it carries
    ConversionSettings settings;
    std::optional<std::string> scale;  // the reference scale; none: the proposed one
    SheetChoice sheet;  // a DXF drawing's paper and scale on JW_CAD's sheet
    bool allowPartial = true;  // convert a drawing read only in part
    OutputKind kind = OutputKind::Dxf;
    PictureType pictureType = PictureType::Svg;
    PictureOptions picture;
    std::string output;  // the output file; empty: standard output
    bool createFolder = false;  // the output's folder is made when missing
    std::string thumbnail;  // a thumbnail PNG beside the output; empty: none
    SaveRules rules;  // what the outputs may replace
    // The front end's planning refused the output for this reason: the
    // drawing is read and reported, then not written.
    Reason plannedRefusal = Reason::None;
    int writers = 1;  // threads that format a large ENTITIES section
    PictureEncoder encoder;  // PNG and PDF pictures, thumbnails
};

struct DrawingJobOutcome {
    JobStatus status = JobStatus::Failed;
    Reason reason = Reason::None;  // why it was not converted (completely); its report word: ReasonCode
    std::string message;  // CP932: the refusal's or failure's reason in words
    bool read = false;  // the file was read (complete or not)
    std::string damage;  // read only in part: which part is damaged, where
    std::vector<std::string> readSummary;  // the header texts and counts (CP932)
    std::int64_t lines = 0, arcs = 0, texts = 0, points = 0;
    ScaleList scales;  // the drawing's scales, its proposed one selected
    std::string scale;  // the reference scale used
    bool decided = false;  // the conversion was decided (the scale taken)
    std::vector<std::string> conversionLines;  // written: the output format and the used layers (CP932)
    std::vector<std::string> warnings;  // written: what the user should know of the file (CP932)
    bool thumbnailWritten = false;
    // A JWW drawing's embedded images, saved beside the DXF file: "plan-1-photo.jpg" (UTF-8 paths).
    std::vector<std::string> imageFiles;
    std::int64_t bytes = 0;  // the size of the output file written
};

DrawingJobOutcome RunDrawingJob(const DrawingJobRequest& request);

// When the drawing's file was last changed (which dates its DXF file), or
// now when that cannot be read.
std::time_t DrawingTimeOf(const std::string& path);

// The identities of the files that exist among `paths`, for SaveRules: the
// run's drawings, which no output may be written over.
std::vector<os::FileId> FileIdentities(const std::vector<std::string>& paths);

}  // namespace orvik
