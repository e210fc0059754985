// The DXF names of a drawing's blocks: the file's names made fit as layer
// names are (kana, punctuation, control bytes), without JW_CAD's
// "@@SfigorgFlag@@n" kind mark, cut to kSymbolNameLimit bytes, and distinct
// without regard to letter case: an empty name becomes "BLOCK_n", a name met
// before gets "_n" (n: the block's number from 1).
#pragma once

#include <string>
#include <vector>

#include "model/Drawing.h"

namespace orvik {

std::vector<std::string> BlockNamesOf(const Drawing& drawing);

}  // namespace orvik
