#include "app/ReadDrawing.h"

#include "app/ReadReport.h"
#include "jww/JwwMapping.h"
#include "jwc/FileReader.h"
#include "jwc/JwcLoader.h"
#include "jww/JwwReader.h"

namespace orvik {

FileCheck CheckDrawingFile(const std::string& path) {
    const InputCheck input = CheckInputFile(path);
    if (input.problem == InputProblem::NotFound) return {FileRefusal::Missing, DescribeInputProblem(input)};
    // A drawing is known by its signature, whatever its name says (a JWW
    // drawing saved as .jwc too); a file of neither name must be a JWW one.
    const bool readable = input.problem == InputProblem::None;
    const bool jwc = readable && IsJwcFile(path), jww = readable && !jwc && IsJwwFile(path);
    if (!HasJwcExtension(path) && !HasJwwExtension(path) && !jww) return {FileRefusal::WrongExtension, {}};
    const DrawingFormat format = jwc ? DrawingFormat::Jwc : jww || HasJwwExtension(path) ? DrawingFormat::Jww : DrawingFormat::Jwc;
    if (!readable) return {FileRefusal::Unreadable, DescribeInputProblem(input), format};
    if (!jwc && !jww) return {FileRefusal::NotJwCad, {}, format};
    return {FileRefusal::None, {}, format};
}

std::optional<DrawingFormat> FormatBySignature(const std::string& path) {
    if (IsJwcFile(path)) return DrawingFormat::Jwc;
    if (IsJwwFile(path)) return DrawingFormat::Jww;
    return std::nullopt;
}

std::string_view RefusalText(const FileCheck& check) {
    switch (check.refusal) {
        case FileRefusal::WrongExtension: return kNotJwCadByExtension;
        case FileRefusal::NotJwCad: return kNotJwCadBySignature;
        default: return check.reason;
    }
}

LoadOutcome LoadDrawing(const std::string& path, JwwDrawing& drawing) {
    JwwLoadError error;
    if (LoadJwwFile(path, drawing, &error)) return {true, {}};
    return {false, DescribeJwwLoadError(error)};
}

ReadForConversion ReadDrawingForConversion(const std::string& path, DrawingFormat format, Drawing& drawing) {
    ReadForConversion read;
    if (format == DrawingFormat::Jwc) {
        JwcFile file;
        read.load = LoadDrawing(path, file);
        read.summary = ReadSummaryLines(file);
        drawing = std::move(static_cast<Drawing&>(file));
        return read;
    }
    JwwDrawing jww;
    read.load = LoadDrawing(path, jww);
    read.summary = JwwSummaryLines(jww);
    read.images = std::move(jww.images);
    if (jww.imagesLeftOut > 0) read.warnings.push_back(ImagesLeftOutLine(jww.imagesLeftOut));
    JwwNotCarried notCarried;
    drawing = DrawingOf(std::move(jww), notCarried);
    if (notCarried.Any()) read.warnings.push_back(NotCarriedLine(notCarried));
    return read;
}

LoadOutcome LoadDrawing(const std::string& path, JwcFile& file) {
    LoadError error;
    if (LoadJwcFile(path, file, &error)) return {true, {}};
    return {false, DescribeLoadError(error)};
}

}  // namespace orvik
