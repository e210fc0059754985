#include "app/DrawingJob.h"

#include <algorithm>
#include <new>

#include "app/LayerReport.h"
#include "app/OutputFormatChoices.h"
#include "app/ReadReport.h"
#include "app/SettingChecks.h"
#include "convert/Conversion.h"
#include "dxf/NumberFormat.h"
#include "jww/JwwDriver.h"
#include "jww/JwwFromDrawing.h"
#include "jww/JwwReport.h"
#include "jww/JwwWriter.h"
#include "os/System.h"
#include "output/ByteSink.h"
#include "picture/DisplayListBuilder.h"
#include "text/Cp932.h"
#include "text/Messages.h"

namespace orvik {
namespace {

// The picture streamed into the sink: the shapes are drawn as the
// conversion's DXF text is read, never all held. Returns what the INSERTs
// left out, in words (empty when nothing).
std::string WritePicture(const PictureSource& source, PictureType type, const PictureOptions& options,
                         const PictureEncoder& encoder, ByteSink& sink) {
    if (type == PictureType::Svg)
        WriteSvgPicture(source, options, sink);
    else
        encoder(source, type, options, sink);
    return PictureLeftOutLine(source.Header());
}

// The output's folder, when the request asks for it to be made.
void MakeOutputFolder(const DrawingJobRequest& request) {
    if (request.createFolder && !request.output.empty())
        if (const int error = os::CreateFolders(os::ParentFolder(request.output)))
            throw FailureError(Reason::WriteFailed, CannotCreateFile(request.output, SystemErrorText(error)));
}

// Writes the output: the DXF file or its picture, to the file or to standard
// output; a DXF file's text goes through `prepass` too, when given. Returns
// what a picture left out, in words (empty when nothing).
std::string WriteOutput(const Conversion& conversion, const DrawingJobRequest& request, PicturePrepass* prepass) {
    MakeOutputFolder(request);
    if (request.kind == OutputKind::Picture) {
        if (request.output.empty()) {
            DescriptorSink standardOutput(os::StandardOutput(), "-");
            return WritePicture(PictureSource(conversion), request.pictureType, request.picture, request.encoder,
                                standardOutput);
        }
        AtomicFile file(request.output, request.rules);
        std::string leftOut =
            WritePicture(PictureSource(conversion), request.pictureType, request.picture, request.encoder, file);
        file.Commit();
        return leftOut;
    }
    if (request.output.empty()) {
        DescriptorSink standardOutput(os::StandardOutput(), "-");
        TeeSink both(standardOutput, prepass);
        conversion.WriteTo(both, request.writers);
    } else {
        conversion.SaveAs(request.output, request.rules, request.writers, prepass);
    }
    return {};
}

DrawingJobOutcome& Finish(DrawingJobOutcome& outcome, JobStatus status, Reason reason, std::string message = {}) {
    outcome.status = status;
    outcome.reason = reason;
    outcome.message = std::move(message);
    return outcome;
}

// A failed conversion or save as the job's outcome: what the rules refused
// is a refusal, the rest a failure.
DrawingJobOutcome& FinishFailed(DrawingJobOutcome& outcome, const FailureError& e) {
    const Reason reason = e.ReasonOf();
    const bool refused = reason == Reason::Exists || reason == Reason::OutputIsInput;
    return Finish(outcome, refused ? JobStatus::Refused : JobStatus::Failed, reason, e.what());
}

// Where an embedded image is saved: beside the DXF file, named after it, its
// number and the image's own file name (without folders, control
// characters or the ".gz" it was stored under), cut at a character so that
// the file's name stays within the 255 bytes file systems allow.
std::string ImagePathFor(const std::string& output, std::size_t number, const EmbeddedImage& image) {
    std::string name = Cp932ToUtf8(image.name);
    if (const auto slash = name.find_last_of("/\\"); slash != std::string::npos) name.erase(0, slash + 1);
    if (name.size() >= 3 && name.compare(name.size() - 3, 3, ".gz") == 0) name.resize(name.size() - 3);
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == ':') c = '_';
    const std::string stem = PathWithExtension(output, "") + "-" + std::to_string(number);
    constexpr std::size_t kLongestFileName = 255;
    const std::size_t slash = stem.find_last_of("/\\");
    const std::size_t used =
        stem.size() - (slash == std::string::npos ? 0 : slash + 1) + 1;  // and the "-" before the name
    std::size_t keep = used < kLongestFileName ? std::min(name.size(), kLongestFileName - used) : 0;
    while (keep > 0 && keep < name.size() && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
        --keep;  // not inside a character
    name.resize(keep);
    return stem + (name.empty() ? "" : "-" + name);
}

// Saves the drawing's images beside a DXF file, each on its own: one that
// cannot be saved (a file in its way, a name the system refuses) is a
// warning, and the others are saved. Adds the saved files' paths to `saved`.
std::vector<std::string> SaveImages(const DrawingJobRequest& request, const std::vector<EmbeddedImage>& images,
                                    std::vector<std::string>& saved) {
    std::vector<std::string> warnings;
    if (request.kind != OutputKind::Dxf || request.output.empty()) return warnings;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const std::string path = ImagePathFor(request.output, i + 1, images[i]);
        try {
            SaveFile(path, images[i].bytes, request.rules);
            saved.push_back(path);
        } catch (const FailureError& e) {
            warnings.emplace_back(e.what());
        }
    }
    return warnings;
}

// The conversion's own warnings: what the format could not carry, numbers
// written as 0, group scales left unrounded.
std::vector<std::string> ConversionWarnings(const ConversionResult& result, OutputFormat format,
                                            std::int64_t imagesSaved) {
    std::vector<std::string> lines;
    if (IsForReaders(format))
        if (std::string leftOut = FormatLeftOutLine(result.widthsLeftOut, result.colorsApproximated, imagesSaved);
            !leftOut.empty())
            lines.push_back(std::move(leftOut));
    if (const std::int64_t n = result.nonFiniteElements; n > 0)
        lines.push_back(std::string(kNonFiniteLabel) + std::to_string(n) + std::string(kNonFiniteWrittenAsZero));
    if (const std::vector<float>& scales = result.unroundedScales; !scales.empty()) {
        std::string line(kUnroundedScalesLabel);
        for (std::size_t i = 0; i < scales.size(); ++i) line += (i ? ", 1/" : "1/") + FormatReal(scales[i]);
        lines.push_back(std::move(line));
    }
    return lines;
}

// A JWW file: a JWW drawing's written again from what was read of it (a
// damaged one as far as it was read), another format's drawing as JW_CAD
// would save it; no scale, no conversion.
DrawingJobOutcome& WriteJwwFile(const DrawingJobRequest& request, const Drawing& drawing, const DrawingSource* source,
                                Reason stopped, std::vector<std::string> readWarnings, DrawingJobOutcome& outcome) {
    const bool complete = stopped == Reason::None;
    if (!complete && !request.allowPartial) return Finish(outcome, JobStatus::Failed, stopped);
    if (request.plannedRefusal != Reason::None) return Finish(outcome, JobStatus::Refused, request.plannedRefusal);
    const auto* kept = dynamic_cast<const JwwSource*>(source);
    if (!kept && drawing.units != DrawingUnits::PaperMillimetres)
        return Finish(outcome, JobStatus::Refused, Reason::JwwNotWritable, std::string(kNoJwwFromJwc));
    try {
        MakeOutputFolder(request);
        const JwwDrawing made = kept ? JwwDrawing{} : JwwDrawingOf(drawing);
        const JwwDrawing& jww = kept ? kept->drawing : made;
        if (request.output.empty()) {
            DescriptorSink standardOutput(os::StandardOutput(), "-");
            WriteJww(jww, standardOutput);
        } else {
            AtomicFile file(request.output, request.rules);
            WriteJww(jww, file);
            file.Commit();
        }
    } catch (const FailureError& e) {
        return FinishFailed(outcome, e);
    }
    outcome.decided = true;
    // What a drawing of another format left out; a JWW drawing's own file loses nothing.
    if (!kept) outcome.warnings = std::move(readWarnings);
    if (!request.output.empty()) outcome.bytes = std::max<std::int64_t>(os::FileSize(request.output), 0);
    return Finish(outcome, complete ? JobStatus::Converted : JobStatus::PartlyRead, stopped);
}

// Everything after the read: the scale, the conversion, the outputs.
// `stopped`: why the read stopped part way, None when it read the whole drawing.
DrawingJobOutcome& ConvertAndWrite(const DrawingJobRequest& request, const Drawing& drawing, Reason stopped,
                                   std::vector<std::string> readWarnings, const std::vector<EmbeddedImage>& images,
                                   DrawingJobOutcome& outcome) {
    const bool complete = stopped == Reason::None;
    if (request.kind == OutputKind::ReadOnly) {
        outcome.warnings = std::move(readWarnings);
        return Finish(outcome, complete ? JobStatus::Converted : JobStatus::PartlyRead, stopped);
    }
    if (!complete && !request.allowPartial) return Finish(outcome, JobStatus::Failed, stopped);
    if (request.plannedRefusal != Reason::None) return Finish(outcome, JobStatus::Refused, request.plannedRefusal);
    if (!request.scale && outcome.scales.selected < 0)
        return complete ? Finish(outcome, JobStatus::Failed, Reason::NoScale, std::string(outcome.scales.WhyEmpty()))
                        : Finish(outcome, JobStatus::Failed, stopped, std::string(kNothingRead));
    outcome.scale =
        request.scale ? *request.scale : outcome.scales.items[static_cast<std::size_t>(outcome.scales.selected)];
    std::optional<Conversion> conversion;
    std::string blocksLeftOut;  // what the output lacks of the blocks, in words
    try {
        conversion.emplace(drawing, request.settings,
                           ConversionRequest{request.input, outcome.scale, DrawingTimeOf(request.input)});
    } catch (const FailureError& e) {
        return FinishFailed(outcome, e);
    }
    outcome.decided = true;
    try {
        // A DXF file's thumbnail has its prepass done as the file is written.
        std::optional<PicturePrepass> thumbnailPrepass;
        if (!request.thumbnail.empty() && request.kind == OutputKind::Dxf) thumbnailPrepass.emplace();
        const std::string pictureLeftOut =
            WriteOutput(*conversion, request, thumbnailPrepass ? &*thumbnailPrepass : nullptr);
        const std::int64_t notExploded = conversion->Result().insertsLeftOut;
        const std::string explosionLeftOut =
            notExploded > 0 ? NotCarriedLine(NotCarried{.inserts = notExploded}) : std::string();
        // Part of what the blocks place left out of the output itself: written, but only in part.
        blocksLeftOut = explosionLeftOut.empty() ? pictureLeftOut : explosionLeftOut;
        const std::vector<std::string> imageWarnings = SaveImages(request, images, outcome.imageFiles);
        // The report follows the write: a failed write shows none as if written.
        if (const std::string format = OutputFormatLogLine(request.settings.outputFormat); !format.empty())
            outcome.conversionLines.push_back(format);
        for (std::string& line : ReportUsedLayers(conversion->Result()))
            outcome.conversionLines.push_back(std::move(line));
        outcome.warnings = std::move(readWarnings);
        outcome.warnings.insert(outcome.warnings.end(), imageWarnings.begin(), imageWarnings.end());
        for (std::string& line : ConversionWarnings(conversion->Result(), request.settings.outputFormat,
                                                    static_cast<std::int64_t>(outcome.imageFiles.size())))
            outcome.warnings.push_back(std::move(line));
        for (const std::string* leftOut : {&explosionLeftOut, &pictureLeftOut})
            if (!leftOut->empty()) outcome.warnings.push_back(*leftOut);
        if (!request.thumbnail.empty()) {
            StringSink thumbnail;
            const PictureSource source =
                thumbnailPrepass ? PictureSource(*conversion, *thumbnailPrepass) : PictureSource(*conversion);
            const std::string thumbnailLeftOut = WritePicture(
                source, PictureType::Png, PictureOptions{kThumbnailWidth, false}, request.encoder, thumbnail);
            SaveFile(request.thumbnail, thumbnail.Text(), request.rules);
            outcome.thumbnailWritten = true;
            if (!thumbnailLeftOut.empty()) outcome.warnings.push_back(thumbnailLeftOut);
        }
    } catch (const FailureError& e) {
        return FinishFailed(outcome, e);
    }
    if (!request.output.empty()) outcome.bytes = std::max<std::int64_t>(os::FileSize(request.output), 0);
    if (!complete) return Finish(outcome, JobStatus::PartlyRead, stopped);
    return blocksLeftOut.empty() ? Finish(outcome, JobStatus::Converted, Reason::None)
                                 : Finish(outcome, JobStatus::PartlyRead, Reason::BlocksLeftOut, blocksLeftOut);
}

DrawingJobOutcome& Run(const DrawingJobRequest& request, DrawingJobOutcome& outcome) {
    Drawing own;
    const Drawing* drawing = request.loaded;
    Reason stopped = Reason::None;
    std::vector<std::string> readWarnings;
    std::vector<EmbeddedImage> images = request.loadedImages;
    std::shared_ptr<const DrawingSource> source;
    if (!drawing) {
        DrawingFile file(request.input);
        const FileCheck check = file.Check(request.anyName);
        // A file that is no JW_CAD drawing is said to be one in the same
        // words whether its name or its contents tell (only the windows'
        // dialogs keep the two spellings apart).
        if (check.refusal == Reason::WrongExtension)
            return Finish(outcome, JobStatus::Refused, check.refusal, std::string(kNotJwCadBySignature));
        if (check.refusal != Reason::None)
            return Finish(outcome, JobStatus::Refused, check.refusal, std::string(RefusalText(check)));
        ReadForConversion read = file.Read(check.format, own, {request.kind == OutputKind::Jww, request.sheet});
        source = std::move(read.source);
        if (!read.load.complete) stopped = read.load.stopped == Reason::None ? Reason::Truncated : read.load.stopped;
        outcome.damage = std::move(read.load.damage);
        outcome.read = true;
        outcome.readSummary = std::move(read.summary);
        readWarnings = std::move(read.warnings);
        images = std::move(read.images);
        drawing = &own;
    }
    outcome.lines = static_cast<std::int64_t>(drawing->lines.size());
    outcome.arcs = static_cast<std::int64_t>(drawing->arcs.size());
    outcome.texts = static_cast<std::int64_t>(drawing->texts.size());
    outcome.points = static_cast<std::int64_t>(drawing->points.size());
    outcome.scales = ListProposedScales(*drawing);
    if (request.kind == OutputKind::Jww)
        return WriteJwwFile(request, *drawing, source.get(), stopped, std::move(readWarnings), outcome);
    return ConvertAndWrite(request, *drawing, stopped, std::move(readWarnings), images, outcome);
}

}  // namespace

