#include "app/ReadDrawing.h"

#include "app/ReadReport.h"
#include "jwc/FileReader.h"
#include "jwc/JwcLoader.h"

namespace orvik {

FileCheck CheckDrawingFile(const std::string& path) {
    const InputCheck input = CheckInputFile(path);
    if (input.problem == InputProblem::NotFound) return {FileRefusal::Missing, DescribeInputProblem(input)};
    if (!HasJwcExtension(path)) return {FileRefusal::WrongExtension, {}};
    if (input.problem != InputProblem::None) return {FileRefusal::Unreadable, DescribeInputProblem(input)};
    if (!IsJwcFile(path)) return {FileRefusal::NotJwCad, {}};
    return {};
}

std::string_view RefusalText(const FileCheck& check) {
    switch (check.refusal) {
        case FileRefusal::WrongExtension: return kNotJwCadByExtension;
        case FileRefusal::NotJwCad: return kNotJwCadBySignature;
        default: return check.reason;
    }
}

LoadOutcome LoadDrawing(const std::string& path, JwcDrawing& drawing) {
    LoadError error;
    if (LoadJwcFile(path, drawing, &error)) return {true, {}};
    return {false, DescribeLoadError(error)};
}

}  // namespace orvik
