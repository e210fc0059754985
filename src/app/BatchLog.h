// What the window's batch save logs: each drawing's lines from its job's
// outcome, and the summary that ends the batch.
#pragma once

#include <string>
#include <vector>

#include "app/DrawingJob.h"

namespace orvik {

// The log lines of one drawing of a batch after its name (CP932): a refusal
// with its reason, the damage of a drawing read in part, then either the
// output, the header texts and counts and the conversion's report, or why
// it failed.
std::vector<std::string> BatchItemLog(const std::string& input, const std::string& output,
                                      const DrawingJobOutcome& outcome);

// The lines that end a batch: how many drawings were converted, read only in
// part and not converted, with the names of the last two kinds, and those
// not reached when the batch was cancelled. Names are shown as given (CP932).
std::vector<std::string> BatchSummary(int converted, const std::vector<std::string>& partlyRead,
                                      const std::vector<std::string>& failed, const std::vector<std::string>& notReached);

}  // namespace orvik
