#include "cli/InfoCommand.h"

#include <ostream>

#include "cli/Cli.h"
#include "cli/ReadLog.h"

namespace orvik::cli {

int RunInfo(const std::vector<std::string>& files, std::ostream& out, std::ostream& err) {
    bool allGood = true;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (i > 0) out << '\n';
        JwcDrawing drawing;
        allGood = ReadAndReport(files[i], drawing, out, err) == ReadOutcome::Complete && allGood;
    }
    return allGood ? kExitOk : kExitSomeFailed;
}

}  // namespace orvik::cli
