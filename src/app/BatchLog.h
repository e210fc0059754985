// What became of a batch: the tally of its drawings the front ends sum up
// (the window's batch save, the command line's run), and what the window's
// batch save logs: each drawing's lines from its job's outcome, and the
// summary that ends the batch.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/DrawingJob.h"

namespace orvik {

// The log lines of one drawing of a batch after its name (UTF-8, as the
// window shows them: file names as the system has them): a refusal
// with its reason, the damage of a drawing read in part, then either the
// output, the header texts and counts and the conversion's report, or why
// it failed.
std::vector<std::string> BatchItemLog(const std::string& input, const std::string& output,
                                      const DrawingJobOutcome& outcome);

// A batch's drawings by what became of them, named as the front end shows
// them: a refused drawing counts as failed.
struct BatchTally {
    int converted = 0;
    std::vector<std::string> partlyRead, skipped, failed, notReached;
    bool stopped = false;  // cancelled, or the window closed, before its end

    void Add(JobStatus status, std::string name);
    // The drawings whose DXF was written: converted, or read in part.
    std::size_t Written() const { return static_cast<std::size_t>(converted) + partlyRead.size(); }
};

// How many names a box lists of one kind; the rest are counted ("ほか N 件").
inline constexpr std::size_t kNamesInABox = 3;

// The lines that end a batch in the window: how many drawings were
// converted, read only in part and not converted (failed or skipped), with
// the names of the last two kinds, and those not reached when the batch was
// cancelled (UTF-8). At most `namesAtMost` names of each kind, then how many more.
std::vector<std::string> BatchSummary(const BatchTally& tally, std::size_t namesAtMost = SIZE_MAX);

// The first `atMost` names, indented, then how many more there are (UTF-8).
std::vector<std::string> FirstNames(const std::vector<std::string>& names, std::size_t atMost);
// How many more there are, after the names a box lists: "ほか N 件" (UTF-8).
std::string AndMore(std::size_t count);
// A file's name as the system has it, then a CP932 reason in full-width parentheses (UTF-8).
std::string NamedWithReason(const std::string& path, std::string_view cp932Reason);

}  // namespace orvik
