// The header a JWW drawing made here starts from: JW_CAD's own defaults
// (screen and printer pens, line patterns, SXF colours and line types, text
// styles, dimension, print and view settings), as JW_CAD 8 saves a drawing
// it was given no settings for. The layer groups, their scales, names and
// states and the paper are the drawing's to set.
#pragma once

#include "jww/JwwDrawing.h"

namespace orvik {

JwwHeader DefaultJwwHeader();

}  // namespace orvik
