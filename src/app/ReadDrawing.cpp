#include "app/ReadDrawing.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "app/ReadReport.h"
#include "app/SettingChecks.h"
#include "jwc/JwcDriver.h"
#include "jww/JwwDriver.h"
#include "text/Messages.h"

namespace orvik {

namespace {

// In the order a file's signature is looked for.
const DrawingDriver* const kDrivers[] = {&JwcDriver(), &JwwDriver()};

}  // namespace

const DrawingDriver& DriverOf(DrawingFormat format) { return format == DrawingFormat::Jwc ? JwcDriver() : JwwDriver(); }

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
    // drawing saved as .jwc too); a file of neither name must be a JWW one.
    const bool jwwName = JwwDriver().Named(path_);
    if (!JwcDriver().Named(path_) && !jwwName && signature_ != DrawingFormat::Jww) {
        if (!anyName) return {Reason::WrongExtension, {}};
        return signature_ ? FileCheck{Reason::None, {}, *signature_} : FileCheck{Reason::NotJwCad, {}};
    }
    const DrawingFormat format = signature_ ? *signature_ : jwwName ? DrawingFormat::Jww : DrawingFormat::Jwc;
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

ReadForConversion DrawingFile::Read(DrawingFormat format, Drawing& drawing, bool keepSource) {
    DrawingRead got = DriverOf(format).Read(file_, drawing, keepSource);
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
