#include "cli/InfoCommand.h"

#include <ostream>

#include "cli/Cli.h"
#include "cli/ReadLog.h"
#include "text/Cp932.h"

namespace orvik::cli {

int RunInfo(const std::vector<std::string>& files, std::ostream& out, std::ostream& err) {
    bool allGood = true;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (i > 0) out << '\n';
        DrawingJobRequest request;
        request.input = files[i];
        request.kind = OutputKind::ReadOnly;
        const DrawingJobOutcome outcome = RunDrawingJob(request);
        PrintRead(files[i], outcome, out, err);
        for (const std::string& warning : outcome.warnings) out << Cp932ToUtf8(warning) << '\n';
        allGood = outcome.status == JobStatus::Converted && allGood;
    }
    return allGood ? kExitOk : kExitSomeFailed;
}

}  // namespace orvik::cli
