// The Explorer verb "DXFに変換" on Windows: a drawing converted to a DXF
// file beside it, with the settings the window keeps (its defaults before
// the window was ever closed), without a window. A DXF newer than the
// drawing is kept as it is (it may have been edited since); an older one is
// replaced by the new conversion.
#pragma once

#include <string>

#include "app/DrawingJob.h"
#include "app/KeptSettings.h"

namespace orvik {

struct BesideConversion {
    std::string output;  // the DXF file's path
    bool upToDate = false;  // the DXF is newer than the drawing: nothing was done
    bool unusableSettings = false;  // a kept field holds no usable value: nothing was done
    DrawingJobOutcome outcome;
};

BesideConversion ConvertBeside(const std::string& drawing, const SettingsStore& store);

// What to tell the user afterwards (CP932): the drawing's log lines when it
// was not converted whole, else nothing.
std::string BesideConversionReport(const std::string& drawing, const BesideConversion& done);

}  // namespace orvik
