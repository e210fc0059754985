// Each status a drawing's job ends with, once: its stable name in the
// reports (and for the page, which marks its list by it), the exit code it
// gives a run, and the sign before the drawing's name in the windows' and
// the page's lists (UTF-8).
#pragma once

#include <string_view>

#include "app/DrawingJob.h"

namespace orvik {

// A run's exit codes: every drawing read and converted completely; some
// failed or were refused; the command was not understood; every drawing was
// converted, some only in part (--allow-partial).
enum ExitCode : int { kExitOk = 0, kExitSomeFailed = 1, kExitUsage = 2, kExitPartial = 3 };

struct StatusRow {
    JobStatus status;
    std::string_view name;
    int exitCode;
    std::string_view sign;
};

inline constexpr StatusRow kStatusRows[] = {
    {JobStatus::Converted, "converted", kExitOk, ""},
    {JobStatus::PartlyRead, "partly-read", kExitPartial, "\xE2\x96\xB3 "},  // △
    {JobStatus::Skipped, "skipped", kExitOk, ""},
    {JobStatus::Refused, "refused", kExitSomeFailed, "\xC3\x97 "},  // ×
    {JobStatus::Failed, "failed", kExitSomeFailed, "\xC3\x97 "},
};

const StatusRow& RowOf(JobStatus status);

// The stable name of a status ("converted", "partly-read", ...).
inline std::string_view StatusName(JobStatus status) { return RowOf(status).name; }

// A run's exit code from what its drawings came to: a failure outweighs a
// drawing read in part.
inline int RunExitCode(bool anyFailed, bool anyPartlyRead) {
    return anyFailed ? kExitSomeFailed : anyPartlyRead ? kExitPartial : kExitOk;
}

}  // namespace orvik
