// The DXF format's driver: ASCII DXF files (a comment or a section first),
// or binary ones, which it names and refuses, whatever their name, or named
// ".dxf"; read by ReadDxf and put on JW_CAD's paper (DxfSheet.h). Its
// read report: the version, code page, paper, scale and the real point at
// the paper's centre, and the counts; its warnings: what the drawing
// leaves out or approximates.
#pragma once

#include "input/DrawingDriver.h"

namespace orvik {

const DrawingDriver& DxfDriver();

}  // namespace orvik
