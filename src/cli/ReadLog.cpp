#include "cli/ReadLog.h"

#include <ostream>

#include "app/ReadDrawing.h"
#include "app/ReadReport.h"
#include "jwc/JwcLoader.h"
#include "text/Cp932.h"

namespace orvik::cli {

ReadOutcome ReadAndReport(const std::string& path, JwcDrawing& drawing, std::ostream& out, std::ostream& err,
                          bool anyName, FileRefusal* refusal) {
    FileCheck check = CheckDrawingFile(path);
    if (anyName && check.refusal == FileRefusal::WrongExtension) {
        // Found by its signature: judged by what it holds, not by its name.
        check = {};
        if (!IsJwcFile(path)) check.refusal = FileRefusal::NotJwCad;
    }
    if (refusal) *refusal = check.refusal;
    switch (check.refusal) {
        case FileRefusal::None:
            break;
        case FileRefusal::Missing:
        case FileRefusal::Unreadable:
            err << path << ": " << Cp932ToUtf8(check.reason) << '\n';
            return ReadOutcome::Refused;
        case FileRefusal::WrongExtension:
        case FileRefusal::NotJwCad:
            err << path << Cp932ToUtf8(kRefusalPathSuffix) << '\n' << Cp932ToUtf8(RefusalText(check)) << '\n';
            return ReadOutcome::Refused;
    }
    const LoadOutcome load = LoadDrawing(path, drawing);
    out << path << "\n\n";
    for (const std::string& line : ReadSummaryLines(drawing)) out << Cp932ToUtf8(line) << '\n';
    if (load.complete) return ReadOutcome::Complete;
    out.flush();
    err << path << ": " << Cp932ToUtf8(kIncompleteRead) << Cp932ToUtf8(load.damage) << '\n';
    return ReadOutcome::Incomplete;
}

}  // namespace orvik::cli
