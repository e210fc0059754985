// AutoCAD's colour index (ACI): the RGB of each of its 256 colours, and the
// colour nearest to any RGB, for files and readers that know no true colour.
#pragma once

#include <array>
#include <cstdint>

#include "model/Drawing.h"

namespace orvik {

// 0xRRGGBB of colours 0..255 as AutoCAD shows them (0, BYBLOCK, and 7 drawn
// black on white are placed by the viewer, not by this table).
extern const std::array<std::uint32_t, 256> kAciRgb;

// The colour 1..255 nearest to 0xRRGGBB (the least sum of squared channel
// differences; the lowest number on a tie).
int NearestAci(std::uint32_t rgb);

}  // namespace orvik
