#include "app/ReadDrawing.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "app/ReadReport.h"
#include "app/SettingChecks.h"
#include "dxf/DxfDriver.h"
#include "jwc/JwcDriver.h"
#include "jww/JwwDriver.h"
#include "text/Messages.h"

namespace orvik {

namespace {

// In the order a file's signature is looked for.
const DrawingDriver* const kDrivers[] = {&JwcDriver(), &JwwDriver(), &DxfDriver()};

}  // namespace

const DrawingDriver& DriverOf(DrawingFormat format) {
    switch (format) {
        case DrawingFormat::Jwc: return JwcDriver();
        case DrawingFormat::Jww: return JwwDriver();
        case DrawingFormat::Dxf: break;
    }
    return DxfDriver();
}

bool HasDrawingExtension(std::string_view path) {
    return std::any_of(std::begin(kDrivers), std::end(kDrivers),
                       [&](const DrawingDriver* d) { return d->Named(path); });
}

DrawingFile::DrawingFile(const std::string& path) : path_(path), file_(path) {
    std::size_t longest = 0;
    for (const DrawingDriver* driver : kDrivers) longest = std::max(longest, driver->SignatureSize());
    const std::string_view start = file_.Start(longest);
    for (const DrawingDriver* driver : kDrivers)
        if (!signature_ && driver->Recognises(start)) signature_ = driver->Format();
}

FileCheck DrawingFile::Check(bool anyName) const {
    const InputCheck& input = file_.Check();
    if (input.problem == InputProblem::NotFound) return {Reason::Missing, DescribeInputProblem(input)};
    // A drawing is known by its signature, whatever its name says (a JWW
    // drawing saved as .jwc too); a file of no drawing's name must be a JWW
    // or DXF one.
    const auto named =
        std::find_if(std::begin(kDrivers), std::end(kDrivers), [&](const DrawingDriver* d) { return d->Named(path_); });
    if (named == std::end(kDrivers) && signature_ != DrawingFormat::Jww && signature_ != DrawingFormat::Dxf) {
        if (!anyName) return {Reason::WrongExtension, {}};
        return signature_ ? FileCheck{Reason::None, {}, *signature_} : FileCheck{Reason::NotJwCad, {}};
    }
    const DrawingFormat format = signature_ ? *signature_ : (*named)->Format();
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

ReadForConversion DrawingFile::Read(DrawingFormat format, Drawing& drawing, const ReadOptions& options) {
    DrawingRead got = DriverOf(format).Read(file_, drawing, options);
    ReadForConversion read;
    read.load.complete = got.stopped.reason == Reason::None;
    if (!read.load.complete) {
        read.load.stopped = got.stopped.reason;
        read.load.damage = DescribeReadError(got.stopped);
    }
    read.summary = std::move(got.summary);
    read.warnings = std::move(got.warnings);
    read.images = std::move(got.images);
    read.source = std::move(got.source);
    return read;
}

}  // namespace orvik