std::string_view PictureExtension(PictureType type) {
    switch (type) {
        case PictureType::Png: return ".png";
        case PictureType::Pdf: return ".pdf";
        case PictureType::Svg: break;
    }
    return ".svg";
}

std::string PictureLeftOutLine(const DisplayList& header) {
    if (!header.placedLimitReached && header.insertsTooDeep == 0) return {};
    return ShapesNotDrawn(header.placedLimitReached, static_cast<std::int64_t>(kPlacedShapeLimit),
                          header.insertsTooDeep, kPlacedNestingLimit);
}

DrawingJobOutcome RunDrawingJob(const DrawingJobRequest& request) {
    DrawingJobOutcome outcome;
    try {
        Run(request, outcome);
    } catch (const std::bad_alloc&) {
        outcome.conversionLines.clear();
        Finish(outcome, JobStatus::Failed, Reason::OutOfMemory, std::string(kOutOfMemory));
    }
    return outcome;
}

std::time_t DrawingTimeOf(const std::string& path) {
    std::time_t time = 0;
    return os::ModificationTime(path, time) ? time : std::time(nullptr);
}

std::vector<os::FileId> FileIdentities(const std::vector<std::string>& paths) {
    std::vector<os::FileId> ids;
    for (const std::string& path : paths)
        if (os::FileId id; os::IdentityOf(path, id)) ids.push_back(id);
    return ids;
}

}  // namespace orvik
