// A drawing read from DXF (millimetres of the real thing) put on JW_CAD's
// paper: millimetres on paper at one scale for every layer group.
//
// Unless the user names them, the paper is A3 (JW_CAD's own) and the scale
// the smallest of the standard ones (1/1, 1/2, 1/5, 1/10, 1/20, 1/30, 1/50,
// 1/100, 1/200, 1/300, 1/500, 1/1000, then 1/2000, 1/5000, ... by the same
// steps) at which the drawing's extents fit within 90 % of the paper; a
// drawing too large for A3 at 1/1,000,000 goes on the smallest larger sheet
// it fits (A2 ... A0, 2A ... 5A). With a scale named, the smallest paper
// from A4 on that holds it (A3 when none does); with a paper named, the
// scale as above. A drawing that lies on the paper where it is stays there
// (the paper's centre is JW_CAD's origin, 0, 0); any other has its
// extents' centre, rounded to whole millimetres, moved to the paper's centre.
#pragma once

#include <cstdint>
#include <optional>

#include "input/DrawingDriver.h"
#include "model/Drawing.h"

namespace orvik {

struct Sheet {
    std::int32_t paper = 3;
    double scale = 1;
    double originX = 0, originY = 0;  // the real point at the paper's centre (mm)
};

// The standard scales, smallest first, up to 1/1,000,000.
const std::vector<double>& StandardScales();

// The paper's long and short sides in millimetres (PaperSizes.h); none for a code without a size.
std::optional<std::pair<double, double>> PaperSides(std::int32_t paper);

// The sheet for a drawing of real millimetres.
Sheet ChooseSheet(const Drawing& drawing, const SheetChoice& choice);

// Every element of the set moved by (-dx, -dy) and divided by `divisor`:
// coordinates, radii, text sizes; insertions' places (not their scales).
void MoveAndDivide(ElementSet& set, double dx, double dy, double divisor);

// The drawing put on the sheet: every coordinate and length divided by the
// scale (the drawing's own elements moved so that the sheet's origin is at
// 0, 0; its blocks keep their own), line-type patterns too; every layer
// group at the scale; the paper.
void PutOnSheet(Drawing& drawing, const Sheet& sheet);

}  // namespace orvik
