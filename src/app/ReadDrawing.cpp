#include "app/ReadDrawing.h"

#include <algorithm>
#include <cctype>

#include "app/ReadReport.h"
#include "app/SettingChecks.h"
#include "jwc/JwcLoader.h"
#include "jww/JwwMapping.h"
#include "jww/JwwReader.h"
#include "text/Messages.h"

namespace orvik {

bool HasExtension(std::string_view path, std::string_view extension) {
    const std::string_view own = ExtensionOf(path);
    return std::equal(own.begin(), own.end(), extension.begin(), extension.end(),
                      [](unsigned char a, unsigned char b) { return std::toupper(a) == std::toupper(b); });
}

DrawingFile::DrawingFile(const std::string& path) : path_(path), file_(path) {
    const std::string_view start = file_.Start(std::max<std::size_t>(kJwcSignatureSize, kJwwSignature.size()));
    if (IsJwcStart(start))
        signature_ = DrawingFormat::Jwc;
    else if (IsJwwStart(start))
        signature_ = DrawingFormat::Jww;
}

FileCheck DrawingFile::Check(bool anyName) const {
    const InputCheck& input = file_.Check();
    if (input.problem == InputProblem::NotFound) return {Reason::Missing, DescribeInputProblem(input)};
    // A drawing is known by its signature, whatever its name says (a JWW
    // drawing saved as .jwc too); a file of neither name must be a JWW one.
    if (!HasJwcExtension(path_) && !HasJwwExtension(path_) && signature_ != DrawingFormat::Jww) {
        if (!anyName) return {Reason::WrongExtension, {}};
        return signature_ ? FileCheck{Reason::None, {}, *signature_} : FileCheck{Reason::NotJwCad, {}};
    }
    const DrawingFormat format = signature_               ? *signature_
                                 : HasJwwExtension(path_) ? DrawingFormat::Jww
                                                          : DrawingFormat::Jwc;
    if (input.problem != InputProblem::None) return {Reason::Unreadable, DescribeInputProblem(input), format};
    if (!signature_) return {Reason::NotJwCad, {}, format};
    return {Reason::None, {}, format};
}

std::string_view RefusalText(const FileCheck& check) {
    switch (check.refusal) {
        case Reason::WrongExtension: return kNotJwCadByExtension;
        case Reason::NotJwCad: return kNotJwCadBySignature;
        default: return check.reason;
    }
}

ReadForConversion DrawingFile::Read(DrawingFormat format, Drawing& drawing) {
    ReadForConversion read;
    Failure error;
    if (format == DrawingFormat::Jwc) {
        JwcFile file;
        read.load.complete = LoadJwcFile(file_, file, &error);
        read.summary = ReadSummaryLines(file);
        drawing = std::move(static_cast<Drawing&>(file));
    } else {
        JwwDrawing jww;
        read.load.complete = LoadJwwFile(file_, jww, &error);
        read.summary = JwwSummaryLines(jww);
        for (JwwImage& image : jww.images) read.images.push_back({std::move(image.name), std::move(image.bytes)});
        if (jww.imagesLeftOut > 0) read.warnings.push_back(ImagesLeftOutLine(jww.imagesLeftOut));
        NotCarried notCarried;
        drawing = DrawingOf(std::move(jww), notCarried);
        if (notCarried.Any()) read.warnings.push_back(NotCarriedLine(notCarried));
    }
    if (!read.load.complete) {
        read.load.stopped = error.reason;
        read.load.damage = DescribeReadError(error);
    }
    return read;
}

}  // namespace orvik
