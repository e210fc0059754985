// What the read report says of a JWW drawing (CP932 text).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "jww/JwwDrawing.h"
#include "model/Drawing.h"

namespace orvik {

// The log lines after a JWW drawing's path and its empty line: the memo's
// lines, the version, the paper, the scales of the groups in use, then the
// numbers of lines, arcs, texts (settings apart), points (temporary ones
// apart), solids, block insertions, dimensions, block definitions and
// images, and the characters CP932 could not hold, if any.
std::vector<std::string> JwwSummaryLines(const JwwDrawing& drawing);

// The line that says which elements of a drawing the conversion did not
// carry: "変換していない要素: ソリッド 2 件 ...".
std::string NotCarriedLine(const NotCarried& notCarried);

// The warning for embedded images left out past the drawing's image budgets.
std::string ImagesLeftOutLine(std::int64_t count);

}  // namespace orvik
