#include "cli/ReadDrawing.h"

#include <ostream>

#include "textconv/Cp932.h"
#include "Unit2/ReadReport.h"

namespace orvik::cli {
namespace {

void Refuse(std::ostream& err, const std::string& path, std::string_view reason) {
    err << path << Cp932ToUtf8(kRefusalPathSuffix) << '\n' << Cp932ToUtf8(reason) << '\n';
}

}  // namespace

ReadOutcome ReadDrawing(const std::string& path, JwcDrawing& drawing, std::ostream& out, std::ostream& err) {
    if (const InputCheck check = CheckInputFile(path); check.problem != InputProblem::None) {
        err << path << ": " << Cp932ToUtf8(DescribeInputProblem(check)) << '\n';
        return ReadOutcome::Refused;
    }
    if (!HasJwcExtension(path)) {
        Refuse(err, path, kNotJwCadByExtension);
        return ReadOutcome::Refused;
    }
    if (!IsJwcFile(path)) {
        Refuse(err, path, kNotJwCadBySignature);
        return ReadOutcome::Refused;
    }
    LoadError error;
    const bool complete = LoadJwcFile(path, drawing, &error);
    out << path << "\n\n";
    for (const std::string& line : ReadSummaryLines(drawing)) out << Cp932ToUtf8(line) << '\n';
    if (complete) return ReadOutcome::Complete;
    out.flush();
    err << path << ": " << Cp932ToUtf8(kIncompleteRead) << Cp932ToUtf8(DescribeLoadError(error)) << '\n';
    return ReadOutcome::Incomplete;
}

}  // namespace orvik::cli
