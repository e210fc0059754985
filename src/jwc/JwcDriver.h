// The JWC format's driver: files named .jwc, or starting with JW_CAD for
// DOS's signature, read by LoadJwcFile.
#pragma once

#include <string>
#include <vector>

#include "input/DrawingDriver.h"
#include "jwc/JwcFile.h"

namespace orvik {

const DrawingDriver& JwcDriver();

// The read report's lines of a JWC drawing (CP932): HeaderText1,
// HeaderText2 (control bytes in caret notation, so that nothing from a
// drawing reaches a terminal raw), then the numbers of lines, arcs, texts,
// real points and virtual points with their aligned labels.
std::vector<std::string> JwcSummaryLines(const JwcFile& file);

}  // namespace orvik
