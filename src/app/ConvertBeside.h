// The Explorer verb "DXFに変換" on Windows: the drawings of one selection
// converted each to a DXF file beside it, with the settings the window
// keeps (its defaults before the window was ever closed), without a window.
// A DXF that exists already is replaced only when the user says so (one
// question per DXF, naming it, saying when it is newer than the drawing;
// "all" answers it for the rest); one report sums the selection up.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/DrawingJob.h"
#include "app/KeptSettings.h"

namespace orvik {

struct BesideConversion {
    std::string drawing;  // the drawing's path
    std::string output;  // the DXF file's path
    bool kept = false;  // the DXF existed and the user kept it: nothing was done
    DrawingJobOutcome outcome;
};

// What the user answers when a DXF exists already.
enum class ReplaceAnswer { Yes, No, All };

// The question before an existing DXF is replaced (UTF-8 text), and whether
// more drawings follow (then "all" is offered too).
using ReplaceQuestion = std::function<ReplaceAnswer(const std::string& text, bool more)>;

struct BesideRun {
    bool unusableSettings = false;  // a kept field holds no usable value: nothing was done
    std::vector<BesideConversion> drawings;

    // Whether every drawing was converted whole or kept as the user chose.
    bool AllDone() const;
};

BesideRun ConvertAllBeside(const std::vector<std::string>& drawings, const SettingsStore& store,
                           const ReplaceQuestion& ask);

// What to tell the user afterwards (UTF-8): the log lines of the drawings
// not converted whole (those of the first few, the others counted), or why
// nothing was done; empty when there is nothing to tell.
std::string BesideRunReport(const BesideRun& run);

}  // namespace orvik
