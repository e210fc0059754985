#include "cli/ReadLog.h"

#include <ostream>

#include "text/Cp932.h"
#include "text/Messages.h"

namespace orvik::cli {

std::string PrintRead(const std::string& path, const DrawingJobOutcome& outcome, std::ostream& log,
                      std::ostream& problems) {
    const std::string shown = PrintableName(path);
    if (outcome.status == JobStatus::Refused && !outcome.read) {
        // A name or signature that is not JW_CAD's is said as the window says it.
        const bool notJwCad = outcome.reason == Reason::NotJwCad || outcome.reason == Reason::WrongExtension;
        const std::string refusal = notJwCad
                                        ? shown + Cp932ToUtf8(kRefusalPathSuffix) + '\n' + Cp932ToUtf8(outcome.message)
                                        : shown + ": " + Cp932ToUtf8(outcome.message);
        problems << refusal << '\n';
        return refusal;
    }
    if (!outcome.read) return {};
    log << shown << "\n\n";
    for (const std::string& line : outcome.readSummary) log << Cp932ToUtf8(line) << '\n';
    if (outcome.damage.empty()) return {};
    log.flush();  // on a terminal the report comes before the damage
    problems << shown << ": " << Cp932ToUtf8(kIncompleteRead) << Cp932ToUtf8(outcome.damage) << '\n';
    return {};
}

}  // namespace orvik::cli
