// A drawing of the model as a JWW file's model, for drawings read from
// other formats (DXF, JWC), to be written by JwwWriter: version 700 with
// UTF-16 strings, as JW_CAD 8 and later save, on JW_CAD's default header
// (JwwDefaults.h).
//
// Carried: the paper; the 16 layer groups with their scales, names and
// states (a hidden one hidden, the others editable; the first shown group
// and each group's first shown layer the write ones); the 256 layers; lines
// (each curve run as one curve number), circles, arcs and ellipses
// (degrees to radians), texts with their own size (a text of a text type
// takes the type's size), pen, vertical writing, italic, bold and font
// (JW_CAD's "ＭＳ ゴシック" where none is named), real and virtual points (as
// temporary points), solids, blocks as block definitions numbered from 1 in
// the model's order (each after the blocks it inserts) and insertions.
// Pens 1..9 are JW_CAD's; a pen of the drawing's own colour is a solid's RGB
// colour, or on other elements an SXF colour of its own (from 17, where
// JW_CAD's user colours begin), with its printed width. Line types 1..9
// are JW_CAD's; the drawing's own (whatever their numbers) are SXF line
// types of their own, in order from 17, their dashes and gaps as the
// pattern gives them (at most ten).
// The drawing must be measured in millimetres on paper (not JWC's
// divisions of the paper).
#pragma once

#include "jww/JwwDrawing.h"
#include "model/Drawing.h"

namespace orvik {

// The first SXF colour and line type a drawing's own take: those before are
// SXF's standard ones.
inline constexpr int kJwwFirstUserSxf = 17;

JwwDrawing JwwDrawingOf(const Drawing& drawing);

}  // namespace orvik
