// The report of the used layers that the log shows after a conversion.
#pragma once

#include <string>
#include <vector>

#include "convert/ConversionResult.h"
#include "model/Drawing.h"

namespace orvik {

// The used-layer report (CP932): "「使用画層」", then one line per used layer
// (name padded to 22 bytes, colour, line type), then DEFPOINTS when written.
std::vector<std::string> ReportUsedLayers(const ConversionResult& result);

}  // namespace orvik
