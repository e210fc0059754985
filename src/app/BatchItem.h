// One drawing of the window's batch save, converted on its own: read,
// converted at its own proposed scale and saved, with the log lines the
// window shows for it. It touches no shared state, so the window can run it
// on a worker thread while it stays responsive. A drawing read only in part
// is converted as far as it was read and said so in the log; a failure is
// logged with its reason, and the batch goes on.
#pragma once

#include <string>
#include <vector>

#include "convert/ConversionSettings.h"
#include "convert/ProposedScales.h"

namespace orvik {

struct BatchItemResult {
    enum class Outcome { Converted, PartlyRead, Failed };
    Outcome outcome = Outcome::Failed;
    std::vector<std::string> log;  // CP932 lines, in order
    ScaleList scales;              // the drawing's scales, its proposed one selected
};

BatchItemResult ConvertBatchItem(const std::string& input, const std::string& output, const ConversionSettings& settings);

// The lines that end a batch: how many drawings were converted, read only in
// part and not converted, with the names of the last two kinds, and those
// not reached when the batch was cancelled. Names are shown as given (CP932).
std::vector<std::string> BatchSummary(int converted, const std::vector<std::string>& partlyRead,
                                      const std::vector<std::string>& failed, const std::vector<std::string>& notReached);

}  // namespace orvik
